// Ten seconds of the instrument as a host would record it: both layers playing a generated WAV,
// with automation moving the blend, the filter, the motion and the output.
#include "tests/host/BrimvaleModuleFixture.h"
#include "tools/host/Render.h"

#include <algorithm>
#include <cmath>

using namespace testhost;
using namespace Steinberg;

using RenderTest = BrimvaleModuleTest;

TEST_F(RenderTest, TenSecondsWithAutomationAreFiniteAudibleAndWithinTheSoftClip)
{
  const std::string wav = WriteTestWav("tone.wav", 2.0);
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState state = StateOf(*instance);
  state.pathA = wav;
  state.pathB = wav;
  ASSERT_EQ(instance->SetState(state.Bytes()), kResultOk);
  ASSERT_TRUE(instance->Start(48000.0, 512));

  constexpr int64_t kRate = 48000;
  std::vector<AutomationPoint> automation;
  for (int64_t second = 0; second < 10; ++second)
  {
    const double t = static_cast<double>(second) / 9.0;
    automation.push_back({second * kRate, 16, t});                            // Blend sweeps A to B
    automation.push_back({second * kRate + 1000, 18, 0.3 + 0.6 * t});         // cutoff opens
    automation.push_back({second * kRate + 2000, 23, (second % 6) / 5.0});    // every filter mode
    automation.push_back({second * kRate + 3000, 5, second % 2 ? 1.0 : 0.0}); // speed mode
    automation.push_back({second * kRate + 4000, 34, 0.4 + 0.6 * t});         // master up to its top
  }
  automation.push_back({3 * kRate, 27, 0.0}); // Motion A onto the blend
  automation.push_back({6 * kRate, 20, 1.0}); // full drive

  Channels out;
  ASSERT_TRUE(Render(*instance, 10 * kRate, 512, automation, out));
  ASSERT_EQ(out.size(), 2u);
  ASSERT_EQ(out[0].size(), static_cast<size_t>(10 * kRate));

  for (const auto& channel : out)
  {
    double sumSquares = 0.0;
    float peak = 0.0f;
    for (float s : channel)
    {
      ASSERT_TRUE(std::isfinite(s));
      peak = std::max(peak, std::fabs(s));
      sumSquares += static_cast<double>(s) * s;
    }
    EXPECT_LE(peak, 1.0f);
    EXPECT_GT(std::sqrt(sumSquares / static_cast<double>(channel.size())), 1e-3);
    // Every second of the render is audible, not just its start.
    for (int64_t second = 0; second < 10; ++second)
    {
      const auto begin = channel.begin() + second * kRate;
      const float secondPeak = std::fabs(
        *std::max_element(begin, begin + kRate, [](float a, float b) { return std::fabs(a) < std::fabs(b); }));
      EXPECT_GT(secondPeak, 1e-3f) << "second " << second;
    }
  }
}
