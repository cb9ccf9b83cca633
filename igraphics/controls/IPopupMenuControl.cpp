#include "igraphics/controls/IPopupMenuControl.h"

#include <algorithm>

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// Sides of the anchor on which the root panel lies.
enum ECalloutDir : int32_t
{
  kNorth = 0,
  kEast,
  kSouth,
  kWest
};

constexpr int kFadeMs = 100;
// A submenu pops in late rather than fading, so a mouse passing over its parent does not flash it.
constexpr int kSubmenuFadeMs = 200;

// The bounds cross when a panel is larger than the area. The near edge then wins: the start of
// every text stays in view, and a tall menu runs past the bottom, which makes it scroll.
float Clamp(float v, float lo, float hi)
{
  return std::max(lo, std::min(v, hi));
}

bool Choosable(const IPopupMenu::Item& item)
{
  return !item.GetIsTitle() && !item.GetIsSeparator() && item.GetEnabled() && !item.GetSubmenu();
}

// A triangle filling the square, its tip at the middle of the side that faces dir.
void FillArrow(IGraphics& g, const IColor& color, const IRECT& r, ECalloutDir dir, const IBlend* pBlend)
{
  switch (dir)
  {
  case kNorth: g.FillTriangle(color, r.L, r.B, r.MW(), r.T, r.R, r.B, pBlend); break;
  case kEast: g.FillTriangle(color, r.L, r.T, r.R, r.MH(), r.L, r.B, pBlend); break;
  case kSouth: g.FillTriangle(color, r.L, r.T, r.MW(), r.B, r.R, r.T, pBlend); break;
  case kWest: g.FillTriangle(color, r.R, r.T, r.L, r.MH(), r.R, r.B, pBlend); break;
  }
}

} // namespace

// MenuPanel

IPopupMenuControl::MenuPanel::MenuPanel(IPopupMenuControl& control, IPopupMenu& menu, float x, float y, int parentIdx)
: mMenu(menu)
, mParentIdx(parentIdx)
{
  const IRECT cell = control.GetLargestCellRectForMenu(menu, x, y);
  const float cellW = cell.W();
  const float cellH = cell.H();
  const float pad = control.mPadding;
  const float gap = control.mCellGap;
  const IRECT& area = control.mMenuBounds;
  mSingleCellBounds = cell;

  const int nItems = menu.NItems();
  float left = x + pad;
  float top = y + pad;
  for (int i = 0; i < nItems; ++i)
  {
    const float h = ItemHeight(control, i, cellH);
    const bool columnFull = control.mMaxColumnItems > 0 && i >= 2 && i % control.mMaxColumnItems == 0;
    if (columnFull || top + h + pad > area.B)
    {
      if (!control.mScrollIfTooBig)
      {
        left += cellW + gap;
        top = y + pad;
      }
      else
      {
        const float scrollTop = area.T + control.mDropShadowSize + pad;
        mScrollMaxRows = static_cast<int>(((area.B - pad) - scrollTop) / (cellH + gap));
        mCellBounds.Empty(true);
        if (nItems < mScrollMaxRows)
        {
          // The whole menu fits the area's height: one column that ends where the overflowing cell
          // began, kept below the top that a scrolling panel would use.
          float columnH = (nItems - 1) * gap;
          for (int k = 0; k < nItems; ++k)
            columnH += ItemHeight(control, k, cellH);
          AddColumn(control, nItems, left, std::max(top - columnH, scrollTop), cellW, cellH, false);
        }
        else
        {
          mScroller = true;
          AddColumn(control, mScrollMaxRows, left, scrollTop, cellW, cellH, true);
        }
        break;
      }
    }
    mCellBounds.Add(new IRECT(left, top, left + cellW, top + h));
    top += h + gap;
  }

  IRECT cells;
  for (int i = 0; i < mCellBounds.GetSize(); ++i)
    cells = cells.Union(*mCellBounds.Get(i));
  // A menu without items still gets a panel, one empty row high, for a click to dismiss.
  if (mCellBounds.GetSize() == 0)
    cells = IRECT(x + pad, y + pad, x + pad + cellW, y + pad);
  const IRECT& content = control.mSpecifiedExpandedBounds.Empty() ? cells : control.mSpecifiedExpandedBounds;
  mTargetRect = content.GetPadded(pad);
  mRect = mTargetRect.GetPadded(control.mDropShadowSize);
}

