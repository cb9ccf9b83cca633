// Native menus, the text field and the colour panel of the macOS editor.
#include "igraphics/platforms/IGraphicsMac.h"

#import "igraphics/platforms/IGraphicsMacControls.h"
#import "igraphics/platforms/IGraphicsView.h"

#include <dispatch/dispatch.h>

#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/CoreTextHelpers.h"
#include "iplug/IPlugParameter.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
NSColor* DeviceColor(const IColor& c)
{
  return [NSColor colorWithDeviceRed:c.R / 255. green:c.G / 255. blue:c.B / 255. alpha:c.A / 255.];
}

NSTextAlignment FieldAlignment(ETextAlign align)
{
  switch (align)
  {
  case kAlignNear: return NSTextAlignmentLeft;
  case kAlignFar: return NSTextAlignmentRight;
  default: return NSTextAlignmentCenter;
  }
}

/** The characters a value of the parameter's type can be typed with; nil lets any through. */
NSCharacterSet* ParamCharacters(const IParam& param)
{
  switch (param.Type())
  {
  case IParam::kTypeBool:
  case IParam::kTypeInt:
  case IParam::kTypeEnum: return [NSCharacterSet characterSetWithCharactersInString:@"0123456789-+"];
  case IParam::kTypeDouble: return [NSCharacterSet characterSetWithCharactersInString:@"0123456789.-+"];
  default: return nil;
  }
}

NSFont* FieldFont(const IText& text, float drawScale)
{
  if (const CoreTextFontDescriptor* pDesc = CoreTextHelpers::GetCTFontDescriptor(text, FontDescriptorCache()))
    return [NSFont fontWithDescriptor:(NSFontDescriptor*)pDesc->mDescriptor
                                 size:text.mSize * drawScale * pDesc->mEMRatio];
  // A font never cached for native fields: the system's, at the size the editor draws.
  return [NSFont systemFontOfSize:text.mSize * drawScale];
}

NSRect CocoaFrame(const IRECT& r)
{
  return NSMakeRect(r.L, r.T, r.W(), r.H());
}

// The shared colour panel outlives the views and does not retain its target, and AppKit offers no
// way to ask it which target it has: the view it was last given is kept here.
IGraphicsView* sColorPanelTarget = nil;
} // namespace

@implementation IGraphicsView (Menus)
- (IPopupMenu*)createPopupMenu:(IPopupMenu&)menu:(NSRect)bounds
{
  IGraphicsMenuRcvr* receiver = [[[IGraphicsMenuRcvr alloc] initWithFrame:bounds] autorelease];
  IGraphicsMenu* nsMenu = [[[IGraphicsMenu alloc] initWithIPopupMenuAndReceiver:menu:receiver] autorelease];

  const int chosen = menu.GetChosenItemIdx();
  NSMenuItem* positioningItem = nil;
  NSPoint location = NSMakePoint(bounds.origin.x, bounds.origin.y + bounds.size.height + 4);
  if (chosen >= 0 && chosen < [nsMenu numberOfItems])
  {
    positioningItem = [nsMenu itemAtIndex:chosen];
    location = bounds.origin;
  }
  [nsMenu popUpMenuPositioningItem:positioningItem atLocation:location inView:self];

  NSMenuItem* chosenItem = [receiver menuItem];
  NSMenu* chosenMenu = [chosenItem menu];
  if (![chosenMenu isKindOfClass:[IGraphicsMenu class]])
    return nullptr;
  IPopupMenu* pChosenMenu = [static_cast<IGraphicsMenu*>(chosenMenu) iPopupMenu];
  const NSInteger itemIdx = [chosenMenu indexOfItem:chosenItem];
  if (!pChosenMenu || itemIdx < 0)
    return nullptr;
  pChosenMenu->SetChosenItemIdx(static_cast<int>(itemIdx));
  return pChosenMenu;
}

- (void)createTextEntry:(int)paramIdx:(const IText&)text:(const char*)str:(int)length:(NSRect)areaRect
{
  if (mTextFieldView || !mGraphics)
    return;

  mTextFieldView = [[IGraphicsTextField alloc] initWithFrame:areaRect];
  if (text.mVAlign == kVAlignMiddle)
  {
    IGraphicsTextFieldCell* cell = [[IGraphicsTextFieldCell alloc] initTextCell:@"textfield"];
    [mTextFieldView setCell:cell];
    [cell release];
    [mTextFieldView setEditable:YES];
    [mTextFieldView setDrawsBackground:YES];
  }
  [mTextFieldView setFont:FieldFont(text, mGraphics->GetDrawScale())];
  [mTextFieldView setAlignment:FieldAlignment(text.mAlign)];

  IGEditorDelegate* pDelegate = mGraphics->GetDelegate();
  if (pDelegate && paramIdx >= 0 && paramIdx < pDelegate->NParams())
  {
    IGraphicsFormatter* formatter = [[IGraphicsFormatter alloc] init];
    [formatter setAcceptableCharacterSet:ParamCharacters(*pDelegate->GetParam(paramIdx))];
    [formatter setMaximumLength:length];
    [mTextFieldView setFormatter:formatter];
    [formatter release];
  }

  [[mTextFieldView cell] setLineBreakMode:NSLineBreakByTruncatingTail];
  [mTextFieldView setAllowsEditingTextAttributes:NO];
  [mTextFieldView setTextColor:DeviceColor(text.mTextEntryFGColor)];
  [mTextFieldView setBackgroundColor:DeviceColor(text.mTextEntryBGColor)];
  [mTextFieldView setStringValue:MacControls::ToNSString(str)];
  [mTextFieldView setBordered:NO];
  [mTextFieldView setFocusRingType:NSFocusRingTypeNone];
  [mTextFieldView setDelegate:self];
  [self addSubview:mTextFieldView];
  // The view holds the field from here on; mTextFieldView only points at it.
  [mTextFieldView release];

  NSWindow* window = [self window];
  [window makeKeyAndOrderFront:nil];
  [window makeFirstResponder:mTextFieldView];
}

