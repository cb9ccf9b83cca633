#pragma once

// What tests use to see the run-loop timers of the CoreFoundation stand-in.
#ifdef __cplusplus
extern "C"
{
#endif
  /** How many run-loop timers exist: made by CFRunLoopTimerCreate and not yet freed. */
  long StandInLiveRunLoopTimers(void);
#ifdef __cplusplus
}
#endif
