// Resource lookup and the standard folders on macOS, against a plug-in bundle, an AUv3 framework
// and a shared resources folder laid out in a home directory of the test's own.
#import <AppKit/AppKit.h>
#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <ftw.h>
#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "iplug/IPlugPaths.h"

using namespace iplug;

// GNUstep takes the home directory from the user database and ignores HOME, and it reads its user
// defaults, its search paths and the music folder from there. This test process answers the user
// database with a fresh home for the current user, made on first use and removed at exit, so that
// nothing here reaches the real home.
namespace
{
const char* sHomeOverride = nullptr; // another home for a moment (a sandbox container's)

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
{
  return remove(path);
}

// Plain storage: the removal at exit runs after the destructors of later statics.
const char* TestHome()
{
  static char home[PATH_MAX];
  static const bool made = [] {
    const char* tmp = getenv("TMPDIR");
    snprintf(home, sizeof(home), "%s/brimvale-mac-home-XXXXXX", tmp && *tmp ? tmp : "/tmp");
    if (!mkdtemp(home))
      abort();
    atexit([] { nftw(home, RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); });
    return true;
  }();
  (void)made;
  return home;
}

void AnswerWithTestHome(struct passwd** found)
{
  if (*found && (*found)->pw_uid == geteuid())
    (*found)->pw_dir = const_cast<char*>(sHomeOverride ? sHomeOverride : TestHome());
}
} // namespace

extern "C" int getpwuid_r(uid_t uid, struct passwd* pwd, char* buf, size_t buflen, struct passwd** found)
{
  using Fn = int (*)(uid_t, struct passwd*, char*, size_t, struct passwd**);
  static const Fn next = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "getpwuid_r"));
  const int err = next(uid, pwd, buf, buflen, found);
  AnswerWithTestHome(found);
  return err;
}

extern "C" int getpwnam_r(const char* name, struct passwd* pwd, char* buf, size_t buflen, struct passwd** found)
{
  using Fn = int (*)(const char*, struct passwd*, char*, size_t, struct passwd**);
  static const Fn next = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "getpwnam_r"));
  const int err = next(name, pwd, buf, buflen, found);
  AnswerWithTestHome(found);
  return err;
}

namespace
{
constexpr char kPlugID[] = "com.quillfen.test.Foo";
constexpr char kAUv3ID[] = "com.quillfen.test.Bar.AUv3";

std::string Home()
{
  return TestHome();
}

std::string PlugInsFolder()
{
  return Home() + "/Library/Audio/Plug-Ins/VST3";
}

std::string PlugBundle()
{
  return PlugInsFolder() + "/Foo.vst3";
}

std::string PlugResources()
{
  return PlugBundle() + "/Contents/Resources";
}

std::string FrameworkBundle()
{
  return Home() + "/Applications/Bar.app/Contents/Frameworks/BarAU.framework";
}

std::string FrameworkResources()
{
  return FrameworkBundle() + "/Versions/A/Resources";
}

std::string SharedResources()
{
  return Home() + "/Music/Brimvale/Resources";
}

std::string Loose()
{
  return Home() + "/loose";
}

NSString* NS(const std::string& s)
{
  return [NSString stringWithUTF8String:s.c_str()];
}

void MakeFolder(const std::string& path)
{
  [[NSFileManager defaultManager] createDirectoryAtPath:NS(path)
                            withIntermediateDirectories:YES
                                             attributes:nil
                                                  error:nullptr];
}

void MakeFile(const std::string& path)
{
  MakeFolder([[NS(path) stringByDeletingLastPathComponent] UTF8String]);
  [[NSFileManager defaultManager] createFileAtPath:NS(path)
                                          contents:[NSData dataWithBytes:"x" length:1]
                                        attributes:nil];
}

void MakeLink(const std::string& path, const std::string& target)
{
  [[NSFileManager defaultManager] createSymbolicLinkAtPath:NS(path) withDestinationPath:NS(target) error:nullptr];
}

void WriteInfo(const std::string& path, const char* identifier, const char* executable)
{
  NSDictionary* info = [NSDictionary
    dictionaryWithObjectsAndKeys:[NSString stringWithUTF8String:identifier], @"CFBundleIdentifier",
                                 [NSString stringWithUTF8String:executable], @"CFBundleExecutable", nil];
  MakeFolder([[NS(path) stringByDeletingLastPathComponent] UTF8String]);
  [info writeToFile:NS(path) atomically:NO];
}

std::string Real(const std::string& path)
{
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? resolved : "";
}

CFBundleRef OpenBundle(const std::string& path)
{
  CFURLRef url = CFURLCreateFromFileSystemRepresentation(
    kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path.c_str()), static_cast<CFIndex>(path.size()), true);
  CFBundleRef bundle = CFBundleCreate(kCFAllocatorDefault, url);
  CFRelease(url);
  return bundle;
}
} // namespace

