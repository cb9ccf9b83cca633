// The native text field: how it is set up from the text style and the parameter, what the user may
// type into it, and how the entry ends.
#import "MacPromptFixture.h"

#import <StandIns/AppKitText.h>

#import "igraphics/platforms/IGraphicsMacControls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "igraphics/platforms/CoreTextHelpers.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

class MacTextEntryTest : public ::testing::Test
{
protected:
  /** Opens an entry for the control's first value as the editor's prompt does. */
  IGraphicsTextField* Open(IControl& control, const IText& text = IText(), const char* str = "0.50")
  {
    editor.graphics->CreateTextEntry(control, text, control.GetRECT(), str, 0);
    return editor.View()->mTextFieldView;
  }

  bool FieldIsShown(NSTextField* field) const { return [[editor.View() subviews] containsObject:field]; }

  MacEditor editor;
};

TEST_F(MacTextEntryTest, SetsTheFieldUpFromTheTextStyle)
{
  @autoreleasepool
  {
    auto* control = editor.Attach(new TestControl(editor.log, "gain", IRECT(10, 20, 70, 40), kParamGain));
    IText text(14.f);
    text.mTextEntryFGColor = IColor(255, 51, 102, 153);
    text.mTextEntryBGColor = IColor(128, 255, 0, 0);
    IGraphicsTextField* field = Open(*control, text, "0.50");
    ASSERT_NE(field, nil);

    EXPECT_TRUE(FieldIsShown(field));
    EXPECT_TRUE(NSEqualRects([field frame], NSMakeRect(10, 20, 60, 20)));
    EXPECT_TRUE(SameString([field stringValue], @"0.50"));
    EXPECT_EQ([field delegate], editor.View());
    EXPECT_FALSE([field isBordered]);
    EXPECT_EQ([field focusRingType], NSFocusRingTypeNone);
    EXPECT_EQ([[field cell] lineBreakMode], NSLineBreakByTruncatingTail);
    EXPECT_FALSE([field allowsEditingTextAttributes]);
    EXPECT_DOUBLE_EQ([[field textColor] redComponent], 51 / 255.);
    EXPECT_DOUBLE_EQ([[field textColor] blueComponent], 153 / 255.);
    EXPECT_DOUBLE_EQ([[field backgroundColor] redComponent], 1.0);
    EXPECT_DOUBLE_EQ([[field backgroundColor] alphaComponent], 128 / 255.);
    EXPECT_TRUE([editor.window isKeyWindow]);
    EXPECT_EQ([editor.window firstResponder], field);
    NSTextView* fieldEditor = static_cast<NSTextView*>([field currentEditor]);
    ASSERT_NE(fieldEditor, nil);
    EXPECT_EQ([fieldEditor insertionPointColor], [field textColor]);
    EXPECT_EQ(editor.graphics->GetControlInTextEntry(), control);
  }
}

TEST_F(MacTextEntryTest, AlignsAndCentresByTheTextStyle)
{
  struct Case
  {
    ETextAlign align;
    ETextVAlign valign;
    NSTextAlignment expected;
    bool centringCell;
  };
  const Case cases[] = {
    {kAlignNear, kVAlignMiddle, NSTextAlignmentLeft, true},
    {kAlignCenter, kVAlignTop, NSTextAlignmentCenter, false},
    {kAlignFar, kVAlignBottom, NSTextAlignmentRight, false},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.align);
    @autoreleasepool
    {
      auto* control = editor.Attach(new TestControl(editor.log, "c", IRECT(0, 0, 50, 20)));
      IText text;
      text.mAlign = c.align;
      text.mVAlign = c.valign;
      IGraphicsTextField* field = Open(*control, text);
      ASSERT_NE(field, nil);
      EXPECT_EQ([field alignment], c.expected);
      EXPECT_EQ([[field cell] isKindOfClass:[IGraphicsTextFieldCell class]], c.centringCell);
      EXPECT_TRUE([field isEditable]);
      editor.graphics->ForceEndUserEdit();
      EXPECT_EQ(editor.View()->mTextFieldView, nil);
    }
  }
}

