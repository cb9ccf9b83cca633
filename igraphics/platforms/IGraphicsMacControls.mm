// The Cocoa classes behind the native menus and the text field.
#import "igraphics/platforms/IGraphicsMacControls.h"

#include <cstdio>

using namespace iplug::igraphics;

NSString* iplug::igraphics::MacControls::ToNSString(const char* str)
{
  NSString* s = str ? [NSString stringWithUTF8String:str] : nil;
  return s ? s : @"";
}

namespace
{
/** The item's title with the menu's numbering (1-based) before it. */
NSString* ItemTitle(const IPopupMenu& menu, int itemIdx)
{
  static const char* const kPrefixFormats[] = {"%1d: ", "%02d: ", "%03d: "};
  NSMutableString* title = [[MacControls::ToNSString(menu.GetItemText(itemIdx)) mutableCopy] autorelease];
  const int prefix = menu.GetPrefix();
  if (prefix >= 1 && prefix <= 3)
  {
    char number[16];
    std::snprintf(number, sizeof(number), kPrefixFormats[prefix - 1], itemIdx + 1);
    [title insertString:MacControls::ToNSString(number) atIndex:0];
  }
  return title;
}
} // namespace

@implementation IGraphicsMenu
- (id)initWithIPopupMenuAndReceiver:(IPopupMenu&)menu:(NSView*)receiver
{
  if (!(self = [super initWithTitle:@""]))
    return nil;
  [self setAutoenablesItems:NO];
  for (int i = 0; i < menu.NItems(); ++i)
  {
    const IPopupMenu::Item& item = *menu.GetItem(i);
    if (item.GetIsSeparator())
    {
      [self addItem:[NSMenuItem separatorItem]];
      continue;
    }
    NSMenuItem* nsItem = nil;
    if (IPopupMenu* pSubmenu = item.GetSubmenu())
    {
      nsItem = [self addItemWithTitle:ItemTitle(menu, i) action:nullptr keyEquivalent:@""];
      IGraphicsMenu* subMenu = [[IGraphicsMenu alloc] initWithIPopupMenuAndReceiver:*pSubmenu:receiver];
      [nsItem setSubmenu:subMenu];
      [subMenu release];
    }
    else
    {
      nsItem = [self addItemWithTitle:ItemTitle(menu, i) action:@selector(onMenuSelection:) keyEquivalent:@""];
      [nsItem setTarget:receiver];
    }
    [nsItem setIndentationLevel:item.GetIsTitle() ? 1 : 0];
    [nsItem setEnabled:item.GetEnabled()];
    [nsItem setState:item.GetChecked() ? NSControlStateValueOn : NSControlStateValueOff];
  }
  mIPopupMenu = &menu;
  return self;
}

- (IPopupMenu*)iPopupMenu
{
  return mIPopupMenu;
}
@end

@implementation IGraphicsMenuRcvr
- (void)dealloc
{
  [nsMenuItem release];
  [super dealloc];
}

- (void)onMenuSelection:(id)sender
{
  [sender retain];
  [nsMenuItem release];
  nsMenuItem = sender;
}

- (NSMenuItem*)menuItem
{
  return nsMenuItem;
}
@end

@implementation IGraphicsTextField
- (BOOL)becomeFirstResponder
{
  const BOOL success = [super becomeFirstResponder];
  NSText* editor = [self currentEditor];
  if (success && [editor respondsToSelector:@selector(setInsertionPointColor:)])
    [static_cast<NSTextView*>(editor) setInsertionPointColor:[self textColor]];
  return success;
}
@end

@implementation IGraphicsTextFieldCell
- (NSRect)drawingRectForBounds:(NSRect)bounds
{
  NSRect r = [super drawingRectForBounds:bounds];
  if (!mIsEditingOrSelecting)
  {
    const CGFloat spare = r.size.height - [self cellSize].height;
    if (spare > 0)
    {
      r.size.height -= spare;
      r.origin.y += spare / 2;
    }
  }
  return r;
}

- (void)selectWithFrame:(NSRect)frame
                 inView:(NSView*)view
                 editor:(NSText*)editor
               delegate:(id)delegate
                  start:(NSInteger)start
                 length:(NSInteger)length
{
  const NSRect centred = [self drawingRectForBounds:frame];
  mIsEditingOrSelecting = true;
  [super selectWithFrame:centred inView:view editor:editor delegate:delegate start:start length:length];
  mIsEditingOrSelecting = false;
}

- (void)editWithFrame:(NSRect)frame
               inView:(NSView*)view
               editor:(NSText*)editor
             delegate:(id)delegate
                event:(NSEvent*)event
{
  const NSRect centred = [self drawingRectForBounds:frame];
  mIsEditingOrSelecting = true;
  [super editWithFrame:centred inView:view editor:editor delegate:delegate event:event];
  mIsEditingOrSelecting = false;
}
@end

@implementation IGraphicsFormatter
- (void)dealloc
{
  [filterCharacterSet release];
  [super dealloc];
}

- (void)setAcceptableCharacterSet:(NSCharacterSet*)characterSet
{
  [characterSet retain];
  [filterCharacterSet release];
  filterCharacterSet = characterSet;
}

- (void)setMaximumLength:(int)length
{
  maxLength = length;
}

- (void)setMaximumValue:(int)value
{
  maxValue = value;
}

- (BOOL)isPartialStringValid:(NSString*)partialString
            newEditingString:(NSString**)newString
            errorDescription:(NSString**)error
{
  (void)newString;
  (void)error;
  if (filterCharacterSet &&
      [partialString rangeOfCharacterFromSet:[filterCharacterSet invertedSet]].location != NSNotFound)
    return NO;
  if (maxLength > 0 && static_cast<int>([partialString length]) > maxLength)
    return NO;
  if (maxValue && [partialString intValue] > maxValue)
    return NO;
  return YES;
}

- (NSString*)stringForObjectValue:(id)anObject
{
  return [anObject isKindOfClass:[NSString class]] ? anObject : nil;
}

- (BOOL)getObjectValue:(id*)anObject forString:(NSString*)string errorDescription:(NSString**)error
{
  (void)error;
  if (anObject)
    *anObject = string;
  return YES;
}
@end
