// Requests that reach the drawn popup menu in the surface's menu slot while it already shows one,
// and controls removed while it shows their menu, over the recording surface (every text measures
// 40 x 16, so rows are 16 high with 2 between them inside a padding of 5).
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../EventLog.h"
#include "../FakeEditorDelegate.h"
#include "../RecordingGraphics.h"
#include "../TestControl.h"
#include "igraphics/IRECTList.h"
#include "igraphics/controls/IPopupMenuControl.h"
#include "iplug/IPlugParameter.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

// A control with a menu of its own; it keeps each answer as "<chosen item's text>@<value index>",
// or "none@<value index>" for a dismissal.
class Asker : public IControl
{
public:
  Asker(const IRECT& bounds, std::initializer_list<const char*> items) : IControl(bounds), menu("", 0, false, items) {}
  void Draw(IGraphics&) override {}
  void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx) override
  {
    answers.push_back(std::string(pMenu ? pMenu->GetChosenItem()->GetText() : "none") + "@" + std::to_string(valIdx));
  }
  IPopupMenu menu;
  std::vector<std::string> answers;
};

const IRECT kFirstAnchor(100.f, 50.f, 140.f, 70.f);
const IRECT kSecondAnchor(200.f, 150.f, 240.f, 170.f);

// A 400 x 300 surface over two enumerated parameters: 0 "Mode" (A, B, C, D; at B) and 1 "Shape"
// (Sine, Saw).
class PopupRequests : public ::testing::Test
{
protected:
  PopupRequests()
  {
    dlg.GetParam(0)->InitEnum("Mode", 1, {"A", "B", "C", "D"});
    dlg.GetParam(1)->InitEnum("Shape", 0, {"Sine", "Saw"});
    g.mTextExtent = IRECT(-20.f, -8.f, 20.f, 8.f);
    g.AttachPopupMenuControl();
    g.ForAllControlsFunc([this](IControl* pControl) {
      if (auto* pPopup = dynamic_cast<IPopupMenuControl*>(pControl))
        popup = pPopup;
    });
  }

  Asker* AttachAsker(std::initializer_list<const char*> items)
  {
    return static_cast<Asker*>(g.AttachControl(new Asker(IRECT(0.f, 0.f, 20.f, 20.f), items)));
  }

  // The fade-in ends, as its animation would end it.
  void Settle()
  {
    popup->OnEndAnimation();
    ASSERT_TRUE(popup->GetExpanded());
  }

  // Where a root row of the open menu is.
  float RowX() const { return popup->GetTargetRECT().L + 20.f; }
  float RowY(int row) const { return popup->GetTargetRECT().T + 5.f + row * 18.f + 8.f; }

  void Click(float x, float y)
  {
    g.OnMouseDown({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true)}});
    g.OnMouseUp({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true)}});
  }

  void DrawFrame()
  {
    IRECTList rects;
    if (g.IsDirty(rects))
      g.Draw(rects);
  }

  bool Logged(const std::string& event) const
  {
    return std::find(log.events.begin(), log.events.end(), event) != log.events.end();
  }

  EventLog log;
  FakeEditorDelegate dlg{log, 2};
  RecordingGraphics g{log, dlg, 400, 300};
  IPopupMenuControl* popup = nullptr;
};

struct SecondRequestCase
{
  const char* name;
  bool firstSettled;
  bool fromTheSameControl; // a double click on the control that opened the menu
};

class PopupSecondRequest : public PopupRequests, public ::testing::WithParamInterface<SecondRequestCase>
{};