void IPopupMenuControl::MenuPanel::AddColumn(const IPopupMenuControl& control, int nCells, float left, float top,
                                             float cellW, float cellH, bool uniform)
{
  for (int i = 0; i < nCells; ++i)
  {
    const float h = uniform ? cellH : ItemHeight(control, i, cellH);
    mCellBounds.Add(new IRECT(left, top, left + cellW, top + h));
    top += h + control.mCellGap;
  }
}

float IPopupMenuControl::MenuPanel::ItemHeight(const IPopupMenuControl& control, int itemIdx, float cellH) const
{
  return mMenu.GetItem(itemIdx)->GetIsSeparator() ? control.mSeparatorSize : cellH;
}

IRECT* IPopupMenuControl::MenuPanel::HitTestCells(float x, float y) const
{
  for (int i = 0; i < mCellBounds.GetSize(); ++i)
  {
    IRECT* pCell = mCellBounds.Get(i);
    if (!pCell->Contains(x, y))
      continue;
    // An arrow cell answers for its arrow, whatever the item hidden behind it.
    if (ShowsUpArrow(i) || ShowsDownArrow(i))
      return pCell;
    const IPopupMenu::Item* pItem = mMenu.GetItem(i + mScrollItemOffset);
    if (pItem && !pItem->GetEnabled())
      continue;
    return pCell;
  }
  return nullptr;
}

bool IPopupMenuControl::MenuPanel::ShowsUpArrow(int cellIdx) const
{
  return mMenu.NItems() > mCellBounds.GetSize() && cellIdx == 0 && mScrollItemOffset > 0;
}

bool IPopupMenuControl::MenuPanel::ShowsDownArrow(int cellIdx) const
{
  const int nCells = mCellBounds.GetSize();
  return mMenu.NItems() > nCells && cellIdx == nCells - 1 && mScrollItemOffset < mMenu.NItems() - nCells;
}

IPopupMenu::Item* IPopupMenuControl::MenuPanel::ItemForCell(int cellIdx) const
{
  if (ShowsUpArrow(cellIdx) || ShowsDownArrow(cellIdx))
    return nullptr;
  return mMenu.GetItem(cellIdx + mScrollItemOffset);
}

// IPopupMenuControl

IPopupMenuControl::IPopupMenuControl(int paramIdx, IText text, IRECT collapsedBounds, IRECT expandedBounds)
: IControl(collapsedBounds, paramIdx)
, mSpecifiedCollapsedBounds(collapsedBounds)
, mSpecifiedExpandedBounds(expandedBounds)
{
  mText = text;
  Hide(true);
  // Every state change that dirties with an action starts the fade of the new state.
  SetActionFunction([this](IControl*) {
    SetAnimation([this](IControl*) { AnimateState(); });
    StartAnimation(mState == kSubmenuAppearing ? kSubmenuFadeMs : kFadeMs);
  });
}

IPopupMenuControl::~IPopupMenuControl()
{
  DeleteAllPanels();
}

void IPopupMenuControl::CreatePopupMenu(IPopupMenu& menu, const IRECT& anchorArea)
{
  // The open panels still show the menu they were made for; a request now is dropped whole.
  if (mState != kClosed || !GetUI())
    return;

  mMenu = &menu;
  mMenuHasSubmenu = false;
  for (int i = 0; i < menu.NItems() && !mMenuHasSubmenu; ++i)
    mMenuHasSubmenu = menu.GetItem(i)->GetSubmenu() != nullptr;

  if (mMenuBounds.W() == 0.f)
    mMenuBounds = IRECT(0.f, 0.f, static_cast<float>(GetUI()->Width()), static_cast<float>(GetUI()->Height()));

  Expand(anchorArea);
}

