// A small instrument with a drawn editor, built as a module of its own, so that the host tests can
// drive the editor road end to end: view, input, prompts and the host's edit gestures.
#include "igraphics/IContainerBase.h"
#include "igraphics/ICornerResizerControl.h"
#include "igraphics/IControlBases.h"
#include "igraphics/IGraphics.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/ITextControl.h"
#include "igraphics/MakeGraphics.h"
#include "iplug/vst3/IPlugVST3Entry.h"

#include "EditorTestPlugIDs.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{

Config MakeConfig()
{
  Config c;
  c.nParams = kEditorTestNumParams;
  c.nPresets = 1;
  c.channelIOStr = "0-2";
  c.pluginName = "Editor Test";
  c.productName = "Editor Test";
  c.mfrName = "Brimvale Tests";
  c.vendorVersion = 0x00010000;
  c.uniqueID = 0x42566554; // 'BVeT'
  c.mfrID = 0x44757a69;
  c.plugDoesChunks = true;
  c.plugType = kInstrument;
  c.plugHasUI = true;
  c.plugWidth = kEditorTestWidth;
  c.plugHeight = kEditorTestHeight;
  c.plugMinWidth = kEditorTestWidth / 2;
  c.plugMinHeight = kEditorTestHeight / 2;
  c.plugMaxWidth = kEditorTestWidth * 2;
  c.plugMaxHeight = kEditorTestHeight * 2;
  c.plugHostResize = true;
  return c;
}

/** A round knob that turns with vertical drags, a quarter of the range per drag height. */
class TestKnob : public IKnobControlBase
{
public:
  TestKnob(const IRECT& bounds, int paramIdx) : IKnobControlBase(bounds, paramIdx, EDirection::Vertical, 4.0) {}

  void Draw(IGraphics& g) override
  {
    g.FillCircle(COLOR_DARK_GRAY, mRect.MW(), mRect.MH(), mRect.W() / 2.f);
    g.FillArc(COLOR_ORANGE, mRect.MW(), mRect.MH(), mRect.W() / 2.f, -135.f,
              -135.f + 270.f * static_cast<float>(GetValue()));
  }
};

/** A knob that adds its own entries to the host's menu for its parameter: a plain item, a
 * separator, a submenu and checked items, one of them disabled. A choice steps the parameter to
 * the chosen tag, in a gesture of its own, so that the host sees which tag came back. */
class MenuKnob : public TestKnob
{
public:
  using TestKnob::TestKnob;

  void CreateContextMenu(IPopupMenu& menu) override
  {
    using Item = IPopupMenu::Item;
    menu.AddItem("Reset");
    menu.AddItem("-", IPopupMenu::kAppend, Item::kSeparator);
    auto* pSnap = new IPopupMenu("Snap");
    pSnap->AddItem("Coarse");
    pSnap->AddItem("Fine", IPopupMenu::kAppend, Item::kChecked);
    menu.AddItem("Snap", pSnap);
    menu.AddItem("Locked", IPopupMenu::kAppend, Item::kChecked | Item::kDisabled);
    menu.AddItem("Unavailable", IPopupMenu::kAppend, Item::kDisabled);
  }

  void OnContextSelection(int tag) override
  {
    GetDelegate()->BeginInformHostOfParamChangeFromUI(GetParamIdx());
    SetValueFromUserInput(GetParam()->ToNormalized(tag));
    GetDelegate()->EndInformHostOfParamChangeFromUI(GetParamIdx());
  }
};

class EditorTestPlug : public IPlugVST3<IGEditorDelegate>
{
public:
  explicit EditorTestPlug(const InstanceInfo& info) : IPlugVST3(info, MakeConfig())
  {
    GetParam(kEditorTestGain)->InitDouble("Gain", 0.5, 0., 1., 0.001);
    GetParam(kEditorTestSteps)->InitInt("Steps", 5, 0, 10);
    GetParam(kEditorTestLevel)->InitDouble("Level", 50., 0., 100., 0.1, "%");
    GetParam(kEditorTestMode)->InitEnum("Mode", 1, {"Soft", "Warm", "Bright", "Dark"});

    SetMakeGraphicsFunc([this] { return MakeGraphics(*this, kEditorTestWidth, kEditorTestHeight, 60, 1.f); });
    SetLayoutFunc([](IGraphics* pGraphics) {
      pGraphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf");
#ifdef EDITOR_TEST_DRAWN_PROMPTS
      // Menus and typed values drawn in the editor, and a corner that rescales it.
      pGraphics->AttachPopupMenuControl();
      pGraphics->AttachTextEntryControl();
      pGraphics->SetScaleConstraints(kEditorTestMinScale, kEditorTestMaxScale);
      pGraphics->AttachCornerResizer(EUIResizerMode::Scale);
#endif
      pGraphics->AttachBackgroundControl(new IPanelControl(pGraphics->GetBounds(), COLOR_GRAY));
      pGraphics->AttachControl(new TestKnob(kEditorTestGainKnob, kEditorTestGain));
      pGraphics->AttachControl(new MenuKnob(kEditorTestStepsKnob, kEditorTestSteps));
      pGraphics->AttachControl(
        new ICaptionControl(kEditorTestLevelCaption, kEditorTestLevel, DEFAULT_TEXT, COLOR_WHITE));
      pGraphics->AttachControl(new ICaptionControl(kEditorTestModeCaption, kEditorTestMode, DEFAULT_TEXT, COLOR_WHITE));
    });
  }

  void ProcessBlock(double**, double** outputs, int nFrames) override
  {
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < nFrames; ++i)
        outputs[c][i] = 0.;
  }
};

} // namespace

namespace iplug
{

const VST3ClassDescription& GetVST3ClassDescription()
{
  static const VST3ClassDescription description{
    "Brimvale Tests", "", "", {0x5A1E7E57, 0x0ED17013, 0x42566554, 0x65737431}, "Editor Test", "Instrument", "1.0.0",
  };
  return description;
}

Steinberg::Vst::IComponent* ConstructPlug(const InstanceInfo& info)
{
  return new EditorTestPlug(info);
}

} // namespace iplug
