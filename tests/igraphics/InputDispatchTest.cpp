// Which control receives each event, the captures and hover that carry a gesture, the host's edit
// gestures around them, and the computer keyboard played as a MIDI keyboard.
#include "SurfaceFixture.h"

#include "iplug/IPlugMidi.h"

#include <functional>

using namespace iplug::igraphics;

namespace
{

// A control that logs the input it receives.
class InputControl : public TestControl
{
public:
  InputControl(EventLog& log, std::string name, const IRECT& bounds, int paramIdx = iplug::kNoParameter)
  : TestControl(log, name, bounds, paramIdx)
  , mLog(log)
  , mName(std::move(name))
  {}

  void OnMouseDown(float, float, const IMouseMod& mod) override { mLog.Add(mName + (mod.R ? " right down" : " down")); }
  void OnMouseUp(float, float, const IMouseMod&) override { mLog.Add(mName + " up"); }
  void OnMouseDrag(float x, float y, float, float, const IMouseMod&) override
  {
    mLog.Add(mName + " drag " + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
  }
  void OnMouseDblClick(float, float, const IMouseMod&) override { mLog.Add(mName + " double"); }
  // A tenth of the range per notch, as a knob turns.
  void OnMouseWheel(float, float, const IMouseMod&, float d) override
  {
    mLog.Add(mName + " wheel " + std::to_string(d));
    SetValueFromUserInput(GetValue() + d / 10.);
  }
  void OnMouseOver(float x, float y, const IMouseMod& mod) override
  {
    if (!GetMouseIsOver())
      mLog.Add(mName + " over");
    IControl::OnMouseOver(x, y, mod);
  }
  void OnMouseOut() override
  {
    if (GetMouseIsOver())
      mLog.Add(mName + " out");
    IControl::OnMouseOut();
  }
  bool OnKeyDown(float, float, const IKeyPress& key) override
  {
    mLog.Add(mName + " key " + std::to_string(key.VK));
    return mHandlesKeys;
  }
  void OnTouchCancelled(float, float, const IMouseMod&) override { mLog.Add(mName + " cancelled"); }
  void OnDrop(const char* str) override { mLog.Add(mName + " drop " + str); }
  void CreateContextMenu(IPopupMenu&) override { mLog.Add(mName + " context menu"); }

  bool mHandlesKeys = false;

private:
  EventLog& mLog;
  std::string mName;
};

IMouseInfo Point(float x, float y, IMouseMod mod = IMouseMod(true))
{
  IMouseInfo info;
  info.x = x;
  info.y = y;
  info.ms = mod;
  return info;
}

IMouseInfo Move(float x, float y, float dX, float dY, IMouseMod mod = IMouseMod(true))
{
  IMouseInfo info = Point(x, y, mod);
  info.dX = dX;
  info.dY = dY;
  return info;
}

class InputDispatch : public SurfaceFixture
{
protected:
  InputControl* Add(const std::string& name, const IRECT& r, int paramIdx = iplug::kNoParameter)
  {
    return static_cast<InputControl*>(g.AttachControl(new InputControl(log, name, r, paramIdx)));
  }

  void Click(float x, float y, IMouseMod mod = IMouseMod(true))
  {
    g.OnMouseDown({Point(x, y, mod)});
    g.OnMouseUp({Point(x, y, mod)});
  }

