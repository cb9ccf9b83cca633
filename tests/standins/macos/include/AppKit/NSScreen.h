#pragma once

#import <Foundation/Foundation.h>

#include <CoreGraphics/CGGeometry.h>

#include <os/availability.h>

/** The main screen: 1920 x 1080 points at the origin, backing scale 1 until a test sets another. */
@interface NSScreen : NSObject {
  NSRect mFrame;
  CGFloat mBackingScaleFactor;
}
+ (NSScreen*)mainScreen;
+ (NSArray*)screens;
- (NSRect)frame;
- (CGFloat)backingScaleFactor API_AVAILABLE(macos(10.7));
@end

@interface NSScreen (StandIn)
- (void)standInSetBackingScaleFactor:(CGFloat)scale;
- (void)standInSetFrame:(NSRect)frame;
@end
