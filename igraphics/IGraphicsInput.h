#pragma once

#include <cstdint>
#include <cstddef>

namespace iplug
{
namespace igraphics
{

enum class EDirection : int32_t
{
  Vertical = 0,
  Horizontal = 1
};

/** Cursor shapes the platform layers can show; 0 is the ordinary arrow. */
enum class ECursor : int32_t
{
  ARROW = 0,
  IBEAM,
  WAIT,
  CROSS,
  UPARROW,
  SIZENWSE,
  SIZENESW,
  SIZEWE,
  SIZENS,
  SIZEALL,
  INO,
  HAND,
  APPSTARTING,
  HELP
};

/** Buttons and modifier keys of one mouse or touch event; the mouse is touch 0. */
struct IMouseMod
{
  bool L = false;
  bool R = false;
  bool S = false;
  bool C = false;
  bool A = false;
  uintptr_t touchID = 0;
  float touchRadius = 0.f;

  constexpr IMouseMod(bool l = false, bool r = false, bool s = false, bool c = false, bool a = false,
                      uintptr_t touch = 0, float radius = 0.f)
  : L(l)
  , R(r)
  , S(s)
  , C(c)
  , A(a)
  , touchID(touch)
  , touchRadius(radius)
  {}
};

struct IMouseInfo
{
  float x = 0.f;
  float y = 0.f;
  float dX = 0.f;
  float dY = 0.f;
  IMouseMod ms;
};

/** A key event; VK uses the Windows virtual-key numbering on every platform. */
struct IKeyPress
{
  int32_t VK = 0;
  char utf8[5] = {};
  bool S = false;
  bool C = false;
  bool A = false;

  /** The character is cut to four bytes so the record always stays NUL-terminated. */
  IKeyPress(const char* str, int32_t vk, bool s = false, bool c = false, bool a = false) : VK(vk), S(s), C(c), A(a)
  {
    for (size_t i = 0; str && str[i] && i < sizeof(utf8) - 1; ++i)
      utf8[i] = str[i];
  }
};

} // namespace igraphics
} // namespace iplug
