// The NanoVG back end on Metal: frames reach the view's layer, layers read back top row first,
// framebuffers and contexts live exactly as long as they should.
#include <gtest/gtest.h>

#import <AppKit/AppKit.h>

#include "StandIns/MetalNanoVG.h"

#include "../EventLog.h"
#include "../FakeEditorDelegate.h"
#include "igraphics/IContainerBase.h"
#include "igraphics/IGraphicsLook.h"
#include "igraphics/ILayer.h"
#import "igraphics/platforms/IGraphicsView.h"

#include <cmath>
#include <functional>
#include <memory>
#include <string>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

constexpr int kWidth = 40;
constexpr int kHeight = 30;
const IColor kBackground(255, 0, 0, 255);
const IColor kFill(255, 255, 0, 0);
const IRECT kFillRect(10.f, 8.f, 30.f, 20.f);

// An editor delegate whose LayoutUI also runs what the test gives it.
class LayoutDelegate : public FakeEditorDelegate
{
public:
  using FakeEditorDelegate::FakeEditorDelegate;

  void LayoutUI(IGraphics* pGraphics) override
  {
    FakeEditorDelegate::LayoutUI(pGraphics);
    if (mLayout)
      mLayout(pGraphics);
  }

  std::function<void(IGraphics*)> mLayout;
};

