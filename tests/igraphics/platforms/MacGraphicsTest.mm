// The macOS graphics object: its view's life, sizes and rectangles, tooltips, cursor and look.
#include "MacGraphicsFixture.h"

#import <StandIns/AppKitAnimation.h>
#import <StandIns/AppKitCursors.h>
#include <StandIns/AppKitVersion.h>
#include <StandIns/Metal.h>
#include <StandIns/MetalNanoVG.h>
#include <StandIns/RunLoop.h>

#include <functional>
#include <string>
#include <vector>

#include "../TestControl.h"
#include "igraphics/IPopupMenu.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
// Notes the animation group that a view's frame change happens in.
struct FrameChangeWitness
{
  int changes = 0;
  int groupingDepth = -1;
  double duration = -1.;
};
} // namespace

@interface FrameChangeObserver : NSObject {
@public
  FrameChangeWitness* mWitness;
}
- (void)frameChanged:(NSNotification*)notification;
@end

@implementation FrameChangeObserver
- (void)frameChanged:(NSNotification*)notification
{
  (void)notification;
  mWitness->changes++;
  mWitness->groupingDepth = StandInAnimationGroupingDepth();
  mWitness->duration = [[NSAnimationContext currentContext] duration];
}
@end

TEST_F(MacGraphicsTest, OpenWindowPutsTheViewIntoTheParentAndCloseWindowReleasesIt)
{
  NSView* parent = [mWindow contentView];
  NSView* view = Open();
  ASSERT_NE(view, nil);
  EXPECT_TRUE(mGraphics->WindowIsOpen());
  EXPECT_EQ(mGraphics->GetWindow(), static_cast<void*>(view));
  EXPECT_EQ([view superview], parent);
  EXPECT_EQ([view window], mWindow);
  EXPECT_EQ([view frame].size.width, 300);
  EXPECT_EQ([view frame].size.height, 200);
  // The screen scale is set (the host hears the size) before the layout runs; the view may set it
  // again once it is in the window.
  const std::vector<std::string> expected = {"host resize 300x200 platform", "layout"};
  ASSERT_GE(mLog.events.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(mLog.events.begin(), mLog.events.begin() + 2), expected);

  [view retain];
  mGraphics->CloseWindow();
  EXPECT_FALSE(mGraphics->WindowIsOpen());
  EXPECT_EQ(mGraphics->GetWindow(), nullptr);
  EXPECT_EQ([view superview], nil);
  EXPECT_EQ([[parent subviews] count], 0u);
  // Only the test's own reference is left: the graphics object and the parent gave theirs back.
  EXPECT_EQ([view retainCount], 1u);
  [view release];
}

TEST_F(MacGraphicsTest, ASecondOpenWindowTearsDownTheFirstView)
{
  NSView* first = [Open() retain];
  NSView* second = Open();
  EXPECT_NE(first, second);
  EXPECT_EQ([first superview], nil);
  EXPECT_EQ([first retainCount], 1u);
  ASSERT_EQ([[[mWindow contentView] subviews] count], 1u);
  EXPECT_EQ([[[mWindow contentView] subviews] objectAtIndex:0], second);
  EXPECT_EQ(mGraphics->GetWindow(), static_cast<void*>(second));
  [first release];
}

TEST_F(MacGraphicsTest, TheDestructorClosesAnOpenView)
{
  NSView* view = [Open() retain];
  mGraphics.reset();
  EXPECT_EQ([view superview], nil);
  EXPECT_EQ([[[mWindow contentView] subviews] count], 0u);
  EXPECT_EQ([view retainCount], 1u);
  [view release];
}

TEST_F(MacGraphicsTest, OpenWindowWithoutAParentMakesAViewOfItsOwn)
{
  NSView* view = static_cast<NSView*>(mGraphics->OpenWindow(nullptr));
  ASSERT_NE(view, nil);
  EXPECT_EQ([view superview], nil);
  EXPECT_TRUE(mGraphics->WindowIsOpen());
}

TEST_F(MacGraphicsTest, WithoutAMetalDeviceOpenWindowFailsCleanly)
{
  const int contexts = StandInLiveMetalContexts();
  StandInSetMetalDeviceAvailable(false);
  NSView* view = Open();
  StandInSetMetalDeviceAvailable(true);
  EXPECT_EQ(view, nil);
  EXPECT_FALSE(mGraphics->WindowIsOpen());
  EXPECT_EQ([[[mWindow contentView] subviews] count], 0u);
  EXPECT_EQ(StandInLiveMetalContexts(), contexts);
  EXPECT_TRUE(mLog.events.empty()) << "neither sized nor laid out";
  // No timer is left behind to draw on the missing context.
  mGraphics->AttachControl(new TestControl(mLog, "a", IRECT(0, 0, 10, 10)));
  StandInRunMainLoop(nullptr, 0.1);
  // Nothing half-made stands in the way of the next try.
  EXPECT_NE(Open(), nil);
}

