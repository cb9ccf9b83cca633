#pragma once

#include "engine/cloudseed/AllpassDiffuser.h"
#include "engine/cloudseed/DelayLine.h"
#include "engine/cloudseed/ModulatedDelay.h"
#include "engine/cloudseed/MultitapDelay.h"
#include "engine/cloudseed/OnePoleFilters.h"
#include "engine/cloudseed/Parameter.h"

#include <cstdint>
#include <vector>

namespace Cloudseed
{

// One side of the reverb: input filters, pre-delay, early reflections and diffusion, and up to
// twelve late lines. All delay memory lives inside the object (about 33 MB): allocate it on the heap.
class ReverbChannel
{
public:
  static constexpr int kMaxBlock = 1024;
  static constexpr int kMaxLines = 12;

  ReverbChannel(int rate, ChannelLR side);

  void SetSamplerate(int rate);
  void ReapplyAllParams();
  void ClearBuffers();
  void SetParameter(int id, double value);
  void UpdateLines();
  void UpdatePostDiffusion();

  // n samples from in to out; blocks longer than kMaxBlock are taken in chunks of that size.
  void Process(const float* in, float* out, int n);

  double GetParameter(int id) const;
  int GetLineCount() const { return lineCount; }
  const DelayLine& GetLine(int i) const { return lines[i]; }

private:
  void ProcessChunk(const float* in, float* out, int n);
  void SetLinesDiffuserDelay(double ms);

  double parameters[Count] = {};
  int32_t sampleRate;
  ModulatedDelay preDelay;
  MultitapDelay multitap;
  AllpassDiffuser earlyDiffuser;
  DelayLine lines[kMaxLines];
  OnePoleHighpass lowCut;
  OnePoleLowpass highCut;
  int32_t delayLineSeed = 0;
  int32_t postDiffusionSeed = 0;
  int32_t lineCount = 8;
  bool lowCutEnabled = false;
  bool highCutEnabled = false;
  bool multitapEnabled = false;
  bool earlyDiffuseEnabled = false;
  float inputMix = 0.0f;
  float dryOut = 0.0f;
  float earlyOut = 0.0f;
  float lateOut = 0.0f;
  float crossSeed = 0.0f;
  ChannelLR channelLr;

  std::vector<float> mLineTable;
  float mWork[kMaxBlock] = {};
  float mEarly[kMaxBlock] = {};
  float mLate[kMaxBlock] = {};
  float mLineOut[kMaxLines][kMaxBlock] = {};
};

} // namespace Cloudseed
