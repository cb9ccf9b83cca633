#pragma once

#include "iplug/wdl/WdlString.h"

namespace iplug
{

// Where a named resource was found; the graphics core picks its loader from this.
enum EResourceLocation
{
  kNotFound = 0,
  kAbsolutePath = 1,
  kWinBinary = 2,
  kPreloadedTexture = 3
};

// Finds a resource by file name or resource id. On Windows the module's own resources of the type
// are searched first, then the name as a path on disk; elsewhere only the disk. The bundle id and
// shared sub-path serve the macOS bundle search.
EResourceLocation LocateResource(const char* fileNameOrResID, const char* type, WDL_String& result,
                                 const char* bundleID, void* instance, const char* sharedResourcesSubPath);

#ifdef _WIN32
// The bytes of a named resource in the module (no copy: they live as long as the module), or
// null with size 0 when there is none worth reading.
const void* LoadWinResource(const char* resID, const char* type, int& sizeInBytes, void* hInstance);
#endif

} // namespace iplug
