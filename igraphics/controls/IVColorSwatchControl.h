#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "igraphics/IControl.h"
#include "igraphics/controls/IVectorBase.h"
#include "iplug/wdl/WdlHeapBuf.h"
#include "iplug/wdl/WdlPtrList.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

/** Cells that each show one of the style's colours, with an optional text, and let the user change
    that colour through the platform's colour chooser. */
class IVColorSwatchControl : public IControl, public IVectorBase
{
public:
  /** Called after the user chose a colour for a cell. */
  using ColorChosenFunc = std::function<void(int cellIndex, IColor color)>;

  /** How the cells are arranged. */
  enum ELayout : int32_t
  {
    kGrid = 0, // three by three
    kRow,
    kColumn
  };

  IVColorSwatchControl(const IRECT& bounds, const char* label = "", ColorChosenFunc func = nullptr,
                       const IVStyle& style = DEFAULT_STYLE, int layout = kGrid,
                       std::initializer_list<EVColor> colorIDs = {kBG, kFG, kPR, kFR, kHL, kSH, kX1, kX2, kX3},
                       std::initializer_list<const char*> labelsForIDs = {});
  ~IVColorSwatchControl() override;

  void Draw(IGraphics& g) override;
  void DrawWidget(IGraphics& g) override;
  void OnResize() override;
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;

protected:
  int NCells() const;
  /** The cell containing the point, or -1. */
  int CellAt(float x, float y) const;
  /** Whether the cell's colour id names one of the style's colours; a cell that names none shows
      and edits nothing. */
  bool CellHasColor(int cellIndex) const;

  ColorChosenFunc mColorChosenFunc;
  int32_t mCellOver = -1;
  int32_t mLayout;
  WDL_TypedBuf<IRECT> mCellRects;
  WDL_PtrList<WDL_String> mLabels;
  std::vector<EVColor> mColorIdForCells;
};

} // namespace igraphics
} // namespace iplug
