#include "engine/SpaceSettings.h"

#include <cmath>

namespace brimvale::engine
{

namespace
{
double Decades2(double n)
{
  return (std::pow(10.0, 2.0 * n) - 1.0) / 99.0;
}

double Decades3(double n)
{
  return (std::pow(10.0, 3.0 * n) - 1.0) / 999.0;
}

double Octaves4(double n)
{
  return (std::pow(2.0, 4.0 * n) - 1.0) / 15.0;
}

double Truncated(double base, double span, double n)
{
  return static_cast<double>(static_cast<int>(base + span * n));
}
} // namespace

SpaceSettings ComputeSpaceSettings(double spaceSize, double spaceDecay)
{
  using namespace Cloudseed;

  const double s = spaceSize > 0.0 ? (spaceSize < 1.0 ? spaceSize : 1.0) : 0.0;
  const double d = spaceDecay > 0.1 ? ((spaceDecay < 12.0 ? spaceDecay : 12.0) - 0.1) / 11.9 : 0.0;

  SpaceSettings v{};
  const auto set = [&v](Parameter id, double n, double channel) { v[id] = {n, channel}; };
  const auto same = [&v](Parameter id, double n) { v[id] = {n, n}; };
  const auto level = [](double n) { return 30.0 * n - 30.0; };

  same(Interpolation, 1.0);
  same(LowCutEnabled, 1.0);
  same(HighCutEnabled, 1.0);
  same(InputMix, 0.26 * s + 0.18);
  set(LowCut, 0.34, 122.37);
  {
    const double n = 0.36 * s + 0.54;
    set(HighCut, n, 400.0 + 19600.0 * Octaves4(n));
  }
  set(DryOut, 0.0, -30.0);
  {
    const double n = 0.22 * s + 0.18;
    set(EarlyOut, n, level(n));
  }
  {
    const double n = 0.36 * s + 0.52;
    set(LateOut, n, level(n));
  }
  same(TapEnabled, 0.0);
  set(TapCount, 0.2, 52.0);
  same(TapDecay, 0.78);
  set(TapPredelay, 0.02, 2.618);
  set(TapLength, 0.82, 10.0 + 990.0 * 0.82);
  same(EarlyDiffuseEnabled, 1.0);
  {
    const double n = 0.32 * s + 0.34;
    set(EarlyDiffuseCount, n, Truncated(1.0, 11.999, n));
  }
  {
    const double n = 0.3 * s + 0.2;
    set(EarlyDiffuseDelay, n, 10.0 + 90.0 * n);
  }
  {
    const double n = 0.12 * s + 0.08;
    set(EarlyDiffuseModAmount, n, 2.5 * n);
  }
  same(EarlyDiffuseFeedback, 0.28 * d + 0.58);
  set(EarlyDiffuseModRate, 0.16, 5.0 * Decades2(0.16));
  same(LateMode, 1.0);
  {
    const double n = 0.28 * s + 0.72;
    set(LateLineCount, n, Truncated(1.0, 11.999, n));
  }
  same(LateDiffuseEnabled, 1.0);
  {
    const double n = 0.34 * s + 0.52;
    set(LateDiffuseCount, n, Truncated(1.0, 7.999, n));
  }
  {
    const double n = 0.62 * s + 0.3;
    set(LateLineSize, n, 20.0 + 980.0 * Decades2(n));
  }
  {
    const double n = 0.22 * s + 0.12;
    set(LateLineModAmount, n, 2.5 * n);
  }
  {
    const double n = 0.28 * s + 0.18;
    set(LateDiffuseDelay, n, 10.0 + 90.0 * n);
  }
  {
    const double n = 0.18 * s + 0.1;
    set(LateDiffuseModAmount, n, 2.5 * n);
  }
  {
    const double n = 0.72 * d + 0.12;
    set(LateLineDecay, n, 0.05 + 59.95 * Decades3(n));
  }
  {
    const double n = 0.14 * s + 0.12;
    set(LateLineModRate, n, 5.0 * Decades2(n));
  }
  same(LateDiffuseFeedback, 0.22 * d + 0.68);
  {
    const double n = 0.16 * s + 0.08;
    set(LateDiffuseModRate, n, 5.0 * Decades2(n));
  }
  same(EqLowShelfEnabled, 0.0);
  same(EqHighShelfEnabled, 0.0);
  same(EqLowpassEnabled, 1.0);
  set(EqLowFreq, 0.34, 163.9086);
  set(EqHighFreq, 0.62, 6383.1943);
  {
    const double n = 0.24 * s + 0.72;
    set(EqCutoff, n, 400.0 + 19600.0 * Octaves4(n));
  }
  set(EqLowGain, 0.48, -10.4);
  set(EqHighGain, 0.7, -6.0);
  same(EqCrossSeed, 0.55);
  set(SeedTap, 0.334, 333.0);
  set(SeedDiffusion, 0.185, 184.0);
  set(SeedDelay, 0.218, 217.0);
  set(SeedPostDiffusion, 0.365, 364.0);
  return v;
}

} // namespace brimvale::engine
