#pragma once

// An editor opened by its delegate in a stand-in window, with a control that records the input calls
// it is given, and the host's parent view, which records the keys the editor passes on.
#import "igraphics/platforms/IGraphicsMacControls.h"
#import "igraphics/platforms/IGraphicsView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <StandIns/AppKitCursors.h>
#include <StandIns/AppKitEvents.h>

#include "../FakeEditorDelegate.h"
#include "igraphics/IControl.h"

/** The host's view that the editor is put in: keys that reach it were not used by the editor
 * (MacViewTest.mm). */
@interface HostParentView : NSView {
@public
  EventLog* mLog;
}
@end

namespace iplug
{
namespace igraphics
{

/** Records each input call as "<call> x,y [deltas] <buttons and modifiers LRSCA>". */
class InputLogControl : public IControl
{
public:
  InputLogControl(EventLog& log, const IRECT& bounds) : IControl(bounds), mLog(log) {}

  void Draw(IGraphics&) override {}
  void OnMouseDown(float x, float y, const IMouseMod& mod) override { Add("down", x, y, mod); }
  void OnMouseUp(float x, float y, const IMouseMod& mod) override { Add("up", x, y, mod); }
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override { Add("dbl", x, y, mod); }
  void OnMouseOver(float x, float y, const IMouseMod& mod) override { Add("over", x, y, mod); }
  void OnMouseOut() override { mLog.Add("out"); }
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override
  {
    Add("drag", x, y, mod, " " + Num(dX) + "," + Num(dY));
  }
  void OnMouseWheel(float x, float y, const IMouseMod& mod, float d) override { Add("wheel", x, y, mod, " " + Num(d)); }
  void OnDrop(const char* str) override { mLog.Add(std::string("drop ") + str); }
  void OnDropMultiple(const std::vector<const char*>& paths) override
  {
    std::string s = "drop multiple";
    for (const char* p : paths)
      s += std::string(" ") + p;
    mLog.Add(s);
  }
  void OnTextEntryCompletion(const char* str, int) override { mLog.Add(std::string("text ") + str); }

  static std::string Num(float v)
  {
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%g", v);
    return buf;
  }

private:
  void Add(const char* what, float x, float y, const IMouseMod& mod, const std::string& extra = "")
  {
    std::string flags;
    flags += mod.L ? "L" : "";
    flags += mod.R ? "R" : "";
    flags += mod.S ? "S" : "";
    flags += mod.C ? "C" : "";
    flags += mod.A ? "A" : "";
    mLog.Add(std::string(what) + " " + Num(x) + "," + Num(y) + extra + " " + (flags.empty() ? "-" : flags));
  }

  EventLog& mLog;
};

/** Draws without painting and dirties itself while drawing as often as told. */
class SelfDirtyingControl : public IControl
{
public:
  SelfDirtyingControl(EventLog& log, const IRECT& bounds) : IControl(bounds), mLog(log) {}
  void Draw(IGraphics&) override
  {
    mLog.Add("draw");
    if (mDirtyAgain > 0)
    {
      --mDirtyAgain;
      SetDirty(false);
    }
  }
  int mDirtyAgain = 0;

private:
  EventLog& mLog;
};

/** The editor: 300 x 200 units at 60 frames per second, a background control and, at (50, 50) -
 * (150, 150), the recording control, in a host view at the bottom left of a 600 x 400 window. */
class MacViewFixture : public ::testing::Test
{
protected:
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 200;

  void SetUp() override { mPool = [[NSAutoreleasePool alloc] init]; }

  void TearDown() override
  {
    mDlg.CloseWindow();
    [mParent release];
    [mWindow release];
    [[NSScreen mainScreen] standInSetBackingScaleFactor:1.0];
    StandInResetCursors();
    [mPool release];
  }

  void Open(double screenScale = 1.0, float drawScale = 1.f)
  {
    [[NSScreen mainScreen] standInSetBackingScaleFactor:screenScale];
    mWindow = [[NSWindow alloc] initWithContentRect:NSMakeRect(100, 100, 600, 400) styleMask:0 backing:2 defer:NO];
    mParent = [[HostParentView alloc] initWithFrame:NSMakeRect(0, 0, 600, 400)];
    mParent->mLog = &mLog;
    [[mWindow contentView] addSubview:mParent];
    mDlg.SetMakeGraphicsFunc([this, drawScale] { return new IGraphicsMac(mDlg, kWidth, kHeight, 60, drawScale); });
    mView = static_cast<IGraphicsView*>(mDlg.OpenWindow(mParent));
    ASSERT_NE(mView, nil);
    mGraphics = static_cast<IGraphicsMac*>(mDlg.GetUI());
    mGraphics->AttachControl(new InputLogControl(mBackgroundLog, mGraphics->GetBounds()));
    mControl = new InputLogControl(mLog, IRECT(50, 50, 150, 150));
    mGraphics->AttachControl(mControl);
    mLog.Clear();
  }

  /** Editor units to the window's points: the view sits at the bottom left of an unflipped parent. */
  NSPoint WindowPoint(float x, float y) const
  {
    const float s = mGraphics->GetDrawScale();
    return NSMakePoint(x * s, [mView frame].size.height - y * s);
  }

  NSEvent* Mouse(NSEventType type, float x, float y, NSEventModifierFlags flags = 0, NSInteger clicks = 1,
                 NSEventSubtype subtype = NSEventSubtypeMouseEvent) const
  {
    return StandInMouseEvent(type, WindowPoint(x, y), flags, clicks, subtype, mWindow);
  }

  void Send(NSEvent* event) const { StandInSendEvent(event, mView); }

  NSAutoreleasePool* mPool = nil;
  EventLog mLog;
  EventLog mBackgroundLog;
  FakeEditorDelegate mDlg{mLog, 1};
  NSWindow* mWindow = nil;
  HostParentView* mParent = nil;
  IGraphicsView* mView = nil;
  IGraphicsMac* mGraphics = nullptr;
  InputLogControl* mControl = nullptr;
};

} // namespace igraphics
} // namespace iplug
