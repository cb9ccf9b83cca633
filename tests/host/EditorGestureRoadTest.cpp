// Every way a user edits through the editor, as a host records it: each path's calls keep the
// host's edit protocol, and the paths that edit do edit.
#include "tests/host/EditorRoadFixture.h"
#include "tests/host/HostCallChecks.h"

#include <algorithm>
#include <functional>

namespace testhost
{
namespace
{

class EditorGestureRoad;

struct InputPath
{
  const char* name;
  const char* bundle;
  std::function<void(EditorGestureRoad&)> act;
  bool edits;
};

class EditorGestureRoad : public EditorRoadFixture, public ::testing::WithParamInterface<InputPath>
{
public:
  EditorGestureRoad() : EditorRoadFixture(GetParam().bundle) {}

  using EditorRoadFixture::Click;
  using EditorRoadFixture::DragUp;
  using EditorRoadFixture::script;
  using EditorRoadFixture::Send;
  using EditorRoadFixture::view;
  using EditorRoadFixture::window;

  void Wheel(const iplug::igraphics::IRECT& r, float delta)
  {
    HeadlessEvent notch = headless::PointerEvent(kHeadlessWheel, r.MW(), r.MH(), 0);
    notch.delta = delta;
    window.send(window.editor, &notch);
  }

  // The second press of a double click and its release; the first press is a click of its own.
  void DoubleClick(const iplug::igraphics::IRECT& r)
  {
    Send(kHeadlessDoubleClick, r.MW(), r.MH());
    Send(kHeadlessMouseUp, r.MW(), r.MH());
  }

  void PressAndDrag(const iplug::igraphics::IRECT& r)
  {
    Send(kHeadlessMouseDown, r.MW(), r.MH());
    Send(kHeadlessMouseDrag, r.MW(), r.MH() - 8.f, 0.f, -8.f);
  }
};

const auto& kGain = kEditorTestGainKnob;
const float kCornerX = kEditorTestWidth - 5.f;
const float kCornerY = kEditorTestHeight - 5.f;

const InputPath kPaths[] = {
  {"Drag", EDITOR_TEST_BUNDLE_PATH, [](EditorGestureRoad& t) { t.DragUp(kGain, 4); }, true},
  {"WheelOverAKnob", EDITOR_TEST_BUNDLE_PATH, [](EditorGestureRoad& t) { t.Wheel(kGain, 1.f); }, true},
  {"WheelOverAControlThatIgnoresIt", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) { t.Wheel(kEditorTestLevelCaption, 1.f); }, false},
  {"DoubleClickOnAKnobToItsDefault", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.DragUp(kGain, 2);
     t.DoubleClick(kGain);
   },
   true},
  {"MenuChosenAtOnce", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.script.choice = 2;
     t.Click(kEditorTestModeCaption.MW(), kEditorTestModeCaption.MH());
   },
   true},
  {"MenuChosenLater", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.script.choice = kHeadlessAnswerLater;
     t.Click(kEditorTestModeCaption.MW(), kEditorTestModeCaption.MH());
     HeadlessEvent chosen{};
     chosen.type = kHeadlessMenuDone;
     chosen.menuChoice = 0;
     t.window.send(t.window.editor, &chosen);
   },
   true},
  {"TypedValue", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.script.typed = "25";
     t.Click(kEditorTestLevelCaption.MW(), kEditorTestLevelCaption.MH());
   },
   true},
  {"RightClickMidDrag", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.PressAndDrag(kGain);
     t.Send(kHeadlessMouseDown, kGain.MW(), kGain.MH(), 0.f, 0.f, kHeadlessLeft | kHeadlessRight);
     t.Send(kHeadlessMouseUp, kGain.MW(), kGain.MH(), 0.f, 0.f, kHeadlessLeft);
     t.Send(kHeadlessMouseUp, kGain.MW(), kGain.MH(), 0.f, 0.f, 0);
   },
   true},
  {"CornerResize", EDITOR_TEST_DRAWN_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.Send(kHeadlessMouseDown, kCornerX, kCornerY);
     t.Send(kHeadlessMouseDrag, kCornerX * 1.25f, kCornerY * 1.25f, kCornerX * 0.25f, kCornerY * 0.25f);
     t.Send(kHeadlessMouseUp, kCornerX * 1.25f, kCornerY * 1.25f);
   },
   false},
  {"HostResizeMidDrag", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.PressAndDrag(kGain);
     Steinberg::ViewRect larger(0, 0, 600, 450);
     t.view->View().onSize(&larger);
     t.Send(kHeadlessMouseDrag, kGain.MW(), kGain.MH() - 16.f, 0.f, -8.f);
     t.Send(kHeadlessMouseUp, kGain.MW(), kGain.MH() - 16.f);
   },
   true},
  {"CloseMidDrag", EDITOR_TEST_BUNDLE_PATH,
   [](EditorGestureRoad& t) {
     t.PressAndDrag(kGain);
     ASSERT_EQ(t.view->Remove(), Steinberg::kResultOk);
   },
   true},
};

} // namespace

TEST_P(EditorGestureRoad, TheHostSeesEachEditInsideOneEndedGestureOfItsParameterAndNoEmptyGesture)
{
  GetParam().act(*this);
  const auto& calls = handler->Calls();
  std::string seen;
  for (const auto& call : calls)
    seen += Describe(call) + "; ";
  EXPECT_EQ(GestureFault(calls), "") << seen;
  const bool edited = std::any_of(calls.begin(), calls.end(),
                                  [](const auto& call) { return call.kind == Kind::kPerform; });
  EXPECT_EQ(edited, GetParam().edits) << seen;
}

INSTANTIATE_TEST_SUITE_P(InputPaths, EditorGestureRoad, ::testing::ValuesIn(kPaths),
                         [](const ::testing::TestParamInfo<InputPath>& info) { return info.param.name; });

} // namespace testhost
