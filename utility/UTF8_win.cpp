#include "utility/UTF8.h"

#include <windows.h>

namespace brimvale::utility
{
namespace
{
std::wstring Widen(const char* text, DWORD flags, bool& ok)
{
  ok = false;
  if (!text)
    return {};
  const int needed = MultiByteToWideChar(CP_UTF8, flags, text, -1, nullptr, 0);
  if (needed <= 0)
    return {};
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  if (MultiByteToWideChar(CP_UTF8, flags, text, -1, wide.data(), needed) != needed)
    return {};
  wide.resize(static_cast<size_t>(needed - 1));
  ok = true;
  return wide;
}
} // namespace

std::wstring UTF8ToUTF16(const char* text)
{
  bool ok;
  return Widen(text, 0, ok);
}

bool UTF8ToUTF16Exact(const char* text, std::wstring& wide)
{
  bool ok;
  wide = Widen(text, MB_ERR_INVALID_CHARS, ok);
  return ok;
}

void FixLongPathW(std::wstring& path)
{
  if (path.size() < 256)
    return;
  // Already in the long form: a second prefix would break it.
  if (path.compare(0, 4, L"\\\\?\\") == 0)
    return;
  size_t prefixLength;
  if (path[1] == L':')
  {
    path.insert(0, L"\\\\?\\");
    prefixLength = 4;
  }
  else if (path[0] == L'\\' && path[1] == L'\\')
  {
    path.replace(0, 2, L"\\\\?\\UNC\\");
    prefixLength = 8;
  }
  else
    return;
  for (size_t i = prefixLength; i < path.size(); ++i)
    if (path[i] == L'/')
      path[i] = L'\\';
}

} // namespace brimvale::utility
