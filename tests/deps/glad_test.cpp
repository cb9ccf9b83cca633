// Proves that the generated OpenGL loader compiles and links on the lanes that draw with OpenGL.
#include <gtest/gtest.h>

#include <glad/gl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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
