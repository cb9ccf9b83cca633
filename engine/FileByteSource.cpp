#include "engine/FileByteSource.h"

#include "utility/FileOpen.h"

namespace brimvale::engine
{

namespace
{
std::FILE* OpenForReading(const char* utf8Path)
{
#if defined(_WIN32)
  // A file URL names a drive as "/C:/..." once its scheme is gone; Windows wants "C:/...".
  if (utf8Path[0] == '/' && utf8Path[1] != '\0' && utf8Path[2] == ':')
    ++utf8Path;
#endif
  return brimvale::utility::OpenRegularFileForReading(utf8Path);
}

#if defined(_WIN32)
bool SeekTo(std::FILE* file, uint64_t offset, int origin)
{
  return _fseeki64(file, static_cast<__int64>(offset), origin) == 0;
}

int64_t Tell(std::FILE* file)
{
  return _ftelli64(file);
}
#else
bool SeekTo(std::FILE* file, uint64_t offset, int origin)
{
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

int64_t Tell(std::FILE* file)
{
  return static_cast<int64_t>(ftello(file));
}
#endif
} // namespace

FileByteSource::FileByteSource(const char* utf8Path)
{
  std::FILE* file = utf8Path ? OpenForReading(utf8Path) : nullptr;
  if (!file)
    return;
  const bool measured = SeekTo(file, 0, SEEK_END);
  const int64_t size = measured ? Tell(file) : -1;
  if (size < 0 || !SeekTo(file, 0, SEEK_SET))
  {
    std::fclose(file);
    return;
  }
  mFile = file;
  mSize = static_cast<uint64_t>(size);
}

FileByteSource::~FileByteSource()
{
  if (mFile)
    std::fclose(mFile);
}

bool FileByteSource::Read(void* destination, uint64_t n)
{
  if (!mFile || n > Remaining() || std::fread(destination, 1, static_cast<size_t>(n), mFile) != n)
  {
    Exhaust();
    return false;
  }
  mPos += n;
  return true;
}

bool FileByteSource::Skip(uint64_t n)
{
  if (n > Remaining())
  {
    Exhaust();
    return false;
  }
  return Seek(mPos + n);
}

bool FileByteSource::Seek(uint64_t position)
{
  if (!mFile || position > mSize || !SeekTo(mFile, position, SEEK_SET))
  {
    Exhaust();
    return false;
  }
  mPos = position;
  return true;
}

} // namespace brimvale::engine
