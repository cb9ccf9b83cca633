#pragma once

#import <Foundation/Foundation.h>

#include <os/availability.h>

/** The settings of the animation group being built: changes made inside a group of duration 0 take
 * effect at once. Groups nest; each has its own context. */
API_AVAILABLE(macos(10.5))
@interface NSAnimationContext : NSObject {
  NSTimeInterval mDuration;
}
+ (void)beginGrouping;
+ (void)endGrouping;
/** The context of the innermost open group, or of the implicit outer one. */
+ (NSAnimationContext*)currentContext;
- (NSTimeInterval)duration;
- (void)setDuration:(NSTimeInterval)duration;
@end
