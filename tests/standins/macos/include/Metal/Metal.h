#pragma once

#include <CoreFoundation/CoreFoundation.h>

typedef unsigned long MTLPixelFormat;
enum
{
  MTLPixelFormatBGRA8Unorm = 80
};

#ifdef __OBJC__
#import <Foundation/Foundation.h>

@protocol MTLDevice <NSObject>
- (NSString*)name;
@end

/** The one stand-in device, the same object on every call. */
id<MTLDevice> MTLCreateSystemDefaultDevice(void);
#endif
