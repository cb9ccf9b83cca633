#pragma once

#include "engine/cloudseed/AllpassDiffuser.h"
#include "engine/cloudseed/Biquad.h"
#include "engine/cloudseed/ModulatedDelay.h"
#include "engine/cloudseed/OnePoleFilters.h"

#include <cstdint>

namespace Cloudseed
{

// One recirculating line of the late reverb: a modulated delay fed back on itself one chunk
// later, with an optional diffuser, shelves and damping inside the loop.
class DelayLine
{
public:
  static constexpr int kMaxBlock = 1024;
  static constexpr int kQueueSize = 2048;

  DelayLine();

  // n samples (at most kMaxBlock) from in to out.
  void Process(const float* in, float* out, int n);

  // Process in two parts around the damping lowpass, so that an owner of several lines can damp
  // them all side by side: n between 1 and kMaxBlock, and the lowpass (when enabled) runs on
  // Work() in between.
  void ProcessUpToDamping(const float* in, float* out, int n);
  void FinishProcess(float* out, int n);
  float* Work() { return mWork; }

  void SetDiffuserSeed(int seed, float crossSeed);
  void SetDiffuserModAmount(float amount); // samples
  void ClearBuffers();
  // Asks for the memory that the line's delay and first diffuser stage touch in the next n samples.
  void Prefetch(int n) const;

  ModulatedDelay delay;
  AllpassDiffuser diffuser;
  Biquad lowShelf;
  Biquad highShelf;
  OnePoleLowpass lowpass;
  float feedback = 0.0f;
  bool diffuserEnabled = false;
  bool lowShelfEnabled = false;
  bool highShelfEnabled = false;
  bool cutoffEnabled = false;
  bool lateStageTap = false;

private:
  float mWork[kMaxBlock] = {};
  float mQueue[kQueueSize] = {};
  int32_t mQueueRead = 0;
  int32_t mQueueWrite = 0;
  int32_t mQueueCount = 0;
};

} // namespace Cloudseed