class MacPaths : public ::testing::Test
{
protected:
  // A host makes a bundle object for the plug-in before it loads it (CFBundleCreate); only then
  // does a search by identifier find it, on macOS and on GNUstep alike.
  //
  // The plug-in bundle has the macOS layout: Contents/Info.plist, Contents/MacOS/<executable> and
  // Contents/Resources. GNUstep knows no Contents folder: it reads a bundle's information from
  // Resources/Info-gnustep.plist (or Info.plist) and its executable beside Resources. So the
  // bundle also gets GNUstep's view of the same files, as links: Resources to Contents/Resources,
  // Info-gnustep.plist in it to Contents/Info.plist, the executable to Contents/MacOS's.
  //
  // An AUv3's framework has the macOS framework layout (Resources is a link into Versions), which
  // GNUstep reads as it stands.
  static void SetUpTestSuite()
  {
    @autoreleasepool
    {
      WriteInfo(PlugBundle() + "/Contents/Info.plist", kPlugID, "Foo");
      MakeFile(PlugBundle() + "/Contents/MacOS/Foo");
      for (const char* file : {"Roboto-Regular.ttf", "Both.ttf"})
        MakeFile(PlugResources() + "/" + file);
      MakeFolder(PlugResources() + "/Folder.ttf");
      MakeLink(PlugBundle() + "/Resources", "Contents/Resources");
      MakeLink(PlugResources() + "/Info-gnustep.plist", "../Info.plist");
      MakeLink(PlugBundle() + "/Foo", "Contents/MacOS/Foo");

      WriteInfo(FrameworkResources() + "/Info.plist", (std::string(kAUv3ID) + "Framework").c_str(), "BarAU");
      MakeFile(FrameworkResources() + "/Bar.png");
      MakeLink(FrameworkBundle() + "/Versions/Current", "A");
      MakeLink(FrameworkBundle() + "/Resources", "Versions/Current/Resources");

      for (const char* file : {"Shared.ttf", "Both.ttf"})
        MakeFile(SharedResources() + "/" + file);
      MakeFolder(SharedResources() + "/SharedFolder.ttf");
      MakeFile(Loose() + "/notes.txt");
      MakeFolder(Loose() + "/folder.ttf");

      sPlug = OpenBundle(PlugBundle());
      sFramework = OpenBundle(FrameworkBundle());
    }
  }

  static void TearDownTestSuite()
  {
    @autoreleasepool
    {
      CFRelease(sPlug);
      CFRelease(sFramework);
    }
  }

  void SetUp() override
  {
    @autoreleasepool
    {
      ASSERT_NE([NSBundle bundleWithIdentifier:@"com.quillfen.test.Foo"], nil) << "GNUstep does not know the bundle";
      ASSERT_NE([NSBundle bundleWithIdentifier:@"com.quillfen.test.Bar.AUv3Framework"], nil);
    }
  }

  static CFBundleRef sPlug;
  static CFBundleRef sFramework;
};

CFBundleRef MacPaths::sPlug = nullptr;
CFBundleRef MacPaths::sFramework = nullptr;

