#include "engine/cloudseed/ModulatedDelay.h"
#include "engine/cloudseed/RingIndex.h"
#include "engine/cloudseed/ModulationSine.h"
#include "engine/cloudseed/ReferenceBuild.h"
#include "engine/cloudseed/WideVectors.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Cloudseed
{
namespace
{
constexpr int32_t kSize = ModulatedDelay::kBufferSize;
constexpr int kUpdateInterval = 8;

// A distance d reads at its whole part k and at k + 1, so d beyond kSize - 1 would leave the
// buffer; the owner's settings stay inside, but a setting made for an extreme sample rate must not
// reach foreign memory. At kSize - 1 itself the read is wholly the farther of the two.
constexpr float kMaxDistance = static_cast<float>(kSize - 1);

using Ring = RingIndex<kSize>;

// Whether the reads of a piece from r touch none of the positions the piece writes from w, so that
// writing all of them first gives what one sample after the other gives. A distance within a piece
// of the buffer's length reads just ahead of the write, which the piece would overwrite.
bool ReadsClearOfWrites(int32_t w, int32_t r)
{
  const int32_t distance = Ring::Wrap(w - r);
  return distance >= kUpdateInterval && distance <= kSize - kUpdateInterval;
}

BRIMVALE_BUILD_TWICE(ProcessDelayChunk, (ModulatedDelay & delay, const float* input, float* output, int n),
                     { delay.ProcessChunk(input, output, n); })
} // namespace

void ModulatedDelay::Process(const float* input, float* output, int n)
{
  const auto processChunk = WideVectorsAvailable() ? ProcessDelayChunkWide : ProcessDelayChunkBaseline;
  for (int done = 0; done < n; done += kMaxChunk)
    processChunk(*this, input + done, output + done, std::min(kMaxChunk, n - done));
}

void ModulatedDelay::ProcessChunk(const float* input, float* output, int n)
{
  // The read positions move with the write position and jump only at an update, every eighth
  // sample. A piece whose reads lie clear of its writes and that crosses no wrap is computed side
  // by side, with the same arithmetic per sample. The updates of the chunk are worked out first:
  // their phases one after another, then their distances and weights eight at a time.
  constexpr int kReadsAtOnce = 8;
  constexpr int kMaxUpdates = kMaxChunk / kUpdateInterval + kReadsAtOnce; // and a whole last group
  float phases[kMaxUpdates];
  int32_t distances[kMaxUpdates];
  float gainsA[kMaxUpdates];
  float gainsB[kMaxUpdates];
  const int first = samplesProcessed >= kUpdateInterval ? 0 : kUpdateInterval - static_cast<int>(samplesProcessed);
  int updates = 0;
  for (int at = first; at < n; at += kUpdateInterval)
  {
    modPhase = AdvancePhase(modPhase, modRate * 8);
    phases[updates++] = modPhase;
  }
  for (int u = updates; u % kReadsAtOnce != 0; ++u)
    phases[u] = 0.0f;
  for (int u = 0; u < updates; u += kReadsAtOnce)
    ModulatedReads(phases + u, static_cast<float>(sampleDelay), modAmount, 0.0f, kMaxDistance, kSize - 2, distances + u,
                   gainsA + u, gainsB + u);

  int32_t w = writeIndex, ra = readIndexA, rb = readIndexB;
  int u = 0;
  for (int i = 0; i < n;)
  {
    if (samplesProcessed >= kUpdateInterval)
    {
      gainA = gainsA[u];
      gainB = gainsB[u];
      ra = Ring::Wrap(w - distances[u]);
      rb = Ring::Wrap(w - distances[u] - 1);
      ++u;
      samplesProcessed = 0;
    }
    const int piece = std::min(n - i, kUpdateInterval - static_cast<int>(samplesProcessed));
    const float gA = gainA, gB = gainB;
    if (kSideBySide && piece == kUpdateInterval && w + piece <= kSize && ra + piece <= kSize && rb + piece <= kSize &&
        ReadsClearOfWrites(w, ra) && ReadsClearOfWrites(w, rb))
    {
      static_assert(kUpdateInterval == 8, "a piece is one Float8");
      Float8 a, b;
      std::memcpy(buffer + w, input + i, sizeof(float) * kUpdateInterval);
      std::memcpy(&a, buffer + ra, sizeof(a));
      std::memcpy(&b, buffer + rb, sizeof(b));
      const Float8 out = a * gA + b * gB;
      std::memcpy(output + i, &out, sizeof(out));
      w = Ring::Forward(w, piece);
      ra = Ring::Forward(ra, piece);
      rb = Ring::Forward(rb, piece);
    }
    else
    {
      for (int k = 0; k < piece; ++k)
      {
        buffer[w] = input[i + k];
        output[i + k] = buffer[ra] * gA + buffer[rb] * gB;
        w = Ring::Advance(w);
        ra = Ring::Advance(ra);
        rb = Ring::Advance(rb);
      }
    }
    samplesProcessed += static_cast<uint64_t>(piece);
    i += piece;
  }
  writeIndex = w;
  readIndexA = ra;
  readIndexB = rb;
}

void ModulatedDelay::Prefetch(int n) const
{
  // The reads start near readIndexB; an update may move them by the modulation depth.
  constexpr int kFloatsPerLine = 16;
  const int reach = n + kUpdateInterval;
  for (int k = 0; k < reach; k += kFloatsPerLine)
  {
    __builtin_prefetch(buffer + Ring::Forward(readIndexB, k));
    __builtin_prefetch(buffer + Ring::Forward(writeIndex, k), 1);
  }
}

void ModulatedDelay::ClearBuffer()
{
  std::memset(buffer, 0, sizeof(buffer));
}

} // namespace Cloudseed
