// The editor road with the menus and typed values drawn inside the editor: choosing in the drawn
// menu, typing, pasting, committing and cancelling, and rescaling by the corner, all through a host.
#include "tests/host/EditorRoadFixture.h"

#include <chrono>
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
  Send(kHeadlessMouseDown, x, y);
  Send(kHeadlessMouseDrag, x * 5.f, y * 5.f, x * 3.f, y * 3.f);
  Send(kHeadlessMouseUp, x * 5.f, y * 5.f);
  EXPECT_EQ(frame->Resizes().back().rect.getWidth(), static_cast<int>(kEditorTestWidth * kEditorTestMaxScale));
  EXPECT_EQ(frame->Resizes().back().rect.getHeight(), static_cast<int>(kEditorTestHeight * kEditorTestMaxScale));
  EXPECT_TRUE(Taken().empty()); // resizing edits no parameter
  view->View().setFrame(nullptr);
}

} // namespace testhost
