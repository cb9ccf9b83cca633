#pragma once

#include "engine/SampleBuffer.h"

#include <string>

namespace brimvale::engine
{

// Decodes the file at path (a file-system path or a file URL) into out; false leaves out as it was.
bool LoadWavFile(const char* path, SampleBuffer& out, const char* fallbackName);

// A file URL ("file://", "file://localhost/") or a path, percent-decoded, as a file-system path.
std::string NormalizeAudioFilePath(const char* path);

// The text after the last slash or backslash.
std::string FileNameFromPath(const char* path);

#if defined(BRIMVALE_MACOS)
// The system decoder, for files the own reader does not take.
bool LoadAudioFileWithCoreAudio(const std::string& path, SampleBuffer& out, const char* fallbackName);
#endif

} // namespace brimvale::engine
