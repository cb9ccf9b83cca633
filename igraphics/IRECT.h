#pragma once

#include <algorithm>
#include <cmath>

namespace iplug
{
namespace igraphics
{

/** A rectangle in editor units; y grows downwards. All four fields 0 means empty. */
struct IRECT
{
  float L = 0.f;
  float T = 0.f;
  float R = 0.f;
  float B = 0.f;

  constexpr IRECT() = default;
  constexpr IRECT(float l, float t, float r, float b) : L(l), T(t), R(r), B(b) {}

  constexpr bool operator==(const IRECT& o) const { return L == o.L && T == o.T && R == o.R && B == o.B; }
  constexpr bool operator!=(const IRECT& o) const { return !(*this == o); }

  constexpr float W() const { return R - L; }
  constexpr float H() const { return B - T; }
  constexpr float MW() const { return (L + R) / 2.f; }
  constexpr float MH() const { return (T + B) / 2.f; }

  constexpr bool Empty() const { return L == 0.f && T == 0.f && R == 0.f && B == 0.f; }

  /** Left and top edges inside, right and bottom edges outside. */
  constexpr bool Contains(float x, float y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }

  constexpr bool Contains(const IRECT& r) const
  {
    return !Empty() && !r.Empty() && r.L >= L && r.R <= R && r.T >= T && r.B <= B;
  }

  constexpr bool Intersects(const IRECT& r) const
  {
    return !Empty() && !r.Empty() && r.L <= R && r.R > L && r.T <= B && r.B > T;
  }

  /** The overlap, or the empty rectangle when there is none. */
  IRECT Intersect(const IRECT& r) const
  {
    if (!Intersects(r))
      return IRECT();
    return IRECT(std::max(L, r.L), std::max(T, r.T), std::min(R, r.R), std::min(B, r.B));
  }

  /** The smallest rectangle holding both; an empty side adds nothing. */
  IRECT Union(const IRECT& r) const
  {
    if (Empty())
      return r;
    if (r.Empty())
      return *this;
    return IRECT(std::min(L, r.L), std::min(T, r.T), std::max(R, r.R), std::max(B, r.B));
  }

  /** Whether the two rectangles join into one: same columns touching vertically, or same rows
      touching horizontally. */
  constexpr bool Mergeable(const IRECT& r) const
  {
    if (Empty() || r.Empty())
      return true;
    if (L == r.L && R == r.R && ((T >= r.T && T <= r.B) || (r.T >= T && r.T <= B)))
      return true;
    return T == r.T && B == r.B && ((L >= r.L && L <= r.R) || (r.L >= L && r.L <= R));
  }

  /** Moves this rectangle inside p, then cuts what still sticks out. */
  void Clank(const IRECT& p)
  {
    if (p.L > L)
    {
      R = std::min(R + (p.L - L), p.R - 1.f);
      L = p.L;
    }
    if (p.T > T)
    {
      B = std::min(B + (p.T - T), p.B - 1.f);
      T = p.T;
    }
    if (R >= p.R)
    {
      L = std::max(L - (R - p.R + 1.f), p.L);
      R = p.R - 1.f;
    }
    if (B >= p.B)
    {
      T = std::max(T - (B - p.B + 1.f), p.T);
      B = p.B - 1.f;
    }
  }

  constexpr IRECT GetTranslated(float dx, float dy) const { return IRECT(L + dx, T + dy, R + dx, B + dy); }

  /** A negative padding shrinks. */
  constexpr IRECT GetPadded(float p) const { return IRECT(L - p, T - p, R + p, B + p); }

  constexpr IRECT GetCentredInside(float w, float h) const
  {
    return IRECT(MW() - w / 2.f, MH() - h / 2.f, MW() + w / 2.f, MH() + h / 2.f);
  }

  /** Grows outwards to the pixel grid of the given scale, so the result covers this rectangle. */
  IRECT PixelAligned(float scale) const
  {
    return IRECT(std::floor(L * scale) / scale, std::floor(T * scale) / scale, std::ceil(R * scale) / scale,
                 std::ceil(B * scale) / scale);
  }
};

} // namespace igraphics
} // namespace iplug
