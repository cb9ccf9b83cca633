// Track layout, hit testing and the drawing calls of the track base, over the recording surface.
#include <string>
#include <vector>

#include "../SurfaceFixture.h"
#include "igraphics/controls/IVTrackControlBase.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

// One distinct colour per role, so a drawing call tells which role it draws.
constexpr IColor kBack(255, 1, 0, 0), kFore(255, 2, 0, 0), kPressed(255, 3, 0, 0), kFrame(255, 4, 0, 0),
  kHigh(255, 5, 0, 0), kShadow(255, 6, 0, 0), kExtra1(255, 7, 0, 0), kExtra2(255, 8, 0, 0), kExtra3(255, 9, 0, 0);

IVStyle TrackStyle()
{
  IVStyle style;
  style.showLabel = false;
  style.showValue = false;
  style.colorSpec = IVColorSpec{kBack, kFore, kPressed, kFrame, kHigh, kShadow, kExtra1, kExtra2, kExtra3};
  return style;
}

// Opens the protected state that layouts and subclasses set.
class Tracks : public IVTrackControlBase
{
public:
  using IVTrackControlBase::IVTrackControlBase;
  using IVTrackControlBase::mBaseValue;
  using IVTrackControlBase::mHighlightedTrack;
  using IVTrackControlBase::mMouseOverTrack;
  using IVTrackControlBase::mStepBounds;
  using IVTrackControlBase::mTrackBounds;
  using IVTrackControlBase::mTrackInset;
  using IVTrackControlBase::mZeroValueStepHasBounds;
};

class TrackBase : public SurfaceFixture
{
protected:
  Tracks* Make(const IRECT& bounds, int nTracks, EDirection dir, int nSteps = 0,
               std::initializer_list<const char*> names = {}, IVStyle style = TrackStyle())
  {
    auto* pTracks = new Tracks(bounds, "", style, nTracks, nSteps, dir, names);
    return static_cast<Tracks*>(g.AttachControl(pTracks));
  }

  std::vector<RecordingGraphics::DrawCall> Drawn(IControl& control, const std::string& op)
  {
    g.mDrawCalls.clear();
    control.Draw(g);
    return g.DrawCallsOf(op);
  }

  // The fills of one role's colour, as rectangles.
  std::vector<IRECT> FillsOf(IControl& control, const IColor& color)
  {
    std::vector<IRECT> rects;
    for (const auto& call : Drawn(control, "fill rect"))
      if (call.color == color)
        rects.emplace_back(call.coords[0], call.coords[1], call.coords[2], call.coords[3]);
    return rects;
  }
};

std::string Str(const IRECT& r)
{
  return "(" + std::to_string(r.L) + ", " + std::to_string(r.T) + ", " + std::to_string(r.R) + ", " +
         std::to_string(r.B) + ")";
}

void ExpectRect(const IRECT& actual, const IRECT& expected, const std::string& what)
{
  EXPECT_NEAR(actual.L, expected.L, 1e-3) << what << ": " << Str(actual);
  EXPECT_NEAR(actual.T, expected.T, 1e-3) << what << ": " << Str(actual);
  EXPECT_NEAR(actual.R, expected.R, 1e-3) << what << ": " << Str(actual);
  EXPECT_NEAR(actual.B, expected.B, 1e-3) << what << ": " << Str(actual);
}

// ---- layout

TEST_F(TrackBase, TracksShareTheWidgetAndLoseTheInsetOnOneSide)
{
  struct Case
  {
    const char* name;
    EDirection dir;
    int nTracks;
    float inset;
    std::vector<IRECT> expected;
  };
  // The widget is the whole control: 100 wide, 200 high.
  const Case cases[] = {
    {"two vertical", EDirection::Vertical, 2, 0.f, {{10, 20, 60, 220}, {60, 20, 110, 220}}},
    {"four vertical, inset 2",
     EDirection::Vertical,
     4,
     2.f,
     {{10, 20, 33, 218}, {35, 20, 58, 218}, {60, 20, 83, 218}, {85, 20, 108, 218}}},
    {"two horizontal", EDirection::Horizontal, 2, 0.f, {{10, 20, 110, 120}, {10, 120, 110, 220}}},
    {"two horizontal, inset 5", EDirection::Horizontal, 2, 5.f, {{10, 25, 110, 115}, {10, 125, 110, 215}}},
    {"no tracks", EDirection::Vertical, 0, 0.f, {}},
  };
  for (const Case& c : cases)
  {
    Tracks* pTracks = Make(IRECT(10.f, 20.f, 110.f, 220.f), c.nTracks, c.dir);
    pTracks->mTrackInset = c.inset;
    pTracks->OnResize();
    ASSERT_EQ(pTracks->mTrackBounds.size(), c.expected.size()) << c.name;
    for (size_t i = 0; i < c.expected.size(); ++i)
      ExpectRect(pTracks->mTrackBounds[i], c.expected[i], std::string(c.name) + " track " + std::to_string(i));
    EXPECT_EQ(pTracks->NVals(), c.nTracks) << c.name;
    EXPECT_TRUE(Drawn(*pTracks, "fill rect").size() >= 1u) << c.name << ": the background is drawn";
  }
}

