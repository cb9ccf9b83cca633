#pragma once

#include <cstdio>

namespace brimvale::utility
{

// Opens a regular file for binary reading by its UTF-8 path; null for anything else (a FIFO, a
// device, a directory) and for a missing file. What the name refers to is asked first, so that
// nothing but a file is ever opened (a device's open has effects of its own, such as raising a
// serial port's lines); the type is then checked again on the opened file itself, which is the
// check that counts should the name change in between, and the open never waits for a writer.
std::FILE* OpenRegularFileForReading(const char* utf8Path);

#ifndef _WIN32
// Whether the path names a regular file (symbolic links followed), asked without opening it.
bool IsRegularFilePath(const char* path);
#endif

#ifdef _WIN32
// fopen for UTF-8 paths, including paths beyond MAX_PATH.
std::FILE* OpenFileUTF8(const char* path, const char* mode);
#endif

} // namespace brimvale::utility
