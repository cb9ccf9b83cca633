#import <AppKit/AppKit.h>

NSApplication* NSApp = nil;

BOOL NSApplicationLoad(void)
{
  [NSApplication sharedApplication];
  return YES;
}

@implementation NSApplication
+ (NSApplication*)sharedApplication
{
  if (!NSApp)
    NSApp = [[NSApplication alloc] init];
  return NSApp;
}
- (NSEvent*)currentEvent
{
  return mCurrentEvent;
}
@end
