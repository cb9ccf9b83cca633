#import <AppKit/AppKit.h>

#import <StandIns/AppKitText.h>

#include <cmath>

NSString* const NSControlTextDidEndEditingNotification = @"NSControlTextDidEndEditingNotification";
NSString* const NSTextDidEndEditingNotification = @"NSTextDidEndEditingNotification";

// As the delegate of its field editor, the field hands the editor's commands to its own delegate.
@interface NSTextField () <NSTextViewDelegate>
- (void)standInEndEditing:(NSInteger)movement;
@end

@implementation NSText
- (id)initWithFrame:(NSRect)frame
{
  if ((self = [super initWithFrame:frame]))
    mString = [[NSMutableString alloc] init];
  return self;
}
- (void)dealloc
{
  [mString release];
  [super dealloc];
}
- (NSString*)string
{
  return [NSString stringWithString:mString];
}
- (void)setString:(NSString*)string
{
  [mString setString:string ? string : @""];
  mSelectedRange = NSMakeRange([mString length], 0);
}
- (NSRange)selectedRange
{
  return mSelectedRange;
}
- (void)setSelectedRange:(NSRange)range
{
  const NSUInteger length = [mString length];
  const NSUInteger start = MIN(range.location, length);
  mSelectedRange = NSMakeRange(start, MIN(range.length, length - start));
}
- (void)setDelegate:(id)delegate
{
  mDelegate = delegate;
}
- (id)delegate
{
  return mDelegate;
}
- (void)setFieldEditor:(BOOL)fieldEditor
{
  mFieldEditor = fieldEditor;
}
- (BOOL)isFieldEditor
{
  return mFieldEditor;
}
@end

@implementation NSTextView
- (void)dealloc
{
  [mInsertionPointColor release];
  [super dealloc];
}
- (void)setInsertionPointColor:(NSColor*)color
{
  [color retain];
  [mInsertionPointColor release];
  mInsertionPointColor = color;
}
- (NSColor*)insertionPointColor
{
  return mInsertionPointColor;
}
- (void)insertText:(id)string
{
  NSMutableString* proposed = [[mString mutableCopy] autorelease];
  [proposed replaceCharactersInRange:mSelectedRange withString:string];
  NSString* accepted = proposed;
  NSFormatter* formatter = [mDelegate respondsToSelector:@selector(formatter)] ? [mDelegate formatter] : nil;
  if (formatter)
  {
    NSString* replacement = nil;
    NSString* error = nil;
    if (![formatter isPartialStringValid:proposed newEditingString:&replacement errorDescription:&error])
    {
      // Refused: the text stays, and a replacement the formatter offers takes its place.
      if (!replacement)
        return;
      accepted = replacement;
    }
  }
  const NSUInteger caret = mSelectedRange.location + [string length];
  [mString setString:accepted];
  mSelectedRange = NSMakeRange(MIN(caret, [mString length]), 0);
}
- (void)doCommandBySelector:(SEL)selector
{
  if ([mDelegate respondsToSelector:@selector(textView:doCommandBySelector:)] && [mDelegate textView:self
                                                                                   doCommandBySelector:selector])
    return;
  if ([self respondsToSelector:selector])
    [self performSelector:selector withObject:nil];
}
- (void)endEditingWithMovement:(NSInteger)movement
{
  if (!mFieldEditor || ![mDelegate respondsToSelector:@selector(textDidEndEditing:)])
    return;
  NSDictionary* info = [NSDictionary dictionaryWithObject:[NSNumber numberWithInteger:movement]
                                                   forKey:@"NSTextMovement"];
  [mDelegate textDidEndEditing:[NSNotification notificationWithName:NSTextDidEndEditingNotification
                                                             object:self
                                                           userInfo:info]];
}
- (void)insertNewline:(id)sender
{
  (void)sender;
  [self endEditingWithMovement:NSReturnTextMovement];
}
- (void)insertTab:(id)sender
{
  (void)sender;
  [self endEditingWithMovement:NSTabTextMovement];
}
- (void)cancelOperation:(id)sender
{
  // A field editor offers completions here; a number field has none, so nothing changes.
  (void)sender;
}
@end

