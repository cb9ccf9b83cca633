#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Where a Motion LFO acts; Params holds it as a plain int.
enum EMotionDestination
{
  kMotionDestBlend = 0,
  kMotionDestFilter,
  kMotionDestSpace,
  kMotionDestAStart,
  kMotionDestBSpeed,
};

// The dual-sample atmosphere generator: two looping sample layers, their blend, a driven
// multi-mode filter, two Motion LFOs, the Space reverb and the output stage.
class BrimvaleEngine
{
public:
  enum FilterMode
  {
    kLowpass = 0,
    kHighpass,
    kBandpass,
    kNotch,
    kPeak,
    kAllpass,
  };

  enum LfoShape
  {
    kSine = 0,
    kTriangle,
    kRampUp,
    kRampDown,
    kRandom,
    kDrift,
    kGlider,
  };

  struct SampleBuffer
  {
    std::vector<float> left;
    std::vector<float> right;
    double sampleRate = 44100.0;
    std::string name = "No sample";
  };

  struct LayerState
  {
    double position = 0.0;
    double lastStart = -1.0; // below 0: no Start applied yet
  };

  struct LfoState
  {
    double phase = 0.0;
    double randomValue = 0.0;
    double driftPhase1 = 0.0;
    double driftPhase2 = 0.0;
    double gliderFrom = 0.0;
    double gliderTo = 0.0;
    double gliderValue = 0.0;
    bool randomReady = false;
    bool gliderReady = false;
    uint32_t seed = 0x12345678u;
  };

  struct StateVariableFilter
  {
    struct Output
    {
      double low;
      double high;
      double band;
    };

    void Reset() { ic1eq = ic2eq = 0.0; }
    void Set(double sampleRate, double cutoff, double resonance);
    void SetCoefficients(double gain, double damping);
    Output Process(double x);

    double g = 0.0, k = 1.0, a1 = 1.0, a2 = 0.0, a3 = 0.0;
    double ic1eq = 0.0, ic2eq = 0.0;
  };

  struct Biquad
  {
    void Reset() { z1 = z2 = 0.0; }
    // Only kAllpass is used; any other mode passes the signal through.
    void Set(double sampleRate, double frequency, double q, FilterMode mode);
    double Process(double x);

    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    double z1 = 0.0, z2 = 0.0;
  };

  struct Params
  {
    bool playA = true;
    bool playB = true;
    bool reverseA = false;
    bool reverseB = false;
    double levelA = 0.75;
    double levelB = 0.75;
    double panA = 0.0;
    double panB = 0.0;
    double startA = 0.0;
    double startB = 0.0;
    double speedA = 1.0;
    double speedB = 1.0;
    int32_t speedModeA = 0;
    int32_t speedModeB = 0;
    double semitonesA = 0.0;
    double semitonesB = 0.0;
    double blend = 0.5;
    double blendLfo = 0.0;
    double filterCutoff = 6200.0;
    double filterResonance = 0.85;
    double filterDrive = 1.15;
    double filterLfoA = 0.3;
    double filterLfoB = 0.2;
    int32_t filterMode = kLowpass;
    double motionARate = 0.08;
    double motionADepth = 0.45;
    int32_t motionAShape = kSine;
    int32_t motionADestination = kMotionDestFilter;
    double motionBRate = 0.13;
    double motionBDepth = 0.3;
    int32_t motionBShape = kSine;
    int32_t motionBDestination = kMotionDestFilter;
    double spaceMix = 0.42;
    double spaceSize = 0.78;
    double spaceDecay = 8.5;
    double spaceWidth = 1.12;
    double master = 0.85;
  };

  struct StereoSample
  {
    double left;
    double right;
  };

  struct CloudSeedSpace;

  BrimvaleEngine();
  ~BrimvaleEngine();
  BrimvaleEngine(const BrimvaleEngine&) = delete;
  BrimvaleEngine& operator=(const BrimvaleEngine&) = delete;

  void Reset(double sampleRate);

  // Decode on the caller's thread, then swap in under the lock; false leaves the layer as it was.
  bool LoadSampleA(const char* path);
  bool LoadSampleB(const char* path);
  void ClearSampleA();
  void ClearSampleB();
  void ClearSamples();

  void ProcessBlock(double** outputs, int nChans, int nFrames, const Params& params);

  static double RenderLfoSample(LfoState& state, double rate, double sampleRate, LfoShape shape);
  static double NextRandom(LfoState& state);
  static double EffectiveSampleSpeed(double speed, int speedMode, double semitones);
  static void ApplyMotionDestinations(double lfoA, double lfoB, const Params& params, double& blend,
                                      double& spaceMix, double& startA, double& speedB);
  static StereoSample RenderLayer(const SampleBuffer& buffer, LayerState& state, bool play, bool reverse,
                                  double level, double pan, double start, double speed, double hostRate);

  // Read on the thread that loads and clears samples (or while no block runs).
  const SampleBuffer& GetSampleA() const { return sampleA; }
  const SampleBuffer& GetSampleB() const { return sampleB; }
  double GetSampleRate() const { return sampleRate; }
  int32_t GetSpaceRate() const { return spaceRate; }
  const LfoState& GetLfoA() const { return lfoA; }
  const LfoState& GetLfoB() const { return lfoB; }
  const CloudSeedSpace* GetSpace() const { return space.get(); }

private:
  static int32_t ReverbRate(double engineRate);
  // Level and balance gains of a layer: lv cos(p pi/2) and lv sin(p pi/2).
  static StereoSample LayerGains(double level, double pan);
  static StereoSample RenderLayerWithGains(const SampleBuffer& buffer, LayerState& state, bool play, bool reverse,
                                           StereoSample gains, double start, double speed, double hostRate);
  bool LoadSample(const char* path, const char* fallbackName, SampleBuffer& target, LayerState& layer);
  void ClearLayer(SampleBuffer& target, LayerState& layer);
  void CreateSpace(int32_t rate);
  void RateSpace(int32_t rate);
  void ConfigureCloudSeed(const Params& params);
  void ProcessCloudSeedSpace(int nFrames, const Params& params);

  SampleBuffer sampleA;
  SampleBuffer sampleB;
  std::mutex mutex;
  LayerState layerA;
  LayerState layerB;
  double sampleRate = 44100.0;
  StateVariableFilter stage1Left, stage1Right;
  StateVariableFilter stage2Left, stage2Right;
  Biquad allpassLeft, allpassRight;
  std::unique_ptr<CloudSeedSpace> space;
  int32_t spaceRate = 0;
  std::vector<float> dryLeft, dryRight, wetLeft, wetRight;
  std::vector<double> spaceMixPerSample;
  LfoState lfoA;
  LfoState lfoB;
};
