#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace iplug
{
namespace igraphics
{

/** A platform-neutral menu: a titled, ordered tree of items. The chosen index is written back into
    the (sub)menu the user chose in. */
class IPopupMenu
{
public:
  using IPopupFunction = std::function<void(IPopupMenu*)>;

  class Item
  {
  public:
    enum Flags
    {
      kNoFlags = 0,
      kDisabled = 1 << 0,
      kTitle = 1 << 1,
      kChecked = 1 << 2,
      kSeparator = 1 << 3
    };

    explicit Item(const char* text, int flags = kNoFlags, int tag = -1);
    /** Takes ownership of the submenu. */
    Item(const char* text, IPopupMenu* pSubmenu);

    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;

    const char* GetText() const { return mText.c_str(); }
    void SetText(const char* text) { mText = text ? text : ""; }

    IPopupMenu* GetSubmenu() const { return mSubmenu.get(); }
    /** Takes ownership; the previous submenu is destroyed. */
    void SetSubmenu(IPopupMenu* pSubmenu) { mSubmenu.reset(pSubmenu); }

    int GetFlags() const { return mFlags; }
    int GetTag() const { return mTag; }
    void SetTag(int tag) { mTag = tag; }

    bool GetEnabled() const { return !(mFlags & kDisabled); }
    bool GetIsTitle() const { return mFlags & kTitle; }
    bool GetChecked() const { return mFlags & kChecked; }
    bool GetIsSeparator() const { return mFlags & kSeparator; }

    void SetEnabled(bool state) { SetFlag(kDisabled, !state); }
    void SetTitle(bool state) { SetFlag(kTitle, state); }
    void SetChecked(bool state) { SetFlag(kChecked, state); }
    void SetSeparator(bool state) { SetFlag(kSeparator, state); }

  private:
    void SetFlag(int flag, bool state) { mFlags = state ? (mFlags | flag) : (mFlags & ~flag); }

    std::string mText;
    std::unique_ptr<IPopupMenu> mSubmenu;
    int mFlags = kNoFlags;
    int mTag = -1;
  };

  /** Index values of AddItem besides a plain position. */
  static constexpr int kAppend = -1;
  static constexpr int kSorted = -2;

  explicit IPopupMenu(const char* rootTitle = "", int prefix = 0, bool multicheck = false,
                      std::initializer_list<const char*> items = {});
  IPopupMenu(const char* rootTitle, std::initializer_list<const char*> items, IPopupFunction func);
  ~IPopupMenu();

  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  /** Takes ownership of the item and returns it. */
  Item* AddItem(Item* pItem, int index = kAppend);
  Item* AddItem(const char* text, int index = kAppend, int itemFlags = Item::kNoFlags);
  /** Takes ownership of the submenu, which inherits this menu's completion function when it has one. */
  Item* AddItem(const char* text, int index, IPopupMenu* pSubmenu);
  Item* AddItem(const char* text, IPopupMenu* pSubmenu, int index = kAppend);

  /** Unchecks every item of the whole tree below this menu, then checks the given one unless it
      opens a submenu. */
  void CheckItemAlone(Item* pItemToCheck);

  /** Drops the items of this menu (not of its submenus) whose submenu has no items. */
  void RemoveEmptySubmenus();

  /** Drops every item and forgets the choice. */
  void Clear();

  int NItems() const { return static_cast<int>(mMenuItems.size()); }
  /** Null outside the list. */
  Item* GetItem(int index) const;
  const char* GetItemText(int index) const;

  int GetChosenItemIdx() const { return mChosenItemIdx; }
  void SetChosenItemIdx(int index) { mChosenItemIdx = index; }
  Item* GetChosenItem() const { return GetItem(mChosenItemIdx); }

  const IPopupFunction& GetFunction() const { return mPopupFunc; }
  void SetFunction(IPopupFunction func) { mPopupFunc = std::move(func); }

  int GetPrefix() const { return mPrefix; }
  void SetPrefix(int prefix) { mPrefix = prefix; }
  bool GetCanMultiCheck() const { return mCanMultiCheck; }
  void SetMultiCheck(bool multicheck) { mCanMultiCheck = multicheck; }
  const char* GetRootTitle() const { return mRootTitle.c_str(); }
  void SetRootTitle(const char* title) { mRootTitle = title ? title : ""; }

private:
  int InsertionIndex(const char* text, int index) const;
  void UncheckTree();

  int mPrefix = 0;
  int mChosenItemIdx = -1;
  bool mCanMultiCheck = false;
  std::vector<std::unique_ptr<Item>> mMenuItems;
  IPopupFunction mPopupFunc;
  std::string mRootTitle;
};

} // namespace igraphics
} // namespace iplug
