// CoreText fonts of the macOS editor: files, bundle resources, memory and installed families, the
// descriptor cache of the native text field, and no Core Foundation object left behind on any path.
#import <Foundation/Foundation.h>

#import <AppKit/AppKit.h>
#include <CoreText/CoreText.h>
#include <gtest/gtest.h>

#include "StandIns/CoreText.h"
#include "StandIns/RunLoop.h"
#include "igraphics/drawing/IGraphicsNanoVG.h"
#include "igraphics/platforms/CoreTextHelpers.h"
#include "igraphics/platforms/IGraphicsMac.h"
#include "tests/igraphics/FakeEditorDelegate.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using namespace iplug::igraphics;

namespace
{
std::vector<uint8_t> ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
  std::ofstream(path, std::ios::binary)
    .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

uint32_t BE(const std::vector<uint8_t>& b, size_t at, int n)
{
  uint32_t v = 0;
  for (int i = 0; i < n; ++i)
    v = v << 8 | b[at + size_t(i)];
  return v;
}

void PutBE(std::vector<uint8_t>& b, size_t at, uint32_t v, int n)
{
  for (int i = n - 1; i >= 0; --i, v >>= 8)
    b[at + size_t(i)] = uint8_t(v);
}

/** The offset of a table of a single-face font file. */
uint32_t TableOffset(const std::vector<uint8_t>& font, const char* tag)
{
  for (uint32_t i = 0, n = BE(font, 4, 2); i < n; ++i)
    if (std::string(font.begin() + 12 + 16 * i, font.begin() + 16 + 16 * i) == tag)
      return BE(font, 12 + 16 * i + 8, 4);
  return 0;
}

/** A two-face collection over a single-face font: face 0 is the font as it is, face 1 the same
 * tables with a name table of its own that calls it family "Roboto", style "Bold". */
std::vector<uint8_t> MakeCollection(const std::vector<uint8_t>& font)
{
  const uint32_t numTables = BE(font, 4, 2);
  const uint32_t directory = 12 + 16 * numTables;
  const uint32_t base = (20 + 2 * directory + 3) & ~3u;
  const uint32_t nameTable = (base + uint32_t(font.size()) + 3) & ~3u;
  const std::u16string family = u"Roboto", style = u"Bold";
  std::vector<uint8_t> ttc(nameTable + 30 + 2 * (family.size() + style.size()), 0);
  std::copy(font.begin(), font.end(), ttc.begin() + base);
  std::copy_n("ttcf", 4, ttc.begin());
  PutBE(ttc, 4, 0x00010000, 4);
  PutBE(ttc, 8, 2, 4);
  for (uint32_t face = 0; face < 2; ++face)
  {
    const uint32_t at = 20 + face * directory;
    PutBE(ttc, 12 + 4 * face, at, 4);
    std::copy_n(font.begin(), directory, ttc.begin() + at);
    for (uint32_t i = 0; i < numTables; ++i)
    {
      const uint32_t record = at + 12 + 16 * i;
      const bool name = std::string(ttc.begin() + record, ttc.begin() + record + 4) == "name";
      PutBE(ttc, record + 8, face && name ? nameTable : BE(ttc, record + 8, 4) + base, 4);
      if (face && name)
        PutBE(ttc, record + 12, uint32_t(ttc.size() - nameTable), 4);
    }
  }
  // Format 0, two Windows US-English records, then their UTF-16BE strings.
  PutBE(ttc, nameTable + 2, 2, 2);
  PutBE(ttc, nameTable + 4, 30, 2);
  const std::u16string* texts[] = {&family, &style};
  uint32_t text = 0;
  for (uint32_t i = 0; i < 2; ++i)
  {
    const uint32_t record = nameTable + 6 + 12 * i;
    const uint32_t values[] = {3, 1, 0x409, i + 1, uint32_t(2 * texts[i]->size()), text};
    for (int v = 0; v < 6; ++v)
      PutBE(ttc, record + 2 * uint32_t(v), values[v], 2);
    for (char16_t c : *texts[i])
    {
      PutBE(ttc, nameTable + 30 + text, c, 2);
      text += 2;
    }
  }
  return ttc;
}

std::string FontFolder()
{
  const std::string file = BRIMVALE_FONT_FILE;
  return file.substr(0, file.rfind('/') + 1);
}

std::string DescriptorString(FontDescriptor descriptor, CFStringRef attribute)
{
  CFLocal<CFTypeRef> value(CTFontDescriptorCopyAttribute(static_cast<CTFontDescriptorRef>(descriptor), attribute));
  if (!value)
    return "(none)";
  NSString* text = [(id)value.Get() isKindOfClass:[NSURL class]] ? [(NSURL*)value.Get() path] : (NSString*)value.Get();
  return [text UTF8String];
}

/** Everything GNUstep has alive, CF objects included, and the font objects of the stand-ins. */
struct Census
{
  long objects = 0;
  long fontObjects = 0;

