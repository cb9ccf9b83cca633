#pragma once

#include <cstdint>

namespace brimvale::engine
{

// The "Filter Mode" choices, in parameter order.
enum class FilterMode : int32_t
{
  kLowpass = 0,
  kHighpass,
  kBandpass,
  kNotch,
  kPeak,
  kAllpass,
};

constexpr int kNumFilterModes = static_cast<int>(FilterMode::kAllpass) + 1;

} // namespace brimvale::engine
