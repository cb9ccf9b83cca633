// Core Graphics data providers and graphics fonts. A graphics font reads the sfnt header and table
// directory of its bytes for real, so anything that is not a font (or is cut short) gives null as
// it does on macOS; the names of the first face are kept for CoreText's descriptors.
#import "FontObjects.h"

#include <CoreGraphics/CoreGraphics.h>

#include "StandIns/CoreText.h"

#include <atomic>
#include <cstdint>

namespace
{
std::atomic<long> sLiveFontObjects{0};

constexpr uint32_t Tag(const char (&t)[5])
{
  return uint32_t(uint8_t(t[0])) << 24 | uint32_t(uint8_t(t[1])) << 16 | uint32_t(uint8_t(t[2])) << 8 |
         uint32_t(uint8_t(t[3]));
}

/** Big-endian reads that fail past the end of the bytes. */
struct Bytes
{
  const uint8_t* data;
  size_t size;

  bool Has(uint64_t offset, uint64_t length) const { return offset <= size && length <= size - offset; }
  bool U16(uint64_t offset, uint16_t& value) const
  {
    if (!Has(offset, 2))
      return false;
    value = uint16_t(data[offset] << 8 | data[offset + 1]);
    return true;
  }
  bool U32(uint64_t offset, uint32_t& value) const
  {
    uint16_t high, low;
    if (!U16(offset, high) || !U16(offset + 2, low))
      return false;
    value = uint32_t(high) << 16 | low;
    return true;
  }
};

/** Where the first face's offset table starts; false for anything but a font or collection. */
bool FirstFace(const Bytes& bytes, uint32_t& face)
{
  uint32_t tag, version, count;
  if (!bytes.U32(0, tag))
    return false;
  if (tag == 0x00010000 || tag == Tag("OTTO") || tag == Tag("true"))
  {
    face = 0;
    return true;
  }
  return tag == Tag("ttcf") && bytes.U32(4, version) && (version == 0x00010000 || version == 0x00020000) &&
         bytes.U32(8, count) && count > 0 && bytes.U32(12, face);
}

/** The offset of a table of the face; every table must lie inside the bytes and 'head' must exist. */
bool ReadDirectory(const Bytes& bytes, uint32_t face, uint32_t& nameTable)
{
  uint16_t numTables;
  if (!bytes.U16(uint64_t(face) + 4, numTables) || numTables == 0)
    return false;
  bool hasHead = false;
  nameTable = 0;
  for (uint16_t i = 0; i < numTables; ++i)
  {
    const uint64_t record = uint64_t(face) + 12 + 16 * uint64_t(i);
    uint32_t tag, offset, length;
    if (!bytes.U32(record, tag) || !bytes.U32(record + 8, offset) || !bytes.U32(record + 12, length) ||
        !bytes.Has(offset, length))
      return false;
    hasHead = hasHead || (tag == Tag("head") && length >= 54);
    if (tag == Tag("name") && !nameTable)
      nameTable = offset;
  }
  return hasHead;
}

/** A name of the 'name' table: Windows Unicode preferred (US English first), else Mac Roman. */
NSString* CopyName(const Bytes& bytes, uint32_t table, uint16_t nameID)
{
  uint16_t count, storage;
  if (!table || !bytes.U16(uint64_t(table) + 2, count) || !bytes.U16(uint64_t(table) + 4, storage))
    return nil;
  int best = 0; // 3 US English Windows, 2 other Windows, 1 Macintosh
  uint64_t bestOffset = 0;
  uint16_t bestLength = 0;
  for (uint16_t i = 0; i < count; ++i)
  {
    const uint64_t record = uint64_t(table) + 6 + 12 * uint64_t(i);
    uint16_t platform, encoding, language, recordID, length, offset;
    if (!bytes.U16(record, platform) || !bytes.U16(record + 2, encoding) || !bytes.U16(record + 4, language) ||
        !bytes.U16(record + 6, recordID) || !bytes.U16(record + 8, length) || !bytes.U16(record + 10, offset))
      return nil;
    const uint64_t start = uint64_t(table) + storage + offset;
    if (recordID != nameID || !bytes.Has(start, length))
      continue;
    const int rank = platform == 3 && encoding == 1 ? (language == 0x409 ? 3 : 2) : platform == 1 && encoding == 0;
    if (rank > best)
    {
      best = rank;
      bestOffset = start;
      bestLength = length;
    }
  }
  if (!best)
    return nil;
  const NSStringEncoding encoding = best == 1 ? NSMacOSRomanStringEncoding : NSUTF16BigEndianStringEncoding;
  return [[NSString alloc] initWithBytes:bytes.data + bestOffset length:bestLength encoding:encoding];
}
} // namespace

