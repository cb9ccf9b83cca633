#pragma once

// What tests use to see drags begun by views (beginDraggingSessionWithItems:event:source:).
#import <AppKit/AppKit.h>

/** The last drag session begun since the last reset, or nil; kept alive until the next reset. */
NSDraggingSession* StandInLastDraggingSession(void);
/** How many drag sessions were begun since the last reset. */
int StandInDraggingSessionCount(void);
/** Forgets every drag session begun so far. */
void StandInResetDraggingSessions(void);
