#import <QuartzCore/QuartzCore.h>

#include "StandIns/Metal.h"

@implementation CALayer
+ (id)layer
{
  return [[[self alloc] init] autorelease];
}
- (id)init
{
  if ((self = [super init]))
    mContentsScale = 1.0;
  return self;
}
- (CGRect)frame
{
  return mFrame;
}
- (void)setFrame:(CGRect)frame
{
  mFrame = frame;
}
- (BOOL)isOpaque
{
  return mOpaque;
}
- (void)setOpaque:(BOOL)opaque
{
  mOpaque = opaque;
}
- (CGFloat)contentsScale
{
  return mContentsScale;
}
- (void)setContentsScale:(CGFloat)scale
{
  mContentsScale = scale;
}
- (id)delegate
{
  return mDelegate;
}
- (void)setDelegate:(id)delegate
{
  mDelegate = delegate;
}
@end

@implementation CAMetalLayer
- (void)dealloc
{
  [mDevice release];
  [super dealloc];
}
- (id<MTLDevice>)device
{
  return mDevice;
}
- (void)setDevice:(id<MTLDevice>)device
{
  [device retain];
  [mDevice release];
  mDevice = device;
}
- (MTLPixelFormat)pixelFormat
{
  return mPixelFormat;
}
- (void)setPixelFormat:(MTLPixelFormat)format
{
  mPixelFormat = format;
}
- (BOOL)framebufferOnly
{
  return mFramebufferOnly;
}
- (void)setFramebufferOnly:(BOOL)only
{
  mFramebufferOnly = only;
}
- (CGSize)drawableSize
{
  return mDrawableSize;
}
- (void)setDrawableSize:(CGSize)size
{
  mDrawableSize = size;
}
@end

@interface StandInMetalDevice : NSObject <MTLDevice>
@end
@implementation StandInMetalDevice
- (NSString*)name
{
  return @"Stand-in Metal device";
}
@end

namespace
{
bool sMetalDeviceAvailable = true;
} // namespace

id<MTLDevice> MTLCreateSystemDefaultDevice(void)
{
  if (!sMetalDeviceAvailable)
    return nil;
  static StandInMetalDevice* device = [[StandInMetalDevice alloc] init];
  return [device retain]; // "Create": the caller owns it, as on macOS
}

void StandInSetMetalDeviceAvailable(bool available)
{
  sMetalDeviceAvailable = available;
}
