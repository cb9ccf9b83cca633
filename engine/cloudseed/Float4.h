#pragma once

#include <cstdint>
#include <cstring>

namespace Cloudseed
{

// Four floats (or four 32-bit integers) computed side by side with the processor's vector
// arithmetic. Each lane follows exactly the float operations a scalar loop would perform, so results
// are the same bit for bit; loads and stores go through memcpy and take any alignment.
typedef float Float4 __attribute__((vector_size(16)));
typedef int32_t Int4 __attribute__((vector_size(16)));
// Eight floats: two of the narrow registers, or one of the wide ones where the code is built for
// them (WideVectors.h). Only inside functions, moved with memcpy: passed by value, its calling
// convention would depend on how the function was built.
typedef float Float8 __attribute__((vector_size(32)));
typedef int32_t Int8 __attribute__((vector_size(32)));

inline Float4 Load4(const float* p)
{
  Float4 v;
  std::memcpy(&v, p, sizeof(v));
  return v;
}

inline void Store4(float* p, Float4 v)
{
  std::memcpy(p, &v, sizeof(v));
}

inline Int4 LoadInt4(const int32_t* p)
{
  Int4 v;
  std::memcpy(&v, p, sizeof(v));
  return v;
}

inline void StoreInt4(int32_t* p, Int4 v)
{
  std::memcpy(p, &v, sizeof(v));
}

inline Float4 Splat4(float x)
{
  return Float4{x, x, x, x};
}

// Truncation toward zero, as a cast of each lane to int32_t.
inline Int4 Truncate4(Float4 x)
{
  return __builtin_convertvector(x, Int4);
}

inline Float4 ToFloat4(Int4 x)
{
  return __builtin_convertvector(x, Float4);
}

} // namespace Cloudseed
