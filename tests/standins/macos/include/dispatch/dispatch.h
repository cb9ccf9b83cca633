#pragma once

// Stand-in for Grand Central Dispatch: only the main queue, whose blocks run in later turns of
// GNUstep's main run loop (in the default, modal and event-tracking modes), in order.
#include <stdint.h>

typedef struct dispatch_queue_s* dispatch_queue_t;
typedef void (^dispatch_block_t)(void);

#ifdef __cplusplus
extern "C"
{
#endif
  dispatch_queue_t dispatch_get_main_queue(void);
  void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);
#ifdef __cplusplus
}
#endif