TEST_F(TrackBase, ValuesAreLinkedOnlyToTheParametersGiven)
{
  Tracks* pFree = Make(IRECT(0.f, 0.f, 40.f, 100.f), 3, EDirection::Vertical);
  ASSERT_EQ(pFree->NVals(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(pFree->GetParamIdx(i), kNoParameter);

  auto* pLinked = static_cast<Tracks*>(
    g.AttachControl(new Tracks(IRECT(0.f, 0.f, 40.f, 100.f), "", TrackStyle(), {3, 1}, 0, EDirection::Vertical, {})));
  ASSERT_EQ(pLinked->NVals(), 2);
  EXPECT_EQ(pLinked->GetParamIdx(0), 3);
  EXPECT_EQ(pLinked->GetParamIdx(1), 1);
  EXPECT_EQ(pLinked->mTrackBounds.size(), 2u);
}

TEST_F(TrackBase, StepsAreCountedFromTheBottomOrFromTheRight)
{
  struct Case
  {
    const char* name;
    EDirection dir;
    int nSteps;
    bool zeroValueStep;
    size_t count;
    IRECT first;
    IRECT last;
  };
  // The widget is 40 wide and 100 high, or 100 wide and 40 high.
  const Case cases[] = {
    {"vertical with the zero step", EDirection::Vertical, 3, true, 4, {0, 75, 40, 100}, {0, 0, 40, 25}},
    {"vertical without it", EDirection::Vertical, 4, false, 4, {0, 75, 40, 100}, {0, 0, 40, 25}},
    {"horizontal with the zero step", EDirection::Horizontal, 3, true, 4, {75, 0, 100, 40}, {0, 0, 25, 40}},
    {"continuous", EDirection::Vertical, 0, true, 0, {}, {}},
  };
  for (const Case& c : cases)
  {
    const IRECT bounds = c.dir == EDirection::Vertical ? IRECT(0.f, 0.f, 40.f, 100.f) : IRECT(0.f, 0.f, 100.f, 40.f);
    Tracks* pTracks = Make(bounds, 1, c.dir, c.nSteps);
    pTracks->mZeroValueStepHasBounds = c.zeroValueStep;
    pTracks->OnResize();
    ASSERT_EQ(pTracks->mStepBounds.size(), c.count) << c.name;
    if (c.count == 0)
      continue;
    ExpectRect(pTracks->mStepBounds.front(), c.first, std::string(c.name) + " entry 0");
    ExpectRect(pTracks->mStepBounds.back(), c.last, std::string(c.name) + " last entry");
  }
}

// ---- hit testing and hover

TEST_F(TrackBase, OnlyAPointInsideATrackFindsIt)
{
  // Two tracks of (0, 0, 48, 98) and (50, 0, 98, 98): inset 2 leaves gaps.
  Tracks* pTracks = Make(IRECT(0.f, 0.f, 100.f, 100.f), 2, EDirection::Vertical);
  pTracks->mTrackInset = 2.f;
  pTracks->OnResize();

  const struct
  {
    float x, y;
    int expected;
  } cases[] = {
    {0.f, 0.f, 0},                       // left and top edges belong to the track
    {47.9f, 97.9f, 0}, {48.f, 50.f, -1}, // right edge does not
    {49.f, 50.f, -1},                    // the gap
    {50.f, 50.f, 1},   {60.f, 98.f, -1}, // bottom edge does not
    {99.f, 10.f, -1},  {-1.f, 10.f, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pTracks->GetValIdxForPos(c.x, c.y), c.expected) << c.x << ", " << c.y;
}

TEST_F(TrackBase, HoverFollowsThePointerOverTracksOnlyAndEndsOnLeaving)
{
  Tracks* pTracks = Make(IRECT(0.f, 0.f, 100.f, 100.f), 2, EDirection::Vertical);
  pTracks->mTrackInset = 2.f;
  pTracks->OnResize();

  pTracks->SetClean();
  pTracks->OnMouseOver(60.f, 10.f, IMouseMod());
  EXPECT_EQ(pTracks->mMouseOverTrack, 1);
  EXPECT_TRUE(pTracks->IsDirty());

  pTracks->OnMouseOver(49.f, 10.f, IMouseMod());
  EXPECT_EQ(pTracks->mMouseOverTrack, -1) << "between the tracks";

  pTracks->OnMouseOver(10.f, 10.f, IMouseMod());
  EXPECT_EQ(pTracks->mMouseOverTrack, 0);
  pTracks->SetClean();
  pTracks->OnMouseOut();
  EXPECT_EQ(pTracks->mMouseOverTrack, -1);
  EXPECT_TRUE(pTracks->IsDirty());
}

// ---- drawing

TEST_F(TrackBase, TheBarFillsFromTheBaseValueAndThePeakSitsAtItsMovingEnd)
{
  struct Case
  {
    const char* name;
    EDirection dir;
    double baseValue;
    double value;
    IRECT fill;
    IRECT peak;
  };
  // One track of 40 x 100 (vertical) or 100 x 40 (horizontal); peak size 1.
  const Case cases[] = {
    {"vertical from the bottom", EDirection::Vertical, 0., 0.25, {0, 75, 40, 100}, {0, 75, 40, 76}},
    {"vertical above the base", EDirection::Vertical, 0.5, 0.75, {0, 25, 40, 50}, {0, 25, 40, 26}},
    {"vertical below the base", EDirection::Vertical, 0.5, 0.25, {0, 50, 40, 75}, {0, 74, 40, 75}},
    {"horizontal from the left", EDirection::Horizontal, 0., 0.25, {0, 0, 25, 40}, {24, 0, 25, 40}},
    {"horizontal below the base", EDirection::Horizontal, 0.5, 0.25, {25, 0, 50, 40}, {25, 0, 26, 40}},
  };
  for (const Case& c : cases)
  {
    const IRECT bounds = c.dir == EDirection::Vertical ? IRECT(0.f, 0.f, 40.f, 100.f) : IRECT(0.f, 0.f, 100.f, 40.f);
    Tracks* pTracks = Make(bounds, 1, c.dir);
    pTracks->mBaseValue = c.baseValue;
    pTracks->SetValue(c.value, 0);

    const std::vector<IRECT> fills = FillsOf(*pTracks, kFore);
    ASSERT_EQ(fills.size(), 1u) << c.name;
    ExpectRect(fills[0], c.fill, std::string(c.name) + " fill");
    const std::vector<IRECT> peaks = FillsOf(*pTracks, kFrame);
    ASSERT_EQ(peaks.size(), 1u) << c.name;
    ExpectRect(peaks[0], c.peak, std::string(c.name) + " peak");
  }
}

TEST_F(TrackBase, AStepTrackLightsOnlyTheStepHoldingTheValue)
{
  struct Case
  {
    const char* name;
    EDirection dir;
    int nSteps;
    bool zeroValueStep;
    double value;
    std::vector<IRECT> lit; // empty: no handle
  };
  const Case cases[] = {
    // Five slices of 20: the zero step is the bottom one.
    {"zero lights the zero step", EDirection::Vertical, 4, true, 0., {{0, 80, 40, 100}}},
    {"half", EDirection::Vertical, 4, true, 0.5, {{0, 40, 40, 60}}},
    {"full", EDirection::Vertical, 4, true, 1., {{0, 0, 40, 20}}},
    // Four slices of 25.
    {"zero without a zero step", EDirection::Vertical, 4, false, 0., {}},
    {"on a shared edge, the lower step", EDirection::Vertical, 4, false, 0.5, {{0, 50, 40, 75}}},
    {"horizontal half", EDirection::Horizontal, 4, true, 0.5, {{40, 0, 60, 40}}},
    {"horizontal zero", EDirection::Horizontal, 4, true, 0., {{0, 0, 20, 40}}},
  };
  for (const Case& c : cases)
  {
    const IRECT bounds = c.dir == EDirection::Vertical ? IRECT(0.f, 0.f, 40.f, 100.f) : IRECT(0.f, 0.f, 100.f, 40.f);
    Tracks* pTracks = Make(bounds, 1, c.dir, c.nSteps);
    pTracks->mZeroValueStepHasBounds = c.zeroValueStep;
    pTracks->OnResize();
    pTracks->SetValue(c.value, 0);

    const std::vector<IRECT> lit = FillsOf(*pTracks, kFore);
    ASSERT_EQ(lit.size(), c.lit.size()) << c.name;
    for (size_t i = 0; i < lit.size(); ++i)
      ExpectRect(lit[i], c.lit[i], c.name);
    EXPECT_TRUE(FillsOf(*pTracks, kFrame).empty()) << c.name << ": steps show no peak";
  }
}

TEST_F(TrackBase, HighlightedAndHoveredTracksAndWhatIgnoresTheBlend)
{
  Tracks* pTracks = Make(IRECT(0.f, 0.f, 100.f, 100.f), 2, EDirection::Vertical);
  pTracks->mHighlightedTrack = 1;
  pTracks->OnMouseOver(10.f, 10.f, IMouseMod());
  pTracks->SetValue(0.5, 0);
  pTracks->SetValue(0.5, 1);
  pTracks->SetDisabled(true); // a blend of a quarter shows which calls take it

  std::vector<std::string> seen;
  for (const auto& call : Drawn(*pTracks, "fill rect"))
  {
    std::string role = call.color == kBack               ? "background"
                       : call.color == COLOR_TRANSPARENT ? "plain track"
                       : call.color == kHigh             ? "highlight"
                       : call.color == kFore             ? "handle"
                       : call.color == kExtra1           ? "highlighted handle"
                       : call.color == kFrame            ? "peak"
                                                         : "other";
    seen.push_back(role + (call.weight < 1.f ? " blended" : "") + " at " + std::to_string(int(call.coords[0])));
  }
  const std::vector<std::string> expected = {
    "background blended at 0",
    // Track 0 is under the mouse.
    "plain track at 0", "handle blended at 0", "highlight blended at 0", "peak blended at 0",
    // Track 1 is highlighted.
    "highlight at 50", "highlighted handle blended at 50", "peak blended at 50"};
  EXPECT_EQ(seen, expected);
}

TEST_F(TrackBase, NamesShorterThanTheTracksLeaveTheRestUnnamed)
{
  struct Case
  {
    const char* name;
    std::initializer_list<const char*> names;
    std::vector<std::string> drawn;
  };
  const Case cases[] = {
    {"one of three", {"L"}, {"L at 0"}},
    {"an empty name", {"", "R"}, {"R at 30"}},
    {"none", {}, {}},
  };
  for (const Case& c : cases)
  {
    Tracks* pTracks = Make(IRECT(0.f, 0.f, 90.f, 100.f), 3, EDirection::Vertical, 0, c.names);
    std::vector<std::string> drawn;
    for (const auto& call : Drawn(*pTracks, "text"))
      drawn.push_back(call.text + " at " + std::to_string(int(call.coords[0])));
    EXPECT_EQ(drawn, c.drawn) << c.name;
  }
}

TEST_F(TrackBase, ABaseValueAboveZeroDrawsItsLineAcrossTheBounds)
{
  struct Case
  {
    const char* name;
    EDirection dir;
    IRECT bounds;
    double baseValue;
    std::vector<float> line; // empty: none
  };
  const Case cases[] = {
    {"none at zero", EDirection::Vertical, {0, 0, 40, 100}, 0., {}},
    {"vertical, not rounded", EDirection::Vertical, {0, 0, 40, 100}, 0.305, {0, 69.5f, 40, 69.5f}},
    {"horizontal, on a whole pixel", EDirection::Horizontal, {5, 0, 38, 40}, 0.37, {17, 0, 17, 40}},
    {"clamped to the top", EDirection::Vertical, {0, 0, 40, 100}, 1.5, {0, 0, 40, 0}},
  };
  for (const Case& c : cases)
  {
    Tracks* pTracks = Make(c.bounds, 1, c.dir);
    pTracks->mBaseValue = c.baseValue;
    std::vector<std::vector<float>> lines;
    for (const auto& call : Drawn(*pTracks, "draw line"))
    {
      EXPECT_EQ(call.color, kShadow) << c.name;
      lines.push_back(call.coords);
    }
    if (c.line.empty())
    {
      EXPECT_TRUE(lines.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(lines.size(), 1u) << c.name;
    for (size_t i = 0; i < 4; ++i)
      EXPECT_NEAR(lines[0][i], c.line[i], 1e-3) << c.name << " coordinate " << i;
  }
}

} // namespace
