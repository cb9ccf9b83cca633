// The filter section's response picture.
#include "plugin/editor/BVFilterDisplayControl.h"

#include "plugin/editor/BVPalette.h"
#include "plugin/BrimvaleMessages.h"

#include "engine/FilterMode.h"
#include "igraphics/IGraphics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

using namespace iplug::igraphics;
using brimvale::engine::FilterMode;

namespace brimvale::editor
{
namespace
{

constexpr int kCurvePoints = 120;

} // namespace

BVFilterDisplayControl::BVFilterDisplayControl(const IRECT& bounds, int cutoffParam, int resonanceParam, int modeParam)
: IControl(bounds, {cutoffParam, resonanceParam, modeParam})
{
  SetIgnoreMouse(true);
}

void BVFilterDisplayControl::OnMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  if (msgTag != kMsgTagFilterDisplay || dataSize != static_cast<int>(sizeof(double)) || !pData)
    return;
  std::memcpy(&mModulatedCutoff, pData, sizeof(double));
  SetDirty(false);
}

double BVFilterDisplayControl::Response(double x, double a, double r, int mode)
{
  const double q = 4.0 + 8.0 * (0.22 + 0.7 * r);
  const double logOffset = std::log((x + 0.025) / (a + 0.025));
  const double bump = std::exp(-q * logOffset * logOffset);
  double v = 0.0;
  // Mode indices come from a rounded normalised value; anything outside the list takes the nearest end.
  switch (static_cast<FilterMode>(std::clamp(mode, 0, brimvale::engine::kNumFilterModes - 1)))
  {
  case FilterMode::kLowpass: v = 1.0 / (1.0 + std::pow((x + 0.001) / a, 8.0)) + 0.48 * r * r * bump; break;
  case FilterMode::kHighpass: v = 1.0 / (1.0 + std::pow(a / (x + 0.001), 8.0)) + 0.48 * r * r * bump; break;
  case FilterMode::kBandpass: v = bump; break;
  case FilterMode::kNotch: v = 1.0 - 0.86 * bump; break;
  case FilterMode::kPeak: v = 0.45 + 0.5 * bump; break;
  case FilterMode::kAllpass: v = 0.58 + 0.08 * std::sin(15.0 * x + 4.0 * a); break;
  }
  return std::clamp(v, 0.0, 1.0);
}

void BVFilterDisplayControl::Draw(IGraphics& g)
{
  const IRECT& r = GetRECT();
  const IRECT inner = r.GetPadded(-3.f);
  const double w = inner.W();
  const double h = inner.H();

  g.FillRect(IColor(255, 14, 26, 35), r);
  g.DrawRect(COLOR_BV_FRAME, r, nullptr, 1.f);
  const IColor grid = WithAlpha(COLOR_BV_CYAN_DIM, 81);
  for (int k = 1; k <= 7; ++k)
  {
    const float x = static_cast<float>(inner.L + w * k / 8.0);
    g.DrawLine(grid, x, inner.T, x, inner.B, nullptr, 1.f);
  }
  for (double f : {0.25, 0.5, 0.75})
  {
    const float y = static_cast<float>(inner.T + h * f);
    g.DrawLine(grid, inner.L, y, inner.R, y, nullptr, 1.f);
  }

  // Before the first modulated cutoff arrives, the cutoff parameter itself places the corner.
  const double cutoff = mModulatedCutoff >= 0.0 ? std::min(mModulatedCutoff, 1.0) : GetValue(0);
  const double resonance = GetValue(1);
  const int mode = static_cast<int>(std::lround(GetValue(2) * (brimvale::engine::kNumFilterModes - 1)));
  const double corner = 0.04 + 0.9 * cutoff;

  std::array<float, kCurvePoints> xs;
  std::array<float, kCurvePoints> ys;
  for (int i = 0; i < kCurvePoints; ++i)
  {
    const double x = i / double(kCurvePoints - 1);
    xs[i] = static_cast<float>(inner.L + w * x);
    ys[i] = static_cast<float>(inner.B - Response(x, corner, resonance, mode) * h);
  }

  g.PathClear();
  g.PathMoveTo(inner.L, inner.B);
  for (int i = 0; i < kCurvePoints; ++i)
    g.PathLineTo(xs[i], ys[i]);
  g.PathLineTo(inner.R, inner.B);
  g.PathClose();
  g.PathFill(IPattern(WithAlpha(COLOR_BV_CYAN, 45)), IFillOptions(), nullptr);

  g.PathMoveTo(xs[0], ys[0]);
  for (int i = 1; i < kCurvePoints; ++i)
    g.PathLineTo(xs[i], ys[i]);
  g.PathStroke(IPattern(COLOR_BV_CYAN), 2.f, IStrokeOptions(), nullptr);
}

} // namespace brimvale::editor
