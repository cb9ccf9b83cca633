#include <string>

#include "SurfaceFixture.h"
#include "igraphics/ITextControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

constexpr int kGain = 0;
constexpr int kMode = 2;
constexpr int kCutoff = 3;

constexpr IColor kBackground(255, 1, 2, 3);
constexpr IColor kInk(255, 40, 50, 60);
constexpr IColor kHover(255, 70, 80, 90);
constexpr IColor kVisited(255, 100, 110, 120);
constexpr IMouseMod kLeft(true);

using Text = SurfaceFixture;

template <typename T>
T* AttachAs(IGraphics& g, T* pControl)
{
  return static_cast<T*>(g.AttachControl(pControl));
}

// ---- text

TEST_F(Text, SettingTheSameTextDoesNotRedraw)
{
  auto* pText = AttachAs(g, new ITextControl(IRECT(0.f, 0.f, 50.f, 20.f), "Gain"));
  pText->SetClean();

  pText->SetStr("Gain");
  EXPECT_FALSE(pText->IsDirty());

  pText->SetStr("Pan");
  EXPECT_TRUE(pText->IsDirty());
  EXPECT_STREQ(pText->GetStr(), "Pan");

  pText->SetClean();
  pText->ClearStr();
  EXPECT_TRUE(pText->IsDirty());
  EXPECT_STREQ(pText->GetStr(), "");
  EXPECT_TRUE(pText->GetIgnoreMouse());
}

TEST_F(Text, BoundsFitTheTextAroundTheSameCentre)
{
  g.mTextExtent = IRECT(0.f, 0.f, 30.f, 10.f);
  auto* pText = AttachAs(g, new ITextControl(IRECT(10.f, 10.f, 110.f, 60.f), "Gain", DEFAULT_TEXT, kBackground, true));
  EXPECT_EQ(pText->GetRECT(), IRECT(45.f, 30.f, 75.f, 40.f));
  EXPECT_EQ(pText->GetTargetRECT(), pText->GetRECT());

  g.mTextExtent = IRECT(0.f, 0.f, 50.f, 20.f);
  pText->SetStr("Longer");
  EXPECT_EQ(pText->GetRECT(), IRECT(35.f, 25.f, 85.f, 45.f));

  // Formatting never re-fits.
  g.mTextExtent = IRECT(0.f, 0.f, 10.f, 10.f);
  pText->SetStrFmt(10, "%d", 7);
  EXPECT_EQ(pText->GetRECT(), IRECT(35.f, 25.f, 85.f, 45.f));
}

struct FormatCase
{
  const char* name;
  int maxLength;
  std::string arg;
  const char* expected;
};

TEST_F(Text, FormattedTextIsCutAtTheMaximumLength)
{
  const std::string longArg(10000, 'x');
  const FormatCase cases[] = {
    {"fits", 20, "ab", "<ab>"},        {"cut", 3, "abcdef", "<ab"},
    {"exact", 4, "ab", "<ab>"},        {"zero length", 0, "ab", ""},
    {"negative length", -5, "ab", ""}, {"far longer than the limit", 8, longArg, "<xxxxxxx"},
  };
  auto* pText = AttachAs(g, new ITextControl(IRECT(0.f, 0.f, 50.f, 20.f), "old"));
  for (const FormatCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    pText->SetClean();
    pText->SetStrFmt(c.maxLength, "<%s>", c.arg.c_str());
    EXPECT_STREQ(pText->GetStr(), c.expected);
    EXPECT_TRUE(pText->IsDirty());
  }
}

