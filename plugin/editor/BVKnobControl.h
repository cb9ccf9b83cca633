// The knob of every knob on the instrument's panel: a vector knob, nothing added.
#pragma once

#include "igraphics/controls/IVKnobControl.h"

namespace brimvale::editor
{

class BVKnobControl : public iplug::igraphics::IVKnobControl
{
public:
  using IVKnobControl::IVKnobControl;
};

} // namespace brimvale::editor