TEST_F(MacGraphicsTest, OperationsThatNeedTheViewAnswerNothingWithoutOne)
{
  struct Case
  {
    const char* name;
    std::function<std::string(IGraphicsMac&)> run;
    std::string expected;
  };
  const Case cases[] = {
    {"WindowIsOpen", [](IGraphicsMac& g) { return std::to_string(g.WindowIsOpen()); }, "0"},
    {"GetWindow", [](IGraphicsMac& g) { return std::to_string(g.GetWindow() == nullptr); }, "1"},
    {"GetUIAppearance", [](IGraphicsMac& g) { return std::to_string(static_cast<int>(g.GetUIAppearance())); }, "0"},
    {"PointToScreen",
     [](IGraphicsMac& g) {
       float x = 10.f, y = 20.f;
       g.PointToScreen(x, y);
       return std::to_string(x) + " " + std::to_string(y);
     },
     "0.000000 0.000000"},
    {"ScreenToPoint",
     [](IGraphicsMac& g) {
       float x = 10.f, y = 20.f;
       g.ScreenToPoint(x, y);
       return std::to_string(x) + " " + std::to_string(y);
     },
     "0.000000 0.000000"},
    {"InitiateExternalFileDragDrop",
     [](IGraphicsMac& g) { return std::to_string(g.InitiateExternalFileDragDrop("/tmp/a.wav", IRECT(0, 0, 8, 8))); },
     "0"},
    {"PromptForFile",
     [](IGraphicsMac& g) {
       WDL_String fileName("a.wav"), path("/tmp");
       g.PromptForFile(fileName, path, EFileAction::Open, "wav", [](const WDL_String&, const WDL_String&) {});
       return std::string("[") + fileName.Get() + "] " + std::to_string(StandInPanelRunCount());
     },
     "[] 0"},
    {"PromptForDirectory",
     [](IGraphicsMac& g) {
       WDL_String dir("/tmp");
       g.PromptForDirectory(dir);
       return std::string("[") + dir.Get() + "] " + std::to_string(StandInPanelRunCount());
     },
     "[] 0"},
    {"PlatformResize",
     [](IGraphicsMac& g) {
       g.PlatformResize(false);
       return std::to_string(StandInAnimationGroupingDepth());
     },
     "0"},
    {"AttachPlatformView",
     [](IGraphicsMac& g) {
       NSView* child = [[[NSView alloc] initWithFrame:NSMakeRect(0, 0, 1, 1)] autorelease];
       g.AttachPlatformView(IRECT(10, 10, 20, 20), child);
       return std::to_string([child superview] == nil) + " " + std::to_string([child frame].origin.x);
     },
     "1 0.000000"},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.run(*mGraphics), c.expected);
  }
}

TEST_F(MacGraphicsTest, ScaledRectRoundsTheLeftAndTopDownAndTheRightAndBottomUp)
{
  struct Case
  {
    float scale;
    IRECT in;
    IRECT out;
  };
  const Case cases[] = {
    {1.f, IRECT(0, 0, 10, 10), IRECT(0, 0, 10, 10)},
    {1.f, IRECT(0.5f, 1.5f, 9.5f, 10.5f), IRECT(0, 1, 10, 11)},
    {1.5f, IRECT(1.1f, 2.3f, 3.3f, 4.1f), IRECT(1, 3, 5, 7)},
    {2.f, IRECT(1.25f, 2.5f, 10.25f, 20.f), IRECT(2, 5, 21, 40)},
    {0.75f, IRECT(-1.f, -3.f, 3.f, 5.f), IRECT(-1, -3, 3, 4)},
    {1.5f, IRECT(-1.1f, -2.3f, -0.1f, 0.f), IRECT(-2, -4, -0, 0)},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.scale);
    MakeGraphics(c.scale);
    const IRECT r = mGraphics->ScaledRect(c.in);
    EXPECT_EQ(r.L, c.out.L);
    EXPECT_EQ(r.T, c.out.T);
    EXPECT_EQ(r.R, c.out.R);
    EXPECT_EQ(r.B, c.out.B);
  }
}

