#pragma once

namespace Cloudseed
{

// One-pole lowpass: the late lines' damping and the channel's input high cut.
class OnePoleLowpass
{
public:
  OnePoleLowpass(float rate, float cutoffHz);

  void SetSamplerate(float rate) { sampleRate = rate; } // the owner sets the cutoff again afterwards
  void SetCutoffHz(float hz);
  void Process(float* buffer, int n);
  // count filters, each over its own buffer of n samples, interleaved: the filters' recursions
  // are independent, so running them side by side hides each one's latency.
  static void ProcessSideBySide(OnePoleLowpass* const* filters, float* const* buffers, int count, int n);
  void ClearBuffers() { state = 0.0f; }

  float sampleRate;
  float b = 1.0f;
  float a = 0.0f;
  float cutoff = 0.0f;
  float state = 0.0f;
};

// One-pole highpass (the input minus a one-pole lowpass of it): the channel's input low cut.
class OnePoleHighpass
{
public:
  OnePoleHighpass(float rate, float cutoffHz);

  void SetSamplerate(float rate) { sampleRate = rate; }
  void SetCutoffHz(float hz);
  void Process(float* buffer, int n);
  void ClearBuffers()
  {
    state = 0.0f;
    lastOutput = 0.0f;
  }

  float sampleRate;
  float b = 1.0f;
  float a = 0.0f;
  float state = 0.0f;
  float cutoff = 0.0f;
  float lastOutput = 0.0f;
};

} // namespace Cloudseed
