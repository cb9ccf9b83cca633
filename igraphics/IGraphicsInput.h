#pragma once

#include <cstdint>

#include "iplug/IPlugStructs.h"

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

// The key record is the framework's: the host's views build it without knowing the toolkit.
using IKeyPress = iplug::IKeyPress;

} // namespace igraphics
} // namespace iplug
