#pragma once

// The small Cocoa classes behind the editor's native menus and text field (Objective-C++ only).
#import <AppKit/AppKit.h>

#include "igraphics/IPopupMenu.h"
#include "igraphics/platforms/IGraphicsMacClassNames.h"

namespace iplug
{
namespace igraphics
{
namespace MacControls
{
/** The text as an NSString; "" for null or for bytes that are not UTF-8, which Cocoa would turn
 * into nil and then refuse as a title or value. */
NSString* ToNSString(const char* str);
} // namespace MacControls
} // namespace igraphics
} // namespace iplug

/** A native menu built from an IPopupMenu, submenus included; every choosable item sends
 * onMenuSelection: to the receiver. */
@interface IGraphicsMenu : NSMenu {
  iplug::igraphics::IPopupMenu* mIPopupMenu; // not owned
}
- (id)initWithIPopupMenuAndReceiver:(iplug::igraphics::IPopupMenu&)menu:(NSView*)receiver;
- (iplug::igraphics::IPopupMenu*)iPopupMenu;
@end

/** Receives the item the user chose in an IGraphicsMenu. */
@interface IGraphicsMenuRcvr : NSView {
  NSMenuItem* nsMenuItem; // retained
}
- (void)onMenuSelection:(id)sender;
- (NSMenuItem*)menuItem;
@end

/** The editor's one-line text field. */
@interface IGraphicsTextField : NSTextField
@end

/** A text field cell that centres its line vertically, while editing too. */
@interface IGraphicsTextFieldCell : NSTextFieldCell {
  bool mIsEditingOrSelecting;
}
@end

/** Refuses edits with characters outside a set, longer than a length or above a value. */
@interface IGraphicsFormatter : NSFormatter {
  NSCharacterSet* filterCharacterSet; // retained; nil accepts any character
  int maxLength;                      // 0: unlimited
  int maxValue;                       // 0: unlimited
}
- (void)setAcceptableCharacterSet:(NSCharacterSet*)characterSet;
- (void)setMaximumLength:(int)length;
- (void)setMaximumValue:(int)value;
@end
