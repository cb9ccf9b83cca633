#pragma once

// The "Filter Mode" choices, in parameter order.
enum FilterMode
{
  kLowpass = 0,
  kHighpass,
  kBandpass,
  kNotch,
  kPeak,
  kAllpass,
};
