// The instrument's editor: its controls and how they draw.
#include "plugin/editor/BVPanelControl.h"

#include "plugin/editor/BVMotionShapes.h"
#include "plugin/editor/BVPalette.h"
#include "plugin/editor/BrimvaleEditorSizes.h"
#include "plugin/BrimvaleVersion.h"

#include "engine/MotionLfo.h"
#include "igraphics/IGraphics.h"
#include "utility/MathConstants.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace iplug::igraphics;

namespace brimvale::editor
{
namespace
{

enum ESection
{
  kSampleA = 0,
  kSampleB,
  kBlend,
  kFilter,
  kMotion,
  kSpace,
  kOutput,
  kNumSections
};

struct Section
{
  const char* caption;
  IRECT rect;
};

// The sections span the design grid below the title block, within its margins.
constexpr float kSectionTop = 56.f;
constexpr float kSectionBottom = kDesignHeight - 32.f;
constexpr float kSectionsRight = kDesignWidth - 8.f;

const Section kSections[kNumSections] = {
  {"Sample A", IRECT(12, kSectionTop, 222, kSectionBottom)},
  {"Sample B", IRECT(230, kSectionTop, 440, kSectionBottom)},
  {"Blend", IRECT(448, kSectionTop, 576, kSectionBottom)},
  {"Filter", IRECT(584, kSectionTop, 944, kSectionBottom)},
  {"Motion", IRECT(952, kSectionTop, 1208, kSectionBottom)},
  {"Space", IRECT(1216, kSectionTop, 1372, kSectionBottom)},
  {"Output", IRECT(1380, kSectionTop, kSectionsRight, kSectionBottom)},
};

/** Before the first message: a flat Blend wave and two Sine scopes. */
constexpr PanelScopePayload kInitialPreview = {0.0, 0.0, 0.2, 1.1, 0.45, 0.3, 0, 0};

constexpr int kScopePoints = 70;
using brimvale::utility::kTwoPi;

/** Depths arrive from the plug-in; a value that is not a number draws as no depth. */
double ClampDepth(double depth)
{
  return std::isnan(depth) ? 0.0 : std::clamp(depth, 0.0, 1.0);
}

/** "native v" and the version; an X.Y.0 version is shown as X.Y. */
std::string VersionLine(const char* versionText)
{
  std::string version = versionText ? versionText : "";
  if (version.size() >= 5 && version[3] == '.' && version[4] == '0')
    version.resize(version.size() - 2);
  return "native v" + version;
}

void DrawScopeBackground(IGraphics& g, const IRECT& r)
{
  g.FillRect(IColor(255, 8, 18, 24), r);
  const IColor gridV = WithAlpha(COLOR_BV_CYAN_DIM, 89);
  const IColor gridH = WithAlpha(COLOR_BV_CYAN_DIM, 114);
  for (float f : {0.2f, 0.4f, 0.6f, 0.8f})
    g.DrawLine(gridV, r.L + r.W() * f, r.T, r.L + r.W() * f, r.B, nullptr, 1.f);
  g.DrawLine(gridH, r.L, (r.T + r.B) / 2.f, r.R, (r.T + r.B) / 2.f, nullptr, 1.f);
}

void DrawBlendPreview(IGraphics& g, double phase, double depth)
{
  const IRECT& blend = kSections[kBlend].rect;
  const IRECT r(blend.L + 14, blend.T + 170, blend.R - 14, blend.T + 224);
  DrawScopeBackground(g, r);
  g.PathClear();
  const double d = ClampDepth(depth);
  const double mid = (r.T + r.B) / 2.0;
  for (int i = 0; i < kScopePoints; ++i)
  {
    const double t = i / double(kScopePoints - 1);
    const float x = static_cast<float>(r.L + (r.R - r.L) * t);
    const float y = static_cast<float>(mid + (r.B - r.T) * std::sin(kTwoPi * t + phase) * d * -0.27);
    if (i == 0)
      g.PathMoveTo(x, y);
    else
      g.PathLineTo(x, y);
  }
  g.PathStroke(IPattern(COLOR_BV_CYAN), 1.4f, IStrokeOptions(), nullptr);
}

} // namespace

BVPanelControl::BVPanelControl(const IRECT& bounds, const char* versionText)
: IControl(bounds)
, mPreview(kInitialPreview)
, mVersionLine(VersionLine(versionText))
{
  SetIgnoreMouse(true);
}

void BVPanelControl::OnMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  if (msgTag != kMsgTagPanelScope || dataSize != static_cast<int>(sizeof(PanelScopePayload)) || !pData)
    return;
  std::memcpy(&mPreview, pData, sizeof(PanelScopePayload));
  SetDirty(false);
}

