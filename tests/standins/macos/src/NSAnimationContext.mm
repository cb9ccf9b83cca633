#import <AppKit/AppKit.h>

#import "StandIns/AppKitAnimation.h"

namespace
{
// The open groups, innermost last; the first entry is the implicit outer context.
NSMutableArray* Contexts()
{
  static NSMutableArray* contexts = nil;
  if (!contexts)
  {
    contexts = [[NSMutableArray alloc] init];
    NSAnimationContext* outer = [[NSAnimationContext alloc] init];
    [outer setDuration:0.25];
    [contexts addObject:outer];
    [outer release];
  }
  return contexts;
}
} // namespace

int StandInAnimationGroupingDepth(void)
{
  return static_cast<int>([Contexts() count]) - 1;
}

@implementation NSAnimationContext
+ (void)beginGrouping
{
  NSAnimationContext* context = [[NSAnimationContext alloc] init];
  [context setDuration:[[self currentContext] duration]];
  [Contexts() addObject:context];
  [context release];
}
+ (void)endGrouping
{
  if ([Contexts() count] > 1)
    [Contexts() removeLastObject];
}
+ (NSAnimationContext*)currentContext
{
  return [Contexts() lastObject];
}
- (NSTimeInterval)duration
{
  return mDuration;
}
- (void)setDuration:(NSTimeInterval)duration
{
  mDuration = duration;
}
@end
