#import <AppKit/AppKit.h>

#include <CoreFoundation/CoreFoundation.h>

@implementation NSFont
+ (NSFont*)fontWithDescriptor:(NSFontDescriptor*)descriptor size:(CGFloat)size
{
  if (!descriptor)
    return nil;
  NSFont* font = [[[NSFont alloc] init] autorelease];
  // A CoreText descriptor behind the Cocoa name: kept with CoreFoundation's retain.
  font->mDescriptor = (NSFontDescriptor*)CFRetain(descriptor);
  font->mPointSize = size;
  return font;
}
+ (NSFont*)systemFontOfSize:(CGFloat)size
{
  NSFont* font = [[[NSFont alloc] init] autorelease];
  font->mPointSize = size > 0 ? size : [self systemFontSize];
  return font;
}
+ (CGFloat)systemFontSize
{
  return 13.0;
}
- (void)dealloc
{
  if (mDescriptor)
    CFRelease(mDescriptor);
  [super dealloc];
}
- (NSFontDescriptor*)fontDescriptor
{
  return mDescriptor;
}
- (CGFloat)pointSize
{
  return mPointSize;
}
@end
