#import <AppKit/AppKit.h>

@implementation NSColorSpace
+ (NSColorSpace*)spaceWithRGB:(BOOL)rgb
{
  NSColorSpace* space = [[NSColorSpace alloc] init];
  space->mRGB = rgb;
  return space;
}
+ (NSColorSpace*)deviceRGBColorSpace
{
  static NSColorSpace* sSpace = [self spaceWithRGB:YES];
  return sSpace;
}
+ (NSColorSpace*)deviceGrayColorSpace
{
  static NSColorSpace* sSpace = [self spaceWithRGB:NO];
  return sSpace;
}
@end

@implementation NSColor
+ (NSColor*)colorInSpace:(NSColorSpace*)space components:(const CGFloat*)c
{
  NSColor* color = [[[NSColor alloc] init] autorelease];
  color->mColorSpace = space;
  for (int i = 0; i < 4; ++i)
    color->mComponents[i] = c[i] < 0 ? 0 : (c[i] > 1 ? 1 : c[i]);
  return color;
}
+ (NSColor*)colorWithDeviceRed:(CGFloat)red green:(CGFloat)green blue:(CGFloat)blue alpha:(CGFloat)alpha
{
  const CGFloat c[4] = {red, green, blue, alpha};
  return [self colorInSpace:[NSColorSpace deviceRGBColorSpace] components:c];
}
+ (NSColor*)colorWithDeviceWhite:(CGFloat)white alpha:(CGFloat)alpha
{
  const CGFloat c[4] = {white, white, white, alpha};
  return [self colorInSpace:[NSColorSpace deviceGrayColorSpace] components:c];
}
- (NSColorSpace*)colorSpace
{
  return mColorSpace;
}
- (NSColor*)colorUsingColorSpace:(NSColorSpace*)space
{
  if (space == mColorSpace)
    return self;
  if (space == [NSColorSpace deviceRGBColorSpace])
    return [NSColor colorInSpace:space components:mComponents];
  return nil; // an RGB colour has no exact grey
}
- (CGFloat)rgbComponent:(int)index
{
  if (mColorSpace != [NSColorSpace deviceRGBColorSpace])
    [NSException raise:NSInvalidArgumentException format:@"NSColor: RGB component of a colour in another space"];
  return mComponents[index];
}
- (CGFloat)redComponent
{
  return [self rgbComponent:0];
}
- (CGFloat)greenComponent
{
  return [self rgbComponent:1];
}
- (CGFloat)blueComponent
{
  return [self rgbComponent:2];
}
- (CGFloat)whiteComponent
{
  if (mColorSpace != [NSColorSpace deviceGrayColorSpace])
    [NSException raise:NSInvalidArgumentException format:@"NSColor: white component of a colour in another space"];
  return mComponents[0];
}
- (CGFloat)alphaComponent
{
  return mComponents[3];
}
@end
