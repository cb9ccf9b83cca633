#pragma once

#include <initializer_list>
#include <vector>

#include "igraphics/IControl.h"
#include "igraphics/controls/IVectorBase.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

/** Parallel bars, one per value of the control, each filled from a base line to its value. A bar
    may be cut into lit steps, carry a name, be highlighted, and show a peak marker at its moving
    end. Meters and multi-handle sliders build on it. */
class IVTrackControlBase : public IControl, public IVectorBase
{
public:
  /** maxNTracks values, none linked to a parameter. */
  IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style, int maxNTracks, int totalNSegs,
                     EDirection direction, std::initializer_list<const char*> trackNames);
  /** One value per parameter, value i linked to params[i]. */
  IVTrackControlBase(const IRECT& bounds, const char* label, const IVStyle& style, std::initializer_list<int> params,
                     int totalNSegs, EDirection direction, std::initializer_list<const char*> trackNames);

  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  void OnResize() override;
  void Draw(IGraphics& g) override;
  /** The first track containing the point, or kNoValIdx. */
  int GetValIdxForPos(float x, float y) const override;

  void DrawWidget(IGraphics& g) override;
  void DrawBackground(IGraphics& g, const IRECT& r) override;
  virtual void DrawTrack(IGraphics& g, const IRECT& r, int chIdx);
  virtual void DrawTrackBackground(IGraphics& g, const IRECT& r, int chIdx);
  virtual void DrawTrackName(IGraphics& g, const IRECT& r, int chIdx);
  virtual void DrawTrackHandle(IGraphics& g, const IRECT& r, int chIdx, bool aboveBaseValue);
  virtual void DrawPeak(IGraphics& g, const IRECT& r, int chIdx, bool aboveBaseValue);
  virtual void MakeTrackRects(const IRECT& r);
  virtual void MakeStepRects(const IRECT& r, int nSteps);

protected:
  /** The frame around the widget, when the style draws frames. */
  void DrawWidgetFrame(IGraphics& g);

  EDirection mDirection;
  std::vector<IRECT> mTrackBounds;
  std::vector<IRECT> mStepBounds;
  std::vector<WDL_String> mTrackNames;
  int mStepCount;
  float mTrackInset = 0.f;
  float mPeakSize = 1.f;
  int mHighlightedTrack = kNoValIdx;
  int mMouseOverTrack = kNoValIdx;
  double mBaseValue = 0.;
  bool mDrawTrackFrame = true;
  bool mZeroValueStepHasBounds = true;

private:
  void Init(const char* label, std::initializer_list<const char*> trackNames);
  /** The part of track r between the base value and value. */
  IRECT FillBounds(const IRECT& r, double value) const;
  /** The marker at the moving end of a fill. */
  IRECT PeakBounds(const IRECT& fill, double value) const;
  /** The fill narrowed to the one step that holds its moving end. */
  IRECT StepFillBounds(IRECT fill, double value) const;
};

} // namespace igraphics
} // namespace iplug
