#pragma once

#include "igraphics/IGraphicsLook.h"
#include "igraphics/IMatrix.h"

#include <cstdint>

namespace iplug
{
namespace igraphics
{

enum class EPatternType : int32_t
{
  Solid = 0,
  Linear,
  Radial
};

enum class EPatternExtend : int32_t
{
  None = 0,
  Pad,
  Reflect,
  Repeat
};

enum class EFillRule : int32_t
{
  Winding = 0,
  EvenOdd,
  Preserve // keep the winding that each sub-path was given
};

enum class ELineCap : int32_t
{
  Butt = 0,
  Round,
  Square
};

enum class ELineJoin : int32_t
{
  Miter = 0,
  Round,
  Bevel
};

struct IColorStop
{
  IColor mColor;
  float mOffset = 0.f;
};

/** The paint of a fill or a stroke: one colour, or a gradient of up to 16 stops. The transform
 * maps editor coordinates into the gradient's own space, where a linear gradient runs from
 * (0, 0) to (0, 1) and a radial one has its centre at (0, 0) and radius 1. */
struct IPattern
{
  static constexpr int kMaxStops = 16;

  EPatternType mType = EPatternType::Solid;
  EPatternExtend mExtend = EPatternExtend::None;
  IColorStop mStops[kMaxStops] = {};
  int32_t mNStops = 0;
  IMatrix mTransform;

  explicit IPattern(EPatternType type = EPatternType::Solid) : mType(type) {}

  IPattern(const IColor& color) : mType(EPatternType::Solid) { AddStop(color, 0.f); }

  int NStops() const { return mNStops; }
  const IColorStop& GetStop(int idx) const { return mStops[idx]; }

  /** Stops beyond the sixteenth are dropped. */
  void AddStop(const IColor& color, float offset)
  {
    if (mNStops < kMaxStops)
      mStops[mNStops++] = {color, offset};
  }

  void SetTransform(const IMatrix& transform) { mTransform = transform; }
};

struct IFillOptions
{
  EFillRule mFillRule = EFillRule::Winding;
  bool mPreserve = false;

  constexpr IFillOptions() = default;
  constexpr IFillOptions(bool preserve, EFillRule rule = EFillRule::Winding) : mFillRule(rule), mPreserve(preserve) {}
};

/** Dash settings ride along for drawing code that wants them; the NanoVG back end ignores them. */
struct IDashOptions
{
  static constexpr int kMaxDashes = 8;
  float mOffset = 0.f;
  float mArray[kMaxDashes] = {};
  int32_t mCount = 0;

  void SetDash(const float* array, float offset, int count)
  {
    mOffset = offset;
    mCount = count < 0 ? 0 : (count > kMaxDashes ? kMaxDashes : count);
    for (int i = 0; i < mCount; ++i)
      mArray[i] = array[i];
  }
};

struct IStrokeOptions
{
  float mMiterLimit = 10.f;
  bool mPreserve = false;
  ELineCap mCapOption = ELineCap::Butt;
  ELineJoin mJoinOption = ELineJoin::Miter;
  IDashOptions mDash;
};

struct IShadow
{
  IPattern mPattern;
  float mBlurSize = 0.f;
  float mXOffset = 0.f;
  float mYOffset = 0.f;
  float mOpacity = 1.f;
  bool mDrawForeground = true;

  IShadow(const IPattern& pattern, float blurSize, float xOffset, float yOffset, float opacity,
          bool drawForeground = true)
  : mPattern(pattern)
  , mBlurSize(blurSize)
  , mXOffset(xOffset)
  , mYOffset(yOffset)
  , mOpacity(opacity)
  , mDrawForeground(drawForeground)
  {}
};

} // namespace igraphics
} // namespace iplug
