#pragma once

// The system calls through which OpenRegularFileForReading asks what a name refers to and opens it.
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace brimvale::utility
{

struct FileOpenSystem
{
#ifdef _WIN32
  /** GetFileAttributesW and CreateFileW, replaceable so that tests can see which names reach the
   * system (asking a device's attributes opens it too) and pose as a name that turns into something
   * else between the question and the open. */
  using GetFileAttributesFunc = DWORD(WINAPI*)(LPCWSTR);
  using CreateFileFunc = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
  static GetFileAttributesFunc sGetFileAttributesW;
  static CreateFileFunc sCreateFileW;
#else
  /** stat, replaceable so that tests can pose as a name that turns into something else between the
   * question and the open. */
  using StatFunc = int (*)(const char*, struct stat*);
  static StatFunc sStat;
#endif
};

} // namespace brimvale::utility
