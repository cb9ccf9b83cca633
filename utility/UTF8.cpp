#include "utility/UTF8.h"

namespace brimvale::utility
{

int IsUTF8String(const char* text)
{
  if (!text)
    return 0;
  int result = 0;
  auto bytes = reinterpret_cast<const unsigned char*>(text);
  while (*bytes)
  {
    const unsigned char lead = *bytes;
    if (lead < 0x80)
    {
      ++bytes;
      continue;
    }
    if (lead < 0xC2 || lead > 0xF7)
      return -1;
    const int continuations = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    for (int i = 1; i <= continuations; ++i)
      if ((bytes[i] & 0xC0) != 0x80)
        return -1;
    // Shortest-form rule: these leads could encode the value in fewer bytes.
    if ((lead == 0xE0 && bytes[1] < 0xA0) || (lead == 0xF0 && bytes[1] < 0x90))
      return -1;
    bytes += continuations + 1;
    result = 1;
  }
  return result;
}

void AppendUTF8(std::string& out, char32_t codePoint)
{
  if (codePoint < 0x80)
  {
    out += static_cast<char>(codePoint);
  }
  else if (codePoint < 0x800)
  {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  else if (codePoint < 0x10000)
  {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  else
  {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

// The code point starting at text[i], advancing i; malformed input yields U+FFFD for one byte.
char32_t NextCodePoint(const unsigned char* text, size_t& i)
{
  const unsigned char lead = text[i++];
  if (lead < 0x80)
    return lead;
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0)
  {
    extra = 1;
    cp = lead & 0x1F;
    minimum = 0x80;
  }
  else if ((lead & 0xF0) == 0xE0)
  {
    extra = 2;
    cp = lead & 0x0F;
    minimum = 0x800;
  }
  else if ((lead & 0xF8) == 0xF0)
  {
    extra = 3;
    cp = lead & 0x07;
    minimum = 0x10000;
  }
  else
    return kReplacement;
  size_t j = i;
  for (int n = 0; n < extra; ++n, ++j)
  {
    if ((text[j] & 0xC0) != 0x80)
      return kReplacement; // also stops at the terminator
    cp = (cp << 6) | (text[j] & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return kReplacement;
  i = j;
  return cp;
}

} // namespace

void UTF8ToUTF16Fixed(char16_t* out, int capacity, const char* text)
{
  if (!out || capacity < 1)
    return;
  int n = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text ? text : "");
  size_t i = 0;
  while (bytes[i])
  {
    const char32_t cp = NextCodePoint(bytes, i);
    const int units = cp >= 0x10000 ? 2 : 1;
    if (n + units > capacity - 1)
      break;
    if (units == 2)
    {
      out[n++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out[n++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
    else
      out[n++] = static_cast<char16_t>(cp);
  }
  out[n] = 0;
}

} // namespace brimvale::utility
