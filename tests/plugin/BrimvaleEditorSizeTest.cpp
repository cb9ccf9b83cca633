// The sizes a host may give the editor: the design's proportion within the scale range.
#include "plugin/Brimvale.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};
using BrimvalePtr = std::unique_ptr<Brimvale, ReleasePlug>;

BrimvalePtr MakePlug()
{
  return BrimvalePtr(new Brimvale(iplug::InstanceInfo()));
}

#ifdef _WIN32
constexpr int kMinWidth = 888;
constexpr int kMinHeight = 216;
#else
constexpr int kMinWidth = 1369;
constexpr int kMinHeight = 333;
#endif

} // namespace

TEST(BrimvaleEditorSize, ConstrainKeepsTheProportionWithinTheScaleRange)
{
  struct Case
  {
    int w, h;
    int expectedW, expectedH;
    bool unchanged;
  } cases[] = {
    {1480, 360, 1480, 360, true},
    {1850, 450, 1850, 450, true},             // scale 1.25
    {2368, 576, 2368, 576, true},             // the largest
    {2368, 600, 2368, 576, false},            // too tall for its width
    {3000, 1000, 2368, 576, false},           // beyond the largest scale
    {1776, 1000, 1776, 432, false},           // the width decides: scale 1.2
    {100, 100, kMinWidth, kMinHeight, false}, // raised to the smallest scale
    {0, 0, 1480, 360, false},                 // no size at all counts as scale 1
    {-5, 400, 1480, 360, false},
  };
  auto plug = MakePlug();
  for (const Case& c : cases)
  {
    int w = c.w;
    int h = c.h;
    EXPECT_EQ(plug->ConstrainEditorResize(w, h), c.unchanged) << c.w << "x" << c.h;
    EXPECT_EQ(w, c.expectedW) << c.w << "x" << c.h;
    EXPECT_EQ(h, c.expectedH) << c.w << "x" << c.h;
  }
#ifndef _WIN32
  int w = 1000;
  int h = 1000;
  EXPECT_FALSE(plug->ConstrainEditorResize(w, h));
  EXPECT_EQ(w, 1369);
  EXPECT_EQ(h, 333);
#endif
}

TEST(BrimvaleEditorSize, HostSizesAreSupportedOnlyWithTheExactProportion)
{
  auto plug = MakePlug();
  EXPECT_TRUE(plug->OnHostRequestingSupportedViewConfiguration(1480, 360));
  EXPECT_TRUE(plug->OnHostRequestingSupportedViewConfiguration(2368, 576));
  EXPECT_TRUE(plug->OnHostRequestingSupportedViewConfiguration(1776, 432));
  EXPECT_TRUE(plug->OnHostRequestingSupportedViewConfiguration(kMinWidth, kMinHeight));
  EXPECT_FALSE(plug->OnHostRequestingSupportedViewConfiguration(2368, 600));
  EXPECT_FALSE(plug->OnHostRequestingSupportedViewConfiguration(1481, 360));
  EXPECT_FALSE(plug->OnHostRequestingSupportedViewConfiguration(0, 0));
}

TEST(BrimvaleEditorSize, WithoutAnOpenEditorResizesDoNothing)
{
  auto plug = MakePlug();
  ASSERT_EQ(plug->GetUI(), nullptr);
  plug->OnParentWindowResize(2368, 576);
  plug->OnHostSelectedViewConfiguration(2368, 576);
  EXPECT_EQ(plug->GetUI(), nullptr);
  // A platform that makes no surface: opening fails and leaves no surface behind.
  plug->SetMakeGraphicsFunc([]() -> iplug::igraphics::IGraphics* { return nullptr; });
  EXPECT_EQ(plug->OpenWindow(nullptr), nullptr);
  EXPECT_EQ(plug->GetUI(), nullptr);
}
