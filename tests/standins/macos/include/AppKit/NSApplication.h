#pragma once

#import <AppKit/NSResponder.h>

@class NSEvent;

typedef double NSAppKitVersion;
/** The version of AppKit, as the system reports it (tests play other versions through
 * StandIns/AppKitVersion.h). */
extern const NSAppKitVersion NSAppKitVersionNumber;

/** The run-loop modes AppKit runs while a modal panel is up and while it tracks the mouse (menus,
 * drags, live resize). */
extern NSString* const NSModalPanelRunLoopMode;
extern NSString* const NSEventTrackingRunLoopMode;

/** Makes Cocoa usable from a plug-in: the shared application exists afterwards. */
BOOL NSApplicationLoad(void);

@interface NSApplication : NSResponder {
  NSEvent* mCurrentEvent;
}
+ (NSApplication*)sharedApplication;
/** The event being handled; the stand-in's synthetic events set it while they are delivered. */
- (NSEvent*)currentEvent;
@end

/** The shared application: nil until +sharedApplication (or NSApplicationLoad) has made it. */
extern NSApplication* NSApp;
