#include "igraphics/platforms/HeadlessGLContext.h"

#include <glad/gl.h>
#include <gtest/gtest.h>
#include <stb_image.h>

#include <string>

using namespace iplug::igraphics;

namespace
{

// Clears a band of rows with a scissor so that row order can be told apart after read-back.
void ClearRows(int y, int h, float r, float g, float b)
{
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, y, 64, h);
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
}

} // namespace

TEST(HeadlessGLContext, ReadsBackTopRowFirst)
{
  HeadlessGLContext gl;
  ASSERT_TRUE(gl.Create(64, 32));
  gl.BindWindowFramebuffer();
  ClearRows(0, 8, 1, 0, 0);  // GL row 0 is the bottom of the image
  ClearRows(24, 8, 0, 0, 1); // the top
  glFinish();

  const auto px = gl.ReadPixels();
  ASSERT_EQ(px.size(), 64u * 32u * 4u);
  auto at = [&](int x, int y) { return &px[(static_cast<size_t>(y) * 64 + x) * 4]; };
  EXPECT_EQ(at(5, 0)[2], 255);  // blue on top
  EXPECT_EQ(at(5, 31)[0], 255); // red at the bottom
  EXPECT_EQ(at(5, 16)[3], 0);   // untouched rows stay transparent
}

TEST(HeadlessGLContext, SnapshotIsAReadablePNG)
{
  HeadlessGLContext gl;
  ASSERT_TRUE(gl.Create(64, 32));
  gl.BindWindowFramebuffer();
  ClearRows(24, 8, 0, 1, 0);
  glFinish();

  const std::string path = std::string(SNAPSHOT_DIR) + "/headless_context.png";
  ASSERT_TRUE(gl.WritePNG(path.c_str()));
  int w = 0, h = 0, n = 0;
  unsigned char* data = stbi_load(path.c_str(), &w, &h, &n, 4);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(w, 64);
  EXPECT_EQ(h, 32);
  EXPECT_EQ(data[1], 255); // green band in the first row of the file
  stbi_image_free(data);
}

TEST(HeadlessGLContext, ResizeKeepsAWorkingWindowAndRejectsBadSizes)
{
  HeadlessGLContext gl;
  EXPECT_FALSE(gl.Create(0, 10));
  EXPECT_FALSE(gl.IsValid());
  ASSERT_TRUE(gl.Create(8, 8));
  const unsigned int window = gl.GetWindowFramebuffer();
  ASSERT_TRUE(gl.Resize(20, 10));
  EXPECT_EQ(gl.GetWindowFramebuffer(), window); // found again by code that looked it up once
  EXPECT_EQ(gl.ReadPixels().size(), 20u * 10u * 4u);
  EXPECT_FALSE(gl.Resize(-1, 10));
}

TEST(HeadlessGLContext, TwoContextsKeepTheirOwnWindows)
{
  HeadlessGLContext a, b;
  ASSERT_TRUE(a.Create(16, 16));
  ASSERT_TRUE(b.Create(16, 16));
  a.MakeCurrent();
  a.BindWindowFramebuffer();
  ClearRows(0, 16, 1, 0, 0);
  glFinish();
  b.Destroy();
  EXPECT_EQ(a.ReadPixels()[0], 255);
}

TEST(FlipRows, ReversesRowOrderAndRejectsWrongSizes)
{
  const std::vector<uint8_t> twoRows = {1, 1, 1, 1, 2, 2, 2, 2};
  EXPECT_EQ(FlipRows(twoRows, 1, 2), (std::vector<uint8_t>{2, 2, 2, 2, 1, 1, 1, 1}));
  EXPECT_TRUE(FlipRows(twoRows, 2, 2).empty());
}
