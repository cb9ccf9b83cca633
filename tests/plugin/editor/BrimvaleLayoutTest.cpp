// The instrument's editor opened for real on the headless platform: the controls of its face, the
// layout after a resize, the speed-mode knobs, the sample labels and what a state change refreshes.
#include "plugin/editor/BVFilterDisplayControl.h"
#include "plugin/editor/BVInitButton.h"
#include "plugin/editor/BVKnobControl.h"
#include "plugin/editor/BVPanelControl.h"
#include "plugin/editor/BVSampleLoadControl.h"
#include "plugin/editor/BVSpeedModeButton.h"
#include "plugin/Brimvale.h"
#include "plugin/BrimvaleMessages.h"

#include "tests/host/TestSignal.h"
#include "tools/wav/WavFile.h"

#include "tests/igraphics/platforms/HeadlessEditor.h"

#include "igraphics/IRECTList.h"
#include "igraphics/ITextControl.h"
#include "igraphics/controls/IVMenuButtonControl.h"
#include "igraphics/controls/IVMeterControl.h"
#include "igraphics/controls/IVSwitchControl.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "iplug/IPlugByteChunk.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace iplug::igraphics;
using brimvale::editor::BVFilterDisplayControl;
using brimvale::editor::BVInitButton;
using brimvale::editor::BVKnobControl;
using brimvale::editor::BVPanelControl;
using brimvale::editor::BVSampleLoadControl;
using brimvale::editor::BVSpeedModeButton;
using brimvale::editor::ShortFileLabel;

namespace
{

struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};

std::string WriteSampleWav(const std::string& name)
{
  const std::string path = ::testing::TempDir() + name;
  EXPECT_TRUE(wavwriter::WriteWav(path, testhost::MakeTestSignal(48000, 0.2), 48000, wavwriter::EWavFormat::kPcm16));
  return path;
}

class BrimvaleEditor : public ::testing::Test
{
protected:
  void SetUp() override { Open(); }
  void TearDown() override { plug->CloseWindow(); }

  void Open()
  {
    ASSERT_NE(plug->OpenWindow(&window), nullptr);
    ui = static_cast<IGraphicsHeadless*>(plug->GetUI());
  }

  void Reopen()
  {
    plug->CloseWindow();
    Open();
  }

  IControl* Tagged(int tag) const { return ui->GetControlWithTag(tag); }

  std::string Label(int tag) const
  {
    auto* control = dynamic_cast<BVSampleLoadControl*>(Tagged(tag));
    return control ? control->GetLabel() : "(no load control)";
  }

  /** The controls of the list that belong to no other control. */
  std::vector<IControl*> TopLevel() const
  {
    std::vector<IControl*> controls;
    for (int i = 0; i < ui->NControls(); ++i)
      if (!ui->GetControl(i)->GetParent())
        controls.push_back(ui->GetControl(i));
    return controls;
  }

  bool Shown(int tag) const { return Tagged(tag) && !Tagged(tag)->IsHidden(); }

  void Click(const IRECT& r) { headless::ClickAt(window, r.MW(), r.MH()); }

  std::vector<IRECT> Rects() const
  {
    std::vector<IRECT> rects;
    for (int i = 0; i < ui->NControls(); ++i)
      rects.push_back(ui->GetControl(i)->GetRECT());
    return rects;
  }

  std::unique_ptr<Brimvale, ReleasePlug> plug{new Brimvale(iplug::InstanceInfo())};
  HeadlessWindow window{};
  IGraphicsHeadless* ui = nullptr;
};

enum class EKind
{
  kPanel,
  kInit,
  kLink,
  kLoad,
  kSpeedMode,
  kToggle,
  kKnob,
  kMenu,
  kFilterDisplay,
  kMeter
};

struct Row
{
  EKind kind;
  IRECT rect;
  int paramIdx;
  int tag;
  const char* label;
};

