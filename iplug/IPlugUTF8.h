#pragma once

#include <cstdio>
#include <ctime>
#include <string>

#include "iplug/wdl/WdlString.h"

namespace iplug
{

// 0 for null or pure ASCII text, 1 when it holds multi-byte sequences that are all well formed,
// -1 at the first malformed byte (a bad lead byte, a missing continuation, an overlong form).
int IsUTF8String(const char* text);

#ifdef _WIN32
// Windows keeps file names in UTF-16; the framework's texts are UTF-8.
std::wstring UTF8ToUTF16(const char* text);
// Converts into a buffer of capacity wide characters; an empty string when it doesn't fit.
void UTF8ToUTF16Fixed(wchar_t* buffer, const char* text, int capacity);
void UTF16ToUTF8(WDL_String& result, const wchar_t* text);

// Paths of 256 or more characters need the "\\?\" form, in which only backslashes separate.
void FixLongPathW(std::wstring& path);

FILE* OpenFileUTF8(const char* path, const char* mode);
// strftime for UTF-8 formats and results; returns the length written.
int FormatTimeUTF8(char* buffer, int size, const char* format, const struct tm* time);
#endif

} // namespace iplug