@implementation NSCell
- (id)init
{
  return [self initTextCell:@""];
}
- (id)initTextCell:(NSString*)string
{
  if ((self = [super init]))
  {
    mObjectValue = [string ? string : @"" copy];
    mAlignment = NSTextAlignmentNatural;
    mLineBreakMode = NSLineBreakByWordWrapping;
  }
  return self;
}
- (void)dealloc
{
  [mObjectValue release];
  [mFont release];
  [mFormatter release];
  [super dealloc];
}
- (id)objectValue
{
  return mObjectValue;
}
- (void)setObjectValue:(id)value
{
  [value retain];
  [mObjectValue release];
  mObjectValue = value;
}
- (NSString*)stringValue
{
  if (mFormatter)
  {
    NSString* s = [mFormatter stringForObjectValue:mObjectValue];
    return s ? s : @"";
  }
  return [mObjectValue isKindOfClass:[NSString class]] ? mObjectValue : [mObjectValue description];
}
- (void)setStringValue:(NSString*)string
{
  if (!string)
    [NSException raise:NSInvalidArgumentException format:@"NSCell setStringValue: nil"];
  id value = string;
  if (mFormatter && ![mFormatter getObjectValue:&value forString:string errorDescription:nullptr])
    value = nil;
  [self setObjectValue:value];
}
- (NSFont*)font
{
  return mFont;
}
- (void)setFont:(NSFont*)font
{
  [font retain];
  [mFont release];
  mFont = font;
}
- (NSTextAlignment)alignment
{
  return mAlignment;
}
- (void)setAlignment:(NSTextAlignment)alignment
{
  mAlignment = alignment;
}
- (NSLineBreakMode)lineBreakMode
{
  return mLineBreakMode;
}
- (void)setLineBreakMode:(NSLineBreakMode)mode
{
  mLineBreakMode = mode;
}
- (NSFormatter*)formatter
{
  return mFormatter;
}
- (void)setFormatter:(NSFormatter*)formatter
{
  [formatter retain];
  [mFormatter release];
  mFormatter = formatter;
}
- (BOOL)isEditable
{
  return mEditable;
}
- (void)setEditable:(BOOL)editable
{
  mEditable = editable;
}
- (BOOL)allowsEditingTextAttributes
{
  return mAllowsEditingTextAttributes;
}
- (void)setAllowsEditingTextAttributes:(BOOL)allows
{
  mAllowsEditingTextAttributes = allows;
}
- (NSRect)drawingRectForBounds:(NSRect)bounds
{
  return bounds;
}
- (NSSize)cellSize
{
  const CGFloat size = mFont ? [mFont pointSize] : [NSFont systemFontSize];
  // One line of the font (ascent, descent and leading), and an average advance per character.
  return NSMakeSize(std::ceil(0.55 * size * [[self stringValue] length]), std::ceil(1.25 * size));
}
- (void)selectWithFrame:(NSRect)frame
                 inView:(NSView*)view
                 editor:(NSText*)editor
               delegate:(id)delegate
                  start:(NSInteger)start
                 length:(NSInteger)length
{
  [editor setFrame:[self drawingRectForBounds:frame]];
  [editor setString:[self stringValue]];
  [editor setDelegate:delegate];
  [editor setSelectedRange:NSMakeRange(static_cast<NSUInteger>(start), static_cast<NSUInteger>(length))];
  [view addSubview:editor];
}
- (void)editWithFrame:(NSRect)frame
               inView:(NSView*)view
               editor:(NSText*)editor
             delegate:(id)delegate
                event:(NSEvent*)event
{
  (void)event;
  [self selectWithFrame:frame inView:view editor:editor delegate:delegate start:0 length:0];
  [editor setSelectedRange:NSMakeRange([[editor string] length], 0)];
}
- (void)endEditing:(NSText*)editor
{
  [editor setDelegate:nil];
  [editor removeFromSuperview];
}
@end

