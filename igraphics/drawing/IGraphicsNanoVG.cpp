#include "igraphics/drawing/IGraphicsNanoVG.h"

#include "igraphics/drawing/NanoVGRenderer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace iplug
{
namespace igraphics
{

StaticStorage<IFontData>& NanoVGFontCache()
{
  static StaticStorage<IFontData> sFontCache;
  return sFontCache;
}

namespace
{

int ImageWidth(NVGcontext* pContext, int image)
{
  int w = 0, h = 0;
  nvgImageSize(pContext, image, &w, &h);
  return w;
}

int ImageHeight(NVGcontext* pContext, int image)
{
  int w = 0, h = 0;
  nvgImageSize(pContext, image, &w, &h);
  return h;
}

} // namespace

IGraphicsNanoVG::Bitmap::Bitmap(NVGcontext* pContext, const char* /*path*/, double sourceScale, int nvgImageID,
                                bool shared)
: mVG(pContext)
, mSharedTexture(shared)
{
  SetBitmap(nvgImageID, ImageWidth(pContext, nvgImageID), ImageHeight(pContext, nvgImageID),
            static_cast<float>(sourceScale), 1.f);
}

IGraphicsNanoVG::Bitmap::Bitmap(IGraphicsNanoVG* pGraphics, NVGcontext* pContext, int width, int height, float scale,
                                float drawScale)
: mGraphics(pGraphics)
, mVG(pContext)
{
  mFBO = CreateClearedFramebuffer(pContext, width, height);
  SetBitmap(mFBO ? mFBO->image : 0, width, height, scale, drawScale);
}

IGraphicsNanoVG::Bitmap::Bitmap(NVGcontext* pContext, int width, int height, const unsigned char* pData, float scale,
                                float drawScale)
: mVG(pContext)
{
  SetBitmap(nvgCreateImageRGBA(pContext, width, height, 0, pData), width, height, scale, drawScale);
}

IGraphicsNanoVG::Bitmap::~Bitmap()
{
  if (mSharedTexture)
    return;
  if (mFBO)
    mGraphics->DeleteFBO(mFBO);
  else if (GetBitmap() > 0)
    nvgDeleteImage(mVG, GetBitmap());
}

IGraphicsNanoVG::IGraphicsNanoVG(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
: IGraphics(dlg, w, h, fps, scale)
{
  StaticStorage<IFontData>::Accessor fonts(NanoVGFontCache());
  fonts.Retain();
}

IGraphicsNanoVG::~IGraphicsNanoVG()
{
  {
    StaticStorage<IFontData>::Accessor fonts(NanoVGFontCache());
    fonts.Release();
  }
  ClearFBOStack();
  StaticStorage<APIBitmap>::Accessor images(mImageCache);
  images.Clear();
}

bool IGraphicsNanoVG::BitmapExtSupported(const char* ext)
{
  if (!ext)
    return false;
  // Extensions come from resource names; only as much as fits is compared.
  char lower[32] = {};
  for (size_t i = 0; i + 1 < sizeof(lower) && ext[i]; ++i)
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(ext[i])));
  return std::strstr(lower, "png") || std::strstr(lower, "jpg") || std::strstr(lower, "jpeg");
}

IBitmap IGraphicsNanoVG::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  if (!name)
    return IBitmap();
  if (targetScale == 0)
    targetScale = static_cast<int>(std::ceil(GetScreenScale()));

  StaticStorage<APIBitmap>::Accessor cache(mImageCache);
  APIBitmap* pAPIBitmap = cache.Find(name, targetScale);

  if (!pAPIBitmap)
  {
    const char* dot = std::strrchr(name, '.');
    const char* ext = dot ? dot + 1 : "";
    WDL_String fullPath;
    int foundScale = 0;
    const EResourceLocation location = SearchImageResource(name, ext, fullPath, targetScale, foundScale);
    if (location == kNotFound || !BitmapExtSupported(ext))
      return IBitmap();

    pAPIBitmap = LoadAPIBitmap(fullPath.Get(), foundScale, location, ext);
    if (!pAPIBitmap || pAPIBitmap->GetWidth() <= 0)
    {
      delete pAPIBitmap; // a file that does not decode is not cached
      return IBitmap();
    }
    // Stored under the key it is looked up by, so the next load finds it whatever scale the
    // file had.
    cache.Add(pAPIBitmap, name, targetScale);
  }
  return IBitmap(pAPIBitmap, nStates, framesAreHorizontal, name);
}

