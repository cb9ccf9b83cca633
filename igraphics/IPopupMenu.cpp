#include "igraphics/IPopupMenu.h"

#include <algorithm>

namespace iplug
{
namespace igraphics
{

namespace
{

int CompareNoCase(const char* a, const char* b)
{
  auto lower = [](char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? u + ('a' - 'A') : u;
  };
  for (;; ++a, ++b)
  {
    int ca = lower(*a);
    int cb = lower(*b);
    if (ca != cb || ca == 0)
      return ca - cb;
  }
}

} // namespace

IPopupMenu::Item::Item(const char* text, int flags, int tag) : mText(text ? text : ""), mFlags(flags), mTag(tag)
{}

IPopupMenu::Item::Item(const char* text, IPopupMenu* pSubmenu) : mText(text ? text : ""), mSubmenu(pSubmenu)
{}

IPopupMenu::IPopupMenu(const char* rootTitle, int prefix, bool multicheck, std::initializer_list<const char*> items)
: mPrefix(prefix)
, mCanMultiCheck(multicheck)
, mRootTitle(rootTitle ? rootTitle : "")
{
  for (const char* text : items)
    AddItem(text);
}

IPopupMenu::IPopupMenu(const char* rootTitle, std::initializer_list<const char*> items, IPopupFunction func)
: IPopupMenu(rootTitle, 0, false, items)
{
  mPopupFunc = std::move(func);
}

IPopupMenu::~IPopupMenu()
{
  Clear();
}

int IPopupMenu::InsertionIndex(const char* text, int index) const
{
  const int n = NItems();
  if (index == kAppend)
    return n;
  if (index != kSorted)
    return std::clamp(index, 0, n);

  int lo = 0;
  int hi = n;
  while (lo != hi)
  {
    const int mid = (lo + hi) / 2;
    const int cmp = CompareNoCase(text, mMenuItems[mid]->GetText());
    if (cmp == 0)
      return mid;
    if (cmp > 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

IPopupMenu::Item* IPopupMenu::AddItem(Item* pItem, int index)
{
  if (!pItem)
    return nullptr;
  const int at = InsertionIndex(pItem->GetText(), index);
  mMenuItems.insert(mMenuItems.begin() + at, std::unique_ptr<Item>(pItem));
  return pItem;
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, int index, int itemFlags)
{
  return AddItem(new Item(text, itemFlags), index);
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, int index, IPopupMenu* pSubmenu)
{
  if (mPopupFunc && pSubmenu)
    pSubmenu->SetFunction(mPopupFunc);
  return AddItem(new Item(text, pSubmenu), index);
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, IPopupMenu* pSubmenu, int index)
{
  return AddItem(text, index, pSubmenu);
}

void IPopupMenu::UncheckTree()
{
  for (auto& pItem : mMenuItems)
  {
    pItem->SetChecked(false);
    if (IPopupMenu* pSubmenu = pItem->GetSubmenu())
      pSubmenu->UncheckTree();
  }
}

void IPopupMenu::CheckItemAlone(Item* pItemToCheck)
{
  UncheckTree();
  if (pItemToCheck && !pItemToCheck->GetSubmenu())
    pItemToCheck->SetChecked(true);
}

void IPopupMenu::RemoveEmptySubmenus()
{
  mMenuItems.erase(std::remove_if(mMenuItems.begin(), mMenuItems.end(),
                                  [](const std::unique_ptr<Item>& pItem) {
                                    IPopupMenu* pSubmenu = pItem->GetSubmenu();
                                    return pSubmenu && pSubmenu->NItems() == 0;
                                  }),
                   mMenuItems.end());
}

void IPopupMenu::Clear()
{
  // From the last item to the first, as the menu's teardown is defined.
  while (!mMenuItems.empty())
    mMenuItems.pop_back();
  mChosenItemIdx = -1;
}

IPopupMenu::Item* IPopupMenu::GetItem(int index) const
{
  if (index < 0 || index >= NItems())
    return nullptr;
  return mMenuItems[index].get();
}

const char* IPopupMenu::GetItemText(int index) const
{
  const Item* pItem = GetItem(index);
  return pItem ? pItem->GetText() : "";
}

} // namespace igraphics
} // namespace iplug
