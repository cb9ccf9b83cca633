// Off-screen layers, the clip region and the drawing transform.
#include "igraphics/IGraphics.h"

#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/ILayer.h"
#include "igraphics/IPattern.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace iplug
{
namespace igraphics
{

void IGraphics::StartLayer(IControl* pControl, const IRECT& r, bool cacheable)
{
  const float s = GetBackingPixelScale();
  const IRECT bounds = r.PixelAligned(s);
  const int w = static_cast<int>(std::ceil(std::ceil(bounds.W()) * s));
  const int h = static_cast<int>(std::ceil(std::ceil(bounds.H()) * s));
  APIBitmap* pBitmap = CreateAPIBitmap(w, h, GetScreenScale(), GetDrawScale(), cacheable);
  PushLayer(new ILayer(pBitmap, bounds, pControl, pControl ? pControl->GetRECT() : IRECT()));
}

void IGraphics::PushLayer(ILayer* pLayer)
{
  mLayers.push_back(pLayer);
  UpdateLayer();
  PathTransformReset();
  PathClipRegion(pLayer->Bounds());
  PathClear();
}

ILayer* IGraphics::PopLayer()
{
  ILayer* pLayer = nullptr;
  if (!mLayers.empty())
  {
    pLayer = mLayers.back();
    mLayers.pop_back();
  }
  UpdateLayer();
  PathTransformReset();
  PathClipRegion();
  PathClear();
  return pLayer;
}

ILayerPtr IGraphics::EndLayer()
{
  return ILayerPtr(PopLayer());
}

void IGraphics::ResumeLayer(ILayerPtr& layer)
{
  if (layer)
    PushLayer(layer.release());
}

bool IGraphics::CheckLayer(const ILayerPtr& layer)
{
  if (!layer || !layer->GetAPIBitmap())
    return false;
  if (layer->mControl && layer->mControl->GetRECT() != layer->mControlRECT)
  {
    layer->mControlRECT = layer->mControl->GetRECT();
    layer->Invalidate();
  }
  if (layer->IsInvalid())
    return false;
  const APIBitmap* pBitmap = layer->GetAPIBitmap();
  return pBitmap->GetDrawScale() == GetDrawScale() && pBitmap->GetScale() == GetScreenScale();
}

void IGraphics::DrawLayer(const ILayerPtr& layer, const IBlend* pBlend)
{
  if (!layer || !layer->GetAPIBitmap())
    return;
  PathTransformSave();
  PathTransformReset();
  DrawBitmap(layer->GetBitmap(), layer->Bounds(), 0, 0, pBlend);
  PathTransformRestore();
}

void IGraphics::DrawFittedLayer(const ILayerPtr& layer, const IRECT& bounds, const IBlend* pBlend)
{
  if (!layer || !layer->GetAPIBitmap())
    return;
  // The base's fitting, called as such: a back end that fits bitmaps its own way does not fit layers.
  IGraphics::DrawFittedBitmap(layer->GetBitmap(), bounds, pBlend);
}

void IGraphics::DrawRotatedLayer(const ILayerPtr& layer, double angle)
{
  if (!layer || !layer->GetAPIBitmap())
    return;
  PathTransformSave();
  DrawRotatedBitmap(layer->GetBitmap(), layer->Bounds().MW(), layer->Bounds().MH(), angle);
  PathTransformRestore();
}

void IGraphics::ApplyLayerDropShadow(ILayerPtr& layer, const IShadow& shadow)
{
  WDL_TypedBuf<uint8_t> data;
  GetLayerBitmapData(layer, data);
  if (!layer || !data.GetSize())
    return;

  const APIBitmap* pBitmap = layer->GetAPIBitmap();
  const int width = pBitmap->GetWidth();
  const int height = pBitmap->GetHeight();
  if (width <= 0 || height <= 0 || data.GetSize() < width * height * 4)
    return;

  const float size = std::max(pBitmap->GetScale() * pBitmap->GetDrawScale() * shadow.mBlurSize + 1.f, 1.f);
  const int taps = static_cast<int>(std::ceil(size));
  std::vector<int> kernel(static_cast<size_t>(taps));
  int norm = 0;
  for (int i = 0; i < taps; ++i)
  {
    kernel[i] = static_cast<int>(std::lround(255.f * std::exp(-4.5f * i * i / (size * size))));
    norm += i ? 2 * kernel[i] : kernel[i];
  }
  if (norm <= 0)
    return;

  // The alpha channel, as rows of pixels from the top.
  const int alpha = AlphaChannel();
  const bool flipped = FlippedBitmap();
  uint8_t* pixels = data.Get();
  std::vector<uint8_t> a(static_cast<size_t>(width) * height), t(a.size());
  for (int y = 0; y < height; ++y)
  {
    const int row = flipped ? height - 1 - y : y;
    for (int x = 0; x < width; ++x)
      a[static_cast<size_t>(y) * width + x] = pixels[(static_cast<size_t>(row) * width + x) * 4 + alpha];
  }

  // One pass blurs along rows and writes its result transposed, so two passes blur both axes.
  auto pass = [&](const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int w, int h) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
      {
        int sum = 0;
        for (int d = -(taps - 1); d <= taps - 1; ++d)
        {
          const int xs = x + d;
          if (xs >= 0 && xs < w)
            sum += kernel[static_cast<size_t>(std::abs(d))] * in[static_cast<size_t>(y) * w + xs];
        }
        out[static_cast<size_t>(x) * h + y] = static_cast<uint8_t>(std::min(sum / norm, 255));
      }
  };
  pass(a, t, width, height);
  pass(t, a, height, width);

  WDL_TypedBuf<uint8_t> mask;
  mask.Resize(width * height * 4);
  if (mask.GetSize() != width * height * 4)
    return;
  // The mask becomes an image of its own, so its rows go top first whatever the read-back order.
  uint8_t* m = mask.Get();
  for (int y = 0; y < height; ++y)
  {
    for (int x = 0; x < width; ++x)
    {
      uint8_t* px = &m[(static_cast<size_t>(y) * width + x) * 4];
      px[0] = px[1] = px[2] = 0;
      px[alpha] = a[static_cast<size_t>(y) * width + x];
    }
  }
  ApplyShadowMask(layer, mask, shadow);
}

void IGraphics::PathClipRegion(const IRECT r)
{
  const IRECT drawArea = mLayers.empty() ? mClipRECT : mLayers.back()->Bounds();
  const IRECT clip = r.Empty() ? drawArea : r.Intersect(drawArea);
  PathTransformSetMatrix(IMatrix());
  SetClipRegion(clip);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformSave()
{
  mTransformStates.push_back(mTransform);
}

void IGraphics::PathTransformRestore()
{
  if (mTransformStates.empty())
    return;
  mTransform = mTransformStates.back();
  mTransformStates.pop_back();
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformReset(bool clearStates)
{
  if (clearStates)
    mTransformStates.clear();
  mTransform = IMatrix();
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformTranslate(float x, float y)
{
  mTransform.Translate(x, y);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformScale(float scaleX, float scaleY)
{
  mTransform.Scale(scaleX, scaleY);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformScale(float scale)
{
  PathTransformScale(scale, scale);
}

void IGraphics::PathTransformRotate(float angle)
{
  mTransform.Rotate(angle);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformSkew(float xAngle, float yAngle)
{
  mTransform.Skew(xAngle, yAngle);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformMatrix(const IMatrix& matrix)
{
  mTransform.Transform(matrix);
  PathTransformSetMatrix(mTransform);
}

} // namespace igraphics
} // namespace iplug
