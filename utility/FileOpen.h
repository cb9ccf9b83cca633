#pragma once

#include <cstdio>

namespace brimvale::utility
{

#ifdef _WIN32
// fopen for UTF-8 paths, including paths beyond MAX_PATH.
std::FILE* OpenFileUTF8(const char* path, const char* mode);
#endif

} // namespace brimvale::utility
