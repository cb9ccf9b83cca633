#pragma once

#import <Foundation/Foundation.h>

#include <CoreGraphics/CGContext.h>

#include <os/availability.h>

/** The drawing destination AppKit draws into; nil outside drawing. */
@interface NSGraphicsContext : NSObject {
  CGContextRef mCGContext;
}
+ (NSGraphicsContext*)currentContext;
+ (void)setCurrentContext:(NSGraphicsContext*)context;
- (CGContextRef)CGContext API_AVAILABLE(macos(10.10));
@end
