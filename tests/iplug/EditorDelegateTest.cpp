#include <gtest/gtest.h>

#include "tests/iplug/TestPlug.h"

using namespace iplug;
using iplug::test::MakeTestConfig;
using iplug::test::TestPlug;

TEST(EditorDelegate, OpeningSendsEveryNormalisedValueInOrder)
{
  TestPlug plug(MakeTestConfig(3));
  plug.GetParam(0)->InitDouble("Linear", 25.0, 0.0, 100.0, 0.01);
  plug.GetParam(1)->InitInt("Stepped", 2, 0, 4);
  plug.GetParam(2)->InitDouble("Curve", 0.25, 0.0, 1.0, 0.001, "", 0, "", IParam::ShapePowCurve(2.0));
  plug.GetParam(2)->Set(7.0); // out of range values reach the editor clamped

  EXPECT_EQ(plug.OpenWindow(nullptr), nullptr);
  ASSERT_EQ(plug.delegateValues.size(), 3u);
  EXPECT_DOUBLE_EQ(plug.delegateValues[0], 0.25);
  EXPECT_DOUBLE_EQ(plug.delegateValues[1], 0.5);
  EXPECT_DOUBLE_EQ(plug.delegateValues[2], 1.0);
  EXPECT_EQ(plug.events, (std::vector<std::string>{"changeUI 0 4", "changeUI 1 4", "changeUI 2 4"}));
}

TEST(EditorDelegate, ResetNotifiesEachParameterTwiceInIndexOrder)
{
  TestPlug plug(MakeTestConfig(2));
  plug.OnParamReset(kPresetRecall);
  EXPECT_EQ(plug.events, (std::vector<std::string>{"change 0 2 -1", "changeUI 0 2", "change 1 2 -1", "changeUI 1 2"}));
}

TEST(EditorDelegate, MessagesFromTheDelegateReachOnMessage)
{
  TestPlug plug(MakeTestConfig(0));
  plug.SendControlMsgFromDelegate(3, 1002, 8, nullptr);
  plug.SendArbitraryMsgFromDelegate(55, 4, nullptr);
  plug.SendArbitraryMsgFromUI(9, 2, 1, nullptr);
  EXPECT_EQ(plug.events, (std::vector<std::string>{"message 1002 3 8", "message 55 -1 4", "message 9 2 1"}));
}

TEST(EditorDelegate, DefaultEditorValueRoadStoresAndNotifies)
{
  struct BareDelegate : IEditorDelegate
  {
    BareDelegate() : IEditorDelegate(1) {}
    void BeginInformHostOfParamChangeFromUI(int) override {}
    void EndInformHostOfParamChangeFromUI(int) override {}
    void OnParamChangeUI(int idx, EParamSource source) override
    {
      lastIdx = idx;
      lastSource = source;
    }
    int lastIdx = -1;
    EParamSource lastSource = kReset;
  } dlg;
  dlg.GetParam(0)->InitInt("Steps", 0, 0, 10);
  dlg.SendParameterValueFromUI(0, 0.26);
  EXPECT_EQ(dlg.GetParam(0)->Value(), 3.0);
  EXPECT_EQ(dlg.lastSource, kUI);
  dlg.SendParameterValueFromUI(5, 0.5);
  EXPECT_EQ(dlg.lastIdx, 0);
  EXPECT_EQ(dlg.GetParamNormalized(5), 0.0);
}
