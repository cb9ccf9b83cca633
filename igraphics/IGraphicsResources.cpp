// Finding, loading and caching images, SVG images, raw resources and fonts.
#define NANOSVG_IMPLEMENTATION
#include <nanosvg/nanosvg.h>

#include "igraphics/IGraphics.h"

#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/ILayer.h"
#include "igraphics/StaticStorage.h"
#include "igraphics/drawing/IGraphicsFontData.h"
#include "iplug/IPlugPaths.h"
#include "iplug/IPlugUTF8.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr int kMaxImageScale = 3;

/** Target first, then from the largest scale down, skipping the target. */
std::vector<int> ScaleSearchOrder(int targetScale)
{
  std::vector<int> order;
  if (targetScale < 1)
    return order;
  order.push_back(targetScale);
  for (int s = kMaxImageScale; s >= 1; --s)
    if (s != targetScale)
      order.push_back(s);
  return order;
}

/** The start both LoadBitmap forms share: no bitmap without a name, scale 0 is the screen's, and a
 *  bitmap already cached at the target scale is taken as it is. Only on a miss does load(cache)
 *  run, under the same hold on the cache, with targetScale settled. */
template <class Load>
IBitmap LoadUnlessCached(StaticStorage<APIBitmap>& storage, const char* name, int nStates, bool framesAreHorizontal,
                         int& targetScale, float screenScale, Load load)
{
  if (!name)
    return IBitmap();
  if (targetScale == 0)
    targetScale = static_cast<int>(std::ceil(screenScale));

  StaticStorage<APIBitmap>::Accessor cache(storage);
  if (APIBitmap* pCached = cache.Find(name, targetScale))
    return IBitmap(pCached, nStates, framesAreHorizontal, name);
  return load(cache);
}

/** The extension with its dot: the text from the last '.' that no path separator follows. */
std::string::size_type ExtensionStart(const std::string& name)
{
  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos || name.find_first_of("/\\", dot) != std::string::npos)
    return std::string::npos;
  return dot;
}

std::string ScaledFileName(const char* name, int scale)
{
  const std::string plain = name;
  if (scale == 1)
    return plain;
  const auto dot = ExtensionStart(plain);
  const std::string base = dot == std::string::npos ? plain : plain.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : plain.substr(dot);
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "@%dx", scale);
  return base + buffer + ext;
}

FILE* OpenForReading(const char* path)
{
#ifdef _WIN32
  return OpenFileUTF8(path, "rb");
#else
  return std::fopen(path, "rb");
#endif
}

} // namespace

SVGHolder::~SVGHolder()
{
  if (mImage)
    nsvgDelete(mImage);
}

float ISVG::W() const
{
  return mImage ? mImage->width : 0.f;
}

float ISVG::H() const
{
  return mImage ? mImage->height : 0.f;
}

EResourceLocation IGraphics::SearchImageResource(const char* name, const char* type, WDL_String& result,
                                                 int targetScale, int& sourceScale)
{
  if (!name)
    return kNotFound;
  for (int s : ScaleSearchOrder(targetScale))
  {
    const std::string fileName = ScaledFileName(name, s);
    const EResourceLocation found = LocateResource(fileName.c_str(), type, result, GetBundleID(), GetWinModuleHandle(),
                                                   GetSharedResourcesSubPath());
    if (found != kNotFound)
    {
      sourceScale = s;
      return found;
    }
  }
  return kNotFound;
}

APIBitmap* IGraphics::SearchBitmapInCache(const char* name, int targetScale, int& sourceScale)
{
  StaticStorage<APIBitmap>::Accessor cache(BitmapCache());
  for (int s : ScaleSearchOrder(targetScale))
    if (APIBitmap* pBitmap = cache.Find(name, s))
    {
      sourceScale = s;
      return pBitmap;
    }
  return nullptr;
}

