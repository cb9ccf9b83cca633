#pragma once

#include "engine/BrimvaleEngine.h"

#include <cstdint>
#include <string>

// Decodes the file at path (a file-system path or a file URL) into out; false leaves out as it was.
bool LoadWavFile(const char* path, BrimvaleEngine::SampleBuffer& out, const char* fallbackName);

// One sample value in -1..1: 32-bit float (formatTag 3) or 16/24/32-bit PCM (formatTag 1); 0 otherwise.
double DecodeWavSample(const unsigned char* bytes, uint16_t formatTag, uint16_t bitsPerSample);

// A file URL ("file://", "file://localhost/") or a path, percent-decoded, as a file-system path.
std::string NormalizeAudioFilePath(const char* path);

// The text after the last slash or backslash.
std::string FileNameFromPath(const char* path);

#if defined(__APPLE__)
// The system decoder, for files the own reader does not take.
bool LoadAudioFileWithCoreAudio(const std::string& path, BrimvaleEngine::SampleBuffer& out, const char* fallbackName);
#endif
