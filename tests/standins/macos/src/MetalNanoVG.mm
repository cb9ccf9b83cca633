// MetalNanoVG on NanoVG's OpenGL 2 renderer: each context is an EGL context of its own on Mesa's
// surfaceless platform, and a layer's drawable is an offscreen framebuffer, so that tests can read
// what a real Mac would show. What MetalNanoVG does to its layer and how it waits for its buffers
// are kept as they are on a Mac:
// - creating a context takes the layer's device (the system's default when it has none, failing
//   without one) and makes the layer non-opaque;
// - each frame (nvgBeginFrame) takes one of the context's buffers (three when triple-buffered),
//   waiting for one without a time limit; a flush gives its buffer back once the GPU has run it,
//   but a flush into the layer that gets no drawable returns early and never gives it back;
// - the layer's drawable has the layer's drawableSize, nothing else sizes it, and the layer gives
//   none while that is empty or while the window of the view it backs cannot be seen.
#define EGL_NO_X11 1
#include <glad/gl.h>

#include <EGL/egl.h>
#include <EGL/eglext.h>

#define NANOVG_GL2 1
#include <nanovg.h>
#include <nanovg_gl.h>
extern "C"
{
#include <nanovg_gl_utils.h> // declares its C functions without C linkage
}

#include "nanovg_mtl.h"

#import <AppKit/AppKit.h>
#import <QuartzCore/QuartzCore.h>

#include "StandIns/MetalNanoVG.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <type_traits>
#include <utility>

namespace
{

// One display for the process, never terminated: that would end every other context with it.
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
    EGLint major = 0, minor = 0;
    if (display != EGL_NO_DISPLAY && eglInitialize(display, &major, &minor) == EGL_TRUE)
      sDisplay = display;
  });
  return sDisplay;
}

GLADapiproc LoadGLFunction(const char* name)
{
  return reinterpret_cast<GLADapiproc>(eglGetProcAddress(name));
}

EGLContext CreateEGLContext(EGLDisplay display)
{
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE)
    return EGL_NO_CONTEXT;
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
    return EGL_NO_CONTEXT;
  const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                   EGL_NONE};
  return eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttribs);
}

std::vector<uint8_t> ReadBottomUp(int x, int y, int width, int height)
{
  std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
  const size_t stride = static_cast<size_t>(width) * 4;
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(rows.begin() + top * stride, rows.begin() + (top + 1) * stride, rows.begin() + bottom * stride);
  return rows;
}

struct Framebuffer
{
  MNVGframebuffer mPublic; // first, so that the pointer handed out is this record's
  NVGLUframebuffer* mGL;
  int mWidth;
  int mHeight;
};
static_assert(std::is_standard_layout_v<Framebuffer>);

// nextDrawable calls that answered nil.
int sMissedDrawables = 0;

/** One nvgCreateMTL: its EGL context, its layer's drawable and the renderer calls it forwards. */
struct Context
{
  EGLDisplay mDisplay = EGL_NO_DISPLAY;
  EGLContext mEGL = EGL_NO_CONTEXT;
  CALayer* mLayer = nil; // a CAMetalLayer on a Mac; any other layer gives no drawable
  int mFlags = 0;
  int mBuffers = 1;
  int mFreeBuffers = 1;
  unsigned long mSerial = 0;
  NVGcontext* mVG = nullptr;
  NVGparams mRenderer{}; // the GL2 renderer's own calls and state
  GLuint mDrawableFBO = 0;
  GLuint mDrawableColor = 0;
  GLuint mDrawableStencil = 0;
  int mDrawableWidth = 0;
  int mDrawableHeight = 0;
  bool mClearPending = false;
  NVGcolor mClearColor{};

