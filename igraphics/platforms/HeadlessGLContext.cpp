#include "igraphics/platforms/HeadlessGLContext.h"

#include <glad/gl.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>
#include <mutex>

#include <stb_image_write.h>

namespace iplug::igraphics
{

namespace
{

// One display for the process: terminating it would pull the rug from under every other
// context, so it is initialised on first use and left to the driver's own exit handling.
EGLDisplay SurfacelessDisplay()
{
  static EGLDisplay sDisplay = EGL_NO_DISPLAY;
  static std::once_flag sOnce;
  std::call_once(sOnce, [] {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
      return;
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY)
      return;
    EGLint major = 0, minor = 0;
    if (eglInitialize(display, &major, &minor) != EGL_TRUE)
      return;
    sDisplay = display;
  });
  return sDisplay;
}

GLADapiproc LoadGLFunction(const char* name)
{
  return reinterpret_cast<GLADapiproc>(eglGetProcAddress(name));
}

} // namespace

HeadlessGLContext::~HeadlessGLContext()
{
  Destroy();
}

bool HeadlessGLContext::Create(int width, int height)
{
  Destroy();
  if (width <= 0 || height <= 0)
    return false;

  EGLDisplay display = SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY || eglBindAPI(EGL_OPENGL_API) != EGL_TRUE)
    return false;

  const EGLint configAttribs[] = {EGL_SURFACE_TYPE,
                                  EGL_PBUFFER_BIT,
                                  EGL_RED_SIZE,
                                  8,
                                  EGL_GREEN_SIZE,
                                  8,
                                  EGL_BLUE_SIZE,
                                  8,
                                  EGL_ALPHA_SIZE,
                                  8,
                                  EGL_STENCIL_SIZE,
                                  8,
                                  EGL_RENDERABLE_TYPE,
                                  EGL_OPENGL_BIT,
                                  EGL_NONE};
  EGLConfig config = nullptr;
  EGLint numConfigs = 0;
  if (eglChooseConfig(display, configAttribs, &config, 1, &numConfigs) != EGL_TRUE || numConfigs < 1)
    return false;

  const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                   EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
  if (context == EGL_NO_CONTEXT)
    return false;

  mDisplay = display;
  mContext = context;
  MakeCurrent();

  if (!gladLoadGL(LoadGLFunction) || !glGenFramebuffers || !CreateFramebuffer(width, height))
  {
    Destroy();
    return false;
  }
  return true;
}

void HeadlessGLContext::Destroy()
{
  if (!mContext)
    return;
  MakeCurrent();
  DeleteFramebuffer();
  eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(mDisplay, mContext);
  mContext = nullptr;
  mDisplay = nullptr;
}

bool HeadlessGLContext::Resize(int width, int height)
{
  if (!mContext || width <= 0 || height <= 0)
    return false;
  MakeCurrent();
  // The framebuffer keeps its name, like a window keeps its default framebuffer: drawing code
  // that looked it up once goes on finding it.
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glBindRenderbuffer(GL_RENDERBUFFER, mColorRBO);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, mStencilRBO);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, mFBO);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  if (!complete)
    return false;
  mWidth = width;
  mHeight = height;
  return true;
}

void HeadlessGLContext::MakeCurrent() const
{
  if (mContext)
    eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext);
}

void HeadlessGLContext::BindWindowFramebuffer() const
{
  glBindFramebuffer(GL_FRAMEBUFFER, mFBO);
}

bool HeadlessGLContext::CreateFramebuffer(int width, int height)
{
  glGenFramebuffers(1, &mFBO);
  glBindFramebuffer(GL_FRAMEBUFFER, mFBO);

  glGenRenderbuffers(1, &mColorRBO);
  glBindRenderbuffer(GL_RENDERBUFFER, mColorRBO);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mColorRBO);

  glGenRenderbuffers(1, &mStencilRBO);
  glBindRenderbuffer(GL_RENDERBUFFER, mStencilRBO);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, mStencilRBO);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);

  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
  {
    DeleteFramebuffer();
    return false;
  }
  mWidth = width;
  mHeight = height;
  glViewport(0, 0, width, height);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  return true;
}

void HeadlessGLContext::DeleteFramebuffer()
{
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (mFBO)
    glDeleteFramebuffers(1, &mFBO);
  if (mColorRBO)
    glDeleteRenderbuffers(1, &mColorRBO);
  if (mStencilRBO)
    glDeleteRenderbuffers(1, &mStencilRBO);
  mFBO = mColorRBO = mStencilRBO = 0;
  mWidth = mHeight = 0;
}

std::vector<uint8_t> HeadlessGLContext::ReadPixels() const
{
  if (!mContext || !mFBO)
    return {};
  MakeCurrent();
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_FRAMEBUFFER, mFBO);
  std::vector<uint8_t> bottomUp(static_cast<size_t>(mWidth) * mHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, mWidth, mHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  return FlipRows(bottomUp, mWidth, mHeight);
}

bool HeadlessGLContext::WritePNG(const char* path) const
{
  const std::vector<uint8_t> pixels = ReadPixels();
  if (pixels.empty() || !path)
    return false;
  return stbi_write_png(path, mWidth, mHeight, 4, pixels.data(), mWidth * 4) != 0;
}

std::vector<uint8_t> FlipRows(const std::vector<uint8_t>& rgba, int width, int height)
{
  std::vector<uint8_t> flipped(rgba.size());
  const size_t stride = static_cast<size_t>(width) * 4;
  if (rgba.size() != stride * static_cast<size_t>(height))
    return {};
  for (int row = 0; row < height; ++row)
    std::memcpy(flipped.data() + static_cast<size_t>(row) * stride,
                rgba.data() + static_cast<size_t>(height - 1 - row) * stride, stride);
  return flipped;
}

} // namespace iplug::igraphics
