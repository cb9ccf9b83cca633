// The members of the NanoVG back end that talk to OpenGL directly.
#include "igraphics/drawing/IGraphicsNanoVG.h"

#include "igraphics/drawing/NanoVGRenderer.h"

namespace iplug
{
namespace igraphics
{

NVGLUframebuffer* CreateClearedFramebuffer(NVGcontext* pContext, int width, int height)
{
  if (!pContext || width <= 0 || height <= 0)
    return nullptr;
  NVGLUframebuffer* pBuffer = nvgluCreateFramebuffer(pContext, width, height, 0);
  if (!pBuffer)
    return nullptr;
  glBindFramebuffer(GL_FRAMEBUFFER, pBuffer->fbo);
  glViewport(0, 0, width, height);
  glClearColor(0.f, 0.f, 0.f, 0.f);
  glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  // An empty frame, so that NanoVG's own state for this target is set up.
  nvgBeginFrame(pContext, static_cast<float>(width), static_cast<float>(height), 1.f);
  nvgEndFrame(pContext);
  return pBuffer;
}

void DeleteFramebuffer(NVGLUframebuffer* pBuffer)
{
  nvgluDeleteFramebuffer(pBuffer);
}

int CreateFontFaceMem(NVGcontext* pContext, const char* fontID, const IFontData& data)
{
  return nvgCreateFontMemAtIndex(pContext, fontID, const_cast<unsigned char*>(data.Get()), data.GetSize(), 0,
                                 data.GetFaceIdx());
}

void IGraphicsNanoVG::OnViewInitialized(void* /*pContext*/)
{
  mNanoContext = nvgCreateGL2(NVG_ANTIALIAS);
}

void IGraphicsNanoVG::OnViewDestroyed()
{
  RemoveAllControls();
  {
    std::lock_guard<std::mutex> lock(mDeferredDeleteMutex);
    while (!mDeferredDeletes.empty())
    {
      nvgluDeleteFramebuffer(mDeferredDeletes.back());
      mDeferredDeletes.pop_back();
    }
  }
  {
    StaticStorage<APIBitmap>::Accessor images(mImageCache);
    images.Clear();
  }
  nvgluDeleteFramebuffer(mFrameTarget);
  mFrameTarget = nullptr;
  if (mNanoContext)
    nvgDeleteGL2(mNanoContext);
  mNanoContext = nullptr;
  mDefaultFBO = -1;
}

void IGraphicsNanoVG::DrawResize()
{
  ActivateGLContext();
  nvgluDeleteFramebuffer(mFrameTarget);
  mFrameTarget = nullptr;
  if (mNanoContext)
  {
    const int w = static_cast<int>(WindowWidth() * GetScreenScale());
    const int h = static_cast<int>(WindowHeight() * GetScreenScale());
    mFrameTarget = nvgluCreateFramebuffer(mNanoContext, w, h, 0);
  }
  DeactivateGLContext();
}

void IGraphicsNanoVG::BindMainFramebuffer()
{
  glBindFramebuffer(GL_FRAMEBUFFER, mFrameTarget ? mFrameTarget->fbo : static_cast<GLuint>(mDefaultFBO));
}

void IGraphicsNanoVG::BeginMainFrame()
{
  glViewport(0, 0, static_cast<GLsizei>(WindowWidth() * GetScreenScale()),
             static_cast<GLsizei>(WindowHeight() * GetScreenScale()));
  BindMainFramebuffer();
  nvgBeginFrame(mNanoContext, static_cast<float>(WindowWidth()), static_cast<float>(WindowHeight()), GetScreenScale());
}

void IGraphicsNanoVG::BeginFrame()
{
  mFrameOpen = true;
  IGraphics::BeginFrame();
  glViewport(0, 0, static_cast<GLsizei>(WindowWidth() * GetScreenScale()),
             static_cast<GLsizei>(WindowHeight() * GetScreenScale()));
  glClearColor(0.f, 0.f, 0.f, 0.f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  if (mDefaultFBO < 0)
  {
    GLint current = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &current);
    mDefaultFBO = current;
  }
  BindMainFramebuffer();
  nvgBeginFrame(mNanoContext, static_cast<float>(WindowWidth()), static_cast<float>(WindowHeight()), GetScreenScale());
}

void IGraphicsNanoVG::EndFrame()
{
  nvgEndFrame(mNanoContext);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(mDefaultFBO));

  if (mFrameTarget)
    CompositeFrameTarget();
  mFrameOpen = false;
  ClearFBOStack();
}

void IGraphicsNanoVG::UpdateLayer()
{
  nvgEndFrame(mNanoContext);
  if (mLayers.empty())
  {
    BeginMainFrame();
    return;
  }
  const ILayer* pLayer = mLayers.back();
  const IRECT& r = pLayer->Bounds();
  const float s = GetBackingPixelScale();
  glViewport(0, 0, static_cast<GLsizei>(r.W() * s), static_cast<GLsizei>(r.H() * s));
  const auto* pBitmap = static_cast<const Bitmap*>(pLayer->GetAPIBitmap());
  glBindFramebuffer(GL_FRAMEBUFFER, pBitmap->GetFBO() ? pBitmap->GetFBO()->fbo : 0);
  nvgBeginFrame(mNanoContext, r.W() * GetDrawScale(), r.H() * GetDrawScale(), GetScreenScale());
}

void IGraphicsNanoVG::GetLayerBitmapData(const ILayerPtr& layer, WDL_TypedBuf<uint8_t>& data)
{
  if (!layer || !layer->GetAPIBitmap())
    return;
  const auto* pBitmap = static_cast<const Bitmap*>(layer->GetAPIBitmap());
  const int w = pBitmap->GetWidth();
  const int h = pBitmap->GetHeight();
  const int size = w * h * 4;
  data.Resize(size);
  if (data.GetSize() != size || !pBitmap->GetFBO())
    return;

  GLint previous = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glBindFramebuffer(GL_FRAMEBUFFER, pBitmap->GetFBO()->fbo);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, data.Get());
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
}

} // namespace igraphics
} // namespace iplug
