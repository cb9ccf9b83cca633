#import <AppKit/AppKit.h>

@implementation NSPanel
- (BOOL)isFloatingPanel
{
  return mFloatingPanel;
}
- (void)setFloatingPanel:(BOOL)floating
{
  mFloatingPanel = floating;
}
@end
