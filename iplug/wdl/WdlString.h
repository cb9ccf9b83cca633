#pragma once

#include <cstdarg>

#include "iplug/wdl/WdlHeapBuf.h"

#if defined(__MINGW32__)
#define WDL_PRINTF_FORMAT(fmtIdx, argIdx) __attribute__((format(gnu_printf, fmtIdx, argIdx)))
#elif defined(__GNUC__)
#define WDL_PRINTF_FORMAT(fmtIdx, argIdx) __attribute__((format(printf, fmtIdx, argIdx)))
#else
#define WDL_PRINTF_FORMAT(fmtIdx, argIdx)
#endif

namespace iplug
{

// A growable NUL-terminated text. Every edit either succeeds whole or leaves the text as it was
// (the bool results say which); an empty string may own no memory and then reads as "".
class WDL_String
{
public:
  explicit WDL_String(const char* text = nullptr, int maxLen = 0);
  WDL_String(const WDL_String& other);
  WDL_String& operator=(const WDL_String& other);
  WDL_String(WDL_String&& other) noexcept = default;
  WDL_String& operator=(WDL_String&& other) noexcept = default;

  const char* Get() const;
  // The buffer for writing in place (up to GetLength() bytes), or null while no memory is owned.
  char* GetWritable();
  int GetLength() const;

  // maxLen > 0 limits how many bytes of text are taken; copying also stops at the text's NUL.
  bool Set(const char* text, int maxLen = 0);
  bool Append(const char* text, int maxLen = 0);
  // position is clamped to 0..GetLength().
  bool Insert(const char* text, int position, int maxLen = 0);
  // Truncates to, or pads with blanks up to, length bytes.
  bool SetLen(int length);

  // Formats at most maxLen bytes of text.
  bool SetFormatted(int maxLen, const char* format, ...) WDL_PRINTF_FORMAT(3, 4);
  bool AppendFormatted(int maxLen, const char* format, ...) WDL_PRINTF_FORMAT(3, 4);

private:
  bool SetAt(int offset, const char* text, int textLen, int keepAfter);
  bool FormatAt(int offset, int maxLen, const char* format, va_list args);

  WDL_HeapBuf mHeap{128};
};

} // namespace iplug
