// Resource lookup and the standard folders on macOS.
#include "iplug/IPlugPaths.h"

#import <AppKit/AppKit.h>

#include <cstring>
#include <strings.h>

namespace iplug
{
namespace
{
// These are called from C++ that may have no autorelease pool of its own.
class ScopedPool
{
public:
  ScopedPool() : mPool([[NSAutoreleasePool alloc] init]) {}
  ~ScopedPool() { [mPool drain]; }
  ScopedPool(const ScopedPool&) = delete;
  ScopedPool& operator=(const ScopedPool&) = delete;

private:
  NSAutoreleasePool* mPool;
};

NSString* ToNSString(const char* text)
{
  return text ? [NSString stringWithUTF8String:text] : nil;
}

// A missing path leaves the text as it was.
void SetPath(WDL_String& out, NSString* path)
{
  if (path)
    out.Set([path UTF8String]);
}

NSString* FirstSearchPath(NSSearchPathDirectory directory, NSSearchPathDomainMask domain)
{
  NSArray* paths = NSSearchPathForDirectoriesInDomains(directory, domain, YES);
  return [paths count] ? [paths objectAtIndex:0] : nil;
}

NSBundle* BundleWithID(const char* bundleID)
{
  NSString* identifier = ToNSString(bundleID);
  return identifier ? [NSBundle bundleWithIdentifier:identifier] : nil;
}

// An AUv3 keeps its resources in the framework that its app extension and its app share.
NSBundle* ResourceBundleWithID(const char* bundleID)
{
  NSString* identifier = ToNSString(bundleID);
  if (!identifier)
    return nil;
  if (IsAUv3AppExtensionBundleID(bundleID))
    identifier = [identifier stringByAppendingString:@"Framework"];
  return [NSBundle bundleWithIdentifier:identifier];
}

// A folder of that name is not the file asked for.
bool IsFile(NSString* path)
{
  BOOL isFolder = NO;
  return path && [[NSFileManager defaultManager] fileExistsAtPath:path isDirectory:&isFolder] && !isFolder;
}

// The name without its extension, when its extension is type ignoring case (both UTF-8 texts); nil
// otherwise.
NSString* BaseNameForType(const char* fileName, const char* type)
{
  if (!fileName || !ToNSString(type))
    return nil;
  const char* dot = strrchr(fileName, '.');
  if (strcasecmp(dot ? dot + 1 : fileName, type) != 0)
    return nil;
  if (!dot)
    return ToNSString(fileName);
  return [[[NSString alloc] initWithBytes:fileName
                                   length:static_cast<NSUInteger>(dot - fileName)
                                 encoding:NSUTF8StringEncoding] autorelease];
}

bool SetIfFile(WDL_String& result, NSString* candidate)
{
  return IsFile(candidate) && result.Set([candidate UTF8String]);
}
} // namespace

bool IsAUv3AppExtensionBundleID(const char* bundleID)
{
  return bundleID && strstr(bundleID, ".AUv3") != nullptr;
}

bool GetResourcePathFromBundle(const char* fileName, const char* type, WDL_String& result, const char* bundleID)
{
  ScopedPool pool;
  result.Set("");
  NSString* base = BaseNameForType(fileName, type);
  NSString* resources = [ResourceBundleWithID(bundleID) resourcePath];
  if (!base || !resources)
    return false;
  return SetIfFile(result, [NSString stringWithFormat:@"%@/%@.%@", resources, base, ToNSString(type)]);
}

bool GetResourcePathFromSharedLocation(const char* fileName, const char* type, WDL_String& result,
                                       const char* sharedResourcesSubPath)
{
  ScopedPool pool;
  result.Set("");
  NSString* base = BaseNameForType(fileName, type);
  NSString* music = FirstSearchPath(NSMusicDirectory, NSUserDomainMask);
  NSString* subPath = ToNSString(sharedResourcesSubPath);
  if (!base || !music || !subPath)
    return false;
  NSString* folder = [[music stringByAppendingPathComponent:subPath] stringByAppendingPathComponent:@"Resources"];
  NSString* file = [NSString stringWithFormat:@"%@.%@", [base lastPathComponent], ToNSString(type)];
  return SetIfFile(result, [folder stringByAppendingPathComponent:file]);
}

EResourceLocation LocateResource(const char* fileNameOrResID, const char* type, WDL_String& result,
                                 const char* bundleID, void* /*instance*/, const char* sharedResourcesSubPath)
{
  if (!fileNameOrResID || !*fileNameOrResID)
    return kNotFound;
  if (GetResourcePathFromBundle(fileNameOrResID, type, result, bundleID) ||
      GetResourcePathFromSharedLocation(fileNameOrResID, type, result, sharedResourcesSubPath))
    return kAbsolutePath;
  ScopedPool pool;
  if (IsFile(ToNSString(fileNameOrResID)) && result.Set(fileNameOrResID))
    return kAbsolutePath;
  return kNotFound;
}

void HostPath(WDL_String& path, const char* bundleID)
{
  ScopedPool pool;
  SetPath(path, [BundleWithID(bundleID) executablePath]);
}

void PluginPath(WDL_String& path, const char* bundleID)
{
  ScopedPool pool;
  NSString* bundlePath = [BundleWithID(bundleID) bundlePath];
  SetPath(path, bundlePath ? [[bundlePath stringByDeletingLastPathComponent] stringByAppendingString:@"/"] : nil);
}

void BundleResourcePath(WDL_String& path, const char* bundleID)
{
  ScopedPool pool;
  SetPath(path, [ResourceBundleWithID(bundleID) resourcePath]);
}

void DesktopPath(WDL_String& path)
{
  ScopedPool pool;
  SetPath(path, FirstSearchPath(NSDesktopDirectory, NSUserDomainMask));
}

void UserHomePath(WDL_String& path)
{
  ScopedPool pool;
  SetPath(path, NSHomeDirectory());
}

void VST3PresetsPath(WDL_String& path, const char* mfrName, const char* pluginName, bool isSystem)
{
  ScopedPool pool;
  NSString* library = FirstSearchPath(NSLibraryDirectory, isSystem ? NSLocalDomainMask : NSUserDomainMask);
  NSString* maker = ToNSString(mfrName);
  NSString* plugin = ToNSString(pluginName);
  if (library && maker && plugin)
    SetPath(path, [NSString stringWithFormat:@"%@/Audio/Presets/%@/%@/", library, maker, plugin]);
}

void INIPath(WDL_String& path, const char* pluginName)
{
  ScopedPool pool;
  NSString* support = FirstSearchPath(NSApplicationSupportDirectory, NSUserDomainMask);
  NSString* plugin = ToNSString(pluginName);
  if (support && plugin)
    SetPath(path, [NSString stringWithFormat:@"%@/%@", support, plugin]);
}

void AppSupportPath(WDL_String& path, bool isSystem)
{
  ScopedPool pool;
  SetPath(path, FirstSearchPath(NSApplicationSupportDirectory, isSystem ? NSSystemDomainMask : NSUserDomainMask));
}

void AppGroupContainerPath(WDL_String& path, const char* appGroupID)
{
  ScopedPool pool;
  NSString* group = ToNSString(appGroupID);
  if (group)
    SetPath(path, [[[NSFileManager defaultManager] containerURLForSecurityApplicationGroupIdentifier:group] path]);
}

void SharedMusicPath(WDL_String& path)
{
  ScopedPool pool;
  SetPath(path, FirstSearchPath(NSMusicDirectory, NSUserDomainMask));
}

bool AppIsSandboxed()
{
  ScopedPool pool;
  return [NSHomeDirectory() containsString:@"Library/Containers/"];
}

bool IsXPCAuHost()
{
  ScopedPool pool;
  return [[[NSProcessInfo processInfo] processName] containsString:@"XPC"];
}

bool IsOOPAuv3AppExtension()
{
  ScopedPool pool;
  return [[[NSBundle mainBundle] bundleIdentifier] containsString:@"AUv3"];
}

} // namespace iplug
