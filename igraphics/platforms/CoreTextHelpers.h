#pragma once

#include <CoreText/CoreText.h>

#include "igraphics/IGraphicsStructs.h"
#include "igraphics/StaticStorage.h"
#include "igraphics/drawing/IGraphicsFontData.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

/** Owns one CoreFoundation reference (null allowed) and releases it at scope exit, unless it was
 * handed on with Release. */
template <class T>
class CFLocal
{
public:
  explicit CFLocal(T ref) : mRef(ref) {}
  ~CFLocal()
  {
    if (mRef)
      CFRelease(mRef);
  }
  CFLocal(const CFLocal&) = delete;
  CFLocal& operator=(const CFLocal&) = delete;

  T Get() const { return mRef; }
  explicit operator bool() const { return mRef != nullptr; }
  /** Hands the reference on: it is no longer released here. */
  T Release()
  {
    T ref = mRef;
    mRef = nullptr;
    return ref;
  }

private:
  T mRef;
};

/** A font as CoreText knows it: its descriptor and the provider of its file's bytes. A system font
 * keeps the style it was asked for, so that the matching face of a collection file is chosen. */
class CoreTextFont final : public PlatformFont
{
public:
  /** Takes over one reference of descriptor and of provider. */
  CoreTextFont(CTFontDescriptorRef descriptor, CGDataProviderRef provider, const char* styleName, bool system);
  ~CoreTextFont() override;

  FontDescriptor GetDescriptor() override { return const_cast<void*>(static_cast<const void*>(mDescriptor)); }
  /** A copy of the file's bytes with the face of the style; null when the provider gives none. */
  IFontDataPtr GetFontData() override;

private:
  CTFontDescriptorRef mDescriptor;
  CGDataProviderRef mProvider;
  WDL_String mStyle;
};

/** A cached CoreText descriptor for the native text field, and how much larger than its nominal
 * size the font draws: unitsPerEm / (ascender - descender). Owns one retain of the descriptor. */
struct CoreTextFontDescriptor
{
  /** Retains descriptor (null allowed). */
  CoreTextFontDescriptor(CTFontDescriptorRef descriptor, double emRatio);
  ~CoreTextFontDescriptor();
  CoreTextFontDescriptor(const CoreTextFontDescriptor&) = delete;
  CoreTextFontDescriptor& operator=(const CoreTextFontDescriptor&) = delete;

  CTFontDescriptorRef mDescriptor;
  double mEMRatio;
};

/** The process-wide descriptor cache; every IGraphicsMac holds one use of it. */
StaticStorage<CoreTextFontDescriptor>& FontDescriptorCache();

namespace CoreTextHelpers
{
/** A font file found by name or resource id in the bundle, the shared resources or on disk. */
PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID, const char* bundleID,
                                 const char* sharedResourcesSubPath);
/** An installed font by family name and style. */
PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style);
/** A font from a copy of the given bytes. */
PlatformFontPtr LoadPlatformFont(const char* fontID, void* pData, int dataSize);
/** Keeps the font's descriptor for fontID unless one is kept already. */
void CachePlatformFont(const char* fontID, const PlatformFontPtr& font, StaticStorage<CoreTextFontDescriptor>& cache);
/** The kept descriptor of the text's font, or null. */
CoreTextFontDescriptor* GetCTFontDescriptor(const IText& text, StaticStorage<CoreTextFontDescriptor>& cache);
} // namespace CoreTextHelpers

} // namespace igraphics
} // namespace iplug
