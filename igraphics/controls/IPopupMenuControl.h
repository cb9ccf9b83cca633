#pragma once

#include <cstdint>

#include "igraphics/IControl.h"
#include "igraphics/IPopupMenu.h"
#include "iplug/wdl/WdlPtrList.h"

namespace iplug
{
namespace igraphics
{

/** A popup menu drawn inside the editor: one panel per open menu level, long menus scroll, and the
    panels fade in and out. The surface owns at most one and hands it every menu a control asks for;
    the choice goes back through the surface's SetControlValueAfterPopupMenu. Hidden while closed. */
class IPopupMenuControl : public IControl
{
public:
  enum EPopupState : int32_t
  {
    kClosed = 0,
    kExpanding,
    kExpanded,
    kCollapsing,
    kFlickering,
    kSubmenuAppearing,
    kFinishing
  };

  /** One open menu level: its cells, where it sits and how far it has faded in. */
  class MenuPanel
  {
  public:
    MenuPanel(IPopupMenuControl& control, IPopupMenu& menu, float x, float y, int parentIdx);
    MenuPanel(const MenuPanel&) = delete;
    MenuPanel& operator=(const MenuPanel&) = delete;
    ~MenuPanel() { mCellBounds.Empty(true); }

    /** The first cell under the point whose item can be pointed at, or null. */
    IRECT* HitTestCells(float x, float y) const;
    /** Whether the cell shows a scroll arrow instead of its item. */
    bool ShowsUpArrow(int cellIdx) const;
    bool ShowsDownArrow(int cellIdx) const;
    /** The item the cell shows; null for a scroll arrow or a cell past the last item. */
    IPopupMenu::Item* ItemForCell(int cellIdx) const;

    IPopupMenu& mMenu;
    WDL_PtrList<IRECT> mCellBounds;
    IRECT mRect;
    IRECT mTargetRect;
    int mScrollMaxRows = 0;
    bool mShouldDraw = true;
    IBlend mBlend{EBlend::Default, 0.f};
    IRECT mSingleCellBounds;
    IRECT* mHighlightedCell = nullptr;
    IRECT* mClickedCell = nullptr;
    int mParentIdx = -1;
    bool mScroller = false;
    int mScrollItemOffset = 0;

  private:
    float ItemHeight(const IPopupMenuControl& control, int itemIdx, float cellH) const;
    /** Appends nCells cells in one column from (left, top) down: all of the full cell height when
        uniform (the cells of a scrolling panel show changing items), else as high as their items. */
    void AddColumn(const IPopupMenuControl& control, int nCells, float left, float top, float cellW, float cellH,
                   bool uniform);
  };

  IPopupMenuControl(int paramIdx, IText text, IRECT collapsedBounds, IRECT expandedBounds);
  ~IPopupMenuControl() override;

  /** Opens the menu next to the anchor; ignored unless the menu is closed. */
  void CreatePopupMenu(IPopupMenu& menu, const IRECT& anchorArea);
  /** Takes an open menu down at once, choosing nothing and answering no one, for a menu that is
      about to change or be freed: no panel may point into it afterwards. False when none was open. */
  bool CloseAtOnce();
  /** Open and settled: the state in which the menu takes all input. */
  bool GetExpanded() const { return mState == kExpanded; }
  EPopupState GetState() const { return mState; }

  void Expand(const IRECT& anchorArea);
  /** Shows the submenu of the cell under the mouse, and hides submenus the mouse has left. */
  void CalculateMenuPanels(float x, float y);
  void GetPanelDimensions(const IPopupMenu& menu, float& width, float& height) const;
  IRECT GetLargestCellRectForMenu(const IPopupMenu& menu, float x, float y) const;

  virtual void DrawCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend);
  virtual void DrawSubMenuCalloutArrow(IGraphics& g, const IRECT& bounds, IBlend* pBlend);
  virtual void DrawPanelBackground(IGraphics& g, MenuPanel* pPanel);
  virtual void DrawPanelShadow(IGraphics& g, MenuPanel* pPanel);
  virtual void DrawCellBackground(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel,
                                  IBlend* pBlend);
  virtual void DrawCellText(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel, IBlend* pBlend);
  virtual void DrawTick(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel, IBlend* pBlend);
  virtual void DrawSubMenuArrow(IGraphics& g, const IRECT& bounds, const IPopupMenu::Item* pItem, bool sel,
                                IBlend* pBlend);
  virtual void DrawUpArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend);
  virtual void DrawDownArrow(IGraphics& g, const IRECT& bounds, bool sel, IBlend* pBlend);
  virtual void DrawSeparator(IGraphics& g, const IRECT& bounds, IBlend* pBlend);
  /** Ends the menu with the cell under the mouse as the choice, or none, and starts the fade-out. */
  virtual void CollapseEverything();

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  /** Swallowed: a long menu scrolls while the mouse rests on its arrow cells. */
  void OnMouseWheel(float, float, const IMouseMod&, float) override {}
  void Draw(IGraphics& g) override;
  void OnEndAnimation() override;

protected:
  /** One frame of the fade that belongs to the current state. */
  void AnimateState();
  void SetAllPanelWeights(float weight);
  /** Hides every panel that hangs, at any depth, from the given one. */
  void HideDescendants(int panelIdx);
  void DeleteAllPanels();
  void DrawPanel(IGraphics& g, MenuPanel& panel);
  /** The colour of text and marks in a cell. */
  const IColor& MarkColor(bool sel) const { return sel ? mItemMouseoverColor : mTextColor; }

  WDL_PtrList<MenuPanel> mMenuPanels;
  MenuPanel* mActiveMenuPanel = nullptr;
  MenuPanel* mAppearingMenuPanel = nullptr;
  EPopupState mState = kClosed;
  IRECT* mMouseCellBounds = nullptr;
  IPopupMenu* mMenu = nullptr;
  int mMaxColumnItems = 0;
  bool mScrollIfTooBig = true;
  bool mCallOut = false;
  bool mMenuHasSubmenu = false;
  bool mForcedSouth = true;
  bool mSubmenuOnRight = true;
  bool mSubMenuOpened = false;
  float mCellGap = 2.f;
  float mSeparatorSize = 2.f;
  float mRoundness = 5.f;
  float mDropShadowSize = 10.f;
  float mOpacity = 0.95f;
  float mSubmenuXOffset = 0.f;
  float mTextXPad = 5.f;
  float mTickSize = 10.f;
  float mArrowSize = 8.f;
  float mPadding = 5.f;
  float mCalloutSize = 8.f;
  IRECT mAnchorArea;
  int32_t mCalloutArrowDir = 1;
  IRECT mCalloutArrowBounds;
  IRECT mSubMenuCalloutArrowBounds;
  IRECT mMenuBounds;
  IColor mPanelBackgroundColor = COLOR_WHITE;
  IColor mCellBackGroundColor = COLOR_BLUE;
  IColor mItemMouseoverColor = COLOR_WHITE;
  IColor mTextColor = COLOR_BLACK;
  IColor mDisabledItemColor = COLOR_GRAY;
  IColor mSeparatorColor = COLOR_MID_GRAY;
  IRECT mSpecifiedCollapsedBounds;
  IRECT mSpecifiedExpandedBounds;
};

} // namespace igraphics
} // namespace iplug