TEST_F(MacPaths, LocateResourceSearchesTheBundleThenTheSharedFolderThenTheNameAsAPath)
{
  @autoreleasepool
  {
    struct Case
    {
      std::string name;
      const char* type;
      const char* bundleID;
      const char* subPath;
      EResourceLocation location;
      std::string file; // what was found, empty when nothing is
    };
    const Case cases[] = {
      {"Roboto-Regular.ttf", "ttf", kPlugID, "Brimvale", kAbsolutePath, PlugResources() + "/Roboto-Regular.ttf"},
      // The extension is compared ignoring case, and the file looked for carries the type as given.
      {"Roboto-Regular.TTF", "ttf", kPlugID, "Brimvale", kAbsolutePath, PlugResources() + "/Roboto-Regular.ttf"},
      // Without a '.', the whole name is taken for the extension.
      {"Roboto-Regular", "ttf", kPlugID, "Brimvale", kNotFound, ""},
      // Another extension than the type is not looked for in the bundle or the shared folder.
      {"Roboto-Regular.png", "ttf", kPlugID, "Brimvale", kNotFound, ""},
      {"Shared.png", "ttf", kPlugID, "Brimvale", kNotFound, ""},
      // ... but found as a path.
      {Loose() + "/notes.txt", "ttf", kPlugID, "Brimvale", kAbsolutePath, Loose() + "/notes.txt"},
      {"missing.ttf", "ttf", kPlugID, "Brimvale", kNotFound, ""},
      {"Roboto-Regular.ttf", "ttf", "com.quillfen.test.NoSuchBundle", "Brimvale", kNotFound, ""},
      {"Roboto-Regular.ttf", "ttf", nullptr, "Brimvale", kNotFound, ""},
      {"Roboto-Regular.ttf", nullptr, kPlugID, "Brimvale", kNotFound, ""},
      // A folder is not a file.
      {"Folder.ttf", "ttf", kPlugID, "Brimvale", kNotFound, ""},
      {"SharedFolder.ttf", "ttf", kPlugID, "Brimvale", kNotFound, ""},
      {Loose() + "/folder.ttf", "ttf", kPlugID, "Brimvale", kNotFound, ""},
      // The shared folder: music folder / sub-path / Resources / the last path component.
      {"Shared.ttf", "ttf", kPlugID, "Brimvale", kAbsolutePath, SharedResources() + "/Shared.ttf"},
      {"skins/Shared.ttf", "ttf", nullptr, "Brimvale", kAbsolutePath, SharedResources() + "/Shared.ttf"},
      {"Shared.ttf", "ttf", kPlugID, "Other", kNotFound, ""},
      {"Shared.ttf", "ttf", kPlugID, nullptr, kNotFound, ""},
      {"Both.ttf", "ttf", kPlugID, "Brimvale", kAbsolutePath, PlugResources() + "/Both.ttf"},
      // An AUv3 identifier looks in its framework.
      {"Bar.png", "png", kAUv3ID, "Brimvale", kAbsolutePath, FrameworkResources() + "/Bar.png"},
      {"", "ttf", kPlugID, "Brimvale", kNotFound, ""},
    };
    for (const Case& c : cases)
    {
      WDL_String result;
      EXPECT_EQ(LocateResource(c.name.c_str(), c.type, result, c.bundleID, nullptr, c.subPath), c.location) << c.name;
      if (c.file.empty())
        EXPECT_STREQ(result.Get(), "") << c.name;
      else
        EXPECT_EQ(Real(result.Get()), Real(c.file)) << c.name << " gave " << result.Get();
    }
    WDL_String result;
    EXPECT_EQ(LocateResource(nullptr, "ttf", result, kPlugID, nullptr, "Brimvale"), kNotFound);
  }
}

