// The editor delegate makes the surface when the editor opens and destroys it when it closes,
// keeps its size across closings, and routes the plug-in's values and messages to the controls.
#include "igraphics/IControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "iplug/IPlugByteChunk.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

class ValueControl : public IControl
{
public:
  ValueControl(const IRECT& r, std::initializer_list<int> params, std::vector<std::string>& log)
  : IControl(r, params)
  , mLog(log)
  {}
  void Draw(IGraphics&) override {}
  void OnMsgFromDelegate(int msgTag, int dataSize, const void*) override
  {
    mLog.push_back("msg " + std::to_string(msgTag) + " " + std::to_string(dataSize));
  }
  void OnMidi(const IMidiMsg& msg) override { mLog.push_back("midi " + std::to_string(msg.mData1)); }
  bool OnKeyDown(float x, float y, const IKeyPress& key) override
  {
    mLog.push_back("key " + std::to_string(key.VK) + " at " + std::to_string(static_cast<int>(x)) + "," +
                   std::to_string(static_cast<int>(y)));
    return true;
  }

private:
  std::vector<std::string>& mLog;
};

class Delegate : public IGEditorDelegate
{
public:
  Delegate() : IGEditorDelegate(2)
  {
    SetSizeConstraints(1, 10000, 1, 10000);
    GetParam(0)->InitDouble("Cutoff", 1000., 20., 20000., 1., "Hz", 0, "", IParam::ShapeExp());
    GetParam(1)->InitDouble("Gain", 0.5, 0., 1., 0.01);
    SetMakeGraphicsFunc([this] {
      ++made;
      return new IGraphicsHeadless(*this, 300, 200, 60, 1.f);
    });
    SetLayoutFunc([this](IGraphics* pGraphics) {
      log.push_back("layout");
      pGraphics->AttachControl(new ValueControl(IRECT(10, 10, 50, 50), {0}, log), 1);
      pGraphics->AttachControl(new ValueControl(IRECT(60, 10, 100, 50), {1, 0}, log), 2);
    });
  }

  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
  void OnUIOpen() override
  {
    log.push_back("open");
    IGEditorDelegate::OnUIOpen();
  }
  void OnUIClose() override
  {
    log.push_back("close");
    if (closeAgainInside)
      CloseWindow();
  }
  void OnParamChangeUI(int paramIdx, EParamSource source) override
  {
    log.push_back("changeUI " + std::to_string(paramIdx) + " " + std::to_string(source));
  }
  void OnMidiMsgUI(const IMidiMsg&) override { log.push_back("midi UI"); }

  IControl* Control(int tag) const { return GetUI() ? GetUI()->GetControlWithTag(tag) : nullptr; }

  std::vector<std::string> log;
  int made = 0;
  bool closeAgainInside = false;
};

} // namespace

TEST(GraphicsEditorDelegate, OpeningMakesAndLaysOutTheSurfaceThenSendsTheValues)
{
  Delegate dlg;
  EXPECT_EQ(dlg.GetUI(), nullptr);
  ASSERT_NE(dlg.OpenWindow(nullptr), nullptr);
  ASSERT_NE(dlg.GetUI(), nullptr);
  EXPECT_EQ(dlg.log.front(), "layout");
  EXPECT_EQ(dlg.log[1], "open");
  // Gain 0.5 reached both controls linked to it.
  EXPECT_DOUBLE_EQ(dlg.Control(2)->GetValue(0), 0.5);

  dlg.CloseWindow();
  EXPECT_EQ(dlg.GetUI(), nullptr);
  EXPECT_EQ(dlg.log.back(), "close");
  dlg.OpenWindow(nullptr);
  EXPECT_EQ(dlg.made, 2); // a new surface on every opening
  dlg.CloseWindow();
}

TEST(GraphicsEditorDelegate, WithoutAMakeFunctionNothingOpens)
{
  Delegate dlg;
  dlg.SetMakeGraphicsFunc(nullptr);
  EXPECT_EQ(dlg.OpenWindow(nullptr), nullptr);
  EXPECT_EQ(dlg.GetUI(), nullptr);
  EXPECT_TRUE(dlg.log.empty());
}

TEST(GraphicsEditorDelegate, ClosingInsideClosingDoesNothingMore)
{
  Delegate dlg;
  dlg.OpenWindow(nullptr);
  dlg.closeAgainInside = true;
  dlg.log.clear();
  dlg.CloseWindow();
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"close"}));
  EXPECT_EQ(dlg.GetUI(), nullptr);
}

TEST(GraphicsEditorDelegate, SizeAndScaleSurviveClosing)
{
  Delegate dlg;
  dlg.OpenWindow(nullptr);
  dlg.GetUI()->Resize(400, 250, 1.5f);
  dlg.CloseWindow();
  dlg.OpenWindow(nullptr);
  EXPECT_EQ(dlg.GetUI()->Width(), 400);
  EXPECT_EQ(dlg.GetUI()->Height(), 250);
  EXPECT_FLOAT_EQ(dlg.GetUI()->GetDrawScale(), 1.5f);
  dlg.CloseWindow();
}