  void MakeCurrent() const
  {
    if (eglGetCurrentContext() != mEGL)
      eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mEGL);
  }

  /** Whether the window of the view that the layer backs can be seen: the layer of a hidden,
   * minimised or covered window gets no drawable. */
  bool WindowIsVisible() const
  {
    id owner = [mLayer delegate];
    NSWindow* window = [owner isKindOfClass:[NSView class]] ? [static_cast<NSView*>(owner) window] : nil;
    return ([window occlusionState] & NSWindowOcclusionStateVisible) != 0;
  }

  void GiveBufferBack() { mFreeBuffers = std::min(mFreeBuffers + 1, mBuffers); }

  /** The layer's next drawable, of its drawable size; false where nextDrawable answers nil. */
  bool NextDrawable()
  {
    if (![mLayer isKindOfClass:[CAMetalLayer class]] || !WindowIsVisible())
    {
      ++sMissedDrawables;
      return false;
    }
    const CGSize size = [static_cast<CAMetalLayer*>(mLayer) drawableSize];
    const int width = static_cast<int>(std::lround(size.width));
    const int height = static_cast<int>(std::lround(size.height));
    if (width <= 0 || height <= 0)
    {
      ++sMissedDrawables;
      return false;
    }
    if (mDrawableFBO && width == mDrawableWidth && height == mDrawableHeight)
      return true;

    DeleteDrawable();
    glGenFramebuffers(1, &mDrawableFBO);
    glBindFramebuffer(GL_FRAMEBUFFER, mDrawableFBO);
    glGenRenderbuffers(1, &mDrawableColor);
    glBindRenderbuffer(GL_RENDERBUFFER, mDrawableColor);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mDrawableColor);
    glGenRenderbuffers(1, &mDrawableStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, mDrawableStencil);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, mDrawableStencil);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
    {
      DeleteDrawable();
      return false;
    }
    mDrawableWidth = width;
    mDrawableHeight = height;
    glViewport(0, 0, width, height);
    glClearColor(0.f, 0.f, 0.f, 0.f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return true;
  }

  void DeleteDrawable()
  {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (mDrawableFBO)
      glDeleteFramebuffers(1, &mDrawableFBO);
    if (mDrawableColor)
      glDeleteRenderbuffers(1, &mDrawableColor);
    if (mDrawableStencil)
      glDeleteRenderbuffers(1, &mDrawableStencil);
    mDrawableFBO = mDrawableColor = mDrawableStencil = 0;
    mDrawableWidth = mDrawableHeight = 0;
  }
};

std::map<NVGcontext*, Context*> sContexts;
// The GL2 renderer's own state keeps its place in the context's parameters, where NanoVG's GL
// helpers (nvglImageHandleGL2) look for it; the calls find their context through it.
std::map<void*, Context*> sByRenderer;
std::set<Framebuffer*> sFramebuffers;
Framebuffer* sBound = nullptr;
unsigned long sNextSerial = 1;

Context* Find(NVGcontext* ctx)
{
  const auto it = sContexts.find(ctx);
  return it == sContexts.end() ? nullptr : it->second;
}

Framebuffer* FindFramebuffer(MNVGframebuffer* framebuffer)
{
  auto* pRecord = reinterpret_cast<Framebuffer*>(framebuffer);
  return sFramebuffers.count(pRecord) ? pRecord : nullptr;
}

// Each renderer call first makes its context current: several contexts (editors) may be alive, and
// NanoVG reaches the renderer from any nvg call (images, text, frames).
template <auto Member, typename Call = std::remove_reference_t<decltype(std::declval<NVGparams&>().*Member)>>
struct Forward;

template <auto Member, typename R, typename... Args>
struct Forward<Member, R (*)(void*, Args...)>
{
  static R Call(void* pUser, Args... args)
  {
    const Context* pContext = sByRenderer.at(pUser);
    pContext->MakeCurrent();
    return (pContext->mRenderer.*Member)(pUser, args...);
  }
};

// A frame waits for a free buffer, for good: only a finished flush or a cancel frees one.
void Viewport(void* pUser, float width, float height, float devicePixelRatio)
{
  Context* pContext = sByRenderer.at(pUser);
  if (pContext->mFreeBuffers == 0)
  {
    std::fprintf(stderr, "MetalNanoVG stand-in: nvgBeginFrame waits for a buffer that no frame will give back "
                         "(each went to a flush that got no drawable); a Mac hangs here for good\n");
    std::abort();
  }
  --pContext->mFreeBuffers;
  pContext->MakeCurrent();
  pContext->mRenderer.renderViewport(pUser, width, height, devicePixelRatio);
}

void Cancel(void* pUser)
{
  Context* pContext = sByRenderer.at(pUser);
  pContext->MakeCurrent();
  pContext->mRenderer.renderCancel(pUser);
  pContext->GiveBufferBack();
}