struct Pixel
{
  int r, g, b, a;
  bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

std::ostream& operator<<(std::ostream& os, const Pixel& p)
{
  return os << "(" << p.r << ", " << p.g << ", " << p.b << ", " << p.a << ")";
}

Pixel At(const uint8_t* pRGBA, int width, int x, int y)
{
  const uint8_t* p = pRGBA + (static_cast<size_t>(y) * width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

Pixel Opaque(const IColor& c)
{
  return {c.R, c.G, c.B, 255};
}

/** An editor with a background and one filled rectangle, opened in a window of its own. */
class Editor
{
public:
  explicit Editor(const IColor& fill)
  {
    mDelegate.mLayout = [fill](IGraphics* pGraphics) {
      pGraphics->AttachControl(new IPanelControl(pGraphics->GetBounds(), kBackground));
      pGraphics->AttachControl(new IPanelControl(kFillRect, fill));
    };
  }
  ~Editor() { Close(); }

  /** Opens the editor in a window whose screen has the backing scale. */
  IGraphicsNanoVG& Open(float drawScale, CGFloat screenScale)
  {
    [[NSScreen mainScreen] standInSetBackingScaleFactor:screenScale];
    mDelegate.SetMakeGraphicsFunc(
      [this, drawScale] { return new IGraphicsMac(mDelegate, kWidth, kHeight, 60, drawScale); });
    const NSRect frame = NSMakeRect(0, 0, std::ceil(kWidth * drawScale), std::ceil(kHeight * drawScale));
    mWindow = [[NSWindow alloc] initWithContentRect:frame
                                          styleMask:NSWindowStyleMaskBorderless
                                            backing:NSBackingStoreBuffered
                                              defer:NO];
    [mWindow standInSetBackingScaleFactor:screenScale];
    mView = static_cast<IGraphicsView*>(mDelegate.OpenWindow([mWindow contentView]));
    EXPECT_NE(mView, nil);
    return *static_cast<IGraphicsNanoVG*>(mDelegate.GetUI());
  }

  void Close()
  {
    mDelegate.CloseWindow();
    mView = nil;
    [mWindow close];
    [mWindow release];
    mWindow = nil;
  }

  void Render() { [mView render]; }
  StandInDrawable Drawable() const { return StandInReadMetalDrawable(static_cast<CAMetalLayer*>([mView layer])); }

private:
  EventLog mLog;
  LayoutDelegate mDelegate{mLog, 0};
  NSWindow* mWindow = nil;
  IGraphicsView* mView = nil;
};

class MetalBackEndTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mContextsBefore = StandInLiveMetalContexts();
    mFramebuffersBefore = StandInLiveMetalFramebuffers();
  }

  void TearDown() override
  {
    @autoreleasepool
    {
      mEditor.Close();
      [[NSScreen mainScreen] standInSetBackingScaleFactor:1.0];
    }
  }

  Editor mEditor{kFill};
  int mContextsBefore = 0;
  int mFramebuffersBefore = 0;
};

struct ScaleCase
{
  float drawScale;
  CGFloat screenScale;
};

class MetalFrameTest : public MetalBackEndTest, public ::testing::WithParamInterface<ScaleCase>
{};

TEST_P(MetalFrameTest, RenderedFrameReachesTheLayerAtDevicePixelSize)
{
  @autoreleasepool
  {
    const ScaleCase c = GetParam();
    mEditor.Open(c.drawScale, c.screenScale);
    mEditor.Render();

    const StandInDrawable drawable = mEditor.Drawable();
    const int width = static_cast<int>(static_cast<int>(kWidth * c.drawScale) * c.screenScale);
    const int height = static_cast<int>(static_cast<int>(kHeight * c.drawScale) * c.screenScale);
    ASSERT_EQ(drawable.width, width);
    ASSERT_EQ(drawable.height, height);
    ASSERT_EQ(drawable.rgba.size(), static_cast<size_t>(width) * height * 4);

    const float px = c.drawScale * static_cast<float>(c.screenScale);
    const auto at = [&](float x, float y) {
      return At(drawable.rgba.data(), width, static_cast<int>(x * px), static_cast<int>(y * px));
    };
    EXPECT_EQ(at(kFillRect.MW(), kFillRect.MH()), Opaque(kFill));
    EXPECT_EQ(at(kFillRect.L + 1.f, kFillRect.T + 1.f), Opaque(kFill));
    EXPECT_EQ(at(kFillRect.R - 1.f, kFillRect.B - 1.f), Opaque(kFill));
    EXPECT_EQ(at(2.f, 2.f), Opaque(kBackground));                          // top left
    EXPECT_EQ(at(kWidth - 2.f, kHeight - 2.f), Opaque(kBackground));       // bottom right
    EXPECT_EQ(at(kFillRect.MW(), kFillRect.T - 3.f), Opaque(kBackground)); // above: rows run top-down
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, MetalFrameTest,
                         ::testing::Values(ScaleCase{1.f, 1.0}, ScaleCase{1.f, 2.0}, ScaleCase{2.f, 1.0},
                                           ScaleCase{1.5f, 2.0}),
                         [](const ::testing::TestParamInfo<ScaleCase>& info) {
                           return "draw" + std::to_string(static_cast<int>(info.param.drawScale * 10)) + "_screen" +
                                  std::to_string(static_cast<int>(info.param.screenScale));
                         });

TEST_F(MetalBackEndTest, NamesItsApiAndAsksForAntiAliasedTripleBuffering)
{
  @autoreleasepool
  {
    IGraphicsNanoVG& g = mEditor.Open(1.f, 1.0);
    EXPECT_STREQ(g.GetDrawingAPIStr(), "NanoVG | Metal");
    EXPECT_EQ(StandInMetalContextFlags(static_cast<NVGcontext*>(g.GetDrawContext())), 0x2001);
    EXPECT_FALSE(g.FlippedBitmap());
  }
}

TEST_F(MetalBackEndTest, LayerBitmapReadsBackTopRowFirst)
{
  @autoreleasepool
  {
    IGraphicsNanoVG& g = mEditor.Open(1.f, 2.0);
    g.BeginFrame();
    g.StartLayer(nullptr, IRECT(0.f, 0.f, 20.f, 10.f));
    g.FillRect(kFill, IRECT(0.f, 0.f, 20.f, 4.f));
    ILayerPtr layer = g.EndLayer();
    WDL_TypedBuf<uint8_t> data;
    g.GetLayerBitmapData(layer, data);
    g.EndFrame();

    const int w = layer->GetAPIBitmap()->GetWidth();
    const int h = layer->GetAPIBitmap()->GetHeight();
    ASSERT_EQ(w, 40);
    ASSERT_EQ(h, 20);
    ASSERT_EQ(data.GetSize(), w * h * 4);
    for (const int y : {0, 7})
      EXPECT_EQ(At(data.Get(), w, w / 2, y), Opaque(kFill)) << "row " << y;
    for (const int y : {8, h - 1})
      EXPECT_EQ(At(data.Get(), w, w / 2, y), (Pixel{0, 0, 0, 0})) << "row " << y;
  }
}

TEST_F(MetalBackEndTest, LayerDestroyedMidFrameIsDeletedAfterTheComposite)
{
  @autoreleasepool
  {
    IGraphicsNanoVG& g = mEditor.Open(1.f, 1.0);
    g.BeginFrame();
    g.StartLayer(nullptr, IRECT(0.f, 0.f, 10.f, 10.f));
    ILayerPtr layer = g.EndLayer();
    const int withLayer = StandInLiveMetalFramebuffers();
    layer.reset();
    EXPECT_EQ(g.NumDeferredFBOs(), 1);
    EXPECT_EQ(StandInLiveMetalFramebuffers(), withLayer);
    g.EndFrame();
    EXPECT_EQ(g.NumDeferredFBOs(), 0);
    EXPECT_EQ(StandInLiveMetalFramebuffers(), withLayer - 1);
  }
}

TEST_F(MetalBackEndTest, BitmapCreatedMidFrameLeavesTheMainFrameOpen)
{
  @autoreleasepool
  {
    IGraphicsNanoVG& g = mEditor.Open(1.f, 1.0);
    g.BeginFrame();
    g.FillRect(kBackground, g.GetBounds());
    std::unique_ptr<APIBitmap> bitmap(g.CreateAPIBitmap(8, 8, 1.f, 1.0));
    EXPECT_TRUE(g.FrameIsOpen());
    g.FillRect(kFill, kFillRect); // must land in the main framebuffer
    g.EndFrame();

    const StandInDrawable drawable = mEditor.Drawable();
    ASSERT_EQ(drawable.width, kWidth);
    EXPECT_EQ(At(drawable.rgba.data(), kWidth, 2, 2), Opaque(kBackground));
    EXPECT_EQ(At(drawable.rgba.data(), kWidth, static_cast<int>(kFillRect.MW()), static_cast<int>(kFillRect.MH())),
              Opaque(kFill));
    EXPECT_NE(bitmap->GetBitmap(), 0);
  }
}

TEST_F(MetalBackEndTest, CloseAndReopenLeaveNoFramebufferOrContextBehind)
{
  @autoreleasepool
  {
    for (int opening = 0; opening < 2; ++opening)
    {
      IGraphicsNanoVG& g = mEditor.Open(1.f, 2.0);
      EXPECT_EQ(StandInLiveMetalContexts(), mContextsBefore + 1);
      mEditor.Render();
      g.BeginFrame();
      g.StartLayer(nullptr, IRECT(0.f, 0.f, 10.f, 10.f));
      g.EndLayer().reset();
      g.EndFrame();
      mEditor.Close();
      EXPECT_EQ(StandInLiveMetalContexts(), mContextsBefore) << "opening " << opening;
      EXPECT_EQ(StandInLiveMetalFramebuffers(), mFramebuffersBefore) << "opening " << opening;
    }
  }
}

TEST_F(MetalBackEndTest, TwoEditorsDrawIntoTheirOwnLayers)
{
  @autoreleasepool
  {
    const IColor otherFill(255, 0, 255, 0);
    Editor other(otherFill);
    mEditor.Open(1.f, 1.0);
    other.Open(1.f, 1.0);
    EXPECT_EQ(StandInLiveMetalContexts(), mContextsBefore + 2);
    // Interleaved, as their timers fire: each frame must reach its own editor's context.
    mEditor.Render();
    other.Render();

    const int x = static_cast<int>(kFillRect.MW());
    const int y = static_cast<int>(kFillRect.MH());
    const StandInDrawable first = mEditor.Drawable();
    const StandInDrawable second = other.Drawable();
    ASSERT_EQ(first.width, kWidth);
    ASSERT_EQ(second.width, kWidth);
    EXPECT_EQ(At(first.rgba.data(), kWidth, x, y), Opaque(kFill));
    EXPECT_EQ(At(second.rgba.data(), kWidth, x, y), Opaque(otherFill));
    EXPECT_EQ(At(second.rgba.data(), kWidth, 2, 2), Opaque(kBackground));

    other.Close();
    EXPECT_EQ(StandInLiveMetalContexts(), mContextsBefore + 1);
  }
}

} // namespace
