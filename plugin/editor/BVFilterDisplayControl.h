// A stylised magnitude curve of the filter section: its shape follows the mode, its corner the
// cutoff (with the live modulation the plug-in sends at idle time), its bump the resonance. An
// illustration from normalised values, not the filter's real transfer function.
#pragma once

#include "igraphics/IControl.h"

namespace brimvale::editor
{

class BVFilterDisplayControl : public iplug::igraphics::IControl
{
public:
  /** Bound to the cutoff, resonance and mode parameters, in that order of value index. */
  BVFilterDisplayControl(const iplug::igraphics::IRECT& bounds, int cutoffParam, int resonanceParam, int modeParam);

  /** The last modulated cutoff taken (normalised), or a negative value before the first. */
  double GetModulatedCutoff() const { return mModulatedCutoff; }

  /** Takes the filter-display message (one float64, exactly); ignores anything else. */
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* pData) override;
  void Draw(iplug::igraphics::IGraphics& g) override;

  /** The curve's height (0..1) at position x (0..1) for a corner a, resonance r and mode. */
  static double Response(double x, double a, double r, int mode);

private:
  double mModulatedCutoff = -1.0;
};

} // namespace brimvale::editor
