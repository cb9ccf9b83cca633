#pragma once

#include "igraphics/ITextControl.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

/** A static text in the vector style, with its drop shadow and frame. */
class IVLabelControl : public ITextControl, public IVectorBase
{
public:
  IVLabelControl(const IRECT& bounds, const char* label, const IVStyle& style = DEFAULT_STYLE);

  void Draw(IGraphics& g) override;
};

} // namespace igraphics
} // namespace iplug
