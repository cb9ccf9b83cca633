#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// The editor has members of these names, whichever header comes first.
#undef DrawText
#undef LoadBitmap

#include "igraphics/StaticStorage.h"
#include "igraphics/drawing/IGraphicsFontData.h"

#include <string>

namespace iplug
{
namespace igraphics
{

/** A GDI font of the editor. Fonts found by family name know the style they were asked for, so
 * that the right face of a collection is handed to the drawing back end; memory fonts have none. */
class WinFont final : public PlatformFont
{
public:
  /** Takes ownership of font. */
  WinFont(HFONT font, const char* styleName, bool system);
  ~WinFont() override;

  FontDescriptor GetDescriptor() override { return mFont; }
  /** The bytes of the whole font file behind the handle; null when GDI cannot give all of them. */
  IFontDataPtr GetFontData() override;

private:
  HFONT mFont;
  std::string mStyleName;
};

/** A font installed from memory for this process only; it is removed with the object. */
struct InstalledFont
{
  using AddFunc = HANDLE(WINAPI*)(PVOID data, DWORD size, PVOID reserved, DWORD* nFonts);
  using RemoveFunc = BOOL(WINAPI*)(HANDLE);
  /** GDI's calls, replaceable so that tests can see what stays installed (Wine keeps a removed
   * font in use, so GDI cannot tell). */
  static AddFunc sAdd;
  static RemoveFunc sRemove;

  /** Installs the bytes; the handle is null when GDI finds no font in them. */
  InstalledFont(void* data, DWORD size);
  ~InstalledFont();
  InstalledFont(const InstalledFont&) = delete;
  InstalledFont& operator=(const InstalledFont&) = delete;

  HANDLE handle;
};

/** A font handle of the cache's own, deleted with the object. */
struct CachedFont
{
  explicit CachedFont(HFONT f) : font(f) {}
  ~CachedFont();
  CachedFont(const CachedFont&) = delete;
  CachedFont& operator=(const CachedFont&) = delete;

  HFONT font;
};

/** The memory fonts that editors have installed, by font id. */
StaticStorage<InstalledFont>& InstalledFontCache();
/** Copies of the editors' fonts by font id, for the native text entry. */
StaticStorage<CachedFont>& FontHandleCache();

/** A font of the family name, which GDI must really have rather than a substitute; with enumerate,
 * only a family installed in the system qualifies. Null when none. */
HFONT FindWinFont(const char* name, int weight, bool italic, bool underline, bool enumerate);

/** A new font described like font, with the height replaced when one is given; null when none. */
HFONT CopyWinFont(HFONT font, const LONG* height = nullptr);

/** A new font like the one cached for fontID, height pixels high; null when none is cached. */
HFONT CopyCachedWinFont(const char* fontID, int height);

} // namespace igraphics
} // namespace iplug