@implementation StandInFontObject
- (id)init
{
  if ((self = [super init]))
    ++sLiveFontObjects;
  return self;
}
- (void)dealloc
{
  --sLiveFontObjects;
  [super dealloc];
}
@end

/** Either the whole file read when made, or caller-owned bytes handed back through a callback. */
@interface StandInDataProvider : StandInFontObject {
@public
  NSData* mFile;
  const void* mBytes;
  size_t mSize;
  void* mInfo;
  CGDataProviderReleaseDataCallback mReleaseData;
}
@end

@implementation StandInDataProvider
- (void)dealloc
{
  if (mReleaseData)
    mReleaseData(mInfo, mBytes, mSize);
  [mFile release];
  [super dealloc];
}
@end

@implementation StandInGraphicsFont
- (void)dealloc
{
  [mFamily release];
  [mStyle release];
  [mPostScriptName release];
  [mProvider release];
  [super dealloc];
}
@end

long StandInLiveFontObjects(void)
{
  return sLiveFontObjects.load();
}

CGDataProviderRef CGDataProviderCreateWithURL(CFURLRef url)
{
  NSURL* fileURL = (NSURL*)url;
  if (!fileURL || ![fileURL isFileURL])
    return nullptr;
  BOOL isDirectory = NO;
  NSString* path = [fileURL path];
  if (![[NSFileManager defaultManager] fileExistsAtPath:path isDirectory:&isDirectory] || isDirectory)
    return nullptr;
  NSData* file = [[NSData alloc] initWithContentsOfFile:path];
  if (!file)
    return nullptr;
  StandInDataProvider* provider = [[StandInDataProvider alloc] init];
  provider->mFile = file;
  provider->mBytes = [file bytes];
  provider->mSize = [file length];
  return (CGDataProviderRef)provider;
}

CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size,
                                               CGDataProviderReleaseDataCallback releaseData)
{
  if (!data && size)
    return nullptr;
  StandInDataProvider* provider = [[StandInDataProvider alloc] init];
  provider->mBytes = data;
  provider->mSize = size;
  provider->mInfo = info;
  provider->mReleaseData = releaseData;
  return (CGDataProviderRef)provider;
}

CFDataRef CGDataProviderCopyData(CGDataProviderRef provider)
{
  if (!provider)
    return nullptr;
  StandInDataProvider* p = (StandInDataProvider*)provider;
  return (CFDataRef)[[NSData alloc] initWithBytes:p->mBytes length:p->mSize];
}

CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider)
{
  [(id)provider retain];
  return provider;
}

void CGDataProviderRelease(CGDataProviderRef provider)
{
  [(id)provider release];
}

CGFontRef CGFontCreateWithDataProvider(CGDataProviderRef provider)
{
  if (!provider)
    return nullptr;
  StandInDataProvider* p = (StandInDataProvider*)provider;
  const Bytes bytes{static_cast<const uint8_t*>(p->mBytes), p->mSize};
  uint32_t face, nameTable;
  if (!FirstFace(bytes, face) || !ReadDirectory(bytes, face, nameTable))
    return nullptr;
  StandInGraphicsFont* font = [[StandInGraphicsFont alloc] init];
  font->mProvider = [p retain];
  font->mFamily = CopyName(bytes, nameTable, 1);
  font->mStyle = CopyName(bytes, nameTable, 2);
  font->mPostScriptName = CopyName(bytes, nameTable, 6);
  return (CGFontRef)font;
}

CGFontRef CGFontRetain(CGFontRef font)
{
  [(id)font retain];
  return font;
}

void CGFontRelease(CGFontRef font)
{
  [(id)font release];
}
