#pragma once

// What macOS's Foundation has and GNUstep's lacks. On a Mac, AppKit brings in all of Foundation, so
// code that includes AppKit sees these declarations there too.
#import <Foundation/Foundation.h>

#include <os/availability.h>

@interface NSFileManager (StandInAppGroups)
/** The shared container of a security application group: Library/Group Containers/<identifier>
 * in the home directory, not created here; nil for a nil or empty identifier. */
- (NSURL*)containerURLForSecurityApplicationGroupIdentifier:(NSString*)groupIdentifier API_AVAILABLE(macos(10.8));
@end
