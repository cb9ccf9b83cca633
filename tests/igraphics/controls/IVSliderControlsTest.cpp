// The vector slider, range slider and XY pad on the headless editor: pictures checked at sampled
// pixels, and input sent as a platform delivers it, with what reaches the host recorded.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "igraphics/IContainerBase.h"
#include "igraphics/controls/IVRangeSliderControl.h"
#include "igraphics/controls/IVSliderControl.h"
#include "igraphics/controls/IVXYPadControl.h"
#include "iplug/IPlugParameter.h"

using namespace iplug::igraphics;
using headless::Near;
using headless::Str;

namespace
{

constexpr IColor kBack(255, 255, 255, 255), kFace(255, 0, 0, 255), kTrack(255, 160, 160, 160), kFill(255, 255, 128, 0);

// Flat colours, no label, value, frame or shadow: every sampled pixel has one expected colour.
IVStyle PlainStyle(bool hideCursor = true)
{
  IVStyle style;
  style.hideCursor = hideCursor;
  style.showLabel = false;
  style.showValue = false;
  style.drawFrame = false;
  style.drawShadows = false;
  style.colorSpec = IVColorSpec{kBack, kFace, kFace, COLOR_BLACK, kFace, kTrack, kFill};
  return style;
}

/** Three parameters 0..1; records the host's gestures and the values the editor sends. */
class SliderDelegate : public IGEditorDelegate
{
public:
  SliderDelegate() : IGEditorDelegate(3)
  {
    SetSizeConstraints(1, 10000, 1, 10000);
    GetParam(0)->InitDouble("A", 0.5, 0., 1., 0.0001);
    GetParam(1)->InitDouble("B", 0.5, 0., 1., 0.0001);
    GetParam(2)->InitDouble("C", 0.5, 0., 1., 0.0001);
  }
  void BeginInformHostOfParamChangeFromUI(int idx) override { log.push_back("begin " + std::to_string(idx)); }
  void SendParameterValueFromUI(int idx, double value) override
  {
    log.push_back("value " + std::to_string(idx));
    IGEditorDelegate::SendParameterValueFromUI(idx, value);
  }
  void EndInformHostOfParamChangeFromUI(int idx) override { log.push_back("end " + std::to_string(idx)); }

  int Count(const std::string& entry) const { return static_cast<int>(std::count(log.begin(), log.end(), entry)); }

  std::vector<std::string> log;
};

struct Pad
{
  explicit Pad(HeadlessWindow* pParent = nullptr)
  {
    dlg.SetMakeGraphicsFunc([this] { return new IGraphicsHeadless(dlg, 200, 200); });
    dlg.SetLayoutFunc(
      [](IGraphics* pGraphics) { pGraphics->AttachControl(new IPanelControl(pGraphics->GetBounds(), kBack)); });
    window = dlg.OpenWindow(pParent);
    graphics = static_cast<IGraphicsHeadless*>(dlg.GetUI());
  }
  ~Pad() { dlg.CloseWindow(); }

  template <typename T>
  T* Add(T* pControl)
  {
    return static_cast<T*>(graphics->AttachControl(pControl));
  }

  void Send(int type, float x, float y, float dX = 0.f, float dY = 0.f)
  {
    graphics->Send(headless::PointerEvent(type, x, y, kHeadlessLeft, dX, dY));
  }

  /** Press at (x0, y0), drag to (x1, y1), release there. */
  void Drag(float x0, float y0, float x1, float y1)
  {
    Send(kHeadlessMouseDown, x0, y0);
    Send(kHeadlessMouseDrag, x1, y1, x1 - x0, y1 - y0);
    Send(kHeadlessMouseUp, x1, y1);
  }

  // What the plug-in does when the host changes a parameter: store it, then tell the editor.
  void FromHost(int paramIdx, double value)
  {
    dlg.GetParam(paramIdx)->SetNormalized(value);
    dlg.SendParameterValueFromDelegate(paramIdx, value, true);
  }
  double Param(int paramIdx) const { return dlg.GetParam(paramIdx)->GetNormalized(); }