@implementation NSTextFieldCell
- (void)dealloc
{
  [mTextColor release];
  [mBackgroundColor release];
  [super dealloc];
}
- (NSColor*)textColor
{
  return mTextColor;
}
- (void)setTextColor:(NSColor*)color
{
  [color retain];
  [mTextColor release];
  mTextColor = color;
}
- (NSColor*)backgroundColor
{
  return mBackgroundColor;
}
- (void)setBackgroundColor:(NSColor*)color
{
  [color retain];
  [mBackgroundColor release];
  mBackgroundColor = color;
}
- (BOOL)drawsBackground
{
  return mDrawsBackground;
}
- (void)setDrawsBackground:(BOOL)draws
{
  mDrawsBackground = draws;
}
@end

@implementation NSControl
+ (Class)cellClass
{
  return [NSCell class];
}
- (id)initWithFrame:(NSRect)frame
{
  if ((self = [super initWithFrame:frame]))
    mCell = [[[[self class] cellClass] alloc] initTextCell:@""];
  return self;
}
- (void)dealloc
{
  [mEditor release];
  [mCell release];
  [super dealloc];
}
- (NSCell*)cell
{
  return mCell;
}
- (void)setCell:(NSCell*)cell
{
  [cell retain];
  [mCell release];
  mCell = cell;
}
- (id)objectValue
{
  return [mCell objectValue];
}
- (NSString*)stringValue
{
  return mEditor ? [mEditor string] : [mCell stringValue];
}
- (void)setStringValue:(NSString*)string
{
  [mCell setStringValue:string];
  if (mEditor)
    [mEditor setString:[mCell stringValue]];
}
- (NSFont*)font
{
  return [mCell font];
}
- (void)setFont:(NSFont*)font
{
  [mCell setFont:font];
}
- (NSTextAlignment)alignment
{
  return [mCell alignment];
}
- (void)setAlignment:(NSTextAlignment)alignment
{
  [mCell setAlignment:alignment];
}
- (NSFormatter*)formatter
{
  return [mCell formatter];
}
- (void)setFormatter:(NSFormatter*)formatter
{
  [mCell setFormatter:formatter];
}
- (NSText*)currentEditor
{
  return mEditor;
}
// A view that leaves its window while first responder hands the focus back to the window, so the
// window never points at a view it no longer shows.
- (void)standInSetWindow:(NSWindow*)window
{
  NSWindow* old = [self window];
  if (old && old != window && [old firstResponder] == self)
    [old makeFirstResponder:nil];
  [super standInSetWindow:window];
}
@end

