#include "igraphics/platforms/WinFont.h"

#include "iplug/IPlugUTF8.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

namespace iplug
{
namespace igraphics
{
namespace
{
// GDI reads a table tag as the little-endian number of its four bytes.
constexpr DWORD kCollectionTag = 0x66637474; // "ttcf"

/** A memory device context with a font selected; the old font is put back and the context deleted
 * with the object. */
class FontDC
{
public:
  explicit FontDC(HFONT font) : mDC(CreateCompatibleDC(nullptr))
  {
    if (mDC && font)
      mOld = SelectObject(mDC, font);
  }
  ~FontDC()
  {
    if (!mDC)
      return;
    if (Selected())
      SelectObject(mDC, mOld);
    DeleteDC(mDC);
  }
  FontDC(const FontDC&) = delete;
  FontDC& operator=(const FontDC&) = delete;

  /** Null unless the font is selected. */
  HDC Get() const { return Selected() ? mDC : nullptr; }

private:
  bool Selected() const { return mOld && mOld != HGDI_ERROR; }

  HDC mDC;
  HGDIOBJ mOld = nullptr;
};

/** The whole file behind the selected font, the collection when it belongs to one; empty when GDI
 * cannot give every byte it announced. */
std::vector<uint8_t> ReadFontFile(HDC dc)
{
  DWORD table = kCollectionTag;
  DWORD size = GetFontData(dc, table, 0, nullptr, 0);
  if (size == GDI_ERROR)
  {
    table = 0;
    size = GetFontData(dc, table, 0, nullptr, 0);
  }
  if (size == GDI_ERROR || size == 0 || size > static_cast<DWORD>(INT_MAX))
    return {};
  std::vector<uint8_t> bytes(size);
  if (GetFontData(dc, table, 0, bytes.data(), size) != size)
    return {};
  return bytes;
}

/** The face name that GDI really gave the font, in UTF-8. */
WDL_String FaceNameOf(HFONT font)
{
  WDL_String name;
  FontDC dc(font);
  wchar_t face[LF_FACESIZE] = {};
  if (dc.Get() && GetTextFaceW(dc.Get(), LF_FACESIZE, face) > 0)
  {
    face[LF_FACESIZE - 1] = L'\0';
    UTF16ToUTF8(name, face);
  }
  return name;
}

/** GDI holds at most LF_FACESIZE - 1 characters plus the terminator: a longer name is cut before a
 * whole character. False when no name is left. */
bool SetFaceName(LOGFONTW& font, const char* name)
{
  const std::wstring wide = UTF8ToUTF16(name);
  size_t length = std::min<size_t>(wide.size(), LF_FACESIZE - 1);
  if (length < wide.size() && length > 0 && IS_HIGH_SURROGATE(wide[length - 1]))
    --length;
  wide.copy(font.lfFaceName, length);
  font.lfFaceName[length] = L'\0';
  return length > 0;
}

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
  *reinterpret_cast<bool*>(found) = true;
  return 0; // one is enough
}

bool FamilyInstalled(const LOGFONTW& font)
{
  HDC screen = GetDC(nullptr);
  if (!screen)
    return false;
  LOGFONTW query = font;
  bool found = false;
  EnumFontFamiliesExW(screen, &query, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}
} // namespace

WinFont::WinFont(HFONT font, const char* styleName, bool system)
: PlatformFont(system)
, mFont(font)
, mStyleName(styleName ? styleName : "")
{}

WinFont::~WinFont()
{
  if (mFont)
    DeleteObject(mFont);
}

IFontDataPtr WinFont::GetFontData()
{
  FontDC dc(mFont);
  if (!dc.Get())
    return nullptr;
  try
  {
    const std::vector<uint8_t> bytes = ReadFontFile(dc.Get());
    if (bytes.empty())
      return nullptr;
    const int size = static_cast<int>(bytes.size());
    const int face = GetFaceIdx(bytes.data(), size, mStyleName.c_str());
    return std::make_unique<IFontData>(bytes.data(), size, face);
  }
  catch (const std::bad_alloc&)
  {
    return nullptr;
  }
}

InstalledFont::AddFunc InstalledFont::sAdd = AddFontMemResourceEx;
InstalledFont::RemoveFunc InstalledFont::sRemove = RemoveFontMemResourceEx;

InstalledFont::InstalledFont(void* data, DWORD size)
{
  DWORD nFonts = 0;
  handle = sAdd(data, size, nullptr, &nFonts);
}

InstalledFont::~InstalledFont()
{
  if (handle)
    sRemove(handle);
}

CachedFont::~CachedFont()
{
  if (font)
    DeleteObject(font);
}

StaticStorage<InstalledFont>& InstalledFontCache()
{
  static StaticStorage<InstalledFont> cache;
  return cache;
}

StaticStorage<CachedFont>& FontHandleCache()
{
  static StaticStorage<CachedFont> cache;
  return cache;
}

HFONT FindWinFont(const char* name, int weight, bool italic, bool underline, bool enumerate)
{
  if (!name)
    return nullptr;
  LOGFONTW description = {};
  description.lfWeight = weight;
  description.lfItalic = italic;
  description.lfUnderline = underline;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_TT_PRECIS;
  if (!SetFaceName(description, name) || (enumerate && !FamilyInstalled(description)))
    return nullptr;
  HFONT font = CreateFontIndirectW(&description);
  if (!font)
    return nullptr;
  // GDI answers any request with some font; only the family itself will do.
  if (std::strcmp(FaceNameOf(font).Get(), name) != 0)
  {
    DeleteObject(font);
    return nullptr;
  }
  return font;
}

HFONT CopyWinFont(HFONT font, const LONG* height)
{
  LOGFONTW description;
  if (!font || GetObjectW(font, sizeof(description), &description) != sizeof(description))
    return nullptr;
  if (height)
    description.lfHeight = *height;
  return CreateFontIndirectW(&description);
}

HFONT CopyCachedWinFont(const char* fontID, int height)
{
  StaticStorage<CachedFont>::Accessor cache(FontHandleCache());
  const CachedFont* cached = cache.Find(fontID);
  const LONG wanted = height;
  return cached ? CopyWinFont(cached->font, &wanted) : nullptr;
}

} // namespace igraphics
} // namespace iplug