  static Census Take()
  {
    Census census;
    census.fontObjects = StandInLiveFontObjects();
    for (Class* c = GSDebugAllocationClassList(); c && *c; ++c)
      census.objects += GSDebugAllocationCount(*c);
    return census;
  }
};

/** Runs op twice, each in a pool of its own: the second run (past first-use caches) must leave as
 * many objects alive as there were before it. */
void ExpectNoLeaks(const std::function<void()>& op)
{
  @autoreleasepool
  {
    op();
  }
  const Census before = Census::Take();
  @autoreleasepool
  {
    op();
  }
  const Census after = Census::Take();
  EXPECT_EQ(after.fontObjects, before.fontObjects);
  EXPECT_EQ(after.objects, before.objects);
}

class MacFontsTest : public ::testing::Test
{
protected:
  static void SetUpTestSuite() { GSDebugAllocationActive(YES); }

  void SetUp() override
  {
    mPool = [[NSAutoreleasePool alloc] init];
    char folder[] = "/tmp/MacFontsTest.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    mFolder = folder;
    StandInClearSystemFonts();
    mFontBytes = ReadFile(BRIMVALE_FONT_FILE);
    ASSERT_GT(mFontBytes.size(), 1000u);
  }

  void TearDown() override
  {
    StandInClearSystemFonts();
    [[NSFileManager defaultManager] removeItemAtPath:[NSString stringWithUTF8String:mFolder.c_str()] error:nullptr];
    [mBundle release];
    [mPool drain];
  }

  std::string Path(const char* name) const { return mFolder + "/" + name; }

  /** A bundle in GNUstep's layout with the font (and an .otf copy) among its resources; GNUstep
   * knows a bundle by its identifier once it has been opened. */
  bool MakeBundle(const char* identifier)
  {
    const std::string bundle = Path("Fonts.bundle");
    NSString* resources = [NSString stringWithUTF8String:(bundle + "/Resources").c_str()];
    NSDictionary* info = @{@"CFBundleIdentifier" : [NSString stringWithUTF8String:identifier]};
    if (![[NSFileManager defaultManager] createDirectoryAtPath:resources
                                   withIntermediateDirectories:YES
                                                    attributes:nil
                                                         error:nullptr] ||
        ![info writeToFile:[resources stringByAppendingPathComponent:@"Info-gnustep.plist"] atomically:YES])
      return false;
    WriteFile(bundle + "/Resources/Roboto-Regular.ttf", mFontBytes);
    WriteFile(bundle + "/Resources/Roboto-Regular.otf", mFontBytes);
    mBundle = [[NSBundle alloc] initWithPath:[NSString stringWithUTF8String:bundle.c_str()]];
    return [NSBundle bundleWithIdentifier:[NSString stringWithUTF8String:identifier]] != nil;
  }

