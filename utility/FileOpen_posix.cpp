#include "utility/FileOpen.h"

#include "utility/FileOpenSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brimvale::utility
{

FileOpenSystem::StatFunc FileOpenSystem::sStat = &stat;

bool IsRegularFilePath(const char* path)
{
  struct stat info;
  return path && FileOpenSystem::sStat(path, &info) == 0 && S_ISREG(info.st_mode);
}

std::FILE* OpenRegularFileForReading(const char* utf8Path)
{
  if (!IsRegularFilePath(utf8Path))
    return nullptr;
  // Should the name turn into a FIFO after the check, the open still must not wait for a writer.
  const int descriptor = open(utf8Path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0)
    return nullptr;
  struct stat info;
  const int flags = fcntl(descriptor, F_GETFL);
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || flags == -1 ||
      fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0)
  {
    close(descriptor);
    return nullptr;
  }
  std::FILE* file = fdopen(descriptor, "rb");
  if (!file)
    close(descriptor);
  return file;
}

} // namespace brimvale::utility
