// How a parent window or a host's chosen size becomes the open editor's drawing scale.
#include "plugin/Brimvale.h"

#include "igraphics/IGraphics.h"
#include "igraphics/MakeGraphics.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};

class OpenBrimvaleEditor : public ::testing::Test
{
protected:
  void SetUp() override
  {
    plug->SetMakeGraphicsFunc([this] { return iplug::igraphics::MakeGraphics(*plug, 1480, 360, 60, 1.f); });
    ASSERT_NE(plug->OpenWindow(nullptr), nullptr);
    ASSERT_NE(plug->GetUI(), nullptr);
  }
  void TearDown() override { plug->CloseWindow(); }

  float Scale() const { return plug->GetUI()->GetDrawScale(); }

  std::unique_ptr<Brimvale, ReleasePlug> plug{new Brimvale(iplug::InstanceInfo())};
};

} // namespace

TEST_F(OpenBrimvaleEditor, ParentWindowSizesGiveWholePixelScales)
{
  struct Case
  {
    int w, h;
    float expectedScale;
  } cases[] = {
    {3000, 1000, 1.6f}, // clamped to the largest scale: 2368 wide
    {0, 0, 1.f},        // no size at all
    {1776, 432, 1776.f / 1480.f},
    {1850, 1000, 1850.f / 1480.f},
    {1000, 200, 1369.f / 1480.f}, // raised to the smallest scale, 1369 wide
    {1480, 360, 1.f},
  };
  for (const Case& c : cases)
  {
    plug->OnParentWindowResize(c.w, c.h);
    EXPECT_FLOAT_EQ(Scale(), c.expectedScale) << c.w << "x" << c.h;
    EXPECT_EQ(plug->GetUI()->Width(), 1480);
    EXPECT_EQ(plug->GetUI()->Height(), 360);
    // Always a whole number of pixels wide.
    const float pixels = Scale() * 1480.f;
    EXPECT_NEAR(pixels, static_cast<float>(static_cast<int>(pixels + 0.5f)), 1e-3f) << c.w << "x" << c.h;
  }
}

TEST_F(OpenBrimvaleEditor, TheHostsChosenSizeRescalesAndTheScaleOutlivesClosing)
{
  plug->OnHostSelectedViewConfiguration(1776, 432);
  EXPECT_FLOAT_EQ(Scale(), 1.2f);

  plug->CloseWindow();
  ASSERT_EQ(plug->GetUI(), nullptr);
  ASSERT_NE(plug->OpenWindow(nullptr), nullptr);
  EXPECT_FLOAT_EQ(Scale(), 1.2f);
}
