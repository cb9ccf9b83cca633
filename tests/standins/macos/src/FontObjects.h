#pragma once

// What the Core Graphics and CoreText stand-ins share: the counted base of their objects and the
// names a graphics font read from its file.
#import <Foundation/Foundation.h>

/** Counted while alive, so that tests can see every font object freed. */
@interface StandInFontObject : NSObject
@end

/** The names of a font file's first face (nil when the file lacks one). */
@interface StandInGraphicsFont : StandInFontObject {
@public
  id mProvider; // retained, as a real graphics font keeps its bytes
  NSString* mFamily;
  NSString* mStyle;
  NSString* mPostScriptName;
}
@end