TEST_F(MacGraphicsTest, PlatformResizeSetsTheWindowSizeAtOnceAndRenewsTheTooltips)
{
  NSView* view = Open();
  mGraphics->EnableTooltips(true);
  mGraphics->AttachControl(new TestControl(mLog, "a", IRECT(10, 10, 20, 20)));
  FrameChangeWitness witness;
  FrameChangeObserver* observer = [[FrameChangeObserver alloc] init];
  observer->mWitness = &witness;
  [[NSNotificationCenter defaultCenter] addObserver:observer
                                           selector:@selector(frameChanged:)
                                               name:NSViewFrameDidChangeNotification
                                             object:view];
  mGraphics->Resize(300, 200, 1.5f);
  [[NSNotificationCenter defaultCenter] removeObserver:observer];
  [observer release];

  EXPECT_EQ([view frame].size.width, 450);
  EXPECT_EQ([view frame].size.height, 300);
  EXPECT_GE(witness.changes, 1);
  EXPECT_EQ(witness.groupingDepth, 1);
  EXPECT_EQ(witness.duration, 0.);
  EXPECT_EQ(StandInAnimationGroupingDepth(), 0);
  NSArray* tips = [view standInToolTipRects];
  ASSERT_EQ([tips count], 1u);
  const NSRect tip = [[tips objectAtIndex:0] rectValue];
  EXPECT_EQ(tip.origin.x, 15);
  EXPECT_EQ(tip.size.width, 15);
}

TEST_F(MacGraphicsTest, PlatformResizeTruncatesAFractionalWindowSize)
{
  MakeGraphics(1.25f);
  NSView* view = Open();
  mGraphics->Resize(301, 199, 1.25f);
  EXPECT_EQ([view frame].size.width, 376);  // 376.25
  EXPECT_EQ([view frame].size.height, 248); // 248.75
}

TEST_F(MacGraphicsTest, APlatformViewIsPlacedAtTheScaledRectangleAndCanBeHiddenAndRemoved)
{
  MakeGraphics(2.f);
  NSView* view = Open();
  NSView* child = [[NSView alloc] initWithFrame:NSMakeRect(0, 0, 1, 1)];
  mGraphics->AttachPlatformView(IRECT(1.3f, 2.6f, 10.2f, 20.1f), child);
  EXPECT_EQ([child superview], view);
  const NSRect frame = [child frame];
  EXPECT_EQ(frame.origin.x, 2);
  EXPECT_EQ(frame.origin.y, 5);
  EXPECT_EQ(frame.size.width, 19);
  EXPECT_EQ(frame.size.height, 36);

  mGraphics->HidePlatformView(child, true);
  EXPECT_TRUE([child isHidden]);
  mGraphics->HidePlatformView(child, false);
  EXPECT_FALSE([child isHidden]);
  mGraphics->RemovePlatformView(child);
  EXPECT_EQ([child superview], nil);
  EXPECT_EQ([child retainCount], 1u);
  [child release];
}

TEST_F(MacGraphicsTest, TooltipsCoverTheVisibleControlsWithATargetOnly)
{
  NSView* view = Open();
  mGraphics->AttachControl(new TestControl(mLog, "shown", IRECT(10, 20, 30, 40)));
  IControl* hidden = mGraphics->AttachControl(new TestControl(mLog, "hidden", IRECT(50, 50, 60, 60)));
  hidden->Hide(true);
  mGraphics->AttachControl(new TestControl(mLog, "empty", IRECT()));

  mGraphics->UpdateTooltips();
  EXPECT_EQ([[view standInToolTipRects] count], 0u) << "tooltips are off";

  mGraphics->EnableTooltips(true);
  mGraphics->UpdateTooltips();
  NSArray* tips = [view standInToolTipRects];
  ASSERT_EQ([tips count], 1u);
  const NSRect tip = [[tips objectAtIndex:0] rectValue];
  EXPECT_EQ(tip.origin.x, 10);
  EXPECT_EQ(tip.origin.y, 20);
  EXPECT_EQ(tip.size.width, 20);

  mGraphics->UpdateTooltips();
  EXPECT_EQ([[view standInToolTipRects] count], 1u) << "the old tips are removed first";
}

