#pragma once

#import <Foundation/Foundation.h>

#include <CoreGraphics/CGGeometry.h>

/** On macOS a font descriptor is the same object as a CoreText font descriptor (toll-free bridged);
 * here it stays opaque: the stand-in only keeps and retains it. */
@class NSFontDescriptor;

/** A font at a size: the descriptor it was made from and its point size. */
@interface NSFont : NSObject {
  NSFontDescriptor* mDescriptor;
  CGFloat mPointSize;
}
/** nil without a descriptor. */
+ (NSFont*)fontWithDescriptor:(NSFontDescriptor*)descriptor size:(CGFloat)size;
+ (NSFont*)systemFontOfSize:(CGFloat)size;
/** 13 points, as on macOS. */
+ (CGFloat)systemFontSize;
- (NSFontDescriptor*)fontDescriptor;
- (CGFloat)pointSize;
@end
