#pragma once

// An IGraphicsMac of 300 x 200 over the stand-in frameworks, and a window whose content view can
// take its editor view: the window's content rect is (100, 100, 400, 300) on the 1920 x 1080 screen.
#import <AppKit/AppKit.h>

#include <gtest/gtest.h>

#include <memory>

#import <StandIns/AppKitDialogs.h>
#import <StandIns/AppKitDragging.h>
#import <StandIns/AppKitEvents.h>
#import <StandIns/AppKitWorkspace.h>
#include <StandIns/CoreGraphicsDisplay.h>

#include "../FakeEditorDelegate.h"
#include "igraphics/platforms/IGraphicsMac.h"

class MacGraphicsTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mPool = [[NSAutoreleasePool alloc] init];
    StandInResetDialogs();
    StandInResetWorkspace();
    StandInResetDisplay();
    StandInResetDraggingSessions();
    StandInSetMouseLocation(NSMakePoint(0, 0));
    [[NSPasteboard generalPasteboard] clearContents];
    NewWindow();
    MakeGraphics(1.f);
  }

  void TearDown() override
  {
    mGraphics.reset();
    StandInResetDraggingSessions();
    StandInResetDialogs();
    [mWindow release];
    [mPool release];
  }

  /** A fresh graphics object (closed) at the draw scale. */
  void MakeGraphics(float scale)
  {
    mGraphics.reset();
    mGraphics = std::make_unique<iplug::igraphics::IGraphicsMac>(mDelegate, 300, 200, 60, scale);
  }

  /** A fresh window in place of the old one. */
  void NewWindow()
  {
    [mWindow release];
    mWindow = [[NSWindow alloc] initWithContentRect:NSMakeRect(100, 100, 400, 300)
                                          styleMask:NSWindowStyleMaskBorderless
                                            backing:NSBackingStoreBuffered
                                              defer:NO];
  }

  /** Opens the editor in the window's content view; its view. */
  NSView* Open() { return static_cast<NSView*>(mGraphics->OpenWindow([mWindow contentView])); }

  EventLog mLog;
  FakeEditorDelegate mDelegate{mLog, 1};
  std::unique_ptr<iplug::igraphics::IGraphicsMac> mGraphics;
  NSWindow* mWindow = nil;
  NSAutoreleasePool* mPool = nil;
};
