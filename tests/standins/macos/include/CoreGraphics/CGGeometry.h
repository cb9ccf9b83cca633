#pragma once

#include <CoreFoundation/CFBase.h>

// Core Graphics geometry. On macOS NSPoint, NSSize and NSRect are these types; GNUstep's are
// separate structs of the same layout, so code that mixes them converts with NSPointFromCGPoint,
// NSRectToCGRect and the like, as it may on macOS too.
struct CGPoint
{
  CGFloat x;
  CGFloat y;
};
typedef struct CGPoint CGPoint;

struct CGSize
{
  CGFloat width;
  CGFloat height;
};
typedef struct CGSize CGSize;

struct CGRect
{
  CGPoint origin;
  CGSize size;
};
typedef struct CGRect CGRect;

static inline CGPoint CGPointMake(CGFloat x, CGFloat y)
{
  CGPoint p = {x, y};
  return p;
}
static inline CGSize CGSizeMake(CGFloat w, CGFloat h)
{
  CGSize s = {w, h};
  return s;
}
static inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h)
{
  CGRect r = {{x, y}, {w, h}};
  return r;
}
