#pragma once

#import <AppKit/NSResponder.h>

#include <CoreGraphics/CGGeometry.h>

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
- (void)viewDidChangeBackingProperties;
- (void)viewDidChangeEffectiveAppearance;
- (BOOL)isFlipped;
- (BOOL)isOpaque;
- (BOOL)acceptsFirstMouse:(NSEvent*)event;
- (void)setHidden:(BOOL)hidden;
- (BOOL)isHidden;
- (void)setNeedsDisplay:(BOOL)needs;
- (void)drawRect:(NSRect)dirtyRect;
- (void)setWantsLayer:(BOOL)wants;
- (BOOL)wantsLayer;
/** The backing layer, made by makeBackingLayer when layer-backing is switched on. */
- (CALayer*)layer;
- (void)setLayer:(CALayer*)layer;
- (CALayer*)makeBackingLayer;
- (void)setLayerContentsRedrawPolicy:(NSViewLayerContentsRedrawPolicy)policy;
- (NSViewLayerContentsRedrawPolicy)layerContentsRedrawPolicy;
- (void)setPostsFrameChangedNotifications:(BOOL)posts;
/** From the coordinates of view (the window's when nil) into this view's, and back. */
- (NSPoint)convertPoint:(NSPoint)point fromView:(NSView*)view;
- (NSPoint)convertPoint:(NSPoint)point toView:(NSView*)view;
- (NSRect)convertRect:(NSRect)rect toView:(NSView*)view;
- (NSToolTipTag)addToolTipRect:(NSRect)rect owner:(id)owner userData:(void*)data;
- (void)removeAllToolTips;
- (void)registerForDraggedTypes:(NSArray*)types;
- (NSArray*)registeredDraggedTypes;
- (void)addTrackingArea:(NSTrackingArea*)area;
- (void)removeTrackingArea:(NSTrackingArea*)area;
- (NSArray*)trackingAreas;
- (void)updateTrackingAreas;
- (NSAppearance*)effectiveAppearance;
- (void)setAppearance:(NSAppearance*)appearance;
@end

@interface NSView (StandIn)
/** The tooltip rectangles registered so far, in the order added. */
- (NSArray*)standInToolTipRects;
/** Called by the window when the view enters or leaves it. */
- (void)standInSetWindow:(NSWindow*)window;
@end
