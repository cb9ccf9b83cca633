#include "WinEditorFixture.h"
#include "WinFontFixture.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
using namespace iplug::igraphics;

using Bytes = std::vector<uint8_t>;
using wintest::MemoryFontCount;
using wintest::WinePath;

// A family that no installed font has: a copy of the font renamed to it shows through GDI once this
// process has installed it.
constexpr char kPrivateFamily[] = "Brimvt";
constexpr char kSystemFamily[] = "Roboto"; // the font package the build needs, which Wine lists

Bytes ReadFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes FontFileBytes()
{
  return ReadFile(WinePath(BRIMVALE_FONT_FILE));
}

void ReplaceUTF16BE(Bytes& bytes, const char* from, const char* to)
{
  Bytes pattern, replacement;
  for (size_t i = 0; from[i]; ++i)
  {
    pattern.insert(pattern.end(), {0, uint8_t(from[i])});
    replacement.insert(replacement.end(), {0, uint8_t(to[i])});
  }
  for (auto it = bytes.begin(); (it = std::search(it, bytes.end(), pattern.begin(), pattern.end())) != bytes.end();)
    it = std::copy(replacement.begin(), replacement.end(), it);
}

/** The font file with its names (which are Windows, US English records) saying kPrivateFamily. */
Bytes PrivateFamilyFont()
{
  Bytes bytes = FontFileBytes();
  ReplaceUTF16BE(bytes, "Roboto", kPrivateFamily);
  return bytes;
}

uint16_t BigEndian16(const Bytes& b, size_t at)
{
  return uint16_t(b[at] << 8 | b[at + 1]);
}
uint32_t BigEndian32(const Bytes& b, size_t at)
{
  return uint32_t(BigEndian16(b, at)) << 16 | BigEndian16(b, at + 2);
}

/** Moves every name record to another language: GDI still names the family, but no US English
 * record is left to read it from. */
Bytes WithoutEnglishNames(Bytes bytes)
{
  size_t nameTable = 0;
  for (size_t i = 0, n = BigEndian16(bytes, 4); i < n; ++i)
    if (std::memcmp(&bytes[12 + 16 * i], "name", 4) == 0)
      nameTable = BigEndian32(bytes, 12 + 16 * i + 8);
  for (size_t i = 0, n = BigEndian16(bytes, nameTable + 2); i < n; ++i)
  {
    const size_t language = nameTable + 6 + 12 * i + 4;
    bytes[language] = 0x04;
    bytes[language + 1] = 0x07; // German
  }
  return bytes;
}

std::string FaceName(HFONT font)
{
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  DeleteDC(dc);
  char narrow[4 * LF_FACESIZE] = {};
  WideCharToMultiByte(CP_UTF8, 0, face, -1, narrow, sizeof(narrow), nullptr, nullptr);
  return narrow;
}

std::string FaceName(PlatformFont& font)
{
  return FaceName(static_cast<HFONT>(font.GetDescriptor()));
}

LOGFONTW Describe(HFONT font)
{
  LOGFONTW description = {};
  GetObjectW(font, sizeof(description), &description);
  return description;
}

