#pragma once

#import <Foundation/Foundation.h>

#include <os/availability.h>

@class NSImage;

/** The system's file viewer and URL handlers. Nothing is really opened here: the calls are recorded
 * (StandIns/AppKitWorkspace.h) and a path that does not exist, or a file URL of one, fails as it
 * would on a Mac. */
@interface NSWorkspace : NSObject
+ (NSWorkspace*)sharedWorkspace;
- (BOOL)openURL:(NSURL*)url;
/** Shows the files' folders in viewer windows with the files selected. */
- (void)activateFileViewerSelectingURLs:(NSArray*)fileURLs API_AVAILABLE(macos(10.6));
/** The file's icon, 32 x 32 points until resized; also for a file that does not exist. */
- (NSImage*)iconForFile:(NSString*)fullPath;
@end
