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

} // namespace brimvale::utility
