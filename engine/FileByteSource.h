#pragma once

#include "engine/ByteSource.h"

#include <cstdio>

namespace brimvale::engine
{

// A regular file opened for reading by its UTF-8 path (wide-character open on Windows); a FIFO,
// a device or a folder does not open.
class FileByteSource final : public ByteSource
{
public:
  explicit FileByteSource(const char* utf8Path);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  bool IsOpen() const { return mFile != nullptr; }

  bool Read(void* destination, uint64_t n) override;
  bool Skip(uint64_t n) override;
  uint64_t Remaining() const override { return mSize - mPos; }
  uint64_t Position() const override { return mPos; }
  bool Seek(uint64_t position) override;

private:
  void Exhaust() { mPos = mSize; }

  std::FILE* mFile = nullptr;
  uint64_t mSize = 0;
  uint64_t mPos = 0;
};

} // namespace brimvale::engine