TEST_F(Text, TextBeingEditedDrawsOnlyTheBackground)
{
  auto* pText = AttachAs(g, new ITextControl(IRECT(0.f, 0.f, 50.f, 20.f), "Gain", IText(12.f, kInk), kBackground));
  pText->SetBlend(BLEND_50);

  pText->Draw(g);
  ASSERT_EQ(g.DrawOps(), (std::vector<std::string>{"fill rect", "text"}));
  EXPECT_EQ(g.mDrawCalls[0].color, kBackground);
  EXPECT_EQ(g.mDrawCalls[0].coords, (std::vector<float>{0.f, 0.f, 50.f, 20.f}));
  EXPECT_FLOAT_EQ(g.mDrawCalls[0].weight, 0.5f);
  EXPECT_EQ(g.mDrawCalls[1].text, "Gain");
  EXPECT_EQ(g.mDrawCalls[1].color, kInk);

  g.CreateTextEntry(*pText, pText->GetText(), pText->GetRECT(), "Gain", kNoValIdx);
  g.mDrawCalls.clear();
  pText->Draw(g);
  EXPECT_EQ(g.DrawOps(), (std::vector<std::string>{"fill rect"}));

  g.SetControlValueAfterTextEdit("Gain");
  g.mDrawCalls.clear();
  pText->Draw(g);
  EXPECT_EQ(g.DrawOps(), (std::vector<std::string>{"fill rect", "text"}));
}

// ---- caption

TEST_F(Text, CaptionMarksOnlyAnEnumWithATriangleThatFollowsTheMouse)
{
  auto* pEnum = AttachAs(g, new ICaptionControl(IRECT(0.f, 0.f, 100.f, 20.f), kMode, IText(14.f), kBackground));
  pEnum->Draw(g);
  auto triangles = g.DrawCallsOf("fill triangle");
  ASSERT_EQ(triangles.size(), 1u);
  // A 7 x 4.62 marker centred in the 14-wide strip at the right edge.
  const std::vector<float> expected = {89.5f, 7.69f, 96.5f, 7.69f, 93.f, 12.31f};
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(triangles[0].coords[i], expected[i], 1e-4f) << i;
  EXPECT_EQ(triangles[0].color, COLOR_BLACK);
  EXPECT_FLOAT_EQ(triangles[0].weight, 0.5f);
  EXPECT_EQ(g.DrawCallsOf("text").at(0).text, "B");

  pEnum->OnMouseOver(95.f, 10.f, IMouseMod());
  g.mDrawCalls.clear();
  pEnum->Draw(g);
  triangles = g.DrawCallsOf("fill triangle");
  ASSERT_EQ(triangles.size(), 1u);
  EXPECT_EQ(triangles[0].color, COLOR_WHITE);
  EXPECT_FLOAT_EQ(triangles[0].weight, 1.f);

  // Right-aligned text puts the marker at the left edge.
  auto* pRight = AttachAs(g, new ICaptionControl(IRECT(0.f, 0.f, 100.f, 20.f), kMode,
                                                 IText(14.f, kInk, DEFAULT_FONT, kAlignFar), kBackground));
  g.mDrawCalls.clear();
  pRight->Draw(g);
  EXPECT_NEAR(g.DrawCallsOf("fill triangle").at(0).coords[0], 3.5f, 1e-4f);

  auto* pNumber = AttachAs(g, new ICaptionControl(IRECT(0.f, 0.f, 100.f, 20.f), kCutoff, IText(14.f), kBackground));
  g.mDrawCalls.clear();
  pNumber->Draw(g);
  EXPECT_TRUE(g.DrawCallsOf("fill triangle").empty());
}

TEST_F(Text, CaptionShowsTheValueWithTheUnitLabelWhenAsked)
{
  const std::pair<bool, const char*> cases[] = {{true, "50.0 Hz"}, {false, "50.0"}};
  for (const auto& [showLabel, expected] : cases)
  {
    SCOPED_TRACE(expected);
    auto* pCaption = AttachAs(
      g, new ICaptionControl(IRECT(0.f, 0.f, 100.f, 20.f), kCutoff, IText(14.f), kBackground, showLabel));
    g.mDrawCalls.clear();
    pCaption->Draw(g);
    EXPECT_EQ(g.DrawCallsOf("text").at(0).text, expected);
  }
}

