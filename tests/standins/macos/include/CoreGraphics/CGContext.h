#pragma once

#include <CoreGraphics/CGGeometry.h>

typedef struct CGContext* CGContextRef;

#ifdef __cplusplus
extern "C"
{
#endif
  /** The current transform is changed by a translation, then a scale, applied before it. */
  void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty);
  void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy);
#ifdef __cplusplus
}
#endif
