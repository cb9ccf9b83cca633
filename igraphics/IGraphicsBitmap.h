#pragma once

#include "iplug/wdl/WdlString.h"

struct NSVGimage;
struct NSVGpaint;

namespace iplug
{
namespace igraphics
{

/** A back-end image: its id, size in device pixels, the resource scale it was made for and the
 * draw scale it was drawn at. It owns its image; the back end's subclass frees it. */
class APIBitmap
{
public:
  APIBitmap() = default;
  APIBitmap(int image, int width, int height, float scale, float drawScale)
  : mImage(image)
  , mWidth(width)
  , mHeight(height)
  , mScale(scale)
  , mDrawScale(drawScale)
  {}
  virtual ~APIBitmap() = default;
  APIBitmap(const APIBitmap&) = delete;
  APIBitmap& operator=(const APIBitmap&) = delete;

  int GetBitmap() const { return mImage; }
  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  float GetScale() const { return mScale; }
  float GetDrawScale() const { return mDrawScale; }

protected:
  void SetBitmap(int image, int width, int height, float scale, float drawScale)
  {
    mImage = image;
    mWidth = width;
    mHeight = height;
    mScale = scale;
    mDrawScale = drawScale;
  }

private:
  int mImage = 0;
  int mWidth = 0;
  int mHeight = 0;
  float mScale = 0.f;
  float mDrawScale = 0.f;
};

/** A handle to a cached back-end image; it does not own it. Sizes are in unscaled pixels. */
class IBitmap
{
public:
  IBitmap() = default;
  IBitmap(APIBitmap* pAPIBitmap, int n, bool framesAreHorizontal, const char* name = "")
  : mAPIBitmap(pAPIBitmap)
  , mW(pAPIBitmap ? static_cast<int>(pAPIBitmap->GetWidth() / pAPIBitmap->GetScale()) : 0)
  , mH(pAPIBitmap ? static_cast<int>(pAPIBitmap->GetHeight() / pAPIBitmap->GetScale()) : 0)
  , mN(n)
  , mFramesAreHorizontal(framesAreHorizontal)
  {
    mResourceName.Set(name ? name : "");
  }

  APIBitmap* GetAPIBitmap() const { return mAPIBitmap; }
  bool IsValid() const { return mAPIBitmap != nullptr; }
  int W() const { return mW; }
  int H() const { return mH; }
  int N() const { return mN; }
  /** Size of one frame. */
  int FW() const { return mFramesAreHorizontal && mN > 0 ? mW / mN : mW; }
  int FH() const { return !mFramesAreHorizontal && mN > 0 ? mH / mN : mH; }
  bool GetFramesAreHorizontal() const { return mFramesAreHorizontal; }
  float GetScale() const { return mAPIBitmap ? mAPIBitmap->GetScale() : 0.f; }
  float GetDrawScale() const { return mAPIBitmap ? mAPIBitmap->GetDrawScale() : 0.f; }
  const WDL_String& GetResourceName() const { return mResourceName; }

private:
  APIBitmap* mAPIBitmap = nullptr;
  int mW = 0;
  int mH = 0;
  int mN = 0;
  bool mFramesAreHorizontal = false;
  WDL_String mResourceName;
};

/** Owns one parsed SVG image. */
class SVGHolder
{
public:
  explicit SVGHolder(NSVGimage* pImage) : mImage(pImage) {}
  ~SVGHolder();
  SVGHolder(const SVGHolder&) = delete;
  SVGHolder& operator=(const SVGHolder&) = delete;

  NSVGimage* mImage;
};

/** A handle to a cached SVG image. */
struct ISVG
{
  explicit ISVG(NSVGimage* pImage = nullptr) : mImage(pImage) {}

  bool IsValid() const { return mImage != nullptr; }
  float W() const;
  float H() const;

  NSVGimage* mImage;
};

struct IPattern;

/** The paint of an SVG fill or stroke as a pattern; the opacity applies to plain colours only. */
IPattern GetSVGPattern(const NSVGpaint& paint, float opacity);

} // namespace igraphics
} // namespace iplug
