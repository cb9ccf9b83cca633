#pragma once

#include "engine/Biquad.h"
#include "engine/FilterMode.h"
#include "engine/MotionLfo.h"
#include "engine/SampleBuffer.h"
#include "engine/StateVariableFilter.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace brimvale::engine
{

// Where a Motion LFO acts; Params holds it as a plain int.
enum class EMotionDestination : int32_t
{
  kBlend = 0,
  kFilter,
  kSpace,
  kAStart,
  kBSpeed,
};

constexpr int kNumMotionDestinations = static_cast<int>(EMotionDestination::kBSpeed) + 1;

// The dual-sample atmosphere generator: two looping sample layers, their blend, a driven
// multi-mode filter, two Motion LFOs, the Space reverb and the output stage.
class BrimvaleEngine
{
public:
  // The engine's records, under the names its users know.
  using FilterMode = engine::FilterMode;
  using LfoShape = engine::LfoShape;
  using EMotionDestination = engine::EMotionDestination;
  using SampleBuffer = engine::SampleBuffer;
  using LfoState = engine::LfoState;
  using StateVariableFilter = engine::StateVariableFilter;
  using Biquad = engine::Biquad;

  struct LayerState
  {
    double position = 0.0;
    double lastStart = -1.0; // below 0: no Start applied yet
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
    int32_t filterMode = static_cast<int32_t>(FilterMode::kLowpass);
    double motionARate = 0.08;
    double motionADepth = 0.45;
    int32_t motionAShape = static_cast<int32_t>(LfoShape::kSine);
    int32_t motionADestination = static_cast<int32_t>(EMotionDestination::kFilter);
    double motionBRate = 0.13;
    double motionBDepth = 0.3;
    int32_t motionBShape = static_cast<int32_t>(LfoShape::kSine);
    int32_t motionBDestination = static_cast<int32_t>(EMotionDestination::kFilter);
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

  // Motion, layers, blend, filter, space and output stages of one block (BlockRendering.cpp).
  void ProcessBlock(double** outputs, int nChans, int nFrames, const Params& params);

  // Adds the Motion LFOs' values (already scaled by their depths) to the destinations they aim at.
  static void ApplyMotionDestinations(double lfoA, double lfoB, const Params& params, double& blend, double& spaceMix,
                                      double& startA, double& speedB);

  // A layer plays at 1/8 to 4 times its recorded rate.
  static constexpr double kMinSpeed = 0.125;
  static constexpr double kMaxSpeed = 4.0;
  // Each Filter LFO amount moves the cutoff by up to this much; the moved cutoff stays below the
  // ceiling (and below 0.45 of the rate).
  static constexpr double kFilterLfoSpanHz = 3600.0;
  static constexpr double kMaxModulatedCutoffHz = 18000.0;
  // A full-scale Motion LFO aimed at the Blend moves it by this share of the Blend LFO amount.
  static constexpr double kBlendSwing = 0.5;
  // A layer's playback speed from its Speed, Speed Mode and Semitones.
  static double EffectiveSampleSpeed(double speed, int speedMode, double semitones);
  // Level and balance gains of a layer: lv cos(p pi/2) and lv sin(p pi/2).
  static StereoSample LayerGains(double level, double pan);
  // One frame of a layer, advancing its play state.
  static StereoSample RenderLayer(const SampleBuffer& buffer, LayerState& state, bool play, bool reverse, double level,
                                  double pan, double start, double speed, double hostRate);
  // The same with the gains taken once per block.
  static StereoSample RenderLayerWithGains(const SampleBuffer& buffer, LayerState& state, bool play, bool reverse,
                                           StereoSample gains, double start, double speed, double hostRate);

  // Read on the thread that loads and clears samples (or while no block runs).
  const SampleBuffer& GetSampleA() const { return sampleA; }
  const SampleBuffer& GetSampleB() const { return sampleB; }
  double GetSampleRate() const { return sampleRate; }
  int32_t GetSpaceRate() const { return spaceRate; }
  const LfoState& GetLfoA() const { return lfoA; }
  const LfoState& GetLfoB() const { return lfoB; }
  const CloudSeedSpace* GetSpace() const { return space.get(); }

private:
  // Sample loading (SampleLoading.cpp).
  bool LoadSample(const char* path, const char* fallbackName, SampleBuffer& target, LayerState& layer);
  void ClearLayer(SampleBuffer& target, LayerState& layer);

  // The Space stage (SpaceStage.cpp).
  static int32_t ReverbRate(double engineRate);
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
  // What the Motion LFOs make of each sample's settings, and the driven blend of the two layers:
  // the block is worked out in passes through these, so that no pass waits on another's long
  // chain of dependent arithmetic for every sample.
  struct MovedSettings
  {
    double blend, startA, speedB, cutoff;
  };
  std::vector<MovedSettings> movedSettings;
  std::vector<StereoSample> drivenMix;
  LfoState lfoA;
  LfoState lfoB;
};

} // namespace brimvale::engine
