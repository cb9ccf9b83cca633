#pragma once

#import <Foundation/Foundation.h>

@class NSImage;

/** The system's file viewer and URL handlers. Nothing is really opened here: the calls are recorded
 * (StandIns/AppKitWorkspace.h) and a path that does not exist, or a file URL of one, fails as it
 * would on a Mac. */
@interface NSWorkspace : NSObject
+ (NSWorkspace*)sharedWorkspace;
- (BOOL)openURL:(NSURL*)url;
- (BOOL)openFile:(NSString*)fullPath;
/** Shows the file selected in a viewer window; rootFullPath nil or "" uses the file's folder. */
- (BOOL)selectFile:(NSString*)fullPath inFileViewerRootedAtPath:(NSString*)rootFullPath;
/** The file's icon, 32 x 32 points until resized; also for a file that does not exist. */
- (NSImage*)iconForFile:(NSString*)fullPath;
@end
