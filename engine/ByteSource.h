#pragma once

#include <cstdint>
#include <cstring>

namespace brimvale::engine
{

// Reading of untrusted bytes that always knows how many remain, so a reader can refuse a declared
// size the source cannot hold before setting memory aside for it. A reader may pass over a body
// and come back to it, so that it never has to hold one it may not keep.
class ByteSource
{
public:
  virtual ~ByteSource() = default;

  // Reads exactly n bytes, or fails and leaves the source exhausted.
  virtual bool Read(void* destination, uint64_t n) = 0;
  // Skips exactly n bytes, or fails and leaves the source exhausted.
  virtual bool Skip(uint64_t n) = 0;
  virtual uint64_t Remaining() const = 0;
  // Where the next read starts, counted from the source's first byte.
  virtual uint64_t Position() const = 0;
  // Moves to a position at most the source's size, or fails and leaves the source exhausted.
  virtual bool Seek(uint64_t position) = 0;
};

class MemoryByteSource final : public ByteSource
{
public:
  MemoryByteSource(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

  bool Read(void* destination, uint64_t n) override
  {
    if (!Skip(n))
      return false;
    if (n > 0)
      std::memcpy(destination, mData + mPos - n, static_cast<size_t>(n));
    return true;
  }

  bool Skip(uint64_t n) override
  {
    if (n > Remaining())
    {
      mPos = mSize;
      return false;
    }
    mPos += static_cast<size_t>(n);
    return true;
  }

  uint64_t Remaining() const override { return mSize - mPos; }
  uint64_t Position() const override { return mPos; }

  bool Seek(uint64_t position) override
  {
    if (position > mSize)
    {
      mPos = mSize;
      return false;
    }
    mPos = static_cast<size_t>(position);
    return true;
  }

private:
  const uint8_t* mData;
  size_t mSize;
  size_t mPos = 0;
};

} // namespace brimvale::engine
