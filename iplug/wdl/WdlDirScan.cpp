#include "iplug/wdl/WdlDirScan.h"

#include <cctype>
#include <cstring>

namespace iplug
{
namespace
{
bool IsSeparator(char c)
{
  return c == '/' || c == '\\';
}

bool SameLetter(char a, char b)
{
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}
} // namespace

int WDL_DirScan::First(const char* dir)
{
  if (dir == nullptr || *dir == 0)
    return -1;
  Close();
  if (!mBasePath.Set(dir))
    return 1;
  const int length = mBasePath.GetLength();
  if (IsSeparator(mBasePath.Get()[length - 1]))
    mBasePath.SetLen(length - 1);
  mBasePathResolved = false;
  return OpenAndReadFirst() ? 0 : 1;
}

int WDL_DirScan::Next()
{
  if (mHandle == nullptr)
    return 1;
  return ReadNext() ? 0 : 1;
}

void WDL_DirScan::Close()
{
  if (mHandle != nullptr)
    CloseDirectory();
  mHandle = nullptr;
  mHasCurrent = false;
}

int WDL_DirScan::GetCurrentIsDirectory() const
{
  return mHasCurrent ? ClassifyCurrent() : kNotDirectory;
}

void WDL_DirScan::GetCurrentFullFN(WDL_String* out) const
{
  if (out == nullptr)
    return;
  out->Set(mBasePath.Get());
  out->Append("/");
  out->Append(GetCurrentFN());
}

bool WDL_DirScan::IsBaseOrAncestor(const char* resolved) const
{
  // A root such as "/" or "C:\" ends in a separator; without it, it is a prefix like any parent.
  size_t n = std::strlen(resolved);
  while (n > 0 && IsSeparator(resolved[n - 1]))
    --n;
  if (!mBasePathResolved)
  {
    ResolveBasePath();
    mBasePathResolved = true;
  }
  const char* base = mResolvedBasePath.Get();
  if (std::strlen(base) < n)
    return false;
  for (size_t i = 0; i < n; ++i)
    if (!SameLetter(resolved[i], base[i]) && !(IsSeparator(resolved[i]) && IsSeparator(base[i])))
      return false;
  return base[n] == 0 || IsSeparator(base[n]);
}

} // namespace iplug
