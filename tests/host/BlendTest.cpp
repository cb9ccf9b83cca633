// Blend, heard through the module: layer A and layer B play tones of their own, and each end of the
// Blend control lets only one of them through.
#include "tests/host/BrimvaleModuleFixture.h"
#include "tests/support/SignalMeasures.h"
#include "tools/host/Render.h"

using namespace testhost;
using namespace Steinberg;
using signaltest::ToneAmplitude;

using BlendTest = BrimvaleModuleTest;

TEST_F(BlendTest, EachEndOfTheBlendLetsOneLayerThrough)
{
  // 4800 frames hold 44 cycles of A's tone and 100 of B's; the 4801-frame samples loop seamlessly
  // over 4800 frames.
  constexpr double kRate = 48000.0, kToneA = 440.0, kToneB = 1000.0;
  constexpr size_t kWindow = 4800;
  const std::string a = WriteToneWav("a.wav", kToneA, 4801, 0.3f);
  const std::string b = WriteToneWav("b.wav", kToneB, 4801, 0.3f);

  // Beside the blend everything stays as a user finds it: filter, motion and Space included. The
  // absent tone must lie 40 dB below the present one (the reverb's modulated lines leave a
  // broadband floor some 54 dB down); at the middle both are within 3 dB.
  struct Case
  {
    double blend;
    bool hearA, hearB;
  };
  const Case cases[] = {{0.0, true, false}, {1.0, false, true}, {0.5, true, true}};
  for (const Case& c : cases)
  {
    auto instance = MakeInstance();
    ASSERT_TRUE(instance);
    BrimvaleState state = StateOf(*instance);
    state.pathA = a;
    state.pathB = b;
    ASSERT_EQ(instance->SetState(state.Bytes()), kResultOk);
    ASSERT_TRUE(instance->Start(kRate, 480));
    Channels out;
    ASSERT_TRUE(Render(*instance, 6 * kWindow, 480, {{0, 16, c.blend}}, out));
    ASSERT_DOUBLE_EQ(StateOf(*instance).params[16], c.blend);
    ASSERT_EQ(out.size(), 2u);
    for (const auto& side : out)
    {
      // Half a second in, once the reverb has filled.
      const double levelA = ToneAmplitude(side, 5 * kWindow, kWindow, kToneA, kRate);
      const double levelB = ToneAmplitude(side, 5 * kWindow, kWindow, kToneB, kRate);
      const double louder = std::max(levelA, levelB);
      const std::string what = "blend " + std::to_string(c.blend) + ": A " + std::to_string(levelA) + ", B " +
                               std::to_string(levelB);
      EXPECT_GT(louder, 0.05) << what;
      EXPECT_EQ(levelA > louder * 1e-2, c.hearA) << what;
      EXPECT_EQ(levelB > louder * 1e-2, c.hearB) << what;
      if (c.hearA && c.hearB)
      {
        EXPECT_GT(levelA / levelB, 0.708) << what;
        EXPECT_LT(levelA / levelB, 1.413) << what;
      }
    }
  }
}
