// A host that attaches the view of an editor test module and works its editor: events through the
// headless window, scripted prompts, and the edits the host's handler saw, in order.
#pragma once

#include "tests/host/editorplug/EditorTestPlugIDs.h"
#include "tools/host/HostContext.h"
#include "tools/host/HostedView.h"
#include "tools/host/ModuleHost.h"

#include "igraphics/platforms/HeadlessWindow.h"
#include "tests/igraphics/platforms/HeadlessEvents.h"
#include "iplug/vst3/IPlugVST3View.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace testhost
{

using Steinberg::owned;
using Kind = RecordingComponentHandler::EKind;
using Calls = std::vector<std::string>;

inline std::string Describe(const RecordingComponentHandler::Call& call)
{
  switch (call.kind)
  {
  case Kind::kBegin: return "begin " + std::to_string(call.id);
  case Kind::kPerform: return "perform " + std::to_string(call.id) + " " + std::to_string(call.value);
  case Kind::kEnd: return "end " + std::to_string(call.id);
  case Kind::kRestart: return "restart " + std::to_string(call.id);
  case Kind::kContextMenu: return "menu " + std::to_string(call.id) + (call.withView ? " with view" : "");
  case Kind::kPopup: return "popup " + std::to_string(call.x) + "," + std::to_string(call.y);
  }
  return "?";
}

// The user's side of the prompts: what is typed, what is chosen, and what the menus showed.
struct PromptScript
{
  const char* typed = nullptr;
  int choice = -1;
  const char* clipboard = nullptr;
  const char* chosenFile = nullptr;
  /** What the host does while a prompt is up, before the user answers (it may close the editor). */
  std::function<void()> whilePromptIsUp;
  std::vector<std::string> shownTexts;
  std::vector<std::string> menus;

  static const char* Clipboard(void* host) { return static_cast<PromptScript*>(host)->clipboard; }

  void PromptIsUp() const
  {
    if (whilePromptIsUp)
      whilePromptIsUp();
  }

  static const char* AnswerFilePrompt(void* host, const char*)
  {
    auto& script = *static_cast<PromptScript*>(host);
    script.PromptIsUp();
    return script.chosenFile;
  }

  static int AnswerMenu(void* host, const HeadlessMenuRequest* menu)
  {
    auto& script = *static_cast<PromptScript*>(host);
    script.PromptIsUp();
    std::string shown = std::string(menu->title) + ":";
    for (int i = 0; i < menu->nItems; ++i)
      shown += std::string(" ") + (menu->checked[i] ? "*" : "") + menu->items[i];
    script.menus.push_back(shown);
    return script.choice;
  }
  static const char* AnswerTextEntry(void* host, const char* shownText, int)
  {
    auto& script = *static_cast<PromptScript*>(host);
    script.PromptIsUp();
    script.shownTexts.push_back(shownText);
    return script.typed;
  }
};

class EditorRoadFixture : public ::testing::Test
{
protected:
  explicit EditorRoadFixture(const char* bundlePath) : mBundlePath(bundlePath) {}

  void SetUp() override
  {
    std::string error;
    module = LoadedModule::Load(mBundlePath, error);
    ASSERT_TRUE(module) << mBundlePath << ": " << error;
    instance = HostedInstance::Create(module, module->AudioClasses().front().ID(), &host, error);
    ASSERT_TRUE(instance) << error;
    instance->Controller().setComponentHandler(handler);
    view = HostedView::Create(*instance);
    ASSERT_TRUE(view);
    window.host = &script;
    window.answerMenu = &PromptScript::AnswerMenu;
    window.answerTextEntry = &PromptScript::AnswerTextEntry;
    window.answerFilePrompt = &PromptScript::AnswerFilePrompt;
    window.clipboardText = &PromptScript::Clipboard;
    ASSERT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), Steinberg::kResultOk);
    ASSERT_NE(window.send, nullptr);
  }

  void TearDown() override
  {
    view.reset();
    if (instance)
      instance->Controller().setComponentHandler(nullptr);
    instance.reset();
  }

  int Send(int type, float x, float y, float dX = 0.f, float dY = 0.f, int modifiers = kHeadlessLeft)
  {
    const HeadlessEvent event = headless::PointerEvent(type, x, y, modifiers, dX, dY);
    return window.send(window.editor, &event);
  }

  int Key(int virtualKey, const char* text = "", int modifiers = 0)
  {
    HeadlessEvent event{};
    event.type = kHeadlessKeyDown;
    event.virtualKey = virtualKey;
    event.text = text;
    event.modifiers = modifiers;
    return window.send(window.editor, &event);
  }

  void Type(const char* text)
  {
    for (const char* c = text; *c; ++c)
    {
      const char one[2] = {*c, '\0'};
      Key(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c, one);
    }
  }

  void Click(float x, float y, int modifiers = kHeadlessLeft)
  {
    Send(kHeadlessMouseDown, x, y, 0.f, 0.f, modifiers);
    Send(kHeadlessMouseUp, x, y, 0.f, 0.f, modifiers);
  }

  // A drag upwards in steps of 8 pixels.
  void DragUp(const iplug::igraphics::IRECT& r, int steps, int modifiers = kHeadlessLeft)
  {
    float y = r.MH();
    Send(kHeadlessMouseDown, r.MW(), y, 0.f, 0.f, modifiers);
    for (int i = 0; i < steps; ++i)
    {
      y -= 8.f;
      Send(kHeadlessMouseDrag, r.MW(), y, 0.f, -8.f, modifiers);
    }
    Send(kHeadlessMouseUp, r.MW(), y, 0.f, 0.f, modifiers);
  }

  Calls Taken()
  {
    Calls taken;
    for (size_t i = mSeen; i < handler->Calls().size(); ++i)
      taken.push_back(Describe(handler->Calls()[i]));
    mSeen = handler->Calls().size();
    return taken;
  }

  double Normalized(int paramIdx) { return instance->Controller().getParamNormalized(paramIdx); }

  const char* mBundlePath;
  std::shared_ptr<LoadedModule> module;
  NamedHostApplication host;
  Steinberg::IPtr<RecordingComponentHandler> handler = owned(new RecordingComponentHandler());
  std::unique_ptr<HostedInstance> instance;
  std::unique_ptr<HostedView> view;
  PromptScript script;
  HeadlessWindow window{};
  size_t mSeen = 0;
};

inline std::string Perform(int id, double value)
{
  return "perform " + std::to_string(id) + " " + std::to_string(value);
}

} // namespace testhost
