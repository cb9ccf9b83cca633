#pragma once

// Acting as the user of a stand-in text field that is being edited.
#import <AppKit/NSTextField.h>

/** Types text one character at a time into the field's editor, as keystrokes do; the field's
 * formatter may refuse each. How many characters were taken (0 when the field is not editing). */
int StandInTypeText(NSTextField* field, NSString* text);
/** The Return key in the field's editor. */
void StandInPressReturn(NSTextField* field);
/** The Escape key in the field's editor. */
void StandInPressEscape(NSTextField* field);
