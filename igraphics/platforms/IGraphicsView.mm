// The editor's Cocoa view: set-up, the redraw timer, drawing, and Cocoa events into the editor.
#import "igraphics/platforms/IGraphicsView.h"

#include "igraphics/IControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/MacKeyCodes.h"

#import "igraphics/platforms/IGraphicsMacControls.h"

#include <objc/runtime.h>

#include <vector>

using namespace iplug::igraphics;

namespace
{

// Where the system keeps the cursors it does not offer through NSCursor.
NSString* const kSystemCursorsFolder = @"/System/Library/Frameworks/ApplicationServices.framework/Versions/A/"
                                       @"Frameworks/HIServices.framework/Versions/A/Resources/cursors/";

constexpr NSTrackingAreaOptions kTrackingOptions = NSTrackingMouseEnteredAndExited | NSTrackingActiveAlways |
                                                   NSTrackingEnabledDuringMouseDrag;

/** One of AppKit's private cursors, or nil on a system without it. */
NSCursor* PrivateCursor(NSString* name)
{
  const SEL selector = NSSelectorFromString(name);
  if (![NSCursor respondsToSelector:selector])
    return nil;
  using Getter = id (*)(id, SEL);
  return reinterpret_cast<Getter>([NSCursor methodForSelector:selector])([NSCursor class], selector);
}

/** AppKit's help-cursor state shows the help cursor over whatever is set next: it is switched off
 * before another cursor is set. */
void HideHelpCursor()
{
  const SEL shown = NSSelectorFromString(@"helpCursorShown");
  const SEL setHelp = NSSelectorFromString(@"_setHelpCursor:");
  if (![NSCursor respondsToSelector:shown] || ![NSCursor respondsToSelector:setHelp])
    return;
  using ShownFunc = BOOL (*)(id, SEL);
  using SetFunc = void (*)(id, SEL, BOOL);
  if (reinterpret_cast<ShownFunc>([NSCursor methodForSelector:shown])([NSCursor class], shown))
    reinterpret_cast<SetFunc>([NSCursor methodForSelector:setHelp])([NSCursor class], setHelp, NO);
}

/** The system's "move" cursor from its PDF and hot spot, or nil when the system has no such files
 * (then the arrow stands in). The caller owns the result. */
NSCursor* NewMoveCursor()
{
  NSString* name = @"move";
  NSString* pdfPath = [NSString stringWithFormat:@"%@%@/cursor.pdf", kSystemCursorsFolder, name];
  NSString* infoPath = [NSString stringWithFormat:@"%@%@/info.plist", kSystemCursorsFolder, name];
  if (![[NSFileManager defaultManager] fileExistsAtPath:infoPath])
    return nil;
  NSURL* infoURL = [NSURL URLWithString:[NSString stringWithFormat:@"file:%@", infoPath]];
  NSDictionary* info = infoURL ? [NSDictionary dictionaryWithContentsOfURL:infoURL] : nil;
  if (!info)
    return nil;
  NSImage* image = [[NSImage alloc] initWithContentsOfFile:pdfPath];
  if (!image)
    return nil;
  const NSPoint hotSpot = NSMakePoint([[info objectForKey:@"hotx-scaled"] doubleValue],
                                      [[info objectForKey:@"hoty-scaled"] doubleValue]);
  NSCursor* cursor = [[NSCursor alloc] initWithImage:image hotSpot:hotSpot];
  [image release];
  return cursor;
}

IMouseMod ModifiersOf(NSEvent* event, bool left, bool right)
{
  const NSEventModifierFlags flags = [event modifierFlags];
  return IMouseMod(left, right, (flags & NSEventModifierFlagShift) != 0, (flags & NSEventModifierFlagControl) != 0,
                   (flags & NSEventModifierFlagOption) != 0);
}

} // namespace

@implementation IGraphicsView

// Set-up and teardown

- (id)initWithIGraphics:(IGraphicsMac*)pGraphics
{
  mGraphics = pGraphics;
  const float s = pGraphics->GetDrawScale();
  const NSRect r = NSMakeRect(0, 0, static_cast<int>(s * pGraphics->Width()),
                              static_cast<int>(s * pGraphics->Height()));
  if (!(self = [super initWithFrame:r]))
    return nil;
  mMouseOutDuringDrag = false;
  [self setWantsLayer:YES];
  CAMetalLayer* layer = static_cast<CAMetalLayer*>([self layer]);
  [layer setFrame:NSRectToCGRect(r)];
  [layer setOpaque:YES];
  [self setLayerContentsRedrawPolicy:NSViewLayerContentsRedrawDuringViewResize];
  [self registerForDraggedTypes:[NSArray arrayWithObject:NSPasteboardTypeFileURL]];
  [layer setPixelFormat:MTLPixelFormatBGRA8Unorm];
  id<MTLDevice> device = MTLCreateSystemDefaultDevice();
  [layer setDevice:device];
  [device release];
  [layer setFramebufferOnly:YES];
  [self setTimer];
  return self;
}

