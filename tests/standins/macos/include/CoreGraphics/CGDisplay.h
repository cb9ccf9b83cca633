#pragma once

#include <stddef.h>
#include <stdint.h>

#include <CoreGraphics/CGGeometry.h>

typedef uint32_t CGDirectDisplayID;
typedef int32_t CGError;
typedef uint32_t boolean_t;
enum
{
  kCGErrorSuccess = 0,
  kCGErrorIllegalArgument = 1001
};

#ifdef __cplusplus
extern "C"
{
#endif
  CGDirectDisplayID CGMainDisplayID(void);
  /** The display's rectangle in global display coordinates, which count down from the top left of
   * the main display (Cocoa's screen coordinates count up from its bottom left). */
  CGRect CGDisplayBounds(CGDirectDisplayID display);
  size_t CGDisplayPixelsWide(CGDirectDisplayID display);
  size_t CGDisplayPixelsHigh(CGDirectDisplayID display);
  /** Hiding counts: the cursor shows again after as many shows as hides. */
  CGError CGDisplayHideCursor(CGDirectDisplayID display);
  CGError CGDisplayShowCursor(CGDirectDisplayID display);
  /** Puts the cursor at a point of the display, in its own coordinates (origin top left). */
  CGError CGDisplayMoveCursorToPoint(CGDirectDisplayID display, CGPoint point);
  /** With false, mouse movement no longer moves the cursor (the events still come). */
  CGError CGAssociateMouseAndMouseCursorPosition(boolean_t connected);
#ifdef __cplusplus
}
#endif
