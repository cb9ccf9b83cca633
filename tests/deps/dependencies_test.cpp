// Proves that every third-party library compiles and links on this lane, before any of our
// own code depends on it.
#include <gtest/gtest.h>

#include "base/source/fstring.h"
#include "pluginterfaces/base/funknown.h"
#include "public.sdk/source/vst/vstsinglecomponenteffect.h"

#include <glad/gl.h>
#include <nanovg.h>

#define NANOSVG_IMPLEMENTATION
#include <nanosvg/nanosvg.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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

namespace
{
// A stand-in for a GL driver: glGetString answers a version and an extension list, every other name
// gets a pointer of its own (never called) and is recorded.
const char* gVersion = nullptr;
std::vector<std::string> gAsked;

const GLubyte* GLAD_API_PTR FakeGetString(GLenum name)
{
  if (name == GL_VERSION)
    return reinterpret_cast<const GLubyte*>(gVersion);
  if (name == GL_EXTENSIONS)
    return reinterpret_cast<const GLubyte*>("GL_ARB_multitexture GL_ARB_framebuffer_object");
  return nullptr;
}

GLADapiproc SentinelFor(const std::string& name)
{
  return reinterpret_cast<GLADapiproc>(0x10000 + 16 * (std::hash<std::string>()(name) % 0x100000));
}

GLADapiproc FakeLoader(const char* name)
{
  gAsked.push_back(name);
  if (std::strcmp(name, "glGetString") == 0)
    return reinterpret_cast<GLADapiproc>(&FakeGetString);
  return SentinelFor(name);
}

bool Asked(const char* name)
{
  return std::find(gAsked.begin(), gAsked.end(), name) != gAsked.end();
}
} // namespace

// The loader needs no context of its own: given a driver's lookup function it reads the version
// and extensions and takes exactly the functions they promise.
TEST(Dependencies, GladLoadsWhatTheDriverOffers)
{
  gVersion = "2.1 Fake Driver";
  EXPECT_EQ(gladLoadGL(FakeLoader), GLAD_MAKE_VERSION(2, 1));
  EXPECT_TRUE(GLAD_GL_VERSION_2_1);
  EXPECT_TRUE(GLAD_GL_ARB_framebuffer_object);
  EXPECT_FALSE(GLAD_GL_EXT_framebuffer_object);
  EXPECT_EQ(reinterpret_cast<GLADapiproc>(glad_glClear), SentinelFor("glClear"));
  EXPECT_EQ(reinterpret_cast<GLADapiproc>(glad_glUniformMatrix2x3fv), SentinelFor("glUniformMatrix2x3fv"));
  EXPECT_EQ(reinterpret_cast<GLADapiproc>(glad_glGenFramebuffers), SentinelFor("glGenFramebuffers"));
  EXPECT_EQ(reinterpret_cast<GLADapiproc>(glad_glGetString), reinterpret_cast<GLADapiproc>(&FakeGetString));
  EXPECT_TRUE(Asked("glCreateShader"));
  EXPECT_FALSE(Asked("glGenFramebuffersEXT")) << "an extension the driver lacks is not looked up";

  // An older driver: the 2.x functions are not even asked for.
  gAsked.clear();
  gVersion = "1.4 Old Driver";
  EXPECT_EQ(gladLoadGL(FakeLoader), GLAD_MAKE_VERSION(1, 4));
  EXPECT_FALSE(GLAD_GL_VERSION_2_0);
  EXPECT_TRUE(Asked("glBlendFuncSeparate"));
  EXPECT_FALSE(Asked("glCreateShader"));

  // No version at all: no GL.
  gVersion = nullptr;
  EXPECT_EQ(gladLoadGL(FakeLoader), 0);
}