  /** unitsPerEm / (ascender - descender) read straight from the font's 'head' and 'hhea'. */
  double RobotoEMRatio() const
  {
    const uint32_t head = TableOffset(mFontBytes, "head"), hhea = TableOffset(mFontBytes, "hhea");
    const double ascender = int16_t(BE(mFontBytes, hhea + 4, 2)), descender = int16_t(BE(mFontBytes, hhea + 6, 2));
    return BE(mFontBytes, head + 18, 2) / (ascender - descender);
  }

  NSAutoreleasePool* mPool = nil; // the test's own, around its body
  NSBundle* mBundle = nil;
  std::string mFolder;
  std::vector<uint8_t> mFontBytes;
};

TEST_F(MacFontsTest, FileFontByAbsolutePathHoldsTheWholeFile)
{
  ExpectNoLeaks([&] {
    PlatformFontPtr font = CoreTextHelpers::LoadPlatformFont("Roboto", BRIMVALE_FONT_FILE, "", "");
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->IsSystem());
    EXPECT_EQ(DescriptorString(font->GetDescriptor(), kCTFontFamilyNameAttribute), "Roboto");
    IFontDataPtr data = font->GetFontData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(data->Get(), data->Get() + data->GetSize()), mFontBytes);
    EXPECT_EQ(data->GetFaceIdx(), 0);
    EXPECT_TRUE(data->IsValid());
    EXPECT_STREQ(data->GetFamily().Get(), "Roboto");
  });
}

TEST_F(MacFontsTest, FileFontThatCannotBeOpenedGivesNoFont)
{
  WriteFile(Path("text.ttf"), {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'});
  WriteFile(Path("empty.ttf"), {});
  WriteFile(Path("cut.ttf"), std::vector<uint8_t>(mFontBytes.begin(), mFontBytes.begin() + 200));
  ASSERT_TRUE([[NSFileManager defaultManager]
          createDirectoryAtPath:[NSString stringWithUTF8String:Path("dir.ttf").c_str()]
    withIntermediateDirectories:NO
                     attributes:nil
                          error:nullptr]);
  const std::string cases[] = {Path("missing.ttf"), Path("text.ttf"), Path("empty.ttf"),
                               Path("cut.ttf"),     Path("dir.ttf"),  ""};
  for (const std::string& path : cases)
  {
    SCOPED_TRACE(path);
    ExpectNoLeaks([&] { EXPECT_EQ(CoreTextHelpers::LoadPlatformFont("f", path.c_str(), "", ""), nullptr); });
  }
  ExpectNoLeaks([] { EXPECT_EQ(CoreTextHelpers::LoadPlatformFont("f", nullptr, "", ""), nullptr); });
}

TEST_F(MacFontsTest, BundleResourceIsFoundByNameOnlyAsTtf)
{
  ASSERT_TRUE(MakeBundle("com.quillfen.tests.MacFonts.resources"));
  const struct
  {
    const char* name;
    bool found;
  } cases[] = {
    {"Roboto-Regular.ttf", true}, {"Roboto-Regular.TTF", true}, {"Roboto-Regular.otf", false},
    {"Roboto-Regular", false},    {"Roboto-Bold.ttf", false},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.name);
    ExpectNoLeaks([&] {
      PlatformFontPtr font = CoreTextHelpers::LoadPlatformFont("f", c.name, "com.quillfen.tests.MacFonts.resources",
                                                               "Brimvale");
      ASSERT_EQ(font != nullptr, c.found);
      if (font)
        EXPECT_EQ(font->GetFontData()->GetSize(), int(mFontBytes.size()));
    });
  }
}

TEST_F(MacFontsTest, EditorLoadsFromItsBundleAndKeepsDescriptorsWhileItLives)
{
  const char* const bundleID = "com.quillfen.tests.MacFonts.editor";
  ASSERT_TRUE(MakeBundle(bundleID));
  StandInInstallSystemFont("Roboto", "Regular", BRIMVALE_FONT_FILE);
  ExpectNoLeaks([&] {
    EventLog log;
    FakeEditorDelegate delegate(log, 0);
    auto graphics = std::make_unique<IGraphicsMac>(delegate, 300, 200, 60, 1.f);
    EXPECT_EQ(graphics->LoadPlatformFont("f", "Roboto-Regular.ttf"), nullptr);
    graphics->SetBundleID(bundleID);
    PlatformFontPtr resource = graphics->LoadPlatformFont("resource", "Roboto-Regular.ttf");
    PlatformFontPtr memory = graphics->LoadPlatformFont("memory", mFontBytes.data(), int(mFontBytes.size()));
    PlatformFontPtr system = graphics->LoadPlatformFont("system", "Roboto", ETextStyle::Normal);
    ASSERT_NE(resource, nullptr);
    ASSERT_NE(memory, nullptr);
    ASSERT_NE(system, nullptr);
    EXPECT_TRUE(system->IsSystem());
    graphics->CachePlatformFont("resource", resource);
    graphics->CachePlatformFont("system", system);
    {
      StaticStorage<CoreTextFontDescriptor>::Accessor cache(FontDescriptorCache());
      EXPECT_EQ(cache.Size(), 2);
      ASSERT_NE(cache.Find("system"), nullptr);
      EXPECT_EQ(static_cast<const void*>(cache.Find("system")->mDescriptor), system->GetDescriptor());
    }
    graphics.reset();
    EXPECT_EQ(StaticStorage<CoreTextFontDescriptor>::Accessor(FontDescriptorCache()).Size(), 0);
  });
}

TEST_F(MacFontsTest, MemoryFontKeepsACopyOfTheBytes)
{
  ExpectNoLeaks([&] {
    auto* bytes = new uint8_t[mFontBytes.size()];
    std::copy(mFontBytes.begin(), mFontBytes.end(), bytes);
    PlatformFontPtr font = CoreTextHelpers::LoadPlatformFont("mem", bytes, int(mFontBytes.size()));
    std::fill_n(bytes, mFontBytes.size(), uint8_t(0xee));
    delete[] bytes;
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(font->IsSystem());
    IFontDataPtr data = font->GetFontData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(data->Get(), data->Get() + data->GetSize()), mFontBytes);
    EXPECT_EQ(data->GetFaceIdx(), 0);
  });
}