  // The events logged since the last call, without the hover and attach noise.
  std::vector<std::string> Taken()
  {
    std::vector<std::string> taken;
    for (const std::string& e : log.events)
      if (e.find(" over") == std::string::npos && e.find(" out") == std::string::npos)
        taken.push_back(e);
    log.Clear();
    return taken;
  }
};

} // namespace

TEST_F(InputDispatch, TheTopmostVisibleControlThatTakesTheMouseIsHit)
{
  Add("bg", IRECT(0, 0, 400, 300));
  Add("lower", IRECT(10, 10, 100, 100));
  InputControl* upper = Add("upper", IRECT(50, 50, 150, 150));
  log.Clear();

  struct Case
  {
    const char* what;
    std::function<void()> change;
    const char* expected;
  } cases[] = {
    {"overlap: the later control", [] {}, "upper down"},
    {"hidden on top", [&] { upper->Hide(true); }, "lower down"},
    {"ignores the mouse on top", [&] { upper->Hide(false), upper->SetIgnoreMouse(true); }, "lower down"},
    {"disabled on top", [&] { upper->SetIgnoreMouse(false), upper->SetDisabled(true); }, "lower down"},
    {"disabled but takes events", [&] { upper->SetMouseEventsWhenDisabled(true); }, "upper down"},
  };
  for (const Case& c : cases)
  {
    c.change();
    log.Clear();
    Click(60, 60);
    EXPECT_EQ(Taken(), (std::vector<std::string>{
                         c.expected, std::string(c.expected).replace(std::string(c.expected).find("down"), 4, "up")}))
      << c.what;
  }
  // Outside every control but the background, the background takes the click.
  Click(300, 250);
  EXPECT_EQ(Taken(), (std::vector<std::string>{"bg down", "bg up"}));
}

TEST_F(InputDispatch, HoverNeverReachesTheBackgroundAndFollowsTheMouse)
{
  g.EnableMouseOver(true);
  Add("bg", IRECT(0, 0, 400, 300));
  Add("knob", IRECT(10, 10, 50, 50));
  log.Clear();

  EXPECT_FALSE(g.OnMouseOver(300, 250, IMouseMod()));
  EXPECT_EQ(g.GetMouseOver(), nullptr);
  EXPECT_TRUE(g.OnMouseOver(20, 20, IMouseMod()));
  EXPECT_EQ(g.GetMouseOverIdx(), 1);
  EXPECT_FALSE(g.OnMouseOver(300, 250, IMouseMod()));
  EXPECT_EQ(log.events, (std::vector<std::string>{"knob over", "knob out"}));

  g.OnMouseOver(20, 20, IMouseMod());
  g.OnMouseOut();
  EXPECT_EQ(g.GetMouseOver(), nullptr);
  EXPECT_EQ(g.GetMouseOverIdx(), -1);

  // With hover switched off nothing is hovered.
  g.EnableMouseOver(false);
  EXPECT_FALSE(g.OnMouseOver(20, 20, IMouseMod()));
}

TEST_F(InputDispatch, APressOnAParameterControlIsOneHostGesture)
{
  Add("knob", IRECT(10, 10, 50, 50), 0);
  log.Clear();

  g.OnMouseDown({Point(20, 20)});
  g.OnMouseDrag({Move(200, 250, 0, 30)}); // far outside: the captured control still drags
  g.OnMouseDrag({Move(200, 250, 0, 0)});  // no movement: not delivered
  g.OnMouseUp({Point(200, 250)});
  g.OnMouseDrag({Move(20, 20, 0, 5)}); // released: nothing is captured
  EXPECT_EQ(Taken(), (std::vector<std::string>{"begin 0", "knob down", "knob drag 200,250", "knob up", "end 0"}));
  EXPECT_FALSE(g.HostGestureIsOpen(0));
}

TEST_F(InputDispatch, RightClickOnAParameterGoesToTheHostMenuWithoutAGesture)
{
  Add("knob", IRECT(10, 10, 50, 50), 0);
  Add("button", IRECT(100, 10, 150, 50));
  log.Clear();

  const IMouseMod right(false, true);
  Click(20, 20, right);
  // No host here to show a menu: the control only adds its items, and no edit begins.
  EXPECT_EQ(Taken(), (std::vector<std::string>{"knob context menu"}));
  EXPECT_EQ(g.NCaptures(), 0);

  Click(120, 20, right);
  EXPECT_EQ(Taken(), (std::vector<std::string>{"button right down", "button up"}));
}

TEST_F(InputDispatch, DoubleClicks)
{
  InputControl* single = Add("switch", IRECT(10, 10, 50, 50), 1);
  single->SetDblAsSingleClick(true);
  Add("knob", IRECT(100, 10, 150, 50), 0);
  log.Clear();

  EXPECT_TRUE(g.OnMouseDblClick(20, 20, IMouseMod(true)));
  g.OnMouseUp({Point(20, 20)});
  EXPECT_EQ(Taken(), (std::vector<std::string>{"begin 1", "switch down", "switch up", "end 1"}));

  EXPECT_TRUE(g.OnMouseDblClick(120, 20, IMouseMod(true)));
  EXPECT_EQ(Taken(), (std::vector<std::string>{"knob double"}));
  EXPECT_EQ(g.NCaptures(), 0);

  EXPECT_FALSE(g.OnMouseDblClick(300, 250, IMouseMod(true)));
}

TEST_F(InputDispatch, ADoubleClickToTheDefaultAndAWheelTurnAreEditsOfTheirOwnAndNothingWhenTheyEditNothing)
{
  // IControl's own double click: back to the parameter's default (Gain, 0.25); no wheel.
  TestControl* knob = Attach("knob", 0);
  knob->SetValue(0.8);
  log.Clear();

  EXPECT_TRUE(g.OnMouseDblClick(20, 20, IMouseMod(true)));
  g.OnMouseUp({Point(20, 20)});
  EXPECT_EQ(Taken(), (std::vector<std::string>{"begin 0", "send 0 0.250000", "end 0"}));
  EXPECT_DOUBLE_EQ(dlg.GetParam(0)->Value(), 0.25);

  EXPECT_TRUE(g.OnMouseWheel(20, 20, IMouseMod(), 1.f));
  EXPECT_TRUE(Taken().empty()) << "a wheel the control ignores tells the host nothing";
}

TEST_F(InputDispatch, WhatDropsAHeldKnobsCaptureEndsItsGesture)
{
  g.EnableMultiTouch(true);
  Add("knob", IRECT(10, 10, 50, 50), 0);
  Add("other", IRECT(100, 10, 150, 50), 1);
  const IMouseMod mouse(true), first(true, false, false, false, false, 1);
  const IMouseMod right(false, true), secondRight(false, true, false, false, false, 2);
  struct Case
  {
    const char* what;
    IMouseMod holding;
    std::function<void()> drop;
    std::vector<std::string> expected;
  } cases[] = {
    {"a right click on the dragged knob",
     mouse,
     [&] { g.OnMouseDown({Point(20, 20, right)}); },
     {"end 0", "knob context menu"}},
    {"a second touch's right click on another knob",
     first,
     [&] { g.OnMouseDown({Point(120, 20, secondRight)}); },
     {"end 0", "other context menu"}},
    {"a double click on another knob",
     first,
     [&] { g.OnMouseDblClick(120, 20, IMouseMod(true)); },
     {"other double", "end 0"}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.what);
    g.OnMouseDown({Point(20, 20, c.holding)});
    g.OnMouseDrag({Move(20, 10, 0, -10, c.holding)});
    log.Clear();
    c.drop();
    g.OnMouseUp({Point(20, 10, c.holding)});
    EXPECT_EQ(Taken(), c.expected);
    EXPECT_EQ(g.NCaptures(), 0);
    EXPECT_FALSE(g.HostGestureIsOpen(0));
  }
}

TEST_F(InputDispatch, WheelKeysAndDropsGoToTheControlUnderThePoint)
{
  Add("bg", IRECT(0, 0, 400, 300));
  InputControl* knob = Add("knob", IRECT(10, 10, 50, 50), 0);
  std::vector<std::string> handled;
  g.SetKeyHandlerFunc([&](const IKeyPress& key, bool isUp) {
    handled.push_back(std::to_string(key.VK) + (isUp ? " up" : " down"));
    return true;
  });
  log.Clear();

  EXPECT_TRUE(g.OnMouseWheel(20, 20, IMouseMod(), 1.f));
  g.OnDrop("/tmp/a.wav", 20, 20);
  // The wheel's edit is a host gesture of its own, begun at the edit.
  EXPECT_EQ(Taken(), (std::vector<std::string>{"knob wheel 1.000000", "begin 0", "send 0 0.100000", "end 0",
                                               "knob drop /tmp/a.wav"}));
  // During a press on the control, the press's gesture covers it.
  g.OnMouseDown({Point(20, 20)});
  g.OnMouseWheel(20, 20, IMouseMod(), -1.f);
  g.OnMouseUp({Point(20, 20)});
  EXPECT_EQ(Taken(), (std::vector<std::string>{"begin 0", "knob down", "knob wheel -1.000000", "send 0 0.000000",
                                               "knob up", "end 0"}));

  // A key over the background goes straight to the editor's handler.
  EXPECT_TRUE(g.OnKeyDown(300, 250, IKeyPress("a", 'A')));
  EXPECT_TRUE(Taken().empty());
  // Over a control that does not take it, the handler decides after the control.
  EXPECT_TRUE(g.OnKeyDown(20, 20, IKeyPress("b", 'B')));
  knob->mHandlesKeys = true;
  EXPECT_TRUE(g.OnKeyDown(20, 20, IKeyPress("c", 'C')));
  EXPECT_EQ(Taken(), (std::vector<std::string>{"knob key 66", "knob key 67"}));
  EXPECT_EQ(handled, (std::vector<std::string>{"65 down", "66 down"}));

  g.SetKeyHandlerFunc(nullptr);
  EXPECT_FALSE(g.OnKeyUp(300, 250, IKeyPress("a", 'A')));
}

TEST_F(InputDispatch, ASecondTouchOnASingleTouchControlFindsNothing)
{
  g.EnableMultiTouch(true);
  InputControl* knob = Add("knob", IRECT(10, 10, 50, 50), 0);
  log.Clear();

  g.OnMouseDown({Point(20, 20, IMouseMod(true, false, false, false, false, 1)),
                 Point(30, 30, IMouseMod(true, false, false, false, false, 2))});
  EXPECT_EQ(Taken(), (std::vector<std::string>{"begin 0", "knob down"}));

  knob->SetWantsMultiTouch(true);
  g.OnMouseDown({Point(30, 30, IMouseMod(true, false, false, false, false, 3))});
  EXPECT_EQ(Taken(), (std::vector<std::string>{"knob down"}));
  EXPECT_EQ(g.NCaptures(), 2);
}

TEST_F(InputDispatch, ACancelledTouchStillEndsTheHostGesture)
{
  Add("knob", IRECT(10, 10, 50, 50), 0);
  log.Clear();
  const IMouseMod touch(true, false, false, false, false, 7);
  g.OnMouseDown({Point(20, 20, touch)});
  g.OnTouchCancelled({Point(20, 20, touch)});
  EXPECT_EQ(Taken(), (std::vector<std::string>{"begin 0", "knob down", "knob cancelled", "end 0"}));
  EXPECT_EQ(g.NCaptures(), 0);
}

TEST_F(InputDispatch, EventsAfterTheirControlWasRemovedReachNothing)
{
  InputControl* knob = Add("knob", IRECT(10, 10, 50, 50), 0);
  log.Clear();
  g.OnMouseDown({Point(20, 20)});
  g.RemoveControl(knob);
  g.OnMouseDrag({Move(25, 25, 5, 5)});
  g.OnMouseUp({Point(25, 25)});
  EXPECT_EQ(Taken(), (std::vector<std::string>{"begin 0", "knob down", "end 0"}));
}

TEST_F(InputDispatch, EachHostGestureBeginsAndEndsOnce)
{
  g.BeginHostGesture(2);
  g.BeginHostGesture(2);
  g.BeginHostGesture(iplug::kNoParameter);
  g.BeginHostGesture(3);
  g.EndHostGesture(2);
  g.EndHostGesture(2);
  g.EndHostGestures();
  EXPECT_EQ(log.events, (std::vector<std::string>{"begin 2", "begin 3", "end 2", "end 3"}));
}

namespace
{

std::string Note(const iplug::IMidiMsg& msg)
{
  return (msg.mStatus == 0x90 ? "on " : "off ") + std::to_string(msg.mData1) + " " + std::to_string(msg.mData2);
}

// A plug-in that keeps the notes its editor sends it.
class MidiDelegate : public FakeEditorDelegate
{
public:
  using FakeEditorDelegate::FakeEditorDelegate;
  void SendMidiMsgFromUI(const iplug::IMidiMsg& msg) override { notes.push_back(Note(msg)); }
  std::vector<std::string> notes;
};

} // namespace

TEST(QwertyMidi, LettersPlayNotesAndZAndXChangeTheOctave)
{
  EventLog log;
  MidiDelegate dlg(log, 0);
  RecordingGraphics g(log, dlg, 100, 100);
  std::vector<std::string> notes;
  g.SetQwertyMidiKeyHandlerFunc([&](const iplug::IMidiMsg& msg) { notes.push_back(Note(msg)); });
  auto down = [&](char c) { return g.OnKeyDown(50, 50, IKeyPress("", c)); };
  auto up = [&](char c) { return g.OnKeyUp(50, 50, IKeyPress("", c)); };
  auto take = [&] {
    EXPECT_EQ(dlg.notes, notes) << "the plug-in is sent each note the editor's function hears";
    auto taken = notes;
    notes.clear();
    dlg.notes.clear();
    return taken;
  };
  using Notes = std::vector<std::string>;

  // Every key is taken, even those without a role.
  EXPECT_TRUE(down('B'));
  EXPECT_TRUE(down('1'));
  EXPECT_TRUE(take().empty());

  down('A');
  down('A'); // a repeat while held sounds nothing more
  down('L');
  EXPECT_EQ(take(), (Notes{"on 48 127", "on 62 127"}));
  up('L');
  EXPECT_EQ(take(), (Notes{"off 62 0"}));

  // An octave change stops the held note; its key-up then sends nothing (pitch 60 is not held).
  down('X');
  EXPECT_EQ(take(), (Notes{"off 48 0"}));
  up('A');
  EXPECT_TRUE(take().empty());

  // Back in the first octave, the same key plays again.
  down('Z');
  down('A');
  up('A');
  EXPECT_EQ(take(), (Notes{"on 48 127", "off 48 0"}));

  // The base stays between 24 and 96.
  for (int i = 0; i < 5; ++i)
    down('Z');
  down('A');
  up('A');
  for (int i = 0; i < 10; ++i)
    down('X');
  down('A');
  up('A');
  EXPECT_EQ(take(), (Notes{"on 24 127", "off 24 0", "on 96 127", "off 96 0"}));

  // Leave the process-wide base where the next editor expects it.
  for (int i = 0; i < 4; ++i)
    down('Z');
}

TEST(CornerDragResize, ScaleModeTakesTheSmallerRatioOfTheDrag)
{
  struct ResizingGraphics : RecordingGraphics
  {
    using RecordingGraphics::RecordingGraphics;
    void StartDragResize(EUIResizerMode mode)
    {
      mGUISizeMode = mode;
      mResizingInProcess = true;
    }
  };
  EventLog log;
  FakeEditorDelegate dlg(log, 0);
  ResizingGraphics g(log, dlg, 1480, 360);

  IMouseInfo down;
  down.x = 1000.f;
  down.y = 300.f;
  g.OnMouseDown({down});
  g.StartDragResize(EUIResizerMode::Scale);
  IMouseInfo drag = down;
  drag.x = 1500.f;
  drag.y = 360.f;
  drag.dX = 500.f;
  g.OnMouseDrag({drag});
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.2f);
  EXPECT_EQ(g.Width(), 1480);
  g.OnMouseUp({drag});