bool IPopupMenuControl::CloseAtOnce()
{
  if (mState != kExpanding && mState != kExpanded && mState != kSubmenuAppearing)
    return false;
  // The panels go now; the last fade step still repaints where they were and returns the control
  // to its closed bounds.
  DeleteAllPanels();
  mMenu = nullptr;
  mSubMenuOpened = false;
  mTargetRect = mSpecifiedCollapsedBounds;
  mAnchorArea = IRECT();
  mState = kFinishing;
  Hide(true);
  SetDirty(true);
  return true;
}

void IPopupMenuControl::GetPanelDimensions(const IPopupMenu& menu, float& width, float& height) const
{
  const IRECT cell = GetLargestCellRectForMenu(menu, 0.f, 0.f);
  int nSeparators = 0;
  for (int i = 0; i < menu.NItems(); ++i)
    nSeparators += menu.GetItem(i)->GetIsSeparator() ? 1 : 0;
  const int nItems = menu.NItems();
  width = cell.W();
  // An empty menu has no gaps to count, not a negative one.
  height = std::max(0.f, (nItems - nSeparators) * cell.H() + nSeparators * mSeparatorSize + (nItems - 1) * mCellGap);
}

IRECT IPopupMenuControl::GetLargestCellRectForMenu(const IPopupMenu& menu, float x, float y) const
{
  IRECT span;
  for (int i = 0; i < menu.NItems(); ++i)
  {
    IRECT textBounds;
    if (GetUI())
      GetUI()->MeasureText(mText, menu.GetItem(i)->GetText(), textBounds);
    span = span.Union(textBounds);
  }
  const float width = (span.R + mTextXPad + mArrowSize) - (span.L - mTextXPad - mTickSize);
  return IRECT(x, y, x + width, y + span.H());
}

void IPopupMenuControl::Expand(const IRECT& anchorArea)
{
  if (!mMenu)
    return;
  Hide(false);
  mState = kExpanding;
  if (GetUI())
    GetUI()->UpdateTooltips();
  DeleteAllPanels();
  mAnchorArea = anchorArea;

  float w = 0.f, h = 0.f;
  GetPanelDimensions(*mMenu, w, h);

  const IRECT& a = anchorArea;
  const IRECT& area = mMenuBounds;
  const float c = mCallOut ? mCalloutSize : 0.f;
  const float p = mDropShadowSize;
  const float minX = area.L + p, maxX = area.R - w - 2.f * p;
  const float minY = area.T + p, maxY = area.B - h - 2.f * p;
  const float acx = a.MW(), acy = a.MH();
  const float mcx = area.MW(), mcy = area.MH();

  float x = 0.f, y = 0.f;
  auto placeBeside = [&]() {
    if (acx <= mcx)
    {
      x = a.R + c;
      mCalloutArrowBounds = IRECT(a.R, acy - c / 2.f, a.R + c, acy + c / 2.f);
      mCalloutArrowDir = kEast;
    }
    else
    {
      x = a.L - c - w - p;
      mCalloutArrowBounds = IRECT(a.L - c, acy - c / 2.f, a.L, acy + c / 2.f);
      mCalloutArrowDir = kWest;
    }
  };
  auto calloutSouth = [&]() {
    mCalloutArrowBounds = IRECT(acx - c / 2.f, a.B, acx + c / 2.f, a.B + c);
    mCalloutArrowDir = kSouth;
  };
  auto calloutNorth = [&]() {
    mCalloutArrowBounds = IRECT(acx - c / 2.f, a.T - c, acx + c / 2.f, a.T);
    mCalloutArrowDir = kNorth;
  };

  y = acy <= mcy ? acy - (mText.mSize + c) : acy + mText.mSize + c - h;
  placeBeside();

  const bool xFits = minX < x && x <= maxX;
  if (!(minY < y && y <= maxY && xFits))
  {
    const bool onlyTooLow = y > maxY && minY < y && xFits;
    if (!onlyTooLow && acy <= mcy)
    {
      calloutSouth();
      y = a.B + c;
      if (y <= maxY)
        x = acx - w / 2.f;
      else
      {
        placeBeside();
        y = maxY;
      }
    }
    if ((y > maxY || x <= minX || x > maxX) && mcy < acy)
    {
      calloutNorth();
      y = a.T - c - h - p;
      if (y > minY)
        x = acx - w / 2.f;
      else
      {
        placeBeside();
        y = minY;
      }
    }
    x = Clamp(x, minX, maxX);
    y = Clamp(y, minY, maxY);
  }

  if (mForcedSouth && a.B + c <= maxY)
  {
    calloutSouth();
    y = a.B + c;
    x = Clamp(acx - w / 2.f, minX, maxX);
  }

  if (mMenuHasSubmenu)
  {
    mSubmenuOnRight = acx <= mcx;
    x = Clamp(acx - w / 2.f + mSubmenuXOffset * (mSubmenuOnRight ? -1.f : 1.f), minX, maxX);
    if (area.B - a.B >= a.T - area.T)
    {
      y = Clamp(a.B + c, minY, maxY);
      calloutSouth();
    }
    else
    {
      y = Clamp(a.T - c - h - p, minY, maxY);
      calloutNorth();
    }
  }

  MenuPanel* pPanel = new MenuPanel(*this, *mMenu, x, y, -1);
  mMenuPanels.Add(pPanel);
  mActiveMenuPanel = pPanel;
  mAppearingMenuPanel = pPanel;
  mRect = pPanel->mRect;
  mTargetRect = pPanel->mTargetRect;
  mMouseIsOver = false;
  OnResize();
  SetDirty(true);
}

