// The macOS editor view: set-up, timer and drawing, mouse and wheel, cursor, tooltips, drops, text
// entry end, and its removal by the host.
#include "MacViewFixture.h"

#include <StandIns/AppKitDragging.h>
#include <StandIns/AppKitGraphicsContext.h>
#include <StandIns/CoreGraphicsDisplay.h>
#include <StandIns/MetalNanoVG.h>
#include <StandIns/RunLoop.h>
#include <dispatch/dispatch.h>

@implementation HostParentView
- (void)keyDown:(NSEvent*)event
{
  mLog->Add("host keyDown " + std::to_string([event keyCode]));
}
- (void)keyUp:(NSEvent*)event
{
  mLog->Add("host keyUp " + std::to_string([event keyCode]));
}
@end

/** What AppKit asks a tooltip rectangle's owner. */
@protocol TooltipOwner
- (NSString*)view:(NSView*)view stringForToolTip:(NSToolTipTag)tag point:(NSPoint)point userData:(void*)data;
@end

/** A drag over the view: its pasteboard and where it is, in window points. */
@interface TestDraggingInfo : NSObject <NSDraggingInfo> {
  NSPasteboard* mPasteboard;
  NSPoint mLocation;
}
- (id)initWithPasteboard:(NSPasteboard*)pasteboard location:(NSPoint)location;
@end

@implementation TestDraggingInfo
- (id)initWithPasteboard:(NSPasteboard*)pasteboard location:(NSPoint)location
{
  if ((self = [super init]))
  {
    mPasteboard = [pasteboard retain];
    mLocation = location;
  }
  return self;
}
- (void)dealloc
{
  [mPasteboard release];
  [super dealloc];
}
- (NSPasteboard*)draggingPasteboard
{
  return mPasteboard;
}
- (NSPoint)draggingLocation
{
  return mLocation;
}
@end

