#include "iplug/wdl/WdlString.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "iplug/wdl/WdlHeapAlloc.h"

namespace iplug
{
namespace
{
int TextLength(const char* text, int maxLen)
{
  if (text == nullptr)
    return 0;
  const size_t limit = maxLen > 0 ? static_cast<size_t>(maxLen) : static_cast<size_t>(INT_MAX);
  const void* nul = std::memchr(text, 0, limit);
  return nul ? static_cast<int>(static_cast<const char*>(nul) - text) : static_cast<int>(limit);
}

bool Inside(const char* p, const char* begin, int size)
{
  const auto at = reinterpret_cast<uintptr_t>(p);
  const auto start = reinterpret_cast<uintptr_t>(begin);
  return begin != nullptr && at >= start && at < start + static_cast<uintptr_t>(size);
}
} // namespace

WDL_String::WDL_String(const char* text, int maxLen)
{
  if (text != nullptr)
    Set(text, maxLen);
}

WDL_String::WDL_String(const WDL_String& other)
{
  Set(other.Get());
}

WDL_String& WDL_String::operator=(const WDL_String& other)
{
  if (this != &other)
    Set(other.Get());
  return *this;
}

const char* WDL_String::Get() const
{
  return mHeap.GetSize() > 0 ? static_cast<const char*>(mHeap.Get()) : "";
}

char* WDL_String::GetWritable()
{
  return mHeap.GetSize() > 0 ? static_cast<char*>(mHeap.Get()) : nullptr;
}

int WDL_String::GetLength() const
{
  return static_cast<int>(std::strlen(Get()));
}

bool WDL_String::Set(const char* text, int maxLen)
{
  return SetAt(0, text, TextLength(text, maxLen), 0);
}

bool WDL_String::Append(const char* text, int maxLen)
{
  return SetAt(GetLength(), text, TextLength(text, maxLen), 0);
}

bool WDL_String::Insert(const char* text, int position, int maxLen)
{
  const int length = GetLength();
  position = std::clamp(position, 0, length);
  return SetAt(position, text, TextLength(text, maxLen), length - position);
}

bool WDL_String::SetLen(int length)
{
  length = std::max(length, 0);
  const int old = GetLength();
  if (mHeap.Resize(length + 1, false) == nullptr || mHeap.GetSize() != length + 1)
    return false;
  char* buf = static_cast<char*>(mHeap.Get());
  if (length > old)
    std::memset(buf + old, ' ', static_cast<size_t>(length - old));
  buf[length] = 0;
  return true;
}

bool WDL_String::SetAt(int offset, const char* text, int textLen, int keepAfter)
{
  const int64_t newSize = int64_t{offset} + textLen + keepAfter + 1;
  if (newSize > INT_MAX)
    return false;

  // A source inside this text may move with the buffer or be overwritten by the kept tail, so it is
  // copied aside first.
  char* aside = nullptr;
  if (textLen > 0 && Inside(text, static_cast<const char*>(mHeap.Get()), mHeap.GetAllocatedSize()))
  {
    aside = static_cast<char*>(wdl_heap::Malloc(static_cast<size_t>(textLen)));
    if (aside == nullptr)
      return false;
    std::memcpy(aside, text, static_cast<size_t>(textLen));
    text = aside;
  }

  const bool grown = mHeap.Resize(static_cast<int>(newSize)) != nullptr && mHeap.GetSize() == newSize;
  if (grown)
  {
    char* buf = static_cast<char*>(mHeap.Get());
    if (keepAfter > 0)
      std::memmove(buf + offset + textLen, buf + offset, static_cast<size_t>(keepAfter));
    if (textLen > 0)
      std::memcpy(buf + offset, text, static_cast<size_t>(textLen));
    buf[newSize - 1] = 0;
  }
  if (aside != nullptr)
    wdl_heap::Free(aside);
  return grown;
}

bool WDL_String::FormatAt(int offset, int maxLen, const char* format, va_list args)
{
  maxLen = std::max(maxLen, 0);
  const int64_t room = int64_t{offset} + maxLen + 1;
  if (room > INT_MAX)
    return false;
  // Nothing is written unless the room for the whole result could be had.
  if (mHeap.Resize(static_cast<int>(room), false) == nullptr || mHeap.GetSize() != room)
    return false;
  char* buf = static_cast<char*>(mHeap.Get());
  const int written = std::vsnprintf(buf + offset, static_cast<size_t>(maxLen) + 1, format, args);
  // An encoding error yields no text at all rather than a half-written one.
  const int kept = written < 0 ? 0 : std::min(written, maxLen);
  buf[offset + kept] = 0;
  mHeap.Resize(offset + kept + 1, false);
  return written >= 0;
}

bool WDL_String::SetFormatted(int maxLen, const char* format, ...)
{
  va_list args;
  va_start(args, format);
  const bool ok = FormatAt(0, maxLen, format, args);
  va_end(args);
  return ok;
}

bool WDL_String::AppendFormatted(int maxLen, const char* format, ...)
{
  va_list args;
  va_start(args, format);
  const bool ok = FormatAt(GetLength(), maxLen, format, args);
  va_end(args);
  return ok;
}

} // namespace iplug
