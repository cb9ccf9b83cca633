#pragma once

#import <AppKit/NSView.h>

/** A push button; here only its title. */
@interface NSButton : NSView {
  NSString* mTitle;
}
- (NSString*)title;
- (void)setTitle:(NSString*)title;
@end
