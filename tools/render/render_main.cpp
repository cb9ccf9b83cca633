// brimvale_render: loads a VST3 bundle, optionally gives the instance two sample files through its
// saved state, applies parameter values and automation, renders, and writes a 32-bit float WAV;
// optionally also a picture of the instance's editor after the render.
#include "tools/host/BrimvaleState.h"
#include "tools/host/ModuleHost.h"
#include "tools/host/Render.h"
#include "tools/render/EditorSnapshot.h"
#include "tools/wav/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace testhost;
using wavwriter::EWavFormat;
using wavwriter::WriteWav;

namespace
{

struct Options
{
  std::string bundle;
  std::string output;
  double seconds = 10.0;
  int rate = 48000;
  int block = 512;
  std::string sampleA;
  std::string sampleB;
  std::string editorPng;
  std::vector<AutomationPoint> automation;
};

int Usage()
{
  std::fprintf(stderr, "usage: brimvale_render BUNDLE OUT.wav [--seconds S] [--rate HZ] [--block N]\n"
                       "         [--sample-a WAV] [--sample-b WAV] [--param ID=NORM] [--at FRAME:ID=NORM]\n"
                       "         [--editor OUT.png]\n");
  return 2;
}

bool ParsePoint(const std::string& text, int64_t frame, std::vector<AutomationPoint>& points)
{
  unsigned id = 0;
  double value = 0.0;
  if (std::sscanf(text.c_str(), "%u=%lf", &id, &value) != 2 || value < 0.0 || value > 1.0)
    return false;
  points.push_back({frame, id, value});
  return true;
}

bool ParseArgs(int argc, char** argv, Options& o)
{
  if (argc < 3)
    return false;
  o.bundle = argv[1];
  o.output = argv[2];
  for (int i = 3; i < argc; ++i)
  {
    const std::string flag = argv[i];
    if (i + 1 >= argc)
      return false;
    const std::string value = argv[++i];
    if (flag == "--seconds")
      o.seconds = std::atof(value.c_str());
    else if (flag == "--rate")
      o.rate = std::atoi(value.c_str());
    else if (flag == "--block")
      o.block = std::atoi(value.c_str());
    else if (flag == "--sample-a")
      o.sampleA = value;
    else if (flag == "--sample-b")
      o.sampleB = value;
    else if (flag == "--editor")
      o.editorPng = value;
    else if (flag == "--param")
    {
      if (!ParsePoint(value, 0, o.automation))
        return false;
    }
    else if (flag == "--at")
    {
      const size_t colon = value.find(':');
      if (colon == std::string::npos ||
          !ParsePoint(value.substr(colon + 1), std::atoll(value.substr(0, colon).c_str()), o.automation))
        return false;
    }
    else
      return false;
  }
  return o.seconds > 0.0 && o.rate > 0 && o.block > 0;
}

// Below -80 dBFS nothing is heard: a render with samples loaded must rise above it.
constexpr double kSilentPeak = 1e-4;

struct Level
{
  double peak = 0.0;
  double rms = 0.0;
};

// Peak and RMS over all channels; a non-finite sample makes the peak non-finite.
Level Measure(const Channels& out)
{
  Level level;
  double sum = 0.0;
  size_t count = 0;
  for (const auto& channel : out)
    for (float s : channel)
    {
      const double magnitude = std::fabs(static_cast<double>(s));
      level.peak = std::isfinite(magnitude) ? std::max(level.peak, magnitude) : magnitude;
      sum += magnitude * magnitude;
      ++count;
    }
  level.rms = count ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
  return level;
}

double Decibels(double value)
{
  return 20.0 * std::log10(std::max(value, 1e-12));
}

} // namespace

int main(int argc, char** argv)
{
  Options o;
  if (!ParseArgs(argc, argv, o))
    return Usage();

  std::string error;
  auto module = LoadedModule::Load(o.bundle, error);
  if (!module)
  {
    std::fprintf(stderr, "cannot load %s: %s\n", o.bundle.c_str(), error.c_str());
    return 1;
  }
  auto classes = module->AudioClasses();
  if (classes.empty())
  {
    std::fprintf(stderr, "%s has no audio class\n", o.bundle.c_str());
    return 1;
  }
  NamedHostApplication host;
  auto instance = HostedInstance::Create(module, classes.front().ID(), &host, error);
  if (!instance)
  {
    std::fprintf(stderr, "cannot create the instance: %s\n", error.c_str());
    return 1;
  }

  if (!o.sampleA.empty() || !o.sampleB.empty())
  {
    std::vector<char> bytes;
    auto state = instance->GetState(bytes) ? BrimvaleState::Parse(bytes) : std::nullopt;
    if (!state)
    {
      std::fprintf(stderr, "the instance's state has an unknown layout\n");
      return 1;
    }
    state->pathA = o.sampleA;
    state->pathB = o.sampleB;
    if (instance->SetState(state->Bytes()) != Steinberg::kResultOk)
    {
      std::fprintf(stderr, "the instance refused the state\n");
      return 1;
    }
    // The instance keeps only the paths it could load, so its restored state tells which failed.
    auto restored = instance->GetState(bytes) ? BrimvaleState::Parse(bytes) : std::nullopt;
    if (!restored)
    {
      std::fprintf(stderr, "the instance gave back no readable state\n");
      return 1;
    }
    const bool lostA = restored->pathA != o.sampleA;
    const bool lostB = restored->pathB != o.sampleB;
    if (lostA)
      std::fprintf(stderr, "sample A did not load: %s\n", o.sampleA.c_str());
    if (lostB)
      std::fprintf(stderr, "sample B did not load: %s\n", o.sampleB.c_str());
    if (lostA || lostB)
      return 1;
  }

  if (!instance->Start(o.rate, o.block))
  {
    std::fprintf(stderr, "the instance refused the processing set-up\n");
    return 1;
  }
  Channels out;
  const auto frames = static_cast<int64_t>(std::llround(o.seconds * o.rate));
  if (!Render(*instance, frames, o.block, o.automation, out))
  {
    std::fprintf(stderr, "a process call failed\n");
    return 1;
  }
  instance->Stop();
  if (!o.editorPng.empty() && !WriteEditorSnapshot(*instance, o.editorPng, error))
  {
    std::fprintf(stderr, "editor picture: %s\n", error.c_str());
    return 1;
  }
  if (!WriteWav(o.output, out, o.rate, EWavFormat::kFloat32))
  {
    std::fprintf(stderr, "cannot write %s\n", o.output.c_str());
    return 1;
  }

  const Level level = Measure(out);
  std::printf("%s: %lld frames, %zu channels, peak %.4f (%.1f dBFS), rms %.4f (%.1f dBFS)\n", o.output.c_str(),
              static_cast<long long>(frames), out.size(), level.peak, Decibels(level.peak), level.rms,
              Decibels(level.rms));
  std::fflush(stdout); // the level stands before any verdict on it in a shared log
  if (!std::isfinite(level.peak))
  {
    std::fprintf(stderr, "the render holds samples that are not finite numbers\n");
    return 1;
  }
  if ((!o.sampleA.empty() || !o.sampleB.empty()) && level.peak < kSilentPeak)
  {
    std::fprintf(stderr, "the render is silent although samples were loaded\n");
    return 1;
  }
  return 0;
}