void IPopupMenuControl::CalculateMenuPanels(float /*x*/, float /*y*/)
{
  if (!mActiveMenuPanel)
    return;

  const float c = mCallOut ? mCalloutSize : 0.f;
  const float p = mDropShadowSize;
  const IRECT& area = mMenuBounds;
  MenuPanel& active = *mActiveMenuPanel;
  const int activeIdx = mMenuPanels.Find(&active);

  for (int i = 0; i < active.mCellBounds.GetSize(); ++i)
  {
    IRECT* pCell = active.mCellBounds.Get(i);
    if (pCell != mMouseCellBounds)
      continue;

    const IPopupMenu::Item* pItem = active.ItemForCell(i);
    IPopupMenu* pSubmenu = pItem ? pItem->GetSubmenu() : nullptr;
    if (!pSubmenu)
    {
      HideDescendants(activeIdx);
      active.mHighlightedCell = nullptr;
      mSubMenuOpened = false;
      continue;
    }

    MenuPanel* pSubPanel = nullptr;
    for (int j = 0; j < mMenuPanels.GetSize(); ++j)
    {
      MenuPanel* pPanel = mMenuPanels.Get(j);
      pPanel->mShouldDraw = &pPanel->mMenu == pSubmenu;
      if (pPanel->mShouldDraw)
        pSubPanel = pPanel;
    }
    active.mHighlightedCell = pItem->GetEnabled() ? pCell : nullptr;

    if (!pSubPanel)
    {
      float w = 0.f, h = 0.f;
      GetPanelDimensions(*pSubmenu, w, h);
      const float minY = area.T + p, maxY = area.B - h - 2.f * p;
      float y = 0.f;
      if (mCalloutArrowDir == kNorth)
        y = Clamp(pCell->T - mPadding / 2.f - h + 2.f * mCellGap + p, minY, maxY);
      else
        y = Clamp(pCell->T - mPadding, minY, maxY);
      const float x = mSubmenuOnRight ? pCell->R + mPadding + c : pCell->L - mPadding - c - w - p;
      pSubPanel = new MenuPanel(*this, *pSubmenu, Clamp(x, area.L + p, area.R - w - 2.f * p), y, activeIdx);
      mMenuPanels.Add(pSubPanel);
    }

    // Only the submenu and the panels it hangs from stay shown.
    IRECT targetRect = mTargetRect;
    IRECT rect = mRect;
    for (MenuPanel* pPanel = pSubPanel; pPanel; pPanel = mMenuPanels.Get(pPanel->mParentIdx))
    {
      pPanel->mShouldDraw = true;
      targetRect = targetRect.Union(pPanel->mTargetRect);
      rect = rect.Union(pPanel->mRect);
    }
    mSubMenuOpened = true;
    const float cy = pCell->MH();
    mSubMenuCalloutArrowBounds = mSubmenuOnRight
                                   ? IRECT(pCell->R + mPadding, cy - c / 2.f, pCell->R + mPadding + c, cy + c / 2.f)
                                   : IRECT(pCell->L - mPadding - c, cy - c / 2.f, pCell->L - mPadding, cy + c / 2.f);
    mTargetRect = targetRect;
    mRect = rect;
    mMouseIsOver = false;
    OnResize();
    if (pSubPanel != mAppearingMenuPanel)
    {
      mState = kSubmenuAppearing;
      mAppearingMenuPanel = pSubPanel;
    }
    SetDirty(true);
  }
  SetDirty(false);
}

