#include "utility/FileOpen.h"

#include "utility/UTF8.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace brimvale::utility
{
namespace
{
// UTF-8 names and paths beyond MAX_PATH go through UTF-16; anything else is a narrow name.
bool NeedsWidePath(const char* path)
{
  return IsUTF8String(path) == 1 || std::strlen(path) >= 256;
}

bool WidePath(const char* path, std::wstring& wide)
{
  if (!UTF8ToUTF16Exact(path, wide))
    return false;
  FixLongPathW(wide);
  return true;
}

bool ModeCreatesOrWrites(const char* mode)
{
  return std::strpbrk(mode, "+aw") != nullptr;
}
} // namespace

std::FILE* OpenFileUTF8(const char* path, const char* mode)
{
  if (!path || !mode)
    return nullptr;
  std::wstring widePath;
  if (NeedsWidePath(path) && WidePath(path, widePath))
  {
    wchar_t wideMode[32] = {};
    for (int i = 0; i < 31 && mode[i]; ++i)
      wideMode[i] = static_cast<wchar_t>(static_cast<unsigned char>(mode[i]));
    if (std::FILE* file = _wfopen(widePath.c_str(), wideMode))
      return file;
    // A narrow retry could create a file under a mangled name.
    if (ModeCreatesOrWrites(mode))
      return nullptr;
  }
  return std::fopen(path, mode);
}

} // namespace brimvale::utility
