#pragma once

#include <cstdint>

#if defined(__SSE__) || defined(__x86_64__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

namespace brimvale::engine
{

// While it lives, numbers too small for the normal float and double range count as zero on this
// thread. A reverb tail decaying to silence passes through that range, where the processor works
// many times slower; flushed, the tail costs no more than a full one, and nothing audible changes.
class DenormalGuard
{
public:
#if defined(__SSE__) || defined(__x86_64__) || defined(_M_X64)
  DenormalGuard() : mSaved(_mm_getcsr())
  {
    _mm_setcsr(mSaved | kFlushToZero | kDenormalsAreZero);
  }
  ~DenormalGuard()
  {
    _mm_setcsr(mSaved);
  }

private:
  static constexpr uint32_t kFlushToZero = 0x8000;
  static constexpr uint32_t kDenormalsAreZero = 0x0040;
  uint32_t mSaved;
#elif defined(__aarch64__)
  DenormalGuard()
  {
    asm volatile("mrs %0, fpcr" : "=r"(mSaved));
    asm volatile("msr fpcr, %0" : : "r"(mSaved | kFlushToZero));
  }
  ~DenormalGuard()
  {
    asm volatile("msr fpcr, %0" : : "r"(mSaved));
  }

private:
  static constexpr uint64_t kFlushToZero = uint64_t(1) << 24;
  uint64_t mSaved;
#else
  DenormalGuard() = default;
#endif

public:
  DenormalGuard(const DenormalGuard&) = delete;
  DenormalGuard& operator=(const DenormalGuard&) = delete;
};

} // namespace brimvale::engine
