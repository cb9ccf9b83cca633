// The headless editor's prompts answered by a test's script, at once or later, and answers that
// arrive after their control is gone.
#include "igraphics/IControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "HeadlessEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

class PromptingControl : public IControl
{
public:
  PromptingControl(const IRECT& r, int paramIdx) : IControl(r, paramIdx) { mDisablePrompt = false; }
  void Draw(IGraphics&) override {}
  void OnMouseDown(float, float, const IMouseMod&) override { PromptUserInput(0); }
};

class Delegate : public IGEditorDelegate
{
public:
  Delegate() : IGEditorDelegate(2)
  {
    SetSizeConstraints(1, 10000, 1, 10000);
    GetParam(0)->InitEnum("Mode", 0, {"One", "Two", "Three"});
    GetParam(1)->InitDouble("Level", 5., 0., 10., 0.5, "", IParam::kFlagStepped);
    SetMakeGraphicsFunc([this] { return new IGraphicsHeadless(*this, 200, 100); });
    SetLayoutFunc([](IGraphics* pGraphics) {
      pGraphics->AttachControl(new PromptingControl(IRECT(0, 0, 50, 50), 0), 0);
      pGraphics->AttachControl(new PromptingControl(IRECT(60, 0, 110, 50), 1), 1);
    });
  }
  void BeginInformHostOfParamChangeFromUI(int idx) override { log.push_back("begin " + std::to_string(idx)); }
  void EndInformHostOfParamChangeFromUI(int idx) override { log.push_back("end " + std::to_string(idx)); }
  void SendParameterValueFromUI(int idx, double value) override
  {
    log.push_back("edit " + std::to_string(idx) + " " + std::to_string(value));
    IGEditorDelegate::SendParameterValueFromUI(idx, value);
  }
  std::vector<std::string> log;
};

struct Script
{
  int menuChoice = kHeadlessAnswerLater;
  const char* typed = nullptr;
  const char* file = nullptr;
  std::string askedExtension;

  static int Menu(void* host, const HeadlessMenuRequest*) { return static_cast<Script*>(host)->menuChoice; }
  static const char* Text(void* host, const char*, int) { return static_cast<Script*>(host)->typed; }
  static const char* File(void* host, const char* ext)
  {
    auto* script = static_cast<Script*>(host);
    script->askedExtension = ext ? ext : "";
    return script->file;
  }
};

class HeadlessPrompts : public ::testing::Test
{
protected:
  void SetUp() override
  {
    window.host = &script;
    window.answerMenu = &Script::Menu;
    window.answerTextEntry = &Script::Text;
    window.answerFilePrompt = &Script::File;
    ASSERT_NE(dlg.OpenWindow(&window), nullptr);
    ASSERT_EQ(window.editor, dlg.GetUI());
  }
  void TearDown() override { dlg.CloseWindow(); }

  int Send(int type, float x = 0.f, float y = 0.f, const char* text = nullptr, int choice = -1)
  {
    HeadlessEvent event = headless::PointerEvent(type, x, y);
    event.text = text;
    event.menuChoice = choice;
    return window.send(window.editor, &event);
  }

  Delegate dlg;
  Script script;
  HeadlessWindow window{};
};

} // namespace

TEST_F(HeadlessPrompts, AMenuAnsweredAfterItsControlIsGoneChangesNothingAndEndsTheGesture)
{
  Send(kHeadlessMouseDown, 10, 10);
  Send(kHeadlessMouseUp, 10, 10);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"begin 0"}));
  dlg.GetUI()->RemoveControlWithTag(0);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"begin 0", "end 0"}));
  EXPECT_EQ(Send(kHeadlessMenuDone, 0, 0, nullptr, 2), 1);
  EXPECT_EQ(Send(kHeadlessMenuDone, 0, 0, nullptr, 2), 0); // nothing left to answer
  EXPECT_EQ(dlg.log.size(), 2u);
  EXPECT_DOUBLE_EQ(dlg.GetParam(0)->Value(), 0.);
}

TEST_F(HeadlessPrompts, AMenuChoiceOutsideTheItemsDismissesIt)
{
  script.menuChoice = 7;
  Send(kHeadlessMouseDown, 10, 10);
  Send(kHeadlessMouseUp, 10, 10);
  EXPECT_EQ(dlg.log, (std::vector<std::string>{"begin 0", "end 0"}));
  EXPECT_EQ(dlg.GetUI()->GetControlInPopupMenu(), nullptr);
}

TEST_F(HeadlessPrompts, TextTypedAfterItsControlIsGoneIsDropped)
{
  Send(kHeadlessMouseDown, 80, 10);
  Send(kHeadlessMouseUp, 80, 10);
  dlg.GetUI()->RemoveControlWithTag(1);
  EXPECT_EQ(Send(kHeadlessTextEntryDone, 0, 0, "7"), 0);
  EXPECT_DOUBLE_EQ(dlg.GetParam(1)->Value(), 5.);
}

TEST_F(HeadlessPrompts, TypedValuesSnapToTheStepAndIgnoreWhatIsNotANumber)
{
  struct Case
  {
    const char* typed;
    double expected;
  } cases[] = {{"0.8", 1.0}, {"0.7", 0.5}, {"150", 10.}, {"-3", 0.}, {"", 0.}, {"\xff\xfe not a number", 0.}};
  for (const Case& c : cases)
  {
    dlg.GetParam(1)->Set(5.);
    dlg.SendParameterValueFromDelegate(1, 5., false);
    script.typed = c.typed;
    Send(kHeadlessMouseDown, 80, 10);
    Send(kHeadlessMouseUp, 80, 10);
    EXPECT_DOUBLE_EQ(dlg.GetParam(1)->Value(), c.expected) << c.typed;
  }
}

TEST_F(HeadlessPrompts, TheFilePromptIsAnsweredByTheScript)
{
  WDL_String file;
  WDL_String folder;
  script.file = "/tmp/samples/pad.wav";
  dlg.GetUI()->PromptForFile(file, folder, EFileAction::Open, "wav");
  EXPECT_STREQ(file.Get(), "/tmp/samples/pad.wav");
  EXPECT_STREQ(folder.Get(), "/tmp/samples");
  EXPECT_EQ(script.askedExtension, "wav");

  script.file = nullptr;
  bool completed = false;
  dlg.GetUI()->PromptForFile(file, folder, EFileAction::Open, "wav",
                             [&](const WDL_String& name, const WDL_String&) { completed = name.GetLength() == 0; });
  EXPECT_TRUE(completed);
}

TEST_F(HeadlessPrompts, ClosingClearsTheWindowsWayIn)
{
  const auto readPixels = window.readPixels;
  dlg.CloseWindow();
  EXPECT_EQ(window.editor, nullptr);
  EXPECT_EQ(window.send, nullptr);
  EXPECT_EQ(window.readPixels, nullptr);
  EXPECT_EQ(window.writePNG, nullptr);
  int w = -1;
  int h = -1;
  EXPECT_EQ(readPixels(window.editor, nullptr, 0, &w, &h), 0) << "no window, no pixels";
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}
