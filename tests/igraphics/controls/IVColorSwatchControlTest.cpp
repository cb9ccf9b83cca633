// The colour swatch drawn by the headless editor and checked at sampled pixels, its cells edited
// through the headless window's scripted colour chooser.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "igraphics/IContainerBase.h"
#include "igraphics/controls/IVColorSwatchControl.h"

using namespace iplug::igraphics;
using headless::Near;
using headless::Str;

namespace
{

// Answers the colour chooser: the scripted colour, or cancel when choose is false.
struct ColorScript
{
  bool choose = true;
  IColor answer = COLOR_RED;
  std::vector<std::string> prompts;
  IColor shown;

  static int Answer(void* host, const char* prompt, unsigned char argb[4])
  {
    auto* script = static_cast<ColorScript*>(host);
    script->prompts.push_back(prompt);
    script->shown = IColor(argb[0], argb[1], argb[2], argb[3]);
    if (!script->choose)
      return 0;
    const IColor& c = script->answer;
    argb[0] = static_cast<unsigned char>(c.A);
    argb[1] = static_cast<unsigned char>(c.R);
    argb[2] = static_cast<unsigned char>(c.G);
    argb[3] = static_cast<unsigned char>(c.B);
    return 1;
  }
};

// Without shadow and frame the widget is the whole control, so the cells fall on whole pixels.
IVStyle FlatStyle()
{
  IVStyle style;
  style.drawShadows = false;
  style.drawFrame = false;
  return style;
}

struct Chosen
{
  int cell;
  IColor color;
};

// A white editor of 200 x 200 opened on a window whose colour chooser the script answers.
struct Swatches
{
  explicit Swatches(bool withScript = true) : editor(200, 200)
  {
    if (withScript)
    {
      window.host = &script;
      window.answerColor = &ColorScript::Answer;
    }
    editor.graphics->OpenWindow(&window);
    fontLoaded = editor.graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf");
    editor.graphics->EnableMouseOver(true);
    editor.graphics->AttachControl(new IPanelControl(editor.graphics->GetBounds(), COLOR_WHITE));
  }
  ~Swatches() { editor.graphics->CloseWindow(); }

  IVColorSwatchControl* Add(const IRECT& bounds, const IVStyle& style, int layout, std::initializer_list<EVColor> ids,
                            std::initializer_list<const char*> labels = {})
  {
    auto* pSwatch = new IVColorSwatchControl(
      bounds, "",
      [this](int cell, IColor color) {
        chosen.push_back({cell, color});
      },
      style, layout, ids, labels);
    return static_cast<IVColorSwatchControl*>(editor.graphics->AttachControl(pSwatch));
  }

  void Draw(const std::string& pngName)
  {
    editor.graphics->Tick();
    EXPECT_TRUE(editor.graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + pngName).c_str()));
  }

  IColor At(float x, float y) const
  {
    return editor.graphics->PixelAt(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  }

  void Click(float x, float y) { headless::ClickAt(window, x, y); }
  int Prompts() const { return editor.graphics->GetRecord().fileOrColorPrompts; }

  headless::Editor editor;
  ColorScript script;
  HeadlessWindow window{};
  bool fontLoaded = false;
  std::vector<Chosen> chosen;
};

// The centre of a cell of a grid of columns x rows over the widget.
std::pair<float, float> CellCentre(const IRECT& w, int columns, int rows, int idx)
{
  const float cw = w.W() / columns;
  const float ch = w.H() / rows;
  return {w.L + (idx % columns + 0.5f) * cw, w.T + (idx / columns + 0.5f) * ch};
}

constexpr EVColor kAllNine[] = {kBG, kFG, kPR, kFR, kHL, kSH, kX1, kX2, kX3};

} // namespace

TEST(IVColorSwatchControl, TheDefaultGridShowsTheNineStyleColoursOverTheBackground)
{
  Swatches s;
  ASSERT_NE(s.window.send, nullptr);
  auto* pSwatch = static_cast<IVColorSwatchControl*>(
    s.editor.graphics->AttachControl(new IVColorSwatchControl(IRECT(10.f, 10.f, 190.f, 190.f))));
  s.Draw("swatch_default.png");

  const IRECT w = pSwatch->GetWidgetBounds();
  for (int i = 0; i < 9; ++i)
  {
    // Translucent colours show the white panel through them.
    const IColor c = pSwatch->GetColor(kAllNine[i]);
    const auto over = [&](int32_t ch) { return (ch * c.A + 255 * (255 - c.A)) / 255; };
    const IColor expected(255, over(c.R), over(c.G), over(c.B));
    const auto [x, y] = CellCentre(w, 3, 3, i);
    EXPECT_TRUE(Near(s.At(x, y), expected)) << "cell " << i << ": " << Str(s.At(x, y));
  }
}