TEST_F(MacGraphicsTest, AnOpenDrawnMenuLeavesNoTooltips)
{
  NSView* view = Open();
  mGraphics->EnableTooltips(true);
  IControl* control = mGraphics->AttachControl(new TestControl(mLog, "a", IRECT(10, 20, 30, 40)));
  mGraphics->AttachPopupMenuControl();
  mGraphics->UpdateTooltips();
  EXPECT_EQ([[view standInToolTipRects] count], 1u) << "a closed menu hides nothing";

  IPopupMenu menu;
  menu.AddItem("one");
  mGraphics->CreatePopupMenu(*control, menu, IRECT(10, 20, 30, 40));
  mGraphics->UpdateTooltips();
  EXPECT_EQ([[view standInToolTipRects] count], 0u);
}

TEST_F(MacGraphicsTest, HidingTheCursorActsOnlyWhenTheStateChanges)
{
  Open();
  mGraphics->HideMouseCursor(true, true);
  EXPECT_EQ(StandInCursorHideLevel(), 1);
  mGraphics->HideMouseCursor(true, false);
  EXPECT_EQ(StandInCursorHideLevel(), 1);
  mGraphics->HideMouseCursor(false, true);
  EXPECT_EQ(StandInCursorHideLevel(), 0);
  mGraphics->HideMouseCursor(false, true);
  EXPECT_EQ(StandInCursorHideLevel(), 0);
}

TEST_F(MacGraphicsTest, ALockedDragHoldsThePointerWhereItWasHidden)
{
  Open();
  // Screen (150.4, 250.6) holds at (150, 251): window (50, 151), view (50, 200 - 151).
  StandInSetMouseLocation(NSMakePoint(150.4, 250.6));
  mGraphics->HideMouseCursor(true, true);
  StandInSetMouseLocation(NSMakePoint(163, 240));

  float prevX = -1.f, prevY = -1.f;
  mGraphics->DoCursorLock(63.f, 60.f, prevX, prevY);
  EXPECT_EQ(prevX, 50.f);
  EXPECT_EQ(prevY, 49.f);
  ASSERT_EQ(StandInCursorMoveCount(), 1);
  const CGPoint moved = StandInLastCursorMovePoint();
  EXPECT_EQ(moved.x, 150);
  EXPECT_EQ(moved.y, 1080 - 251);
  EXPECT_FALSE(StandInLastCursorMoveWasAssociated()) << "the move must not count as mouse movement";
  EXPECT_TRUE(StandInMouseAssociated());
  EXPECT_EQ([NSEvent mouseLocation].x, 150);
  EXPECT_EQ([NSEvent mouseLocation].y, 251);

  mGraphics->DoCursorLock(70.f, 55.f, prevX, prevY);
  EXPECT_EQ(prevX, 50.f) << "every event is measured from the held point";
  EXPECT_EQ(prevY, 49.f);
  EXPECT_EQ(StandInCursorMoveCount(), 2);
}

TEST_F(MacGraphicsTest, WithoutALockTheCursorPositionFollowsTheEvents)
{
  Open();
  struct Case
  {
    bool hide;
    bool lock;
  };
  const Case cases[] = {{false, false}, {true, false}};
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.hide);
    mGraphics->HideMouseCursor(c.hide, c.lock);
    float prevX = -1.f, prevY = -1.f;
    mGraphics->DoCursorLock(12.f, 34.f, prevX, prevY);
    EXPECT_EQ(prevX, 12.f);
    EXPECT_EQ(prevY, 34.f);
    mGraphics->DoCursorLock(20.f, 30.f, prevX, prevY);
    EXPECT_EQ(prevX, 20.f);
    EXPECT_EQ(prevY, 30.f);
    EXPECT_EQ(StandInCursorMoveCount(), 0);
  }
}

TEST_F(MacGraphicsTest, MoveMouseCursorPutsThePointerOnTheEditorPoint)
{
  MakeGraphics(2.f);
  Open(); // 600 x 400 in the window's 400 x 300 content: its top is at window y 400.
  mGraphics->MoveMouseCursor(25.f, 50.f);
  // View (50, 100) -> window (50, 300) -> screen (150, 400) -> display (150, 1080 - 400).
  ASSERT_EQ(StandInCursorMoveCount(), 1);
  EXPECT_EQ(StandInLastCursorMovePoint().x, 150);
  EXPECT_EQ(StandInLastCursorMovePoint().y, 680);

  float x = 0.f, y = 0.f;
  mGraphics->GetMouseLocation(x, y);
  EXPECT_EQ(x, 25.f);
  EXPECT_EQ(y, 50.f);
}