TEST_F(MacTextEntryTest, TypingIsFilteredByTheParameterType)
{
  struct Case
  {
    int paramIdx;
    int length;
    NSString* typed;
    NSString* shown;
  };
  const Case cases[] = {
    {kParamVoices, 7, @"12a", @"12"},        {kParamVoices, 7, @"1.5", @"15"},
    {kParamVoices, 7, @"-3+", @"-3+"},       {kParamMode, 7, @"2x", @"2"},
    {kParamLatch, 7, @"1.", @"1"},           {kParamGain, 7, @"0.25", @"0.25"},
    {kParamGain, 7, @"1e3", @"13"},          {kParamGain, 4, @"0.125", @"0.12"},
    {kNoParameter, 4, @"abc de", @"abc de"}, // no parameter: no filter, no length limit
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE([c.typed UTF8String]);
    @autoreleasepool
    {
      auto* control = editor.Attach(new TestControl(editor.log, "c", IRECT(0, 0, 50, 20), c.paramIdx));
      control->SetTextEntryLength(c.length);
      IGraphicsTextField* field = Open(*control);
      ASSERT_NE(field, nil);
      EXPECT_EQ([field formatter] != nil, c.paramIdx != kNoParameter);
      StandInTypeText(field, c.typed); // replaces the selected initial text
      EXPECT_TRUE(SameString([field stringValue], c.shown));
      editor.graphics->ForceEndUserEdit();
    }
  }
}

TEST_F(MacTextEntryTest, FormatterRefusesWhatItsLimitsExclude)
{
  struct Case
  {
    NSString* characters; // nil: any
    int maxLength;
    int maxValue;
    NSString* partial;
    bool accepted;
  };
  const Case cases[] = {
    {@"0123456789", 0, 0, @"123456789", true},
    {@"0123456789", 0, 0, @"12a", false},
    {nil, 4, 0, @"abcd", true},
    {nil, 4, 0, @"abcde", false},
    {nil, 0, 100, @"100", true},
    {nil, 0, 100, @"101", false},
    {nil, 0, 0, @"", true},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE([c.partial UTF8String]);
    @autoreleasepool
    {
      IGraphicsFormatter* formatter = [[[IGraphicsFormatter alloc] init] autorelease];
      if (c.characters)
        [formatter setAcceptableCharacterSet:[NSCharacterSet characterSetWithCharactersInString:c.characters]];
      [formatter setMaximumLength:c.maxLength];
      [formatter setMaximumValue:c.maxValue];
      NSString* replacement = nil;
      NSString* error = nil;
      EXPECT_EQ([formatter isPartialStringValid:c.partial newEditingString:&replacement errorDescription:&error],
                c.accepted);
      EXPECT_TRUE(SameString([formatter stringForObjectValue:c.partial], c.partial));
      EXPECT_EQ([formatter stringForObjectValue:[NSNumber numberWithInt:3]], nil);
    }
  }
}

TEST_F(MacTextEntryTest, ReturnCommitsTheTypedValue)
{
  @autoreleasepool
  {
    auto* control = editor.Attach(new TestControl(editor.log, "gain", IRECT(0, 0, 50, 20), kParamGain));
    auto* other = editor.Attach(new TestControl(editor.log, "other", IRECT(60, 0, 90, 20)));
    IGraphicsTextField* field = Open(*control);
    ASSERT_NE(field, nil);
    StandInTypeText(field, @"0.25");
    editor.graphics->SetAllControlsClean();
    editor.log.Clear();
    StandInPressReturn(field);

    EXPECT_FLOAT_EQ(static_cast<float>(control->GetValue()), 0.25f);
    EXPECT_NE(std::find(editor.log.events.begin(), editor.log.events.end(), "send 1 0.250000"),
              editor.log.events.end());
    EXPECT_TRUE(other->IsDirty());
    EXPECT_EQ(editor.View()->mTextFieldView, nil);
    EXPECT_EQ(editor.graphics->GetControlInTextEntry(), nullptr);
    EXPECT_EQ([editor.window firstResponder], editor.View());
    EXPECT_EQ([[editor.View() subviews] count], 0u);
  }
}

