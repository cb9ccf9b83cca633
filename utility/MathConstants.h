#pragma once

namespace brimvale::utility
{

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
// For single-precision code: the floats nearest to pi and 2 pi.
constexpr float kPiFloat = static_cast<float>(kPi);
constexpr float kTwoPiFloat = static_cast<float>(kTwoPi);

} // namespace brimvale::utility
