#import <AppKit/AppKit.h>

#include "StandIns/AppKitEvents.h"
#include "StandIns/CoreGraphicsDisplay.h"

namespace
{
constexpr CGDirectDisplayID kMainDisplay = 1;
int sHideLevel = 0;
boolean_t sAssociated = 1;
int sMoveCount = 0;
CGPoint sLastMove = {0., 0.};
boolean_t sLastMoveAssociated = 1;
} // namespace

CGDirectDisplayID CGMainDisplayID(void)
{
  return kMainDisplay;
}

CGRect CGDisplayBounds(CGDirectDisplayID display)
{
  if (display != kMainDisplay)
    return CGRectMake(0, 0, 0, 0);
  const NSRect frame = [[NSScreen mainScreen] frame];
  return CGRectMake(0, 0, frame.size.width, frame.size.height);
}

size_t CGDisplayPixelsWide(CGDirectDisplayID display)
{
  return static_cast<size_t>(CGDisplayBounds(display).size.width);
}

size_t CGDisplayPixelsHigh(CGDirectDisplayID display)
{
  return static_cast<size_t>(CGDisplayBounds(display).size.height);
}

CGError CGDisplayHideCursor(CGDirectDisplayID display)
{
  if (display != kMainDisplay)
    return kCGErrorIllegalArgument;
  ++sHideLevel;
  return kCGErrorSuccess;
}

CGError CGDisplayShowCursor(CGDirectDisplayID display)
{
  if (display != kMainDisplay)
    return kCGErrorIllegalArgument;
  if (sHideLevel > 0)
    --sHideLevel;
  return kCGErrorSuccess;
}

CGError CGDisplayMoveCursorToPoint(CGDirectDisplayID display, CGPoint point)
{
  if (display != kMainDisplay)
    return kCGErrorIllegalArgument;
  ++sMoveCount;
  sLastMove = point;
  sLastMoveAssociated = sAssociated;
  // The pointer is where Cocoa will report it from now on, in its bottom-up coordinates.
  StandInSetMouseLocation(NSMakePoint(point.x, CGDisplayBounds(display).size.height - point.y));
  return kCGErrorSuccess;
}

CGError CGAssociateMouseAndMouseCursorPosition(boolean_t connected)
{
  sAssociated = connected ? 1 : 0;
  return kCGErrorSuccess;
}

int StandInCursorHideLevel(void)
{
  return sHideLevel;
}

boolean_t StandInMouseAssociated(void)
{
  return sAssociated;
}

int StandInCursorMoveCount(void)
{
  return sMoveCount;
}

CGPoint StandInLastCursorMovePoint(void)
{
  return sLastMove;
}

boolean_t StandInLastCursorMoveWasAssociated(void)
{
  return sLastMoveAssociated;
}

void StandInResetDisplay(void)
{
  sHideLevel = 0;
  sAssociated = 1;
  sMoveCount = 0;
  sLastMove = CGPointMake(0, 0);
  sLastMoveAssociated = 1;
}
