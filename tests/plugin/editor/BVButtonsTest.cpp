// The speed-mode and INIT buttons drawn on the headless editor and clicked as a user would.
#include "plugin/editor/BVInitButton.h"
#include "plugin/editor/BVPalette.h"
#include "plugin/editor/BVSpeedModeButton.h"

#include "tests/igraphics/platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace headless;
using namespace iplug::igraphics;
using brimvale::editor::BVInitButton;
using brimvale::editor::BVSpeedModeButton;
using brimvale::editor::COLOR_BV_AMBER;
using brimvale::editor::COLOR_BV_PANEL_DARK;
using brimvale::editor::COLOR_BV_TEXT;

namespace
{

constexpr int kSpeedMode = 0;
const IRECT kSpeedRect(10, 10, 80, 40);
const IRECT kInitRect(90, 10, 160, 40);
const IColor kUnlit(255, 74, 84, 88);

/** One Speed Mode parameter; records what reaches the host from the editor. */
class ButtonsDelegate : public IGEditorDelegate
{
public:
  explicit ButtonsDelegate(std::function<void()> initAction) : IGEditorDelegate(1)
  {
    SetSizeConstraints(1, 10000, 1, 10000);
    GetParam(kSpeedMode)->InitBool("Speed Mode", false, "", 0, "", "RATE", "SEMI");
    SetMakeGraphicsFunc([this] { return new IGraphicsHeadless(*this, 170, 50); });
    SetLayoutFunc([this, initAction](IGraphics* pGraphics) {
      fontLoaded = pGraphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf");
      pGraphics->EnableMouseOver(true); // as the instrument's layout does
      speed = pGraphics->AttachControl(new BVSpeedModeButton(kSpeedRect, kSpeedMode));
      init = pGraphics->AttachControl(new BVInitButton(kInitRect, initAction));
    });
  }
  void BeginInformHostOfParamChangeFromUI(int idx) override { log.push_back("begin " + std::to_string(idx)); }
  void SendParameterValueFromUI(int idx, double value) override
  {
    log.push_back("value " + std::to_string(idx) + " " + std::to_string(value));
    IGEditorDelegate::SendParameterValueFromUI(idx, value);
  }
  void EndInformHostOfParamChangeFromUI(int idx) override { log.push_back("end " + std::to_string(idx)); }

  std::vector<std::string> log;
  bool fontLoaded = false;
  IControl* speed = nullptr;
  IControl* init = nullptr;
};

struct Buttons
{
  explicit Buttons(std::function<void()> initAction = nullptr) : dlg(std::move(initAction))
  {
    dlg.OpenWindow(nullptr);
    ui = static_cast<IGraphicsHeadless*>(dlg.GetUI());
  }
  ~Buttons() { dlg.CloseWindow(); }

  void Send(int type, const IRECT& r, int modifiers = kHeadlessLeft)
  {
    ui->Send(headless::PointerEvent(type, r.MW(), r.MH(), modifiers));
  }

  /** Down, a drag that stays on the button, up. */
  void Click(const IRECT& r, int modifiers = kHeadlessLeft)
  {
    Send(kHeadlessMouseDown, r, modifiers);
    Send(kHeadlessMouseDrag, r.GetTranslated(3, 2), modifiers);
    Send(kHeadlessMouseUp, r, modifiers);
  }

  /** The inner fill of a button, clear of its frame and its text. */
  IColor Fill(const IRECT& r) const { return ui->PixelAt(int(r.L) + 6, int(r.T) + 6); }
  /** The button's top left pixel, outside the inner fill. */
  IColor Corner(const IRECT& r) const { return ui->PixelAt(int(r.L), int(r.T)); }

  ButtonsDelegate dlg;
  IGraphicsHeadless* ui = nullptr;
};

/** The window's pixels in r, row by row. */
std::vector<uint8_t> PixelsIn(const IGraphicsHeadless& g, const IRECT& r)
{
  std::vector<uint8_t> px;
  for (int y = int(r.T); y < int(r.B); ++y)
    for (int x = int(r.L); x < int(r.R); ++x)
    {
      const IColor c = g.PixelAt(x, y);
      px.insert(px.end(), {uint8_t(c.A), uint8_t(c.R), uint8_t(c.G), uint8_t(c.B)});
    }
  return px;
}

/** What the inside of a button must look like: the word centred on the fill, in 12 pt Roboto. */
std::vector<uint8_t> Expected(const IRECT& inner, const IColor& fill, const IColor& ink, const char* word)
{
  Editor e(170, 50);
  e.Add(inner, [&](IGraphics& g, DrawFuncControl&) {
    g.FillRect(fill, inner);
    g.DrawText(IText(12.f, ink, "Roboto-Regular"), word, inner);
  });
  EXPECT_TRUE(e.fontLoaded);
  e.graphics->Tick();
  return PixelsIn(*e.graphics, inner.GetPadded(-1.f));
}

} // namespace

