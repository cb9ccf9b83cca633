#pragma once

#include <string>

namespace iplug
{

/** Base64 (RFC 4648) of size bytes, with padding. */
std::string Base64Encode(const unsigned char* data, int size);

/** Decodes into out (capacity bytes, zero-filled first), stopping at the first character outside
 *  the alphabet or when out is full. Returns the number of bytes written. */
int Base64Decode(const char* text, unsigned char* out, int capacity);

} // namespace iplug