namespace iplug
{
namespace igraphics
{
namespace
{

using MacView = MacViewFixture;

TEST_F(MacView, OpensInTheHostViewAndRunsTheMainQueue)
{
  Open();
  EXPECT_EQ([mView superview], mParent);
  EXPECT_EQ([mView window], mWindow);
  EXPECT_EQ([mView frame].size.width, kWidth);
  __block int ran = 0;
  dispatch_async(dispatch_get_main_queue(), ^{ ran++; });
  EXPECT_TRUE(StandInDrainMainQueue(1.0));
  EXPECT_EQ(ran, 1);
}

TEST_F(MacView, SetsUpItsMetalLayerAndAnswers)
{
  id<MTLDevice> device = MTLCreateSystemDefaultDevice();
  Open(1.0, 1.5f);
  EXPECT_TRUE(NSEqualRects([mView frame], NSMakeRect(0, 0, 450, 300)));
  ASSERT_TRUE([[mView layer] isKindOfClass:[CAMetalLayer class]]);
  CAMetalLayer* layer = static_cast<CAMetalLayer*>([mView layer]);
  EXPECT_TRUE(NSEqualRects(NSRectFromCGRect([layer frame]), NSMakeRect(0, 0, 450, 300)));
  EXPECT_TRUE([layer isOpaque]);
  EXPECT_EQ([mView layerContentsRedrawPolicy], NSViewLayerContentsRedrawDuringViewResize);
  EXPECT_TRUE([[mView registeredDraggedTypes] isEqualToArray:[NSArray arrayWithObject:NSPasteboardTypeFileURL]]);
  EXPECT_EQ([layer pixelFormat], 80u);
  EXPECT_EQ([layer device], device);
  EXPECT_TRUE([layer framebufferOnly]);
  EXPECT_TRUE([mView isFlipped]);
  EXPECT_TRUE([mView isOpaque]);
  EXPECT_TRUE([mView acceptsFirstResponder]);
  EXPECT_TRUE([mView acceptsFirstMouse:nil]);
  EXPECT_EQ([mWindow firstResponder], mView);
  EXPECT_TRUE([mWindow acceptsMouseMovedEvents]);

  [device release];
}

TEST_F(MacView, GivesBackItsUseOfTheMetalDevice)
{
  id<MTLDevice> device = MTLCreateSystemDefaultDevice();
  const NSUInteger deviceRetains = [device retainCount];
  NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
  Open();
  mDlg.CloseWindow();
  StandInDrainMainQueue(0.1);
  [pool release];
  EXPECT_EQ([device retainCount], deviceRetains);
  [device release];
}

TEST_F(MacView, GoingAwayClosesTheColourPanel)
{
  NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
  Open();
  IColor color;
  ASSERT_TRUE(mGraphics->PromptForColor(color));
  ASSERT_TRUE([[NSColorPanel sharedColorPanel] isVisible]);
  mDlg.CloseWindow();
  StandInDrainMainQueue(0.1);
  [pool release];
  EXPECT_FALSE([[NSColorPanel sharedColorPanel] isVisible]);
}

TEST_F(MacView, TracksTheMouseOverItsBoundsWithOneArea)
{
  Open();
  [mView updateTrackingAreas];
  [mView updateTrackingAreas];
  ASSERT_EQ([[mView trackingAreas] count], 1u);
  NSTrackingArea* area = [[mView trackingAreas] objectAtIndex:0];
  EXPECT_EQ([area options], 0x481u);
  EXPECT_TRUE(NSEqualRects([area rect], [mView bounds]));
  EXPECT_EQ([area owner], mView);
}

TEST_F(MacView, OffersCopyAsDragSource)
{
  Open();
  StandInResetDraggingSessions();
  [mView beginDraggingSessionWithItems:[NSArray array] event:Mouse(NSEventTypeLeftMouseDragged, 10, 10) source:mView];
  ASSERT_NE(StandInLastDraggingSession(), nil);
  EXPECT_EQ([StandInLastDraggingSession() standInSourceOperationMaskOutside], NSDragOperationCopy);
  StandInResetDraggingSessions();
}

TEST_F(MacView, AnswersTheCurrentContextFlipped)
{
  Open();
  EXPECT_EQ([mView getCGContextRef], nullptr);
  [NSGraphicsContext setCurrentContext:StandInMakeGraphicsContext()];
  CGContextRef context = [mView getCGContextRef];
  ASSERT_NE(context, nullptr);
  const CGAffineTransform m = StandInContextCTM(context);
  EXPECT_EQ(m.d, -1);
  EXPECT_EQ(m.ty, kHeight);
  [NSGraphicsContext setCurrentContext:nil];
}

// The timer and drawing

/** Counts the draw loop's questions without ever being dirty. */
class TickCountingControl : public IControl
{
public:
  explicit TickCountingControl(const IRECT& bounds) : IControl(bounds) {}
  void Draw(IGraphics&) override {}
  bool IsDirty() override
  {
    ++mTicks;
    return false;
  }
  int mTicks = 0;
};

TEST_F(MacView, TimerFiresInEachRunLoopModeUntilKilled)
{
  Open();
  auto* counter = new TickCountingControl(IRECT(0, 0, 10, 10));
  mGraphics->AttachControl(counter);
  for (const char* mode : {"NSDefaultRunLoopMode", "NSModalPanelRunLoopMode", "NSEventTrackingRunLoopMode"})
  {
    SCOPED_TRACE(mode);
    const int before = counter->mTicks;
    StandInRunMainLoop(mode, 0.1);
    EXPECT_GT(counter->mTicks, before);
  }
  [mView killTimer];
  const int stopped = counter->mTicks;
  StandInRunMainLoop(nullptr, 0.1);
  EXPECT_EQ(counter->mTicks, stopped);
}

TEST_F(MacView, RenderCleansControlsBeforeDrawingThem)
{
  Open();
  [mView killTimer];
  auto* control = new SelfDirtyingControl(mLog, IRECT(10, 10, 20, 20));
  mGraphics->AttachControl(control);
  [mView render]; // everything is new
  mLog.Clear();
  control->SetDirty(false);
  control->mDirtyAgain = 1;
  [mView render];
  EXPECT_EQ(mLog.events, std::vector<std::string>({"draw"}));
  EXPECT_TRUE(control->IsDirty()) << "dirtied while drawing: still dirty after the tick";
  [mView render];
  EXPECT_EQ(mLog.events, std::vector<std::string>({"draw", "draw"}));
  [mView render];
  EXPECT_EQ(mLog.events.size(), 2u) << "nothing dirty: nothing drawn";
}

TEST_F(MacView, AWindowThatCannotBeSeenIsNotDrawnUntilItShows)
{
  Open();
  [mView killTimer];
  auto* control = new SelfDirtyingControl(mLog, IRECT(10, 10, 20, 20));
  mGraphics->AttachControl(control);
  [mView render];
  const int missed = StandInMissedMetalDrawables();
  mLog.Clear();
  control->mDirtyAgain = 10; // an animation: dirty on every tick
  control->SetDirty(false);

  [mWindow standInSetOcclusionState:0]; // hidden, minimised or covered
  for (int tick = 0; tick < 5; ++tick)
  {
    [mView render];
    ASSERT_EQ(StandInMissedMetalDrawables(), missed) << "tick " << tick << " asked for a drawable";
  }
  EXPECT_TRUE(mLog.events.empty());
  EXPECT_TRUE(control->IsDirty());

  [mWindow standInSetOcclusionState:NSWindowOcclusionStateVisible];
  [mView render];
  EXPECT_EQ(mLog.events, std::vector<std::string>({"draw"}));
  EXPECT_EQ(StandInMissedMetalDrawables(), missed);
}

// Mouse and wheel, at backing scales 1 and 2 and draw scales 1 and 1.5

struct Scales
{
  double screen;
  float draw;
};

void PrintTo(const Scales& s, std::ostream* os)
{
  *os << "backing " << s.screen << ", draw " << s.draw;
}

class MacViewMouse : public MacViewFixture, public ::testing::WithParamInterface<Scales>
{};

struct MouseStep
{
  NSEventType type;
  float x, y;
  NSEventModifierFlags flags;
  NSInteger clicks;
};

struct MouseCase
{
  const char* name;
  std::vector<MouseStep> steps;
  std::vector<std::string> expected;
};

constexpr NSEventModifierFlags kShift = NSEventModifierFlagShift;
constexpr NSEventModifierFlags kControl = NSEventModifierFlagControl;
constexpr NSEventModifierFlags kOption = NSEventModifierFlagOption;
constexpr NSEventModifierFlags kCommand = NSEventModifierFlagCommand;

const MouseCase kMouseCases[] = {
  {"click",
   {{NSEventTypeLeftMouseDown, 100, 60, 0, 1}, {NSEventTypeLeftMouseUp, 100, 60, 0, 1}},
   {"down 100,60 L", "up 100,60 L"}},
  {"double click", {{NSEventTypeLeftMouseDown, 100, 60, 0, 2}}, {"dbl 100,60 L"}},
  {"triple click is a press", {{NSEventTypeLeftMouseDown, 100, 60, 0, 3}}, {"down 100,60 L"}},
  {"command-click is a right click", {{NSEventTypeLeftMouseDown, 70, 140, kCommand, 1}}, {"down 70,140 LR"}},
  {"modifiers", {{NSEventTypeLeftMouseDown, 70, 140, kShift | kControl | kOption, 1}}, {"down 70,140 LSCA"}},
  {"right click",
   {{NSEventTypeRightMouseDown, 120, 80, 0, 1}, {NSEventTypeRightMouseUp, 120, 80, 0, 1}},
   {"down 120,80 R", "up 120,80 R"}},
  {"right double click", {{NSEventTypeRightMouseDown, 120, 80, 0, 2}}, {"dbl 120,80 R"}},
  {"drag deltas",
   {{NSEventTypeLeftMouseDown, 100, 100, 0, 1},
    {NSEventTypeLeftMouseDragged, 110, 95, 0, 1},
    {NSEventTypeLeftMouseDragged, 120, 100, kShift, 1},
    {NSEventTypeLeftMouseUp, 120, 100, 0, 1}},
   {"down 100,100 L", "drag 110,95 10,-5 L", "drag 120,100 10,5 LS", "up 120,100 L"}},
  {"right drag",
   {{NSEventTypeRightMouseDown, 100, 100, 0, 1}, {NSEventTypeRightMouseDragged, 90, 102, 0, 1}},
   {"down 100,100 R", "drag 90,102 -10,2 R"}},
  {"leaving during a drag: out after the release",
   {{NSEventTypeLeftMouseDown, 100, 100, 0, 1},
    {NSEventTypeMouseExited, 100, 100, 0, 0},
    {NSEventTypeLeftMouseDragged, 250, 100, 0, 1},
    {NSEventTypeLeftMouseUp, 250, 100, 0, 1}},
   {"down 100,100 L", "drag 250,100 150,0 L", "up 250,100 L", "out"}},
  {"re-entering before the release: no out",
   {{NSEventTypeLeftMouseDown, 100, 100, 0, 1},
    {NSEventTypeMouseExited, 100, 100, 0, 0},
    {NSEventTypeMouseEntered, 100, 100, 0, 0},
    {NSEventTypeLeftMouseUp, 100, 100, 0, 1}},
   {"down 100,100 L", "up 100,100 L"}},
  {"leaving without a button", {{NSEventTypeMouseExited, 100, 100, 0, 0}}, {"out"}},
};

TEST_P(MacViewMouse, EventsReachTheControlsInEditorUnits)
{
  Open(GetParam().screen, GetParam().draw);
  ASSERT_EQ(mGraphics->GetScreenScale(), GetParam().screen);
  for (const MouseCase& c : kMouseCases)
  {
    SCOPED_TRACE(c.name);
    for (const MouseStep& s : c.steps)
      Send(Mouse(s.type, s.x, s.y, s.flags, s.clicks));
    EXPECT_EQ(mLog.events, c.expected);
    mGraphics->ReleaseMouseCapture();
    mLog.Clear();
  }
}

TEST_P(MacViewMouse, HoverCarriesModifiersButNoButtons)
{
  Open(GetParam().screen, GetParam().draw);
  mGraphics->EnableMouseOver(true);
  Send(Mouse(NSEventTypeMouseMoved, 60, 70, kOption | kCommand, 0));
  EXPECT_EQ(mLog.events, std::vector<std::string>({"over 60,70 A"}));
}

TEST_P(MacViewMouse, WheelReachesTheControlUnderThePointer)
{
  Open(GetParam().screen, GetParam().draw);
  Send(StandInScrollEvent(WindowPoint(80, 90), kShift, 2.5, mWindow));
  Send(StandInScrollEvent(WindowPoint(250, 90), 0, 1, mWindow));
  EXPECT_EQ(mLog.events, std::vector<std::string>({"wheel 80,90 2.5 S"}));
}

INSTANTIATE_TEST_SUITE_P(Scales, MacViewMouse,
                         ::testing::Values(Scales{1.0, 1.f}, Scales{2.0, 1.f}, Scales{2.0, 1.5f}, Scales{1.0, 2.f}),
                         [](const ::testing::TestParamInfo<Scales>& info) {
                           return "Backing" + std::to_string(static_cast<int>(info.param.screen)) + "Draw" +
                                  std::to_string(static_cast<int>(info.param.draw * 10));
                         });

TEST_F(MacView, LockedCursorHoldsTheDragOriginUnlessFromATablet)
{
  Open();
  Send(Mouse(NSEventTypeLeftMouseDown, 100, 100));
  // The pointer is where the press was: the window's origin plus the press in window points.
  const NSPoint inWindow = WindowPoint(100, 100);
  StandInSetMouseLocation(NSMakePoint([mWindow frame].origin.x + inWindow.x, [mWindow frame].origin.y + inWindow.y));
  mGraphics->HideMouseCursor(true, true);
  StandInResetDisplay();
  Send(Mouse(NSEventTypeLeftMouseDragged, 104, 97));
  Send(Mouse(NSEventTypeLeftMouseDragged, 106, 99));
  EXPECT_EQ(StandInCursorMoveCount(), 2) << "the pointer is put back each time";
  Send(Mouse(NSEventTypeLeftMouseDragged, 110, 99, 0, 1, NSEventSubtypeTabletPoint));
  Send(Mouse(NSEventTypeLeftMouseDragged, 112, 96, 0, 1, NSEventSubtypeTabletPoint));
  EXPECT_EQ(StandInCursorMoveCount(), 2) << "a pen is never held";
  mGraphics->HideMouseCursor(false);
  const std::vector<std::string> held(mLog.events.begin() + 1, mLog.events.begin() + 3);
  EXPECT_EQ(held, std::vector<std::string>({"drag 104,97 4,-3 L", "drag 106,99 6,-1 L"}));
  EXPECT_EQ(mLog.events.back(), "drag 112,96 2,-3 L");
  StandInResetDisplay();
}

TEST_F(MacView, DragIsIgnoredWhileANativeTextFieldIsOpen)
{
  Open();
  Send(Mouse(NSEventTypeLeftMouseDown, 100, 100));
  IGraphicsTextField* field = [[[IGraphicsTextField alloc] initWithFrame:NSMakeRect(0, 0, 50, 20)] autorelease];
  [mView addSubview:field];
  mView->mTextFieldView = field;
  mGraphics->CreateTextEntry(*mControl, IText(), IRECT(50, 50, 100, 70), "1");
  mLog.Clear();
  Send(Mouse(NSEventTypeLeftMouseDragged, 110, 100));
  Send(Mouse(NSEventTypeRightMouseDragged, 120, 100));
  EXPECT_TRUE(mLog.events.empty());
  [mView endUserInput];
}

TEST_F(MacView, WheelEndsATextEntryFirst)
{
  Open();
  IGraphicsTextField* field = [[IGraphicsTextField alloc] initWithFrame:NSMakeRect(0, 0, 50, 20)];
  [mView addSubview:field];
  [field setDelegate:mView];
  mView->mTextFieldView = field;
  [mWindow makeFirstResponder:field];
  Send(StandInScrollEvent(WindowPoint(80, 90), 0, 1, mWindow));
  EXPECT_EQ(mView->mTextFieldView, nil);
  EXPECT_EQ([field superview], nil);
  EXPECT_EQ([field delegate], nil);
  EXPECT_EQ([mWindow firstResponder], mView);
  EXPECT_EQ(mLog.events, std::vector<std::string>({"wheel 80,90 1 -"}));
  [field release];
}

TEST_F(MacView, EndOfTextEditingSetsTheValueAndClosesTheField)
{
  Open();
  IGraphicsTextField* field = [[IGraphicsTextField alloc] initWithFrame:NSMakeRect(0, 0, 50, 20)];
  [field setStringValue:@"0.25"];
  [mView addSubview:field];
  [field setDelegate:mView];
  mView->mTextFieldView = field;
  mGraphics->CreateTextEntry(*mControl, IText(), IRECT(50, 50, 100, 70), "1");
  mGraphics->SetAllControlsClean();
  [mView controlTextDidEndEditing:[NSNotification notificationWithName:@"NSControlTextDidEndEditingNotification"
                                                                object:field]];
  EXPECT_EQ(mLog.events, std::vector<std::string>({"text 0.25"}));
  EXPECT_EQ(mGraphics->GetControlInTextEntry(), nullptr);
  EXPECT_TRUE(mControl->IsDirty());
  EXPECT_EQ(mView->mTextFieldView, nil);
  EXPECT_EQ([field superview], nil);
  EXPECT_EQ([mWindow firstResponder], mView);
  [field release];
}

// Scale and appearance

TEST_F(MacView, BackingScaleChangeRescalesTheEditorAndTheLayer)
{
  Open();
  [mWindow standInSetBackingScaleFactor:2.0];
  EXPECT_EQ(mGraphics->GetScreenScale(), 2.f);
  CAMetalLayer* layer = static_cast<CAMetalLayer*>([mView layer]);
  EXPECT_EQ([layer contentsScale], 2.0);
  EXPECT_TRUE(NSEqualSizes(NSSizeFromCGSize([layer drawableSize]), NSMakeSize(600, 400)));
  [mView setFrameSize:NSMakeSize(150, 100)];
  EXPECT_TRUE(NSEqualSizes(NSSizeFromCGSize([layer drawableSize]), NSMakeSize(300, 200)));
}

TEST_F(MacView, MovingIntoAWindowSizesTheDrawablesAtItsScale)
{
  Open(2.0, 1.5f); // a 450 x 300 view
  CAMetalLayer* layer = static_cast<CAMetalLayer*>([mView layer]);
  EXPECT_TRUE(NSEqualSizes(NSSizeFromCGSize([layer drawableSize]), NSMakeSize(900, 600)));
  const int missed = StandInMissedMetalDrawables();
  [mView render];
  EXPECT_EQ(StandInMissedMetalDrawables(), missed);
  const StandInDrawable drawable = StandInReadMetalDrawable(layer);
  EXPECT_EQ(drawable.width, 900);
  EXPECT_EQ(drawable.height, 600);
}

TEST_F(MacView, EffectiveAppearanceReachesTheEditor)
{
  Open();
  std::vector<EUIAppearance> seen;
  mGraphics->SetUIAppearanceChangedFunc([&seen](EUIAppearance a) { seen.push_back(a); });
  [mParent setAppearance:[NSAppearance appearanceNamed:NSAppearanceNameDarkAqua]];
  [mView viewDidChangeEffectiveAppearance];
  [mParent setAppearance:[NSAppearance appearanceNamed:NSAppearanceNameAqua]];
  [mView viewDidChangeEffectiveAppearance];
  EXPECT_EQ(seen, std::vector<EUIAppearance>({EUIAppearance::Dark, EUIAppearance::Light}));
}

// Cursor

struct CursorCase
{
  ECursor type;
  const char* withoutPrivate;
  const char* withPrivate;
};

const CursorCase kCursorCases[] = {
  {ECursor::ARROW, "arrow", "arrow"},
  {ECursor::IBEAM, "IBeam", "IBeam"},
  {ECursor::WAIT, "arrow", "busyButClickable"},
  {ECursor::CROSS, "crosshair", "crosshair"},
  {ECursor::UPARROW, "resizeUp", "_windowResizeNorth"},
  {ECursor::SIZENWSE, "arrow", "_windowResizeNorthWestSouthEast"},
  {ECursor::SIZENESW, "arrow", "_windowResizeNorthEastSouthWest"},
  {ECursor::SIZEWE, "resizeLeftRight", "_windowResizeEastWest"},
  {ECursor::SIZENS, "resizeUpDown", "_windowResizeNorthSouth"},
  {ECursor::SIZEALL, "arrow", "arrow"}, // no system cursors folder here
  {ECursor::INO, "operationNotAllowed", "operationNotAllowed"},
  {ECursor::HAND, "pointingHand", "pointingHand"},
  {ECursor::APPSTARTING, "arrow", "busyButClickable"},
  {ECursor::HELP, "arrow", "_helpCursor"},
};

TEST_F(MacView, CursorTableWithAndWithoutPrivateCursors)
{
  Open();
  for (BOOL available : {NO, YES})
  {
    StandInSetPrivateCursorsAvailable(available);
    for (const CursorCase& c : kCursorCases)
    {
      SCOPED_TRACE(testing::Message() << "cursor " << static_cast<int>(c.type) << " private " << int(available));
      [mView setMouseCursor:c.type];
      EXPECT_STREQ([StandInCursorName([NSCursor currentCursor]) UTF8String],
                   available ? c.withPrivate : c.withoutPrivate);
    }
  }
  EXPECT_EQ(mView->mMoveCursor, nil);
}

TEST_F(MacView, HelpCursorIsSwitchedOffBeforeAnother)
{
  Open();
  StandInSetPrivateCursorsAvailable(YES);
  [mView setMouseCursor:ECursor::HELP];
  [mView setMouseCursor:ECursor::HELP];
  EXPECT_EQ(StandInHelpCursorHideCount(), 0);
  [mView setMouseCursor:ECursor::IBEAM];
  EXPECT_EQ(StandInHelpCursorHideCount(), 1);
  [mView setMouseCursor:ECursor::ARROW];
  EXPECT_EQ(StandInHelpCursorHideCount(), 1) << "only while the help cursor shows";
}

TEST_F(MacView, EnteringReappliesTheEditorsCursor)
{
  Open();
  mGraphics->SetMouseCursor(ECursor::CROSS);
  [[NSCursor arrowCursor] set];
  Send(Mouse(NSEventTypeMouseEntered, 10, 10, 0, 0));
  EXPECT_STREQ([StandInCursorName([NSCursor currentCursor]) UTF8String], "crosshair");
}

// Tooltips

TEST_F(MacView, RegisteredTooltipRectsAreScaledOutwards)
{
  Open(1.0, 1.5f);
  [mView removeAllToolTips];
  [mView registerToolTip:IRECT(10.2f, 20.5f, 30.1f, 40.9f)];
  ASSERT_EQ([[mView standInToolTipRects] count], 1u);
  const NSRect r = [[[mView standInToolTipRects] objectAtIndex:0] rectValue];
  EXPECT_TRUE(NSEqualRects(r, NSMakeRect(15, 30, 31, 32))) << NSStringFromRect(r).UTF8String;
}

TEST_F(MacView, TooltipIsTheTextOfTheControlUnderTheMouse)
{
  Open();
  mGraphics->EnableMouseOver(true);
  mControl->SetTooltip("Cutoff");
  auto* plain = new InputLogControl(mLog, IRECT(200, 50, 250, 100));
  mGraphics->AttachControl(plain);
  struct
  {
    float x, y;
    const char* expected;
  } cases[] = {{100, 100, "Cutoff"}, {220, 70, ""}, {10, 180, ""}};
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.expected);
    Send(Mouse(NSEventTypeMouseMoved, c.x, c.y, 0, 0));
    NSString* s = [static_cast<id<TooltipOwner>>(mView) view:mView
                                            stringForToolTip:0
                                                       point:NSMakePoint(0, 0)
                                                    userData:nullptr];
    EXPECT_STREQ([s UTF8String], c.expected);
  }
}

// Files dropped in

// As the Finder drags files: one item with its file URL per file.
NSPasteboard* FilesPasteboard(NSArray* paths)
{
  NSPasteboard* pb = [NSPasteboard pasteboardWithUniqueName];
  [pb clearContents];
  if (!paths)
    [pb setString:@"text" forType:NSPasteboardTypeString];
  for (NSString* path in paths)
    [pb writeObjects:@[ [NSURL fileURLWithPath:path] ]];
  return pb;
}

TEST_F(MacView, DraggingEnteredAcceptsFileNamesOnly)
{
  Open();
  NSPoint p = WindowPoint(100, 100);
  TestDraggingInfo* files = [[[TestDraggingInfo alloc] initWithPasteboard:FilesPasteboard(@[ @"/a.wav" ])
                                                                 location:p] autorelease];
  TestDraggingInfo* text = [[[TestDraggingInfo alloc] initWithPasteboard:FilesPasteboard(nil) location:p] autorelease];
  EXPECT_EQ([static_cast<id<NSDraggingDestination>>(mView) draggingEntered:files], NSDragOperationGeneric);
  EXPECT_EQ([static_cast<id<NSDraggingDestination>>(mView) draggingEntered:text], NSDragOperationNone);
}

TEST_F(MacView, DropsReachTheControlUnderTheDropPoint)
{
  Open(2.0, 1.5f);
  struct
  {
    const char* name;
    NSArray* paths;
    float x, y;
    BOOL accepted;
    std::vector<std::string> expected;
  } cases[] = {
    {"one file", @ [@"/s/kick.wav"], 100, 100, YES, { "drop /s/kick.wav" }},
    {"three files",
     @ [@"/s/a.wav", @"/s/b.aif", @"/s/\u00e9.wav"],
     60,
     140,
     YES,
     { "drop multiple /s/a.wav /s/b.aif /s/\xc3\xa9.wav" }},
    {"outside the control", @ [@"/s/kick.wav"], 250, 20, YES, {}},
    {"no file names", @ [], 100, 100, NO, {}},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.name);
    TestDraggingInfo* info = [[[TestDraggingInfo alloc] initWithPasteboard:FilesPasteboard(c.paths)
                                                                  location:WindowPoint(c.x, c.y)] autorelease];
    EXPECT_EQ([static_cast<id<NSDraggingDestination>>(mView) performDragOperation:info], c.accepted);
    EXPECT_EQ(mLog.events, c.expected);
    mLog.Clear();
  }
}

