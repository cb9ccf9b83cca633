// What the plug-in tells its open editor when its state changes behind the controls' backs: the
// parameter values, the sample labels and which of each layer's Rate and Semi knobs is shown.
#include "plugin/Brimvale.h"

#include "plugin/editor/BVSampleLoadControl.h"
#include "plugin/BrimvaleMessages.h"

#include "igraphics/IGraphics.h"

#include <string>

using brimvale::editor::ShortFileLabel;
using iplug::igraphics::IControl;

bool Brimvale::LoadSampleA(const char* path)
{
  if (!mEngine.LoadSampleA(path))
    return false;
  mSampleAPath = path;
  return true;
}

bool Brimvale::LoadSampleB(const char* path)
{
  if (!mEngine.LoadSampleB(path))
    return false;
  mSampleBPath = path;
  return true;
}

void Brimvale::OnRestoreState()
{
  SendParameterValuesToEditor();
  UpdateSampleLoadLabels();
  UpdateSampleSpeedModeControls();
}

void Brimvale::SendParameterValuesToEditor()
{
  for (int i = 0; i < NParams(); ++i)
    SendParameterValueFromDelegate(i, GetParamNormalized(i), true);
}

void Brimvale::UpdateSampleLoadLabels()
{
  if (!GetUI())
    return;
  const std::string labelA = ShortFileLabel(mSampleAPath.c_str());
  const std::string labelB = ShortFileLabel(mSampleBPath.c_str());
  SendControlMsgFromDelegate(kCtrlTagSampleALoad, kMsgTagSampleLabel, static_cast<int>(labelA.size() + 1),
                             labelA.c_str());
  SendControlMsgFromDelegate(kCtrlTagSampleBLoad, kMsgTagSampleLabel, static_cast<int>(labelB.size() + 1),
                             labelB.c_str());
}

void Brimvale::UpdateSampleSpeedModeControls()
{
  iplug::igraphics::IGraphics* pGraphics = GetUI();
  if (!pGraphics)
    return;
  auto update = [&](int rateTag, int semiTag, int speedModeParam) {
    IControl* rate = pGraphics->GetControlWithTag(rateTag);
    IControl* semi = pGraphics->GetControlWithTag(semiTag);
    if (!rate || !semi)
      return;
    const bool semitones = GetParam(speedModeParam)->Value() >= 0.5;
    rate->Hide(semitones);
    semi->Hide(!semitones);
    rate->SetDirty(false);
    semi->SetDirty(false);
  };
  update(kCtrlTagSampleARate, kCtrlTagSampleASemi, kSampleASpeedMode);
  update(kCtrlTagSampleBRate, kCtrlTagSampleBSemi, kSampleBSpeedMode);
}
