#pragma once

#import <AppKit/NSWindow.h>

/** A window that serves another: it may float above the other windows. */
@interface NSPanel : NSWindow {
  BOOL mFloatingPanel;
}
- (BOOL)isFloatingPanel;
- (void)setFloatingPanel:(BOOL)floating;
@end
