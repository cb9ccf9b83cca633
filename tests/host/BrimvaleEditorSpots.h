// Where the Brimvale editor draws what, in editor units, for the host tests that read its pixels
// back (the headless one and the Windows window at its own draw scale).
#pragma once

#include "igraphics/IRECT.h"

namespace testhost
{

/** A point inside one section's panel, or the background between them, and the colour there. */
struct PanelSpot
{
  const char* what;
  int x, y;
  int r, g, b;
};

// Each section's panel, the background between them and the meter's well.
inline constexpr PanelSpot kPanelSpots[] = {
  {"background", 226, 200, 7, 10, 15}, {"Sample A", 100, 190, 16, 22, 30}, {"Sample B", 330, 190, 16, 22, 30},
  {"Blend", 470, 300, 16, 22, 30},     {"Filter", 760, 300, 16, 22, 30},   {"Motion", 1000, 310, 16, 22, 30},
  {"Space", 1300, 310, 16, 22, 30},    {"Output", 1400, 300, 16, 22, 30},
};

const iplug::igraphics::IRECT kLoadA(26, 104, 208, 138);
const iplug::igraphics::IRECT kLoadB(244, 104, 426, 138);
const iplug::igraphics::IRECT kBlendKnob(466, 118, 510, 200);

} // namespace testhost
