#pragma once

// Acting as the user of the stand-in's colour panel.
#import <AppKit/NSColorPanel.h>

/** The user picks color in the shared panel: it becomes the panel's colour and the action goes to
 * the target. Nothing happens (NO) while the panel is not open. */
BOOL StandInPickColor(NSColor* color);
/** What the shared panel sends its action to, and the action (nil and null while none). */
id StandInColorPanelTarget(void);
SEL StandInColorPanelAction(void);
