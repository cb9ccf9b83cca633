#pragma once

#import <QuartzCore/CALayer.h>

#include <Metal/Metal.h>
#include <os/availability.h>

/** The layer NanoVG's Metal renderer presents into; the MetalNanoVG stand-in keeps its drawable's
 * pixels here, where tests read them (StandIns/MetalNanoVG.h). */
API_AVAILABLE(macos(10.11))
@interface CAMetalLayer : CALayer {
  id<MTLDevice> mDevice;
  MTLPixelFormat mPixelFormat;
  BOOL mFramebufferOnly;
  CGSize mDrawableSize;
}
- (id<MTLDevice>)device;
- (void)setDevice:(id<MTLDevice>)device;
- (MTLPixelFormat)pixelFormat;
- (void)setPixelFormat:(MTLPixelFormat)format;
- (BOOL)framebufferOnly;
- (void)setFramebufferOnly:(BOOL)only;
- (CGSize)drawableSize;
- (void)setDrawableSize:(CGSize)size;
@end
