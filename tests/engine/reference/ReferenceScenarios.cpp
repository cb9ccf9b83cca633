#include "tests/engine/reference/ReferenceScenarios.h"

#include "engine/BrimvaleEngine.h"
#include "tests/engine/support/TestWavFiles.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace referencerender
{
namespace
{
using brimvale::engine::BrimvaleEngine;
using Params = BrimvaleEngine::Params;

// Settings of a block, by the time it starts at.
using Performance = std::function<void(double seconds, Params&)>;

constexpr int kSampleRate = 48000;
constexpr int kBlockSize = 480; // a hundred blocks a second

struct Scenario
{
  std::string name;
  Performance perform;
  int rate = kSampleRate;
  std::vector<int> blockLengths = {kBlockSize}; // taken in turn
};

void Defaults(double, Params&)
{}

const std::vector<Scenario>& Scenarios()
{
  static const std::vector<Scenario> scenarios = {
    {"default", Defaults},
    // The longest, fullest tail through the sharpest filter peak, where small differences would
    // ring longest.
    {"large_space_resonant",
     [](double, Params& p) {
       p.spaceSize = 1.0;
       p.spaceDecay = 12.0;
       p.filterResonance = 8.0;
       p.filterMode = 1; // Highpass
     }},
    // Both Motion LFOs at full depth, turning through every destination and the Drift shape, into
    // the allpass filter.
    {"all_motion",
     [](double seconds, Params& p) {
       p.motionADepth = p.motionBDepth = 1.0;
       p.motionAShape = 5; // Drift
       p.motionARate = p.motionBRate = 3.0;
       p.blendLfo = 1.0;
       p.motionADestination = static_cast<int>(seconds) % 5;
       p.motionBDestination = (static_cast<int>(seconds) + 2) % 5;
       p.filterMode = 5; // Allpass
     }},
    // Three seconds of sound, then the tail alone.
    {"tail", [](double seconds, Params& p) { p.playA = p.playB = seconds < 3.0; }},
    // The defaults again at the two other common host rates, and in blocks whose lengths change
    // every time: single frames, odd lengths, and blocks longer than the reverb's chunk of 1024
    // frames (3000 is three chunks).
    {"default_44100", Defaults, 44100},
    {"default_96000", Defaults, 96000},
    {"default_uneven_blocks", Defaults, kSampleRate, {1, 7, 64, 333, 512, 1024, 1025, 3000, 2, 97}},
  };
  return scenarios;
}

const Scenario* FindScenario(const std::string& name)
{
  for (const Scenario& s : Scenarios())
    if (s.name == name)
      return &s;
  return nullptr;
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

int ScenarioRate(const std::string& name)
{
  const Scenario* scenario = FindScenario(name);
  return scenario ? scenario->rate : 0;
}

std::vector<double> RenderScenario(const std::string& name)
{
  const Scenario* scenario = FindScenario(name);
  if (scenario == nullptr)
    return {};

  // Two different tones, so that the blend and every layer setting show in the numbers.
  const enginetest::TempFolder folder;
  const std::string pathA = folder.Write("a.wav",
                                         enginetest::StereoSineWav(kSampleRate, 4 * kSampleRate, 220.0, 331.0, 0.5));
  const std::string pathB = folder.Write(
    "b.wav", enginetest::StereoSineWav(kSampleRate, 3 * kSampleRate + 77, 147.0, 523.0, 0.6));

  auto engine = std::make_unique<BrimvaleEngine>();
  engine->Reset(scenario->rate);
  if (!engine->LoadSampleA(pathA.c_str()) || !engine->LoadSampleB(pathB.c_str()))
    return {};

  const std::vector<int>& lengths = scenario->blockLengths;
  const int frames = scenario->rate * kSeconds;
  const size_t longest = static_cast<size_t>(*std::max_element(lengths.begin(), lengths.end()));
  std::vector<double> left(longest), right(longest), interleaved;
  interleaved.reserve(2 * static_cast<size_t>(frames));
  double* outputs[2] = {left.data(), right.data()};
  for (int done = 0, block = 0; done < frames; ++block)
  {
    const int n = std::min(lengths[static_cast<size_t>(block) % lengths.size()], frames - done);
    Params params;
    scenario->perform(static_cast<double>(done) / scenario->rate, params);
    engine->ProcessBlock(outputs, 2, n, params);
    for (int i = 0; i < n; ++i)
    {
      interleaved.push_back(left[i]);
      interleaved.push_back(right[i]);
    }
    done += n;
  }
  return interleaved;
}

std::string RenderFile(const std::string& folder, const std::string& name)
{
  return folder + "/" + name + ".f64";
}

} // namespace referencerender
