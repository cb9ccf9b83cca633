#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CGGeometry.h>

#ifdef __OBJC__
#import <QuartzCore/CALayer.h>
#import <QuartzCore/CAMetalLayer.h>
#endif
