#pragma once

#include <cstdint>

namespace Cloudseed
{

// Floats computed side by side with the processor's vector arithmetic. Each lane follows exactly
// the float operations a scalar loop would perform, so results are the same bit for bit; values
// are moved in and out with memcpy, which takes any alignment.
typedef float Float4 __attribute__((vector_size(16)));
// Eight floats (and eight 32-bit integers): two of the narrow registers, or one of the wide ones
// where the code is built for them (WideVectors.h). Only inside functions: passed by value, their
// calling convention would depend on how the function was built.
typedef float Float8 __attribute__((vector_size(32)));
typedef int32_t Int8 __attribute__((vector_size(32)));

inline Float4 Splat4(float x)
{
  return Float4{x, x, x, x};
}

} // namespace Cloudseed
