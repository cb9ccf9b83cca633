#pragma once

namespace brimvale::engine
{

// Limits v to lo..hi; a NaN becomes lo, so a broken setting cannot poison the running state.
inline double Clamp(double v, double lo, double hi)
{
  return v > lo ? (v < hi ? v : hi) : lo;
}

} // namespace brimvale::engine
