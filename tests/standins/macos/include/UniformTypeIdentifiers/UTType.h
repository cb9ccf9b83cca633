#pragma once

#import <Foundation/Foundation.h>

#include <os/availability.h>

/** A type of content, known by its identifier; two types are equal when their identifiers are. The
 * stand-in knows none of the system's declared types: a file-name extension makes a dynamic type of
 * its own, as the system does for an extension it does not know. */
API_AVAILABLE(macos(11.0))
@interface UTType : NSObject {
  NSString* mIdentifier;
  NSString* mPreferredFilenameExtension;
}
/** The type of files with the extension (given without its dot); nil for an empty extension. */
+ (UTType*)typeWithFilenameExtension:(NSString*)filenameExtension;
- (NSString*)identifier;
- (NSString*)preferredFilenameExtension;
@end
