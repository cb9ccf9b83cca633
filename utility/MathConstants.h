#pragma once

namespace brimvale::utility
{

// Single-precision code takes static_cast<float>(kPi), the float nearest to pi.
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

} // namespace brimvale::utility