TEST(GraphicsEditorDelegate, EditorStateRoundTripsAndAZeroFieldDoesNotResize)
{
  Delegate source;
  source.OpenWindow(nullptr);
  source.GetUI()->Resize(320, 240, 2.f);
  IByteChunk chunk;
  ASSERT_TRUE(source.SerializeEditorState(chunk));
  ASSERT_EQ(chunk.Size(), 12);
  source.CloseWindow();
  // Closed, it writes the kept size.
  IByteChunk kept;
  source.SerializeEditorSize(kept);
  EXPECT_EQ(std::vector<uint8_t>(kept.GetData(), kept.GetData() + 12),
            std::vector<uint8_t>(chunk.GetData(), chunk.GetData() + 12));

  // Read while closed: applied at the next opening.
  Delegate closed;
  EXPECT_EQ(closed.UnserializeEditorState(chunk, 0), 12);
  closed.OpenWindow(nullptr);
  EXPECT_EQ(closed.GetUI()->Width(), 320);
  EXPECT_FLOAT_EQ(closed.GetUI()->GetDrawScale(), 2.f);

  // Read while open: applied at once, unless a field is zero.
  struct Record
  {
    int32_t w, h;
    float scale;
    int expectedWidth;
  } records[] = {{500, 300, 1.f, 500}, {0, 300, 1.f, 500}, {600, 0, 1.f, 500}, {600, 300, 0.f, 500}};
  for (const Record& r : records)
  {
    IByteChunk c;
    c.Put(&r.w);
    c.Put(&r.h);
    c.Put(&r.scale);
    EXPECT_EQ(closed.UnserializeEditorState(c, 0), 12);
    EXPECT_EQ(closed.GetUI()->Width(), r.expectedWidth) << r.w << "x" << r.h << "@" << r.scale;
  }

  // A short record: -1, and nothing changes while open.
  IByteChunk shortChunk;
  const int32_t w = 700;
  shortChunk.Put(&w);
  EXPECT_EQ(closed.UnserializeEditorState(shortChunk, 0), -1);
  EXPECT_EQ(closed.UnserializeEditorState(chunk, 4), -1);
  EXPECT_EQ(closed.UnserializeEditorState(chunk, -3), -1);
  EXPECT_EQ(closed.GetUI()->Width(), 500);
  closed.CloseWindow();

  // Read closed, a short record keeps zeros, so the next opening does not resize.
  Delegate fresh;
  EXPECT_EQ(fresh.UnserializeEditorState(shortChunk, 0), -1);
  fresh.OpenWindow(nullptr);
  EXPECT_EQ(fresh.GetUI()->Width(), 300);
  fresh.CloseWindow();
}

// A stored record comes from outside; one the editor cannot take is refused whole, open or closed,
// and the size shown or kept for the next opening stays.
TEST(GraphicsEditorDelegate, AnEditorStateRecordWithoutAUsableSizeIsRefusedAndChangesNothing)
{
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const struct Bad
  {
    const char* what;
    int32_t w, h;
    float scale;
    bool withScale;
    int startPos;
  } records[] = {
    {"NaN scale", 500, 300, nan, true, 0},
    {"infinite scale", 500, 300, inf, true, 0},
    {"negative infinite scale", 500, 300, -inf, true, 0},
    {"negative scale", 500, 300, -1.5f, true, 0},
    {"negative width", -500, 300, 1.f, true, 0},
    {"negative height", 500, -300, 1.f, true, 0},
    {"no scale", 500, 300, 1.f, false, 0},
    {"start near the largest int", 500, 300, 1.f, true, std::numeric_limits<int>::max() - 2},
  };
  for (const Bad& r : records)
  {
    IByteChunk chunk;
    chunk.Put(&r.w);
    chunk.Put(&r.h);
    if (r.withScale)
      chunk.Put(&r.scale);

    Delegate dlg;
    dlg.OpenWindow(nullptr);
    dlg.GetUI()->Resize(320, 240, 2.f);
    EXPECT_EQ(dlg.UnserializeEditorState(chunk, r.startPos), -1) << r.what;
    EXPECT_EQ(dlg.GetUI()->Width(), 320) << r.what;
    EXPECT_EQ(dlg.GetUI()->Height(), 240) << r.what;
    EXPECT_FLOAT_EQ(dlg.GetUI()->GetDrawScale(), 2.f) << r.what;

    dlg.CloseWindow();
    EXPECT_EQ(dlg.UnserializeEditorState(chunk, r.startPos), -1) << r.what;
    dlg.OpenWindow(nullptr);
    EXPECT_EQ(dlg.GetUI()->Width(), 320) << r.what << ", closed";
    EXPECT_EQ(dlg.GetUI()->Height(), 240) << r.what << ", closed";
    EXPECT_FLOAT_EQ(dlg.GetUI()->GetDrawScale(), 2.f) << r.what << ", closed";
    dlg.CloseWindow();
  }
}

