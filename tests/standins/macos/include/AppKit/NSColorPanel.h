#pragma once

#import <AppKit/NSColor.h>
#import <AppKit/NSPanel.h>

/** The application's one colour panel. It sends its action to its target (not retained) each time
 * the user changes the colour, until it is closed. As in AppKit, the target and the action can be
 * set but not read back (tests read them through StandIns/AppKitColorPanel.h). */
@interface NSColorPanel : NSPanel {
  id mTarget;
  SEL mAction;
  BOOL mShowsAlpha;
  NSColor* mColor;
  BOOL mVisible;
}
+ (NSColorPanel*)sharedColorPanel;
+ (BOOL)sharedColorPanelExists;
- (void)setTarget:(id)target;
- (void)setAction:(SEL)action;
- (void)setShowsAlpha:(BOOL)shows;
- (BOOL)showsAlpha;
- (void)setColor:(NSColor*)color;
- (NSColor*)color;
- (void)orderFront:(id)sender;
- (BOOL)isVisible;
@end
