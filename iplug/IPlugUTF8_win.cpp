#include "iplug/IPlugUTF8.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

namespace iplug
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

bool ModeCreatesOrWrites(const char* mode)
{
  return std::strpbrk(mode, "+aw") != nullptr;
}

// The largest prefix of at most maxBytes bytes that ends on a character boundary.
int Utf8BoundaryAtOrBefore(const char* text, int maxBytes)
{
  int cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    --cut;
  return cut;
}
} // namespace

std::wstring UTF8ToUTF16(const char* text)
{
  bool ok;
  return Widen(text, 0, ok);
}

void UTF8ToUTF16Fixed(wchar_t* buffer, const char* text, int capacity)
{
  if (!buffer || capacity <= 0)
    return;
  buffer[0] = L'\0';
  if (!text)
    return;
  if (MultiByteToWideChar(CP_UTF8, 0, text, -1, buffer, capacity) <= 0)
    buffer[0] = L'\0';
}

void UTF16ToUTF8(WDL_String& result, const wchar_t* text)
{
  result.Set("");
  if (!text)
    return;
  const int needed = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (needed <= 0)
    return;
  std::vector<char> narrow(static_cast<size_t>(needed) + 1, '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), needed, nullptr, nullptr) > 0)
    result.Set(narrow.data());
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

FILE* OpenFileUTF8(const char* path, const char* mode)
{
  if (!path || !mode)
    return nullptr;
  if (IsUTF8String(path) == 1 || std::strlen(path) >= 256)
  {
    bool ok;
    std::wstring widePath = Widen(path, MB_ERR_INVALID_CHARS, ok);
    if (ok)
    {
      FixLongPathW(widePath);
      wchar_t wideMode[32] = {};
      for (int i = 0; i < 31 && mode[i]; ++i)
        wideMode[i] = static_cast<wchar_t>(static_cast<unsigned char>(mode[i]));
      if (FILE* file = _wfopen(widePath.c_str(), wideMode))
        return file;
      // A narrow retry could create a file under a mangled name.
      if (ModeCreatesOrWrites(mode))
        return nullptr;
    }
  }
  return std::fopen(path, mode);
}

int FormatTimeUTF8(char* buffer, int size, const char* format, const struct tm* time)
{
  if (buffer && size > 0 && format && time)
  {
    bool ok;
    const std::wstring wideFormat = Widen(format, MB_ERR_INVALID_CHARS, ok);
    if (ok)
    {
      std::vector<wchar_t> wide(size <= 1000 ? 2048 : static_cast<size_t>(size) * 2 + 10);
      buffer[0] = '\0';
      if (std::wcsftime(wide.data(), wide.size(), wideFormat.c_str(), time) == 0)
        return 0;
      if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), -1, buffer, size, nullptr, nullptr) <= 0)
      {
        WDL_String whole;
        UTF16ToUTF8(whole, wide.data());
        const int cut = Utf8BoundaryAtOrBefore(whole.Get(), std::min(size - 1, whole.GetLength()));
        std::memcpy(buffer, whole.Get(), static_cast<size_t>(cut));
        buffer[cut] = '\0';
      }
      return static_cast<int>(std::strlen(buffer));
    }
  }
  if (!buffer || size <= 0 || !format || !time)
    return 0;
  return static_cast<int>(std::strftime(buffer, static_cast<size_t>(size), format, time));
}

} // namespace iplug