/** Whether a request for the family gets that family from GDI, from system or process fonts. */
bool FamilyAvailable(const char* family)
{
  // Wine keeps what it chose for a description even after the font is deleted, so every question
  // asks for another size.
  static LONG height = 10;
  LOGFONTW description = {};
  description.lfHeight = ++height;
  description.lfCharSet = DEFAULT_CHARSET;
  MultiByteToWideChar(CP_UTF8, 0, family, -1, description.lfFaceName, LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&description);
  const bool available = FaceName(font) == family;
  DeleteObject(font);
  return available;
}

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool SystemFamilyInstalled(const char* family)
{
  LOGFONTW description = {};
  description.lfCharSet = DEFAULT_CHARSET;
  MultiByteToWideChar(CP_UTF8, 0, family, -1, description.lfFaceName, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &description, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

int InstalledCount()
{
  return StaticStorage<InstalledFont>::Accessor(InstalledFontCache()).Size();
}
int CachedCount()
{
  return StaticStorage<CachedFont>::Accessor(FontHandleCache()).Size();
}

/** An editor that is made but never opened: fonts need no window. */
struct FontEditor
{
  FontEditor() : graphics(std::make_unique<IGraphicsWin>(delegate, 300, 200, 60, 1.f))
  {
    graphics->SetWinModuleHandle(GetModuleHandleW(nullptr));
  }

  wintest::TestDelegate delegate;
  std::unique_ptr<IGraphicsWin> graphics;
};

/** A file in the temporary folder, deleted with the object. */
struct TempFile
{
  TempFile(const char* name, const Bytes& contents)
  {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    path = std::string(folder) + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(contents.data()), contents.size());
  }
  ~TempFile() { DeleteFileA(path.c_str()); }

  std::string path;
};

void ExpectFontFileBytes(PlatformFont& font)
{
  const Bytes file = FontFileBytes();
  IFontDataPtr data = font.GetFontData();
  ASSERT_TRUE(data);
  EXPECT_EQ(data->GetFaceIdx(), 0);
  ASSERT_EQ(data->GetSize(), int(file.size()));
  EXPECT_EQ(std::memcmp(data->Get(), file.data(), file.size()), 0);
}

TEST(WinFonts, FileNamesAndResourceNamesLoadTheFont)
{
  ASSERT_EQ(GetFileAttributesW(L"Roboto-Regular.ttf"), INVALID_FILE_ATTRIBUTES) << "only the resource may answer";
  const std::string filePath = WinePath(BRIMVALE_FONT_FILE);
  const struct
  {
    const char* fontID;
    const char* name;
  } cases[] = {
    {"resource", "Roboto-Regular.ttf"},
    {"resource-lower-case", "roboto-regular.ttf"},
    {"file", filePath.c_str()},
  };
  FontEditor editor;
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.name);
    PlatformFontPtr font = editor.graphics->LoadPlatformFont(c.fontID, c.name);
    ASSERT_TRUE(font);
    EXPECT_FALSE(font->IsSystem());
    EXPECT_EQ(FaceName(*font), "Roboto");
    EXPECT_TRUE(StaticStorage<InstalledFont>::Accessor(InstalledFontCache()).Find(c.fontID));
    ExpectFontFileBytes(*font);
  }
}

TEST(WinFonts, NamesOfNoFontFileGiveNoFont)
{
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const TempFile empty("brimvale-empty.ttf", {});
  const TempFile text("brimvale-text.ttf", Bytes(5000, 'x'));
  const char* names[] = {
    nullptr, "", "NoSuchFont.ttf", "Z:\\no\\such\\folder\\Roboto.ttf", folder, empty.path.c_str(), text.path.c_str()};
  FontEditor editor;
  for (const char* name : names)
  {
    SCOPED_TRACE(name ? name : "(null)");
    EXPECT_FALSE(editor.graphics->LoadPlatformFont("id", name));
  }
  EXPECT_EQ(InstalledCount(), 0);
}

TEST(WinFonts, MemoryFontGivesBackTheBytesItWasMadeFrom)
{
  ASSERT_FALSE(FamilyAvailable(kPrivateFamily));
  Bytes bytes = PrivateFamilyFont();
  FontEditor editor;
  PlatformFontPtr font = editor.graphics->LoadPlatformFont("private", bytes.data(), int(bytes.size()));
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->IsSystem());
  EXPECT_EQ(FaceName(*font), kPrivateFamily);
  EXPECT_TRUE(FamilyAvailable(kPrivateFamily));

  IFontDataPtr data = font->GetFontData();
  ASSERT_TRUE(data);
  EXPECT_EQ(data->GetFaceIdx(), 0);
  EXPECT_STREQ(data->GetFamily().Get(), kPrivateFamily);
  ASSERT_EQ(data->GetSize(), int(bytes.size()));
  EXPECT_EQ(std::memcmp(data->Get(), bytes.data(), bytes.size()), 0);
}