TEST(IVColorSwatchControl, TheCellUnderTheMouseGetsALighterFrame)
{
  Swatches s;
  auto* pSwatch = s.Add(IRECT(10.f, 10.f, 160.f, 160.f), FlatStyle(), IVColorSwatchControl::kGrid,
                        {kFG, kFG, kFG, kFG, kFG, kFG, kFG, kFG, kFG});
  ASSERT_EQ(pSwatch->GetWidgetBounds(), IRECT(10.f, 10.f, 160.f, 160.f));
  // Cells of 50 x 50, each inset by 2: the 1 px frames run along pixel columns 11 and 58, 61 and
  // 108, ...; the columns between two frames are the panel's.
  auto frameLeftOf = [&](int cell) { return s.At(11.f + 50.f * (cell % 3), 35.f + 50.f * (cell / 3)); };

  s.Draw("swatch_idle.png");
  for (int cell : {0, 4})
    EXPECT_TRUE(Near(frameLeftOf(cell), COLOR_DARK_GRAY)) << cell << ": " << Str(frameLeftOf(cell));
  EXPECT_TRUE(Near(s.At(60.f, 35.f), COLOR_WHITE)) << Str(s.At(60.f, 35.f));
  EXPECT_TRUE(Near(s.At(35.f, 35.f), DEFAULT_FGCOLOR)) << Str(s.At(35.f, 35.f));

  headless::SendTo(s.window, kHeadlessMouseOver, 85.f, 85.f);
  s.Draw("swatch_hover.png");
  EXPECT_TRUE(Near(frameLeftOf(4), COLOR_GRAY)) << Str(frameLeftOf(4));
  EXPECT_TRUE(Near(frameLeftOf(0), COLOR_DARK_GRAY)) << Str(frameLeftOf(0));

  headless::SendTo(s.window, kHeadlessMouseOut);
  s.Draw("swatch_out.png");
  EXPECT_TRUE(Near(frameLeftOf(4), COLOR_DARK_GRAY)) << Str(frameLeftOf(4));
}

TEST(IVColorSwatchControl, ACellWithATextShowsItsColourInTheRightQuarter)
{
  Swatches s;
  ASSERT_TRUE(s.fontLoaded);
  // One row of two cells of 100 x 40 (96 x 36 inside their margins).
  auto* pSwatch = s.Add(IRECT(0.f, 0.f, 200.f, 40.f), FlatStyle(), IVColorSwatchControl::kRow, {kX1, kX2},
                        {"Ink", nullptr});
  ASSERT_EQ(pSwatch->GetWidgetBounds(), IRECT(0.f, 0.f, 200.f, 40.f));
  s.Draw("swatch_texts.png");

  EXPECT_TRUE(Near(s.At(90.f, 20.f), DEFAULT_X1COLOR)) << "the patch: " << Str(s.At(90.f, 20.f));
  EXPECT_TRUE(Near(s.At(72.f, 20.f), COLOR_WHITE)) << "left of the patch: " << Str(s.At(72.f, 20.f));
  int ink = 0;
  for (int y = 2; y < 38; ++y)
    for (int x = 2; x < 69; ++x)
      ink += s.At(static_cast<float>(x), static_cast<float>(y)).R < 128 ? 1 : 0;
  EXPECT_GT(ink, 10) << "the text in the left 0.7 of the cell";
  EXPECT_TRUE(Near(s.At(110.f, 20.f), DEFAULT_X2COLOR)) << "no text, whole cell: " << Str(s.At(110.f, 20.f));
}

TEST(IVColorSwatchControl, AChosenColourGoesIntoTheStyleAndToTheChosenFunction)
{
  Swatches s;
  auto* pSwatch = s.Add(IRECT(10.f, 10.f, 160.f, 160.f), FlatStyle(), IVColorSwatchControl::kGrid,
                        {kBG, kFG, kPR, kFR, kHL, kSH, kX1, kX2, kX3});
  s.Draw("swatch_before_edit.png");
  const auto [x, y] = CellCentre(pSwatch->GetWidgetBounds(), 3, 3, 7);

  s.script.choose = false;
  s.Click(x, y);
  EXPECT_EQ(s.script.prompts, std::vector<std::string>{"Choose a color"});
  EXPECT_EQ(s.script.shown, DEFAULT_X2COLOR) << "the chooser starts at the cell's colour";
  EXPECT_TRUE(s.chosen.empty());
  EXPECT_EQ(pSwatch->GetColor(kX2), DEFAULT_X2COLOR);

  s.script.choose = true;
  s.script.answer = IColor(255, 200, 30, 10);
  s.Click(x, y);
  ASSERT_EQ(s.chosen.size(), 1u);
  EXPECT_EQ(s.chosen[0].cell, 7);
  EXPECT_EQ(s.chosen[0].color, s.script.answer);
  EXPECT_EQ(pSwatch->GetColor(kX2), s.script.answer);
  EXPECT_TRUE(s.editor.graphics->Tick()) << "the cell is redrawn";
  EXPECT_TRUE(Near(s.At(x, y), s.script.answer)) << Str(s.At(x, y));

  // The margin between two cells belongs to none of them.
  const int prompts = s.Prompts();
  s.Click(60.f, 35.f);
  EXPECT_EQ(s.Prompts(), prompts);
  EXPECT_EQ(s.chosen.size(), 1u);
}

