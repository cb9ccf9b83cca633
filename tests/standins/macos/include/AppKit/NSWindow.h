#pragma once

#import <AppKit/NSResponder.h>

@class NSView;
@class NSScreen;

typedef NSUInteger NSWindowStyleMask;
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
}
- (id)initWithContentRect:(NSRect)rect
                styleMask:(NSWindowStyleMask)style
                  backing:(NSBackingStoreType)backing
                    defer:(BOOL)defer;
- (NSRect)frame;
- (NSView*)contentView;
- (void)setContentView:(NSView*)view;
- (CGFloat)backingScaleFactor;
- (BOOL)makeFirstResponder:(NSResponder*)responder;
- (NSResponder*)firstResponder;
- (void)setAcceptsMouseMovedEvents:(BOOL)accepts;
- (BOOL)acceptsMouseMovedEvents;
- (NSRect)convertRectFromScreen:(NSRect)rect;
- (NSRect)convertRectToScreen:(NSRect)rect;
- (void)makeKeyAndOrderFront:(id)sender;
- (BOOL)isKeyWindow;
- (NSScreen*)screen;
- (void)close;
@end

@interface NSWindow (StandIn)
/** Moves the window to a screen of another scale: the content view tree hears
 * viewDidChangeBackingProperties. */
- (void)standInSetBackingScaleFactor:(CGFloat)scale;
@end