TEST_F(MacFontsTest, MemoryThatIsNoFontGivesNoFont)
{
  std::vector<uint8_t> garbage(4096, 0x5a);
  const struct
  {
    const char* what;
    void* data;
    int size;
  } cases[] = {
    {"null", nullptr, 100},
    {"empty", mFontBytes.data(), 0},
    {"negative size", mFontBytes.data(), -1},
    {"garbage", garbage.data(), int(garbage.size())},
    {"header only", mFontBytes.data(), 12},
    {"cut directory", mFontBytes.data(), 100},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.what);
    ExpectNoLeaks([&] { EXPECT_EQ(CoreTextHelpers::LoadPlatformFont("mem", c.data, c.size), nullptr); });
  }
}

TEST_F(MacFontsTest, SystemFontIsTheInstalledFaceOfFamilyAndStyle)
{
  const std::string regular = FontFolder() + "Roboto-Regular.ttf", bold = FontFolder() + "Roboto-Bold.ttf";
  StandInInstallSystemFont("Roboto", "Regular", regular.c_str());
  StandInInstallSystemFont("Roboto", "Bold", bold.c_str());
  StandInInstallSystemFont("Plain", "Regular", regular.c_str());
  const struct
  {
    const char* family;
    ETextStyle style;
    const char* path; // null: no font
    const char* styleName;
  } cases[] = {
    {"Roboto", ETextStyle::Normal, regular.c_str(), "Regular"},
    {"Roboto", ETextStyle::Bold, bold.c_str(), "Bold"},
    {"Roboto", ETextStyle::Italic, nullptr, nullptr},
    {"Plain", ETextStyle::Normal, regular.c_str(), "Regular"},
    {"Plain", ETextStyle::Italic, nullptr, nullptr},
    {"Plain", ETextStyle::Bold, nullptr, nullptr},
    {"Missing", ETextStyle::Normal, nullptr, nullptr},
    {nullptr, ETextStyle::Normal, nullptr, nullptr},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(std::string(c.family ? c.family : "(null)") + " " + std::to_string(int(c.style)));
    ExpectNoLeaks([&] {
      PlatformFontPtr font = CoreTextHelpers::LoadPlatformFont("sys", c.family, c.style);
      ASSERT_EQ(font != nullptr, c.path != nullptr);
      if (!font)
        return;
      EXPECT_TRUE(font->IsSystem());
      EXPECT_EQ(DescriptorString(font->GetDescriptor(), kCTFontURLAttribute), c.path);
      IFontDataPtr data = font->GetFontData();
      ASSERT_NE(data, nullptr);
      EXPECT_EQ(data->GetFaceIdx(), 0);
      EXPECT_STREQ(data->GetStyle().Get(), c.styleName);
      EXPECT_EQ(data->GetSize(), int(ReadFile(c.path).size()));
    });
  }
}

