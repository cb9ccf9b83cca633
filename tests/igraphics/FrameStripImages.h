// Multi-frame PNG images that the bitmap tests write before loading them: each frame painted by a
// function, laid side by side or stacked, into the test's output folder.
#pragma once

#include "igraphics/IGraphicsLook.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless
{

inline constexpr iplug::igraphics::IColor kFrameColors[] = {
  iplug::igraphics::IColor(255, 255, 0, 0), iplug::igraphics::IColor(255, 0, 255, 0),
  iplug::igraphics::IColor(255, 0, 0, 255), iplug::igraphics::IColor(255, 255, 255, 0),
  iplug::igraphics::IColor(255, 255, 0, 255)};

/** Writes an image of n frames of fw x fh into outputDir, frame i painted by colorOf(i, x, y) (x, y
 * within the frame); returns its path, which LoadBitmap takes. The file name starts with the running
 * test's name: CTest runs tests side by side, and two of them rewriting one shared file let one load
 * a half-written image. */
inline std::string WriteFrames(const std::string& outputDir, const std::string& name, int n, int fw, int fh,
                               bool horizontal, const std::function<iplug::igraphics::IColor(int, int, int)>& colorOf)
{
  const int w = horizontal ? fw * n : fw;
  const int h = horizontal ? fh : fh * n;
  std::vector<uint8_t> rgba;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
    {
      const iplug::igraphics::IColor c = colorOf(horizontal ? x / fw : y / fh, x % fw, y % fh);
      for (const int channel : {c.R, c.G, c.B, c.A})
        rgba.push_back(static_cast<uint8_t>(channel));
    }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string prefix = test ? std::string(test->test_suite_name()) + "." + test->name() + "." : std::string();
  std::string fileName = prefix + name;
  std::replace(fileName.begin(), fileName.end(), '/', '_'); // parameterised tests are named "Suite/0"
  const std::string path = outputDir + "/" + fileName;
  EXPECT_NE(stbi_write_png(path.c_str(), w, h, 4, rgba.data(), w * 4), 0) << path;
  return path;
}

/** A strip of n solid frames in the colours of kFrameColors. */
inline std::string WriteStrip(const std::string& outputDir, const std::string& name, int n, int fw, int fh,
                              bool horizontal = true)
{
  return WriteFrames(outputDir, name, n, fw, fh, horizontal, [](int frame, int, int) { return kFrameColors[frame]; });
}

} // namespace headless
