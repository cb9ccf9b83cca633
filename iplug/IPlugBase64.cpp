#include "iplug/IPlugBase64.h"

#include <cstring>

namespace iplug
{

namespace
{
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c)
{
  const char* found = c ? std::strchr(kAlphabet, c) : nullptr;
  return found ? static_cast<int>(found - kAlphabet) : -1;
}
} // namespace

std::string Base64Encode(const unsigned char* data, int size)
{
  std::string out;
  for (int i = 0; i < size; i += 3)
  {
    const int n = size - i < 3 ? size - i : 3;
    unsigned int bits = static_cast<unsigned int>(data[i]) << 16;
    if (n > 1)
      bits |= static_cast<unsigned int>(data[i + 1]) << 8;
    if (n > 2)
      bits |= data[i + 2];
    out += kAlphabet[(bits >> 18) & 63];
    out += kAlphabet[(bits >> 12) & 63];
    out += n > 1 ? kAlphabet[(bits >> 6) & 63] : '=';
    out += n > 2 ? kAlphabet[bits & 63] : '=';
  }
  return out;
}

int Base64Decode(const char* text, unsigned char* out, int capacity)
{
  if (capacity <= 0)
    return 0;
  std::memset(out, 0, static_cast<size_t>(capacity));
  if (!text)
    return 0;

  int written = 0;
  unsigned int bits = 0;
  int nBits = 0;
  for (const char* p = text; written < capacity; ++p)
  {
    const int sextet = SextetOf(*p);
    if (sextet < 0)
      break;
    bits = (bits << 6) | static_cast<unsigned int>(sextet);
    nBits += 6;
    if (nBits >= 8)
    {
      nBits -= 8;
      out[written++] = static_cast<unsigned char>((bits >> nBits) & 0xFF);
    }
  }
  return written;
}

} // namespace iplug
