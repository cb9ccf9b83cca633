// The heap memory one engine holds: after Reset at two rates, and with two minute-long samples
// loaded. Every allocation of the program goes through the functions below, which keep each block's
// size in a header so that its release can be counted too; the figures are the live bytes an engine
// adds ("held_MiB") and the most that were live at once while it was being set up ("peak_MiB").
#include "engine/BrimvaleEngine.h"
#include "tests/engine/support/TestWavFiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

using brimvale::engine::BrimvaleEngine;

namespace
{
std::atomic<long long> gLiveBytes{0};
std::atomic<long long> gPeakBytes{0};

// Enough for the size and for the alignment malloc gives every block.
constexpr std::size_t kHeader = alignof(std::max_align_t);

// Over-aligned blocks carry a header as large as their alignment, so the block after it stays aligned.
std::size_t HeaderFor(std::size_t alignment)
{
  return std::max(kHeader, alignment);
}

void* Allocate(std::size_t size, std::size_t alignment) noexcept
{
  const std::size_t header = HeaderFor(alignment);
  void* base = nullptr;
  if (alignment <= kHeader)
    base = std::malloc(header + size);
  else // aligned_alloc wants a multiple of the alignment
    base = std::aligned_alloc(alignment, (header + size + alignment - 1) / alignment * alignment);
  if (base == nullptr)
    return nullptr;

  char* block = static_cast<char*>(base) + header;
  std::memcpy(block - sizeof(std::size_t), &size, sizeof(std::size_t));
  const long long live = gLiveBytes += static_cast<long long>(size);
  long long peak = gPeakBytes.load();
  while (live > peak && !gPeakBytes.compare_exchange_weak(peak, live))
  {}
  return block;
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment)
{
  if (void* block = Allocate(size, alignment))
    return block;
  throw std::bad_alloc();
}

void Release(void* block, std::size_t alignment) noexcept
{
  if (block == nullptr)
    return;
  char* bytes = static_cast<char*>(block);
  std::size_t size = 0;
  std::memcpy(&size, bytes - sizeof(std::size_t), sizeof(std::size_t));
  gLiveBytes -= static_cast<long long>(size);
  std::free(bytes - HeaderFor(alignment));
}

constexpr std::size_t kPlain = 0;
} // namespace

// clang-format off
void* operator new(std::size_t size) { return AllocateOrThrow(size, kPlain); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size, kPlain); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, kPlain); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size, kPlain); }
void* operator new(std::size_t size, std::align_val_t a) { return AllocateOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return AllocateOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept { return Allocate(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept { return Allocate(size, static_cast<std::size_t>(a)); }

void operator delete(void* p) noexcept { Release(p, kPlain); }
void operator delete[](void* p) noexcept { Release(p, kPlain); }
void operator delete(void* p, std::size_t) noexcept { Release(p, kPlain); }
void operator delete[](void* p, std::size_t) noexcept { Release(p, kPlain); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p, kPlain); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p, kPlain); }
void operator delete(void* p, std::align_val_t a) noexcept { Release(p, static_cast<std::size_t>(a)); }
void operator delete[](void* p, std::align_val_t a) noexcept { Release(p, static_cast<std::size_t>(a)); }
void operator delete(void* p, std::size_t, std::align_val_t a) noexcept { Release(p, static_cast<std::size_t>(a)); }
void operator delete[](void* p, std::size_t, std::align_val_t a) noexcept { Release(p, static_cast<std::size_t>(a)); }
void operator delete(void* p, std::align_val_t a, const std::nothrow_t&) noexcept { Release(p, static_cast<std::size_t>(a)); }
void operator delete[](void* p, std::align_val_t a, const std::nothrow_t&) noexcept { Release(p, static_cast<std::size_t>(a)); }
// clang-format on

namespace
{
constexpr double kMiB = 1024.0 * 1024.0;

// A minute of the stereo test tone, written once per program.
const std::string& MinuteSample()
{
  static const enginetest::TempFolder folder;
  static const std::string path = folder.Write("minute.wav",
                                               enginetest::StereoSineWav(48000, 60 * 48000, 220.0, 331.0, 0.5));
  return path;
}

// Each iteration builds an engine, takes what it holds and lets it go, so the time per iteration is
// what setting up an engine costs.
void EngineMemory(benchmark::State& state)
{
  const double rate = static_cast<double>(state.range(0));
  const bool withSamples = state.range(1) != 0;
  const char* sample = withSamples ? MinuteSample().c_str() : nullptr;

  long long held = 0, peak = 0;
  for (auto _ : state)
  {
    const long long before = gLiveBytes.load();
    gPeakBytes = before;
    auto engine = std::make_unique<BrimvaleEngine>();
    engine->Reset(rate);
    if (withSamples && (!engine->LoadSampleA(sample) || !engine->LoadSampleB(sample)))
    {
      state.SkipWithError("sample did not load");
      return;
    }
    held = gLiveBytes.load() - before;
    peak = gPeakBytes.load() - before;
  }
  state.counters["held_MiB"] = static_cast<double>(held) / kMiB;
  state.counters["peak_MiB"] = static_cast<double>(peak) / kMiB;
}
BENCHMARK(EngineMemory)
  ->ArgNames({"rate", "minute_samples"})
  ->Args({48000, 0})
  ->Args({96000, 0})
  ->Args({48000, 1})
  ->Unit(benchmark::kMillisecond);
} // namespace
