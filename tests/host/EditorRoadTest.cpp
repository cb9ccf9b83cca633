// The editor road through a real module: the host attaches the view of a small instrument with a
// drawn editor, and mouse, wheel, keys, typed values and the platform's menus reach its parameters
// and the host's edit gestures, in order.
#include "tests/host/EditorRoadFixture.h"

namespace testhost
{
namespace
{

class EditorRoad : public EditorRoadFixture
{
protected:
  EditorRoad() : EditorRoadFixture(EDITOR_TEST_BUNDLE_PATH) {}
};

} // namespace

TEST_F(EditorRoad, AVerticalDragTurnsTheKnobInOneGestureAndShiftIsTenTimesFiner)
{
  // Four steps of 8 pixels on an 80 pixel knob geared 4: 0.025 each.
  DragUp(kEditorTestGainKnob, 4);
  EXPECT_EQ(Taken(),
            (Calls{"begin 0", Perform(0, 0.525), Perform(0, 0.55), Perform(0, 0.575), Perform(0, 0.6), "end 0"}));
  EXPECT_NEAR(Normalized(kEditorTestGain), 0.6, 1e-9);

  DragUp(kEditorTestGainKnob, 4, kHeadlessLeft | kHeadlessShift);
  EXPECT_EQ(Taken(),
            (Calls{"begin 0", Perform(0, 0.6025), Perform(0, 0.605), Perform(0, 0.6075), Perform(0, 0.61), "end 0"}));
}

TEST_F(EditorRoad, AWheelNotchMovesASteppedParameterOneStep)
{
  const auto& r = kEditorTestStepsKnob;
  EXPECT_EQ(Send(kHeadlessWheel, r.MW(), r.MH(), 0.f, 0.f, 0), 1);
  HeadlessEvent notch{};
  notch.type = kHeadlessWheel;
  notch.x = r.MW();
  notch.y = r.MH();
  notch.delta = 3.f;
  window.send(window.editor, &notch);
  notch.delta = -1.f;
  window.send(window.editor, &notch);
  // A still wheel leaves the value where it was; a notch either way is one step, however large.
  EXPECT_EQ(Taken(), (Calls{"begin 1", Perform(1, 0.5), "end 1", "begin 1", Perform(1, 0.6), "end 1", "begin 1",
                            Perform(1, 0.5), "end 1"}));
}

TEST_F(EditorRoad, RightClickOnAParameterKnobAsksTheHostForItsMenuWithoutAnEdit)
{
  Click(kEditorTestGainKnob.MW(), kEditorTestGainKnob.MH(), kHeadlessRight);
  EXPECT_EQ(Taken(), (Calls{"menu 0 with view", "popup 60,60"}));
  EXPECT_NEAR(Normalized(kEditorTestGain), 0.5, 1e-9);
}

TEST_F(EditorRoad, ATypedValueIsClampedToTheRangeAndEditsInItsOwnGesture)
{
  // Answered later, as a user types after releasing the mouse.
  Click(kEditorTestLevelCaption.MW(), kEditorTestLevelCaption.MH());
  EXPECT_EQ(script.shownTexts, (std::vector<std::string>{"50.0"}));
  EXPECT_EQ(Taken(), (Calls{"begin 2", "end 2"}));

  HeadlessEvent typed{};
  typed.type = kHeadlessTextEntryDone;
  typed.text = "150";
  EXPECT_EQ(window.send(window.editor, &typed), 1);
  EXPECT_EQ(Taken(), (Calls{"begin 2", Perform(2, 1.0), "end 2"}));
  EXPECT_NEAR(Normalized(kEditorTestLevel), 1.0, 1e-9);

  // Answered at once: the press's own gesture covers the edit.
  script.typed = "25";
  Click(kEditorTestLevelCaption.MW(), kEditorTestLevelCaption.MH());
  EXPECT_EQ(Taken(), (Calls{"begin 2", Perform(2, 0.25), "end 2"}));

  // A cancelled entry edits nothing; an answer with no entry open is refused.
  script.typed = nullptr;
  Click(kEditorTestLevelCaption.MW(), kEditorTestLevelCaption.MH());
  Taken();
  typed.text = nullptr;
  EXPECT_EQ(window.send(window.editor, &typed), 1);
  EXPECT_EQ(window.send(window.editor, &typed), 0);
  EXPECT_TRUE(Taken().empty());
  EXPECT_NEAR(Normalized(kEditorTestLevel), 0.25, 1e-9);
}

TEST_F(EditorRoad, AnEnumPromptsWithAMenuAndBothMenuKindsEndTheGesture)
{
  // Chosen at once: the whole edit happens inside the press.
  script.choice = 2;
  Click(kEditorTestModeCaption.MW(), kEditorTestModeCaption.MH());
  EXPECT_EQ(script.menus, (std::vector<std::string>{"Mode: Soft *Warm Bright Dark"}));
  EXPECT_TRUE(script.shownTexts.empty());
  EXPECT_EQ(Taken(), (Calls{"begin 3", Perform(3, 2.0 / 3.0), "end 3"}));

  // Chosen later: the release ends nothing, the choice edits and ends the gesture.
  script.choice = kHeadlessAnswerLater;
  Click(kEditorTestModeCaption.MW(), kEditorTestModeCaption.MH());
  EXPECT_EQ(script.menus.back(), "Mode: Soft Warm *Bright Dark");
  EXPECT_EQ(Taken(), (Calls{"begin 3"}));
  HeadlessEvent chosen{};
  chosen.type = kHeadlessMenuDone;
  chosen.menuChoice = 0;
  EXPECT_EQ(window.send(window.editor, &chosen), 1);
  EXPECT_EQ(Taken(), (Calls{Perform(3, 0.0), "end 3"}));

  // Dismissed later: the gesture ends without an edit.
  Click(kEditorTestModeCaption.MW(), kEditorTestModeCaption.MH());
  chosen.menuChoice = -1;
  window.send(window.editor, &chosen);
  EXPECT_EQ(Taken(), (Calls{"begin 3", "end 3"}));
  EXPECT_NEAR(Normalized(kEditorTestMode), 0.0, 1e-9);
}

TEST_F(EditorRoad, HostEditsMoveTheControlsWithoutAnEcho)
{
  instance->Controller().setParamNormalized(kEditorTestGain, 0.25);
  // The knob starts its next drag from the host's value.
  DragUp(kEditorTestGainKnob, 1);
  EXPECT_EQ(Taken(), (Calls{"begin 0", Perform(0, 0.275), "end 0"}));
}

TEST_F(EditorRoad, RemovingTheViewMidDragEndsTheGestureAndTheEditorReopens)
{
  Send(kHeadlessMouseDown, kEditorTestGainKnob.MW(), kEditorTestGainKnob.MH());
  Send(kHeadlessMouseDrag, kEditorTestGainKnob.MW(), 52.f, 0.f, -8.f);
  ASSERT_EQ(view->Remove(), Steinberg::kResultOk);
  EXPECT_EQ(window.send, nullptr);
  EXPECT_EQ(Taken(), (Calls{"begin 0", Perform(0, 0.525), "end 0"}));

  ASSERT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), Steinberg::kResultOk);
  DragUp(kEditorTestGainKnob, 1);
  EXPECT_EQ(Taken(), (Calls{"begin 0", Perform(0, 0.55), "end 0"}));
}

