#pragma once

#import <AppKit/NSColor.h>
#import <AppKit/NSFont.h>
#import <AppKit/NSView.h>

@class NSEvent;
@class NSFormatter;
@class NSTextView;

typedef NS_ENUM(NSInteger, NSTextAlignment) {
  NSTextAlignmentLeft = 0,
  NSTextAlignmentRight = 1,
  NSTextAlignmentCenter = 2,
  NSTextAlignmentJustified = 3,
  NSTextAlignmentNatural = 4
};

typedef NS_ENUM(NSUInteger, NSLineBreakMode) {
  NSLineBreakByWordWrapping = 0,
  NSLineBreakByCharWrapping = 1,
  NSLineBreakByClipping = 2,
  NSLineBreakByTruncatingHead = 3,
  NSLineBreakByTruncatingTail = 4,
  NSLineBreakByTruncatingMiddle = 5
};

typedef NS_ENUM(NSUInteger, NSFocusRingType) {
  NSFocusRingTypeDefault = 0,
  NSFocusRingTypeNone = 1,
  NSFocusRingTypeExterior = 2
};

/** Why editing ended, under the key NSTextMovement of the end-editing notification's user info. */
enum
{
  NSOtherTextMovement = 0,
  NSReturnTextMovement = 0x10,
  NSTabTextMovement = 0x11,
  NSBacktabTextMovement = 0x12,
  NSCancelTextMovement = 0x17
};

extern NSString* const NSControlTextDidEndEditingNotification;
extern NSString* const NSTextDidEndEditingNotification;

/** Text being edited. A field editor serves one control at a time and tells its delegate (the
 * control) about commands and the end of editing. */
@interface NSText : NSView {
  NSMutableString* mString;
  NSRange mSelectedRange;
  id mDelegate; // not retained
  BOOL mFieldEditor;
}
- (NSString*)string;
- (void)setString:(NSString*)string;
- (NSRange)selectedRange;
- (void)setSelectedRange:(NSRange)range;
- (void)setDelegate:(id)delegate;
- (id)delegate;
- (void)setFieldEditor:(BOOL)fieldEditor;
- (BOOL)isFieldEditor;
@end

@interface NSTextView : NSText {
  NSColor* mInsertionPointColor;
}
- (void)setInsertionPointColor:(NSColor*)color;
- (NSColor*)insertionPointColor;
/** Typing: the text replaces the selection, unless the control's formatter refuses the result. */
- (void)insertText:(id)string;
/** A key's command (insertNewline:, cancelOperation: ...): the delegate may take it first. */
- (void)doCommandBySelector:(SEL)selector;
- (void)insertNewline:(id)sender;
- (void)insertTab:(id)sender;
- (void)cancelOperation:(id)sender;
@end

@protocol NSTextViewDelegate <NSObject>
@optional
- (BOOL)textView:(NSTextView*)textView doCommandBySelector:(SEL)selector;
- (void)textDidEndEditing:(NSNotification*)notification;
@end

/** What a cell shows and how: its value, font, alignment, formatter and line breaking. */
@interface NSCell : NSObject {
  id mObjectValue;
  NSFont* mFont;
  NSTextAlignment mAlignment;
  NSLineBreakMode mLineBreakMode;
  NSFormatter* mFormatter;
  BOOL mEditable;
  BOOL mAllowsEditingTextAttributes;
}
- (id)initTextCell:(NSString*)string;
- (id)objectValue;
- (void)setObjectValue:(id)value;
- (NSString*)stringValue;
- (void)setStringValue:(NSString*)string;
- (NSFont*)font;
- (void)setFont:(NSFont*)font;
- (NSTextAlignment)alignment;
- (void)setAlignment:(NSTextAlignment)alignment;
- (NSLineBreakMode)lineBreakMode;
- (void)setLineBreakMode:(NSLineBreakMode)mode;
- (NSFormatter*)formatter;
- (void)setFormatter:(NSFormatter*)formatter;
- (BOOL)isEditable;
- (void)setEditable:(BOOL)editable;
- (BOOL)allowsEditingTextAttributes;
- (void)setAllowsEditingTextAttributes:(BOOL)allows;
/** Where the content is drawn inside bounds. */
- (NSRect)drawingRectForBounds:(NSRect)bounds;
/** The size the content needs: its width, and one line of the font (the system font without one). */
- (NSSize)cellSize;
/** Puts the field editor over the content, in the drawing rectangle of frame. */
- (void)selectWithFrame:(NSRect)frame
                 inView:(NSView*)view
                 editor:(NSText*)editor
               delegate:(id)delegate
                  start:(NSInteger)start
                 length:(NSInteger)length;
