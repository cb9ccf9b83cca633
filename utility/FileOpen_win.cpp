#include "utility/FileOpen.h"

#include "utility/FileOpenSystem.h"
#include "utility/UTF8.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace brimvale::utility
{

FileOpenSystem::GetFileAttributesFunc FileOpenSystem::sGetFileAttributesW = &GetFileAttributesW;
FileOpenSystem::CreateFileFunc FileOpenSystem::sCreateFileW = &CreateFileW;

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

bool StartsWith(const std::wstring& text, size_t at, const wchar_t* prefix)
{
  const size_t length = std::wcslen(prefix);
  return text.size() >= at + length && _wcsnicmp(text.c_str() + at, prefix, length) == 0;
}

bool IsDriveRoot(const std::wstring& path, size_t at)
{
  if (path.size() <= at + 2)
    return false;
  const wchar_t letter = path[at];
  return ((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z')) && path[at + 1] == L':' &&
         path[at + 2] == L'\\';
}

// "server\share\..." from at on: a share of a machine, but not its pipes or mailslots.
bool IsShare(const std::wstring& path, size_t at)
{
  const size_t end = path.find(L'\\', at);
  if (end == std::wstring::npos || end == at)
    return false;
  const std::wstring server = path.substr(at, end - at);
  return server != L"." && server != L"?" && !StartsWith(path, end + 1, L"pipe\\") &&
         !StartsWith(path, end + 1, L"mailslot\\");
}

// Whether a full path lies on a drive ("C:\...") or a share: anything else reaches a device or the
// object namespace ("\\.\C:" is the volume itself, "\\?\GLOBALROOT\..." any device). A reserved
// device name such as NUL or COM1 has its full path in "\\.\" already.
bool IsFileSystemPath(const std::wstring& full)
{
  if (StartsWith(full, 0, L"\\\\?\\"))
    return IsDriveRoot(full, 4) || (StartsWith(full, 4, L"UNC\\") && IsShare(full, 8));
  if (StartsWith(full, 0, L"\\\\"))
    return IsShare(full, 2);
  return IsDriveRoot(full, 0);
}

bool FullPath(const std::wstring& name, std::wstring& full)
{
  const DWORD needed = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (needed == 0)
    return false;
  full.assign(needed, L'\0');
  const DWORD written = GetFullPathNameW(name.c_str(), needed, &full[0], nullptr);
  if (written == 0 || written >= needed)
    return false;
  full.resize(written);
  return true;
}

// Opens the name only when its full path is a file system's and names no folder or device. Even
// asking a device's attributes opens it, so the path is judged by its text first.
HANDLE OpenIfFile(const std::wstring& name)
{
  std::wstring full;
  if (!FullPath(name, full) || !IsFileSystemPath(full))
    return INVALID_HANDLE_VALUE;
  FixLongPathW(full);
  const DWORD attributes = FileOpenSystem::sGetFileAttributesW(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
    return INVALID_HANDLE_VALUE;
  return FileOpenSystem::sCreateFileW(full.c_str(), GENERIC_READ, kShareMode, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The narrow name in the code page that the system's narrow file calls use.
bool NarrowPath(const char* path, std::wstring& wide)
{
  const UINT codePage = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
  const int needed = MultiByteToWideChar(codePage, 0, path, -1, nullptr, 0);
  if (needed <= 0)
    return false;
  wide.assign(static_cast<size_t>(needed), L'\0');
  if (MultiByteToWideChar(codePage, 0, path, -1, &wide[0], needed) != needed)
    return false;
  wide.resize(static_cast<size_t>(needed - 1));
  return true;
}

HANDLE OpenExistingForReading(const char* path)
{
  std::wstring wide;
  if (NeedsWidePath(path) && UTF8ToUTF16Exact(path, wide))
  {
    const HANDLE handle = OpenIfFile(wide);
    if (handle != INVALID_HANDLE_VALUE)
      return handle;
  }
  // The narrow name as the C library's fopen would take it.
  return NarrowPath(path, wide) ? OpenIfFile(wide) : INVALID_HANDLE_VALUE;
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
