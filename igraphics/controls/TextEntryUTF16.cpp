#include "igraphics/controls/TextEntryUTF16.h"

#include "utility/UTF8.h"

namespace iplug
{
namespace igraphics
{

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte)
{
  return (byte & 0xC0) == 0x80;
}

bool IsHighSurrogate(char32_t unit)
{
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit)
{
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

int wdl_utf8_parsechar(const char* str, int* cp)
{
  const auto* s = reinterpret_cast<const unsigned char*>(str);
  const unsigned char lead = s[0];
  int value = lead;
  int used = 1;

  if (lead >= 0xC0)
  {
    const int length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : lead < 0xFC ? 5 : 6;
    // Each byte is looked at only after the one before it proved to be a continuation, so a
    // sequence cut short by the terminator never reads past it.
    int n = 1;
    while (n < length && IsContinuation(s[n]))
      ++n;

    if (n == length && length >= 5)
    {
      value = '_';
      used = length;
    }
    else if (n == length)
    {
      int decoded = lead & (0x7F >> length);
      for (int i = 1; i < length; ++i)
        decoded = (decoded << 6) | (s[i] & 0x3F);
      constexpr int kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
      const bool isSurrogate = decoded >= 0xD800 && decoded <= 0xDFFF;
      if (decoded >= kShortest[length] && decoded <= 0x10FFFF && !isSurrogate)
      {
        value = decoded;
        used = length;
      }
    }
  }

  if (cp)
    *cp = value;
  return used;
}

void AppendUTF16(std::u16string& out, char32_t cp)
{
  if (cp >= 0x10000)
  {
    out += static_cast<char16_t>(0xD800 | ((cp - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 | (cp & 0x3FF));
  }
  else
  {
    out += static_cast<char16_t>(cp);
  }
}

std::u16string UTF8ToUTF16String(const char* str)
{
  std::u16string result;
  if (!str)
    return result;

  while (*str)
  {
    int cp = 0;
    str += wdl_utf8_parsechar(str, &cp);
    AppendUTF16(result, static_cast<char32_t>(cp));
  }
  return result;
}

std::string UTF16ToUTF8String(const std::u16string& str)
{
  std::string result;
  result.reserve(str.size());
  for (size_t i = 0; i < str.size(); ++i)
  {
    char32_t cp = str[i];
    if (IsHighSurrogate(cp) && i + 1 < str.size() && IsLowSurrogate(str[i + 1]))
      cp = cp * 0x400 + str[++i] - 0x35FDC00;
    else if (IsHighSurrogate(cp) || IsLowSurrogate(cp))
      cp = kReplacement;
    brimvale::utility::AppendUTF8(result, cp);
  }
  return result;
}

} // namespace igraphics
} // namespace iplug