- (CALayer*)makeBackingLayer
{
  return [CAMetalLayer layer];
}

- (void)dealloc
{
  [self closeColorPanel];
  mColorPickerFunc = nullptr;
  [mMoveCursor release];
  [mTrackingArea release];
  [[NSNotificationCenter defaultCenter] removeObserver:self];
  [super dealloc];
}

- (void)setTimer
{
  mTimer = [NSTimer timerWithTimeInterval:1.0 / mGraphics->FPS()
                                   target:self
                                 selector:@selector(onTimer:)
                                 userInfo:nil
                                  repeats:YES];
  // The modes the common modes stand for on a Mac, named one by one: GNUstep's common modes never
  // fire timers, and the editor must keep drawing in menus, drags and live resizes.
  NSRunLoop* runLoop = [NSRunLoop currentRunLoop];
  for (NSString *mode in
       [NSArray arrayWithObjects:NSDefaultRunLoopMode, NSModalPanelRunLoopMode, NSEventTrackingRunLoopMode, nil])
    [runLoop addTimer:mTimer forMode:mode];
}

- (void)killTimer
{
  [mTimer invalidate];
  mTimer = nil;
}

- (void)onTimer:(NSTimer*)timer
{
  (void)timer;
  [self render];
}

- (void)viewDidMoveToWindow
{
  NSWindow* window = [self window];
  if (!window)
    return;
  [window makeFirstResponder:self];
  [window setAcceptsMouseMovedEvents:YES];
  const CGFloat scale = [window backingScaleFactor];
  if (mGraphics)
    mGraphics->SetScreenScale(static_cast<float>(scale));
  // Nothing but this view sizes the layer's drawables, and moving into a window is no change of
  // backing properties: the first frame needs them at this window's scale.
  [self setDrawableSizeForScale:scale];
  // Moving to another window must not leave two observations behind.
  NSNotificationCenter* center = [NSNotificationCenter defaultCenter];
  [center removeObserver:self name:NSViewFrameDidChangeNotification object:self];
  [center addObserver:self selector:@selector(frameDidChange:) name:NSViewFrameDidChangeNotification object:self];
}

- (void)viewDidChangeBackingProperties
{
  NSWindow* window = [self window];
  if (!window)
    return;
  const CGFloat scale = [window backingScaleFactor];
  if (mGraphics && scale != mGraphics->GetScreenScale())
    mGraphics->SetScreenScale(static_cast<float>(scale));
  [[self layer] setContentsScale:scale];
  [self setDrawableSizeForScale:scale];
}

- (void)frameDidChange:(NSNotification*)notification
{
  (void)notification;
  if (NSWindow* window = [self window])
    [self setDrawableSizeForScale:[window backingScaleFactor]];
}

/** The Metal layer's pixels follow the view's points at the screen's scale. */
- (void)setDrawableSizeForScale:(CGFloat)scale
{
  const NSSize size = [self frame].size;
  [static_cast<CAMetalLayer*>([self layer]) setDrawableSize:CGSizeMake(size.width * scale, size.height * scale)];
}

- (void)viewDidChangeEffectiveAppearance
{
  if (mGraphics)
    mGraphics->OnAppearanceChanged([self uiAppearance]);
}

- (EUIAppearance)uiAppearance
{
  // Systems before 10.14 have no dark look.
  if (@available(macOS 10.14, *))
  {
    if ([[[self effectiveAppearance] name] isEqualToString:NSAppearanceNameDarkAqua])
      return EUIAppearance::Dark;
  }
  return EUIAppearance::Light;
}

- (void)removeFromSuperview
{
  if (![self superview])
    return;
  // Only a removal by the host closes the editor: when the graphics object closes its own view it
  // has already let go of it, and the view must not reach it any more.
  if (mGraphics && mGraphics->GetWindow() != self)
    mGraphics = nullptr;
  if (mGraphics)
  {
    // The delegate deletes the graphics object, which releases this view; keep it until done here.
    [self retain];
    if (mTextFieldView)
      [self endUserInput];
    mGraphics->GetDelegate()->CloseWindow();
    mGraphics = nullptr;
    [super removeFromSuperview];
    [self release];
    return;
  }
  [super removeFromSuperview];
}