TEST(GraphicsEditorDelegate, ParameterValuesReachEveryLinkedValueButNotADraggedControl)
{
  Delegate dlg;
  // Closed: the plug-in is still told.
  dlg.SendParameterValueFromDelegate(0, 0.3, true);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"changeUI 0 4"}));

  dlg.OpenWindow(nullptr);
  // A plain value converts through the parameter's shape: 2000 Hz on 20..20000 exponential.
  dlg.SendParameterValueFromDelegate(0, 2000., false);
  const double expected = dlg.GetParam(0)->ToNormalized(2000.);
  EXPECT_NEAR(dlg.Control(1)->GetValue(0), expected, 1e-12);
  EXPECT_NEAR(dlg.Control(2)->GetValue(1), expected, 1e-12); // linked as its second value

  // A control held under the mouse keeps its value.
  IMouseInfo press;
  press.x = 20.f;
  press.y = 20.f;
  press.ms.L = true;
  dlg.GetUI()->OnMouseDown({press});
  dlg.SendParameterValueFromDelegate(0, 0.9, true);
  EXPECT_NEAR(dlg.Control(1)->GetValue(0), expected, 1e-12);
  EXPECT_DOUBLE_EQ(dlg.Control(2)->GetValue(1), 0.9);
  dlg.GetUI()->OnMouseUp({press});
  dlg.CloseWindow();
}

TEST(GraphicsEditorDelegate, ControlValuesMessagesMidiAndKeysReachTheirControls)
{
  Delegate dlg;
  dlg.SendControlValueFromDelegate(1, 0.7); // closed: dropped
  dlg.SendControlMsgFromDelegate(1, 1002, 8, nullptr);
  dlg.SendMidiMsgFromDelegate(IMidiMsg(0, 0x90, 60, 100));
  EXPECT_FALSE(dlg.OnKeyDown(IKeyPress("a", 'A')));
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"midi UI"}));

  dlg.OpenWindow(nullptr);
  dlg.log.clear();
  dlg.SendControlValueFromDelegate(1, 0.7);
  dlg.SendControlValueFromDelegate(99, 0.7); // no such tag
  EXPECT_DOUBLE_EQ(dlg.Control(1)->GetValue(), 0.7);
  dlg.SendControlMsgFromDelegate(2, 1002, 8, nullptr);
  dlg.SendControlMsgFromDelegate(99, 1002, 8, nullptr);
  dlg.Control(2)->SetWantsMidi(true);
  dlg.SendMidiMsgFromDelegate(IMidiMsg(0, 0x90, 60, 100));
  dlg.GetUI()->MoveMouseCursor(70.f, 20.f);
  EXPECT_TRUE(dlg.OnKeyDown(IKeyPress("a", 'A')));
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"msg 1002 8", "midi 60", "midi UI", "key 65 at 70,20"}));
  dlg.CloseWindow();
}

TEST(GraphicsEditorDelegate, AParentWindowResizeKeepsTheScaleAndTakesTheSize)
{
  Delegate dlg;
  dlg.OnParentWindowResize(640, 480); // closed: nothing to resize
  dlg.OpenWindow(nullptr);
  dlg.GetUI()->Resize(300, 200, 2.f);
  dlg.OnParentWindowResize(640, 480);
  EXPECT_EQ(dlg.GetUI()->Width(), 640);
  EXPECT_EQ(dlg.GetUI()->Height(), 480);
  EXPECT_FLOAT_EQ(dlg.GetUI()->GetDrawScale(), 1.f);
  dlg.CloseWindow();
}

// The computer keyboard played as a MIDI keyboard: a key held while the editor closes would send its
// key-up nowhere, so its note would hang in the plug-in and the key would stay marked as held.
TEST(GraphicsEditorDelegate, NotesPlayedOnTheComputerKeyboardReachThePlugInAndStopWhenTheEditorCloses)
{
  class KeyboardDelegate : public Delegate
  {
  public:
    void SendMidiMsgFromUI(const IMidiMsg& msg) override
    {
      notes.push_back(std::to_string(msg.mStatus) + " " + std::to_string(msg.mData1));
    }
    std::vector<std::string> notes;
  };
  KeyboardDelegate dlg;
  auto play = [&dlg](bool isUp) {
    dlg.GetUI()->SetQwertyMidiKeyHandlerFunc();
    const IKeyPress a("a", 'A');
    EXPECT_TRUE(isUp ? dlg.GetUI()->OnKeyUp(200, 150, a) : dlg.GetUI()->OnKeyDown(200, 150, a));
  };

  dlg.OpenWindow(nullptr);
  play(false);
  EXPECT_EQ(dlg.notes, (std::vector<std::string>{"144 48"}));
  dlg.CloseWindow();
  EXPECT_EQ(dlg.notes, (std::vector<std::string>{"144 48", "128 48"}));

  // The key plays again in the next editor; a note already stopped is not stopped twice.
  dlg.notes.clear();
  dlg.OpenWindow(nullptr);
  play(false);
  play(true);
  dlg.CloseWindow();
  EXPECT_EQ(dlg.notes, (std::vector<std::string>{"144 48", "128 48"}));
}