// A flush draws into the bound framebuffer of this context, else into the layer's drawable.
void Flush(void* pUser)
{
  Context* pContext = sByRenderer.at(pUser);
  pContext->MakeCurrent();
  GLuint target = 0;
  int width = 0, height = 0;
  if (sBound && sBound->mPublic.ctx == pContext->mVG)
  {
    target = sBound->mGL->fbo;
    width = sBound->mWidth;
    height = sBound->mHeight;
  }
  else if (pContext->NextDrawable())
  {
    target = pContext->mDrawableFBO;
    width = pContext->mDrawableWidth;
    height = pContext->mDrawableHeight;
  }
  else
  {
    // The frame's calls are dropped, and its buffer stays taken: its command buffer is never
    // committed, so nothing ever signals that it is done.
    pContext->mRenderer.renderCancel(pUser);
    return;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, target);
  glViewport(0, 0, width, height);
  if (pContext->mClearPending)
  {
    const NVGcolor& c = pContext->mClearColor;
    glClearColor(c.r, c.g, c.b, c.a);
    glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    pContext->mClearPending = false;
  }
  pContext->mRenderer.renderFlush(pUser);
  pContext->GiveBufferBack();
}

void InstallForwarding(Context* pContext)
{
  NVGparams* pParams = nvgInternalParams(pContext->mVG);
  pContext->mRenderer = *pParams;
  pParams->renderCreateTexture = &Forward<&NVGparams::renderCreateTexture>::Call;
  pParams->renderDeleteTexture = &Forward<&NVGparams::renderDeleteTexture>::Call;
  pParams->renderUpdateTexture = &Forward<&NVGparams::renderUpdateTexture>::Call;
  pParams->renderGetTextureSize = &Forward<&NVGparams::renderGetTextureSize>::Call;
  pParams->renderViewport = &Viewport;
  pParams->renderCancel = &Cancel;
  pParams->renderFlush = &Flush;
  pParams->renderFill = &Forward<&NVGparams::renderFill>::Call;
  pParams->renderStroke = &Forward<&NVGparams::renderStroke>::Call;
  pParams->renderTriangles = &Forward<&NVGparams::renderTriangles>::Call;
  pParams->renderDelete = &Forward<&NVGparams::renderDelete>::Call;
}

bool IsFramebufferImage(NVGcontext* ctx, int image)
{
  for (const Framebuffer* pRecord : sFramebuffers)
    if (pRecord->mPublic.ctx == ctx && pRecord->mPublic.image == image)
      return true;
  return false;
}

} // namespace

/** The layer's device, or the system's default given to the layer; nil when there is none. */
static id<MTLDevice> TakeDevice(CALayer* layer)
{
  if (![layer isKindOfClass:[CAMetalLayer class]])
    return nil;
  auto* metalLayer = static_cast<CAMetalLayer*>(layer);
  if (![metalLayer device])
  {
    id<MTLDevice> device = MTLCreateSystemDefaultDevice();
    [metalLayer setDevice:device];
    [device release];
  }
  return [metalLayer device];
}

NVGcontext* nvgCreateMTL(void* metalLayer, int flags)
{
  if (!TakeDevice(static_cast<CALayer*>(metalLayer)))
    return nullptr;
  EGLDisplay display = SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY)
    return nullptr;
  EGLContext egl = CreateEGLContext(display);
  if (egl == EGL_NO_CONTEXT)
    return nullptr;

  auto* pContext = new Context;
  pContext->mDisplay = display;
  pContext->mEGL = egl;
  pContext->MakeCurrent();
  if (gladLoadGL(LoadGLFunction))
    pContext->mVG = nvgCreateGL2(flags & (NVG_ANTIALIAS | NVG_STENCIL_STROKES | NVG_DEBUG));
  if (!pContext->mVG)
  {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, egl);
    delete pContext;
    return nullptr;
  }
  pContext->mLayer = [static_cast<CALayer*>(metalLayer) retain];
  [pContext->mLayer setOpaque:NO];
  pContext->mFlags = flags;
  pContext->mBuffers = (flags & NVG_TRIPLE_BUFFER) ? 3 : (flags & NVG_DOUBLE_BUFFER) ? 2 : 1;
  pContext->mFreeBuffers = pContext->mBuffers;
  pContext->mSerial = sNextSerial++;
  InstallForwarding(pContext);
  sContexts[pContext->mVG] = pContext;
  sByRenderer[pContext->mRenderer.userPtr] = pContext;
  return pContext->mVG;
}

