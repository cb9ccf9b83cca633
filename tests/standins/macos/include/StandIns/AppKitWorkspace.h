#pragma once

// What tests use to see and script what the shared NSWorkspace was asked to open.
#import <AppKit/AppKit.h>

/** Every call since the last reset, in order: "openURL: <absolute URL>", "openFile: <path>",
 * "selectFile: <path> root: <root>". Calls that fail are recorded too. */
NSArray* StandInWorkspaceCalls(void);
/** What openURL:, openFile: and selectFile:... answer for things that exist (YES at start). */
void StandInSetWorkspaceAnswer(BOOL answer);
/** Forgets the calls and answers YES again. */
void StandInResetWorkspace(void);
