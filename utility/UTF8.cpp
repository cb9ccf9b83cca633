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

} // namespace brimvale::utility