TEST_F(Text, CaptionClickOpensATextEntryForANumberAndAMenuForAnEnum)
{
  auto* pNumber = AttachAs(g, new ICaptionControl(IRECT(0.f, 0.f, 100.f, 20.f), kCutoff, IText(14.f), kBackground));
  auto* pEnum = AttachAs(g, new ICaptionControl(IRECT(0.f, 30.f, 100.f, 50.f), kMode, IText(14.f), kBackground));
  EXPECT_TRUE(pNumber->GetDblAsSingleClick());
  EXPECT_FALSE(pNumber->GetIgnoreMouse());
  log.Clear();

  pNumber->OnMouseDown(5.f, 5.f, kLeft);
  EXPECT_EQ(log.events, (std::vector<std::string>{"text entry 3 50.0"}));
  EXPECT_EQ(g.GetControlInTextEntry(), pNumber);

  log.Clear();
  pEnum->OnMouseDown(5.f, 35.f, IMouseMod(false, true));
  EXPECT_TRUE(Logged("menu 4"));
  EXPECT_FALSE(Logged("text entry 2 B"));

  // Neither button: no prompt.
  log.Clear();
  pEnum->OnMouseDown(5.f, 35.f, IMouseMod());
  EXPECT_TRUE(log.events.empty());
}

// ---- toggle

TEST_F(Text, ToggleFromBetweenGoesOnThenOffAndItsTextFollows)
{
  auto* pToggle = AttachAs(
    g, new ITextToggleControl(IRECT(0.f, 0.f, 40.f, 20.f), kGain, "off", "on", IText(12.f), kBackground));
  EXPECT_STREQ(pToggle->GetStr(), "off");
  EXPECT_TRUE(pToggle->GetDblAsSingleClick());
  pToggle->SetValue(0.3);

  pToggle->OnMouseDown(5.f, 5.f, kLeft);
  EXPECT_EQ(pToggle->GetValue(), 1.);
  EXPECT_STREQ(pToggle->GetStr(), "on");
  EXPECT_EQ(dlg.GetParam(kGain)->Value(), 1.);

  pToggle->OnMouseDown(5.f, 5.f, kLeft);
  EXPECT_EQ(pToggle->GetValue(), 0.);
  EXPECT_STREQ(pToggle->GetStr(), "off");
  EXPECT_EQ(dlg.GetParam(kGain)->Value(), 0.);

  // A value from the host changes the text too.
  pToggle->SetValueFromDelegate(0.8);
  EXPECT_STREQ(pToggle->GetStr(), "on");
}

TEST_F(Text, UnlinkedToggleRunsItsAction)
{
  int actions = 0;
  auto* pToggle = AttachAs(
    g, new ITextToggleControl(
         IRECT(0.f, 0.f, 40.f, 20.f), [&](IControl*) { ++actions; }, "off", "on", IText(12.f), kBackground));
  pToggle->OnMouseDown(5.f, 5.f, kLeft);
  EXPECT_EQ(actions, 1);
  EXPECT_STREQ(pToggle->GetStr(), "on");
  EXPECT_EQ(pToggle->GetParamIdx(), kNoParameter);
}

// ---- link

TEST_F(Text, LinkShowsTheVisitedColourAfterAClickUntilHoveredAgain)
{
  auto* pLink = AttachAs(g, new IURLControl(IRECT(0.f, 0.f, 100.f, 20.f), "site", "https://example.org/",
                                            IText(12.f, kInk), kBackground, kHover, kVisited));
  EXPECT_FALSE(pLink->GetIgnoreMouse());
  auto textColour = [&] {
    g.mDrawCalls.clear();
    pLink->Draw(g);
    return g.DrawCallsOf("text").at(0).color;
  };

  EXPECT_EQ(textColour(), kInk);

  g.Capture(0, pLink);
  pLink->OnMouseDown(5.f, 5.f, kLeft);
  EXPECT_EQ(g.mOpenedURLs, (std::vector<std::string>{"https://example.org/"}));
  EXPECT_EQ(g.NCaptures(), 0);
  EXPECT_EQ(textColour(), kVisited);

  pLink->OnMouseOver(5.f, 5.f, IMouseMod());
  EXPECT_EQ(g.GetCursor(), ECursor::HAND);
  EXPECT_EQ(textColour(), kHover);

  pLink->OnMouseOut();
  EXPECT_EQ(g.GetCursor(), ECursor::ARROW);
  EXPECT_EQ(textColour(), kVisited);

  // A new style brings its own base colour.
  IURLControl fresh(IRECT(0.f, 0.f, 100.f, 20.f), "site", "u", IText(12.f, kInk), kBackground, kHover, kVisited);
  fresh.SetText(IText(12.f, COLOR_GREEN));
  g.mDrawCalls.clear();
  fresh.Draw(g);
  EXPECT_EQ(g.DrawCallsOf("text").at(0).color, COLOR_GREEN);
}

