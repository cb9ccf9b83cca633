#pragma once

// What tests use to see and script what the shared NSWorkspace was asked to open.
#import <AppKit/AppKit.h>

/** Every call since the last reset, in order: "openURL: <absolute URL>",
 * "activateFileViewerSelectingURLs: <absolute URL> ...". Calls that fail are recorded too. */
NSArray* StandInWorkspaceCalls(void);
/** What openURL: answers for things that exist (YES at start). */
void StandInSetWorkspaceAnswer(BOOL answer);
/** Forgets the calls and answers YES again. */
void StandInResetWorkspace(void);
