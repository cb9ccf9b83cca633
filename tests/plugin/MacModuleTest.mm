// The macOS module as a host loads it: the bundle's files, then the executable's entry points in
// the order a host calls them (bundleEntry, GetPluginFactory, bundleExit).
#import <Foundation/Foundation.h>
#include <CoreFoundation/CoreFoundation.h>

#include <gtest/gtest.h>

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <dlfcn.h>

#include <cstring>
#include <string>

using namespace Steinberg;

namespace
{
using EntryProc = bool (*)(CFBundleRef);
using ExitProc = bool (*)();
using GetFactoryProc = IPluginFactory* (*)();

const std::string kBundle = BRIMVALE_BUNDLE_PATH;

// Loaded once and never unloaded: the Objective-C runtime keeps the module's classes for good.
struct Module
{
  Module()
  {
    handle = dlopen((kBundle + "/Contents/MacOS/Brimvale").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
      return;
    entry = reinterpret_cast<EntryProc>(dlsym(handle, "bundleEntry"));
    exit = reinterpret_cast<ExitProc>(dlsym(handle, "bundleExit"));
    getFactory = reinterpret_cast<GetFactoryProc>(dlsym(handle, "GetPluginFactory"));
  }

  void* handle = nullptr;
  EntryProc entry = nullptr;
  ExitProc exit = nullptr;
  GetFactoryProc getFactory = nullptr;
};

const Module& TheModule()
{
  static const Module module;
  return module;
}

// The bundle as the host has it: made from the bundle's folder, +1 for the caller.
CFBundleRef CreateBundle()
{
  CFURLRef url = CFURLCreateFromFileSystemRepresentation(
    kCFAllocatorDefault, reinterpret_cast<const UInt8*>(kBundle.c_str()), static_cast<CFIndex>(kBundle.size()), true);
  CFBundleRef bundle = CFBundleCreate(kCFAllocatorDefault, url);
  CFRelease(url);
  return bundle;
}

std::string ReadFile(const std::string& path)
{
  NSData* data = [NSData dataWithContentsOfFile:[NSString stringWithUTF8String:path.c_str()]];
  return data ? std::string(static_cast<const char*>([data bytes]), [data length]) : std::string();
}
} // namespace

class MacModule : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const Module& module = TheModule();
    ASSERT_TRUE(module.handle) << dlerror();
    ASSERT_TRUE(module.entry && module.exit && module.getFactory);
  }
};

TEST_F(MacModule, TheBundleHoldsWhatMacOSReadsBeforeLoadingIt)
{
  @autoreleasepool
  {
    NSDictionary* info = [NSDictionary
      dictionaryWithContentsOfFile:[NSString stringWithUTF8String:(kBundle + "/Contents/Info.plist").c_str()]];
    ASSERT_NE(info, nil) << "no readable Contents/Info.plist";
    const std::pair<NSString*, NSString*> keys[] = {
      {@"CFBundleIdentifier", @"com.quillfen.vst3.Brimvale"},
      {@"CFBundleExecutable", @"Brimvale"},
      {@"CFBundlePackageType", @"BNDL"},
      {@"CFBundleSignature", @"????"},
      {@"CFBundleShortVersionString", @"1.0.1"},
    };
    for (const auto& [key, value] : keys)
      EXPECT_TRUE([[info objectForKey:key] isEqual:value]) << [key UTF8String];

    EXPECT_EQ(ReadFile(kBundle + "/Contents/PkgInfo"), "BNDL????");

    const std::string font = ReadFile(kBundle + "/Contents/Resources/Roboto-Regular.ttf");
    ASSERT_GT(font.size(), 4u);
    EXPECT_EQ(font.compare(0, 4, std::string("\0\1\0\0", 4)), 0) << "not a TrueType font";
  }
}

TEST_F(MacModule, OnlyTheEntryPointsAreExported)
{
  for (const char* name : {"InitModule", "DeinitModule", "gPluginFactory", "CFRetain", "NSApplicationLoad"})
    EXPECT_EQ(dlsym(TheModule().handle, name), nullptr) << name;
}

