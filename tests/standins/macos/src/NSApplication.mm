#import <AppKit/AppKit.h>

double NSAppKitVersionNumber = 2299.0;

BOOL NSApplicationLoad(void)
{
  [NSApplication sharedApplication];
  return YES;
}

@implementation NSApplication
+ (NSApplication*)sharedApplication
{
  static NSApplication* app = nil;
  if (!app)
    app = [[NSApplication alloc] init];
  return app;
}
- (NSEvent*)currentEvent
{
  return mCurrentEvent;
}
@end