  void Draw(const std::string& pngName)
  {
    graphics->Tick();
    EXPECT_TRUE(graphics->WritePNG((std::string(TEST_OUTPUT_DIR) + "/" + pngName).c_str()));
  }
  IColor At(float x, float y) const { return graphics->PixelAt(static_cast<int>(x), static_cast<int>(y)); }

  SliderDelegate dlg;
  IGraphicsHeadless* graphics = nullptr;
  void* window = nullptr;
};

// A vertical slider of 40 x 180 with handle size 8 and track size 3: its track runs
// (27, 18)..(33, 182), 164 pixels long.
const IRECT kSliderRect(10.f, 10.f, 50.f, 190.f);
constexpr float kTrackTop = 18.f, kTrackBottom = 182.f;

IVSliderControl* AddSlider(Pad& p, int paramIdx, bool hideCursor = true)
{
  return p.Add(
    new IVSliderControl(kSliderRect, paramIdx, "", PlainStyle(hideCursor), false, EDirection::Vertical, 4., 8.f, 3.f));
}

} // namespace

// ---- slider

TEST(IVSlider, TrackFillsUpToTheValueWithTheHandleAtItsEnd)
{
  Pad p;
  ASSERT_NE(p.window, nullptr);
  IVSliderControl* pSlider = AddSlider(p, 0);
  EXPECT_EQ(pSlider->GetTrackBounds(), IRECT(27.f, kTrackTop, 33.f, kTrackBottom));

  struct Case
  {
    double value;
    const char* png;
    float handleY;
  };
  for (const Case& c : {Case{0., "slider_0.png", kTrackBottom}, Case{0.5, "slider_50.png", 100.f}})
  {
    SCOPED_TRACE(c.png);
    p.FromHost(0, c.value);
    p.Draw(c.png);
    EXPECT_TRUE(Near(p.At(30.f, c.handleY), kFace)) << "handle: " << Str(p.At(30.f, c.handleY));
    EXPECT_TRUE(Near(p.At(30.f, 40.f), kTrack)) << "unfilled track: " << Str(p.At(30.f, 40.f));
    EXPECT_TRUE(Near(p.At(20.f, 60.f), kBack)) << "beside the track: " << Str(p.At(20.f, 60.f));
  }
  // At 0 nothing below the handle is filled; at half the track below the handle is.
  EXPECT_TRUE(Near(p.At(30.f, 150.f), kFill)) << Str(p.At(30.f, 150.f));
  p.FromHost(0, 0.);
  p.Draw("slider_0.png");
  EXPECT_TRUE(Near(p.At(30.f, 150.f), kTrack)) << Str(p.At(30.f, 150.f));
}

TEST(IVSlider, DragFromThePressSetsTheParameterInOneGesture)
{
  struct Case
  {
    bool hideCursor;
    double expected;
  };
  // A press at the track's middle jumps there; the drag 41 pixels up then moves on relatively
  // (gearing 4 over 164 pixels) while the cursor is hidden, or follows the pointer otherwise.
  for (const Case& c : {Case{true, 0.5 + 41. / 164. / 4.}, Case{false, 0.75}})
  {
    SCOPED_TRACE(c.hideCursor);
    Pad p;
    p.FromHost(0, 0.1);
    AddSlider(p, 0, c.hideCursor);
    p.Drag(30.f, 100.f, 30.f, 59.f);

    EXPECT_NEAR(p.Param(0), c.expected, 1e-4);
    EXPECT_EQ(p.dlg.Count("begin 0"), 1);
    EXPECT_EQ(p.dlg.Count("end 0"), 1);
    EXPECT_EQ(p.dlg.log.front(), "begin 0");
    EXPECT_EQ(p.dlg.log.back(), "end 0");
  }
}

