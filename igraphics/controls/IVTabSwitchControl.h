#pragma once

#include <initializer_list>
#include <vector>

#include "igraphics/IActionFunctions.h"
#include "igraphics/IControlBases.h"
#include "igraphics/controls/IVectorBase.h"

namespace iplug
{
namespace igraphics
{

/** Where a button sits in a row of tabs. */
enum class ETabSegment : int32_t
{
  Start = 0,
  Mid,
  End
};

/** A row (or column) of buttons, one per state; clicking a button selects its state. */
class IVTabSwitchControl : public ISwitchControlBase, public IVectorBase
{
public:
  /** Without labels, a linked parameter's display texts label the buttons. */
  IVTabSwitchControl(const IRECT& bounds, int paramIdx = kNoParameter, const std::vector<const char*>& options = {},
                     const char* label = "", const IVStyle& style = DEFAULT_STYLE, EVShape shape = EVShape::Rectangle,
                     EDirection direction = EDirection::Horizontal);
  IVTabSwitchControl(const IRECT& bounds, IActionFunction action, const std::vector<const char*>& options,
                     const char* label = "", const IVStyle& style = DEFAULT_STYLE, EVShape shape = EVShape::Rectangle,
                     EDirection direction = EDirection::Horizontal);

  void Draw(IGraphics& g) override;
  void DrawWidget(IGraphics& g) override;
  void OnInit() override;
  void OnResize() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  bool IsHit(float x, float y) const override;

  virtual void DrawButton(IGraphics& g, const IRECT& bounds, bool pressed, bool mouseOver, ETabSegment segment,
                          bool disabled);
  virtual void DrawButtonText(IGraphics& g, const IRECT& bounds, const char* str);
  /** The first button containing the point, or -1. */
  virtual int GetButtonForPoint(float x, float y) const;

  /** The selected state's label; "" when it has none. */
  const char* GetSelectedLabelStr() const;

protected:
  int GetSelectedIdx() const;
  bool IsStateDisabled(int state) const { return IsDisabled() || GetStateDisabled(state); }

  int mMouseOverButton = -1;
  std::vector<IRECT> mButtonBounds;
  std::vector<WDL_String> mTabLabels;
  EDirection mDirection;

private:
  void InitTabs(const std::vector<const char*>& options, const char* label, EVShape shape);
};

/** A list of round (or other) buttons, each with its label beside it; one of them is selected. */
class IVRadioButtonControl : public IVTabSwitchControl
{
public:
  IVRadioButtonControl(const IRECT& bounds, int paramIdx = kNoParameter,
                       std::initializer_list<const char*> options = {}, const char* label = "",
                       const IVStyle& style = DEFAULT_STYLE, EVShape shape = EVShape::Ellipse,
                       EDirection direction = EDirection::Vertical, float buttonSize = 10.f);
  IVRadioButtonControl(const IRECT& bounds, IActionFunction action, std::initializer_list<const char*> options,
                       const char* label = "", const IVStyle& style = DEFAULT_STYLE, EVShape shape = EVShape::Ellipse,
                       EDirection direction = EDirection::Vertical, float buttonSize = 10.f);

  void DrawWidget(IGraphics& g) override;
  int GetButtonForPoint(float x, float y) const override;

  /** Limits clicks and hovering to the buttons themselves, not their labels. */
  void SetOnlyButtonsRespondToMouse(bool only) { mOnlyButtonsRespondToMouse = only; }

protected:
  // The part of a row, from its left edge, that holds the button.
  IRECT ButtonArea(const IRECT& row) const;

  float mButtonSize;
  float mButtonAreaWidth;
  bool mOnlyButtonsRespondToMouse = false;

private:
  void InitRadio();
};

} // namespace igraphics
} // namespace iplug
