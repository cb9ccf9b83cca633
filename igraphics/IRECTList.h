#pragma once

#include "igraphics/IRECT.h"

#include <vector>

namespace iplug
{
namespace igraphics
{

/** An ordered list of rectangles: the regions of one frame, drawn in list order. */
class IRECTList
{
public:
  int Size() const { return static_cast<int>(mRects.size()); }

  /** False when the list could not grow; the list is then unchanged. */
  bool Add(const IRECT& rect);
  void Set(int idx, const IRECT& rect) { mRects[idx] = rect; }
  const IRECT& Get(int idx) const { return mRects[idx]; }
  void Delete(int idx) { mRects.erase(mRects.begin() + idx); }
  void Clear() { mRects.clear(); }

  /** The union of every entry (empty entries add nothing). */
  IRECT Bounds() const;
  void PixelAlign(float scale);

  /** Removes overlaps and merges neighbours so that no pixel is drawn twice. */
  void Optimize();

  /** Cuts the overlap i out of r: one piece is appended, the other returned to replace r. */
  IRECT Split(IRECT r, const IRECT& i);

  /** Replaces r by what is left of it around the overlap i: the returned piece, plus any
   * further pieces appended to the list. */
  IRECT Subtract(const IRECT& r, const IRECT& i);

  /** The part of r that is left when the overlap i is cut off one of its edges. */
  static IRECT Shrink(const IRECT& r, const IRECT& i);

private:
  std::vector<IRECT> mRects;
};

} // namespace igraphics
} // namespace iplug