struct UnderlineCase
{
  ETextAlign align;
  ETextVAlign valign;
  std::vector<float> line; // x1, y1, x2, y2
};

TEST_F(Text, LinkUnderlineRunsUnderTheTextForEachAlignment)
{
  // The text measures 30 x 10 around its anchor; the control is (10, 20, 110, 60).
  g.mTextExtent = IRECT(-15.f, -5.f, 15.f, 5.f);
  const UnderlineCase cases[] = {
    {kAlignNear, kVAlignMiddle, {10.f, 45.f, 40.f, 45.f}},
    {kAlignCenter, kVAlignMiddle, {45.f, 45.f, 75.f, 45.f}},
    {kAlignFar, kVAlignBottom, {80.f, 60.f, 110.f, 60.f}},
    {kAlignCenter, kVAlignBottom, {45.f, 60.f, 75.f, 60.f}},
  };
  for (const UnderlineCase& c : cases)
  {
    SCOPED_TRACE(std::to_string(c.align) + " " + std::to_string(c.valign));
    IURLControl link(IRECT(10.f, 20.f, 110.f, 60.f), "site", "u", IText(12.f, kInk, DEFAULT_FONT, c.align, c.valign),
                     kBackground, kHover, kVisited);
    g.mDrawCalls.clear();
    link.Draw(g);
    ASSERT_EQ(g.DrawOps(), (std::vector<std::string>{"fill rect", "draw line", "text"}));
    EXPECT_EQ(g.mDrawCalls[1].coords, c.line);
    EXPECT_EQ(g.mDrawCalls[1].color, kInk);
  }
}

// ---- place holder

TEST_F(Text, PlaceHolderShowsItsPositionAndSize)
{
  auto* pHolder = AttachAs(g, new PlaceHolder(IRECT(12.34f, 20.f, 112.34f, 70.5f), "Filter"));
  EXPECT_FALSE(pHolder->GetIgnoreMouse());

  pHolder->Draw(g);
  std::vector<std::string> texts;
  for (const auto& call : g.DrawCallsOf("text"))
    texts.push_back(call.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Filter", "12.3, 20.0", "100.0", "50.5"}));
  EXPECT_EQ(g.DrawCallsOf("draw line").size(), 2u);
  int boxes = 0;
  for (const auto& call : g.DrawCallsOf("fill rect"))
    boxes += call.weight == 0.75f;
  EXPECT_EQ(boxes, 4);

  g.SetControlPosition(pHolder, 0.f, 5.f);
  g.mDrawCalls.clear();
  pHolder->Draw(g);
  EXPECT_EQ(g.DrawCallsOf("text").at(1).text, "0.0, 5.0");
}

TEST_F(Text, PlaceHolderIsRenamedByDoubleClick)
{
  auto* pHolder = AttachAs(g, new PlaceHolder(IRECT(0.f, 0.f, 100.f, 50.f), "Filter"));
  log.Clear();

  pHolder->OnMouseDblClick(5.f, 5.f, IMouseMod());
  EXPECT_EQ(log.events, (std::vector<std::string>{"text entry -1 Filter"}));

  g.SetControlValueAfterTextEdit("Space");
  EXPECT_STREQ(pHolder->GetStr(), "Space");
}

} // namespace
