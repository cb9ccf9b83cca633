// The editor road with the menus and typed values drawn inside the editor: choosing in the drawn
// menu, typing, pasting, committing and cancelling, and rescaling by the corner, all through a host.
#include "tests/host/EditorRoadFixture.h"

#include <chrono>
#include <iterator>
#include <string>
#include <thread>

namespace testhost
{
namespace
{

class EditorDrawnRoad : public EditorRoadFixture
{
protected:
  EditorDrawnRoad() : EditorRoadFixture(EDITOR_TEST_DRAWN_BUNDLE_PATH) {}

  // Redraws, as the platform's timer does, until the host has seen `count` calls or time is up.
  void TickUntilCalls(size_t count)
  {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (handler->Calls().size() < count && std::chrono::steady_clock::now() < deadline)
    {
      Send(kHeadlessTick, 0.f, 0.f, 0.f, 0.f, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  void TickFor(int milliseconds)
  {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end)
    {
      Send(kHeadlessTick, 0.f, 0.f, 0.f, 0.f, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // A corner drag far beyond the largest scale: the editor is then drawn at that scale.
  void RescaleToTheLargestScale()
  {
    const float x = kEditorTestWidth - 5.f;
    const float y = kEditorTestHeight - 5.f;
    Send(kHeadlessMouseDown, x, y);
    Send(kHeadlessMouseDrag, x * 5.f, y * 5.f, x * 4.f, y * 4.f);
    Send(kHeadlessMouseUp, x * 5.f, y * 5.f);
  }

  void OpenLevelEntry()
  {
    Click(kEditorTestLevelCaption.MW(), kEditorTestLevelCaption.MH());
    EXPECT_TRUE(script.shownTexts.empty()); // drawn, not the platform's
    EXPECT_EQ(Taken(), (Calls{"begin 2", "end 2"}));
  }
};

constexpr int kReturn = 0x0D;
constexpr int kEscape = 0x1B;

} // namespace

TEST_F(EditorDrawnRoad, ChoosingInTheDrawnMenuEditsInOneGesture)
{
  const auto& caption = kEditorTestModeCaption;
  Click(caption.MW(), caption.MH());
  EXPECT_TRUE(script.menus.empty()); // drawn, not the platform's
  EXPECT_EQ(Taken(), (Calls{"begin 3"}));

  TickFor(300); // the menu fades in below the caption
  // The first entry, just below the caption.
  Click(caption.MW(), caption.B + 12.f);
  TickUntilCalls(3);
  EXPECT_EQ(Taken(), (Calls{Perform(3, 0.0), "end 3"}));

  // While it still fades out, a new press opens nothing and its gesture ends at once.
  Click(caption.MW(), caption.MH());
  EXPECT_EQ(Taken(), (Calls{"begin 3", "end 3"}));
  TickFor(600);
  EXPECT_NEAR(Normalized(kEditorTestMode), 0.0, 1e-9);

  // A click outside dismisses it: the gesture ends without an edit.
  Click(caption.MW(), caption.MH());
  TickFor(300);
  Click(5.f, 5.f);
  TickUntilCalls(handler->Calls().size() + 2);
  EXPECT_EQ(Taken(), (Calls{"begin 3", "end 3"}));
}

TEST_F(EditorDrawnRoad, TypedTextCommitsOnEnterAndEscapeCancels)
{
  OpenLevelEntry();
  Type("150"); // the whole text was selected, so typing replaces it
  EXPECT_TRUE(Taken().empty());
  EXPECT_EQ(Key(kReturn), 1);
  EXPECT_EQ(Taken(), (Calls{"begin 2", Perform(2, 1.0), "end 2"}));

  OpenLevelEntry();
  Type("7");
  EXPECT_EQ(Key(kEscape), 1);
  EXPECT_TRUE(Taken().empty());
  EXPECT_NEAR(Normalized(kEditorTestLevel), 1.0, 1e-9);
  // Closed: keys go back to the editor, which takes none of them.
  EXPECT_EQ(Key('7', "7"), 0);
}

TEST_F(EditorDrawnRoad, APasteComesFromTheSystemClipboard)
{
  script.clipboard = "33";
  OpenLevelEntry();
  EXPECT_EQ(Key('V', "v", kHeadlessControl), 1);
  Key(kReturn);
  EXPECT_EQ(Taken(), (Calls{"begin 2", Perform(2, 0.33), "end 2"}));
}

TEST_F(EditorDrawnRoad, TheCornerRescalesTheEditorWithinItsScaleLimits)
{
  auto frame = Steinberg::owned(new RecordingPlugFrame());
  view->View().setFrame(frame);

  // A drag from the resizer's handle to 1.25 times as far from the top-left corner.
  const float x = kEditorTestWidth - 5.f;
  const float y = kEditorTestHeight - 5.f;
  Send(kHeadlessMouseDown, x, y);
  Send(kHeadlessMouseDrag, x * 1.25f, y * 1.25f, x * 0.25f, y * 0.25f);
  Send(kHeadlessMouseUp, x * 1.25f, y * 1.25f);
  ASSERT_FALSE(frame->Resizes().empty());
  EXPECT_EQ(frame->Resizes().back().rect.getWidth(), 500);
  EXPECT_EQ(frame->Resizes().back().rect.getHeight(), 375);

  // Far beyond the largest scale: held at it. Events come in editor units, whatever the scale.
  RescaleToTheLargestScale();
  EXPECT_EQ(frame->Resizes().back().rect.getWidth(), static_cast<int>(kEditorTestWidth * kEditorTestMaxScale));
  EXPECT_EQ(frame->Resizes().back().rect.getHeight(), static_cast<int>(kEditorTestHeight * kEditorTestMaxScale));
  EXPECT_TRUE(Taken().empty()); // resizing edits no parameter
  view->View().setFrame(nullptr);
}

// The host's menu for a parameter also carries the control's own entries: each with a tag of its
// own in the order added and the control as its target, the submenu between a group start and end,
// and the menu popped up in the view's pixels, the editor's position times its scale cut to whole
// pixels.
TEST_F(EditorDrawnRoad, TheHostsParameterMenuCarriesTheControlsEntriesAndPopsUpAtTheScaledPoint)
{
  auto frame = Steinberg::owned(new RecordingPlugFrame());
  view->View().setFrame(frame);
  RescaleToTheLargestScale();
  ASSERT_FALSE(frame->Resizes().empty());

  // 141.5 and 47.3 at scale 1.5 are 212.25 and 70.95.
  const float x = 141.5f, y = 47.3f;
  ASSERT_TRUE(kEditorTestStepsKnob.Contains(x, y));
  Click(x, y, kHeadlessRight);
  EXPECT_EQ(Taken(), (Calls{"menu 1 with view", "popup 212,70"}));

  using Item = Steinberg::Vst::IContextMenuItem;
  struct Entry
  {
    const char* name; // null: any
    Steinberg::int32 flags;
  };
  const Entry expected[] = {
    {"Reset", 0},
    {nullptr, Item::kIsSeparator},
    {"Snap", Item::kIsGroupStart},
    {"Coarse", 0},
    {"Fine", Item::kIsChecked},
    {nullptr, Item::kIsGroupEnd},
    {"Locked", Item::kIsChecked | Item::kIsDisabled},
    {"Unavailable", Item::kIsDisabled},
  };
  const auto& items = handler->MenuItems();
  ASSERT_EQ(items.size(), std::size(expected));
  for (size_t i = 0; i < items.size(); ++i)
  {
    const std::string what = "item " + std::to_string(i) + " " + items[i].name;
    EXPECT_EQ(items[i].tag, static_cast<Steinberg::int32>(i)) << what;
    EXPECT_EQ(items[i].flags, expected[i].flags) << what;
    if (expected[i].name)
    {
      EXPECT_EQ(items[i].name, expected[i].name) << what;
    }
    EXPECT_NE(items[i].target, nullptr) << what;
    EXPECT_EQ(items[i].target, items[0].target) << what;
  }

  // The host's choice comes back to the control by its tag: "Fine", tag 4, steps the knob to 4.
  handler->ChooseOnPopup(4);
  Click(x, y, kHeadlessRight);
  EXPECT_EQ(Taken(), (Calls{"menu 1 with view", "popup 212,70", "begin 1", Perform(1, 0.4), "end 1"}));
  EXPECT_NEAR(Normalized(kEditorTestSteps), 0.4, 1e-9);
  view->View().setFrame(nullptr);
}

// A host sizes its window from getSize, after its own resizes as after the user's: it must read the
// size the editor window now has, or it snaps its window back to the old one.
TEST_F(EditorDrawnRoad, TheViewReportsTheSizeTheEditorTookAfterACornerDragAndAHostResize)
{
  auto frame = Steinberg::owned(new RecordingPlugFrame());
  view->View().setFrame(frame);
  using Size = std::pair<int, int>;
  auto reported = [this] {
    const auto size = view->Size();
    return size ? Size{size->getWidth(), size->getHeight()} : Size{-1, -1};
  };
  auto drawn = [this] {
    Size size{-1, -1};
    window.readPixels(window.editor, nullptr, 0, &size.first, &size.second);
    return size;
  };

  const float x = kEditorTestWidth - 5.f;
  const float y = kEditorTestHeight - 5.f;
  Send(kHeadlessMouseDown, x, y);
  Send(kHeadlessMouseDrag, x * 1.25f, y * 1.25f, x * 0.25f, y * 0.25f);
  Send(kHeadlessMouseUp, x * 1.25f, y * 1.25f);
  EXPECT_EQ(reported(), (Size{500, 375}));
  EXPECT_EQ(drawn(), reported());
  const size_t asked = frame->Resizes().size();

  const struct
  {
    Steinberg::ViewRect parent;
    Size expected;
  } hostResizes[] = {
    {{0, 0, 600, 450}, {600, 450}},
    {{0, 0, 2000, 2000}, {kEditorTestWidth * 2, kEditorTestHeight * 2}}, // held at the largest size
  };
  for (auto resize : hostResizes)
  {
    ASSERT_EQ(view->View().onSize(&resize.parent), Steinberg::kResultOk);
    EXPECT_EQ(reported(), resize.expected) << resize.parent.getWidth();
    EXPECT_EQ(drawn(), reported()) << resize.parent.getWidth();
  }
  EXPECT_EQ(frame->Resizes().size(), asked) << "the host's own resizes are not asked back of it";
  view->View().setFrame(nullptr);
}

} // namespace testhost
