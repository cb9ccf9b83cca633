#include "igraphics/controls/IVColorSwatchControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

IVStyle WithRightAlignedTexts(IVStyle style)
{
  style.labelText.mAlign = kAlignFar;
  style.valueText.mAlign = kAlignFar;
  return style;
}

} // namespace

IVColorSwatchControl::IVColorSwatchControl(const IRECT& bounds, const char* label, ColorChosenFunc func,
                                           const IVStyle& style, int layout, std::initializer_list<EVColor> colorIDs,
                                           std::initializer_list<const char*> labelsForIDs)
: IControl(bounds)
, IVectorBase(WithRightAlignedTexts(style))
, mColorChosenFunc(std::move(func))
, mLayout(layout)
, mColorIdForCells(colorIDs)
{
  mText = mStyle.valueText;
  AttachIControl(this, label);
  for (const char* text : labelsForIDs)
    mLabels.Add(new WDL_String(text ? text : ""));
}

IVColorSwatchControl::~IVColorSwatchControl()
{
  mLabels.Empty(true);
}

int IVColorSwatchControl::NCells() const
{
  return static_cast<int>(mColorIdForCells.size());
}

bool IVColorSwatchControl::CellHasColor(int cellIndex) const
{
  if (cellIndex < 0 || cellIndex >= NCells())
    return false;
  const EVColor id = mColorIdForCells[cellIndex];
  return id >= 0 && id < kNumVColors;
}

int IVColorSwatchControl::CellAt(float x, float y) const
{
  const int n = std::min(NCells(), mCellRects.GetSize());
  for (int i = 0; i < n; ++i)
    if (mCellRects.Get()[i].Contains(x, y))
      return i;
  return -1;
}

void IVColorSwatchControl::OnResize()
{
  SetTargetRECT(MakeRects(mRect, true));
  const int n = NCells();
  int columns = 3;
  int rows = 3;
  if (mLayout == kRow)
  {
    columns = n;
    rows = 1;
  }
  else if (mLayout == kColumn)
  {
    columns = 1;
    rows = n;
  }

  const IRECT& w = mWidgetBounds;
  mCellRects.Resize(n);
  const int nRects = std::min(n, mCellRects.GetSize());
  for (int i = 0; i < nRects; ++i)
  {
    IRECT cell = w;
    // Cells that the grid has no place for (and all of them when it has no rows or columns) cover
    // the whole widget.
    if (columns > 0 && rows > 0 && i / columns < rows)
    {
      const float cw = w.W() / columns;
      const float ch = w.H() / rows;
      const int c = i % columns;
      const int r = i / columns;
      cell = IRECT(w.L + c * cw, w.T + r * ch, w.L + (c + 1) * cw, w.T + (r + 1) * ch);
    }
    mCellRects.Get()[i] = cell.GetPadded(-2.f);
  }
  SetDirty(false);
}

void IVColorSwatchControl::Draw(IGraphics& g)
{
  DrawWidget(g);
  DrawLabel(g);
}

void IVColorSwatchControl::DrawWidget(IGraphics& g)
{
  const int n = std::min(NCells(), mCellRects.GetSize());
  for (int i = 0; i < n; ++i)
  {
    if (!CellHasColor(i))
      continue;
    const IRECT& cell = mCellRects.Get()[i];
    const WDL_String* pText = mLabels.Get(i);
    const bool hasText = pText && pText->GetLength() > 0;
    const IRECT patch = hasText ? IRECT(cell.R - cell.W() / 4.f, cell.T, cell.R, cell.B) : cell;
    g.FillRect(GetColor(mColorIdForCells[i]), patch, &mBlend);
    g.DrawRect(i == mCellOver ? COLOR_GRAY : COLOR_DARK_GRAY, patch.GetPadded(0.5f), nullptr, 1.f);
    if (hasText)
      g.DrawText(mStyle.valueText, pText->Get(), IRECT(cell.L, cell.T, cell.L + cell.W() * 0.7f, cell.B), &mBlend);
  }
}

void IVColorSwatchControl::OnMouseOver(float x, float y, const IMouseMod& /*mod*/)
{
  mCellOver = CellAt(x, y);
  SetDirty(true);
}

void IVColorSwatchControl::OnMouseOut()
{
  mCellOver = -1;
  SetDirty(true);
}

void IVColorSwatchControl::OnMouseDown(float x, float y, const IMouseMod& /*mod*/)
{
  const int cellIndex = CellAt(x, y);
  IGraphics* pGraphics = GetUI();
  if (!CellHasColor(cellIndex) || !pGraphics)
    return;
  const EVColor id = mColorIdForCells[cellIndex];
  IColor color = GetColor(id);
  pGraphics->PromptForColor(color, "Choose a color", GetLifetime().Guard([this, cellIndex, id](const IColor& chosen) {
    mStyle.colorSpec.SetColor(id, chosen);
    SetDirty(false);
    if (mColorChosenFunc)
      mColorChosenFunc(cellIndex, chosen);
  }));
}

} // namespace igraphics
} // namespace iplug
