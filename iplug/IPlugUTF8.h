#pragma once

#include <cstdio>
#include <ctime>
#include <string>

#include "iplug/wdl/WdlString.h"
#include "utility/FileOpen.h"
#include "utility/UTF8.h"

namespace iplug
{

// The text checks, wide conversions and the file opener are the platform utility library's.
using brimvale::utility::IsUTF8String;

#ifdef _WIN32
using brimvale::utility::FixLongPathW;
using brimvale::utility::OpenFileUTF8;
using brimvale::utility::UTF8ToUTF16;

// Converts into a buffer of capacity wide characters; an empty string when it doesn't fit.
void UTF8ToUTF16Fixed(wchar_t* buffer, const char* text, int capacity);
void UTF16ToUTF8(WDL_String& result, const wchar_t* text);

// strftime for UTF-8 formats and results; returns the length written.
int FormatTimeUTF8(char* buffer, int size, const char* format, const struct tm* time);
#endif

} // namespace iplug
