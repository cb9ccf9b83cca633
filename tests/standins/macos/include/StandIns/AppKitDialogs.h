#pragma once

// What tests use to answer and inspect alerts and file panels.
#import <AppKit/AppKit.h>

/** The answers of the next runModal calls of alerts, in order; without one, 1000 (first button). */
void StandInQueueAlertResponse(NSModalResponse response);
/** The last alert run since the last reset (kept alive until then), and how many ran. */
NSAlert* StandInLastAlert(void);
int StandInAlertRunCount(void);
/** The titles of an alert's buttons, in order. */
NSArray* StandInAlertButtonTitles(NSAlert* alert);

/** The answer of the next panel (runModal or sheet), in order: with NSModalResponseOK the panel
 * chooses paths (absolute, each made a file URL); without one queued a panel answers cancel. */
void StandInQueuePanelResponse(NSModalResponse response, NSArray* chosenPaths);
/** The last panel run since the last reset (kept alive until then), how many ran, and the window of
 * its sheet (nil for runModal). */
NSSavePanel* StandInLastPanel(void);
int StandInPanelRunCount(void);
BOOL StandInPanelRanAsSheet(NSSavePanel* panel);
NSWindow* StandInPanelSheetWindow(NSSavePanel* panel);

/** Forgets alerts, panels and queued answers. */
void StandInResetDialogs(void);
