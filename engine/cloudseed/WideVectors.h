#pragma once

// The reverb's busiest loops are built twice: for the processor's baseline and for its wide vector
// unit (AVX2, without fused multiply-add, so that every sample's arithmetic stays the same), and
// the wide build runs where the processor has it. Windows builds keep the baseline only: its
// compiler cannot be trusted to align the stack for wide registers there.
//
// BRIMVALE_BUILD_TWICE(name, (parameters), { body }) defines nameWide and nameBaseline with the same
// parameters and body, the first built for the wide unit; the body's helpers are inlined into each
// and so built both ways too. Callers take (WideVectorsAvailable() ? nameWide : nameBaseline).

#if (defined(__x86_64__) || defined(__i386__)) && !defined(_WIN32)
#define BRIMVALE_HAS_WIDE_VECTORS 1
#define BRIMVALE_WIDE_TARGET __attribute__((target("avx2")))
#else
#define BRIMVALE_HAS_WIDE_VECTORS 0
#define BRIMVALE_WIDE_TARGET
#endif

#define BRIMVALE_BUILD_TWICE(name, parameters, ...)                                                                    \
  BRIMVALE_WIDE_TARGET void name##Wide parameters __VA_ARGS__ void name##Baseline parameters __VA_ARGS__

namespace Cloudseed
{
// Whether this processor runs the wide builds. It is asked when the module loads, so that no
// audio thread ever waits on a first-use guard; start-up code elsewhere that asks before then gets
// the baseline, which computes the same.
inline const bool kWideVectorsAvailable = [] {
#if BRIMVALE_HAS_WIDE_VECTORS
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
#else
  return false;
#endif
}();

inline bool WideVectorsAvailable()
{
  return kWideVectorsAvailable;
}
} // namespace Cloudseed