void IPopupMenuControl::HideDescendants(int panelIdx)
{
  // A panel comes after its parent in the list, so one pass reaches every level below; a panel
  // whose parent is hidden never shows on its own.
  for (int j = panelIdx + 1; j < mMenuPanels.GetSize(); ++j)
  {
    MenuPanel* pPanel = mMenuPanels.Get(j);
    const int parentIdx = pPanel->mParentIdx;
    if (parentIdx == panelIdx || (parentIdx > panelIdx && !mMenuPanels.Get(parentIdx)->mShouldDraw))
      pPanel->mShouldDraw = false;
  }
}

void IPopupMenuControl::CollapseEverything()
{
  if (MenuPanel* pPanel = mActiveMenuPanel)
  {
    IPopupMenu& menu = pPanel->mMenu;
    menu.SetChosenItemIdx(-1);
    const int cellIdx = pPanel->mCellBounds.Find(mMouseCellBounds);
    const IPopupMenu::Item* pItem = cellIdx > -1 ? pPanel->ItemForCell(cellIdx) : nullptr;
    if (pItem && Choosable(*pItem))
    {
      menu.SetChosenItemIdx(cellIdx + pPanel->mScrollItemOffset);
      pPanel->mClickedCell = mMouseCellBounds;
    }
    if (menu.GetFunction())
      menu.GetFunction()(&menu);
    if (GetUI())
      GetUI()->SetControlValueAfterPopupMenu(&menu);
  }
  mSubMenuOpened = false;
  mActiveMenuPanel = nullptr;
  mState = kFlickering;
  Hide(true);
  SetDirty(true);
}

void IPopupMenuControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (mState != kExpanded)
  {
    IControl::OnMouseDown(x, y, mod);
    return;
  }
  mMouseCellBounds = mActiveMenuPanel ? mActiveMenuPanel->HitTestCells(x, y) : nullptr;
  CollapseEverything();
}

void IPopupMenuControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/)
{
  if (!mActiveMenuPanel)
    return;
  mMouseCellBounds = mActiveMenuPanel->HitTestCells(x, y);
  SetDirty(false);
}

void IPopupMenuControl::OnMouseOver(float x, float y, const IMouseMod& /*mod*/)
{
  if (!mActiveMenuPanel)
    return;

  mMouseCellBounds = mActiveMenuPanel->HitTestCells(x, y);
  if (!mMouseCellBounds)
  {
    for (int i = mMenuPanels.GetSize() - 1; i >= 0; --i)
    {
      MenuPanel* pPanel = mMenuPanels.Get(i);
      if (pPanel->mShouldDraw && pPanel->mRect.Contains(x, y))
      {
        mActiveMenuPanel = pPanel;
        mMouseCellBounds = pPanel->HitTestCells(x, y);
        break;
      }
    }
  }

  CalculateMenuPanels(x, y);

  MenuPanel& active = *mActiveMenuPanel;
  const int nCells = active.mCellBounds.GetSize();
  if (active.mScroller && nCells > 0)
  {
    if (mMouseCellBounds == active.mCellBounds.Get(0))
      active.mScrollItemOffset = std::max(0, active.mScrollItemOffset - 1);
    else if (mMouseCellBounds == active.mCellBounds.Get(nCells - 1))
      active.mScrollItemOffset = std::min(active.mMenu.NItems() - nCells, active.mScrollItemOffset + 1);
  }
  SetDirty(false);
}

void IPopupMenuControl::OnMouseOut()
{
  mMouseCellBounds = nullptr;
  SetDirty(false);
}

