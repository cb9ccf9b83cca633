#pragma once

// What tests use to give AppKit a current drawing context and read what was done to it.
#import <AppKit/AppKit.h>

#include <CoreGraphics/CGAffineTransform.h>

/** A new context over a Core Graphics context whose transform starts as the identity. */
NSGraphicsContext* StandInMakeGraphicsContext(void);
CGAffineTransform StandInContextCTM(CGContextRef context);