// Fixed answers

- (BOOL)isFlipped
{
  return YES;
}

- (BOOL)isOpaque
{
  return mGraphics ? YES : NO;
}

- (BOOL)acceptsFirstResponder
{
  return YES;
}

- (BOOL)acceptsFirstMouse:(NSEvent*)event
{
  (void)event;
  return YES;
}

- (void)drawRect:(NSRect)dirtyRect
{
  (void)dirtyRect;
}

- (NSDragOperation)draggingSession:(NSDraggingSession*)session
  sourceOperationMaskForDraggingContext:(NSDraggingContext)context
{
  (void)session;
  (void)context;
  return NSDragOperationCopy;
}

// Drawing

- (void)render
{
  // A window that cannot be seen (hidden, minimised, covered) gives the layer no drawable, and
  // MetalNanoVG then keeps that frame's buffer for good: a few such frames and the next one would
  // wait on the main thread forever. What is dirty stays dirty until the window shows again.
  if (!([[self window] occlusionState] & NSWindowOcclusionStateVisible))
    return;
  mDirtyRects.Clear();
  if (mGraphics && mGraphics->IsDirty(mDirtyRects))
  {
    // Clean before drawing, so that a control that dirties itself while drawing is drawn next tick.
    mGraphics->SetAllControlsClean();
    [self activateGLContext];
    mGraphics->Draw(mDirtyRects);
    [self swapBuffers];
    [self deactivateGLContext];
  }
}

- (void)activateGLContext
{}

- (void)deactivateGLContext
{}

- (void)swapBuffers
{}

- (CGContextRef)getCGContextRef
{
  CGContextRef context = static_cast<CGContextRef>([[NSGraphicsContext currentContext] CGContext]);
  if (context)
  {
    CGContextTranslateCTM(context, 0, [self bounds].size.height);
    CGContextScaleCTM(context, 1, -1);
  }
  return context;
}

// Mouse

- (void)getMouseXY:(NSEvent*)event:(float&)x:(float&)y
{
  const NSPoint p = [self convertPoint:[event locationInWindow] fromView:nil];
  const float scale = mGraphics->GetDrawScale();
  x = static_cast<float>(p.x) / scale;
  y = static_cast<float>(p.y) / scale;
  // A pen's position is absolute: its own event must already escape the cursor lock.
  mGraphics->SetTabletInput([event subtype] == NSEventSubtypeTabletPoint);
  mGraphics->DoCursorLock(x, y, mPrevX, mPrevY);
}

- (IMouseInfo)getMouseLeft:(NSEvent*)event
{
  IMouseInfo info;
  [self getMouseXY:event:info.x:info.y];
  // Command-click is the Mac's right click for the controls.
  info.ms = ModifiersOf(event, true, ([event modifierFlags] & NSEventModifierFlagCommand) != 0);
  return info;
}

- (IMouseInfo)getMouseRight:(NSEvent*)event
{
  IMouseInfo info;
  [self getMouseXY:event:info.x:info.y];
  info.ms = ModifiersOf(event, false, true);
  return info;
}

/** The pointer's position and modifiers when no button is pressed (hover, wheel). */
- (IMouseInfo)getMouseNoButton:(NSEvent*)event
{
  IMouseInfo info;
  [self getMouseXY:event:info.x:info.y];
  info.ms = ModifiersOf(event, false, false);
  return info;
}

- (void)mouseDownWith:(const IMouseInfo&)info count:(NSInteger)clickCount
{
  // A press may run a modal loop (an alert) in which the host closes the editor and lets go of this
  // view: both stay until the press is handled.
  [[self retain] autorelease];
  const IGraphics::PlatformCall call(*mGraphics);
  if (clickCount > 0 && clickCount % 2 == 0)
    mGraphics->OnMouseDblClick(info.x, info.y, info.ms);
  else
    mGraphics->OnMouseDown(std::vector<IMouseInfo>{info});
}

- (void)mouseDown:(NSEvent*)event
{
  if (mGraphics)
    [self mouseDownWith:[self getMouseLeft:event] count:[event clickCount]];
}

- (void)rightMouseDown:(NSEvent*)event
{
  if (mGraphics)
    [self mouseDownWith:[self getMouseRight:event] count:[event clickCount]];
}

- (void)mouseUp:(NSEvent*)event
{
  if (!mGraphics)
    return;
  // A release may act (a button's action) and run a modal loop, as a press may.
  [[self retain] autorelease];
  {
    const IGraphics::PlatformCall call(*mGraphics);
    mGraphics->OnMouseUp(std::vector<IMouseInfo>{[self getMouseLeft:event]});
  }
  if (mMouseOutDuringDrag && mGraphics)
  {
    mMouseOutDuringDrag = false;
    mGraphics->OnMouseOut();
  }
}

