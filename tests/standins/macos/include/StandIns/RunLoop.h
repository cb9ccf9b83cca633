#pragma once

// What tests use to turn GNUstep's main run loop, which runs the stand-in main queue and timers.
#ifdef __OBJC__
#import <Foundation/Foundation.h>
#endif

#ifdef __cplusplus
extern "C"
{
#endif
  /** Runs the main run loop in the mode (NSDefaultRunLoopMode when null) for about seconds. */
  void StandInRunMainLoop(const char* mode, double seconds);
  /** Runs the main run loop until every block queued on the main queue so far has run (at most
 * seconds); whether they all ran. */
  int StandInDrainMainQueue(double seconds);
#ifdef __cplusplus
}
#endif
