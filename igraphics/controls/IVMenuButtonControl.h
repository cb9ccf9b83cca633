#pragma once

#include "igraphics/IContainerBase.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

class IVButtonControl;

/** A button that shows its parameter's display text and, once clicked, offers the parameter's
    display texts in a menu. The button is a child control that it makes when it is attached. */
class IVMenuButtonControl : public IContainerBase, public IVectorBase
{
public:
  IVMenuButtonControl(const IRECT& bounds, int paramIdx, const char* label = "", const IVStyle& style = DEFAULT_STYLE,
                      EVShape shape = EVShape::Rectangle);

  void Draw(IGraphics& /*g*/) override {}
  void SetValueFromDelegate(double value, int valIdx = 0) override;
  void SetValueFromUserInput(double value, int valIdx = 0) override;
  void OnPopupMenuSelection(IPopupMenu* pSelectedMenu, int valIdx) override;
  /** Before the control is attached only the stored style changes; the button is made with it. */
  void SetStyle(const IVStyle& style) override;

  /** Null until the control is attached, and again once the surface has removed the button. */
  IVButtonControl* GetMenuButton() const;

private:
  void UpdateMenuButtonText();

  IVButtonControl* mMenuButton = nullptr;
};

} // namespace igraphics
} // namespace iplug
