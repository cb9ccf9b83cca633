// Proves that every third-party library compiles and links on this lane, before any of our
// own code depends on it.
#include <gtest/gtest.h>

#include "base/source/fstring.h"
#include "pluginterfaces/base/funknown.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include <nanovg.h>

#define NANOSVG_IMPLEMENTATION
#include <nanosvg/nanosvg.h>

#include <string>

TEST(Dependencies, Vst3SdkBuildsIdsAndStrings)
{
  Steinberg::FUID id(0x0DE7AEF2, 0x4E4FDE00, 0x6C6C7750, 0x316D5642);
  char text[33] = {};
  id.toString(text);
  EXPECT_EQ(std::string(text).size(), 32u);
  Steinberg::String s("VST");
  s.append(" 3");
  EXPECT_STREQ(s.text8(), "VST 3");
}

TEST(Dependencies, NanoVgLinksWithoutAContext)
{
  NVGcolor c = nvgRGBA(255, 0, 0, 255);
  EXPECT_FLOAT_EQ(c.r, 1.0f);
  EXPECT_FLOAT_EQ(nvgDegToRad(180.0f), NVG_PI);
}

TEST(Dependencies, NanoSvgParsesASquare)
{
  char svg[] = "<svg width='10' height='20'><rect x='0' y='0' width='10' height='20' fill='#ff0000'/></svg>";
  NSVGimage* image = nsvgParse(svg, "px", 96.0f);
  ASSERT_NE(image, nullptr);
  EXPECT_FLOAT_EQ(image->width, 10.0f);
  EXPECT_FLOAT_EQ(image->height, 20.0f);
  ASSERT_NE(image->shapes, nullptr);
  nsvgDelete(image);
}
