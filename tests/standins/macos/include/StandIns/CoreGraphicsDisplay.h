#pragma once

// What tests use to see what was done to the cursor through the display calls.
#ifdef __OBJC__
#import <Foundation/Foundation.h>
#endif

#include <CoreGraphics/CGDisplay.h>

#ifdef __cplusplus
extern "C"
{
#endif
  /** Hides minus shows since the last reset: the cursor is hidden while it is above 0. */
  int StandInCursorHideLevel(void);
  /** Whether mouse and cursor move together (true at start). */
  boolean_t StandInMouseAssociated(void);
  /** How many CGDisplayMoveCursorToPoint calls there were, and the point of the last (display
   * coordinates), and whether mouse and cursor were associated at that moment. */
  int StandInCursorMoveCount(void);
  CGPoint StandInLastCursorMovePoint(void);
  boolean_t StandInLastCursorMoveWasAssociated(void);
  void StandInResetDisplay(void);
#ifdef __cplusplus
}
#endif