IBitmap IGraphics::LoadBitmap(const char* name, int nStates, bool framesAreHorizontal, int targetScale)
{
  const auto load = [&](StaticStorage<APIBitmap>::Accessor& cache) {
    const char* dot = std::strrchr(name, '.');
    const char* ext = dot ? dot + 1 : "";
    if (!BitmapExtSupported(ext))
      return IBitmap();

    WDL_String fullPath;
    int sourceScale = 0;
    APIBitmap* pBitmap = nullptr;
    bool fresh = false;
    const EResourceLocation location = SearchImageResource(name, ext, fullPath, targetScale, sourceScale);
    if (location != kNotFound)
    {
      pBitmap = sourceScale != targetScale ? cache.Find(name, sourceScale) : nullptr;
      if (!pBitmap)
      {
        pBitmap = LoadAPIBitmap(fullPath.Get(), sourceScale, location, ext);
        fresh = true;
      }
    }
    else
      pBitmap = SearchBitmapInCache(name, targetScale, sourceScale);

    return FinishBitmapLoad(pBitmap, fresh, false, name, nStates, framesAreHorizontal, targetScale);
  };
  return LoadUnlessCached(BitmapCache(), name, nStates, framesAreHorizontal, targetScale, GetScreenScale(), load);
}

IBitmap IGraphics::LoadBitmap(const char* name, const void* pData, int dataSize, int nStates, bool framesAreHorizontal,
                              int targetScale)
{
  const auto load = [&](StaticStorage<APIBitmap>::Accessor&) {
    int sourceScale = 0;
    bool fresh = false;
    APIBitmap* pBitmap = SearchBitmapInCache(name, targetScale, sourceScale);
    if (!pBitmap)
    {
      pBitmap = LoadAPIBitmap(name, pData, dataSize, 1);
      fresh = true;
    }
    // The back end keeps what it decoded from memory in its own cache, so the source stays.
    return FinishBitmapLoad(pBitmap, fresh, true, name, nStates, framesAreHorizontal, targetScale);
  };
  return LoadUnlessCached(BitmapCache(), name, nStates, framesAreHorizontal, targetScale, GetScreenScale(), load);
}

IBitmap IGraphics::FinishBitmapLoad(APIBitmap* pBitmap, bool fresh, bool backEndKeepsSource, const char* name,
                                    int nStates, bool framesAreHorizontal, int targetScale)
{
  if (!pBitmap)
    return IBitmap();

  const IBitmap bitmap(pBitmap, nStates, framesAreHorizontal, name);
  if (pBitmap->GetScale() == targetScale)
  {
    if (fresh)
      RetainBitmap(bitmap, name);
    return bitmap;
  }
  const IBitmap scaled = ScaleBitmap(bitmap, name, targetScale);
  if (fresh && !backEndKeepsSource)
    delete pBitmap;
  return scaled;
}

IBitmap IGraphics::ScaleBitmap(const IBitmap& src, const char* name, int targetScale)
{
  const float screenScale = GetScreenScale();
  const float drawScale = GetDrawScale();
  mScreenScale = static_cast<float>(targetScale);
  mDrawScale = src.GetDrawScale();

  const IRECT bounds = IRECT(0.f, 0.f, src.W() / mDrawScale, src.H() / mDrawScale).PixelAligned(GetBackingPixelScale());
  const int w = static_cast<int>(bounds.W() * GetBackingPixelScale());
  const int h = static_cast<int>(bounds.H() * GetBackingPixelScale());
  PushLayer(new ILayer(CreateAPIBitmap(w, h, GetScreenScale(), GetDrawScale(), true), bounds, nullptr, IRECT()));
  DrawBitmap(src, bounds, 0, 0, nullptr);
  ILayer* pLayer = PopLayer();
  const IBitmap result(pLayer->mBitmap.release(), src.N(), src.GetFramesAreHorizontal(), name);
  delete pLayer;
  RetainBitmap(result, name);

  mDrawScale = drawScale;
  // The screen scale comes back exactly as it was; the rendering above only borrowed it.
  mScreenScale = screenScale;
  return result;
}

void IGraphics::RetainBitmap(const IBitmap& bitmap, const char* cacheName)
{
  StaticStorage<APIBitmap>::Accessor cache(BitmapCache());
  cache.Add(bitmap.GetAPIBitmap(), cacheName, bitmap.GetScale());
}