// The face in attachment order, after the background panel.
const Row kFace[] = {
  {EKind::kPanel, IRECT(0, 0, 1480, 360), -1, kCtrlTagPanel, nullptr},
  {EKind::kInit, IRECT(1208, 12, 1254, 36), -1, kCtrlTagInit, nullptr},
  {EKind::kLink, IRECT(1262, 12, 1366, 36), -1, kCtrlTagLink, nullptr},
  {EKind::kLoad, IRECT(26, 104, 208, 138), -1, kCtrlTagSampleALoad, nullptr},
  {EKind::kLoad, IRECT(244, 104, 426, 138), -1, kCtrlTagSampleBLoad, nullptr},
  {EKind::kSpeedMode, IRECT(150, 66, 214, 94), kSampleASpeedMode, -1, nullptr},
  {EKind::kSpeedMode, IRECT(368, 66, 432, 94), kSampleBSpeedMode, -1, nullptr},
  {EKind::kToggle, IRECT(26, 154, 104, 182), kSampleAPlay, -1, "Start/Stop"},
  {EKind::kToggle, IRECT(120, 154, 170, 182), kSampleAReverse, -1, "Rev"},
  {EKind::kKnob, IRECT(25, 208, 69, 286), kSampleALevel, -1, "Lvl"},
  {EKind::kKnob, IRECT(73, 208, 117, 286), kSampleAPan, -1, "Pan"},
  {EKind::kKnob, IRECT(121, 208, 165, 286), kSampleAStart, -1, "Start"},
  {EKind::kKnob, IRECT(169, 208, 213, 286), kSampleASpeed, kCtrlTagSampleARate, "Rate"},
  {EKind::kKnob, IRECT(169, 208, 213, 286), kSampleASemitones, kCtrlTagSampleASemi, "Semi"},
  {EKind::kToggle, IRECT(244, 154, 322, 182), kSampleBPlay, -1, "Start/Stop"},
  {EKind::kToggle, IRECT(338, 154, 388, 182), kSampleBReverse, -1, "Rev"},
  {EKind::kKnob, IRECT(243, 208, 287, 286), kSampleBLevel, -1, "Lvl"},
  {EKind::kKnob, IRECT(291, 208, 335, 286), kSampleBPan, -1, "Pan"},
  {EKind::kKnob, IRECT(339, 208, 383, 286), kSampleBStart, -1, "Start"},
  {EKind::kKnob, IRECT(387, 208, 431, 286), kSampleBSpeed, kCtrlTagSampleBRate, "Rate"},
  {EKind::kKnob, IRECT(387, 208, 431, 286), kSampleBSemitones, kCtrlTagSampleBSemi, "Semi"},
  {EKind::kKnob, IRECT(466, 118, 510, 200), kBlend, kCtrlTagBlend, "A/B"},
  {EKind::kKnob, IRECT(518, 118, 562, 200), kBlendLfo, -1, "LFO"},
  {EKind::kMenu, IRECT(822, 70, 926, 92), kFilterMode, -1, ""},
  {EKind::kKnob, IRECT(602, 118, 654, 200), kFilterCutoff, -1, "Cut"},
  {EKind::kKnob, IRECT(666, 118, 718, 200), kFilterResonance, -1, "Res"},
  {EKind::kKnob, IRECT(730, 118, 782, 200), kFilterDrive, -1, "Drive"},
  {EKind::kKnob, IRECT(794, 118, 846, 200), kFilterLfoA, -1, "LFO A"},
  {EKind::kKnob, IRECT(858, 118, 910, 200), kFilterLfoB, -1, "LFO B"},
  {EKind::kFilterDisplay, IRECT(602, 208, 926, 284), kFilterCutoff, kCtrlTagFilterDisplay, nullptr},
  {EKind::kKnob, IRECT(970, 118, 1022, 200), kMotionARate, -1, "A Rate"},
  {EKind::kKnob, IRECT(1030, 118, 1082, 200), kMotionADepth, -1, "A Dpth"},
  {EKind::kMenu, IRECT(1102, 118, 1190, 140), kMotionAShape, -1, ""},
  {EKind::kMenu, IRECT(1102, 144, 1190, 166), kMotionADestination, -1, ""},
  {EKind::kKnob, IRECT(970, 212, 1022, 294), kMotionBRate, -1, "B Rate"},
  {EKind::kKnob, IRECT(1030, 212, 1082, 294), kMotionBDepth, -1, "B Dpth"},
  {EKind::kMenu, IRECT(1102, 212, 1190, 234), kMotionBShape, -1, ""},
  {EKind::kMenu, IRECT(1102, 238, 1190, 260), kMotionBDestination, -1, ""},
  {EKind::kKnob, IRECT(1230, 118, 1282, 200), kSpaceSize, -1, "Size"},
  {EKind::kKnob, IRECT(1298, 118, 1350, 200), kSpaceDecay, -1, "Decay"},
  {EKind::kKnob, IRECT(1230, 212, 1282, 294), kSpaceMix, -1, "Mix"},
  {EKind::kKnob, IRECT(1298, 212, 1350, 294), kSpaceWidth, -1, "Width"},
  {EKind::kKnob, IRECT(1392, 118, 1444, 202), kMaster, -1, "Master"},
  {EKind::kMeter, IRECT(1446, 118, 1460, 286), -1, kCtrlTagMeter, ""},
};

