#pragma once

#import <Foundation/Foundation.h>

/** An image of a size in points; here it holds no pixels. */
@interface NSImage : NSObject {
  NSSize mSize;
}
- (id)initWithSize:(NSSize)size;
/** nil unless the file can be read and is a PNG image, whose size it takes. */
- (id)initWithContentsOfFile:(NSString*)path;
- (NSSize)size;
- (void)setSize:(NSSize)size;
@end
