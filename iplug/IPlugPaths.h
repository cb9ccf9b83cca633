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

#if defined(BRIMVALE_MACOS)
// The two searches of LocateResource. Each takes the name only when its extension (the text after
// its last '.', or the whole name without one) is type ignoring case, and looks for the name
// without extension followed by "." and type; result is the path found, or empty.

/** In the resources of the bundle with bundleID; an ".AUv3" identifier means its "Framework" bundle. */
bool GetResourcePathFromBundle(const char* fileName, const char* type, WDL_String& result, const char* bundleID);
/** In Resources of the sub-path of the user's music folder, under the last path component of the name. */
bool GetResourcePathFromSharedLocation(const char* fileName, const char* type, WDL_String& result,
                                       const char* sharedResourcesSubPath);

// Standard folders. Each writes the path; when there is none (no bundle with that identifier, no
// such folder, no name given) the path is left as it was.

/** The executable of the bundle with bundleID. */
void HostPath(WDL_String& path, const char* bundleID);
/** The folder that holds the bundle with bundleID, followed by "/". */
void PluginPath(WDL_String& path, const char* bundleID);
/** The resources folder of the bundle with bundleID (".AUv3": its "Framework" bundle). */
void BundleResourcePath(WDL_String& path, const char* bundleID);
void DesktopPath(WDL_String& path);
void UserHomePath(WDL_String& path);
/** Library/Audio/Presets/<maker>/<plug-in>/ of the local domain (isSystem) or the user's. */
void VST3PresetsPath(WDL_String& path, const char* mfrName, const char* pluginName, bool isSystem);
/** The user's application-support folder followed by "/" and the plug-in name. */
void INIPath(WDL_String& path, const char* pluginName);
/** The application-support folder of the system domain (isSystem) or the user's. */
void AppSupportPath(WDL_String& path, bool isSystem);
/** The shared container of the security application group. */
void AppGroupContainerPath(WDL_String& path, const char* appGroupID);
/** The user's music folder. */
void SharedMusicPath(WDL_String& path);

/** Whether the identifier is an AUv3 one (contains ".AUv3"). */
bool IsAUv3AppExtensionBundleID(const char* bundleID);
/** Whether the home directory is a sandbox container's. */
bool AppIsSandboxed();
/** Whether this process is an out-of-process audio-unit host (its name contains "XPC"). */
bool IsXPCAuHost();
/** Whether the main bundle is an AUv3 app extension (its identifier contains "AUv3"). */
bool IsOOPAuv3AppExtension();
#endif

#ifdef _WIN32
// The bytes of a named resource in the module (no copy: they live as long as the module), or
// null with size 0 when there is none worth reading.
const void* LoadWinResource(const char* resID, const char* type, int& sizeInBytes, void* hInstance);
#endif

} // namespace iplug