bool IsKind(IControl* c, EKind kind)
{
  switch (kind)
  {
  case EKind::kPanel: return dynamic_cast<BVPanelControl*>(c);
  case EKind::kInit: return dynamic_cast<BVInitButton*>(c);
  case EKind::kLink: return dynamic_cast<IURLControl*>(c);
  case EKind::kLoad: return dynamic_cast<BVSampleLoadControl*>(c);
  case EKind::kSpeedMode: return dynamic_cast<BVSpeedModeButton*>(c);
  case EKind::kToggle: return dynamic_cast<IVToggleControl*>(c);
  case EKind::kKnob: return dynamic_cast<BVKnobControl*>(c);
  case EKind::kMenu: return dynamic_cast<IVMenuButtonControl*>(c);
  case EKind::kFilterDisplay: return dynamic_cast<BVFilterDisplayControl*>(c);
  case EKind::kMeter: return dynamic_cast<IVPeakAvgMeterControl<2>*>(c);
  }
  return false;
}

bool SameRect(const IRECT& a, const IRECT& b)
{
  return a.L == b.L && a.T == b.T && a.R == b.R && a.B == b.B;
}

std::string Str(const IRECT& r)
{
  return std::to_string(r.L) + "," + std::to_string(r.T) + "," + std::to_string(r.R) + "," + std::to_string(r.B);
}

} // namespace

TEST_F(BrimvaleEditor, TheFaceHoldsEveryControlInOrderAtItsDesignRectangle)
{
  constexpr int kFaceSize = static_cast<int>(sizeof(kFace) / sizeof(kFace[0]));
  static_assert(kFaceSize == 44, "the face has 44 controls");
  const std::vector<IControl*> controls = TopLevel();
  ASSERT_EQ(controls.size(), 1u + kFaceSize) << "the background panel and the face";
  EXPECT_TRUE(SameRect(controls[0]->GetRECT(), IRECT(0, 0, 1480, 360)));
  for (int i = 0; i < kFaceSize; ++i)
  {
    const Row& row = kFace[i];
    IControl* c = controls[i + 1];
    const std::string what = "row " + std::to_string(i + 1) + " at " + Str(row.rect);
    EXPECT_TRUE(IsKind(c, row.kind)) << what;
    EXPECT_TRUE(SameRect(c->GetRECT(), row.rect)) << what << ": " << Str(c->GetRECT());
    EXPECT_EQ(c->GetParamIdx(0), row.paramIdx) << what;
    if (row.tag >= 0)
    {
      EXPECT_EQ(Tagged(row.tag), c) << what;
    }
    if (auto* vector = dynamic_cast<IVectorBase*>(c); vector && row.label)
    {
      EXPECT_STREQ(vector->GetLabelStr(), row.label) << what;
    }
  }
  // The filter display follows cutoff, resonance and mode.
  IControl* display = Tagged(kCtrlTagFilterDisplay);
  ASSERT_EQ(display->NVals(), 3);
  EXPECT_EQ(display->GetParamIdx(1), kFilterResonance);
  EXPECT_EQ(display->GetParamIdx(2), kFilterMode);
  EXPECT_TRUE(ui->MouseOverEnabled());
  EXPECT_TRUE(ui->TooltipsEnabled());
}

TEST_F(BrimvaleEditor, OpeningWithoutSamplesShowsLoadAudioAndEveryRateKnob)
{
  EXPECT_EQ(Label(kCtrlTagSampleALoad), "Load audio");
  EXPECT_EQ(Label(kCtrlTagSampleBLoad), "Load audio");
  EXPECT_TRUE(Shown(kCtrlTagSampleARate));
  EXPECT_FALSE(Shown(kCtrlTagSampleASemi));
  EXPECT_TRUE(Shown(kCtrlTagSampleBRate));
  EXPECT_FALSE(Shown(kCtrlTagSampleBSemi));
}

struct SpeedLayer
{
  const char* name;
  IRECT button;
  int modeParam;
  int rateTag, semiTag;
  int otherRateTag, otherSemiTag;
};

