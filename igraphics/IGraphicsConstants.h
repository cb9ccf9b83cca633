#pragma once

#include <cstdint>

#include "igraphics/IGraphicsLook.h"
#include "iplug/IPlugPaths.h" // EResourceLocation

namespace iplug
{
namespace igraphics
{

/** What a corner drag does to the editor. */
enum class EUIResizerMode : int32_t
{
  Scale = 0,
  Size = 1
};

enum class EUIAppearance : int32_t
{
  Light = 0,
  Dark = 1
};

/** Message-box kinds and answers use the Windows codes on every platform. */
enum EMsgBoxType : int32_t
{
  kMB_OK = 0,
  kMB_OKCANCEL = 1,
  kMB_YESNOCANCEL = 3,
  kMB_YESNO = 4,
  kMB_RETRYCANCEL = 5
};

enum EMsgBoxResult : int32_t
{
  kNoResult = 0,
  kOK = 1,
  kCANCEL = 2,
  kRETRY = 4,
  kYES = 6,
  kNO = 7
};

enum class EFileAction : int32_t
{
  Open = 0,
  Save = 1
};

enum class ETextStyle : int32_t
{
  Normal = 0,
  Bold = 1,
  Italic = 2
};

enum class EWinding : int32_t
{
  CW = 0,
  CCW = 1
};

enum class EGestureType : int32_t
{
  Unknown = 0,
  DoubleTap,
  TripleTap,
  LongPress1,
  LongPress2,
  SwipeLeft,
  SwipeRight,
  SwipeUp,
  SwipeDown,
  Pinch,
  Rotate,
  Pan
};

} // namespace igraphics
} // namespace iplug