void IGraphics::ReleaseBitmap(const IBitmap& bitmap)
{
  StaticStorage<APIBitmap>::Accessor cache(BitmapCache());
  cache.Remove(bitmap.GetAPIBitmap());
}

IBitmap IGraphics::GetScaledBitmap(IBitmap& src)
{
  return LoadBitmap(src.GetResourceName().Get(), src.N(), src.GetFramesAreHorizontal(),
                    static_cast<int>(std::ceil(GetScreenScale())));
}

ISVG IGraphics::LoadSVG(const char* fileNameOrResID, const char* units, float dpi)
{
  if (!fileNameOrResID)
    return ISVG();
  StaticStorage<SVGHolder>::Accessor cache(SVGCache());
  if (SVGHolder* pHolder = cache.Find(fileNameOrResID))
    return ISVG(pHolder->mImage);
  const WDL_TypedBuf<uint8_t> bytes = LoadResource(fileNameOrResID, "svg");
  if (!bytes.GetSize())
    return ISVG();
  return LoadSVG(fileNameOrResID, bytes.Get(), bytes.GetSize(), units, dpi);
}

ISVG IGraphics::LoadSVG(const char* name, const void* pData, int dataSize, const char* units, float dpi)
{
  if (!name)
    return ISVG();
  StaticStorage<SVGHolder>::Accessor cache(SVGCache());
  if (SVGHolder* pHolder = cache.Find(name))
    return ISVG(pHolder->mImage);
  if (!pData || dataSize <= 0)
    return ISVG();

  // nanosvg parses in place, so it gets a terminated copy of the text.
  const char* text = static_cast<const char*>(pData);
  const void* nul = std::memchr(text, 0, static_cast<size_t>(dataSize));
  std::string copy(text, nul ? static_cast<const char*>(nul) - text : dataSize);
  NSVGimage* pImage = nsvgParse(copy.data(), units ? units : "px", dpi);
  if (!pImage)
    return ISVG();
  auto* pHolder = new SVGHolder(pImage);
  return cache.Add(pHolder, name) ? ISVG(pImage) : ISVG();
}

WDL_TypedBuf<uint8_t> IGraphics::LoadResource(const char* fileNameOrResID, const char* fileType)
{
  WDL_TypedBuf<uint8_t> result;
  WDL_String path;
  if (!fileNameOrResID || LocateResource(fileNameOrResID, fileType, path, GetBundleID(), GetWinModuleHandle(),
                                         GetSharedResourcesSubPath()) != kAbsolutePath)
    return result;

  FILE* fd = OpenForReading(path.Get());
  if (!fd)
    return result;
  if (std::fseek(fd, 0, SEEK_END) == 0)
  {
    const long size = std::ftell(fd);
    if (size > 0 && std::fseek(fd, 0, SEEK_SET) == 0 && result.Resize(static_cast<int>(size)) &&
        result.GetSize() == size &&
        std::fread(result.Get(), 1, static_cast<size_t>(size), fd) != static_cast<size_t>(size))
      result.Resize(0);
  }
  std::fclose(fd);
  return result;
}

bool IGraphics::AdoptPlatformFont(const char* fontID, const PlatformFontPtr& font)
{
  if (!font)
    return false;
  const bool ok = LoadAPIFont(fontID, font);
  if (ok)
    CachePlatformFont(fontID, font);
  return ok;
}

bool IGraphics::LoadFont(const char* fontID, const char* fileNameOrResID)
{
  return AdoptPlatformFont(fontID, LoadPlatformFont(fontID, fileNameOrResID));
}

bool IGraphics::LoadFont(const char* fontID, void* pData, int dataSize)
{
  return AdoptPlatformFont(fontID, LoadPlatformFont(fontID, pData, dataSize));
}

bool IGraphics::LoadFont(const char* fontID, const char* fontName, ETextStyle style)
{
  return AdoptPlatformFont(fontID, LoadPlatformFont(fontID, fontName, style));
}

} // namespace igraphics
} // namespace iplug
