#pragma once

#include "igraphics/IActionFunctions.h"
#include "igraphics/IControlBases.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

/** A momentary vector button: a click runs its action, and the face shows pressed until the
    action's animation has ended. */
class IVButtonControl : public IButtonControlBase, public IVectorBase
{
public:
  IVButtonControl(const IRECT& bounds, IActionFunction action = SplashClickActionFunc, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool labelInButton = true, bool valueInButton = true,
                  EVShape shape = EVShape::Rectangle);

  void Draw(IGraphics& g) override;
  void DrawWidget(IGraphics& g) override;
  void OnResize() override;
  bool IsHit(float x, float y) const override;
};

} // namespace igraphics
} // namespace iplug
