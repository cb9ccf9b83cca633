#pragma once

#import <Foundation/Foundation.h>

#include <CoreGraphics/CGGeometry.h>
#include <os/availability.h>

/** A layer records what the view sets on it. */
@interface CALayer : NSObject {
  CGRect mFrame;
  BOOL mOpaque;
  CGFloat mContentsScale;
  id mDelegate; // not retained: a view's backing layer has the view as its delegate
}
+ (id)layer;
- (CGRect)frame;
- (void)setFrame:(CGRect)frame;
- (BOOL)isOpaque;
- (void)setOpaque:(BOOL)opaque;
- (CGFloat)contentsScale API_AVAILABLE(macos(10.7));
- (void)setContentsScale:(CGFloat)scale API_AVAILABLE(macos(10.7));
- (id)delegate;
- (void)setDelegate:(id)delegate;
@end
