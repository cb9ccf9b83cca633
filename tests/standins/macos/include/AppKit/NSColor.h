#pragma once

#import <Foundation/Foundation.h>

#include <CoreGraphics/CGGeometry.h>

/** The colour spaces the stand-in tells apart: device RGB and device grey. */
@interface NSColorSpace : NSObject {
  BOOL mRGB;
}
+ (NSColorSpace*)deviceRGBColorSpace;
+ (NSColorSpace*)deviceGrayColorSpace;
@end

/** An immutable colour. As in Cocoa, the red, green and blue components exist only for colours in
 * an RGB space: asking a grey colour for them raises; convert it with colorUsingColorSpace: first. */
@interface NSColor : NSObject {
  NSColorSpace* mColorSpace; // not retained: the spaces live for the process
  CGFloat mComponents[4];    // r, g, b, a (grey: white, white, white, a)
}
+ (NSColor*)colorWithDeviceRed:(CGFloat)red green:(CGFloat)green blue:(CGFloat)blue alpha:(CGFloat)alpha;
+ (NSColor*)colorWithDeviceWhite:(CGFloat)white alpha:(CGFloat)alpha;
- (NSColorSpace*)colorSpace;
/** The same colour in space, or nil when it cannot be converted. */
- (NSColor*)colorUsingColorSpace:(NSColorSpace*)space;
- (CGFloat)redComponent;
- (CGFloat)greenComponent;
- (CGFloat)blueComponent;
- (CGFloat)whiteComponent;
- (CGFloat)alphaComponent;
@end
