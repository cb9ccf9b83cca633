#pragma once

#include <cstdio>

namespace brimvale::utility
{

// Opens a regular file for binary reading by its UTF-8 path; null for anything else (a FIFO, a
// device, a directory) and for a missing file. The type is checked on the opened file itself, so
// the name is followed once, and the open never waits for a writer or a device.
std::FILE* OpenRegularFileForReading(const char* utf8Path);

#ifdef _WIN32
// fopen for UTF-8 paths, including paths beyond MAX_PATH.
std::FILE* OpenFileUTF8(const char* path, const char* mode);
#endif

} // namespace brimvale::utility
