#pragma once

#include <cstdint>

#include "igraphics/IGraphicsLook.h"
#include "igraphics/IRECT.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

class IControl;
class IGraphics;

/** The face of a pressable widget. */
enum class EVShape : int32_t
{
  Rectangle = 0,
  Ellipse,
  Triangle,
  RoundedTop,
  RoundedAll
};

/** Where a vector control's label sits beside its widget; stored as IVStyle::labelSide. */
enum class ELabelSide : int32_t
{
  Top = 0,
  Right,
  Bottom,
  Left
};

/** The style, texts and layout shared by every vector-drawn control. It is the second base of such
    a control, beside its interaction base; the control registers itself with AttachIControl from its
    constructor. */
class IVectorBase
{
public:
  IVectorBase(const IVStyle& style, bool labelInWidget = false, bool valueInWidget = false);
  virtual ~IVectorBase() = default;

  IVectorBase(const IVectorBase&) = delete;
  IVectorBase& operator=(const IVectorBase&) = delete;

  /** Runs after every style change and while the splash grows; empty unless a control caches looks. */
  virtual void OnStyleChanged() {}
  virtual void SetStyle(const IVStyle& style);
  virtual void DrawBackground(IGraphics& g, const IRECT& r);
  virtual void DrawWidget(IGraphics& /*g*/) {}
  virtual void DrawLabel(IGraphics& g);
  virtual void DrawValue(IGraphics& g, bool mouseOver);
  /** A shape outside EVShape draws nothing. */
  virtual void DrawPressableShape(IGraphics& g, EVShape shape, const IRECT& bounds, bool pressed, bool mouseOver,
                                  bool disabled);

  /** Divides parent into the widget, label and value rectangles and returns the clickable area:
      parent without the label strip. A control with a pressable handle leaves room for its frame
      and shadow. */
  IRECT MakeRects(const IRECT& parent, bool hasHandle = false);

  /** Each returns the handle: the rectangle the face was drawn in. */
  IRECT DrawPressableRectangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled,
                               bool roundTopLeft = true, bool roundTopRight = true, bool roundBottomLeft = true,
                               bool roundBottomRight = true);
  IRECT DrawPressableEllipse(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, bool disabled);
  IRECT DrawPressableTriangle(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, float angle,
                              bool disabled);
  /** The click splash, clipped to clipRect within the area being drawn (all of it when clipRect is
      empty). */
  void DrawSplash(IGraphics& g, const IRECT& clipRect = IRECT());

  void AttachIControl(IControl* pControl, const char* label);
  IControl* GetControl() const { return mControl; }

  const IVStyle& GetStyle() const { return mStyle; }
  const IColor& GetColor(EVColor color) const { return mStyle.colorSpec.GetColor(color); }

  void SetLabelStr(const char* str) { mLabelString.Set(str ? str : ""); }
  const char* GetLabelStr() const { return mLabelString.Get(); }
  void SetValueStr(const char* str) { mValueString.Set(str ? str : ""); }
  const char* GetValueStr() const { return mValueString.Get(); }

  void SetShape(EVShape shape) { mWidgetShape = shape; }
  EVShape GetShape() const { return mWidgetShape; }

  const IRECT& GetWidgetBounds() const { return mWidgetBounds; }
  const IRECT& GetLabelBounds() const { return mLabelBounds; }
  const IRECT& GetValueBounds() const { return mValueBounds; }

  void SetSplashPoint(float x, float y)
  {
    mSplashPoint[0] = x;
    mSplashPoint[1] = y;
  }
  void SetSplashRadius(float radius) { mSplashRadius = radius; }
  float GetSplashRadius() const { return mSplashRadius; }
  float GetMaxSplashRadius() const { return mMaxSplashRadius; }

  /** bounds without the room that the frame and the drop shadow of a handle take. */
  IRECT GetAdjustedHandleBounds(const IRECT& bounds) const;
  /** The corner radius that the style's roundness gives a handle of this size. */
  float GetRoundedCornerRadius(const IRECT& bounds) const;

protected:
  /** The owning control's blend; none before a control is attached. */
  const IBlend* ControlBlend() const;

  IControl* mControl = nullptr;
  IVStyle mStyle = DEFAULT_STYLE;
  bool mLabelInWidget;
  bool mValueInWidget;
  float mSplashRadius = 0.f;
  float mSplashPoint[2] = {0.f, 0.f};
  float mMaxSplashRadius = 50.f;
  float mTrackSize = 2.f;
  // The value rectangle reaches this fraction of the value text's width to each side of its centre.
  float mValueDisplayFraction = 0.66f;
  IRECT mWidgetBounds;
  IRECT mLabelBounds;
  IRECT mValueBounds;
  WDL_String mLabelString;
  WDL_String mValueString;
  EVShape mWidgetShape = EVShape::Rectangle;
};

} // namespace igraphics
} // namespace iplug