void IPopupMenuControl::Draw(IGraphics& g)
{
  for (int i = 0; i < mMenuPanels.GetSize(); ++i)
    if (mMenuPanels.Get(i)->mShouldDraw)
      DrawPanel(g, *mMenuPanels.Get(i));

  MenuPanel* pFirst = mMenuPanels.Get(0);
  if (pFirst && mCallOut)
  {
    DrawCalloutArrow(g, mCalloutArrowBounds, &pFirst->mBlend);
    if (mMenuHasSubmenu && mSubMenuOpened)
      DrawSubMenuCalloutArrow(g, mSubMenuCalloutArrowBounds, &pFirst->mBlend);
  }
}

void IPopupMenuControl::DrawPanel(IGraphics& g, MenuPanel& panel)
{
  IBlend* pBlend = &panel.mBlend;
  DrawPanelShadow(g, &panel);
  DrawPanelBackground(g, &panel);

  for (int i = 0; i < panel.mCellBounds.GetSize(); ++i)
  {
    const IRECT& cell = *panel.mCellBounds.Get(i);
    const bool sel = &cell == mMouseCellBounds || &cell == panel.mHighlightedCell;
    if (panel.ShowsUpArrow(i) || panel.ShowsDownArrow(i))
    {
      DrawCellBackground(g, cell, nullptr, sel, pBlend);
      if (panel.ShowsUpArrow(i))
        DrawUpArrow(g, cell, sel, pBlend);
      if (panel.ShowsDownArrow(i))
        DrawDownArrow(g, cell, sel, pBlend);
      continue;
    }
    const IPopupMenu::Item* pItem = panel.ItemForCell(i);
    if (!pItem)
      break;
    if (pItem->GetIsSeparator())
    {
      DrawSeparator(g, cell, pBlend);
      continue;
    }
    // The chosen cell blinks off while the menu flickers before fading out.
    if (!(panel.mClickedCell && mState == kFlickering))
      DrawCellBackground(g, cell, pItem, sel, pBlend);
    DrawCellText(g, cell, pItem, sel, pBlend);
    if (pItem->GetChecked())
      DrawTick(g, cell, pItem, sel, pBlend);
    if (pItem->GetSubmenu())
      DrawSubMenuArrow(g, cell, pItem, sel, pBlend);
  }
}

void IPopupMenuControl::DrawCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend)
{
  // The tip points back at the anchor, away from the panel.
  static constexpr ECalloutDir kTowardsAnchor[] = {kSouth, kWest, kNorth, kEast};
  FillArrow(g, mPanelBackgroundColor, bounds, kTowardsAnchor[std::clamp(mCalloutArrowDir, 0, 3)], pBlend);
}

void IPopupMenuControl::DrawSubMenuCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend)
{
  FillArrow(g, mPanelBackgroundColor, bounds, mSubmenuOnRight ? kWest : kEast, pBlend);
}

void IPopupMenuControl::DrawPanelBackground(IGraphics& g, MenuPanel* pPanel)
{
  g.FillRoundRect(mPanelBackgroundColor, pPanel->mTargetRect, mRoundness, &pPanel->mBlend);
}

void IPopupMenuControl::DrawPanelShadow(IGraphics& g, MenuPanel* pPanel)
{
  g.DrawFastDropShadow(pPanel->mRect.GetPadded(-mDropShadowSize), pPanel->mRect, 2.f, mRoundness, 10.f,
                       &pPanel->mBlend);
}

void IPopupMenuControl::DrawCellBackground(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* /*pItem*/,
                                           bool sel, IBlend* pBlend)
{
  if (sel)
    g.FillRect(mCellBackGroundColor, IRECT(bounds.L - mPadding, bounds.T, bounds.R + mPadding, bounds.B), pBlend);
}

void IPopupMenuControl::DrawCellText(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel,
                                     IBlend* pBlend)
{
  if (!pItem)
    return;
  const IRECT textRect(bounds.L + mTickSize / 2.f + std::max(1.f, mTickSize) / 2.f + mTextXPad, bounds.T,
                       bounds.R - mTextXPad, bounds.B);
  mText.mAlign = kAlignNear;
  mText.mFGColor = sel ? mItemMouseoverColor : (pItem->GetEnabled() ? mTextColor : mDisabledItemColor);
  g.DrawText(mText, pItem->GetText(), textRect, pBlend);
}