TEST(BVSpeedModeButton, DrawsSemiOnAmberAboveHalfAndRateOnGreyOtherwise)
{
  struct Case
  {
    double value;
    IColor fill, ink;
    const char* word;
  };
  const Case cases[] = {
    {0.0, kUnlit, COLOR_BV_TEXT, "RATE"},
    {0.5, kUnlit, COLOR_BV_TEXT, "RATE"}, // exactly half is not yet above it
    {1.0, COLOR_BV_AMBER, COLOR_BLACK, "SEMI"},
  };
  const IRECT inner = kSpeedRect.GetPadded(-4.f);
  for (const Case& c : cases)
  {
    Buttons b;
    ASSERT_TRUE(b.dlg.fontLoaded);
    b.dlg.SendParameterValueFromDelegate(kSpeedMode, c.value, true);
    ASSERT_TRUE(b.ui->Tick());
    EXPECT_TRUE(Near(b.Corner(kSpeedRect), COLOR_BV_PANEL_DARK, 2)) << c.value;
    EXPECT_TRUE(Near(b.Fill(kSpeedRect), c.fill, 2)) << c.value << ": " << Str(b.Fill(kSpeedRect));
    EXPECT_EQ(PixelsIn(*b.ui, inner.GetPadded(-1.f)), Expected(inner, c.fill, c.ink, c.word)) << c.value;
  }
  Buttons b;
  EXPECT_STREQ(b.dlg.speed->GetTooltip(), "RATE / SEMI");
}

TEST(BVSpeedModeButton, AClickFlipsTheParameterAsOneEditOfTheUser)
{
  struct Case
  {
    double from;
    double to;
  };
  const Case cases[] = {{0.0, 1.0}, {0.5, 1.0}, {1.0, 0.0}};
  for (const Case& c : cases)
  {
    Buttons b;
    b.dlg.SendParameterValueFromDelegate(kSpeedMode, c.from, true);
    b.ui->Tick();
    b.Click(kSpeedRect);
    EXPECT_EQ(b.dlg.log, (std::vector<std::string>{"begin 0", "value 0 " + std::to_string(c.to), "end 0"})) << c.from;
    EXPECT_DOUBLE_EQ(b.dlg.GetParam(kSpeedMode)->Value(), c.to) << c.from;
    EXPECT_DOUBLE_EQ(b.dlg.speed->GetValue(0), c.to) << c.from;
    ASSERT_TRUE(b.ui->Tick()) << "the flip redraws the button";
    EXPECT_TRUE(Near(b.Fill(kSpeedRect), c.to > 0.5 ? COLOR_BV_AMBER : kUnlit, 2)) << c.from;
  }
}

TEST(BVInitButton, TurnsAmberWithBlackTextWhileTheMouseIsOver)
{
  Buttons b;
  ASSERT_TRUE(b.dlg.fontLoaded);
  EXPECT_STREQ(b.dlg.init->GetTooltip(), "Initialize Brimvale");
  struct Step
  {
    int event;
    IColor fill, ink;
  };
  const Step steps[] = {
    {kHeadlessTick, kUnlit, COLOR_BV_TEXT},
    {kHeadlessMouseOver, COLOR_BV_AMBER, COLOR_BLACK},
    {kHeadlessMouseOut, kUnlit, COLOR_BV_TEXT},
  };
  const IRECT inner = kInitRect.GetPadded(-2.f);
  for (const Step& s : steps)
  {
    b.Send(s.event, kInitRect);
    b.ui->Tick();
    EXPECT_TRUE(Near(b.Corner(kInitRect), COLOR_BV_PANEL_DARK, 2)) << s.event;
    EXPECT_TRUE(Near(b.Fill(kInitRect), s.fill, 2)) << s.event << ": " << Str(b.Fill(kInitRect));
    EXPECT_EQ(PixelsIn(*b.ui, inner.GetPadded(-1.f)), Expected(inner, s.fill, s.ink, "INIT")) << s.event;
  }
}

TEST(BVInitButton, AnyClickRunsTheActionOnce)
{
  int resets = 0;
  Buttons b([&] { ++resets; });
  const int modifiers[] = {kHeadlessLeft, kHeadlessRight, kHeadlessLeft | kHeadlessShift,
                           kHeadlessLeft | kHeadlessControl | kHeadlessAlt};
  for (int m : modifiers)
  {
    const int before = resets;
    b.Send(kHeadlessMouseDown, kInitRect, m);
    EXPECT_EQ(resets, before + 1) << "on the press, modifiers " << m;
    b.Send(kHeadlessMouseUp, kInitRect, m);
    EXPECT_EQ(resets, before + 1) << "not again on release, modifiers " << m;
  }
  EXPECT_TRUE(b.dlg.log.empty()) << "no parameter is edited";
}

TEST(BVInitButton, WithoutAnActionAClickChangesNothing)
{
  Buttons b;
  b.dlg.SendParameterValueFromDelegate(kSpeedMode, 1.0, true);
  b.ui->Tick();
  b.Click(kInitRect);
  EXPECT_TRUE(b.dlg.log.empty());
  EXPECT_DOUBLE_EQ(b.dlg.speed->GetValue(0), 1.0);
}
