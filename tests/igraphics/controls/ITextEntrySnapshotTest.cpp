// The drawn text entry on the headless editor, checked by sampled pixels: a selection in the
// default style, the blinking cursor, and the field going away when the edit ends.
#include "TextEntryFixture.h"

#include "../AnimationSteps.h"
#include "../platforms/HeadlessEditor.h"

#include <cmath>
#include <cstdio>
#include <string>

using namespace iplug;
using namespace iplug::igraphics;
using namespace textentry;

namespace
{

constexpr IColor kBackground(255, 60, 90, 120);
// Black at a fifth of its strength over white.
constexpr IColor kSelection(255, 204, 204, 204);

class TextEntryDrawing : public TextEntryTest
{
protected:
  void SetUp() override
  {
    TextEntryTest::SetUp();
    graphics->AttachBackgroundControl(new headless::DrawFuncControl(
      graphics->GetBounds(), [](IGraphics& g, headless::DrawFuncControl& c) { g.FillRect(kBackground, c.GetRECT()); }));
  }

  IColor At(float x, float y) const
  {
    return graphics->PixelAt(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }

  float Width(const char* str) const
  {
    IRECT bounds;
    return graphics->MeasureText(DEFAULT_TEXT, str, bounds);
  }
};

} // namespace

TEST_F(TextEntryDrawing, ASelectionInTheDefaultStyle)
{
  Open("12345");
  Press(Key(kVKHome));
  Press(Key(kVKRight));
  Press(Key(kVKRight, true));
  Press(Key(kVKRight, true));
  ASSERT_TRUE(graphics->Tick());
  const std::string path = std::string(TEST_OUTPUT_DIR) + "/text_entry_selection.png";
  std::remove(path.c_str());
  ASSERT_TRUE(graphics->WritePNG(path.c_str()));

  // The default style centres 14-pixel text in both directions; the selection band reaches a
  // tenth of the text size beyond it, above the digits' tops.
  const float x0 = kBounds.MW() - Width("12345") / 2.f;
  const float from = x0 + Width("1");
  const float to = x0 + Width("123");
  const float bandY = kBounds.T + (kBounds.H() - DEFAULT_TEXT_SIZE) / 2.f - 0.5f;

  EXPECT_TRUE(headless::Near(At(kBounds.L - 5.f, kBounds.MH()), kBackground)) << headless::Str(At(10, 35));
  EXPECT_TRUE(headless::Near(At(kBounds.L + 2.f, kBounds.MH()), DEFAULT_TEXTENTRY_BGCOLOR));
  EXPECT_TRUE(headless::Near(At((from + to) / 2.f, bandY), kSelection)) << headless::Str(At((from + to) / 2.f, bandY));
  EXPECT_TRUE(headless::Near(At(to + 3.f, bandY), DEFAULT_TEXTENTRY_BGCOLOR)) << headless::Str(At(to + 3.f, bandY));
  EXPECT_TRUE(headless::Near(At(from - 3.f, bandY), DEFAULT_TEXTENTRY_BGCOLOR)) << headless::Str(At(from - 3.f, bandY));

  int darkest = 255;
  for (float x = x0; x < x0 + Width("12345"); x += 1.f)
    darkest = std::min(darkest, At(x, kBounds.MH()).R);
  EXPECT_LT(darkest, 80) << "the digits are drawn in the entry's foreground colour";
}

TEST_F(TextEntryDrawing, TheCursorShowsForTheFirstHalfOfEachSecond)
{
  ManualAnimationClock clock;
  // An empty centred field has its cursor just left of the middle.
  Open("");
  const float cursorX = kBounds.MW() - 0.5f;
  // Each step moves the clock on and draws a frame; a period that is seen to end starts the next.
  const struct
  {
    double advanceMs;
    bool shown;
  } steps[] = {{0., true}, {490., true}, {20., false}, {480., false}, {20., true}, {490., true}, {20., false}};
  double elapsedMs = 0.;
  for (const auto& step : steps)
  {
    clock.Advance(step.advanceMs);
    elapsedMs += step.advanceMs;
    graphics->Tick();
    const IColor expected = step.shown ? DEFAULT_TEXTENTRY_FGCOLOR : DEFAULT_TEXTENTRY_BGCOLOR;
    EXPECT_TRUE(headless::Near(At(cursorX, kBounds.MH()), expected))
      << elapsedMs << " ms: " << headless::Str(At(cursorX, kBounds.MH()));
  }
}

TEST_F(TextEntryDrawing, TheFieldGoesAwayWhenTheEditEnds)
{
  Open("12345");
  graphics->Tick();
  EXPECT_TRUE(headless::Near(At(kBounds.L + 2.f, kBounds.MH()), DEFAULT_TEXTENTRY_BGCOLOR));
  Commit();
  graphics->Tick();
  EXPECT_TRUE(headless::Near(At(kBounds.L + 2.f, kBounds.MH()), kBackground));
}