void nvgDeleteMTL(NVGcontext* ctx)
{
  Context* pContext = Find(ctx);
  if (!pContext)
    return;
  pContext->MakeCurrent();
  if (sBound && sBound->mPublic.ctx == ctx)
    sBound = nullptr;
  pContext->DeleteDrawable();
  nvgDeleteGL2(ctx);
  eglMakeCurrent(pContext->mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(pContext->mDisplay, pContext->mEGL);
  [pContext->mLayer release];
  sByRenderer.erase(pContext->mRenderer.userPtr);
  sContexts.erase(ctx);
  delete pContext;
}

void mnvgBindFramebuffer(MNVGframebuffer* framebuffer)
{
  sBound = FindFramebuffer(framebuffer);
}

MNVGframebuffer* mnvgCreateFramebuffer(NVGcontext* ctx, int width, int height, int imageFlags)
{
  Context* pContext = Find(ctx);
  if (!pContext || width <= 0 || height <= 0)
    return nullptr;
  pContext->MakeCurrent();
  NVGLUframebuffer* pGL = nvgluCreateFramebuffer(ctx, width, height, imageFlags);
  if (!pGL)
    return nullptr;
  auto* pRecord = new Framebuffer{{ctx, pGL->image}, pGL, width, height};
  sFramebuffers.insert(pRecord);
  return &pRecord->mPublic;
}

void mnvgDeleteFramebuffer(MNVGframebuffer* framebuffer)
{
  Framebuffer* pRecord = FindFramebuffer(framebuffer);
  if (!pRecord)
    return;
  sFramebuffers.erase(pRecord);
  if (sBound == pRecord)
    sBound = nullptr;
  if (const Context* pContext = Find(pRecord->mPublic.ctx))
  {
    pContext->MakeCurrent();
    nvgluDeleteFramebuffer(pRecord->mGL);
  }
  else
  {
    free(pRecord->mGL); // its GL objects went with the context
  }
  delete pRecord;
}

void mnvgClearWithColor(NVGcontext* ctx, NVGcolor color)
{
  if (Context* pContext = Find(ctx))
  {
    pContext->mClearColor = color;
    pContext->mClearPending = true;
  }
}

void mnvgReadPixels(NVGcontext* ctx, int image, int x, int y, int width, int height, void* data)
{
  const Context* pContext = Find(ctx);
  if (!pContext || !data || width <= 0 || height <= 0 || x < 0 || y < 0)
    return;
  pContext->MakeCurrent();
  const GLuint texture = nvglImageHandleGL2(ctx, image);
  if (!texture)
    return;
  int imageWidth = 0, imageHeight = 0;
  nvgImageSize(ctx, image, &imageWidth, &imageHeight);
  if (x + width > imageWidth || y + height > imageHeight)
    return;

  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  GLuint reader = 0;
  glGenFramebuffers(1, &reader);
  glBindFramebuffer(GL_FRAMEBUFFER, reader);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
  {
    // NanoVG draws into a framebuffer's texture upside down (GL's origin is bottom left); uploaded
    // images keep their first row at row 0.
    if (IsFramebufferImage(ctx, image))
    {
      const std::vector<uint8_t> rows = ReadBottomUp(x, imageHeight - y - height, width, height);
      std::memcpy(data, rows.data(), rows.size());
    }
    else
    {
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, data);
    }
  }
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  glDeleteFramebuffers(1, &reader);
}

StandInDrawable StandInReadMetalDrawable(CAMetalLayer* layer)
{
  Context* pNewest = nullptr;
  for (const auto& entry : sContexts)
    if (entry.second->mLayer == layer && (!pNewest || entry.second->mSerial > pNewest->mSerial))
      pNewest = entry.second;
  StandInDrawable drawable;
  if (!pNewest || !pNewest->mDrawableFBO)
    return drawable;
  pNewest->MakeCurrent();
  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_FRAMEBUFFER, pNewest->mDrawableFBO);
  drawable.width = pNewest->mDrawableWidth;
  drawable.height = pNewest->mDrawableHeight;
  drawable.rgba = ReadBottomUp(0, 0, drawable.width, drawable.height);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  return drawable;
}

int StandInMetalContextFlags(NVGcontext* ctx)
{
  const Context* pContext = Find(ctx);
  return pContext ? pContext->mFlags : -1;
}

int StandInLiveMetalContexts()
{
  return static_cast<int>(sContexts.size());
}

int StandInLiveMetalFramebuffers()
{
  return static_cast<int>(sFramebuffers.size());
}

int StandInMissedMetalDrawables()
{
  return sMissedDrawables;
}
