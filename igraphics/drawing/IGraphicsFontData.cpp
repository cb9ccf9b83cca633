#include "igraphics/drawing/IGraphicsFontData.h"

#include "utility/UTF8.h"

#include <cstring>
#include <string>

namespace iplug::igraphics
{

namespace
{

constexpr uint32_t Tag(char a, char b, char c, char d)
{
  return (uint32_t(uint8_t(a)) << 24) | (uint32_t(uint8_t(b)) << 16) | (uint32_t(uint8_t(c)) << 8) | uint8_t(d);
}

constexpr uint32_t kReplacementChar = 0xFFFD;

} // namespace

IFontInfo::IFontInfo(const void* data, uint32_t size, uint32_t faceIdx)
: mData(static_cast<const uint8_t*>(data))
, mSize(data ? size : 0)
{
  Parse(faceIdx);
  // Names and metrics are copies; the bytes may go away once the object is made.
  mData = nullptr;
  mSize = 0;
}

void IFontInfo::Parse(uint32_t faceIdx)
{
  if (!mData || !FindFace(faceIdx))
    return;
  if (!ReadTableDirectory())
    return;

  if (!U16(uint64_t(mHeadOffset) + 44, mMacStyle) || !U16(uint64_t(mHeadOffset) + 18, mUnitsPerEm))
  {
    mHeadOffset = 0; // a truncated table counts as a missing one
    return;
  }

  mFamilyName = SearchFontString(1);
  mStyleName = SearchFontString(2);

  uint16_t ascender = 0, descender = 0, lineGap = 0;
  if (!U16(uint64_t(mHheaOffset) + 4, ascender) || !U16(uint64_t(mHheaOffset) + 6, descender) ||
      !U16(uint64_t(mHheaOffset) + 8, lineGap))
  {
    mHheaOffset = 0;
    return;
  }
  mAscender = int16_t(ascender);
  mDescender = int16_t(descender);
  mLineGap = int16_t(lineGap);
}

bool IFontInfo::U16(uint64_t offset, uint16_t& value) const
{
  if (offset + 2 > mSize)
    return false;
  value = uint16_t((mData[offset] << 8) | mData[offset + 1]);
  return true;
}

bool IFontInfo::U32(uint64_t offset, uint32_t& value) const
{
  if (offset + 4 > mSize)
    return false;
  value = (uint32_t(mData[offset]) << 24) | (uint32_t(mData[offset + 1]) << 16) | (uint32_t(mData[offset + 2]) << 8) |
          mData[offset + 3];
  return true;
}

bool IFontInfo::FindFace(uint32_t faceIdx)
{
  mFontBytes = nullptr;
  uint32_t tag = 0;
  if (!U32(0, tag))
    return false;

  if (tag == 0x00010000 || tag == Tag('O', 'T', 'T', 'O') || tag == Tag('t', 'y', 'p', '1') || tag == Tag('1', 0, 0, 0))
  {
    if (faceIdx != 0)
      return false;
    mFontBytes = mData;
    return true;
  }

  if (tag == Tag('t', 't', 'c', 'f'))
  {
    uint32_t version = 0, count = 0, faceOffset = 0;
    if (!U32(4, version) || (version != 0x00010000 && version != 0x00020000))
      return false;
    if (!U32(8, count) || faceIdx >= count)
      return false;
    if (!U32(12 + uint64_t(faceIdx) * 4, faceOffset) || faceOffset >= mSize)
      return false;
    mFontBytes = mData + faceOffset;
    return true;
  }
  return false;
}

bool IFontInfo::ReadTableDirectory()
{
  const uint64_t face = uint64_t(mFontBytes - mData);
  uint16_t numTables = 0;
  if (!U16(face + 4, numTables))
    return false;

  for (uint32_t i = 0; i < numTables; ++i)
  {
    const uint64_t record = face + 12 + uint64_t(i) * 16;
    uint32_t tag = 0, offset = 0, length = 0;
    if (!U32(record, tag) || !U32(record + 8, offset) || !U32(record + 12, length))
      return false;
    // A table that claims bytes beyond the file is not a table of this file.
    if (uint64_t(offset) + length > mSize)
      return false;

    uint32_t* target = nullptr;
    switch (tag)
    {
    case Tag('h', 'e', 'a', 'd'): target = &mHeadOffset; break;
    case Tag('n', 'a', 'm', 'e'): target = &mNameOffset; break;
    case Tag('h', 'h', 'e', 'a'): target = &mHheaOffset; break;
    case Tag('f', 'd', 's', 'c'): target = &mFdscOffset; break;
    default: break;
    }
    if (target && *target == 0)
      *target = offset;
  }
  return mHeadOffset && mNameOffset && mHheaOffset;
}

WDL_String IFontInfo::SearchFontString(uint16_t nameID) const
{
  WDL_String str = GetFontString(nameID, kWindows);
  if (!str.GetLength())
    str = GetFontString(nameID, kMacintosh);
  return str;
}

WDL_String IFontInfo::GetFontString(uint16_t nameID, EStringID platform) const
{
  WDL_String result;
  const uint64_t table = mNameOffset;
  uint16_t count = 0, storage = 0;
  if (!table || !U16(table + 2, count) || !U16(table + 4, storage))
    return result;

  const uint16_t wantPlatform = platform == kMacintosh ? 1 : 3;
  const uint16_t wantEncoding = platform == kMacintosh ? 0 : 1;
  const uint16_t wantLanguage = platform == kMacintosh ? 0 : 0x409;

  for (uint32_t i = 0; i < count; ++i)
  {
    const uint64_t record = table + 6 + uint64_t(i) * 12;
    uint16_t platformID = 0, encodingID = 0, languageID = 0, id = 0, length = 0, offset = 0;
    if (!U16(record, platformID) || !U16(record + 2, encodingID) || !U16(record + 4, languageID) ||
        !U16(record + 6, id) || !U16(record + 8, length) || !U16(record + 10, offset))
      return result;
    if (platformID != wantPlatform || encodingID != wantEncoding || languageID != wantLanguage || id != nameID)
      continue;

    const uint64_t start = table + storage + offset;
    if (start > mSize)
      return result;
    const uint64_t available = mSize - start;
    std::string text;

    if (platform == kMacintosh)
    {
      // A length of 0 means the text runs to its terminator (or to the end of the file).
      const uint64_t limit = length ? (length < available ? length : available) : available;
      const char* chars = reinterpret_cast<const char*>(mData + start);
      const void* nul = std::memchr(chars, 0, limit);
      text.assign(chars, nul ? static_cast<const char*>(nul) - chars : limit);
    }
    else
    {
      if (uint64_t(length) > available)
        return result;
      const uint32_t units = length / 2;
      for (uint32_t u = 0; u < units; ++u)
      {
        uint16_t c = 0;
        U16(start + uint64_t(u) * 2, c);
        uint32_t cp = c;
        if (c >= 0xD800 && c < 0xDC00)
        {
          uint16_t low = 0;
          if (u + 1 < units && U16(start + uint64_t(u + 1) * 2, low) && low >= 0xDC00 && low < 0xE000)
          {
            cp = 0x10000 + ((uint32_t(c - 0xD800) << 10) | uint32_t(low - 0xDC00));
            ++u;
          }
          else
            cp = kReplacementChar;
        }
        else if (c >= 0xDC00 && c < 0xE000)
          cp = kReplacementChar;
        brimvale::utility::AppendUTF8(text, cp);
      }
    }
    result.Set(text.c_str(), static_cast<int>(text.size()));
    return result;
  }
  return result;
}

IFontData::IFontData(const void* data, int size, int faceIdx)
: IFontInfo(data, size > 0 ? uint32_t(size) : 0, faceIdx >= 0 ? uint32_t(faceIdx) : 0)
, mFaceIdx(faceIdx)
{
  if (data && size > 0)
  {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    mBytes.assign(bytes, bytes + size);
    // Point the face at our own copy so that nothing refers to the caller's bytes later.
    if (mFontBytes)
      mFontBytes = mBytes.data() + (mFontBytes - bytes);
  }
  else
    mFontBytes = nullptr;
}

int PlatformFont::GetFaceIdx(const void* data, int size, const char* styleName)
{
  if (!data || size <= 0)
    return -1;
  const bool anyStyle = !styleName || !*styleName;
  for (uint32_t face = 0;; ++face)
  {
    IFontInfo info(data, uint32_t(size), face);
    if (!info.IsValid())
      return -1;
    const WDL_String& style = info.GetStyle();
    if (style.GetLength() && (anyStyle || std::strcmp(style.Get(), styleName) == 0))
      return int(face);
  }
}

} // namespace iplug::igraphics