// Images made for this editor (scaled copies among them) need an owner, or they would leak;
// the editor's own cache is it. An image it already holds is not added twice.
void IGraphicsNanoVG::RetainBitmap(const IBitmap& bitmap, const char* cacheName)
{
  StaticStorage<APIBitmap>::Accessor cache(mImageCache);
  if (bitmap.GetAPIBitmap() && !cache.Holds(bitmap.GetAPIBitmap()))
    cache.Add(bitmap.GetAPIBitmap(), cacheName, bitmap.GetScale());
}

void IGraphicsNanoVG::ReleaseBitmap(const IBitmap& bitmap)
{
  StaticStorage<APIBitmap>::Accessor cache(mImageCache);
  cache.Remove(bitmap.GetAPIBitmap());
}

APIBitmap* IGraphicsNanoVG::LoadAPIBitmap(const char* fileNameOrResID, int scale, EResourceLocation location,
                                          const char* /*ext*/)
{
  int image = 0;
  if (location == kAbsolutePath && mNanoContext)
  {
    ActivateGLContext();
    image = nvgCreateImage(mNanoContext, fileNameOrResID, 0);
    DeactivateGLContext();
  }
  return new Bitmap(mNanoContext, fileNameOrResID, scale, image, location == kPreloadedTexture);
}

APIBitmap* IGraphicsNanoVG::LoadAPIBitmap(const char* name, const void* pData, int dataSize, int scale)
{
  StaticStorage<APIBitmap>::Accessor cache(mImageCache);
  if (APIBitmap* pCached = cache.Find(name, scale))
    return pCached;
  if (!mNanoContext || !pData || dataSize <= 0)
    return nullptr;

  ActivateGLContext();
  const int image = nvgCreateImageMem(mNanoContext, 0, static_cast<unsigned char*>(const_cast<void*>(pData)), dataSize);
  DeactivateGLContext();
  if (image <= 0)
    return nullptr;
  auto* pBitmap = new Bitmap(mNanoContext, name, scale, image);
  return cache.Add(pBitmap, name, scale) ? pBitmap : nullptr;
}

bool IGraphicsNanoVG::LoadAPIFont(const char* fontID, const PlatformFontPtr& font)
{
  if (!mNanoContext || !fontID)
    return false;
  StaticStorage<IFontData>::Accessor fonts(NanoVGFontCache());

  if (IFontData* pCached = fonts.Find(fontID))
    // NanoVG keeps a pointer to the cached bytes and never frees them.
    return CreateFontFaceMem(mNanoContext, fontID, *pCached) != -1;

  if (!font)
    return false;
  IFontDataPtr data = font->GetFontData();
  if (!data || data->GetSize() <= 0 || data->GetFaceIdx() < 0 || !data->IsValid())
    return false;
  if (CreateFontFaceMem(mNanoContext, fontID, *data) == -1)
    return false;
  return fonts.Add(data.release(), fontID);
}

// A layer's framebuffer is made between frames: an open frame is closed and then begun again on
// the main framebuffer.
APIBitmap* IGraphicsNanoVG::CreateAPIBitmap(int width, int height, float scale, double drawScale, bool /*cacheable*/)
{
  if (mFrameOpen)
    nvgEndFrame(mNanoContext);
  APIBitmap* pBitmap = new Bitmap(this, mNanoContext, width, height, scale, static_cast<float>(drawScale));
  if (mFrameOpen)
    BeginMainFrame();
  return pBitmap;
}