- (BOOL)promptForColor:(IColor&)color:(IColorPickerHandlerFunc)func
{
  NSColorPanel* panel = [NSColorPanel sharedColorPanel];
  mColorPickerFunc = std::move(func);
  [panel setTarget:self];
  sColorPanelTarget = self;
  [panel setShowsAlpha:YES];
  [panel setAction:@selector(onColorPicked:)];
  [panel setColor:DeviceColor(color)];
  [panel orderFront:nil];
  return [NSColorPanel sharedColorPanelExists];
}

- (void)closeColorPanel
{
  if (![NSColorPanel sharedColorPanelExists])
    return;
  NSColorPanel* panel = [NSColorPanel sharedColorPanel];
  [panel close];
  // A later reopening must not send the action to a view that is gone.
  if (sColorPanelTarget == self)
  {
    [panel setTarget:nil];
    sColorPanelTarget = nil;
  }
}

- (void)onColorPicked:(NSColorPanel*)colorPanel
{
  // A colour picked from a grey, catalogue or other space has no RGB components of its own.
  NSColor* c = [[colorPanel color] colorUsingColorSpace:[NSColorSpace deviceRGBColorSpace]];
  if (!c || !mColorPickerFunc)
    return;
  const IColor picked(static_cast<int>([c alphaComponent] * 255.), static_cast<int>([c redComponent] * 255.),
                      static_cast<int>([c greenComponent] * 255.), static_cast<int>([c blueComponent] * 255.));
  // A copy: the completion may open another prompt, which replaces the stored one while it runs.
  const IColorPickerHandlerFunc func = mColorPickerFunc;
  func(picked);
}
@end

namespace iplug
{
namespace igraphics
{
IPopupMenu* IGraphicsMac::CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  // Without a view nothing would ever answer: the caller hears "dismissed" at once.
  isAsync = mCocoaView != nullptr;
  if (!mCocoaView)
    return nullptr;
  // The menu shows on a later turn of the main queue, when the editor, its view or the control that
  // asked may be gone: the block keeps the view alive and checks before it touches anything.
  IGraphicsView* view = [static_cast<IGraphicsView*>(mCocoaView) retain];
  IGraphicsMac* pGraphics = this;
  const ILifetime::Watch editorOpen = GetLifetime().GetWatch();
  IControl* pCaller = GetControlInPopupMenu();
  IPopupMenu* pMenu = &menu;
  const NSRect frame = CocoaFrame(ScaledRect(bounds));
  // The view may also have been let go for another one (a reopen) while the editor stayed open.
  auto stillAsked = ^bool {
    return editorOpen.Alive() && pGraphics->GetWindow() == view && pGraphics->GetControlInPopupMenu() == pCaller;
  };
  dispatch_async(dispatch_get_main_queue(), ^{
    if (stillAsked())
    {
      IPopupMenu* pChosen = [view createPopupMenu:*pMenu:frame];
      // The menu ran modally: the editor may have closed meanwhile.
      if (stillAsked())
      {
        if (pChosen && pChosen->GetFunction())
          pChosen->GetFunction()(pChosen);
        pGraphics->SetControlValueAfterPopupMenu(pChosen);
      }
    }
    [view release];
  });
  return nullptr;
}

void IGraphicsMac::CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                           const char* str)
{
  if (mCocoaView)
    [static_cast<IGraphicsView*>(mCocoaView) createTextEntry:paramIdx:text:str:length:CocoaFrame(ScaledRect(bounds))];
  else
    ClearInTextEntryControl(); // nothing to type into: the editor must not wait for a text that never comes
}

void IGraphicsMac::ForceEndUserEdit()
{
  if (mCocoaView)
    [static_cast<IGraphicsView*>(mCocoaView) endUserInput];
}

bool IGraphicsMac::PromptForColor(IColor& color, const char* /*str*/, IColorPickerHandlerFunc func)
{
  if (!mCocoaView)
    return false;
  return [static_cast<IGraphicsView*>(mCocoaView) promptForColor:color:std::move(func)];
}
} // namespace igraphics
} // namespace iplug
