#pragma once

// What tests use to make synthetic Cocoa events and deliver them.
#import <AppKit/AppKit.h>

/** A mouse event (down, up, dragged, moved, entered, exited) at a point in the window. */
NSEvent* StandInMouseEvent(NSEventType type, NSPoint locationInWindow, NSEventModifierFlags flags, NSInteger clickCount,
                           NSEventSubtype subtype, NSWindow* window);
/** A key event (down or up). */
NSEvent* StandInKeyEvent(NSEventType type, unsigned short keyCode, NSString* characters,
                         NSString* charactersIgnoringModifiers, NSEventModifierFlags flags, NSWindow* window);
/** A scroll-wheel event at a point in the window. */
NSEvent* StandInScrollEvent(NSPoint locationInWindow, NSEventModifierFlags flags, CGFloat deltaY, NSWindow* window);

/** Hands the event to the responder's method for its type, with NSApp's currentEvent set to it
 * meanwhile. */
void StandInSendEvent(NSEvent* event, NSResponder* responder);
/** Hands the event to the first responder of its window. */
void StandInSendEventToFirstResponder(NSEvent* event);

/** What +[NSEvent mouseLocation] and +[NSEvent modifierFlags] answer from now on. */
void StandInSetMouseLocation(NSPoint screenPoint);
void StandInSetCurrentModifierFlags(NSEventModifierFlags flags);
