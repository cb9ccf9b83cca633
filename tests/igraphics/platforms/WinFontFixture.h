#pragma once

// What the Windows font tests share: the test font's path as Wine sees it, and a count of the memory
// fonts that GDI holds for this process.
#include "igraphics/platforms/WinFont.h"

#include <string>

namespace wintest
{

/** A path of the build machine as the program under Wine opens it (drive Z: is the root). */
inline std::string WinePath(const char* unixPath)
{
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/')
      c = '\\';
  return path;
}

/** While it lives, counts the memory fonts that GDI holds for this process; Wine keeps removed ones
 * usable, so GDI itself cannot show a removal. */
class MemoryFontCount
{
public:
  MemoryFontCount()
  {
    sLive = 0;
    iplug::igraphics::InstalledFont::sAdd = Add;
    iplug::igraphics::InstalledFont::sRemove = Remove;
  }
  ~MemoryFontCount()
  {
    iplug::igraphics::InstalledFont::sAdd = AddFontMemResourceEx;
    iplug::igraphics::InstalledFont::sRemove = RemoveFontMemResourceEx;
  }
  MemoryFontCount(const MemoryFontCount&) = delete;
  MemoryFontCount& operator=(const MemoryFontCount&) = delete;

  int Live() const { return sLive; }

private:
  static HANDLE WINAPI Add(PVOID data, DWORD size, PVOID reserved, DWORD* nFonts)
  {
    HANDLE font = AddFontMemResourceEx(data, size, reserved, nFonts);
    sLive += font != nullptr;
    return font;
  }
  static BOOL WINAPI Remove(HANDLE font)
  {
    const BOOL removed = RemoveFontMemResourceEx(font);
    sLive -= removed != FALSE;
    return removed;
  }

  static inline int sLive = 0;
};

} // namespace wintest
