#import <AppKit/AppKit.h>

@implementation NSScreen
+ (NSScreen*)mainScreen
{
  static NSScreen* screen = nil;
  if (!screen)
  {
    screen = [[NSScreen alloc] init];
    screen->mFrame = NSMakeRect(0, 0, 1920, 1080);
    screen->mBackingScaleFactor = 1.0;
  }
  return screen;
}
+ (NSArray*)screens
{
  return [NSArray arrayWithObject:[self mainScreen]];
}
- (NSRect)frame
{
  return mFrame;
}
- (CGFloat)backingScaleFactor
{
  return mBackingScaleFactor;
}
- (void)standInSetBackingScaleFactor:(CGFloat)scale
{
  mBackingScaleFactor = scale;
}
- (void)standInSetFrame:(NSRect)frame
{
  mFrame = frame;
}
@end
