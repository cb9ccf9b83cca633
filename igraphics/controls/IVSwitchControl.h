#pragma once

#include "igraphics/IActionFunctions.h"
#include "igraphics/IControlBases.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

/** A vector button that steps through the states of its parameter, one per click, and shows the
    current state's text. */
class IVSwitchControl : public ISwitchControlBase, public IVectorBase
{
public:
  IVSwitchControl(const IRECT& bounds, int paramIdx = kNoParameter, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, bool valueInButton = true);
  IVSwitchControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, int numStates = 2, bool valueInButton = true);

  void Draw(IGraphics& g) override;
  void DrawWidget(IGraphics& g) override;
  bool IsHit(float x, float y) const override;
  void OnResize() override;
  void OnMouseOut() override;
  void OnInit() override;
  void SetDirty(bool push = true, int valIdx = kNoValIdx) override;

private:
  // Both constructors link the control and its style the same way.
  void InitSwitch(const char* label, bool valueInButton);
};

/** A two-state switch that shows one text when off and another when on. */
class IVToggleControl : public IVSwitchControl
{
public:
  IVToggleControl(const IRECT& bounds, int paramIdx = kNoParameter, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, const char* offText = "OFF", const char* onText = "ON");
  IVToggleControl(const IRECT& bounds, IActionFunction action, const char* label = "",
                  const IVStyle& style = DEFAULT_STYLE, const char* offText = "OFF", const char* onText = "ON",
                  bool initialState = false);

  void DrawWidget(IGraphics& g) override;
  void DrawValue(IGraphics& g, bool mouseOver) override;

protected:
  WDL_String mOffText;
  WDL_String mOnText;
};

} // namespace igraphics
} // namespace iplug
