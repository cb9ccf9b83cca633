#pragma once

#import <AppKit/NSResponder.h>

#include <os/availability.h>

@class NSView;
@class NSScreen;

typedef NSUInteger NSWindowStyleMask;
typedef NS_OPTIONS(NSUInteger, NSWindowOcclusionState) {
  NSWindowOcclusionStateVisible = 1UL << 1,
};
typedef NSUInteger NSBackingStoreType;
enum
{
  NSWindowStyleMaskBorderless = 0,
  NSBackingStoreBuffered = 2
};

/** A window: a content view filling it, a first responder, and a backing scale that tests set. Its
 * frame is in screen coordinates, which count up from the bottom left of the main screen. */
@interface NSWindow : NSResponder {
  NSRect mFrame;
  NSView* mContentView;
  NSResponder* mFirstResponder; // not retained
  CGFloat mBackingScaleFactor;
  BOOL mAcceptsMouseMovedEvents;
  BOOL mKey;
  NSWindowOcclusionState mOcclusionState;
}
- (id)initWithContentRect:(NSRect)rect
                styleMask:(NSWindowStyleMask)style
                  backing:(NSBackingStoreType)backing
                    defer:(BOOL)defer;
- (NSRect)frame;
- (NSView*)contentView;
- (void)setContentView:(NSView*)view;
- (CGFloat)backingScaleFactor API_AVAILABLE(macos(10.7));
- (BOOL)makeFirstResponder:(NSResponder*)responder;
- (NSResponder*)firstResponder;
- (void)setAcceptsMouseMovedEvents:(BOOL)accepts;
- (BOOL)acceptsMouseMovedEvents;
- (NSRect)convertRectFromScreen:(NSRect)rect API_AVAILABLE(macos(10.7));
- (NSRect)convertRectToScreen:(NSRect)rect API_AVAILABLE(macos(10.7));
- (void)makeKeyAndOrderFront:(id)sender;
- (BOOL)isKeyWindow;
/** Visible while any part of the window could be seen; not when it is hidden, minimised or covered. */
- (NSWindowOcclusionState)occlusionState API_AVAILABLE(macos(10.9));
- (NSScreen*)screen;
- (void)close;
@end

@interface NSWindow (StandIn)
/** Moves the window to a screen of another scale: the content view tree hears
 * viewDidChangeBackingProperties. */
- (void)standInSetBackingScaleFactor:(CGFloat)scale;
/** What occlusionState answers from now on (visible at start). */
- (void)standInSetOcclusionState:(NSWindowOcclusionState)state;
@end