const SpeedLayer kSpeedLayers[] = {
  {"A", IRECT(150, 66, 214, 94), kSampleASpeedMode, kCtrlTagSampleARate, kCtrlTagSampleASemi, kCtrlTagSampleBRate,
   kCtrlTagSampleBSemi},
  {"B", IRECT(368, 66, 432, 94), kSampleBSpeedMode, kCtrlTagSampleBRate, kCtrlTagSampleBSemi, kCtrlTagSampleARate,
   kCtrlTagSampleASemi},
};

TEST_F(BrimvaleEditor, SpeedModeSwapsTheKnobsAtOnceAndAfterAResize)
{
  for (const SpeedLayer& layer : kSpeedLayers)
  {
    SCOPED_TRACE(layer.name);
    Click(layer.button);
    EXPECT_EQ(plug->GetParam(layer.modeParam)->Value(), 1.0);
    EXPECT_FALSE(Shown(layer.rateTag));
    EXPECT_TRUE(Shown(layer.semiTag));
    EXPECT_TRUE(Shown(layer.otherRateTag)) << "the other layer keeps its mode";
    EXPECT_FALSE(Shown(layer.otherSemiTag));

    ui->Resize(1480, 360, 1.2f, true);
    EXPECT_FALSE(Shown(layer.rateTag));
    EXPECT_TRUE(Shown(layer.semiTag));

    // Opened with the mode already on semitones, the Semi knob is the one shown.
    Reopen();
    EXPECT_FALSE(Shown(layer.rateTag));
    EXPECT_TRUE(Shown(layer.semiTag));
    EXPECT_TRUE(Shown(layer.otherRateTag));

    Click(layer.button);
    EXPECT_EQ(plug->GetParam(layer.modeParam)->Value(), 0.0);
    EXPECT_TRUE(Shown(layer.rateTag));
    EXPECT_FALSE(Shown(layer.semiTag));
    ui->Resize(1480, 360, 1.f, true);
    EXPECT_TRUE(Shown(layer.rateTag));
    EXPECT_FALSE(Shown(layer.semiTag));
  }
}

// The modes are set and the controls moved and hovered behind the editor's back, so only the
// layout that follows a resize can put them right.
TEST_F(BrimvaleEditor, AResizePutsTheAddressedControlsBackAndShowsEachLayersModeKnob)
{
  const IRECT away(700, 300, 740, 340);
  IControl* untagged = TopLevel()[10]; // layer A's level knob
  ASSERT_TRUE(SameRect(untagged->GetRECT(), IRECT(25, 208, 69, 286)));
  // A control's target may be narrower than its rectangle (a knob's excludes its label): the one
  // the first layout gave it.
  struct Placed
  {
    IControl* control;
    IRECT design, target;
  };
  std::vector<Placed> putBack = {{ui->GetControl(0), IRECT(0, 0, 1480, 360), ui->GetControl(0)->GetTargetRECT()}};
  for (const Row& row : kFace)
    if (row.tag >= 0 && row.tag != kCtrlTagBlend)
      putBack.push_back({Tagged(row.tag), row.rect, Tagged(row.tag)->GetTargetRECT()});
  ASSERT_EQ(putBack.size(), 12u) << "the background, the panel and ten tagged controls";

  const struct
  {
    double modeA, modeB;
    float scale;
  } rounds[] = {{1.0, 0.0, 1.2f}, {0.0, 1.0, 1.4f}, {1.0, 1.0, 1.f}};
  for (const auto& round : rounds)
  {
    const std::string what = "modes " + std::to_string(round.modeA) + "/" + std::to_string(round.modeB);
    plug->GetParam(kSampleASpeedMode)->Set(round.modeA);
    plug->GetParam(kSampleBSpeedMode)->Set(round.modeB);
    // Each knob pair shows the opposite of its mode.
    for (const SpeedLayer& layer : kSpeedLayers)
    {
      const bool semitones = plug->GetParam(layer.modeParam)->Value() >= 0.5;
      Tagged(layer.rateTag)->Hide(!semitones);
      Tagged(layer.semiTag)->Hide(semitones);
    }
    for (const Placed& p : putBack)
    {
      p.control->SetTargetAndDrawRECTs(away);
      p.control->SetMouseIsOver(true);
    }
    untagged->SetTargetAndDrawRECTs(away);

    ui->Resize(1480, 360, round.scale, true);
    ASSERT_NEAR(ui->GetDrawScale(), round.scale, 1e-6f) << what;
    for (const Placed& p : putBack)
    {
      EXPECT_TRUE(SameRect(p.control->GetRECT(), p.design)) << what << ": " << Str(p.control->GetRECT());
      EXPECT_TRUE(SameRect(p.control->GetTargetRECT(), p.target)) << what << ": " << Str(p.control->GetTargetRECT());
      EXPECT_FALSE(p.control->GetMouseIsOver()) << what << " at " << Str(p.design);
    }
    EXPECT_TRUE(SameRect(untagged->GetRECT(), away)) << "an untagged control keeps its rectangle";
    for (const SpeedLayer& layer : kSpeedLayers)
    {
      const bool semitones = plug->GetParam(layer.modeParam)->Value() >= 0.5;
      EXPECT_EQ(Shown(layer.rateTag), !semitones) << what << ", layer " << layer.name;
      EXPECT_EQ(Shown(layer.semiTag), semitones) << what << ", layer " << layer.name;
    }
  }
}

