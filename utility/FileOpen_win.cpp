#include "utility/FileOpen.h"

#include "utility/UTF8.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstring>
#include <string>

namespace brimvale::utility
{
namespace
{
// UTF-8 names and paths beyond MAX_PATH go through UTF-16; anything else is a narrow name.
bool NeedsWidePath(const char* path)
{
  return IsUTF8String(path) == 1 || std::strlen(path) >= 256;
}

bool WidePath(const char* path, std::wstring& wide)
{
  if (!UTF8ToUTF16Exact(path, wide))
    return false;
  FixLongPathW(wide);
  return true;
}

bool ModeCreatesOrWrites(const char* mode)
{
  return std::strpbrk(mode, "+aw") != nullptr;
}

// Shared for reading and writing, as the C library opens a file for "rb".
constexpr DWORD kShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;

HANDLE OpenExistingForReading(const char* path)
{
  std::wstring wide;
  if (NeedsWidePath(path) && WidePath(path, wide))
  {
    const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, kShareMode, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
      return handle;
  }
  // The narrow name as the C library's fopen would take it.
  return CreateFileA(path, GENERIC_READ, kShareMode, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsRegularFile(HANDLE handle)
{
  if (GetFileType(handle) != FILE_TYPE_DISK)
    return false;
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileInformationByHandle(handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
} // namespace

std::FILE* OpenRegularFileForReading(const char* utf8Path)
{
  if (!utf8Path)
    return nullptr;
  const HANDLE handle = OpenExistingForReading(utf8Path);
  if (handle == INVALID_HANDLE_VALUE)
    return nullptr;
  if (!IsRegularFile(handle))
  {
    CloseHandle(handle);
    return nullptr;
  }
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (descriptor == -1)
  {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, "rb");
  if (!file)
    _close(descriptor);
  return file;
}

std::FILE* OpenFileUTF8(const char* path, const char* mode)
{
  if (!path || !mode)
    return nullptr;
  std::wstring widePath;
  if (NeedsWidePath(path) && WidePath(path, widePath))
  {
    wchar_t wideMode[32] = {};
    for (int i = 0; i < 31 && mode[i]; ++i)
      wideMode[i] = static_cast<wchar_t>(static_cast<unsigned char>(mode[i]));
    if (std::FILE* file = _wfopen(widePath.c_str(), wideMode))
      return file;
    // A narrow retry could create a file under a mangled name.
    if (ModeCreatesOrWrites(mode))
      return nullptr;
  }
  return std::fopen(path, mode);
}

} // namespace brimvale::utility