TEST_F(MacPaths, EachSearchAnswersForItselfAndEmptiesTheResultWhenItFindsNothing)
{
  @autoreleasepool
  {
    WDL_String result("stale");
    EXPECT_FALSE(GetResourcePathFromBundle("Shared.ttf", "ttf", result, kPlugID));
    EXPECT_STREQ(result.Get(), "");
    EXPECT_TRUE(GetResourcePathFromSharedLocation("Shared.ttf", "ttf", result, "Brimvale"));
    EXPECT_EQ(Real(result.Get()), Real(SharedResources() + "/Shared.ttf"));
    EXPECT_FALSE(GetResourcePathFromSharedLocation("Roboto-Regular.ttf", "ttf", result, "Brimvale"));
    EXPECT_STREQ(result.Get(), "");
    EXPECT_TRUE(GetResourcePathFromBundle("Roboto-Regular.ttf", "ttf", result, kPlugID));
    EXPECT_EQ(Real(result.Get()), Real(PlugResources() + "/Roboto-Regular.ttf"));
  }
}

namespace
{
std::string Folder(NSSearchPathDirectory directory, NSSearchPathDomainMask domain)
{
  return [[NSSearchPathForDirectoriesInDomains(directory, domain, YES) objectAtIndex:0] UTF8String];
}

bool InHome(const std::string& path)
{
  return path.compare(0, Home().size() + 1, Home() + "/") == 0;
}
} // namespace

TEST_F(MacPaths, StandardFolders)
{
  @autoreleasepool
  {
    struct Case
    {
      const char* what;
      std::function<void(WDL_String&)> get;
      std::string expected;
      bool isUsers;
    };
    const std::string userSupport = Folder(NSApplicationSupportDirectory, NSUserDomainMask);
    const Case cases[] = {
      {"desktop", DesktopPath, Home() + "/Desktop", true},
      {"home", UserHomePath, Home(), false},
      {"music", SharedMusicPath, Home() + "/Music", true},
      {"user presets", [](WDL_String& p) { VST3PresetsPath(p, "Quillfen", "Brimvale", false); },
       Folder(NSLibraryDirectory, NSUserDomainMask) + "/Audio/Presets/Quillfen/Brimvale/", true},
      {"system presets", [](WDL_String& p) { VST3PresetsPath(p, "Quillfen", "Brimvale", true); },
       Folder(NSLibraryDirectory, NSLocalDomainMask) + "/Audio/Presets/Quillfen/Brimvale/", false},
      {"settings", [](WDL_String& p) { INIPath(p, "Brimvale"); }, userSupport + "/Brimvale", true},
      {"user support", [](WDL_String& p) { AppSupportPath(p, false); }, userSupport, true},
      {"system support", [](WDL_String& p) { AppSupportPath(p, true); },
       Folder(NSApplicationSupportDirectory, NSSystemDomainMask), false},
      {"app group", [](WDL_String& p) { AppGroupContainerPath(p, "group.com.quillfen.Brimvale"); },
       Home() + "/Library/Group Containers/group.com.quillfen.Brimvale", true},
      {"plug-in folder", [](WDL_String& p) { PluginPath(p, kPlugID); }, PlugInsFolder() + "/", true},
    };
    for (const Case& c : cases)
    {
      WDL_String path;
      c.get(path);
      EXPECT_EQ(path.Get(), c.expected) << c.what;
      EXPECT_EQ(InHome(path.Get()), c.isUsers) << c.what << ": " << path.Get();
    }
  }
}

TEST_F(MacPaths, BundleFoldersAreTheBundlesOwn)
{
  @autoreleasepool
  {
    struct Case
    {
      const char* what;
      std::function<void(WDL_String&)> get;
      std::string expected;
    };
    const Case cases[] = {
      {"host", [](WDL_String& p) { HostPath(p, kPlugID); }, PlugBundle() + "/Contents/MacOS/Foo"},
      {"resources", [](WDL_String& p) { BundleResourcePath(p, kPlugID); }, PlugResources()},
      {"AUv3 resources", [](WDL_String& p) { BundleResourcePath(p, kAUv3ID); }, FrameworkResources()},
    };
    for (const Case& c : cases)
    {
      WDL_String path;
      c.get(path);
      EXPECT_EQ(Real(path.Get()), Real(c.expected)) << c.what << " gave " << path.Get();
    }
  }
}

