#include "tests/engine/reference/ReferenceScenarios.h"

#include "engine/BrimvaleEngine.h"
#include "tests/engine/support/TestWavFiles.h"

#include <functional>
#include <memory>

namespace referencerender
{
namespace
{
using Params = BrimvaleEngine::Params;

// Settings of a block, by the block's number.
using Performance = std::function<void(int block, Params&)>;

struct Scenario
{
  std::string name;
  Performance perform;
};

constexpr int kBlocksPerSecond = kSampleRate / kBlockSize;

const std::vector<Scenario>& Scenarios()
{
  static const std::vector<Scenario> scenarios = {
    {"default", [](int, Params&) {}},
    // The longest, fullest tail through the sharpest filter peak, where small differences would
    // ring longest.
    {"large_space_resonant",
     [](int, Params& p) {
       p.spaceSize = 1.0;
       p.spaceDecay = 12.0;
       p.filterResonance = 8.0;
       p.filterMode = 1; // Highpass
     }},
    // Both Motion LFOs at full depth, turning through every destination and the Drift shape, into
    // the allpass filter.
    {"all_motion",
     [](int block, Params& p) {
       p.motionADepth = p.motionBDepth = 1.0;
       p.motionAShape = 5; // Drift
       p.motionARate = p.motionBRate = 3.0;
       p.blendLfo = 1.0;
       p.motionADestination = (block / kBlocksPerSecond) % 5;
       p.motionBDestination = (block / kBlocksPerSecond + 2) % 5;
       p.filterMode = 5; // Allpass
     }},
    // Three seconds of sound, then the tail alone.
    {"tail", [](int block, Params& p) { p.playA = p.playB = block < 3 * kBlocksPerSecond; }},
  };
  return scenarios;
}
} // namespace

const std::vector<std::string>& ScenarioNames()
{
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const Scenario& s : Scenarios())
      all.push_back(s.name);
    return all;
  }();
  return names;
}

std::vector<double> RenderScenario(const std::string& name)
{
  const Scenario* scenario = nullptr;
  for (const Scenario& s : Scenarios())
    if (s.name == name)
      scenario = &s;
  if (scenario == nullptr)
    return {};

  // Two different tones, so that the blend and every layer setting show in the numbers.
  const enginetest::TempFolder folder;
  const std::string pathA = folder.Write("a.wav",
                                         enginetest::StereoSineWav(kSampleRate, 4 * kSampleRate, 220.0, 331.0, 0.5));
  const std::string pathB = folder.Write(
    "b.wav", enginetest::StereoSineWav(kSampleRate, 3 * kSampleRate + 77, 147.0, 523.0, 0.6));

  auto engine = std::make_unique<BrimvaleEngine>();
  engine->Reset(kSampleRate);
  if (!engine->LoadSampleA(pathA.c_str()) || !engine->LoadSampleB(pathB.c_str()))
    return {};

  std::vector<double> left(kBlockSize), right(kBlockSize), interleaved;
  interleaved.reserve(2 * static_cast<size_t>(kSampleRate) * kSeconds);
  double* outputs[2] = {left.data(), right.data()};
  for (int block = 0; block < kSeconds * kBlocksPerSecond; ++block)
  {
    Params params;
    scenario->perform(block, params);
    engine->ProcessBlock(outputs, 2, kBlockSize, params);
    for (int i = 0; i < kBlockSize; ++i)
    {
      interleaved.push_back(left[i]);
      interleaved.push_back(right[i]);
    }
  }
  return interleaved;
}

std::string RenderFile(const std::string& folder, const std::string& name)
{
  return folder + "/" + name + ".f64";
}

} // namespace referencerender
