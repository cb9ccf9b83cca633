#pragma once

// Scripting and inspecting the stand-in's popup menus.
#import <AppKit/NSMenu.h>

#include <string>
#include <vector>

/** How one item of a popped-up menu looked, submenus nested. */
struct StandInMenuItemSnapshot
{
  std::string title;
  bool separator = false;
  long indent = 0;
  bool enabled = true;
  bool checked = false;
  std::vector<StandInMenuItemSnapshot> submenu;
};

/** What the last popUpMenuPositioningItem:atLocation:inView: was given. */
struct StandInMenuPopup
{
  int count = 0; // menus popped up since the last reset
  std::vector<StandInMenuItemSnapshot> items;
  long positioningItemIndex = -1; // index in the top menu, -1 for none
  NSPoint location = {0, 0};
  NSView* view = nil; // not retained: only compared
};

/** The next popups choose the item at this path of indices (top menu, then into submenus); an
 * empty path chooses nothing, as when the user clicks outside the menu. */
void StandInMenuChoosePath(std::vector<long> path);
void StandInMenuChooseNothing();
const StandInMenuPopup& StandInLastMenuPopup();
/** Forgets the last popup and chooses nothing. */
void StandInResetMenus();
