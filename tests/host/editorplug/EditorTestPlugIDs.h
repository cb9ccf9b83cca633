// What the editor test plug-in and its host tests agree on: parameters and where each control sits.
#pragma once

#include "igraphics/IRECT.h"

enum EditorTestParams
{
  kEditorTestGain = 0, // 0..1, default 0.5
  kEditorTestSteps,    // whole numbers 0..10, default 5
  kEditorTestLevel,    // 0..100 in steps of 0.1, default 50
  kEditorTestMode,     // "Soft", "Warm", "Bright", "Dark", default "Warm"
  kEditorTestNumParams
};

constexpr int kEditorTestWidth = 400;
constexpr int kEditorTestHeight = 300;
// The drawn-prompts build's corner resizer rescales between these.
constexpr float kEditorTestMinScale = 0.5f;
constexpr float kEditorTestMaxScale = 1.5f;

inline constexpr iplug::igraphics::IRECT kEditorTestGainKnob{20.f, 20.f, 100.f, 100.f};
inline constexpr iplug::igraphics::IRECT kEditorTestStepsKnob{120.f, 20.f, 200.f, 100.f};
inline constexpr iplug::igraphics::IRECT kEditorTestLevelCaption{20.f, 120.f, 200.f, 150.f};
inline constexpr iplug::igraphics::IRECT kEditorTestModeCaption{220.f, 120.f, 380.f, 150.f};