void IGraphicsNanoVG::CompositeFrameTarget()
{
  const float w = static_cast<float>(WindowWidth());
  const float h = static_cast<float>(WindowHeight());
  nvgBeginFrame(mNanoContext, w, h, GetScreenScale());
  const NVGpaint image = nvgImagePattern(mNanoContext, 0, 0, w, h, 0, mFrameTarget->image, 1.f);
  nvgSave(mNanoContext);
  nvgResetTransform(mNanoContext);
  nvgBeginPath(mNanoContext);
  nvgRect(mNanoContext, 0, 0, w, h);
  nvgFillPaint(mNanoContext, image);
  nvgFill(mNanoContext);
  nvgRestore(mNanoContext);
  nvgEndFrame(mNanoContext);
}

void IGraphicsNanoVG::DeleteFBO(NVGframebuffer* pBuffer)
{
  if (!mFrameOpen)
  {
    DeleteFramebuffer(pBuffer);
    return;
  }
  std::lock_guard<std::mutex> lock(mDeferredDeleteMutex);
  mDeferredDeletes.push_back(pBuffer);
}

void IGraphicsNanoVG::ClearFBOStack()
{
  std::lock_guard<std::mutex> lock(mDeferredDeleteMutex);
  while (!mDeferredDeletes.empty())
  {
    DeleteFramebuffer(mDeferredDeletes.back());
    mDeferredDeletes.pop_back();
  }
}

int IGraphicsNanoVG::NumDeferredFBOs()
{
  std::lock_guard<std::mutex> lock(mDeferredDeleteMutex);
  return static_cast<int>(mDeferredDeletes.size());
}

void IGraphicsNanoVG::ApplyShadowMask(ILayerPtr& layer, WDL_TypedBuf<uint8_t>& mask, const IShadow& shadow)
{
  if (!layer || !layer->GetAPIBitmap())
    return;
  const APIBitmap* pBitmap = layer->GetAPIBitmap();
  const int width = pBitmap->GetWidth();
  const int height = pBitmap->GetHeight();
  const float scale = pBitmap->GetScale();
  const float drawScale = pBitmap->GetDrawScale();
  if (mask.GetSize() < width * height * 4)
    return;

  const IRECT bounds = layer->Bounds();

  if (!shadow.mDrawForeground)
  {
    PushLayer(layer.release());
    nvgGlobalCompositeBlendFunc(mNanoContext, NVG_ZERO, NVG_ZERO);
    PathRect(bounds);
    nvgFillColor(mNanoContext, nvgRGBA(0, 0, 0, 0));
    nvgFill(mNanoContext);
    nvgGlobalCompositeOperation(mNanoContext, NVG_SOURCE_OVER);
    layer.reset(PopLayer());
  }

  IBitmap maskBitmap(new Bitmap(mNanoContext, width, height, mask.Get(), scale, drawScale), 1, false);
  ILayerPtr shadowLayer = std::make_unique<ILayer>(CreateAPIBitmap(width, height, scale, drawScale), bounds, nullptr,
                                                   IRECT());

  PathTransformSave();
  PushLayer(layer.release());
  PushLayer(shadowLayer.release());
  DrawBitmap(maskBitmap, bounds, 0, 0, nullptr);
  PathRect(bounds);
  PathTransformTranslate(-shadow.mXOffset, -shadow.mYOffset);
  const IBlend sourceIn(EBlend::SrcIn, 1.f);
  PathFill(shadow.mPattern, IFillOptions(), &sourceIn);
  shadowLayer.reset(PopLayer());
  const IBlend destinationOver(EBlend::DstOver, std::clamp(shadow.mOpacity, 0.f, 1.f));
  DrawBitmap(shadowLayer->GetBitmap(), bounds.GetTranslated(shadow.mXOffset, shadow.mYOffset), 0, 0, &destinationOver);
  layer.reset(PopLayer());
  PathTransformRestore();

  delete maskBitmap.GetAPIBitmap();
  // The shadow's framebuffer goes with its layer; during a frame it is freed once the frame ends.
}

} // namespace igraphics
} // namespace iplug
