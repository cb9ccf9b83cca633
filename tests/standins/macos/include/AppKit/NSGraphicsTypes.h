#pragma once

#import <Foundation/Foundation.h>

#include <CoreGraphics/CGGeometry.h>

// On macOS these conversions are identities between one type and itself; here they join GNUstep's
// geometry types and the Core Graphics ones of the stand-in.
static inline NSPoint NSPointFromCGPoint(CGPoint p)
{
  return NSMakePoint(p.x, p.y);
}
static inline CGPoint NSPointToCGPoint(NSPoint p)
{
  return CGPointMake(p.x, p.y);
}
static inline NSSize NSSizeFromCGSize(CGSize s)
{
  return NSMakeSize(s.width, s.height);
}
static inline CGSize NSSizeToCGSize(NSSize s)
{
  return CGSizeMake(s.width, s.height);
}
static inline NSRect NSRectFromCGRect(CGRect r)
{
  return NSMakeRect(r.origin.x, r.origin.y, r.size.width, r.size.height);
}
static inline CGRect NSRectToCGRect(NSRect r)
{
  return CGRectMake(r.origin.x, r.origin.y, r.size.width, r.size.height);
}