TEST(WinFonts, BytesThatAreNoUsableFontGiveNoFontAndLeaveNothingInstalled)
{
  const Bytes font = PrivateFamilyFont();
  Bytes someBytes(64, 0);
  const struct
  {
    const char* what;
    Bytes bytes;
    bool nullData;
    int sizeChange;
  } cases[] = {
    {"null data", {}, true, 100},
    {"no bytes", someBytes, false, -64},
    {"negative size", someBytes, false, -100},
    {"garbage", Bytes(4096, 0xAB), false, 0},
    {"the header only", Bytes(font.begin(), font.begin() + 12), false, 0},
    {"the first half", Bytes(font.begin(), font.begin() + font.size() / 2), false, 0},
    {"no family name of ours to read", WithoutEnglishNames(font), false, 0},
  };
  const MemoryFontCount memoryFonts;
  FontEditor editor;
  for (auto c : cases)
  {
    SCOPED_TRACE(c.what);
    void* data = c.nullData ? nullptr : c.bytes.data();
    EXPECT_FALSE(editor.graphics->LoadPlatformFont("bad", data, int(c.bytes.size()) + c.sizeChange));
    EXPECT_EQ(memoryFonts.Live(), 0);
    EXPECT_EQ(InstalledCount(), 0);
  }
}

TEST(WinFonts, SystemFamilyByNameInEachStyle)
{
  ASSERT_TRUE(SystemFamilyInstalled(kSystemFamily)) << "the prefix lists the system's fonts";
  const struct
  {
    ETextStyle style;
    const char* styleName;
    LONG weight;
    BYTE italic;
  } cases[] = {
    {ETextStyle::Normal, "Regular", FW_NORMAL, FALSE},
    {ETextStyle::Bold, "Bold", FW_BOLD, FALSE},
    {ETextStyle::Italic, "Italic", FW_NORMAL, TRUE},
  };
  FontEditor editor;
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.styleName);
    PlatformFontPtr font = editor.graphics->LoadPlatformFont("ui", kSystemFamily, c.style);
    ASSERT_TRUE(font);
    EXPECT_TRUE(font->IsSystem());
    EXPECT_EQ(FaceName(*font), kSystemFamily);
    const LOGFONTW description = Describe(static_cast<HFONT>(font->GetDescriptor()));
    EXPECT_EQ(description.lfWeight, c.weight);
    EXPECT_EQ(description.lfItalic, c.italic);

    IFontDataPtr data = font->GetFontData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->GetFaceIdx(), 0);
    EXPECT_STREQ(data->GetStyle().Get(), c.styleName);
  }
  EXPECT_EQ(InstalledCount(), 0);
}

TEST(WinFonts, FamiliesNotInstalledGiveNoSubstitute)
{
  const std::string longName = std::string(kSystemFamily) + std::string(40, 'x');
  const std::string surrogateAtCut = std::string(30, 'a') + "\xF0\x9F\x98\x80"; // U+1F600 over the cut
  const char* names[] = {nullptr,
                         "",
                         "Brimvale No Such Family",
                         "abcdefghijklmnopqrstuvwxyz01234", // the longest name GDI takes
                         longName.c_str(),
                         surrogateAtCut.c_str()};
  FontEditor editor;
  for (const char* name : names)
  {
    SCOPED_TRACE(name ? name : "(null)");
    EXPECT_FALSE(editor.graphics->LoadPlatformFont("ui", name, ETextStyle::Normal));
  }
}

