#import <AppKit/AppKit.h>

NSAppearanceName const NSAppearanceNameAqua = @"NSAppearanceNameAqua";
NSAppearanceName const NSAppearanceNameDarkAqua = @"NSAppearanceNameDarkAqua";

@implementation NSAppearance
+ (NSAppearance*)appearanceNamed:(NSAppearanceName)name
{
  static NSMutableDictionary* appearances = nil;
  if (![name isEqualToString:NSAppearanceNameAqua] && ![name isEqualToString:NSAppearanceNameDarkAqua])
    return nil;
  if (!appearances)
    appearances = [[NSMutableDictionary alloc] init];
  NSAppearance* a = [appearances objectForKey:name];
  if (!a)
  {
    a = [[[NSAppearance alloc] init] autorelease];
    a->mName = [name copy];
    [appearances setObject:a forKey:name];
  }
  return a;
}
- (void)dealloc
{
  [mName release];
  [super dealloc];
}
- (NSAppearanceName)name
{
  return mName;
}
@end