TEST(IVSlider, PressOnAnEditableValueOpensTheEditorInsteadOfDragging)
{
  struct Case
  {
    const char* typed; // null leaves the entry open
    double expected;
  };
  // An open entry holds the editor still; one answered at once lets the rest of the press's drag
  // reach the slider, which must not resume a drag it never started.
  for (Case c : {Case{nullptr, 0.25}, Case{"0.6", 0.6}})
  {
    SCOPED_TRACE(c.typed ? c.typed : "left open");
    HeadlessWindow window{};
    window.host = &c;
    window.answerTextEntry = [](void* host, const char*, int) { return static_cast<Case*>(host)->typed; };
    Pad p(&window);
    ASSERT_NE(p.window, nullptr);
    ASSERT_TRUE(p.graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf"));
    IVStyle style = PlainStyle();
    style.showValue = true;
    auto* pSlider = p.Add(new IVSliderControl(kSliderRect, 0, "", style, true, EDirection::Vertical, 4., 8.f, 3.f));
    p.FromHost(0, 0.25);
    const IRECT value = pSlider->GetValueBounds();
    // Below the track, so a press there that started a drag would snap the value to 0.
    ASSERT_FALSE(value.Empty());
    ASSERT_GT(value.MH(), pSlider->GetTrackBounds().B);

    p.Drag(value.MW(), value.MH(), value.MW(), pSlider->GetTrackBounds().MH());

    EXPECT_EQ(p.graphics->GetRecord().textEntry, "0.2500");
    EXPECT_NEAR(p.Param(0), c.expected, 1e-9);
  }
}

// ---- range slider

namespace
{

// A vertical range slider of 40 x 180, handle size 6, track size 2: the strip runs (78, 16)..(82, 184),
// even handles lie left of x 80, odd ones right of x 82.
const IRECT kRangeRect(60.f, 10.f, 100.f, 190.f);
constexpr float kStripTop = 16.f, kStripBottom = 184.f;

float RangeY(double value)
{
  return kStripBottom - (kStripBottom - kStripTop) * static_cast<float>(value);
}

IVRangeSliderControl* AddRange(Pad& p, std::initializer_list<int> params)
{
  return p.Add(new IVRangeSliderControl(kRangeRect, params, "", PlainStyle(), EDirection::Vertical, false, 6.f, 2.f));
}

} // namespace

TEST(IVRangeSlider, FillsBetweenTheValuesWithTriangleHandlesOnEitherSide)
{
  Pad p;
  IVRangeSliderControl* pRange = AddRange(p, {0, 1});

  struct Case
  {
    double lo, hi;
    const char* png;
  };
  for (const Case& c : {Case{0.5, 0.5, "range_default.png"}, Case{0.25, 0.75, "range_25_75.png"}})
  {
    SCOPED_TRACE(c.png);
    p.FromHost(0, c.lo);
    p.FromHost(1, c.hi);
    EXPECT_EQ(pRange->GetHandleBounds(0), IRECT(68.f, RangeY(c.lo) - 6.f, 80.f, RangeY(c.lo) + 6.f));
    EXPECT_EQ(pRange->GetHandleBounds(1), IRECT(82.f, RangeY(c.hi) - 6.f, 94.f, RangeY(c.hi) + 6.f));
    p.Draw(c.png);
    // Each triangle's broad end lies away from the track, its point at the track.
    EXPECT_TRUE(Near(p.At(70.f, RangeY(c.lo)), kFace)) << Str(p.At(70.f, RangeY(c.lo)));
    EXPECT_TRUE(Near(p.At(91.f, RangeY(c.hi)), kFace)) << Str(p.At(91.f, RangeY(c.hi)));
    EXPECT_TRUE(Near(p.At(76.f, RangeY(c.lo) - 4.f), kBack)) << "the point side is narrow";
    EXPECT_TRUE(Near(p.At(80.f, RangeY(0.9)), kBack)) << "no fill beyond the upper value";
  }
  EXPECT_TRUE(Near(p.At(80.f, RangeY(0.5)), kFill)) << "fill between the values: " << Str(p.At(80.f, RangeY(0.5)));
}

TEST(IVRangeSlider, AHandleIsHeldBetweenItsNeighbours)
{
  struct Case
  {
    const char* name;
    std::vector<double> values;
    int handle;
    float toY;
    std::vector<double> expected;
  };
  const float top = RangeY(1.) - 30.f, bottom = RangeY(0.) + 30.f;
  const Case cases[] = {
    {"equal, lower handle up", {0.5, 0.5}, 0, top, {0.5, 0.5}},
    {"equal, lower handle down", {0.5, 0.5}, 0, RangeY(0.25), {0.25, 0.5}},
    {"equal, upper handle down", {0.5, 0.5}, 1, bottom, {0.5, 0.5}},
    {"equal, upper handle up", {0.5, 0.5}, 1, RangeY(0.75), {0.5, 0.75}},
    {"middle past the upper", {0.2, 0.5, 0.8}, 1, top, {0.2, 0.8, 0.8}},
    {"middle past the lower", {0.2, 0.5, 0.8}, 1, bottom, {0.2, 0.2, 0.8}},
    {"first down to the end", {0.2, 0.5, 0.8}, 0, bottom, {0., 0.5, 0.8}},
    {"last up to the end", {0.2, 0.5, 0.8}, 2, top, {0.2, 0.5, 1.}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    Pad p;
    IVRangeSliderControl* pRange = c.values.size() == 2 ? AddRange(p, {0, 1}) : AddRange(p, {0, 1, 2});
    for (size_t i = 0; i < c.values.size(); ++i)
      p.FromHost(static_cast<int>(i), c.values[i]);

    const IRECT h = pRange->GetHandleBounds(c.handle);
    p.Drag(h.MW(), h.MH(), h.MW(), c.toY);
    for (size_t i = 0; i < c.expected.size(); ++i)
      EXPECT_NEAR(p.Param(static_cast<int>(i)), c.expected[i], 1e-3) << "handle " << i;
    EXPECT_EQ(p.dlg.Count("begin " + std::to_string(c.handle)), 1);
  }
}

TEST(IVRangeSlider, APressDragsTheHandleUnderItNotTheOneHoveredBeforeTheValuesMoved)
{
  Pad p;
  p.graphics->EnableMouseOver(true);
  IVRangeSliderControl* pRange = AddRange(p, {0, 1});
  p.FromHost(0, 0.2);
  p.FromHost(1, 0.8);
  const IRECT was = pRange->GetHandleBounds(0);
  p.Send(kHeadlessMouseOver, was.MW(), was.MH());
  ASSERT_EQ(pRange->GetMouseOverHandle(), 0);

  // The host moves the lower handle away from under the pointer; a press there grabs nothing.
  p.FromHost(0, 0.6);
  p.Drag(was.MW(), was.MH(), was.MW(), RangeY(0.));
  EXPECT_NEAR(p.Param(0), 0.6, 1e-9);
  EXPECT_NEAR(p.Param(1), 0.8, 1e-9);
  EXPECT_EQ(p.dlg.Count("value 0"), 0);
}

TEST(IVRangeSlider, PositionsAndIndicesOutsideTheHandlesNameNone)
{
  Pad p;
  IVRangeSliderControl* pRange = AddRange(p, {0, 1});
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int i : {-1, 2, 1000})
    EXPECT_EQ(pRange->GetHandleBounds(i), IRECT()) << i;
  struct Point
  {
    float x, y;
  };
  for (const Point& pt : {Point{nan, 100.f}, Point{80.f, nan}, Point{-5.f, 100.f}, Point{300.f, 300.f}})
  {
    EXPECT_EQ(pRange->GetHandleForPos(pt.x, pt.y), kNoValIdx) << pt.x << ", " << pt.y;
    EXPECT_EQ(pRange->GetValIdxForPos(pt.x, pt.y), kNoValIdx) << pt.x << ", " << pt.y;
  }
  // On the strip every position names the first value, the one its slot shares.
  EXPECT_EQ(pRange->GetValIdxForPos(80.f, 100.f), 0);

  // Without parameters there is nothing to draw or to drag.
  Pad empty;
  IVRangeSliderControl* pNone = AddRange(empty, {});
  empty.Draw("range_empty.png");
  empty.Drag(80.f, 100.f, 80.f, 20.f);
  EXPECT_EQ(pNone->GetHandleForPos(80.f, 100.f), kNoValIdx);
  EXPECT_TRUE(empty.dlg.log.empty());
}

// ---- XY pad

namespace
{

// An 80 x 80 pad with handle radius 8 that keeps the handle inside: the handle's centre moves over
// (118, 18)..(182, 82).
const IRECT kPadRect(110.f, 10.f, 190.f, 90.f);

IVXYPadControl* AddPad(Pad& p, std::initializer_list<int> params)
{
  return p.Add(new IVXYPadControl(kPadRect, params, "", PlainStyle(), 8.f, false, true));
}

} // namespace

TEST(IVXYPad, HandleSitsAtXAndY)
{
  Pad p;
  AddPad(p, {1, 2});
  struct Case
  {
    double x, y;
    const char* png;
    float cx, cy;
  };
  for (const Case& c : {Case{0.5, 0.5, "xy_default.png", 150.f, 50.f}, Case{1., 0., "xy_1_0.png", 182.f, 82.f}})
  {
    SCOPED_TRACE(c.png);
    p.FromHost(1, c.x);
    p.FromHost(2, c.y);
    p.Draw(c.png);
    EXPECT_TRUE(Near(p.At(c.cx - 3.f, c.cy - 3.f), kFace)) << Str(p.At(c.cx - 3.f, c.cy - 3.f));
    EXPECT_TRUE(Near(p.At(125.f, 25.f), kBack)) << "away from the handle";
  }
  EXPECT_FALSE(Near(p.At(147.f, 47.f), kFace)) << "the handle has left the centre";
}

TEST(IVXYPad, DragSetsBothParametersInOneGestureEachAndPinsOutside)
{
  struct Case
  {
    float toX, toY;
    double x, y;
  };
  // Positions count within the whole control: its left edge is x 0, its bottom edge y 0.
  const Case cases[] = {
    {130.f, 70.f, 0.25, 0.25},
    {500.f, -500.f, 1., 1.},
    {-500.f, 500.f, 0., 0.},
    {150.f, -20.f, 0.5, 1.},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(std::to_string(c.toX) + ", " + std::to_string(c.toY));
    Pad p;
    AddPad(p, {1, 2});
    p.Drag(150.f, 50.f, c.toX, c.toY);

    EXPECT_NEAR(p.Param(1), c.x, 1e-6);
    EXPECT_NEAR(p.Param(2), c.y, 1e-6);
    for (const char* entry : {"begin 1", "begin 2", "end 1", "end 2"})
      EXPECT_EQ(p.dlg.Count(entry), 1) << entry;
    EXPECT_GT(p.dlg.Count("value 1"), 0);
    EXPECT_GT(p.dlg.Count("value 2"), 0);
    EXPECT_EQ(p.dlg.Count("value 0"), 0);
    EXPECT_EQ(p.dlg.log.back().substr(0, 3), "end");
  }
}

TEST(IVXYPad, OneParameterStillGivesBothAxesAndUnknownPositionsChangeNothing)
{
  Pad p;
  IVXYPadControl* pPad = AddPad(p, {1});
  ASSERT_EQ(pPad->NVals(), 2);
  EXPECT_EQ(pPad->GetParamIdx(1), iplug::kNoParameter);
  p.Drag(150.f, 50.f, 170.f, 30.f);
  EXPECT_NEAR(p.Param(1), 0.75, 1e-6);
  EXPECT_NEAR(pPad->GetValue(1), 0.75, 1e-6);
  p.Draw("xy_one_param.png");

  const float nan = std::numeric_limits<float>::quiet_NaN();
  pPad->OnMouseDrag(nan, 30.f, 0.f, 0.f, IMouseMod());
  pPad->OnMouseDrag(150.f, nan, 0.f, 0.f, IMouseMod());
  EXPECT_NEAR(pPad->GetValue(0), 0.75, 1e-6);
  EXPECT_NEAR(pPad->GetValue(1), 0.75, 1e-6);
}