TEST(WinFonts, CachesAreSharedByEditorsAndEmptiedWithTheLastOne)
{
  Bytes bytes = PrivateFamilyFont();
  const MemoryFontCount memoryFonts;
  auto first = std::make_unique<FontEditor>();
  auto second = std::make_unique<FontEditor>();
  EXPECT_EQ(StaticStorage<InstalledFont>::Accessor(InstalledFontCache()).Users(), 2);
  EXPECT_EQ(StaticStorage<CachedFont>::Accessor(FontHandleCache()).Users(), 2);

  PlatformFontPtr font = first->graphics->LoadPlatformFont("private", bytes.data(), int(bytes.size()));
  ASSERT_TRUE(font);
  first->graphics->CachePlatformFont("private", font);
  font.reset();
  first.reset();
  EXPECT_TRUE(FamilyAvailable(kPrivateFamily));
  EXPECT_EQ(memoryFonts.Live(), 1);
  EXPECT_EQ(InstalledCount(), 1);
  EXPECT_EQ(CachedCount(), 1);
  HFONT copy = CopyCachedWinFont("private", 20);
  EXPECT_TRUE(copy) << "the cache outlives the editor that filled it";
  DeleteObject(copy);

  second.reset();
  EXPECT_EQ(memoryFonts.Live(), 0);
  EXPECT_EQ(InstalledCount(), 0);
  EXPECT_EQ(CachedCount(), 0);
  EXPECT_FALSE(CopyCachedWinFont("private", 20));
}

// A host that keeps one editor open while the user opens and closes another: each opening loads the
// font again, and GDI must still hold one copy of it.
TEST(WinFonts, AFontIsInstalledOnceWhileEditorsComeAndGo)
{
  const MemoryFontCount memoryFonts;
  bool loaded = false;
  const auto loadFont = [&loaded](IGraphics* pGraphics) { loaded = pGraphics->LoadFont("ui", "Roboto-Regular.ttf"); };
  auto resident = std::make_unique<wintest::Editor>(300, 200, 1.f, 0, 60, loadFont);
  ASSERT_TRUE(resident->window);
  ASSERT_TRUE(loaded);
  for (int i = 0; i < 3; ++i)
  {
    SCOPED_TRACE(i);
    loaded = false;
    auto visitor = std::make_unique<wintest::Editor>(300, 200, 1.f, 0, 60, loadFont);
    ASSERT_TRUE(visitor->window);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(memoryFonts.Live(), 1);
    visitor.reset();
    EXPECT_EQ(memoryFonts.Live(), 1);
  }
  EXPECT_EQ(InstalledCount(), 1);
  resident.reset();
  EXPECT_EQ(memoryFonts.Live(), 0);
  EXPECT_EQ(InstalledCount(), 0);
}

TEST(WinFonts, CachedFontCopiesHaveTheRequestedHeight)
{
  Bytes bytes = PrivateFamilyFont();
  FontEditor editor;
  PlatformFontPtr font = editor.graphics->LoadPlatformFont("private", bytes.data(), int(bytes.size()));
  ASSERT_TRUE(font);
  editor.graphics->CachePlatformFont("private", font);
  // Only the first font cached under an id counts.
  PlatformFontPtr bold = editor.graphics->LoadPlatformFont("bold", kSystemFamily, ETextStyle::Bold);
  ASSERT_TRUE(bold);
  editor.graphics->CachePlatformFont("private", bold);
  editor.graphics->CachePlatformFont("nothing", nullptr);
  font.reset(); // the cache holds a copy of its own
  EXPECT_EQ(CachedCount(), 1);

  for (int height : {-13, 1, 20, 96})
  {
    SCOPED_TRACE(height);
    HFONT copy = CopyCachedWinFont("private", height);
    ASSERT_TRUE(copy);
    const LOGFONTW description = Describe(copy);
    EXPECT_EQ(description.lfHeight, height);
    EXPECT_EQ(description.lfWeight, FW_NORMAL);
    EXPECT_EQ(FaceName(copy), kPrivateFamily);
    DeleteObject(copy);
  }
  EXPECT_FALSE(CopyCachedWinFont("nothing", 20));
  EXPECT_FALSE(CopyCachedWinFont(nullptr, 20));
}

TEST(WinFonts, LoadFontOnAnOpenEditorKeepsACopyForTheTextEntry)
{
  wintest::Editor editor;
  ASSERT_TRUE(editor.window);
  ASSERT_TRUE(editor.graphics->LoadFont("ui", "Roboto-Regular.ttf"));
  HFONT copy = CopyCachedWinFont("ui", 18);
  ASSERT_TRUE(copy);
  EXPECT_EQ(FaceName(copy), "Roboto");
  EXPECT_EQ(Describe(copy).lfHeight, 18);
  DeleteObject(copy);
}

} // namespace
