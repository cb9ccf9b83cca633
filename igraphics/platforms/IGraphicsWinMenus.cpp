#include "igraphics/platforms/IGraphicsWin.h"

#include "iplug/IPlugUTF8.h"

#include <cstdio>
#include <string>

namespace iplug
{
namespace igraphics
{
namespace
{
// Beyond this many items a menu is left to scroll: columns of it would not fit a screen.
constexpr int kMaxItemsForColumns = 160;

/** How many command numbers the tree below and including menu takes. */
long CountTreeItems(const IPopupMenu& menu)
{
  long count = menu.NItems();
  for (int i = 0; i < menu.NItems(); ++i)
    if (const IPopupMenu* pSubmenu = menu.GetItem(i)->GetSubmenu())
      count += CountTreeItems(*pSubmenu);
  return count;
}

/** The item's text with the menu's numbering before it, its ampersands doubled so that they show
 * instead of marking a mnemonic. */
std::wstring ItemLabel(const IPopupMenu& menu, int itemIdx)
{
  static const char* const kPrefixFormats[] = {"%1d: ", "%02d: ", "%03d: "};
  std::string label;
  const int prefix = menu.GetPrefix();
  if (prefix >= 1 && prefix <= 3)
  {
    char number[16];
    std::snprintf(number, sizeof(number), kPrefixFormats[prefix - 1], itemIdx + 1);
    label = number;
  }
  for (const char* c = menu.GetItemText(itemIdx); *c; ++c)
  {
    if (*c == '&')
      label += '&';
    label += *c;
  }
  return UTF8ToUTF16(label.c_str());
}

UINT ItemFlags(const IPopupMenu::Item& item, int itemIdx, int nItems, int columns)
{
  UINT flags = MF_STRING;
  if (nItems < kMaxItemsForColumns && columns > 0 && itemIdx > 0 && itemIdx % columns == 0)
    flags |= MF_MENUBARBREAK;
  if (item.GetFlags() & IPopupMenu::Item::kDisabled)
    flags |= MF_GRAYED;
  if (item.GetFlags() & IPopupMenu::Item::kTitle)
    flags |= MF_DISABLED;
  if (item.GetFlags() & IPopupMenu::Item::kChecked)
    flags |= MF_CHECKED;
  return flags;
}

/** The (sub)menu chosen in the menu that just closed, with its chosen index set; null when the
 * user chose nothing. The choice waits in the queue as the menu's command. */
IPopupMenu* TakeChoice(HWND hWnd, IPopupMenu& menu)
{
  MSG msg;
  if (!PeekMessageW(&msg, hWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE) || HIWORD(msg.wParam) != 0)
    return nullptr;
  int itemIdx = -1;
  long offset = 0;
  IPopupMenu* pChosen = IGraphicsWin::GetMenuForFlatIndex(LOWORD(msg.wParam), itemIdx, offset, menu);
  if (!pChosen)
    return nullptr;
  pChosen->SetChosenItemIdx(itemIdx);
  if (pChosen->GetFunction())
    pChosen->GetFunction()(pChosen);
  return pChosen;
}
} // namespace

IGraphicsWin::CreateMenuFunc IGraphicsWin::sCreatePopupMenu = ::CreatePopupMenu;

IPopupMenu* IGraphicsWin::CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync)
{
  isAsync = false;
  if (!mPlugWnd)
    return nullptr;
  long offset = 0;
  HMENU hMenu = BuildNativeMenu(menu, offset);
  if (!hMenu)
    return nullptr;

  const float f = PixelScale();
  POINT corner = {static_cast<LONG>(bounds.L * f), static_cast<LONG>(bounds.B * f)};
  ::ClientToScreen(mPlugWnd, &corner);
  const bool tracked = TrackPopupMenu(hMenu, TPM_LEFTBUTTON, corner.x, corner.y, 0, mPlugWnd, nullptr);
  DestroyMenu(hMenu);
  // The menu's modal loop lets the host close the editor, which then takes no choice: not even the
  // menu's own function hears of it.
  if (!GetLifetime().Alive())
    return nullptr;
  IPopupMenu* pChosen = tracked ? TakeChoice(mPlugWnd, menu) : nullptr;
  InvalidateRect(mPlugWnd, nullptr, FALSE);
  return pChosen;
}

HMENU IGraphicsWin::BuildNativeMenu(IPopupMenu& menu, long& offset, int columns)
{
  const long blockStart = offset;
  const int nItems = menu.NItems();
  HMENU hMenu = sCreatePopupMenu();
  if (!hMenu)
  {
    // The numbers stay reserved, so that those of the rest of the tree match its model.
    offset = blockStart + CountTreeItems(menu);
    return nullptr;
  }
  offset += nItems;

  for (int i = 0; i < nItems; ++i)
  {
    const IPopupMenu::Item& item = *menu.GetItem(i);
    if (item.GetIsSeparator())
    {
      AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = ItemFlags(item, i, nItems, columns);
    const std::wstring label = ItemLabel(menu, i);
    if (IPopupMenu* pSubmenu = item.GetSubmenu())
    {
      HMENU hSubmenu = BuildNativeMenu(*pSubmenu, offset, columns);
      if (hSubmenu && !AppendMenuW(hMenu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(hSubmenu), label.c_str()))
        DestroyMenu(hSubmenu);
    }
    else
      AppendMenuW(hMenu, flags, static_cast<UINT_PTR>(blockStart + i), label.c_str());
  }
  return hMenu;
}

IPopupMenu* IGraphicsWin::GetMenuForFlatIndex(long number, int& itemIdx, long& offset, IPopupMenu& menu)
{
  const long blockStart = offset;
  offset += menu.NItems();
  if (number >= blockStart && number < offset)
  {
    itemIdx = static_cast<int>(number - blockStart);
    return &menu;
  }
  for (int i = 0; i < menu.NItems(); ++i)
    if (IPopupMenu* pSubmenu = menu.GetItem(i)->GetSubmenu())
      if (IPopupMenu* pFound = GetMenuForFlatIndex(number, itemIdx, offset, *pSubmenu))
        return pFound;
  return nullptr;
}

} // namespace igraphics
} // namespace iplug
