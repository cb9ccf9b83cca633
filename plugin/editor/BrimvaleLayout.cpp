// The editor's face: four control styles from the palette and the 44 controls of the design grid.
#include "plugin/editor/BrimvaleLayout.h"

#include "plugin/editor/BVFilterDisplayControl.h"
#include "plugin/editor/BVInitButton.h"
#include "plugin/editor/BVKnobControl.h"
#include "plugin/editor/BVPalette.h"
#include "plugin/editor/BVPanelControl.h"
#include "plugin/editor/BVSampleLoadControl.h"
#include "plugin/editor/BVSpeedModeButton.h"
#include "plugin/editor/BrimvaleEditorSizes.h"
#include "plugin/BrimvaleIDs.h"
#include "plugin/BrimvaleVersion.h"

#include "igraphics/IGraphics.h"
#include "igraphics/ITextControl.h"
#include "igraphics/MakeGraphics.h"
#include "igraphics/controls/IVMenuButtonControl.h"
#include "igraphics/controls/IVMeterControl.h"
#include "igraphics/controls/IVSwitchControl.h"
#if defined(BRIMVALE_MACOS)
#include "igraphics/platforms/IGraphicsMac.h"
#include "iplug/IPlugPluginBaseCore.h"
#endif

#include <string>

using namespace iplug::igraphics;
using iplug::kNoTag;

