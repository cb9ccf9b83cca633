// Font files come from disk, resources and the system: the reader must survive any bytes.
#include "igraphics/drawing/IGraphicsFontData.h"

#include <cstddef>
#include <cstdint>

using namespace iplug::igraphics;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const uint32_t n = static_cast<uint32_t>(size);
  for (uint32_t face = 0; face < 3; ++face)
  {
    IFontInfo info(data, n, face);
    if (info.IsValid())
      (void)(info.GetFamily().GetLength() + info.GetStyle().GetLength());
  }
  PlatformFont::GetFaceIdx(data, static_cast<int>(size), "Bold");
  PlatformFont::GetFaceIdx(data, static_cast<int>(size), nullptr);
  IFontData copy(data, static_cast<int>(size), 0);
  return 0;
}