TEST_P(PopupSecondRequest, IsDismissedAtOnceAndTheMenuOnScreenStillAnswersItsControl)
{
  const SecondRequestCase& c = GetParam();
  Asker* first = AttachAsker({"One", "Two", "Three"});
  Asker* second = c.fromTheSameControl ? first : AttachAsker({"Alpha", "Beta"});

  g.CreatePopupMenu(*first, first->menu, kFirstAnchor, 1);
  if (c.firstSettled)
    Settle();
  g.CreatePopupMenu(*second, second->menu, kSecondAnchor, 2);
  EXPECT_EQ(second->answers, (std::vector<std::string>{"none@2"}));

  if (!c.firstSettled)
    Settle();
  EXPECT_EQ(g.GetControlInPopupMenu(), first);
  Click(RowX(), RowY(1));

  const std::vector<std::string> expected = c.fromTheSameControl ? std::vector<std::string>{"none@2", "Two@1"}
                                                                 : std::vector<std::string>{"Two@1"};
  EXPECT_EQ(first->answers, expected);
  EXPECT_EQ(second->menu.GetChosenItemIdx(), c.fromTheSameControl ? 1 : -1);
}

INSTANTIATE_TEST_SUITE_P(Requests, PopupSecondRequest,
                         ::testing::Values(SecondRequestCase{"WhileTheMenuFadesIn", false, false},
                                           SecondRequestCase{"WhileTheMenuIsOpen", true, false},
                                           SecondRequestCase{"FromTheSameControlWhileTheMenuFadesIn", false, true}),
                         [](const ::testing::TestParamInfo<SecondRequestCase>& info) { return info.param.name; });

TEST_F(PopupRequests, ASecondPromptKeepsTheEntriesOfTheParameterOnScreen)
{
  auto* mode = static_cast<TestControl*>(
    g.AttachControl(new TestControl(log, "mode", IRECT(10.f, 10.f, 50.f, 50.f), 0)));
  auto* shape = static_cast<TestControl*>(
    g.AttachControl(new TestControl(log, "shape", IRECT(60.f, 10.f, 90.f, 50.f), 1)));
  mode->DisablePrompt(false);
  shape->DisablePrompt(false);

  g.PromptUserInput(*mode, mode->GetRECT(), 0);
  Settle();
  g.PromptUserInput(*shape, shape->GetRECT(), 0);

  const IPopupMenu& shown = g.GetPromptMenu();
  EXPECT_STREQ(shown.GetRootTitle(), "Mode");
  ASSERT_EQ(shown.NItems(), 4);
  EXPECT_STREQ(shown.GetItemText(3), "D");
  EXPECT_TRUE(shown.GetItem(1)->GetChecked());

  log.Clear();
  Click(RowX(), RowY(2));
  EXPECT_DOUBLE_EQ(mode->GetValue(), 2. / 3.);
  EXPECT_DOUBLE_EQ(shape->GetValue(), 0.);
  EXPECT_TRUE(Logged("begin 0"));
  EXPECT_TRUE(Logged("end 0"));
  EXPECT_FALSE(Logged("begin 1"));
}

TEST_F(PopupRequests, RemovingTheControlWhoseMenuIsShownTakesTheMenuDown)
{
  Asker* owner = AttachAsker({"One", "Two", "Three"});
  int completions = 0;
  owner->menu.SetFunction([&completions](IPopupMenu*) { ++completions; });
  g.CreatePopupMenu(*owner, owner->menu, kFirstAnchor);
  Settle();
  const float x = RowX(), y = RowY(1);

  g.RemoveControl(owner);
  EXPECT_TRUE(popup->IsHidden());
  EXPECT_FALSE(popup->GetExpanded());
  EXPECT_EQ(g.GetControlInPopupMenu(), nullptr);

  // The next frame and a click where the menu was find nothing of it.
  DrawFrame();
  Click(x, y);
  EXPECT_EQ(completions, 0);

  // Its last fade step returns it to closed, ready for the next request.
  popup->OnEndAnimation();
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kClosed);
  EXPECT_TRUE(popup->GetRECT().Empty());
  Asker* next = AttachAsker({"Alpha", "Beta"});
  g.CreatePopupMenu(*next, next->menu, kFirstAnchor, 3);
  Settle();
  Click(RowX(), RowY(0));
  EXPECT_EQ(next->answers, (std::vector<std::string>{"Alpha@3"}));
}

} // namespace
