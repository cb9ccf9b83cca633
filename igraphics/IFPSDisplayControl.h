#pragma once

#include <cstdint>
#include <string>

#include "igraphics/IControl.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

/** A graph of the last frame times with their average, as frames per second, milliseconds or a
    percentage; a click shows the next of the three. The surface feeds it at the start of every
    frame while it is shown. */
class IFPSDisplayControl : public IControl, public IVectorBase
{
public:
  enum EStyle : int32_t
  {
    kFPS = 0,
    kMilliseconds,
    kPercentage
  };

  static constexpr int kNumFrames = 100;

  IFPSDisplayControl(const IRECT& bounds, EStyle style = kFPS, const char* label = "");

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void Draw(IGraphics& g) override;

  /** Records how long the latest frame took, in seconds, and asks for a redraw to show it. */
  void Update(float timeTaken);

private:
  // Hides the vector base's style, which this control reads only through GetColor.
  EStyle mStyle;
  std::string mLabel;
  float mBuffer[kNumFrames] = {};
  int mReadPos = 0;
  IText& mLabelText = mText;
  IText mAPIText;
  IText mValueText;
  IText mSecondaryValueText;
};

} // namespace igraphics
} // namespace iplug