TEST_F(BrimvaleEditor, ACornerDragRescalesAndLeavesEveryControlAtItsDesignRectangle)
{
  const std::vector<IRECT> before = Rects();
  // From the resizer's handle to 1.2 times as far from the top-left corner.
  const float x = 1475.f, y = 355.f;
  headless::SendTo(window, kHeadlessMouseDown, x, y);
  headless::SendTo(window, kHeadlessMouseDrag, x * 1.2f, y * 1.2f, kHeadlessLeft, x * 0.2f, y * 0.2f);
  headless::SendTo(window, kHeadlessMouseUp, x * 1.2f, y * 1.2f);

  EXPECT_NEAR(ui->GetDrawScale(), 1.2f, 1e-3f);
  EXPECT_EQ(ui->Width(), 1480);
  EXPECT_EQ(ui->Height(), 360);
  const std::vector<IRECT> after = Rects();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_TRUE(SameRect(before[i], after[i])) << "control " << i << ": " << Str(after[i]);

  // Below the smallest scale the editor holds at it.
  ui->Resize(1480, 360, 0.5f, true);
  EXPECT_NEAR(ui->GetDrawScale(), 0.925f, 1e-6f);
}

TEST_F(BrimvaleEditor, DroppedFilesLoadOrSayUnsupportedAndTheLabelsOutliveTheEditor)
{
  const std::string good = WriteSampleWav("Kälte – Nachtflug über dem Fjord.wav");
  const IRECT loadA(26, 104, 208, 138);
  ui->OnDrop(good.c_str(), loadA.MW(), loadA.MH());
  EXPECT_EQ(plug->GetSampleAPath(), good);
  EXPECT_EQ(Label(kCtrlTagSampleALoad), ShortFileLabel(good.c_str()));
  EXPECT_EQ(Label(kCtrlTagSampleALoad), "Kälte – Na...m Fjord.wav");

  // Files that are no readable WAV: the label says so, the stored path stays.
  const std::string bad = ::testing::TempDir() + "broken.wav";
  std::ofstream(bad) << "not a wave file";
  for (const std::string& path : {bad, std::string("/no/such/folder/missing.wav")})
  {
    ui->OnDrop(path.c_str(), loadA.MW(), loadA.MH());
    EXPECT_EQ(Label(kCtrlTagSampleALoad), "Unsupported WAV") << path;
    EXPECT_EQ(plug->GetSampleAPath(), good) << path;
  }

  // Reopened, the label comes from the plug-in's state again.
  Reopen();
  EXPECT_EQ(Label(kCtrlTagSampleALoad), "Kälte – Na...m Fjord.wav");
  EXPECT_EQ(Label(kCtrlTagSampleBLoad), "Load audio");
}

TEST_F(BrimvaleEditor, InitClearsTheSamplesAndEveryParameter)
{
  const std::string good = WriteSampleWav("init.wav");
  ASSERT_TRUE(plug->LoadSampleB(good.c_str()));
  plug->UpdateSampleLoadLabels();
  EXPECT_EQ(Label(kCtrlTagSampleBLoad), "init.wav");
  Click(IRECT(150, 66, 214, 94));
  plug->SendParameterValueFromUI(kBlend, 0.9);
  EXPECT_TRUE(Shown(kCtrlTagSampleASemi));

  Click(IRECT(1208, 12, 1254, 36));
  EXPECT_EQ(plug->GetSampleBPath(), "");
  EXPECT_EQ(Label(kCtrlTagSampleBLoad), "Load audio");
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(plug->GetParam(i)->Value(), plug->GetParam(i)->GetDefault()) << plug->GetParam(i)->GetName();
  EXPECT_TRUE(Shown(kCtrlTagSampleARate));
  EXPECT_FALSE(Shown(kCtrlTagSampleASemi));
  EXPECT_DOUBLE_EQ(Tagged(kCtrlTagBlend)->GetValue(), plug->GetParamNormalized(kBlend));
}

