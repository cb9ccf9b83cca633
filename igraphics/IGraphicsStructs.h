#pragma once

#include "igraphics/IGraphicsConstants.h"
#include "igraphics/IGraphicsInput.h"
#include "igraphics/IGraphicsLook.h"
#include "igraphics/IRECT.h"

namespace iplug
{
namespace igraphics
{

/** A recognised gesture at a point of the editor. */
struct IGestureInfo
{
  float x = 0.f;
  float y = 0.f;
  EGestureType type = EGestureType::Unknown;
};

} // namespace igraphics
} // namespace iplug