// Removal by the host

TEST_F(MacView, HostRemovingTheViewClosesTheEditorOnce)
{
  Open();
  IGraphicsView* view = [mView retain];
  IGraphicsTextField* field = [[IGraphicsTextField alloc] initWithFrame:NSMakeRect(0, 0, 50, 20)];
  [view addSubview:field];
  [field setDelegate:view];
  view->mTextFieldView = field;
  [view removeFromSuperview];
  EXPECT_EQ([field superview], nil) << "the text entry was ended first";
  EXPECT_EQ([field delegate], nil);
  [field release];
  EXPECT_EQ(mDlg.GetUI(), nullptr);
  EXPECT_EQ([view superview], nil);
  EXPECT_EQ([[mParent subviews] count], 0u);
  EXPECT_EQ(view->mGraphics, nullptr);
  EXPECT_EQ([view retainCount], 1u) << "only the test's own hold is left";
  // A late event or tick after the editor is gone touches nothing.
  Send(Mouse(NSEventTypeLeftMouseDown, 100, 100));
  [view render];
  [view release];
  EXPECT_TRUE(mLog.events.empty());
}

TEST_F(MacView, ClosingByTheEditorLeavesTheHostViewAlone)
{
  Open();
  IGraphicsView* view = [mView retain];
  mGraphics->CloseWindow();
  EXPECT_NE(mDlg.GetUI(), nullptr) << "the delegate was not asked to close";
  EXPECT_EQ([view superview], nil);
  EXPECT_EQ(view->mGraphics, nullptr);
  EXPECT_EQ([view retainCount], 1u);
  [view release];
}

} // namespace
} // namespace igraphics
} // namespace iplug