TEST_F(BrimvaleEditor, AStateRestoredWhileOpenRefreshesLabelsKnobsAndValues)
{
  // The state of another instance: a sample on B and every parameter away from its default, so
  // both layers on semitones.
  std::unique_ptr<Brimvale, ReleasePlug> other{new Brimvale(iplug::InstanceInfo())};
  const std::string good = WriteSampleWav("restored.wav");
  ASSERT_TRUE(other->LoadSampleB(good.c_str()));
  for (int i = 0; i < kNumParams; ++i)
  {
    iplug::IParam& param = *other->GetParam(i);
    const double defaultNormalized = param.ToNormalized(param.GetDefault());
    param.SetNormalized(defaultNormalized < 0.5 ? 0.8 : 0.2);
    ASSERT_NE(param.GetNormalized(), defaultNormalized) << param.GetName();
  }
  ASSERT_EQ(other->GetParam(kSampleASpeedMode)->Value(), 1.0);
  ASSERT_EQ(other->GetParam(kSampleBSpeedMode)->Value(), 1.0);
  iplug::IByteChunk chunk;
  ASSERT_TRUE(other->SerializeState(chunk));

  ASSERT_GT(plug->UnserializeState(chunk, 0), 0);
  plug->OnRestoreState();
  EXPECT_EQ(Label(kCtrlTagSampleBLoad), "restored.wav");
  EXPECT_EQ(Label(kCtrlTagSampleALoad), "Load audio");
  for (const SpeedLayer& layer : kSpeedLayers)
  {
    EXPECT_TRUE(Shown(layer.semiTag)) << layer.name;
    EXPECT_FALSE(Shown(layer.rateTag)) << layer.name;
  }
  int bound = 0;
  for (IControl* c : TopLevel())
    for (int v = 0; v < c->NVals(); ++v)
    {
      const int idx = c->GetParamIdx(v);
      if (idx < 0)
        continue;
      ++bound;
      EXPECT_DOUBLE_EQ(c->GetValue(v), other->GetParamNormalized(idx))
        << plug->GetParam(idx)->GetName() << " at " << Str(c->GetRECT());
    }
  EXPECT_EQ(bound, kNumParams + 3) << "every parameter once, and the filter display's three again";
}

// What each message from the plug-in repaints: its control's rectangle, nothing else.
TEST_F(BrimvaleEditor, EachMessageRepaintsOnlyItsControl)
{
  struct Case
  {
    int tag, msgTag;
    std::vector<unsigned char> data;
    IRECT repainted;
  };
  const double cutoff = 0.3;
  PanelScopePayload scope{0.5, 1.0, 0.1, 0.2, 1.0, 1.0, 1, 2};
  const char label[] = "pad.wav";
  const auto bytes = [](const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    return std::vector<unsigned char>(b, b + n);
  };
  const Case cases[] = {
    {kCtrlTagFilterDisplay, kMsgTagFilterDisplay, bytes(&cutoff, sizeof(cutoff)), IRECT(602, 208, 926, 284)},
    {kCtrlTagPanel, kMsgTagPanelScope, bytes(&scope, sizeof(scope)), IRECT(0, 0, 1480, 360)},
    {kCtrlTagSampleALoad, kMsgTagSampleLabel, bytes(label, sizeof(label)), IRECT(26, 104, 208, 138)},
  };
  for (const Case& c : cases)
  {
    ui->Tick();
    IRECTList clean;
    ASSERT_FALSE(ui->IsDirty(clean));
    plug->SendControlMsgFromDelegate(c.tag, c.msgTag, static_cast<int>(c.data.size()), c.data.data());
    IRECTList dirty;
    ASSERT_TRUE(ui->IsDirty(dirty)) << c.msgTag;
    ASSERT_EQ(dirty.Size(), 1) << c.msgTag;
    // Drawn rectangles take in the pixel around them for antialiased edges.
    EXPECT_TRUE(dirty.Get(0).Contains(c.repainted) && c.repainted.GetPadded(1.f).Contains(dirty.Get(0)))
      << c.msgTag << ": " << Str(dirty.Get(0));
  }
}
