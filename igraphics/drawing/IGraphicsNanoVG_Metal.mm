// The members of the NanoVG back end that talk to MetalNanoVG directly. MetalNanoVG applies a
// framebuffer binding and a clear colour when the context next flushes, so every change of target
// ends the frame drawn so far first.
#include "igraphics/drawing/IGraphicsNanoVG.h"

#include "igraphics/drawing/NanoVGRenderer.h"

namespace iplug
{
namespace igraphics
{

namespace
{
// Anti-aliased geometry; the layer cycles through three drawables.
constexpr int kMetalContextFlags = NVG_ANTIALIAS | NVG_TRIPLE_BUFFER;
static_assert(kMetalContextFlags == 0x2001);
} // namespace

MNVGframebuffer* CreateClearedFramebuffer(NVGcontext* pContext, int width, int height)
{
  if (!pContext || width <= 0 || height <= 0)
    return nullptr;
  MNVGframebuffer* pBuffer = mnvgCreateFramebuffer(pContext, width, height, 0);
  if (!pBuffer)
    return nullptr;
  mnvgBindFramebuffer(pBuffer);
  mnvgClearWithColor(pContext, nvgRGBA(0, 0, 0, 0));
  // An empty frame, so that the clear takes effect.
  nvgBeginFrame(pContext, static_cast<float>(width), static_cast<float>(height), 1.f);
  nvgEndFrame(pContext);
  return pBuffer;
}

void DeleteFramebuffer(MNVGframebuffer* pBuffer)
{
  if (pBuffer)
    mnvgDeleteFramebuffer(pBuffer);
}

int CreateFontFaceMem(NVGcontext* pContext, const char* fontID, const IFontData& data)
{
  return nvgCreateFontMemAtIndex(pContext, fontID, const_cast<unsigned char*>(data.Get()), data.GetSize(), 0,
                                 data.GetFaceIdx());
}

void IGraphicsNanoVG::OnViewInitialized(void* pContext)
{
  mNanoContext = nvgCreateMTL(pContext, kMetalContextFlags);
}

void IGraphicsNanoVG::OnViewDestroyed()
{
  RemoveAllControls();
  {
    StaticStorage<APIBitmap>::Accessor images(mImageCache);
    images.Clear();
  }
  ClearFBOStack();
  DeleteFramebuffer(mFrameTarget);
  mFrameTarget = nullptr;
  if (mNanoContext)
    nvgDeleteMTL(mNanoContext);
  mNanoContext = nullptr;
}

void IGraphicsNanoVG::DrawResize()
{
  ActivateGLContext();
  DeleteFramebuffer(mFrameTarget);
  mFrameTarget = nullptr;
  if (mNanoContext)
  {
    const int w = static_cast<int>(WindowWidth() * GetScreenScale());
    const int h = static_cast<int>(WindowHeight() * GetScreenScale());
    mFrameTarget = mnvgCreateFramebuffer(mNanoContext, w, h, 0);
  }
  DeactivateGLContext();
}

void IGraphicsNanoVG::BindMainFramebuffer()
{
  mnvgBindFramebuffer(mFrameTarget);
}

void IGraphicsNanoVG::BeginMainFrame()
{
  BindMainFramebuffer();
  nvgBeginFrame(mNanoContext, static_cast<float>(WindowWidth()), static_cast<float>(WindowHeight()), GetScreenScale());
}

void IGraphicsNanoVG::BeginFrame()
{
  mFrameOpen = true;
  IGraphics::BeginFrame();
  BeginMainFrame();
}

void IGraphicsNanoVG::EndFrame()
{
  nvgEndFrame(mNanoContext);
  mnvgBindFramebuffer(nullptr);

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
  mnvgBindFramebuffer(static_cast<const Bitmap*>(pLayer->GetAPIBitmap())->GetFBO());
  nvgBeginFrame(mNanoContext, r.W() * GetDrawScale(), r.H() * GetDrawScale(), GetScreenScale());
}

void IGraphicsNanoVG::GetLayerBitmapData(const ILayerPtr& layer, WDL_TypedBuf<uint8_t>& data)
{
  if (!layer || !layer->GetAPIBitmap())
    return;
  const APIBitmap* pBitmap = layer->GetAPIBitmap();
  const int w = pBitmap->GetWidth();
  const int h = pBitmap->GetHeight();
  const int size = w * h * 4;
  data.Resize(size);
  if (data.GetSize() != size)
    return;
  // Pushing the layer flushes what was drawn so far, so the pixels read are current.
  PushLayer(layer.get());
  mnvgReadPixels(mNanoContext, pBitmap->GetBitmap(), 0, 0, w, h, data.Get());
  PopLayer();
}

} // namespace igraphics
} // namespace iplug
