#pragma once

#import <AppKit/NSResponder.h>

#include <CoreGraphics/CGGeometry.h>

#include <os/availability.h>

@class NSWindow;
@class CALayer;
@class NSAppearance;
@class NSTrackingArea;
@class NSDraggingSession;

typedef NSInteger NSToolTipTag;

typedef NS_ENUM(NSInteger, NSViewLayerContentsRedrawPolicy) {
  NSViewLayerContentsRedrawNever = 0,
  NSViewLayerContentsRedrawOnSetNeedsDisplay = 1,
  NSViewLayerContentsRedrawDuringViewResize = 2,
  NSViewLayerContentsRedrawBeforeViewResize = 3
};

extern NSString* const NSViewFrameDidChangeNotification;

/** A view in a tree of views under a window. Frames are in the superview's coordinates; the window's
 * own coordinates count up from the bottom left, and a flipped view counts down from its top. */
@interface NSView : NSResponder {
  NSRect mFrame;
  NSView* mSuperview; // not retained
  NSMutableArray* mSubviews;
  NSWindow* mWindow; // not retained
  BOOL mHidden;
  BOOL mWantsLayer;
  CALayer* mLayer;
  NSViewLayerContentsRedrawPolicy mRedrawPolicy;
  NSMutableArray* mToolTipRects; // NSValue rects, in the order added
  NSMutableArray* mToolTipOwners;
  NSMutableArray* mTrackingAreas;
  NSArray* mDraggedTypes;
  NSAppearance* mAppearance;
}
- (id)initWithFrame:(NSRect)frame;
- (NSRect)frame;
- (NSRect)bounds;
- (void)setFrame:(NSRect)frame;
- (void)setFrameSize:(NSSize)size;
- (void)setFrameOrigin:(NSPoint)origin;
- (NSView*)superview;
- (NSArray*)subviews;
- (NSWindow*)window;
- (void)addSubview:(NSView*)view;
- (void)removeFromSuperview;
- (void)viewDidMoveToWindow;
- (void)viewDidChangeBackingProperties API_AVAILABLE(macos(10.7));
- (void)viewDidChangeEffectiveAppearance API_AVAILABLE(macos(10.14));
- (BOOL)isFlipped;
- (BOOL)isOpaque;
- (BOOL)acceptsFirstMouse:(NSEvent*)event;
- (void)setHidden:(BOOL)hidden;
- (BOOL)isHidden;
- (void)setNeedsDisplay:(BOOL)needs;
- (void)drawRect:(NSRect)dirtyRect;
- (void)setWantsLayer:(BOOL)wants API_AVAILABLE(macos(10.5));
- (BOOL)wantsLayer API_AVAILABLE(macos(10.5));
/** The backing layer, made by makeBackingLayer when layer-backing is switched on. */
- (CALayer*)layer API_AVAILABLE(macos(10.5));
- (void)setLayer:(CALayer*)layer API_AVAILABLE(macos(10.5));
- (CALayer*)makeBackingLayer API_AVAILABLE(macos(10.6));
- (void)setLayerContentsRedrawPolicy:(NSViewLayerContentsRedrawPolicy)policy API_AVAILABLE(macos(10.6));
- (NSViewLayerContentsRedrawPolicy)layerContentsRedrawPolicy API_AVAILABLE(macos(10.6));
- (void)setPostsFrameChangedNotifications:(BOOL)posts;
/** From the coordinates of view (the window's when nil) into this view's, and back. */
- (NSPoint)convertPoint:(NSPoint)point fromView:(NSView*)view;
- (NSPoint)convertPoint:(NSPoint)point toView:(NSView*)view;
- (NSRect)convertRect:(NSRect)rect toView:(NSView*)view;
- (NSToolTipTag)addToolTipRect:(NSRect)rect owner:(id)owner userData:(void*)data;
- (void)removeAllToolTips;
- (void)registerForDraggedTypes:(NSArray*)types;
- (NSArray*)registeredDraggedTypes;
- (void)addTrackingArea:(NSTrackingArea*)area API_AVAILABLE(macos(10.5));
- (void)removeTrackingArea:(NSTrackingArea*)area API_AVAILABLE(macos(10.5));
- (NSArray*)trackingAreas API_AVAILABLE(macos(10.5));
- (void)updateTrackingAreas API_AVAILABLE(macos(10.5));
- (NSAppearance*)effectiveAppearance API_AVAILABLE(macos(10.10));
- (void)setAppearance:(NSAppearance*)appearance API_AVAILABLE(macos(10.9));
@end

@interface NSView (StandIn)
/** The tooltip rectangles registered so far, in the order added. */
- (NSArray*)standInToolTipRects;
/** Called by the window when the view enters or leaves it. */
- (void)standInSetWindow:(NSWindow*)window;
@end
