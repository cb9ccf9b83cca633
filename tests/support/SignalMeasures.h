// Measures of rendered sound shared by the engine and module tests: the level of one frequency and
// the decay rate of an energy envelope.
#pragma once

#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace signaltest
{

// Amplitude of the sinusoid at hz within x[begin, begin + count), by Goertzel's recurrence over a
// Hann window: a tone far from hz leaks nothing measurable into it, even when it is smeared (by the
// reverb's modulation) rather than a whole number of cycles long.
template <typename T>
double ToneAmplitude(const std::vector<T>& x, size_t begin, size_t count, double hz, double rate)
{
  const double pi = brimvale::utility::kPi;
  const double coeff = 2.0 * std::cos(2.0 * pi * hz / rate);
  double s1 = 0.0, s2 = 0.0, weights = 0.0;
  for (size_t i = 0; i < count && begin + i < x.size(); ++i)
  {
    const double w = 0.5 - 0.5 * std::cos(2.0 * pi * static_cast<double>(i) / static_cast<double>(count));
    const double s0 = w * static_cast<double>(x[begin + i]) + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
    weights += w;
  }
  const double power = std::max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2);
  return weights > 0.0 ? 2.0 * std::sqrt(power) / weights : 0.0;
}

// Mean square of both channels per window of window frames, in dB (-300 for silence).
template <typename T>
std::vector<double> EnergyEnvelopeDb(const std::vector<T>& left, const std::vector<T>& right, size_t window)
{
  std::vector<double> db;
  for (size_t start = 0; start + window <= left.size() && start + window <= right.size(); start += window)
  {
    double sum = 0.0;
    for (size_t i = start; i < start + window; ++i)
      sum += static_cast<double>(left[i]) * left[i] + static_cast<double>(right[i]) * right[i];
    const double mean = sum / (2.0 * static_cast<double>(window));
    db.push_back(mean > 0.0 ? 10.0 * std::log10(mean) : -300.0);
  }
  return db;
}

// The time in seconds a decaying envelope takes to fall by 60 dB, from the least-squares slope of
// the windows after its loudest one whose level lies between from and to dB below it (up to the
// first window further down). 0 when fewer than four windows lie in that range or the envelope
// does not fall.
inline double DecayTimeSeconds(const std::vector<double>& db, double windowSeconds, double from, double to)
{
  if (db.empty())
    return 0.0;
  const size_t loudest = static_cast<size_t>(std::max_element(db.begin(), db.end()) - db.begin());
  const double top = db[loudest];
  double n = 0, st = 0, sy = 0, stt = 0, sty = 0;
  for (size_t i = loudest; i < db.size(); ++i)
  {
    const double below = top - db[i];
    if (below < from)
      continue;
    if (below > to)
      break;
    const double t = static_cast<double>(i) * windowSeconds;
    n += 1;
    st += t;
    sy += db[i];
    stt += t * t;
    sty += t * db[i];
  }
  if (n < 4)
    return 0.0;
  const double slope = (n * sty - st * sy) / (n * stt - st * st);
  return slope < 0.0 ? -60.0 / slope : 0.0;
}

} // namespace signaltest