TEST_F(MacTextEntryTest, TextWithoutParameterGoesToTheControl)
{
  @autoreleasepool
  {
    auto* control = editor.Attach(new TestControl(editor.log, "name", IRECT(0, 0, 50, 20)));
    IGraphicsTextField* field = Open(*control, IText(), "old");
    ASSERT_NE(field, nil);
    StandInTypeText(field, @"new");
    editor.log.Clear();
    StandInPressReturn(field);
    EXPECT_EQ(editor.log.events, std::vector<std::string>{"name text new 0"});
  }
}

TEST_F(MacTextEntryTest, EscapeLeavesTheValueAndEndsTheEntry)
{
  @autoreleasepool
  {
    auto* control = editor.Attach(new TestControl(editor.log, "gain", IRECT(0, 0, 50, 20), kParamGain));
    control->SetValue(0.5);
    IGraphicsTextField* field = Open(*control);
    ASSERT_NE(field, nil);
    StandInTypeText(field, @"0.9");
    editor.graphics->SetAllControlsClean();
    editor.log.Clear();
    StandInPressEscape(field);

    EXPECT_TRUE(editor.log.events.empty());
    EXPECT_DOUBLE_EQ(control->GetValue(), 0.5);
    EXPECT_TRUE(control->IsDirty()) << "the editor is redrawn where the field was";
    EXPECT_EQ(editor.View()->mTextFieldView, nil);
    EXPECT_EQ(editor.graphics->GetControlInTextEntry(), nullptr);
    EXPECT_EQ([[editor.View() subviews] count], 0u);
  }
}

TEST_F(MacTextEntryTest, InitialTextThatIsNotUTF8ShowsEmpty)
{
  @autoreleasepool
  {
    auto* control = editor.Attach(new TestControl(editor.log, "name", IRECT(0, 0, 50, 20)));
    IGraphicsTextField* field = Open(*control, IText(), "caf\xe9");
    ASSERT_NE(field, nil);
    EXPECT_TRUE(SameString([field stringValue], @""));
  }
}

TEST_F(MacTextEntryTest, OneFieldAtATime)
{
  @autoreleasepool
  {
    auto* first = editor.Attach(new TestControl(editor.log, "a", IRECT(0, 0, 50, 20), kParamGain));
    auto* second = editor.Attach(new TestControl(editor.log, "b", IRECT(60, 0, 90, 20), kParamVoices));
    IGraphicsTextField* field = Open(*first, IText(), "0.50");
    Open(*second, IText(), "4");
    EXPECT_EQ(editor.View()->mTextFieldView, field);
    EXPECT_EQ([[editor.View() subviews] count], 1u);
    EXPECT_TRUE(SameString([field stringValue], @"0.50"));
  }
}

TEST_F(MacTextEntryTest, ForcedEndDropsTheEntryWithoutAValue)
{
  @autoreleasepool
  {
    auto* control = editor.Attach(new TestControl(editor.log, "gain", IRECT(0, 0, 50, 20), kParamGain));
    IGraphicsTextField* field = Open(*control);
    StandInTypeText(field, @"0.9");
    editor.log.Clear();
    editor.graphics->ForceEndUserEdit();
    EXPECT_TRUE(editor.log.events.empty());
    EXPECT_EQ(editor.View()->mTextFieldView, nil);
    EXPECT_EQ(editor.graphics->GetControlInTextEntry(), nullptr);
    editor.graphics->ForceEndUserEdit(); // nothing open: nothing happens
  }
}

TEST_F(MacTextEntryTest, WithoutAViewNothingOpens)
{
  @autoreleasepool
  {
    MacEditor closed(1.f, false);
    auto* control = closed.Attach(new TestControl(closed.log, "gain", IRECT(0, 0, 50, 20), kParamGain));
    closed.graphics->CreateTextEntry(*control, IText(), control->GetRECT(), "0.5", 0);
    EXPECT_EQ(closed.graphics->GetControlInTextEntry(), nullptr) << "no entry is left waiting";
    closed.graphics->ForceEndUserEdit();
  }
}

