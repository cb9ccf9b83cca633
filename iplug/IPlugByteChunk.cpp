#include "iplug/IPlugByteChunk.h"

#include <climits>
#include <cstdint>

namespace iplug
{

int IByteChunk::Grow(int extra)
{
  const int oldSize = Size();
  const int64_t newSize = int64_t{oldSize} + extra;
  if (extra < 0 || newSize > INT_MAX)
    return -1;
  mBytes.Resize(static_cast<int>(newSize), true);
  return Size() == newSize ? oldSize : -1;
}

int IByteChunk::PutBytes(const void* data, int size)
{
  if (data == nullptr || size <= 0)
    return Size();
  // The bytes may come from this chunk itself (PutChunk(this)); growing can move them.
  const auto at = reinterpret_cast<uintptr_t>(data);
  const auto start = reinterpret_cast<uintptr_t>(GetData());
  const bool own = start != 0 && at >= start && at < start + static_cast<uintptr_t>(Size());
  const uintptr_t ownOffset = own ? at - start : 0;

  const int pos = Grow(size);
  if (pos < 0)
    return Size();
  std::memmove(GetData() + pos, own ? GetData() + ownOffset : data, static_cast<size_t>(size));
  return Size();
}

int IByteChunk::GetBytes(void* data, int size, int startPos) const
{
  if (startPos < 0 || size < 0 || int64_t{startPos} + size > Size())
    return -1;
  if (size > 0)
    std::memcpy(data, GetData() + startPos, static_cast<size_t>(size));
  return startPos + size;
}

int IByteChunk::PutStr(const char* text)
{
  const size_t length = text ? std::strlen(text) : 0;
  if (length > static_cast<size_t>(INT_MAX - 4))
    return Size();
  const int32_t stored = static_cast<int32_t>(length);
  // Length and text go in together, so a failed append leaves no stray length behind.
  const int pos = Grow(4 + stored);
  if (pos < 0)
    return Size();
  std::memcpy(GetData() + pos, &stored, 4);
  if (stored > 0)
    std::memcpy(GetData() + pos + 4, text, length);
  return Size();
}

int IByteChunk::GetStr(WDL_String& str, int startPos) const
{
  int32_t length = 0;
  const int textPos = Get(&length, startPos);
  if (textPos < 0)
    return -1;
  // A negative length would send the reader backwards over bytes it has already read.
  if (length < 1)
  {
    str.Set("");
    return textPos;
  }
  const int64_t end = int64_t{textPos} + length;
  if (end > INT_MAX)
    return -1;
  if (end <= Size())
    str.Set(reinterpret_cast<const char*>(GetData() + textPos), length);
  return static_cast<int>(end);
}

int IByteChunk::PutChunk(const IByteChunk* other)
{
  return other ? PutBytes(other->GetData(), other->Size()) : Size();
}

int IByteChunk::Resize(int newSize)
{
  const int oldSize = Size();
  mBytes.Resize(newSize, true);
  if (Size() > oldSize)
    std::memset(GetData() + oldSize, 0, static_cast<size_t>(Size() - oldSize));
  return Size();
}

} // namespace iplug