TEST_F(EditorRoad, TheEditorFollowsItsParentWindowAndTheSizeChecks)
{
  auto tick = [this] { return Send(kHeadlessTick, 0.f, 0.f, 0.f, 0.f, 0); };
  tick();
  ASSERT_EQ(tick(), 0); // nothing left to draw

  // A new parent size resizes the editor, which redraws everything; the same size again changes
  // nothing.
  Steinberg::ViewRect parent(0, 0, 600, 300);
  EXPECT_EQ(view->View().onSize(&parent), Steinberg::kResultOk);
  EXPECT_EQ(tick(), 1);
  EXPECT_EQ(view->View().onSize(&parent), Steinberg::kResultOk);
  EXPECT_EQ(tick(), 0);
  auto size = view->Size();
  ASSERT_TRUE(size);
  // The size the editor took: a host that reads it back keeps its window there.
  EXPECT_EQ(size->getWidth(), 600);
  EXPECT_EQ(size->getHeight(), 300);
  Steinberg::ViewRect tooSmall(10, 20, 50, 40);
  EXPECT_EQ(view->View().checkSizeConstraint(&tooSmall), Steinberg::kResultOk);
  EXPECT_EQ(tooSmall.left, 10);
  EXPECT_EQ(tooSmall.top, 20);
  EXPECT_EQ(tooSmall.getWidth(), kEditorTestWidth / 2);
  EXPECT_EQ(tooSmall.getHeight(), kEditorTestHeight / 2);

  // The host's keys reach the editor; none is taken here.
  EXPECT_EQ(view->View().onKeyDown('a', 0, 0), Steinberg::kResultFalse);
}

TEST_F(EditorRoad, AttachingAndRemovingTwentyTimesAndReleasingWhileAttachedLeaveThePlugInWorking)
{
  for (int i = 0; i < 20; ++i)
  {
    ASSERT_EQ(view->Remove(), Steinberg::kResultOk);
    ASSERT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), Steinberg::kResultOk) << i;
    DragUp(kEditorTestGainKnob, 1);
  }
  EXPECT_NEAR(Normalized(kEditorTestGain), 0.5 + 20 * 0.025, 1e-9);

  // Released while attached: the editor closes with it.
  view.reset();
  EXPECT_EQ(window.send, nullptr);
  ASSERT_TRUE(instance->Start(48000.0, 256));
  EXPECT_EQ(instance->Process(256), Steinberg::kResultOk);
  view = HostedView::Create(*instance);
  ASSERT_TRUE(view);
  EXPECT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), Steinberg::kResultOk);
}

// A native menu or text field runs a modal loop in which the host may close the editor (on project
// close, say). The editor then takes no answer, and its gestures end with it.
TEST_F(EditorRoad, AnEditorClosedWhileItsMenuOrTextEntryIsUpTakesNoAnswer)
{
  struct Case
  {
    const char* name;
    iplug::igraphics::IRECT control;
    int paramIdx;
    double before;
  };
  const Case cases[] = {
    {"menu", kEditorTestModeCaption, kEditorTestMode, 1.0 / 3.0},
    {"text entry", kEditorTestLevelCaption, kEditorTestLevel, 0.5},
  };
  script.choice = 2;
  script.typed = "25";
  script.whilePromptIsUp = [this] { ASSERT_EQ(view->Remove(), Steinberg::kResultOk); };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    Send(kHeadlessMouseDown, c.control.MW(), c.control.MH());
    EXPECT_EQ(window.send, nullptr) << "the host closed the editor";
    const std::string id = std::to_string(c.paramIdx);
    EXPECT_EQ(Taken(), (Calls{"begin " + id, "end " + id}));
    EXPECT_NEAR(Normalized(c.paramIdx), c.before, 1e-9);

    ASSERT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), Steinberg::kResultOk);
  }
  script.whilePromptIsUp = nullptr;
  DragUp(kEditorTestGainKnob, 1);
  EXPECT_EQ(Taken(), (Calls{"begin 0", Perform(0, 0.525), "end 0"})) << "the reopened editor works";
}

} // namespace testhost