TEST_F(MacModule, EntryFactoryAndExitInTheOrderOfAHost)
{
  @autoreleasepool
  {
    const Module& module = TheModule();
    CFBundleRef bundle = CreateBundle();
    ASSERT_TRUE(bundle);
    const CFIndex held = CFGetRetainCount(bundle);
    ASSERT_TRUE(module.entry(bundle));
    EXPECT_EQ(CFGetRetainCount(bundle), held + 1) << "the module keeps the bundle while it is entered";

    IPluginFactory* factory = module.getFactory();
    ASSERT_TRUE(factory);
    PFactoryInfo factoryInfo;
    EXPECT_EQ(factory->getFactoryInfo(&factoryInfo), kResultOk);
    EXPECT_STREQ(factoryInfo.vendor, "Quillfen");
    EXPECT_EQ(factoryInfo.flags, PFactoryInfo::kUnicode);
    ASSERT_EQ(factory->countClasses(), 1);
    PClassInfo classInfo;
    ASSERT_EQ(factory->getClassInfo(0, &classInfo), kResultOk);
    EXPECT_STREQ(classInfo.category, "Audio Module Class");
    EXPECT_STREQ(classInfo.name, "Brimvale");
    const unsigned char cid[16] = {0xF2, 0xAE, 0xE7, 0x0D, 0x00, 0xDE, 0x4F, 0x4E,
                                   0x50, 0x77, 0x6C, 0x6C, 0x42, 0x56, 0x6D, 0x31};
    EXPECT_EQ(std::memcmp(classInfo.cid, cid, sizeof(cid)), 0);

    // The one class is made and released as a host does it; its framework timer runs meanwhile.
    Vst::IComponent* component = nullptr;
    ASSERT_EQ(factory->createInstance(classInfo.cid, Vst::IComponent::iid, reinterpret_cast<void**>(&component)),
              kResultOk);
    ASSERT_TRUE(component);
    [[NSRunLoop mainRunLoop] runMode:NSDefaultRunLoopMode beforeDate:[NSDate dateWithTimeIntervalSinceNow:0.05]];
    EXPECT_EQ(component->release(), 0u);
    [[NSRunLoop mainRunLoop] runMode:NSDefaultRunLoopMode beforeDate:[NSDate dateWithTimeIntervalSinceNow:0.05]];

    IPluginFactory* again = module.getFactory();
    EXPECT_EQ(again, factory);
    EXPECT_EQ(again->release(), 1u) << "the second call adds one reference";
    EXPECT_EQ(factory->release(), 0u);

    EXPECT_TRUE(module.exit());
    EXPECT_EQ(CFGetRetainCount(bundle), held);
    CFRelease(bundle);
  }
}

TEST_F(MacModule, EveryEntryNeedsItsOwnExit)
{
  @autoreleasepool
  {
    const Module& module = TheModule();
    CFBundleRef bundle = CreateBundle();
    ASSERT_TRUE(bundle);
    const CFIndex held = CFGetRetainCount(bundle);
    ASSERT_TRUE(module.entry(bundle));
    ASSERT_TRUE(module.entry(bundle));
    EXPECT_EQ(CFGetRetainCount(bundle), held + 2);
    EXPECT_TRUE(module.exit());
    EXPECT_EQ(CFGetRetainCount(bundle), held + 2) << "released before the last exit";
    EXPECT_TRUE(module.exit());
    EXPECT_EQ(CFGetRetainCount(bundle), held);
    CFRelease(bundle);
  }
}

TEST_F(MacModule, AnExitWithoutEntryAnswersFalse)
{
  // An unmatched exit leaves the module's count below zero for good, so it runs in a process of
  // its own.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
    {
      if (!TheModule().exit)
        _exit(2);
      _exit(TheModule().exit() ? 1 : 0);
    },
    ::testing::ExitedWithCode(0), "");
}
