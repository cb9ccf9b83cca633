#pragma once

// An IGraphicsMac opened in a stand-in window, for the native menu, text field and colour panel.
#import "igraphics/platforms/IGraphicsView.h"

#include <gtest/gtest.h>

#include <string>

#include "../FakeEditorDelegate.h"
#include "../TestControl.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

/** Records the popup-menu answers it gets. */
class MenuControl : public TestControl
{
public:
  MenuControl(EventLog& log, const IRECT& bounds, int paramIdx = kNoParameter)
  : TestControl(log, "menu", bounds, paramIdx)
  , mMenuLog(log)
  {}

  void OnPopupMenuSelection(IPopupMenu* pMenu, int valIdx) override
  {
    mMenuLog.Add(pMenu ? "chosen " + std::string(pMenu->GetRootTitle()) + " " +
                           std::to_string(pMenu->GetChosenItemIdx()) + " " + std::to_string(valIdx)
                       : "chosen none " + std::to_string(valIdx));
  }

private:
  EventLog& mMenuLog;
};

enum FixtureParams
{
  kParamVoices = 0, // int
  kParamGain,       // double
  kParamMode,       // enum
  kParamLatch,      // bool
  kNumFixtureParams
};

/** A pool for what an editor's set-up and teardown autorelease; the editor's first member, so it
 * drains after everything else is gone. */
struct ScopedPool
{
  ScopedPool() : pool([[NSAutoreleasePool alloc] init]) {}
  ~ScopedPool() { [pool drain]; }
  ScopedPool(const ScopedPool&) = delete;
  ScopedPool& operator=(const ScopedPool&) = delete;
  NSAutoreleasePool* pool;
};

inline ::testing::AssertionResult SameString(NSString* actual, NSString* expected)
{
  if (actual == expected || [actual isEqualToString:expected])
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << (actual ? [actual UTF8String] : "nil") << "\", expected \""
                                       << (expected ? [expected UTF8String] : "nil") << "\"";
}

struct MacEditor
{
  explicit MacEditor(float drawScale = 1.f, bool open = true)
  {
    dlg.GetParam(kParamVoices)->InitInt("Voices", 4, 1, 16);
    dlg.GetParam(kParamGain)->InitDouble("Gain", 0.5, 0., 1., 0.01);
    dlg.GetParam(kParamMode)->InitEnum("Mode", 0, {"A", "B", "C"});
    dlg.GetParam(kParamLatch)->InitBool("Latch", false);
    graphics = new IGraphicsMac(dlg, 300, 200, 60, drawScale);
    window = [[NSWindow alloc] initWithContentRect:NSMakeRect(0, 0, 800, 600)
                                         styleMask:NSWindowStyleMaskBorderless
                                           backing:NSBackingStoreBuffered
                                             defer:NO];
    if (open)
      graphics->OpenWindow([window contentView]);
  }

  ~MacEditor()
  {
    delete graphics;
    [window release];
  }

  MacEditor(const MacEditor&) = delete;
  MacEditor& operator=(const MacEditor&) = delete;

  IGraphicsView* View() const { return static_cast<IGraphicsView*>(graphics->GetWindow()); }

  template <class T>
  T* Attach(T* pControl)
  {
    graphics->AttachControl(pControl);
    return pControl;
  }

  ScopedPool pool;
  EventLog log;
  FakeEditorDelegate dlg{log, kNumFixtureParams};
  IGraphicsMac* graphics = nullptr;
  NSWindow* window = nil;
};

} // namespace igraphics
} // namespace iplug