- (void)editWithFrame:(NSRect)frame
               inView:(NSView*)view
               editor:(NSText*)editor
             delegate:(id)delegate
                event:(NSEvent*)event;
- (void)endEditing:(NSText*)editor;
@end

@interface NSTextFieldCell : NSCell {
  NSColor* mTextColor;
  NSColor* mBackgroundColor;
  BOOL mDrawsBackground;
}
- (NSColor*)textColor;
- (void)setTextColor:(NSColor*)color;
- (NSColor*)backgroundColor;
- (void)setBackgroundColor:(NSColor*)color;
- (BOOL)drawsBackground;
- (void)setDrawsBackground:(BOOL)draws;
@end

/** A view drawn and edited through its cell, to which the value settings go. */
@interface NSControl : NSView {
  NSCell* mCell;
  NSTextView* mEditor; // the field editor while editing
}
+ (Class)cellClass;
- (NSCell*)cell;
- (void)setCell:(NSCell*)cell;
- (id)objectValue;
- (NSString*)stringValue;
- (void)setStringValue:(NSString*)string;
- (NSFont*)font;
- (void)setFont:(NSFont*)font;
- (NSTextAlignment)alignment;
- (void)setAlignment:(NSTextAlignment)alignment;
- (NSFormatter*)formatter;
- (void)setFormatter:(NSFormatter*)formatter;
/** The field editor while the control is being edited, else nil. */
- (NSText*)currentEditor;
@end

@class NSTextField;

@protocol NSControlTextEditingDelegate <NSObject>
@optional
- (void)controlTextDidEndEditing:(NSNotification*)notification;
- (BOOL)control:(NSControl*)control textView:(NSTextView*)textView doCommandBySelector:(SEL)selector;
@end

@protocol NSTextFieldDelegate <NSControlTextEditingDelegate>
@end

/** A one-line text field. Becoming first responder starts editing in a field editor with the whole
 * text selected; Return, Tab or losing the focus ends it, commits the text through the formatter and
 * tells the delegate (controlTextDidEndEditing:). The field editor's commands (Escape is
 * cancelOperation:) go to the delegate's control:textView:doCommandBySelector:, which may take
 * them; the field editor itself does nothing with Escape. */
@interface NSTextField : NSControl {
  id<NSTextFieldDelegate> mDelegate; // not retained
  BOOL mBordered;
  NSFocusRingType mFocusRingType;
}
- (id<NSTextFieldDelegate>)delegate;
- (void)setDelegate:(id<NSTextFieldDelegate>)delegate;
- (BOOL)isEditable;
- (void)setEditable:(BOOL)editable;
- (NSColor*)textColor;
- (void)setTextColor:(NSColor*)color;
- (NSColor*)backgroundColor;
- (void)setBackgroundColor:(NSColor*)color;
- (BOOL)drawsBackground;
- (void)setDrawsBackground:(BOOL)draws;
- (BOOL)isBordered;
- (void)setBordered:(BOOL)bordered;
- (NSFocusRingType)focusRingType;
- (void)setFocusRingType:(NSFocusRingType)type;
- (BOOL)allowsEditingTextAttributes;
- (void)setAllowsEditingTextAttributes:(BOOL)allows;
- (void)selectText:(id)sender;
- (void)textDidEndEditing:(NSNotification*)notification;
@end
