// The instrument: one object per instance, at once the VST3 processor, edit controller and editor
// delegate. It owns the sound engine, the meter sender, the sample paths and the 37 parameters.
#pragma once

#include "plugin/BrimvaleIDs.h"
#include "plugin/editor/BrimvaleEditorHost.h"

#include "engine/BrimvaleEngine.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "iplug/IPlugPeakAvgSender.h"
#include "iplug/vst3/IPlugVST3.h"

#include <string>

class Brimvale : public iplug::IPlugVST3<iplug::igraphics::IGEditorDelegate>, public brimvale::editor::EditorHost
{
public:
  explicit Brimvale(const iplug::InstanceInfo& info);
  ~Brimvale() override;

  // Audio thread.
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override;
  void OnReset() override;
  brimvale::engine::BrimvaleEngine::Params ReadEngineParams() const;

  // Main thread.
  void OnIdle() override;
  void OnParamChangeUI(int paramIdx, iplug::EParamSource source) override;
  bool SerializeState(iplug::IByteChunk& chunk) const override;
  int UnserializeState(const iplug::IByteChunk& chunk, int startPos) override;
  void LoadRestoredSamples();
  /** After a state restore: every control's value, both sample labels and the speed-mode knobs. */
  void OnRestoreState() override;

  // Main thread: the editor keeps the proportion of its design size within its scale range.
  bool OnHostRequestingSupportedViewConfiguration(int width, int height) override;
  bool ConstrainEditorResize(int& width, int& height) const override;
  void OnHostSelectedViewConfiguration(int width, int height) override;
  void OnParentWindowResize(int width, int height) override;

  // Main thread: the editor's side of the plug-in. The editor is open while a surface exists.
  bool LoadSampleA(const char* path) override;
  bool LoadSampleB(const char* path) override;
  void UpdateSampleLoadLabels();
  void UpdateSampleSpeedModeControls() override;
  void ResetToInitState() override;

  const std::string& GetSampleAPath() const override { return mSampleAPath; }
  const std::string& GetSampleBPath() const override { return mSampleBPath; }
  double GetPreviewPhaseA() const { return mPreviewPhaseA; }
  double GetPreviewPhaseB() const { return mPreviewPhaseB; }

  static constexpr uint32_t kStateMagic = 0x42565331; // 'BVS1'
  static constexpr uint32_t kStateVersion = 1;

private:
  void SendMotionPreviews();
  void SendParameterValuesToEditor();

  double mPreviewPhaseA = 0.0;
  double mPreviewPhaseB = 0.25;
  std::string mSampleAPath;
  std::string mSampleBPath;
  brimvale::engine::BrimvaleEngine mEngine;
  iplug::IPeakAvgSender<2, 64> mMeterSender;
};