TEST_F(MacFontsTest, SystemFontTakesTheFirstMatchWithAReadableFile)
{
  WriteFile(Path("broken.ttf"), {1, 2, 3});
  StandInInstallSystemFont("Roboto", "Regular", Path("missing.ttf").c_str());
  StandInInstallSystemFont("Roboto", "Regular", mFolder.c_str());
  StandInInstallSystemFont("Roboto", "Regular", BRIMVALE_FONT_FILE);
  StandInInstallSystemFont("Roboto", "Regular", Path("broken.ttf").c_str());
  ExpectNoLeaks([&] {
    PlatformFontPtr font = CoreTextHelpers::LoadPlatformFont("sys", "Roboto", ETextStyle::Normal);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(DescriptorString(font->GetDescriptor(), kCTFontURLAttribute), BRIMVALE_FONT_FILE);
  });

  StandInClearSystemFonts();
  StandInInstallSystemFont("Roboto", "Regular", Path("missing.ttf").c_str());
  ExpectNoLeaks([] { EXPECT_EQ(CoreTextHelpers::LoadPlatformFont("sys", "Roboto", ETextStyle::Normal), nullptr); });
}

TEST_F(MacFontsTest, SystemFontInACollectionUsesTheFaceOfItsStyle)
{
  const std::vector<uint8_t> collection = MakeCollection(mFontBytes);
  WriteFile(Path("Duo.ttc"), collection);
  for (const char* style : {"Regular", "Bold", "Italic"})
    StandInInstallSystemFont("Duo", style, Path("Duo.ttc").c_str());
  const struct
  {
    ETextStyle style;
    int face;
  } cases[] = {{ETextStyle::Normal, 0}, {ETextStyle::Bold, 1}, {ETextStyle::Italic, -1}};
  for (const auto& c : cases)
  {
    SCOPED_TRACE(int(c.style));
    ExpectNoLeaks([&] {
      PlatformFontPtr font = CoreTextHelpers::LoadPlatformFont("duo", "Duo", c.style);
      ASSERT_NE(font, nullptr);
      IFontDataPtr data = font->GetFontData();
      ASSERT_NE(data, nullptr);
      EXPECT_EQ(data->GetFaceIdx(), c.face);
      EXPECT_EQ(data->GetSize(), int(collection.size()));
    });
  }
}