- (void)rightMouseUp:(NSEvent*)event
{
  if (mGraphics)
    mGraphics->OnMouseUp(std::vector<IMouseInfo>{[self getMouseRight:event]});
}

- (void)dragWith:(IMouseInfo)info fromX:(float)prevX y:(float)prevY
{
  info.dX = info.x - prevX;
  info.dY = info.y - prevY;
  mGraphics->OnMouseDrag(std::vector<IMouseInfo>{info});
}

- (void)mouseDragged:(NSEvent*)event
{
  // A native text field is open for a control: the drag belongs to the field.
  if (!mGraphics || (mGraphics->GetControlInTextEntry() && !mGraphics->HasTextEntryControl()))
    return;
  const float prevX = mPrevX, prevY = mPrevY;
  [self dragWith:[self getMouseLeft:event] fromX:prevX y:prevY];
}

- (void)rightMouseDragged:(NSEvent*)event
{
  if (!mGraphics || mTextFieldView)
    return;
  const float prevX = mPrevX, prevY = mPrevY;
  [self dragWith:[self getMouseRight:event] fromX:prevX y:prevY];
}

- (void)mouseMoved:(NSEvent*)event
{
  if (!mGraphics)
    return;
  const IMouseInfo info = [self getMouseNoButton:event];
  mGraphics->OnMouseOver(info.x, info.y, info.ms);
}

- (void)mouseEntered:(NSEvent*)event
{
  (void)event;
  mMouseOutDuringDrag = false;
  if (mGraphics)
    mGraphics->SetMouseCursor(mGraphics->GetCursorType());
}

- (void)mouseExited:(NSEvent*)event
{
  (void)event;
  if (!mGraphics)
    return;
  // The control dragging still owns the mouse: it hears of the exit when the button goes up.
  if (mGraphics->MouseIsCaptured())
    mMouseOutDuringDrag = true;
  else
    mGraphics->OnMouseOut();
}

- (void)scrollWheel:(NSEvent*)event
{
  if (!mGraphics)
    return;
  if (mTextFieldView)
    [self endUserInput];
  const IMouseInfo info = [self getMouseNoButton:event];
  mGraphics->OnMouseWheel(info.x, info.y, info.ms, static_cast<float>([event deltaY]));
}

- (void)updateTrackingAreas
{
  [super updateTrackingAreas];
  if (mTrackingArea)
  {
    [self removeTrackingArea:mTrackingArea];
    [mTrackingArea release];
  }
  mTrackingArea = [[NSTrackingArea alloc] initWithRect:[self bounds] options:kTrackingOptions owner:self userInfo:nil];
  [self addTrackingArea:mTrackingArea];
}

// Keys: what the editor does not use goes on to the host.

- (void)keyDown:(NSEvent*)event
{
  if (!mGraphics || !mGraphics->OnKeyDown(mPrevX, mPrevY, MacKeyPressFromEvent(event)))
    [[self nextResponder] keyDown:event];
}

- (void)keyUp:(NSEvent*)event
{
  if (!mGraphics || !mGraphics->OnKeyUp(mPrevX, mPrevY, MacKeyPressFromEvent(event)))
    [[self nextResponder] keyUp:event];
}

// Cursor

- (void)setMouseCursor:(ECursor)cursorType
{
  NSCursor* cursor = nil;
  switch (cursorType)
  {
  case ECursor::ARROW: cursor = [NSCursor arrowCursor]; break;
  case ECursor::IBEAM: cursor = [NSCursor IBeamCursor]; break;
  case ECursor::WAIT:
  case ECursor::APPSTARTING: cursor = PrivateCursor(@"busyButClickableCursor"); break;
  case ECursor::CROSS: cursor = [NSCursor crosshairCursor]; break;
  case ECursor::UPARROW:
    cursor = PrivateCursor(@"_windowResizeNorthCursor");
    if (!cursor)
      cursor = [NSCursor resizeUpCursor];
    break;
  case ECursor::SIZENWSE: cursor = PrivateCursor(@"_windowResizeNorthWestSouthEastCursor"); break;
  case ECursor::SIZENESW: cursor = PrivateCursor(@"_windowResizeNorthEastSouthWestCursor"); break;
  case ECursor::SIZEWE:
    cursor = PrivateCursor(@"_windowResizeEastWestCursor");
    if (!cursor)
      cursor = [NSCursor resizeLeftRightCursor];
    break;
  case ECursor::SIZENS:
    cursor = PrivateCursor(@"_windowResizeNorthSouthCursor");
    if (!cursor)
      cursor = [NSCursor resizeUpDownCursor];
    break;
  case ECursor::SIZEALL:
    if (!mMoveCursor)
      mMoveCursor = NewMoveCursor();
    cursor = mMoveCursor;
    break;
  case ECursor::INO: cursor = [NSCursor operationNotAllowedCursor]; break;
  case ECursor::HAND: cursor = [NSCursor pointingHandCursor]; break;
  case ECursor::HELP: cursor = PrivateCursor(@"_helpCursor"); break;
  }
  if (cursorType != ECursor::HELP)
    HideHelpCursor();
  if (!cursor)
    cursor = [NSCursor arrowCursor];
  [cursor set];
}