TEST_F(MacPaths, APathThatDoesNotExistLeavesTheTextAsItWas)
{
  @autoreleasepool
  {
    const std::pair<const char*, std::function<void(WDL_String&)>> cases[] = {
      {"host of no bundle", [](WDL_String& p) { HostPath(p, "com.quillfen.test.NoSuchBundle"); }},
      {"host without id", [](WDL_String& p) { HostPath(p, nullptr); }},
      {"plug-in folder of no bundle", [](WDL_String& p) { PluginPath(p, "com.quillfen.test.NoSuchBundle"); }},
      {"resources of no bundle", [](WDL_String& p) { BundleResourcePath(p, "com.quillfen.test.NoSuchBundle"); }},
      {"presets without maker", [](WDL_String& p) { VST3PresetsPath(p, nullptr, "Brimvale", false); }},
      {"presets without plug-in", [](WDL_String& p) { VST3PresetsPath(p, "Quillfen", nullptr, false); }},
      {"settings without plug-in", [](WDL_String& p) { INIPath(p, nullptr); }},
      {"group without id", [](WDL_String& p) { AppGroupContainerPath(p, nullptr); }},
      {"group with an empty id", [](WDL_String& p) { AppGroupContainerPath(p, ""); }},
    };
    for (const auto& [what, get] : cases)
    {
      WDL_String path("untouched");
      get(path);
      EXPECT_STREQ(path.Get(), "untouched") << what;
    }
  }
}

TEST(MacPathTests, AUv3IdentifiersContainDotAUv3)
{
  const std::pair<const char*, bool> cases[] = {
    {"com.quillfen.Brimvale.AUv3", true},
    {"com.quillfen.AUv3Brimvale", true},
    {"com.quillfen.vst3.Brimvale", false},
    {"com.quillfen.BrimvaleAUv3", false},
    {"com.quillfen.Brimvale.auv3", false},
    {"", false},
    {nullptr, false},
  };
  for (const auto& [id, expected] : cases)
    EXPECT_EQ(IsAUv3AppExtensionBundleID(id), expected) << (id ? id : "(null)");
}

TEST(MacPathTests, ASandboxedAppLivesInAContainer)
{
  @autoreleasepool
  {
    const std::string containers = Home() + "/Library/Containers";
    const std::pair<std::string, bool> cases[] = {
      {Home(), false},
      {containers + "/com.quillfen.test.Host/Data", true},
      {containers, false},
    };
    for (const auto& [home, expected] : cases)
    {
      sHomeOverride = home.c_str();
      EXPECT_EQ(AppIsSandboxed(), expected) << home;
    }
    sHomeOverride = nullptr;
  }
}

TEST(MacPathTests, AnXPCHostIsKnownByItsProcessName)
{
  @autoreleasepool
  {
    NSProcessInfo* process = [NSProcessInfo processInfo];
    NSString* ownName = [[[process processName] copy] autorelease];
    const std::pair<NSString*, bool> cases[] = {
      {@"AUHostingServiceXPC_arrow", true},
      {@"com.apple.audio.XPCService", true},
      {@"Logic Pro", false},
      {ownName, false},
    };
    for (const auto& [name, expected] : cases)
    {
      [process setProcessName:name];
      EXPECT_EQ(IsXPCAuHost(), expected) << [name UTF8String];
    }
    [process setProcessName:ownName];
  }
}

TEST(MacPathTests, AMainBundleWithoutIdentifierIsNoAUv3Extension)
{
  @autoreleasepool
  {
    ASSERT_EQ([[NSBundle mainBundle] bundleIdentifier], nil);
    EXPECT_FALSE(IsOOPAuv3AppExtension());
  }
}
