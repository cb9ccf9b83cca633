// Conversions between the UTF-8 that the rest of the editor speaks and the UTF-16 that the drawn
// text entry edits. Typed and pasted text is untrusted, so both directions accept any input and
// produce well-formed output.
#pragma once

#include <string>

namespace iplug
{
namespace igraphics
{

/** Reads one character of NUL-terminated text and returns the bytes it used (1 at the terminator).
 *  A malformed sequence (a missing continuation, an overlong form, an encoded surrogate, a value
 *  above U+10FFFF) uses 1 byte and yields its lead byte as a Latin-1 character; an old five- or
 *  six-byte form uses all its bytes and yields '_'. No byte beyond a NUL is read. */
int wdl_utf8_parsechar(const char* str, int* cp);

/** Appends cp, which must be a code point below U+110000, as one unit or a surrogate pair. */
void AppendUTF16(std::u16string& out, char32_t cp);

/** Null or empty text gives an empty string; characters above U+FFFF become surrogate pairs. */
std::u16string UTF8ToUTF16String(const char* str);

/** Always well-formed UTF-8: a surrogate without its partner becomes U+FFFD. */
std::string UTF16ToUTF8String(const std::u16string& str);

} // namespace igraphics
} // namespace iplug
