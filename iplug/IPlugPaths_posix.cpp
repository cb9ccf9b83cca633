#include "iplug/IPlugPaths.h"

#include <sys/stat.h>

namespace iplug
{

EResourceLocation LocateResource(const char* fileNameOrResID, const char* /*type*/, WDL_String& result,
                                 const char* /*bundleID*/, void* /*instance*/, const char* /*sharedResourcesSubPath*/)
{
  if (!fileNameOrResID || !*fileNameOrResID)
    return kNotFound;
  struct stat info;
  if (stat(fileNameOrResID, &info) != 0 || !S_ISREG(info.st_mode))
    return kNotFound;
  return result.Set(fileNameOrResID) ? kAbsolutePath : kNotFound;
}

} // namespace iplug