TEST_F(MacGraphicsTest, MoveMouseCursorWithoutAWindowLeavesThePointerAlone)
{
  struct Case
  {
    const char* name;
    bool openWithoutParent;
  };
  for (const Case& c : {Case{"no view", false}, Case{"a view in no window", true}})
  {
    SCOPED_TRACE(c.name);
    MakeGraphics(1.f);
    if (c.openWithoutParent)
      ASSERT_NE(mGraphics->OpenWindow(nullptr), nullptr);
    StandInResetDisplay();
    StandInSetMouseLocation(NSMakePoint(500, 600));
    mGraphics->MoveMouseCursor(25.f, 50.f);
    EXPECT_EQ(StandInCursorMoveCount(), 0);
    EXPECT_EQ([NSEvent mouseLocation].x, 500);
    EXPECT_EQ([NSEvent mouseLocation].y, 600);
  }
}

TEST_F(MacGraphicsTest, GetMouseLocationGivesEditorUnitsInTheView)
{
  struct Case
  {
    float scale;
    NSPoint screen;
    float x, y;
  };
  const Case cases[] = {
    {1.f, NSMakePoint(150, 250), 50.f, 50.f},
    {1.f, NSMakePoint(100, 300), 0.f, 0.f},
    {2.f, NSMakePoint(200, 300), 50.f, 100.f},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.scale);
    MakeGraphics(c.scale);
    NewWindow();
    Open();
    StandInSetMouseLocation(c.screen);
    float x = -1.f, y = -1.f;
    mGraphics->GetMouseLocation(x, y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

TEST_F(MacGraphicsTest, PointToScreenAndScreenToPointAreInverses)
{
  MakeGraphics(1.5f);
  Open();
  float x = 20.f, y = 40.f;
  mGraphics->PointToScreen(x, y);
  // View (30, 60) in a 450 x 300 flipped view: window (30, 240), screen (130, 340).
  EXPECT_EQ(x, 130.f);
  EXPECT_EQ(y, 340.f);
  mGraphics->ScreenToPoint(x, y);
  EXPECT_EQ(x, 20.f);
  EXPECT_EQ(y, 40.f);
}

TEST_F(MacGraphicsTest, SetMouseCursorShowsTheCursorAndAnswersThePreviousOne)
{
  Open();
  EXPECT_EQ(mGraphics->SetMouseCursor(ECursor::IBEAM), ECursor::ARROW);
  EXPECT_STREQ([StandInCursorName([NSCursor currentCursor]) UTF8String], "IBeam");
  EXPECT_EQ(mGraphics->SetMouseCursor(ECursor::ARROW), ECursor::IBEAM);
  EXPECT_STREQ([StandInCursorName([NSCursor currentCursor]) UTF8String], "arrow");
}

TEST_F(MacGraphicsTest, TheAppearanceIsDarkOnlyForDarkAqua)
{
  NSView* view = Open();
  struct Case
  {
    NSAppearanceName name;
    EUIAppearance expected;
  };
  const Case cases[] = {
    {NSAppearanceNameDarkAqua, EUIAppearance::Dark},
    {NSAppearanceNameAqua, EUIAppearance::Light},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE([c.name UTF8String]);
    [view setAppearance:[NSAppearance appearanceNamed:c.name]];
    EXPECT_EQ(mGraphics->GetUIAppearance(), c.expected);
  }
}

TEST_F(MacGraphicsTest, TheSystemVersionFollowsTheAppKitVersion)
{
  struct Case
  {
    double appKit;
    int version;
  };
  const Case cases[] = {
    {1265.9, 0x1090}, // older than 10.10: the system call's answer
    {1266., 0x10A0},  {1403.9, 0x10A0}, {1404., 0x10B0}, {2299., 0x10B0},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.appKit);
    EXPECT_EQ(IGraphicsMac::UserOSVersionForAppKit(c.appKit), c.version);
  }
}

TEST_F(MacGraphicsTest, TheSystemVersionIsWorkedOutOnce)
{
  const double kept = NSAppKitVersionNumber;
  EXPECT_EQ(IGraphicsMac::GetUserOSVersion(), 0x10B0); // the stand-in's AppKit is recent
  StandInSetAppKitVersionNumber(1300);
  EXPECT_EQ(IGraphicsMac::GetUserOSVersion(), 0x10B0);
  StandInSetAppKitVersionNumber(kept);
}

TEST_F(MacGraphicsTest, ThePlatformNamesItselfCocoa)
{
  EXPECT_STREQ(mGraphics->GetPlatformAPIStr(), "Cocoa");
}
