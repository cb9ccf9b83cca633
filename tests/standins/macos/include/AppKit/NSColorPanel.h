#pragma once

#import <AppKit/NSColor.h>
#import <AppKit/NSWindow.h>

/** The application's one colour panel. It sends its action to its target (not retained) each time
 * the user changes the colour, until it is closed. */
@interface NSColorPanel : NSWindow {
  id mTarget;
  SEL mAction;
  BOOL mShowsAlpha;
  NSColor* mColor;
  BOOL mVisible;
}
+ (NSColorPanel*)sharedColorPanel;
+ (BOOL)sharedColorPanelExists;
- (void)setTarget:(id)target;
- (id)target;
- (void)setAction:(SEL)action;
- (SEL)action;
- (void)setShowsAlpha:(BOOL)shows;
- (BOOL)showsAlpha;
- (void)setColor:(NSColor*)color;
- (NSColor*)color;
- (void)orderFront:(id)sender;
- (BOOL)isVisible;
@end
