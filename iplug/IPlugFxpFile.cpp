#include "iplug/IPlugFxpFile.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include "iplug/IPlugUTF8.h"
#endif

namespace iplug
{

namespace
{
uint32_t ToBigEndian(uint32_t v)
{
  const unsigned char bytes[4] = {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
                                  static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
  uint32_t out;
  std::memcpy(&out, bytes, 4);
  return out;
}

uint32_t FromBigEndian(uint32_t v)
{
  unsigned char bytes[4];
  std::memcpy(bytes, &v, 4);
  return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
         (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

FILE* OpenFile(const char* path, const char* mode)
{
  if (!path || !*path)
    return nullptr;
#ifdef _WIN32
  return OpenFileUTF8(path, mode);
#else
  return std::fopen(path, mode);
#endif
}
} // namespace

int PutBigEndian(IByteChunk& chunk, int32_t value)
{
  const uint32_t be = ToBigEndian(static_cast<uint32_t>(value));
  return chunk.Put(&be);
}

int PutBigEndian(IByteChunk& chunk, float value)
{
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  const uint32_t be = ToBigEndian(bits);
  return chunk.Put(&be);
}

int GetBigEndian(const IByteChunk& chunk, int32_t& value, int pos)
{
  uint32_t be = 0;
  pos = chunk.Get(&be, pos);
  if (pos >= 0)
    value = static_cast<int32_t>(FromBigEndian(be));
  return pos;
}

int GetBigEndian(const IByteChunk& chunk, float& value, int pos)
{
  uint32_t be = 0;
  pos = chunk.Get(&be, pos);
  if (pos >= 0)
  {
    const uint32_t bits = FromBigEndian(be);
    std::memcpy(&value, &bits, 4);
  }
  return pos;
}

int PutFixedName(IByteChunk& chunk, const char* name, int fieldLen)
{
  char field[256] = {};
  if (fieldLen < 1 || fieldLen >= static_cast<int>(sizeof(field)))
    return chunk.Size();
  if (name)
    std::strncpy(field, name, static_cast<size_t>(fieldLen - 1));
  return chunk.PutBytes(field, fieldLen);
}

int GetFixedName(const IByteChunk& chunk, char* name, int fieldLen, int pos)
{
  char field[256] = {};
  if (fieldLen < 1 || fieldLen >= static_cast<int>(sizeof(field)))
    return -1;
  pos = chunk.GetBytes(field, fieldLen, pos);
  if (pos >= 0)
  {
    std::memcpy(name, field, static_cast<size_t>(fieldLen));
    name[fieldLen] = '\0';
  }
  return pos;
}

void PutChunkPrefix(IByteChunk& chunk)
{
  chunk.PutBytes("tffp", 4);
  chunk.Put(&kFxpChunkVersion);
}

int CheckChunkPrefix(const IByteChunk& chunk, int pos)
{
  char tag[4] = {};
  int32_t version = 0;
  pos = chunk.GetBytes(tag, 4, pos);
  pos = chunk.Get(&version, pos);
  return (pos >= 0 && std::memcmp(tag, "tffp", 4) == 0 && version == kFxpChunkVersion) ? pos : -1;
}

bool ReadFileToChunk(const char* path, IByteChunk& chunk)
{
  FILE* file = OpenFile(path, "rb");
  if (!file)
    return false;
  chunk.Clear();
  bool ok = true;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
  {
    const int before = chunk.Size();
    if (chunk.PutBytes(buffer, static_cast<int>(n)) != before + static_cast<int>(n))
    {
      ok = false;
      break;
    }
  }
  ok = ok && !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool WriteChunkToFile(const char* path, const IByteChunk& chunk)
{
  FILE* file = OpenFile(path, "wb");
  if (!file)
    return false;
  const size_t size = static_cast<size_t>(chunk.Size());
  const bool ok = size == 0 || std::fwrite(chunk.GetData(), 1, size, file) == size;
  return (std::fclose(file) == 0) && ok;
}

bool AppendLineToFile(const char* path, const char* line)
{
  FILE* file = OpenFile(path, "a");
  if (!file)
    return false;
  const bool ok = std::fputs(line, file) >= 0 && std::fputs("\n", file) >= 0;
  return (std::fclose(file) == 0) && ok;
}

} // namespace iplug
