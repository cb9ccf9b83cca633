#include "iplug/wdl/WdlDirScan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>

namespace iplug
{
namespace
{
DIR* Dir(void* handle)
{
  return static_cast<DIR*>(handle);
}

bool OpensAsDirectory(const char* path)
{
  DIR* dir = opendir(path);
  if (dir == nullptr)
    return false;
  closedir(dir);
  return true;
}
} // namespace

bool WDL_DirScan::OpenAndReadFirst()
{
  mHandle = opendir(mBasePath.GetLength() ? mBasePath.Get() : "/");
  return mHandle != nullptr && ReadNext();
}

bool WDL_DirScan::ReadNext()
{
  const dirent* entry = readdir(Dir(mHandle));
  mHasCurrent = entry != nullptr && mCurrentName.Set(entry->d_name);
  mCurrentType = mHasCurrent ? entry->d_type : static_cast<unsigned char>(DT_UNKNOWN);
  return mHasCurrent;
}

void WDL_DirScan::ResolveBasePath() const
{
  char* resolved = realpath(mBasePath.GetLength() ? mBasePath.Get() : "/", nullptr);
  mResolvedBasePath.Set(resolved ? resolved : mBasePath.Get());
  std::free(resolved);
}

void WDL_DirScan::CloseDirectory()
{
  closedir(Dir(mHandle));
}

int WDL_DirScan::ClassifyCurrent() const
{
  if (mCurrentType == DT_DIR)
    return kDirectory;
  if (mCurrentType != DT_UNKNOWN && mCurrentType != DT_LNK)
    return kNotDirectory;

  WDL_String path;
  GetCurrentFullFN(&path);
  if (mCurrentType == DT_UNKNOWN)
    return OpensAsDirectory(path.Get()) ? kDirectory : kNotDirectory;

  char* resolved = realpath(path.Get(), nullptr);
  if (resolved == nullptr)
    return kNotDirectory;
  struct stat info;
  int kind = kNotDirectory;
  if (stat(resolved, &info) == 0 && S_ISDIR(info.st_mode))
    kind = IsBaseOrAncestor(resolved) ? kLinkToOwnAncestor : kLinkToDirectory;
  std::free(resolved);
  return kind;
}

} // namespace iplug
