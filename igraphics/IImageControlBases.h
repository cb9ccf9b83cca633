#pragma once

#include <string>

#include "igraphics/IControl.h"
#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/ILayer.h"

namespace iplug
{
namespace igraphics
{

/** Draws the frame of a multi-frame bitmap that matches a control's value. It is mixed into an
    IControl subclass, whose constructor points mControl at itself. */
class IBitmapBase
{
public:
  explicit IBitmapBase(const IBitmap& bitmap);
  virtual ~IBitmapBase() = default;

  /** The frame for value 0 at one frame's size, centred in the control: a larger control shows it
      unstretched. */
  void DrawBitmap(IGraphics& g);

protected:
  /** The frame-sized rectangle whose top-left is (x, y). */
  static IRECT FrameBoundsAt(float x, float y, const IBitmap& bitmap);
  /** The frame-sized rectangle centred in bounds. */
  static IRECT FrameBoundsIn(const IRECT& bounds, const IBitmap& bitmap);
  /** The same resource at the surface's current scale. A bitmap without a resource name has
      nothing to reload from, so it is kept as it is. */
  static IBitmap ScaledBitmap(IGraphics& g, IBitmap& bitmap);
  /** For OnRescale: switches mBitmap to the resolution variant for the surface's scale. */
  void RescaleBitmap();

  IBitmap mBitmap;
  std::string mBitmapName;
  IControl* mControl = nullptr;
};

/** A bitmap showing the frame for its value. */
class IBitmapControl : public IControl, public IBitmapBase
{
public:
  /** The control is one frame in size, with its top-left at (x, y). */
  IBitmapControl(float x, float y, const IBitmap& bitmap, int paramIdx = kNoParameter, EBlend blend = EBlend::Default);

  void Draw(IGraphics& g) override { DrawBitmap(g); }
  void OnRescale() override { RescaleBitmap(); }
};

/** One SVG image fitted into the control, optionally rendered once into a layer that later frames
    composite until the control moves or the scale changes. */
class ISVGControl : public IControl
{
public:
  ISVGControl(const IRECT& bounds, const ISVG& svg, bool useLayer = false);

  void Draw(IGraphics& g) override;

protected:
  bool mUseLayer;
  ILayerPtr mLayer;
  ISVG mSVG;
};

} // namespace igraphics
} // namespace iplug