namespace brimvale::editor
{
namespace
{

IVStyle KnobStyle()
{
  IVStyle s = DEFAULT_STYLE;
  s.drawShadows = false;
  s.roundness = 0.12f;
  s.frameThickness = 1.f;
  s.colorSpec.SetColor(kBG, COLOR_BV_PANEL_DARK);
  s.colorSpec.SetColor(kFG, COLOR_BV_CYAN);
  s.colorSpec.SetColor(kPR, COLOR_BV_PINK);
  s.colorSpec.SetColor(kFR, COLOR_BV_FRAME);
  s.colorSpec.SetColor(kHL, WithAlpha(COLOR_BV_CYAN, 81));
  s.colorSpec.SetColor(kSH, WithAlpha(COLOR_BLACK, 0));
  s.labelText = PanelText(12.f, COLOR_BV_TEXT, kAlignCenter, kVAlignTop);
  s.valueText = PanelText(12.f, COLOR_BV_TEXT, kAlignCenter, kVAlignBottom);
  return s;
}

IVStyle ToggleStyle()
{
  IVStyle s = KnobStyle();
  s.widgetFrac = 0.72f;
  s.colorSpec.SetColor(kFG, IColor(255, 73, 79, 83));
  s.colorSpec.SetColor(kPR, COLOR_BV_AMBER);
  return s;
}

IVStyle MenuStyle()
{
  IVStyle s = KnobStyle();
  s.showValue = true;
  s.roundness = 0.08f;
  s.widgetFrac = 0.82f;
  s.valueText.mFGColor = COLOR_BLACK;
  s.valueText.mVAlign = kVAlignMiddle;
  return s;
}

IVStyle MeterStyle()
{
  IVStyle s = KnobStyle();
  s.showLabel = false;
  s.colorSpec.SetColor(kFG, WithAlpha(COLOR_BV_ORANGE, 198));
  s.colorSpec.SetColor(kPR, COLOR_BV_ORANGE);
  return s;
}

// The design rectangles of the controls that are put back in place after every resize.
const IRECT kInitRect(1208, 12, 1254, 36);
const IRECT kLinkRect(1262, 12, 1366, 36);
const IRECT kSampleALoadRect(26, 104, 208, 138);
const IRECT kSampleBLoadRect(244, 104, 426, 138);
const IRECT kFilterDisplayRect(602, 208, 926, 284);
const IRECT kSampleASpeedSlot(169, 208, 213, 286);
const IRECT kSampleBSpeedSlot(387, 208, 431, 286);

struct KnobPlace
{
  IRECT rect;
  int paramIdx;
  const char* label;
  int tag;
};

// In attachment order; the Rate and Semi knobs of a layer share its fourth slot.
const KnobPlace kSampleAKnobs[] = {
  {IRECT(25, 208, 69, 286), kSampleALevel, "Lvl", kNoTag},
  {IRECT(73, 208, 117, 286), kSampleAPan, "Pan", kNoTag},
  {IRECT(121, 208, 165, 286), kSampleAStart, "Start", kNoTag},
  {kSampleASpeedSlot, kSampleASpeed, "Rate", kCtrlTagSampleARate},
  {kSampleASpeedSlot, kSampleASemitones, "Semi", kCtrlTagSampleASemi},
};
const KnobPlace kSampleBKnobs[] = {
  {IRECT(243, 208, 287, 286), kSampleBLevel, "Lvl", kNoTag},
  {IRECT(291, 208, 335, 286), kSampleBPan, "Pan", kNoTag},
  {IRECT(339, 208, 383, 286), kSampleBStart, "Start", kNoTag},
  {kSampleBSpeedSlot, kSampleBSpeed, "Rate", kCtrlTagSampleBRate},
  {kSampleBSpeedSlot, kSampleBSemitones, "Semi", kCtrlTagSampleBSemi},
};
const KnobPlace kBlendKnobs[] = {
  {IRECT(466, 118, 510, 200), kBlend, "A/B", kCtrlTagBlend},
  {IRECT(518, 118, 562, 200), kBlendLfo, "LFO", kNoTag},
};
const KnobPlace kFilterKnobs[] = {
  {IRECT(602, 118, 654, 200), kFilterCutoff, "Cut", kNoTag},
  {IRECT(666, 118, 718, 200), kFilterResonance, "Res", kNoTag},
  {IRECT(730, 118, 782, 200), kFilterDrive, "Drive", kNoTag},
  {IRECT(794, 118, 846, 200), kFilterLfoA, "LFO A", kNoTag},
  {IRECT(858, 118, 910, 200), kFilterLfoB, "LFO B", kNoTag},
};
const KnobPlace kMotionAKnobs[] = {
  {IRECT(970, 118, 1022, 200), kMotionARate, "A Rate", kNoTag},
  {IRECT(1030, 118, 1082, 200), kMotionADepth, "A Dpth", kNoTag},
};
const KnobPlace kMotionBKnobs[] = {
  {IRECT(970, 212, 1022, 294), kMotionBRate, "B Rate", kNoTag},
  {IRECT(1030, 212, 1082, 294), kMotionBDepth, "B Dpth", kNoTag},
};
const KnobPlace kSpaceKnobs[] = {
  {IRECT(1230, 118, 1282, 200), kSpaceSize, "Size", kNoTag},
  {IRECT(1298, 118, 1350, 200), kSpaceDecay, "Decay", kNoTag},
  {IRECT(1230, 212, 1282, 294), kSpaceMix, "Mix", kNoTag},
  {IRECT(1298, 212, 1350, 294), kSpaceWidth, "Width", kNoTag},
  {IRECT(1392, 118, 1444, 202), kMaster, "Master", kNoTag},
};

struct Styles
{
  IVStyle knob = KnobStyle();
  IVStyle toggle = ToggleStyle();
  IVStyle menu = MenuStyle();
  IVStyle meter = MeterStyle();
};

template <size_t N>
void AttachKnobs(IGraphics& g, const KnobPlace (&knobs)[N], const IVStyle& style)
{
  for (const KnobPlace& k : knobs)
    g.AttachControl(new BVKnobControl(k.rect, k.paramIdx, k.label, style, true, false, -135.f, 135.f, -135.f,
                                      EDirection::Vertical, 4.0, 2.f),
                    k.tag);
}

void AttachToggle(IGraphics& g, const IRECT& r, int paramIdx, const char* label, const IVStyle& style)
{
  g.AttachControl(new IVToggleControl(r, paramIdx, label, style, "", ""));
}

void AttachMenu(IGraphics& g, const IRECT& r, int paramIdx, const IVStyle& style)
{
  g.AttachControl(new IVMenuButtonControl(r, paramIdx, "", style, EVShape::Rectangle));
}

// The button gives itself its tooltip.
void AttachSpeedModeButton(IGraphics& g, const IRECT& r, int paramIdx)
{
  g.AttachControl(new BVSpeedModeButton(r, paramIdx));
}

// A layer's load function: the engine decides, and only a path that loaded is kept.
BVSampleLoadControl::LoadFunc SampleLoader(EditorHost& plug, bool layerA)
{
  return [&plug, layerA](const char* path) { return layerA ? plug.LoadSampleA(path) : plug.LoadSampleB(path); };
}

void AttachFace(EditorHost& plug, IGraphics& g)
{
  const Styles styles;
  const IRECT bounds = g.GetBounds();

  g.AttachControl(new BVPanelControl(bounds), kCtrlTagPanel);
  g.AttachControl(new BVInitButton(kInitRect, [&plug] { plug.ResetToInitState(); }), kCtrlTagInit);
  auto* link = new IURLControl(kLinkRect, (std::string("by ") + brimvale::kMakerName).c_str(), brimvale::kMakerURL,
                               PanelText(11.f, COLOR_BV_MUTED, kAlignNear, kVAlignMiddle), COLOR_TRANSPARENT,
                               COLOR_BV_CYAN, COLOR_BV_AMBER);
  link->SetTooltip((std::string("Visit ") + brimvale::kMakerName + " on the web").c_str());
  g.AttachControl(link, kCtrlTagLink);
  g.AttachControl(new BVSampleLoadControl(kSampleALoadRect, ShortFileLabel(plug.GetSampleAPath().c_str()).c_str(),
                                          SampleLoader(plug, true)),
                  kCtrlTagSampleALoad);
  g.AttachControl(new BVSampleLoadControl(kSampleBLoadRect, ShortFileLabel(plug.GetSampleBPath().c_str()).c_str(),
                                          SampleLoader(plug, false)),
                  kCtrlTagSampleBLoad);
  AttachSpeedModeButton(g, IRECT(150, 66, 214, 94), kSampleASpeedMode);
  AttachSpeedModeButton(g, IRECT(368, 66, 432, 94), kSampleBSpeedMode);

  AttachToggle(g, IRECT(26, 154, 104, 182), kSampleAPlay, "Start/Stop", styles.toggle);
  AttachToggle(g, IRECT(120, 154, 170, 182), kSampleAReverse, "Rev", styles.toggle);
  AttachKnobs(g, kSampleAKnobs, styles.knob);
  AttachToggle(g, IRECT(244, 154, 322, 182), kSampleBPlay, "Start/Stop", styles.toggle);
  AttachToggle(g, IRECT(338, 154, 388, 182), kSampleBReverse, "Rev", styles.toggle);
  AttachKnobs(g, kSampleBKnobs, styles.knob);

  AttachKnobs(g, kBlendKnobs, styles.knob);
  AttachMenu(g, IRECT(822, 70, 926, 92), kFilterMode, styles.menu);
  AttachKnobs(g, kFilterKnobs, styles.knob);
  g.AttachControl(new BVFilterDisplayControl(kFilterDisplayRect, kFilterCutoff, kFilterResonance, kFilterMode),
                  kCtrlTagFilterDisplay);

  AttachKnobs(g, kMotionAKnobs, styles.knob);
  AttachMenu(g, IRECT(1102, 118, 1190, 140), kMotionAShape, styles.menu);
  AttachMenu(g, IRECT(1102, 144, 1190, 166), kMotionADestination, styles.menu);
  AttachKnobs(g, kMotionBKnobs, styles.knob);
  AttachMenu(g, IRECT(1102, 212, 1190, 234), kMotionBShape, styles.menu);
  AttachMenu(g, IRECT(1102, 238, 1190, 260), kMotionBDestination, styles.menu);

  AttachKnobs(g, kSpaceKnobs, styles.knob);
  g.AttachControl(
    new IVPeakAvgMeterControl<2>(BVPanelControl::MeterWell(), "", styles.meter, EDirection::Vertical, {"L", "R"}),
    kCtrlTagMeter);
}

void FirstLayout(EditorHost& plug, IGraphics& g)
{
  g.SetLayoutOnResize(true);
  g.SetScaleConstraints(static_cast<float>(kMinScale), static_cast<float>(kMaxScale));
  g.AttachCornerResizer(EUIResizerMode::Scale, true, WithAlpha(COLOR_BV_CYAN_DIM, 107), COLOR_BV_CYAN, COLOR_BV_AMBER,
                        22.f);
  g.AttachPanelBackground(IPattern(COLOR_BV_BG));
  g.AttachTextEntryControl();
  IText menuText = DEFAULT_LABEL_TEXT;
  menuText.mFGColor = COLOR_BV_TEXT;
  g.AttachPopupMenuControl(menuText, IRECT());
  g.AttachBubbleControl(DEFAULT_TEXT);
  g.EnableMouseOver(true);
  g.EnableTooltips(true);
  g.LoadFont(brimvale::kFontName, brimvale::kFontFile);
  AttachFace(plug, g);
  plug.UpdateSampleSpeedModeControls();
}

void PutBack(IControl* pControl, const IRECT& r)
{
  if (!pControl)
    return;
  pControl->SetTargetAndDrawRECTs(r);
  pControl->SetMouseIsOver(false);
  pControl->OnResize();
}

// After a resize only the drawing scale has changed: the controls the plug-in addresses go back
// to their design rectangles, the others keep theirs.
void LaterLayout(EditorHost& plug, IGraphics& g)
{
  const IRECT bounds = g.GetBounds();
  PutBack(g.GetControl(0), bounds);
  PutBack(g.GetControlWithTag(kCtrlTagPanel), bounds);
  const std::pair<int, IRECT> tagged[] = {
    {kCtrlTagInit, kInitRect},
    {kCtrlTagLink, kLinkRect},
    {kCtrlTagSampleALoad, kSampleALoadRect},
    {kCtrlTagSampleBLoad, kSampleBLoadRect},
    {kCtrlTagFilterDisplay, kFilterDisplayRect},
    {kCtrlTagMeter, BVPanelControl::MeterWell()},
    {kCtrlTagSampleARate, kSampleASpeedSlot},
    {kCtrlTagSampleASemi, kSampleASpeedSlot},
    {kCtrlTagSampleBRate, kSampleBSpeedSlot},
    {kCtrlTagSampleBSemi, kSampleBSpeedSlot},
  };
  for (const auto& [tag, rect] : tagged)
    PutBack(g.GetControlWithTag(tag), rect);
  plug.UpdateSampleSpeedModeControls();
}

} // namespace

IGraphics* MakeBrimvaleGraphics(IGEditorDelegate& delegate, [[maybe_unused]] const iplug::IPluginBaseCore& identity)
{
  IGraphics* pGraphics = MakeGraphics(delegate, kDesignWidth, kDesignHeight, 60, kOpenScale);
#if defined(BRIMVALE_MACOS)
  // The bundle's identity finds its resources and fonts, and the shared folder is named after the
  // plug-in; on Windows the module's own resources serve instead.
  auto* pMacGraphics = static_cast<IGraphicsMac*>(pGraphics);
  pMacGraphics->SetBundleID(identity.GetBundleID());
  pMacGraphics->SetAppGroupID(identity.GetAppGroupID());
  pMacGraphics->SetSharedResourcesSubPath(identity.GetPluginName());
#endif
  return pGraphics;
}

void LayoutBrimvaleEditor(EditorHost& plug, IGraphics* pGraphics)
{
  if (!pGraphics)
    return;
  if (pGraphics->NControls() == 0)
    FirstLayout(plug, *pGraphics);
  else
    LaterLayout(plug, *pGraphics);
}

} // namespace brimvale::editor