void IPopupMenuControl::DrawTick(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* /*pItem*/, bool sel,
                                 IBlend* pBlend)
{
  const float side = std::max(1.f, mTickSize / 2.f);
  const IRECT tick = IRECT(bounds.L, bounds.T, bounds.L + mTickSize, bounds.B).GetCentredInside(side, side);
  g.FillRoundRect(MarkColor(sel), tick, 2.f, pBlend);
}

void IPopupMenuControl::DrawSubMenuArrow(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* /*pItem*/, bool sel,
                                         IBlend* pBlend)
{
  const float size = bounds.H() / 2.f;
  const float tipX = mSubmenuOnRight ? bounds.R + mPadding / 2.f : bounds.L - mPadding / 2.f;
  const float baseX = mSubmenuOnRight ? tipX - size : tipX + size;
  const float cy = bounds.MH();
  g.FillTriangle(MarkColor(sel), baseX, cy - size / 2.f, tipX, cy, baseX, cy + size / 2.f, pBlend);
}

void IPopupMenuControl::DrawUpArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend)
{
  const float size = bounds.H() * 0.6f;
  FillArrow(g, MarkColor(sel), bounds.GetCentredInside(size, size), kNorth, pBlend);
}

void IPopupMenuControl::DrawDownArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend)
{
  const float size = bounds.H() * 0.6f;
  FillArrow(g, MarkColor(sel), bounds.GetCentredInside(size, size), kSouth, pBlend);
}

void IPopupMenuControl::DrawSeparator(IGraphics& g, const IRECT& bounds, IBlend* pBlend)
{
  // Drawn only once the panel is nearly opaque: a quarter-strength line would show as a smear
  // over a panel that is still fading.
  if (!pBlend || pBlend->mWeight > 0.9f)
    g.FillRect(mSeparatorColor, bounds, &BLEND_25);
}

void IPopupMenuControl::AnimateState()
{
  const double progress = GetAnimationProgress();
  if (progress > 1.)
  {
    OnEndAnimation();
    return;
  }
  const float t = static_cast<float>(progress);
  switch (mState)
  {
  case kExpanding:
    if (mAppearingMenuPanel)
      mAppearingMenuPanel->mBlend.mWeight = t * mOpacity;
    break;
  case kSubmenuAppearing:
    if (mAppearingMenuPanel)
      mAppearingMenuPanel->mBlend.mWeight = (t > 0.9f ? 1.f : 0.f) * mOpacity;
    break;
  case kCollapsing: SetAllPanelWeights((1.f - t) * mOpacity); break;
  case kFinishing: SetAllPanelWeights(0.f); break;
  default: break;
  }
}

void IPopupMenuControl::OnEndAnimation()
{
  switch (mState)
  {
  case kExpanding:
  case kSubmenuAppearing:
    SetAllPanelWeights(mOpacity);
    mState = kExpanded;
    break;
  case kCollapsing:
    mTargetRect = mSpecifiedCollapsedBounds;
    SetAllPanelWeights(0.f);
    mState = kFinishing;
    mMouseCellBounds = nullptr;
    mAnchorArea = IRECT();
    SetDirty(true);
    return;
  case kFlickering:
    mState = kCollapsing;
    SetDirty(true);
    return;
  case kFinishing:
    if (GetUI())
      GetUI()->UpdateTooltips();
    DeleteAllPanels();
    mRect = mSpecifiedCollapsedBounds;
    mState = kClosed;
    break;
  default: break;
  }
  IControl::OnEndAnimation();
}

void IPopupMenuControl::SetAllPanelWeights(float weight)
{
  for (int i = 0; i < mMenuPanels.GetSize(); ++i)
    mMenuPanels.Get(i)->mBlend.mWeight = weight;
}

void IPopupMenuControl::DeleteAllPanels()
{
  // Everything that points into a panel goes with it.
  mActiveMenuPanel = nullptr;
  mAppearingMenuPanel = nullptr;
  mMouseCellBounds = nullptr;
  mMenuPanels.Empty(true);
}

} // namespace igraphics
} // namespace iplug
