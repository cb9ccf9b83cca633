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
// The largest prefix of at most maxBytes bytes that ends on a character boundary.
int Utf8BoundaryAtOrBefore(const char* text, int maxBytes)
{
  int cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
    --cut;
  return cut;
}
} // namespace

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

int FormatTimeUTF8(char* buffer, int size, const char* format, const struct tm* time)
{
  if (buffer && size > 0 && format && time)
  {
    std::wstring wideFormat;
    if (brimvale::utility::UTF8ToUTF16Exact(format, wideFormat))
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