// Tooltips

- (void)registerToolTip:(IRECT)bounds
{
  const IRECT r = mGraphics->ScaledRect(bounds);
  [self addToolTipRect:NSMakeRect(r.L, r.T, r.W(), r.H()) owner:self userData:nullptr];
}

- (NSString*)view:(NSView*)view stringForToolTip:(NSToolTipTag)tag point:(NSPoint)point userData:(void*)data
{
  (void)view;
  (void)tag;
  (void)point;
  (void)data;
  const int idx = mGraphics ? mGraphics->GetMouseOverIdx() : -1;
  if (idx < 0 || idx >= mGraphics->NControls())
    return @"";
  const char* tooltip = mGraphics->GetControl(idx)->GetTooltip();
  NSString* text = tooltip ? [NSString stringWithUTF8String:tooltip] : nil;
  return text ? text : @"";
}

// Files dropped in

- (NSDragOperation)draggingEntered:(id<NSDraggingInfo>)sender
{
  NSArray* types = [[sender draggingPasteboard] types];
  return [types containsObject:NSPasteboardTypeFileURL] ? NSDragOperationGeneric : NSDragOperationNone;
}

- (BOOL)performDragOperation:(id<NSDraggingInfo>)sender
{
  if (!mGraphics)
    return NO;
  // Each dropped file is an item of its own, holding its file URL.
  NSDictionary* fileURLsOnly = [NSDictionary dictionaryWithObject:[NSNumber numberWithBool:YES]
                                                           forKey:NSPasteboardURLReadingFileURLsOnlyKey];
  NSArray* urls = [[sender draggingPasteboard] readObjectsForClasses:[NSArray arrayWithObject:[NSURL class]]
                                                             options:fileURLsOnly];
  std::vector<const char*> paths;
  for (NSURL* url in urls)
  {
    if (const char* path = [[url path] UTF8String])
      paths.push_back(path);
  }
  if (paths.empty())
    return NO;
  const NSPoint p = [self convertPoint:[sender draggingLocation] fromView:nil];
  const float x = static_cast<float>(p.x) / mGraphics->GetDrawScale();
  const float y = static_cast<float>(p.y) / mGraphics->GetDrawScale();
  if (paths.size() == 1)
    mGraphics->OnDrop(paths[0], x, y);
  else
    mGraphics->OnDropMultiple(paths, x, y);
  return YES;
}

// Native text entry

- (void)controlTextDidEndEditing:(NSNotification*)notification
{
  (void)notification;
  if (!mGraphics || !mTextFieldView)
    return;
  NSString* text = [mTextFieldView stringValue];
  const char* utf8 = [text UTF8String];
  mGraphics->SetControlValueAfterTextEdit(utf8 ? utf8 : "");
  mGraphics->SetAllControlsDirty();
  [self endUserInput];
}

// The field editor hands Escape over as cancelOperation: and by itself would keep the entry open;
// the user means to leave it without changing the value.
- (BOOL)control:(NSControl*)control textView:(NSTextView*)textView doCommandBySelector:(SEL)selector
{
  (void)textView;
  if (control != mTextFieldView || !sel_isEqual(selector, @selector(cancelOperation:)))
    return NO;
  [self endUserInput];
  if (mGraphics)
    mGraphics->SetAllControlsDirty();
  return YES;
}

- (void)endUserInput
{
  if (mTextFieldView)
  {
    IGraphicsTextField* field = mTextFieldView;
    // The field may be the one telling us it ended: it stays alive until its message returns.
    [[field retain] autorelease];
    [field setDelegate:nil];
    [field removeFromSuperview];
  }
  [[self window] makeFirstResponder:self];
  mTextFieldView = nil;
  if (mGraphics)
    mGraphics->ClearInTextEntryControl();
}
@end
