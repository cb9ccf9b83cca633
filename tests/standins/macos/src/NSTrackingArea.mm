#import <AppKit/AppKit.h>

@implementation NSTrackingArea
- (id)initWithRect:(NSRect)rect options:(NSTrackingAreaOptions)options owner:(id)owner userInfo:(NSDictionary*)userInfo
{
  if ((self = [super init]))
  {
    mRect = rect;
    mOptions = options;
    mOwner = owner;
    mUserInfo = [userInfo retain];
  }
  return self;
}
- (void)dealloc
{
  [mUserInfo release];
  [super dealloc];
}
- (NSRect)rect
{
  return mRect;
}
- (NSTrackingAreaOptions)options
{
  return mOptions;
}
- (id)owner
{
  return mOwner;
}
- (NSDictionary*)userInfo
{
  return mUserInfo;
}
@end
