#pragma once

#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/IRECT.h"

#include <memory>

namespace iplug
{
namespace igraphics
{

class IControl;

/** An off-screen image that a control draws into once and composites on later frames. */
class ILayer
{
public:
  ILayer(APIBitmap* pBitmap, const IRECT& layerRect, IControl* pControl, const IRECT& controlRect)
  : mBitmap(pBitmap)
  , mControl(pControl)
  , mControlRECT(controlRect)
  , mRECT(layerRect)
  {}
  ILayer(const ILayer&) = delete;
  ILayer& operator=(const ILayer&) = delete;

  /** Marks the layer for redrawing on its owner's next Draw. */
  void Invalidate() { mInvalid = true; }
  bool IsInvalid() const { return mInvalid; }

  const APIBitmap* GetAPIBitmap() const { return mBitmap.get(); }
  APIBitmap* GetAPIBitmap() { return mBitmap.get(); }
  IBitmap GetBitmap() const { return IBitmap(mBitmap.get(), 1, false); }
  const IRECT& Bounds() const { return mRECT; }

private:
  friend class IGraphics;

  std::unique_ptr<APIBitmap> mBitmap;
  IControl* mControl;
  IRECT mControlRECT;
  IRECT mRECT;
  bool mInvalid = false;
};

using ILayerPtr = std::unique_ptr<ILayer>;

} // namespace igraphics
} // namespace iplug
