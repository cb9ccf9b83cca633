#pragma once

#include <cstring>
#include <type_traits>

#include "iplug/wdl/WdlHeapBuf.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{

// The serialisation buffer of saved states, presets and editor state: values back to back in the
// machine's byte order (little-endian on every target), no padding. Writers append and return the
// new size; a failed append leaves the chunk as it was. Readers take a start position and return
// the position after what they read, or -1 when it lies outside the chunk (writing nothing then).
class IByteChunk
{
public:
  IByteChunk() = default;

  template <class T>
  int Put(const T* value)
  {
    static_assert(std::is_trivially_copyable_v<T>, "only plain values go into a chunk as bytes");
    return PutBytes(value, static_cast<int>(sizeof(T)));
  }

  template <class T>
  int Get(T* value, int startPos) const
  {
    static_assert(std::is_trivially_copyable_v<T>, "only plain values come out of a chunk as bytes");
    if constexpr (std::is_same_v<T, bool>)
    {
      // Any byte but 0 reads as true: a stored byte is not trusted to be a valid bool.
      unsigned char byte = 0;
      const int next = GetBytes(&byte, 1, startPos);
      if (next >= 0)
        *value = byte != 0;
      return next;
    }
    else
    {
      return GetBytes(value, static_cast<int>(sizeof(T)), startPos);
    }
  }

  int PutBytes(const void* data, int size);
  int GetBytes(void* data, int size, int startPos) const;

  // An int32 length, then the text's bytes without terminator; a null text counts as "".
  int PutStr(const char* text);
  // Reads what PutStr wrote. A length past the end leaves str unchanged but still returns the
  // position after it, so the next read fails; a length below 1 gives "".
  int GetStr(WDL_String& str, int startPos) const;

  // Appends another chunk's bytes, without a length.
  int PutChunk(const IByteChunk* other);

  // Sets the size; new bytes are zero. Returns the size reached.
  int Resize(int newSize);
  void Clear() { mBytes.Resize(0, true); }
  int Size() const { return mBytes.GetSize(); }
  unsigned char* GetData() { return static_cast<unsigned char*>(mBytes.Get()); }
  const unsigned char* GetData() const { return static_cast<const unsigned char*>(mBytes.Get()); }

private:
  // Grows by extra bytes and returns where they start, or -1 (chunk unchanged) when it cannot.
  int Grow(int extra);

  WDL_HeapBuf mBytes{4096};
};

} // namespace iplug