TEST_F(MacFontsTest, CacheKeepsTheFirstDescriptorOfAFontID)
{
  StandInInstallSystemFont("Roboto", "Bold", (FontFolder() + "Roboto-Bold.ttf").c_str());
  ExpectNoLeaks([&] {
    StaticStorage<CoreTextFontDescriptor> cache;
    StaticStorage<CoreTextFontDescriptor>::Accessor(cache).Retain();
    FontDescriptor first = nullptr;
    {
      PlatformFontPtr regular = CoreTextHelpers::LoadPlatformFont("ui", BRIMVALE_FONT_FILE, "", "");
      PlatformFontPtr bold = CoreTextHelpers::LoadPlatformFont("ui", "Roboto", ETextStyle::Bold);
      ASSERT_NE(regular, nullptr);
      ASSERT_NE(bold, nullptr);
      first = regular->GetDescriptor();
      CoreTextHelpers::CachePlatformFont("ui", regular, cache);
      CoreTextHelpers::CachePlatformFont("ui", bold, cache);
      CoreTextHelpers::CachePlatformFont("none", nullptr, cache);
    }
    // The fonts are gone; the cache holds a retain of its own.
    IText text(12.f);
    text.SetFont("ui");
    const CoreTextFontDescriptor* entry = CoreTextHelpers::GetCTFontDescriptor(text, cache);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(static_cast<const void*>(entry->mDescriptor), first);
    EXPECT_EQ(DescriptorString(first, kCTFontStyleNameAttribute), "Regular");
    EXPECT_DOUBLE_EQ(entry->mEMRatio, RobotoEMRatio());
    EXPECT_EQ(StaticStorage<CoreTextFontDescriptor>::Accessor(cache).Size(), 1);
    text.SetFont("none");
    EXPECT_EQ(CoreTextHelpers::GetCTFontDescriptor(text, cache), nullptr);
    StaticStorage<CoreTextFontDescriptor>::Accessor(cache).Release();
    EXPECT_EQ(StaticStorage<CoreTextFontDescriptor>::Accessor(cache).Size(), 0);
  });
}

TEST_F(MacFontsTest, EditorLoadsFontsIntoNanoVGOnlyWithAView)
{
  ExpectNoLeaks([&] {
    EventLog log;
    FakeEditorDelegate delegate(log, 0);
    auto graphics = std::make_unique<IGraphicsMac>(delegate, 300, 200, 60, 1.f);
    EXPECT_FALSE(graphics->LoadFont("Closed", BRIMVALE_FONT_FILE));
    EXPECT_EQ(StaticStorage<IFontData>::Accessor(NanoVGFontCache()).Find("Closed"), nullptr);
    EXPECT_EQ(StaticStorage<CoreTextFontDescriptor>::Accessor(FontDescriptorCache()).Find("Closed"), nullptr);

    NSWindow* window = [[NSWindow alloc] initWithContentRect:NSMakeRect(0, 0, 300, 200)
                                                   styleMask:NSWindowStyleMaskBorderless
                                                     backing:NSBackingStoreBuffered
                                                       defer:NO];
    ASSERT_NE(graphics->OpenWindow([window contentView]), nullptr);
    EXPECT_TRUE(graphics->LoadFont("Open", BRIMVALE_FONT_FILE));
    EXPECT_FALSE(graphics->LoadFont("Nothing", "Missing.ttf"));
    EXPECT_NE(StaticStorage<IFontData>::Accessor(NanoVGFontCache()).Find("Open"), nullptr);
    IText text(12.f);
    text.SetFont("Open");
    const CoreTextFontDescriptor* entry = CoreTextHelpers::GetCTFontDescriptor(text, FontDescriptorCache());
    ASSERT_NE(entry, nullptr);
    EXPECT_DOUBLE_EQ(entry->mEMRatio, RobotoEMRatio());
    graphics->CloseWindow();
    graphics.reset();
    [window close];
    [window release];
    // GNUstep's run loop lets go of the view's invalidated redraw timer on its next pass through
    // each mode that the timer was added to.
    for (const char* mode : {"NSDefaultRunLoopMode", "NSModalPanelRunLoopMode", "NSEventTrackingRunLoopMode"})
      StandInRunMainLoop(mode, 0.01);
    // The last editor took every descriptor with it.
    EXPECT_EQ(StaticStorage<CoreTextFontDescriptor>::Accessor(FontDescriptorCache()).Size(), 0);
  });
}
} // namespace
