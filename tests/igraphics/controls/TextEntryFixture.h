#pragma once

// An open headless editor with a drawn text entry editing the value of one of three controls: one
// without a parameter, which receives the committed text, one on an int and one on a double
// parameter. The entry is attached as an ordinary control so that tests can drive it directly: a
// test opens the prompt on the surface (which remembers the control being edited) and then the
// entry itself, as the surface does with the entry it owns.
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/controls/ITextEntryControl.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "iplug/IPlugParameter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace textentry
{

using iplug::kNoParameter;
using iplug::igraphics::DEFAULT_TEXT;
using iplug::igraphics::IControl;
using iplug::igraphics::IGEditorDelegate;
using iplug::igraphics::IGraphics;
using iplug::igraphics::IGraphicsHeadless;
using iplug::igraphics::IKeyPress;
using iplug::igraphics::IMouseMod;
using iplug::igraphics::IPopupMenu;
using iplug::igraphics::IRECT;
using iplug::igraphics::IText;
using iplug::igraphics::ITextEntryControl;

enum EParams
{
  kVoices = 0,
  kGain,
  kNumParams
};

class Delegate : public IGEditorDelegate
{
public:
  Delegate() : IGEditorDelegate(kNumParams)
  {
    SetSizeConstraints(1, 10000, 1, 10000);
    GetParam(kVoices)->InitInt("Voices", 4, 1, 16);
    GetParam(kGain)->InitDouble("Gain", 0., -60., 12., 0.1);
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

/** A platform whose menus answer at once, running the chosen menu's completion function as the
 *  native menus do. */
class MenuGraphics : public IGraphicsHeadless
{
public:
  using IGraphicsHeadless::IGraphicsHeadless;

  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override
  {
    isAsync = false;
    shownMenus.push_back(&menu);
    shownAt = bounds;
    shownTitle = menu.GetRootTitle();
    shownItems.clear();
    for (int i = 0; i < menu.NItems(); ++i)
      shownItems.push_back(menu.GetItemText(i));
    if (choice < 0 || choice >= menu.NItems())
      return nullptr;
    menu.SetChosenItemIdx(choice);
    if (menu.GetFunction())
      menu.GetFunction()(&menu);
    return &menu;
  }

  int choice = -1;
  std::vector<const IPopupMenu*> shownMenus;
  IRECT shownAt;
  std::string shownTitle;
  std::vector<std::string> shownItems;
};

class Target : public IControl
{
public:
  Target(const IRECT& r, int paramIdx) : IControl(r, paramIdx) {}
  void Draw(IGraphics&) override {}
  void OnTextEntryCompletion(const char* str, int) override { completions.push_back(str); }
  std::vector<std::string> completions;
};

inline IKeyPress Key(int vk, bool shift = false, bool control = false, bool alt = false)
{
  return IKeyPress("", vk, shift, control, alt);
}

inline IKeyPress Char(const char* utf8, int vk = 0, bool shift = false, bool control = false, bool alt = false)
{
  return IKeyPress(utf8, vk, shift, control, alt);
}

constexpr int kVKBack = 0x08, kVKTab = 0x09, kVKReturn = 0x0D, kVKEscape = 0x1B, kVKSpace = 0x20;
constexpr int kVKPageUp = 0x21, kVKPageDown = 0x22, kVKEnd = 0x23, kVKHome = 0x24;
constexpr int kVKLeft = 0x25, kVKUp = 0x26, kVKRight = 0x27, kVKDown = 0x28, kVKDelete = 0x2E;
constexpr int kVKNumPad7 = 0x67, kVKPlus = 0xBB, kVKMinus = 0xBD, kVKPeriod = 0xBE;

class TextEntryTest : public ::testing::Test
{
protected:
  static constexpr IRECT kBounds{20.f, 20.f, 220.f, 50.f};

  void SetUp() override
  {
    graphics = std::make_unique<MenuGraphics>(dlg, 240, 70);
    ASSERT_NE(graphics->OpenWindow(nullptr), nullptr);
    ASSERT_TRUE(graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf"));
    plain = Attach(new Target(IRECT(0, 0, 10, 10), kNoParameter));
    voices = Attach(new Target(IRECT(10, 0, 20, 10), kVoices));
    gain = Attach(new Target(IRECT(20, 0, 30, 10), kGain));
    entry = static_cast<ITextEntryControl*>(graphics->AttachControl(new ITextEntryControl()));
  }

  Target* Attach(Target* pTarget) { return static_cast<Target*>(graphics->AttachControl(pTarget)); }

  void Open(const char* str, int length = 0, Target* pTarget = nullptr, const IText& text = DEFAULT_TEXT)
  {
    Target& target = pTarget ? *pTarget : *plain;
    graphics->CreateTextEntry(target, text, kBounds, str, 0);
    entry->CreateTextEntry(target.GetParamIdx(0), text, kBounds, length, str);
  }

  bool Press(const IKeyPress& key) { return entry->OnKeyDown(0.f, 0.f, key); }

  /** Types each character of ASCII text with the key a US keyboard would report for it. */
  void Type(const std::string& text)
  {
    for (char c : text)
    {
      const char utf8[2] = {c, '\0'};
      const int vk = std::isalnum(static_cast<unsigned char>(c)) ? std::toupper(static_cast<unsigned char>(c))
                     : c == ' '                                  ? kVKSpace
                                                                 : 0;
      Press(Char(utf8, vk));
    }
  }

  /** The text being edited, read through the clipboard; leaves everything selected. */
  std::string Contents()
  {
    graphics->SetTextInClipboard("");
    entry->SelectAll();
    entry->CopySelection();
    return graphics->GetRecord().clipboard;
  }

  /** Presses Return and gives what the control without a parameter received. */
  std::string Commit()
  {
    Press(Key(kVKReturn));
    return plain->completions.empty() ? "<nothing>" : plain->completions.back();
  }

  void Click(float x, float y, const IMouseMod& mod = IMouseMod(true))
  {
    entry->OnMouseDown(x, y, mod);
    entry->OnMouseUp(x, y, mod);
  }

  Delegate dlg;
  std::unique_ptr<MenuGraphics> graphics;
  Target* plain = nullptr;
  Target* voices = nullptr;
  Target* gain = nullptr;
  ITextEntryControl* entry = nullptr;
};

} // namespace textentry
