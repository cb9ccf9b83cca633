#pragma once

// What tests use to see and script the cursors.
#import <AppKit/AppKit.h>

/** Whether NSCursor answers to AppKit's private cursor selectors (NO at start). */
void StandInSetPrivateCursorsAvailable(BOOL available);
/** The name of a system cursor ("arrow", "IBeam", "_helpCursor" ...), or nil for one made from an
 * image. */
NSString* StandInCursorName(NSCursor* cursor);
/** How often _setHelpCursor: NO was sent since the last reset, and whether the help cursor shows. */
int StandInHelpCursorHideCount(void);
void StandInResetCursors(void);
