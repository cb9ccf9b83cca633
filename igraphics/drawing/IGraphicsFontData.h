#pragma once

#include "iplug/wdl/WdlString.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace iplug::igraphics
{

/** Reads just enough of an sfnt font file (TrueType, OpenType or a collection of them) to pick a
 * face and learn its names and vertical metrics. The bytes come from files and system fonts, so
 * every read is checked against the size: malformed data leaves the object invalid. */
class IFontInfo
{
public:
  enum EStringID
  {
    kMacintosh = 0,
    kWindows = 1
  };

  IFontInfo(const void* data, uint32_t size, uint32_t faceIdx);
  virtual ~IFontInfo() = default;

  bool IsValid() const { return mFontBytes && mHeadOffset && mNameOffset && mHheaOffset; }

  const WDL_String& GetFamily() const { return mFamilyName; }
  const WDL_String& GetStyle() const { return mStyleName; }
  bool IsBold() const { return mMacStyle & (1 << 0); }
  bool IsItalic() const { return mMacStyle & (1 << 1); }
  bool IsUnderline() const { return mMacStyle & (1 << 2); }
  uint16_t GetUnitsPerEM() const { return mUnitsPerEm; }
  int16_t GetAscender() const { return mAscender; }
  int16_t GetDescender() const { return mDescender; }
  int16_t GetLineGap() const { return mLineGap; }

protected:
  /** Locates the offset table of a face; false for anything that is not a font holding it. */
  bool FindFace(uint32_t faceIdx);
  WDL_String SearchFontString(uint16_t nameID) const;
  WDL_String GetFontString(uint16_t nameID, EStringID platform) const;

  const uint8_t* mFontBytes = nullptr;
  uint32_t mHeadOffset = 0;
  uint32_t mNameOffset = 0;
  uint32_t mHheaOffset = 0;
  uint32_t mFdscOffset = 0;
  WDL_String mFamilyName;
  WDL_String mStyleName;
  uint16_t mMacStyle = 0;
  uint16_t mUnitsPerEm = 0;
  int16_t mAscender = 0;
  int16_t mDescender = 0;
  int16_t mLineGap = 0;

private:
  void Parse(uint32_t faceIdx);
  bool ReadTableDirectory();
  bool U16(uint64_t offset, uint16_t& value) const;
  bool U32(uint64_t offset, uint32_t& value) const;

  const uint8_t* mData = nullptr; // start of the whole file
  uint32_t mSize = 0;
};

/** The bytes of one font file, owned, with the face that is meant. */
class IFontData : public IFontInfo
{
public:
  IFontData(const void* data, int size, int faceIdx);

  const uint8_t* Get() const { return mBytes.data(); }
  int GetSize() const { return static_cast<int>(mBytes.size()); }
  int GetFaceIdx() const { return mFaceIdx; }

private:
  std::vector<uint8_t> mBytes;
  int mFaceIdx;
};

using FontDescriptor = void*;
using IFontDataPtr = std::unique_ptr<IFontData>;

/** A font as the platform holds it (a file, a resource or a system font). */
class PlatformFont
{
public:
  explicit PlatformFont(bool system) : mSystem(system) {}
  virtual ~PlatformFont() = default;
  PlatformFont(const PlatformFont&) = delete;
  PlatformFont& operator=(const PlatformFont&) = delete;

  virtual FontDescriptor GetDescriptor() = 0;
  virtual IFontDataPtr GetFontData() = 0;

  bool IsSystem() const { return mSystem; }

  /** The first face with a style name that equals styleName (any named face when styleName is
   * empty or null); -1 when none precedes the first face that cannot be read. */
  static int GetFaceIdx(const void* data, int size, const char* styleName);

protected:
  bool mSystem;
};

using PlatformFontPtr = std::unique_ptr<PlatformFont>;

} // namespace iplug::igraphics
