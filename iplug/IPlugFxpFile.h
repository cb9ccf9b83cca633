#pragma once

#include <cstdint>

#include "iplug/IPlugByteChunk.h"

namespace iplug
{

// The older VST2 preset (".fxp") and bank (".fxb") files: big-endian fields, four-character tags.

constexpr int32_t FxpTag(char a, char b, char c, char d)
{
  return static_cast<int32_t>(
    (static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) | (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
    (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) | static_cast<uint32_t>(static_cast<uint8_t>(d)));
}

constexpr int32_t kFxpFileTag = FxpTag('C', 'c', 'n', 'K');
constexpr int32_t kFxpParamsTag = FxpTag('F', 'x', 'C', 'k');
constexpr int32_t kFxpChunkTag = FxpTag('F', 'P', 'C', 'h');
constexpr int32_t kFxbParamsTag = FxpTag('F', 'x', 'B', 'k');
constexpr int32_t kFxbChunkTag = FxpTag('F', 'B', 'C', 'h');
constexpr int32_t kFxpFormatVersion = 1;
constexpr int kFxpNameLen = 28;
constexpr int kFxbReservedLen = 128;
// The bytes of a chunk-form preset file before its chunk.
constexpr int kFxpChunkHeaderSize = 60;
// The bytes of a chunk-form bank file before its chunk.
constexpr int kFxbChunkHeaderSize = 160;
// The prefix of the chunk inside a chunk-form file: "tffp" and a little-endian version.
constexpr int32_t kFxpChunkVersion = 0x10000;

int PutBigEndian(IByteChunk& chunk, int32_t value);
int PutBigEndian(IByteChunk& chunk, float value);
int GetBigEndian(const IByteChunk& chunk, int32_t& value, int pos);
int GetBigEndian(const IByteChunk& chunk, float& value, int pos);

/** Writes a fixed-size, zero-padded name field. */
int PutFixedName(IByteChunk& chunk, const char* name, int fieldLen);
/** Reads a fixed-size name field into a NUL-terminated text of at most fieldLen characters. */
int GetFixedName(const IByteChunk& chunk, char* name, int fieldLen, int pos);

/** The prefix that the chunk of a chunk-form file starts with. */
void PutChunkPrefix(IByteChunk& chunk);
/** The position after the prefix, or -1 when the chunk does not start with it. */
int CheckChunkPrefix(const IByteChunk& chunk, int pos);

/** The whole file at a UTF-8 path, or false when it cannot be read. */
bool ReadFileToChunk(const char* path, IByteChunk& chunk);
/** Replaces the file at path by the chunk's bytes. */
bool WriteChunkToFile(const char* path, const IByteChunk& chunk);
/** Appends one line of text to the file at path. */
bool AppendLineToFile(const char* path, const char* line);

} // namespace iplug
