// The timer's idle work: the Motion previews run only while the editor is open and move the blend
// knob, the filter display and the panel's scopes.
#include "tests/plugin/ObservedBrimvale.h"
#include "utility/MathConstants.h"

#include "plugin/BrimvaleMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace
{

using brimvale::engine::EMotionDestination;

void SetValue(Brimvale& plug, int idx, double value)
{
  plug.GetParam(idx)->Set(value);
}

double ValueSentTo(const ObservedBrimvale& plug, int ctrlTag)
{
  for (auto it = plug.controlValues.rbegin(); it != plug.controlValues.rend(); ++it)
    if (it->first == ctrlTag)
      return it->second;
  return -1.0;
}

} // namespace

TEST(BrimvaleIdle, WithTheEditorClosedOnlyTheMeterIsDrained)
{
  auto plug = MakeObserved();
  for (int tick = 0; tick < 10; ++tick)
    plug->OnIdle();
  EXPECT_DOUBLE_EQ(plug->GetPreviewPhaseA(), 0.0);
  EXPECT_DOUBLE_EQ(plug->GetPreviewPhaseB(), 0.25);
  EXPECT_TRUE(plug->controlValues.empty());
  EXPECT_TRUE(plug->controlMsgs.empty());

  // A state restore with the editor closed leaves it closed.
  plug->OnRestoreState();
  plug->OnIdle();
  EXPECT_DOUBLE_EQ(plug->GetPreviewPhaseA(), 0.0);
  EXPECT_TRUE(plug->controlMsgs.empty());

  // After the editor was open and closed again, the previews stop where they were.
  ASSERT_TRUE(plug->OpenEditor());
  plug->OnIdle();
  plug->CloseWindow();
  const double phase = plug->GetPreviewPhaseA();
  plug->OnIdle();
  EXPECT_DOUBLE_EQ(plug->GetPreviewPhaseA(), phase);
}

TEST(BrimvaleIdle, MotionOnTheBlendMovesTheKnobOnlyWhenAimedAtIt)
{
  const struct
  {
    EMotionDestination destA;
    double expectedBlend;
  } cases[] = {
    {EMotionDestination::kBlend, 1.0},  // 0.5 + sine peak * depth 1 * Blend LFO 1 * 0.5
    {EMotionDestination::kFilter, 0.5}, // the knob stays on the parameter value
  };
  for (const auto& c : cases)
  {
    auto plug = MakeObserved();
    ASSERT_TRUE(plug->OpenEditor());
    SetValue(*plug, kMotionADestination, static_cast<int>(c.destA));
    SetValue(*plug, kMotionADepth, 1.0);
    SetValue(*plug, kMotionARate, 5.0); // a quarter cycle per tick: the first tick is the sine's peak
    SetValue(*plug, kBlendLfo, 1.0);
    plug->Forget();
    plug->OnIdle();
    EXPECT_DOUBLE_EQ(plug->GetPreviewPhaseA(), 0.25);
    EXPECT_NEAR(ValueSentTo(*plug, kCtrlTagBlend), c.expectedBlend, 1e-12) << static_cast<int>(c.destA);
  }
}

TEST(BrimvaleIdle, TheFilterDisplayShowsTheModulatedCutoffWithinItsLimits)
{
  auto plug = MakeObserved();
  ASSERT_TRUE(plug->OpenEditor());
  SetValue(*plug, kFilterCutoff, 20.0);
  SetValue(*plug, kFilterLfoA, 0.0);
  SetValue(*plug, kFilterLfoB, 0.0);
  plug->OnIdle();
  const ControlMsg* msg = plug->LastMsg(kMsgTagFilterDisplay);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->ctrlTag, kCtrlTagFilterDisplay);
  ASSERT_EQ(msg->data.size(), 8u);
  double n = 0.0;
  std::memcpy(&n, msg->data.data(), 8);
  EXPECT_NEAR(n, std::cbrt((40.0 - 20.0) / 19980.0), 1e-12);
}

TEST(BrimvaleIdle, ThePanelReceivesBothPreviewsInOneRecord)
{
  auto plug = MakeObserved();
  ASSERT_TRUE(plug->OpenEditor());
  SetValue(*plug, kMotionARate, 2.0);
  SetValue(*plug, kMotionBRate, 40.0); // beyond the range: an idle tick moves at most a whole cycle
  SetValue(*plug, kMotionAShape, 6.0);
  SetValue(*plug, kMotionBDepth, 1.7);
  SetValue(*plug, kBlendLfo, 0.4);
  plug->OnIdle();
  const ControlMsg* msg = plug->LastMsg(kMsgTagPanelScope);
  ASSERT_TRUE(msg);
  EXPECT_EQ(msg->ctrlTag, kCtrlTagPanel);
  ASSERT_EQ(msg->data.size(), 56u);
  double d[6];
  int32_t shapes[2];
  std::memcpy(d, msg->data.data(), sizeof(d));
  std::memcpy(shapes, msg->data.data() + 48, sizeof(shapes));
  EXPECT_NEAR(d[2], 0.1, 1e-12);
  EXPECT_NEAR(d[0], brimvale::utility::kTwoPi * 0.1, 1e-12);
  EXPECT_DOUBLE_EQ(d[1], 0.4);
  EXPECT_NEAR(d[3], 0.25, 1e-12);
  EXPECT_DOUBLE_EQ(d[4], 0.45);
  EXPECT_DOUBLE_EQ(d[5], 1.0);
  EXPECT_EQ(shapes[0], 6);
  EXPECT_EQ(shapes[1], 0);
}
