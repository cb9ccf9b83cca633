#pragma once

#import <Foundation/Foundation.h>

#include <CoreGraphics/CGGeometry.h>

/** A layer records what the view sets on it. */
@interface CALayer : NSObject {
  CGRect mFrame;
  BOOL mOpaque;
  CGFloat mContentsScale;
}
+ (id)layer;
- (CGRect)frame;
- (void)setFrame:(CGRect)frame;
- (BOOL)isOpaque;
- (void)setOpaque:(BOOL)opaque;
- (CGFloat)contentsScale;
- (void)setContentsScale:(CGFloat)scale;
@end