  // Size mode takes the pointer as the new size at the same scale.
  g.OnMouseDown({down});
  g.StartDragResize(EUIResizerMode::Size);
  drag.x = 1200.f;
  drag.y = 340.f;
  g.OnMouseDrag({drag});
  EXPECT_EQ(g.Width(), 1200);
  EXPECT_EQ(g.Height(), 340);
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.2f);
}

TEST_F(InputDispatch, TheHostsAutomationProtocolFindsAndHighlightsParameterControls)
{
  Add("bg", IRECT(0, 0, 400, 300));
  InputControl* knob = Add("knob", IRECT(10, 10, 50, 50), 3);
  InputControl* twin = Add("twin", IRECT(60, 10, 100, 50), 3);

  EXPECT_EQ(g.GetParamIdxForPTAutomation(20, 20), 3);
  EXPECT_EQ(g.GetLastClickedParamForPTAutomation(), 3);
  EXPECT_EQ(g.GetLastClickedParamForPTAutomation(), iplug::kNoParameter); // read once
  EXPECT_EQ(g.GetParamIdxForPTAutomation(300, 250), iplug::kNoParameter); // the background has none

  g.SetPTParameterHighlight(3, true, 2);
  EXPECT_TRUE(knob->GetPTParameterHighlighted());
  EXPECT_TRUE(twin->GetPTParameterHighlighted());
  EXPECT_EQ(knob->GetPTHighlightColor(), COLOR_GREEN);
}