void BVPanelControl::Draw(IGraphics& g)
{
  g.FillRect(COLOR_BV_BG, GetRECT());
  g.DrawText(PanelText(32.f, COLOR_BV_TEXT, kAlignNear, kVAlignMiddle), brimvale::kProductName, IRECT(14, 5, 344, 45));
  g.DrawText(PanelText(18.f, COLOR_BV_MUTED, kAlignNear, kVAlignMiddle), "dual-sample atmosphere engine",
             IRECT(360, 9, 780, 43));
  g.DrawText(PanelText(11.f, COLOR_BV_MUTED, kAlignFar, kVAlignMiddle), mVersionLine.c_str(),
             IRECT(1368, 12, 1460, 36));

  for (const Section& section : kSections)
  {
    g.FillRoundRect(COLOR_BV_PANEL, section.rect, 5.f);
    g.DrawRoundRect(COLOR_BV_FRAME, section.rect, 5.f, nullptr, 1.2f);
    g.DrawText(PanelText(17.f, COLOR_BV_TEXT, kAlignNear, kVAlignTop), section.caption,
               IRECT(section.rect.L + 12, section.rect.T + 12, section.rect.R - 12, section.rect.T + 34));
  }

  DrawBlendPreview(g, mPreview.blendPhase, mPreview.blendDepth);

  const IRECT& motion = kSections[kMotion].rect;
  DrawShapeScope(g, IRECT(motion.L + 150, motion.T + 112, motion.L + 238, motion.T + 144), mPreview.motionAPhase,
                 mPreview.motionAShape, mPreview.motionADepth);
  DrawShapeScope(g, IRECT(motion.L + 150, motion.T + 206, motion.L + 238, motion.T + 238), mPreview.motionBPhase,
                 mPreview.motionBShape, mPreview.motionBDepth);

  const IRECT well = MeterWell();
  g.FillRect(COLOR_BV_PANEL_DARK, well);
  g.DrawRect(COLOR_BV_FRAME, well, nullptr, 1.f);
}

IRECT BVPanelControl::MeterWell()
{
  const IRECT& output = kSections[kOutput].rect;
  return IRECT(output.L + 66, output.T + 62, output.L + 80, output.T + 230);
}

void BVPanelControl::DrawShapeScope(IGraphics& g, const IRECT& r, double phase, int shape, double depth)
{
  DrawScopeBackground(g, r);
  g.PathClear();
  shape = std::clamp(shape, 0, brimvale::engine::kNumShapes - 1);
  depth = ClampDepth(depth);
  const double mid = (r.T + r.B) / 2.0;
  for (int i = 0; i < kScopePoints; ++i)
  {
    const double t = i / double(kScopePoints - 1);
    const double p = (phase + t) - std::floor(phase + t);
    const double v = ShapeValueForPhase(p, shape);
    const float x = static_cast<float>(r.L + r.W() * t);
    const float y = static_cast<float>(mid + (r.B - r.T) * v * depth * -0.27);
    if (i == 0)
      g.PathMoveTo(x, y);
    else
      g.PathLineTo(x, y);
  }
  g.PathStroke(IPattern(COLOR_BV_CYAN), 1.4f, IStrokeOptions(), nullptr);
}

} // namespace brimvale::editor
