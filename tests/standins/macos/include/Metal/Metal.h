#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <os/availability.h>

typedef unsigned long MTLPixelFormat;
enum
{
  MTLPixelFormatBGRA8Unorm = 80
};

#ifdef __OBJC__
#import <Foundation/Foundation.h>

API_AVAILABLE(macos(10.11))
@protocol MTLDevice <NSObject>
- (NSString*)name;
@end

/** The one stand-in device, the same object on every call. */
id<MTLDevice> MTLCreateSystemDefaultDevice(void) API_AVAILABLE(macos(10.11));
#endif
