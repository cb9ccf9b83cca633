#include "iplug/wdl/WdlDirScan.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cwchar>

namespace iplug
{
namespace
{
// UTF-8 to a NUL-terminated wide text; false when the text does not convert or memory runs out.
bool ToWide(const char* text, WDL_TypedBuf<wchar_t>& out)
{
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
  if (n <= 0 || out.Resize(n) == nullptr || out.GetSize() != n)
    return false;
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, out.Get(), n) == n;
}

bool ToUtf8(const wchar_t* text, WDL_String& out)
{
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0 || !out.SetLen(n - 1))
    return false;
  return WideCharToMultiByte(CP_UTF8, 0, text, -1, out.GetWritable(), n, nullptr, nullptr) == n;
}

// The final path of a file or directory, links followed, without the "\\?\" prefix of
// extended-length paths.
bool FinalPath(const wchar_t* path, WDL_String& resolved)
{
  HANDLE file = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  WDL_TypedBuf<wchar_t> target;
  const DWORD needed = GetFinalPathNameByHandleW(file, nullptr, 0, FILE_NAME_NORMALIZED);
  bool ok = needed > 0 && target.Resize(static_cast<int>(needed) + 1) != nullptr &&
            GetFinalPathNameByHandleW(file, target.Get(), needed + 1, FILE_NAME_NORMALIZED) <= needed;
  ::CloseHandle(file);
  if (!ok)
    return false;

  const wchar_t* p = target.Get();
  if (std::wcsncmp(p, L"\\\\?\\UNC\\", 8) == 0)
  {
    resolved.Set("\\\\");
    WDL_String rest;
    return ToUtf8(p + 8, rest) && resolved.Append(rest.Get());
  }
  if (std::wcsncmp(p, L"\\\\?\\", 4) == 0)
    p += 4;
  return ToUtf8(p, resolved);
}
} // namespace

bool WDL_DirScan::OpenAndReadFirst()
{
  WDL_String pattern(mBasePath.Get());
  WDL_TypedBuf<wchar_t> widePattern;
  if (!pattern.Append("\\*") || !ToWide(pattern.Get(), widePattern))
    return false;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(widePattern.Get(), &data);
  if (find == INVALID_HANDLE_VALUE)
    return false;
  mHandle = find;
  mHasCurrent = ToUtf8(data.cFileName, mCurrentName);
  mCurrentType = data.dwFileAttributes;
  return mHasCurrent;
}

bool WDL_DirScan::ReadNext()
{
  WIN32_FIND_DATAW data;
  mHasCurrent = FindNextFileW(static_cast<HANDLE>(mHandle), &data) && ToUtf8(data.cFileName, mCurrentName);
  mCurrentType = mHasCurrent ? data.dwFileAttributes : 0;
  return mHasCurrent;
}

void WDL_DirScan::ResolveBasePath() const
{
  // A bare drive names the drive's current directory, not its root.
  WDL_String base(mBasePath.Get());
  if (base.GetLength() == 2 && base.Get()[1] == ':')
    base.Append("\\");
  WDL_TypedBuf<wchar_t> wideBase;
  if (!ToWide(base.Get(), wideBase) || !FinalPath(wideBase.Get(), mResolvedBasePath))
    mResolvedBasePath.Set(mBasePath.Get());
}

void WDL_DirScan::CloseDirectory()
{
  FindClose(static_cast<HANDLE>(mHandle));
}

int WDL_DirScan::ClassifyCurrent() const
{
  if (!(mCurrentType & FILE_ATTRIBUTE_DIRECTORY))
    return kNotDirectory;
  if (!(mCurrentType & FILE_ATTRIBUTE_REPARSE_POINT))
    return kDirectory;

  WDL_String path, resolved;
  WDL_TypedBuf<wchar_t> widePath, wideResolved;
  GetCurrentFullFN(&path);
  if (!ToWide(path.Get(), widePath) || !FinalPath(widePath.Get(), resolved) || !ToWide(resolved.Get(), wideResolved))
    return kNotDirectory;
  const DWORD attributes = GetFileAttributesW(wideResolved.Get());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return kNotDirectory;
  return IsBaseOrAncestor(resolved.Get()) ? kLinkToOwnAncestor : kLinkToDirectory;
}

} // namespace iplug