TEST_F(MacTextEntryTest, FontSizeFollowsDrawScaleAndEmRatio)
{
  @autoreleasepool
  {
    MacEditor scaled(2.f);
    CFStringRef family = CFStringCreateWithCString(nullptr, "Roboto", kCFStringEncodingUTF8);
    const void* keys[] = {kCTFontFamilyNameAttribute};
    const void* values[] = {family};
    CFDictionaryRef attributes = CFDictionaryCreate(nullptr, keys, values, 1, &kCFTypeDictionaryKeyCallBacks,
                                                    &kCFTypeDictionaryValueCallBacks);
    CTFontDescriptorRef descriptor = CTFontDescriptorCreateWithAttributes(attributes);
    CFRelease(attributes);
    CFRelease(family);
    {
      StaticStorage<CoreTextFontDescriptor>::Accessor cache(FontDescriptorCache());
      // The entry takes its own retain of the descriptor.
      cache.Add(new CoreTextFontDescriptor(descriptor, 1.25), "FieldFont");
    }

    struct Case
    {
      const char* font;
      float size;
      CGFloat expected;
      bool cachedDescriptor;
    };
    const Case cases[] = {
      {"FieldFont", 12.f, 12 * 2 * 1.25, true},
      {"NeverLoaded", 12.f, 12 * 2, false}, // the system font at the drawn size
    };
    for (const Case& c : cases)
    {
      SCOPED_TRACE(c.font);
      auto* control = scaled.Attach(new TestControl(scaled.log, "c", IRECT(0, 0, 50, 20)));
      IText text(c.size, DEFAULT_TEXT_FGCOLOR, c.font);
      scaled.graphics->CreateTextEntry(*control, text, control->GetRECT(), "x", 0);
      IGraphicsTextField* field = scaled.View()->mTextFieldView;
      ASSERT_NE(field, nil);
      EXPECT_TRUE(NSEqualRects([field frame], NSMakeRect(0, 0, 100, 40)));
      EXPECT_DOUBLE_EQ([[field font] pointSize], c.expected);
      EXPECT_EQ([[field font] fontDescriptor] == (NSFontDescriptor*)descriptor, c.cachedDescriptor);
      scaled.graphics->ForceEndUserEdit();
    }
    CFRelease(descriptor);
  }
}

TEST_F(MacTextEntryTest, CellCentresItsLineWhileDrawingAndEditing)
{
  struct Case
  {
    CGFloat fontSize;
    NSRect bounds;
    NSRect expected;
  };
  // One line of a 10 pt font is 13 points high here.
  const Case cases[] = {
    {10, NSMakeRect(0, 0, 100, 40), NSMakeRect(0, 13.5, 100, 13)},
    {10, NSMakeRect(5, 10, 50, 13), NSMakeRect(5, 10, 50, 13)},
    {10, NSMakeRect(0, 0, 50, 8), NSMakeRect(0, 0, 50, 8)}, // too low to centre: left as it is
  };
  for (const Case& c : cases)
  {
    @autoreleasepool
    {
      IGraphicsTextFieldCell* cell = [[[IGraphicsTextFieldCell alloc] initTextCell:@"textfield"] autorelease];
      [cell setFont:[NSFont systemFontOfSize:c.fontSize]];
      EXPECT_TRUE(NSEqualRects([cell drawingRectForBounds:c.bounds], c.expected));

      NSView* host = [[[NSView alloc] initWithFrame:c.bounds] autorelease];
      NSTextView* fieldEditor = [[[NSTextView alloc] initWithFrame:NSZeroRect] autorelease];
      [cell selectWithFrame:c.bounds inView:host editor:fieldEditor delegate:nil start:0 length:0];
      EXPECT_TRUE(NSEqualRects([fieldEditor frame], c.expected)) << "the editor sits on the centred line";
      [cell editWithFrame:c.bounds inView:host editor:fieldEditor delegate:nil event:nil];
      EXPECT_TRUE(NSEqualRects([fieldEditor frame], c.expected));
    }
  }
}

} // namespace
