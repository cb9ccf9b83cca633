#pragma once

#import <AppKit/NSView.h>

#include <os/availability.h>

typedef NSInteger NSControlStateValue;
enum
{
  NSControlStateValueMixed = -1,
  NSControlStateValueOff = 0,
  NSControlStateValueOn = 1
};

@class NSMenu;

/** One entry of a menu: a title, or a separator line, optionally opening a submenu. An item
 * belongs to at most one menu, which retains it; the item retains its submenu but not its target. */
@interface NSMenuItem : NSObject {
  NSString* mTitle;
  SEL mAction;
  id mTarget; // not retained
  NSString* mKeyEquivalent;
  NSMenu* mMenu; // not retained
  NSMenu* mSubmenu;
  NSInteger mIndentationLevel;
  BOOL mEnabled;
  NSControlStateValue mState;
  BOOL mSeparator;
}
+ (NSMenuItem*)separatorItem;
- (id)initWithTitle:(NSString*)title action:(SEL)action keyEquivalent:(NSString*)keyEquivalent;
- (NSString*)title;
- (SEL)action;
- (void)setTarget:(id)target;
- (id)target;
- (NSString*)keyEquivalent;
- (NSMenu*)menu;
- (void)setSubmenu:(NSMenu*)submenu;
- (NSMenu*)submenu;
- (BOOL)hasSubmenu;
- (void)setIndentationLevel:(NSInteger)level;
- (NSInteger)indentationLevel;
- (void)setEnabled:(BOOL)enabled;
- (BOOL)isEnabled;
- (void)setState:(NSControlStateValue)state;
- (NSControlStateValue)state;
- (BOOL)isSeparatorItem;
@end

/** A menu of items. popUpMenuPositioningItem:atLocation:inView: runs it modally; here the user's
 * choice is scripted by the test (StandIns/AppKitMenus.h). */
@interface NSMenu : NSObject {
  NSString* mTitle;
  NSMutableArray* mItems;
  BOOL mAutoenablesItems;
}
- (id)initWithTitle:(NSString*)title;
- (NSString*)title;
- (void)setAutoenablesItems:(BOOL)autoenables;
- (BOOL)autoenablesItems;
/** An item that already belongs to a menu may not be added again (Cocoa raises). */
- (void)addItem:(NSMenuItem*)item;
- (NSMenuItem*)addItemWithTitle:(NSString*)title action:(SEL)action keyEquivalent:(NSString*)keyEquivalent;
- (NSArray*)itemArray;
- (NSInteger)numberOfItems;
- (NSMenuItem*)itemAtIndex:(NSInteger)index;
/** -1 when the item is not in this menu. */
- (NSInteger)indexOfItem:(NSMenuItem*)item;
/** Shows the menu with item (nil: none) at location in view's coordinates and tracks it until it
 * closes. When an enabled item with an action was chosen, its action goes to its target before the
 * call returns YES; otherwise NO. */
- (BOOL)popUpMenuPositioningItem:(NSMenuItem*)item
                      atLocation:(NSPoint)location
                          inView:(NSView*)view API_AVAILABLE(macos(10.6));
@end
