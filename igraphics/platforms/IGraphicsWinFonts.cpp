#include "igraphics/platforms/IGraphicsWin.h"

#include "igraphics/platforms/WinFont.h"
#include "iplug/IPlugPaths.h"
#include "iplug/IPlugUTF8.h"

#include <climits>

namespace iplug
{
namespace igraphics
{
namespace
{
/** A font file mapped read-only; the view, the mapping and the file are closed with the object. */
class MappedFile
{
public:
  explicit MappedFile(const char* path)
  {
    std::wstring widePath = UTF8ToUTF16(path);
    if (widePath.empty())
      return;
    FixLongPathW(widePath);
    mFile = CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    LARGE_INTEGER size;
    if (mFile == INVALID_HANDLE_VALUE || !GetFileSizeEx(mFile, &size) || size.QuadPart <= 0 || size.QuadPart > INT_MAX)
      return;
    mMapping = CreateFileMappingW(mFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
    mView = mMapping ? MapViewOfFile(mMapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    mSize = mView ? static_cast<int>(size.QuadPart) : 0;
  }
  ~MappedFile()
  {
    if (mView)
      UnmapViewOfFile(mView);
    if (mMapping)
      CloseHandle(mMapping);
    if (mFile != INVALID_HANDLE_VALUE)
      CloseHandle(mFile);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  void* Data() const { return mView; }
  int Size() const { return mSize; }

private:
  HANDLE mFile = INVALID_HANDLE_VALUE;
  HANDLE mMapping = nullptr;
  void* mView = nullptr;
  int mSize = 0;
};

int WeightFor(bool bold)
{
  return bold ? FW_BOLD : FW_NORMAL;
}
} // namespace

PlatformFontPtr IGraphicsWin::LoadPlatformFont(const char* fontID, const char* fileNameOrResID)
{
  StaticStorage<InstalledFont>::Accessor installed(InstalledFontCache());
  WDL_String location;
  switch (
    LocateResource(fileNameOrResID, "ttf", location, GetBundleID(), GetWinModuleHandle(), GetSharedResourcesSubPath()))
  {
  case kAbsolutePath:
  {
    const MappedFile file(location.Get());
    return file.Data() ? LoadPlatformFont(fontID, file.Data(), file.Size()) : nullptr;
  }
  case kWinBinary:
  {
    int size = 0;
    const void* bytes = LoadWinResource(location.Get(), "ttf", size, GetWinModuleHandle());
    // GDI only reads the bytes, which belong to the module.
    return bytes ? LoadPlatformFont(fontID, const_cast<void*>(bytes), size) : nullptr;
  }
  default: return nullptr;
  }
}

PlatformFontPtr IGraphicsWin::LoadPlatformFont(const char* fontID, void* pData, int dataSize)
{
  if (!pData || dataSize <= 0)
    return nullptr;
  const IFontInfo info(pData, uint32_t(dataSize), 0);
  if (!info.IsValid() || !info.GetFamily().GetLength())
    return nullptr;
  const auto findFont = [&info] {
    return FindWinFont(info.GetFamily().Get(), WeightFor(info.IsBold()), info.IsItalic(), info.IsUnderline(), false);
  };
  StaticStorage<InstalledFont>::Accessor installed(InstalledFontCache());
  // An editor still open installed this font already: another copy would stay installed in GDI
  // until the last editor closes, one more for every opening.
  if (installed.Find(fontID))
    if (HFONT font = findFont())
      return std::make_unique<WinFont>(font, "", false);
  // Removes the font again on every way out that does not keep it.
  auto memoryFont = std::make_unique<InstalledFont>(pData, DWORD(dataSize));
  if (!memoryFont->handle)
    return nullptr;
  HFONT font = findFont();
  if (!font)
    return nullptr;
  auto winFont = std::make_unique<WinFont>(font, "", false);
  if (!installed.Add(memoryFont.release(), fontID))
    return nullptr;
  return winFont;
}

PlatformFontPtr IGraphicsWin::LoadPlatformFont(const char*, const char* fontName, ETextStyle style)
{
  const bool bold = style == ETextStyle::Bold;
  const bool italic = style == ETextStyle::Italic;
  HFONT font = FindWinFont(fontName, WeightFor(bold), italic, false, true);
  if (!font)
    return nullptr;
  return std::make_unique<WinFont>(font, bold ? "Bold" : italic ? "Italic" : "Regular", true);
}

void IGraphicsWin::CachePlatformFont(const char* fontID, const PlatformFontPtr& font)
{
  if (!font)
    return;
  StaticStorage<CachedFont>::Accessor cache(FontHandleCache());
  if (cache.Find(fontID))
    return;
  if (HFONT copy = CopyWinFont(static_cast<HFONT>(font->GetDescriptor())))
    cache.Add(new CachedFont(copy), fontID);
}

void IGraphicsWin::RetainFontCaches()
{
  StaticStorage<InstalledFont>::Accessor(InstalledFontCache()).Retain();
  StaticStorage<CachedFont>::Accessor(FontHandleCache()).Retain();
}

void IGraphicsWin::ReleaseFontCaches()
{
  // The copies go before the memory fonts that they may be made from.
  StaticStorage<CachedFont>::Accessor(FontHandleCache()).Release();
  StaticStorage<InstalledFont>::Accessor(InstalledFontCache()).Release();
}

HFONT IGraphicsWin::CopyCachedFont(const char* fontID, int height)
{
  return CopyCachedWinFont(fontID, height);
}

} // namespace igraphics
} // namespace iplug
