#pragma once

#include <string>

namespace brimvale::utility
{

// 0 for null or pure ASCII text, 1 when it holds multi-byte sequences that are all well formed,
// -1 at the first malformed byte (a bad lead byte, a missing continuation, an overlong form).
int IsUTF8String(const char* text);

// Appends the UTF-8 bytes of one code point (at most U+10FFFF; the caller has checked it).
void AppendUTF8(std::string& out, char32_t codePoint);

// Writes UTF-8 text as UTF-16 into a buffer of capacity characters, always NUL-terminated and cut
// at a whole character; malformed bytes become U+FFFD.
void UTF8ToUTF16Fixed(char16_t* out, int capacity, const char* text);

#ifdef _WIN32
// Windows keeps file names in UTF-16. Malformed bytes become replacement characters.
std::wstring UTF8ToUTF16(const char* text);
// The same, but false (and wide left empty) for null or malformed text.
bool UTF8ToUTF16Exact(const char* text, std::wstring& wide);

// Paths of 256 or more characters need the "\\?\" form, in which only backslashes separate.
void FixLongPathW(std::wstring& path);
#endif

} // namespace brimvale::utility