@implementation NSTextField
+ (Class)cellClass
{
  return [NSTextFieldCell class];
}
- (id)initWithFrame:(NSRect)frame
{
  if ((self = [super initWithFrame:frame]))
  {
    [self setEditable:YES];
    mBordered = YES;
  }
  return self;
}
- (NSTextFieldCell*)textCell
{
  return [mCell isKindOfClass:[NSTextFieldCell class]] ? static_cast<NSTextFieldCell*>(mCell) : nil;
}
- (id<NSTextFieldDelegate>)delegate
{
  return mDelegate;
}
- (void)setDelegate:(id<NSTextFieldDelegate>)delegate
{
  mDelegate = delegate;
}
- (BOOL)isEditable
{
  return [mCell isEditable];
}
- (void)setEditable:(BOOL)editable
{
  [mCell setEditable:editable];
}
- (NSColor*)textColor
{
  return [[self textCell] textColor];
}
- (void)setTextColor:(NSColor*)color
{
  [[self textCell] setTextColor:color];
}
- (NSColor*)backgroundColor
{
  return [[self textCell] backgroundColor];
}
- (void)setBackgroundColor:(NSColor*)color
{
  [[self textCell] setBackgroundColor:color];
}
- (BOOL)drawsBackground
{
  return [[self textCell] drawsBackground];
}
- (void)setDrawsBackground:(BOOL)draws
{
  [[self textCell] setDrawsBackground:draws];
}
- (BOOL)isBordered
{
  return mBordered;
}
- (void)setBordered:(BOOL)bordered
{
  mBordered = bordered;
}
- (NSFocusRingType)focusRingType
{
  return mFocusRingType;
}
- (void)setFocusRingType:(NSFocusRingType)type
{
  mFocusRingType = type;
}
- (BOOL)allowsEditingTextAttributes
{
  return [mCell allowsEditingTextAttributes];
}
- (void)setAllowsEditingTextAttributes:(BOOL)allows
{
  [mCell setAllowsEditingTextAttributes:allows];
}
- (BOOL)acceptsFirstResponder
{
  return [self isEditable];
}
- (void)selectText:(id)sender
{
  (void)sender;
  if (mEditor)
  {
    [mEditor setSelectedRange:NSMakeRange(0, [[mEditor string] length])];
    return;
  }
  mEditor = [[NSTextView alloc] initWithFrame:NSZeroRect];
  [mEditor setFieldEditor:YES];
  [mCell selectWithFrame:[self bounds]
                  inView:self
                  editor:mEditor
                delegate:self
                   start:0
                  length:static_cast<NSInteger>([[mCell stringValue] length])];
}
- (BOOL)becomeFirstResponder
{
  if (![self acceptsFirstResponder])
    return NO;
  [self selectText:self];
  return YES;
}
- (BOOL)resignFirstResponder
{
  [self standInEndEditing:NSOtherTextMovement];
  return YES;
}
- (BOOL)textView:(NSTextView*)textView doCommandBySelector:(SEL)selector
{
  return [mDelegate respondsToSelector:@selector(control:textView:doCommandBySelector:)] &&
         [mDelegate control:self textView:textView doCommandBySelector:selector];
}
- (void)textDidEndEditing:(NSNotification*)notification
{
  [self standInEndEditing:[[[notification userInfo] objectForKey:@"NSTextMovement"] integerValue]];
}
// The editor's text becomes the value, the editor goes, and the delegate hears why.
- (void)standInEndEditing:(NSInteger)movement
{
  if (!mEditor)
    return;
  [[self retain] autorelease];
  NSTextView* editor = mEditor;
  mEditor = nil;
  [mCell setStringValue:[editor string]];
  [mCell endEditing:editor];
  NSDictionary* info = [NSDictionary dictionaryWithObjectsAndKeys:[NSNumber numberWithInteger:movement],
                                                                  @"NSTextMovement", editor, @"NSFieldEditor", nil];
  [editor release];
  NSNotification* notification = [NSNotification notificationWithName:NSControlTextDidEndEditingNotification
                                                               object:self
                                                             userInfo:info];
  if ([mDelegate respondsToSelector:@selector(controlTextDidEndEditing:)])
    [mDelegate controlTextDidEndEditing:notification];
}
@end

int StandInTypeText(NSTextField* field, NSString* text)
{
  NSTextView* editor = static_cast<NSTextView*>([field currentEditor]);
  if (!editor)
    return 0;
  int taken = 0;
  for (NSUInteger i = 0; i < [text length]; ++i)
  {
    NSString* before = [editor string];
    [editor insertText:[text substringWithRange:NSMakeRange(i, 1)]];
    if (![[editor string] isEqualToString:before])
      ++taken;
  }
  return taken;
}

void StandInPressReturn(NSTextField* field)
{
  [static_cast<NSTextView*>([field currentEditor]) doCommandBySelector:@selector(insertNewline:)];
}

void StandInPressEscape(NSTextField* field)
{
  [static_cast<NSTextView*>([field currentEditor]) doCommandBySelector:@selector(cancelOperation:)];
}