TEST(IVColorSwatchControl, WithoutAColourScriptTheChooserIsCancelled)
{
  Swatches s(false);
  auto* pSwatch = s.Add(IRECT(10.f, 10.f, 160.f, 160.f), FlatStyle(), IVColorSwatchControl::kGrid, {kX1});
  s.Click(35.f, 35.f);
  EXPECT_EQ(s.Prompts(), 1);
  EXPECT_TRUE(s.chosen.empty());
  EXPECT_EQ(pSwatch->GetColor(kX1), DEFAULT_X1COLOR);
}

TEST(IVColorSwatchControl, AGridOfTenColoursDrawsTheTenthOverTheWholeWidget)
{
  Swatches s;
  IVStyle style = FlatStyle();
  style.colorSpec.SetColor(kX1, COLOR_RED);
  auto* pSwatch = s.Add(IRECT(10.f, 10.f, 160.f, 160.f), style, IVColorSwatchControl::kGrid,
                        {kBG, kFG, kPR, kFR, kHL, kSH, kX2, kX2, kX3, kX1});
  s.Draw("swatch_ten.png");

  const IRECT w = pSwatch->GetWidgetBounds();
  for (int i = 0; i < 9; ++i)
  {
    const auto [x, y] = CellCentre(w, 3, 3, i);
    EXPECT_TRUE(Near(s.At(x, y), COLOR_RED)) << "cell " << i << ": " << Str(s.At(x, y));
  }
  // Where no grid cell is, only the tenth is hit.
  s.Click(60.f, 35.f);
  ASSERT_EQ(s.chosen.size(), 1u);
  EXPECT_EQ(s.chosen[0].cell, 9);
}

// Cell indices come from the mouse and from the sizes of the two lists, which need not match.
TEST(IVColorSwatchControl, EveryCellIsReachedWhateverTheListSizes)
{
  struct Case
  {
    const char* name;
    int layout;
    std::initializer_list<EVColor> ids;
    std::initializer_list<const char*> labels;
    int columns;
    int rows;
  };
  const Case cases[] = {
    {"a row of twelve with two texts",
     IVColorSwatchControl::kRow,
     {kX1, kX2, kX3, kX1, kX2, kX3, kX1, kX2, kX3, kX1, kX2, kX3},
     {"A", "B"},
     12,
     1},
    {"a column of four, no texts", IVColorSwatchControl::kColumn, {kX1, kX2, kX3, kX1}, {}, 1, 4},
    {"more texts than colours", IVColorSwatchControl::kGrid, {kX3, kX1}, {"A", "B", "C", "D", "E"}, 3, 3},
    {"no colours", IVColorSwatchControl::kRow, {}, {"A"}, 1, 1},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    Swatches s;
    auto* pSwatch = s.Add(IRECT(10.f, 10.f, 190.f, 190.f), FlatStyle(), c.layout, c.ids, c.labels);
    s.Draw("swatch_sizes.png");
    const int n = static_cast<int>(c.ids.size());
    for (int i = 0; i < n; ++i)
    {
      const auto [x, y] = CellCentre(pSwatch->GetWidgetBounds(), c.columns, c.rows, i);
      s.Click(x, y);
    }
    headless::SendTo(s.window, kHeadlessMouseOver, 189.f, 189.f); // past the last cell
    ASSERT_EQ(static_cast<int>(s.chosen.size()), n);
    for (int i = 0; i < n; ++i)
      EXPECT_EQ(s.chosen[i].cell, i);
    EXPECT_EQ(s.Prompts(), n);
  }
}

TEST(IVColorSwatchControl, ACellNamingNoStyleColourShowsAndEditsNothing)
{
  Swatches s;
  auto* pSwatch = s.Add(IRECT(10.f, 10.f, 160.f, 160.f), FlatStyle(), IVColorSwatchControl::kRow,
                        {kX1, static_cast<EVColor>(42), static_cast<EVColor>(-1)});
  s.Draw("swatch_bad_id.png");
  const IRECT w = pSwatch->GetWidgetBounds();
  for (int i : {1, 2})
  {
    const auto [x, y] = CellCentre(w, 3, 1, i);
    EXPECT_TRUE(Near(s.At(x, y), COLOR_WHITE)) << i << ": " << Str(s.At(x, y));
    s.Click(x, y);
  }
  EXPECT_EQ(s.Prompts(), 0);
  const auto [x, y] = CellCentre(w, 3, 1, 0);
  EXPECT_TRUE(Near(s.At(x, y), DEFAULT_X1COLOR)) << Str(s.At(x, y));
}
