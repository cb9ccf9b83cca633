// Fonts from files, bundle resources, memory and the system's families, through CoreText.
#include "igraphics/platforms/CoreTextHelpers.h"

#include "iplug/IPlugPaths.h"

#include <climits>
#include <cstring>
#include <new>

namespace iplug
{
namespace igraphics
{
namespace
{
void DeleteFontCopy(void*, const void* data, size_t)
{
  delete[] static_cast<const uint8_t*>(data);
}

/** A font of the provider's bytes, or null when they are not a font CoreText can open. */
PlatformFontPtr FontOfProvider(CFLocal<CGDataProviderRef>& provider)
{
  if (!provider)
    return nullptr;
  CFLocal<CGFontRef> graphicsFont(CGFontCreateWithDataProvider(provider.Get()));
  if (!graphicsFont)
    return nullptr;
  CFLocal<CTFontRef> font(CTFontCreateWithGraphicsFont(graphicsFont.Get(), 0., nullptr, nullptr));
  if (!font)
    return nullptr;
  CFLocal<CTFontDescriptorRef> descriptor(CTFontCopyFontDescriptor(font.Get()));
  if (!descriptor)
    return nullptr;
  auto result = std::make_unique<CoreTextFont>(descriptor.Get(), provider.Get(), "", false);
  descriptor.Release();
  provider.Release();
  return result;
}

/** How much larger than its nominal size the font draws; a font whose ascender does not rise above
 * its descender gives no measure, and the text field then keeps the nominal size. */
double EMRatio(const IFontInfo& info)
{
  const int range = int(info.GetAscender()) - int(info.GetDescender());
  return range > 0 && info.GetUnitsPerEM() > 0 ? double(info.GetUnitsPerEM()) / double(range) : 1.;
}

const char* StyleName(ETextStyle style)
{
  switch (style)
  {
  case ETextStyle::Bold: return "Bold";
  case ETextStyle::Italic: return "Italic";
  default: return "Regular";
  }
}
} // namespace

CoreTextFont::CoreTextFont(CTFontDescriptorRef descriptor, CGDataProviderRef provider, const char* styleName,
                           bool system)
: PlatformFont(system)
, mDescriptor(descriptor)
, mProvider(provider)
, mStyle(styleName ? styleName : "")
{}

CoreTextFont::~CoreTextFont()
{
  if (mDescriptor)
    CFRelease(mDescriptor);
  CGDataProviderRelease(mProvider);
}

IFontDataPtr CoreTextFont::GetFontData()
{
  if (!mProvider)
    return nullptr;
  CFLocal<CFDataRef> bytes(CGDataProviderCopyData(mProvider));
  if (!bytes)
    return nullptr;
  const CFIndex length = CFDataGetLength(bytes.Get());
  if (length <= 0 || length > INT_MAX)
    return nullptr;
  const UInt8* data = CFDataGetBytePtr(bytes.Get());
  const int size = static_cast<int>(length);
  const int faceIdx = mStyle.GetLength() ? GetFaceIdx(data, size, mStyle.Get()) : 0;
  return std::make_unique<IFontData>(data, size, faceIdx);
}

CoreTextFontDescriptor::CoreTextFontDescriptor(CTFontDescriptorRef descriptor, double emRatio)
: mDescriptor(descriptor)
, mEMRatio(emRatio)
{
  if (mDescriptor)
    CFRetain(mDescriptor);
}

CoreTextFontDescriptor::~CoreTextFontDescriptor()
{
  if (mDescriptor)
    CFRelease(mDescriptor);
}

StaticStorage<CoreTextFontDescriptor>& FontDescriptorCache()
{
  static StaticStorage<CoreTextFontDescriptor> sFontDescriptorCache;
  return sFontDescriptorCache;
}

namespace CoreTextHelpers
{
PlatformFontPtr LoadPlatformFont(const char*, const char* fileNameOrResID, const char* bundleID,
                                 const char* sharedResourcesSubPath)
{
  WDL_String fullPath;
  if (LocateResource(fileNameOrResID, "ttf", fullPath, bundleID, nullptr, sharedResourcesSubPath) == kNotFound)
    return nullptr;
  CFLocal<CFStringRef> path(CFStringCreateWithCString(kCFAllocatorDefault, fullPath.Get(), kCFStringEncodingUTF8));
  if (!path)
    return nullptr;
  CFLocal<CFURLRef> url(CFURLCreateWithFileSystemPath(kCFAllocatorDefault, path.Get(), kCFURLPOSIXPathStyle, false));
  if (!url)
    return nullptr;
  CFLocal<CGDataProviderRef> provider(CGDataProviderCreateWithURL(url.Get()));
  return FontOfProvider(provider);
}

PlatformFontPtr LoadPlatformFont(const char*, const char* fontName, ETextStyle style)
{
  const char* styleName = StyleName(style);
  CFLocal<CFStringRef> family(CFStringCreateWithCString(kCFAllocatorDefault, fontName, kCFStringEncodingUTF8));
  CFLocal<CFStringRef> face(CFStringCreateWithCString(kCFAllocatorDefault, styleName, kCFStringEncodingUTF8));
  if (!family || !face)
    return nullptr;
  const void* keys[] = {kCTFontFamilyNameAttribute, kCTFontStyleNameAttribute};
  const void* values[] = {family.Get(), face.Get()};
  CFLocal<CFDictionaryRef> attributes(CFDictionaryCreate(
    kCFAllocatorDefault, keys, values, 2, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
  CFLocal<CFSetRef> mandatory(CFSetCreate(kCFAllocatorDefault, keys, 2, &kCFTypeSetCallBacks));
  if (!attributes || !mandatory)
    return nullptr;
  CFLocal<CTFontDescriptorRef> wanted(CTFontDescriptorCreateWithAttributes(attributes.Get()));
  if (!wanted)
    return nullptr;
  CFLocal<CFArrayRef> matches(CTFontDescriptorCreateMatchingFontDescriptors(wanted.Get(), mandatory.Get()));
  if (!matches)
    return nullptr;

  for (CFIndex i = 0, n = CFArrayGetCount(matches.Get()); i < n; ++i)
  {
    auto candidate = static_cast<CTFontDescriptorRef>(CFArrayGetValueAtIndex(matches.Get(), i));
    CFLocal<CFURLRef> url(static_cast<CFURLRef>(CTFontDescriptorCopyAttribute(candidate, kCTFontURLAttribute)));
    if (!url)
      continue;
    CFLocal<CGDataProviderRef> provider(CGDataProviderCreateWithURL(url.Get()));
    if (!provider)
      continue;
    // The array holds the candidate at +0: the font keeps a retain of its own.
    CFLocal<CTFontDescriptorRef> descriptor(static_cast<CTFontDescriptorRef>(CFRetain(candidate)));
    auto font = std::make_unique<CoreTextFont>(descriptor.Get(), provider.Get(), styleName, true);
    descriptor.Release();
    provider.Release();
    return font;
  }
  return nullptr;
}

PlatformFontPtr LoadPlatformFont(const char*, void* pData, int dataSize)
{
  if (!pData || dataSize <= 0)
    return nullptr;
  // The caller may free its bytes as soon as this returns: the provider gets a copy of its own.
  auto* copy = new (std::nothrow) uint8_t[static_cast<size_t>(dataSize)];
  if (!copy)
    return nullptr;
  std::memcpy(copy, pData, static_cast<size_t>(dataSize));
  CFLocal<CGDataProviderRef> provider(
    CGDataProviderCreateWithData(nullptr, copy, static_cast<size_t>(dataSize), DeleteFontCopy));
  if (!provider)
  {
    delete[] copy;
    return nullptr;
  }
  return FontOfProvider(provider);
}

void CachePlatformFont(const char* fontID, const PlatformFontPtr& font, StaticStorage<CoreTextFontDescriptor>& cache)
{
  if (!font)
    return;
  StaticStorage<CoreTextFontDescriptor>::Accessor storage(cache);
  if (storage.Find(fontID, 1.))
    return;
  auto descriptor = static_cast<CTFontDescriptorRef>(font->GetDescriptor());
  const IFontDataPtr data = font->GetFontData();
  if (!descriptor || !data)
    return;
  storage.Add(new CoreTextFontDescriptor(descriptor, EMRatio(*data)), fontID, 1.);
}

CoreTextFontDescriptor* GetCTFontDescriptor(const IText& text, StaticStorage<CoreTextFontDescriptor>& cache)
{
  StaticStorage<CoreTextFontDescriptor>::Accessor storage(cache);
  return storage.Find(text.mFont, 1.);
}
} // namespace CoreTextHelpers

} // namespace igraphics
} // namespace iplug
