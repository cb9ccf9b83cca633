#pragma once

#include <cmath>

#include "utility/MathConstants.h"

namespace iplug
{
namespace igraphics
{

/** An affine transform: x' = XX·x + XY·y + TX, y' = YX·x + YY·y + TY. Angles are degrees. */
struct IMatrix
{
  double mXX = 1.0;
  double mYX = 0.0;
  double mXY = 0.0;
  double mYY = 1.0;
  double mTX = 0.0;
  double mTY = 0.0;

  constexpr IMatrix() = default;
  constexpr IMatrix(double xx, double yx, double xy, double yy, double tx, double ty)
  : mXX(xx)
  , mYX(yx)
  , mXY(xy)
  , mYY(yy)
  , mTX(tx)
  , mTY(ty)
  {}

  constexpr bool operator==(const IMatrix& o) const
  {
    return mXX == o.mXX && mYX == o.mYX && mXY == o.mXY && mYY == o.mYY && mTX == o.mTX && mTY == o.mTY;
  }

  IMatrix& Translate(float x, float y)
  {
    mTX += mXX * x + mXY * y;
    mTY += mYX * x + mYY * y;
    return *this;
  }

  IMatrix& Scale(float x, float y)
  {
    mXX *= x;
    mYX *= x;
    mXY *= y;
    mYY *= y;
    return *this;
  }

  IMatrix& Rotate(float angle)
  {
    const float rad = angle / 180.f * brimvale::utility::kPiFloat;
    const double c = std::cos(rad);
    const double s = std::sin(rad);
    return Set(c * mXX + s * mXY, c * mYX + s * mYY, c * mXY - s * mXX, c * mYY - s * mYX, mTX, mTY);
  }

  IMatrix& Skew(float xAngle, float yAngle)
  {
    const double tx = std::tan(xAngle / 180.0 * brimvale::utility::kPi);
    const double ty = std::tan(yAngle / 180.0 * brimvale::utility::kPi);
    return Transform(IMatrix(1.0, ty, tx, 1.0, 0.0, 0.0));
  }

  /** Applies m in the current frame: m acts first, then this matrix. */
  IMatrix& Transform(const IMatrix& m)
  {
    return Set(mXX * m.mXX + mXY * m.mYX, mYX * m.mXX + mYY * m.mYX, mXX * m.mXY + mXY * m.mYY,
               mYX * m.mXY + mYY * m.mYY, mXX * m.mTX + mXY * m.mTY + mTX, mYX * m.mTX + mYY * m.mTY + mTY);
  }

  void TransformPoint(double& x, double& y) const
  {
    const double x0 = x;
    x = mXX * x0 + mXY * y + mTX;
    y = mYX * x0 + mYY * y + mTY;
  }

  /** The inverse; a singular matrix gives the identity. */
  IMatrix Inverted() const
  {
    const double det = mXX * mYY - mYX * mXY;
    if (det == 0.0)
      return IMatrix();
    const double d = 1.0 / det;
    return IMatrix(mYY * d, -mYX * d, -mXY * d, mXX * d, (mXY * mTY - mYY * mTX) * d, (mYX * mTX - mXX * mTY) * d);
  }

private:
  IMatrix& Set(double xx, double yx, double xy, double yy, double tx, double ty)
  {
    *this = IMatrix(xx, yx, xy, yy, tx, ty);
    return *this;
  }
};

} // namespace igraphics
} // namespace iplug
