#include "igraphics/IRECTList.h"

#include <new>

namespace iplug
{
namespace igraphics
{

namespace
{

float Area(const IRECT& r)
{
  return r.W() * r.H();
}

// x lies inside r. Cutting x off r leaves one rectangle only when x spans r along one axis and
// reaches one end along the other, i.e. shares three edges with it.
bool ShrinksExactly(const IRECT& r, const IRECT& x)
{
  return ((x.L == r.L) + (x.T == r.T) + (x.R == r.R) + (x.B == r.B)) >= 3;
}

// x sits in a corner of r (two adjacent shared edges): the two-piece cut of Split is exact.
bool InCorner(const IRECT& r, const IRECT& x)
{
  return (x.L == r.L || x.R == r.R) && (x.T == r.T || x.B == r.B);
}

} // namespace

bool IRECTList::Add(const IRECT& rect)
{
  try
  {
    mRects.push_back(rect);
    return true;
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
}

IRECT IRECTList::Bounds() const
{
  IRECT bounds;
  for (const IRECT& r : mRects)
    bounds = bounds.Union(r);
  return bounds;
}

void IRECTList::PixelAlign(float scale)
{
  for (IRECT& r : mRects)
    r = r.PixelAligned(scale);
}

IRECT IRECTList::Shrink(const IRECT& r, const IRECT& i)
{
  if (i.L != r.L)
    return IRECT(r.L, r.T, i.L, r.B);
  if (i.T != r.T)
    return IRECT(r.L, r.T, r.R, i.T);
  if (i.R != r.R)
    return IRECT(i.R, r.T, r.R, r.B);
  return IRECT(r.L, i.B, r.R, r.B);
}

IRECT IRECTList::Subtract(const IRECT& r, const IRECT& x)
{
  if (InCorner(r, x))
    return Split(r, x);
  // x touches at most one edge of r, or spans it through the middle: up to four pieces.
  const IRECT pieces[] = {IRECT(r.L, r.T, r.R, x.T), IRECT(r.L, x.B, r.R, r.B), IRECT(r.L, x.T, x.L, x.B),
                          IRECT(x.R, x.T, r.R, x.B)};
  IRECT replacement;
  bool first = true;
  for (const IRECT& piece : pieces)
  {
    if (piece.W() <= 0.f || piece.H() <= 0.f)
      continue;
    if (first)
      replacement = piece;
    else
      Add(piece);
    first = false;
  }
  return replacement;
}

IRECT IRECTList::Split(IRECT r, const IRECT& i)
{
  if (r.L == i.L)
  {
    if (r.T == i.T)
    {
      Add(IRECT(i.R, r.T, r.R, i.B));
      return IRECT(r.L, i.B, r.R, r.B);
    }
    Add(IRECT(r.L, r.T, r.R, i.T));
    return IRECT(i.R, i.T, r.R, r.B);
  }
  if (r.T == i.T)
  {
    Add(IRECT(r.L, r.T, i.L, i.B));
    return IRECT(r.L, i.B, r.R, r.B);
  }
  Add(IRECT(r.L, r.T, r.R, i.T));
  return IRECT(r.L, i.T, i.L, r.B);
}

void IRECTList::Optimize()
{
  // Pass 1: no two entries overlap afterwards. Split may append, so the size is read every time.
  for (int i = 0; i < Size(); ++i)
  {
    for (int j = i + 1; j < Size(); ++j)
    {
      const IRECT ri = mRects[i];
      const IRECT rj = mRects[j];
      if (ri.Contains(rj))
      {
        Delete(j--);
      }
      else if (rj.Contains(ri))
      {
        Delete(i);
        j = i; // the entry now at i is compared with everything after it
      }
      else if (ri.Intersects(rj))
      {
        const IRECT x = ri.Intersect(rj);
        // Shrinking is only taken where it loses nothing: an overlap through the middle of a
        // rect is mergeable with it too, but cutting it off one edge would drop the far side.
        if (ri.Mergeable(x) && ShrinksExactly(ri, x))
          mRects[i] = Shrink(ri, x);
        else if (rj.Mergeable(x) && ShrinksExactly(rj, x))
          mRects[j] = Shrink(rj, x);
        else if (Area(rj) <= Area(ri))
        {
          const IRECT replacement = Subtract(rj, x);
          mRects[j] = replacement;
        }
        else
        {
          const IRECT replacement = Subtract(ri, x);
          mRects[i] = replacement;
        }
      }
    }
  }

  // Pass 2: join neighbours until no pair can be joined.
  for (int i = 0; i < Size(); ++i)
  {
    for (int j = i + 1; j < Size(); ++j)
    {
      if (mRects[i].Mergeable(mRects[j]))
      {
        mRects[j] = mRects[i].Union(mRects[j]);
        Delete(i);
        i = -1;
        break;
      }
    }
  }
}

} // namespace igraphics
} // namespace iplug
