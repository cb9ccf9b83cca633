#pragma once

#include <cstdint>

namespace Cloudseed
{

// Index arithmetic of a ring buffer of Size samples, for positions and steps that together stay
// below two buffer lengths (so one compare replaces a modulo on the per-sample path).
template <int32_t Size>
struct RingIndex
{
  static int32_t Wrap(int32_t position) { return position < 0 ? position + Size : position; }
  static int32_t Advance(int32_t position) { return position + 1 < Size ? position + 1 : 0; }
  static int32_t Forward(int32_t position, int32_t steps)
  {
    position += steps;
    return position >= Size ? position - Size : position;
  }
};

} // namespace Cloudseed
