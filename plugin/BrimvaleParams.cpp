#include "plugin/BrimvaleParams.h"

#include "plugin/BrimvaleIDs.h"

#include "iplug/IPlugEditorDelegate.h"

#include <initializer_list>

using iplug::IParam;

namespace
{

enum class EKind
{
  kBool,
  kDouble,
  kEnum
};

// One parameter as the table below lists it, in index order.
struct ParamRow
{
  const char* name;
  EKind kind;
  double defaultValue, min, max, step;
  const char* label;
  IParam::EParamUnit unit;
  double powCurve;                          // 0: linear
  std::initializer_list<const char*> texts; // bool: off, on; enum: the items
  const char* group;
};

constexpr IParam::EParamUnit kCustom = IParam::kUnitCustom;

const std::initializer_list<const char*> kShapes = {"Sine",   "Triangle", "Ramp Up", "Ramp Down",
                                                    "Random", "Drift",    "Glider"};
const std::initializer_list<const char*> kFilterModes = {"Lowpass", "Highpass", "Bandpass", "Notch", "Peak", "Allpass"};
const std::initializer_list<const char*> kDestinations = {"Blend", "Filter", "Space", "A Start", "B Speed"};

const ParamRow kParamTable[kNumParams] = {
  {"Sample A Play", EKind::kBool, 1, 0, 1, 1, "", kCustom, 0, {"off", "on"}, "Sample A"},
  {"Sample A Level", EKind::kDouble, 0.75, 0, 1.5, 0.001, "", kCustom, 0, {}, "Sample A"},
  {"Sample A Pan", EKind::kDouble, 0, -100, 100, 0.1, "", kCustom, 0, {}, "Sample A"},
  {"Sample A Start", EKind::kDouble, 0, 0, 1, 0.001, "", kCustom, 0, {}, "Sample A"},
  {"Sample A Speed", EKind::kDouble, 1, 0.125, 2, 0.001, "", kCustom, 0, {}, "Sample A"},
  {"Sample A Speed Mode", EKind::kBool, 0, 0, 1, 1, "", kCustom, 0, {"RATE", "SEMI"}, "Sample A"},
  {"Sample A Semitones", EKind::kDouble, 0, -24, 24, 1, "st", kCustom, 0, {}, "Sample A"},
  {"Sample A Reverse", EKind::kBool, 0, 0, 1, 1, "", kCustom, 0, {"fwd", "rev"}, "Sample A"},
  {"Sample B Play", EKind::kBool, 1, 0, 1, 1, "", kCustom, 0, {"off", "on"}, "Sample B"},
  {"Sample B Level", EKind::kDouble, 0.75, 0, 1.5, 0.001, "", kCustom, 0, {}, "Sample B"},
  {"Sample B Pan", EKind::kDouble, 0, -100, 100, 0.1, "", kCustom, 0, {}, "Sample B"},
  {"Sample B Start", EKind::kDouble, 0, 0, 1, 0.001, "", kCustom, 0, {}, "Sample B"},
  {"Sample B Speed", EKind::kDouble, 1, 0.125, 2, 0.001, "", kCustom, 0, {}, "Sample B"},
  {"Sample B Speed Mode", EKind::kBool, 0, 0, 1, 1, "", kCustom, 0, {"RATE", "SEMI"}, "Sample B"},
  {"Sample B Semitones", EKind::kDouble, 0, -24, 24, 1, "st", kCustom, 0, {}, "Sample B"},
  {"Sample B Reverse", EKind::kBool, 0, 0, 1, 1, "", kCustom, 0, {"fwd", "rev"}, "Sample B"},
  {"Blend", EKind::kDouble, 0.5, 0, 1, 0.001, "", kCustom, 0, {}, "Blend"},
  {"Blend LFO", EKind::kDouble, 0, 0, 1, 0.001, "", kCustom, 0, {}, "Blend"},
  {"Filter Cutoff", EKind::kDouble, 6200, 20, 20000, 0.1, "Hz", IParam::kUnitFrequency, 3, {}, "Filter"},
  {"Filter Resonance", EKind::kDouble, 0.85, 0.1, 8, 0.001, "", kCustom, 0, {}, "Filter"},
  {"Filter Drive", EKind::kDouble, 1.15, 0.25, 8, 0.001, "", kCustom, 0, {}, "Filter"},
  {"Filter LFO A", EKind::kDouble, 0.3, 0, 1, 0.001, "", kCustom, 0, {}, "Filter"},
  {"Filter LFO B", EKind::kDouble, 0.2, 0, 1, 0.001, "", kCustom, 0, {}, "Filter"},
  {"Filter Mode", EKind::kEnum, 0, 0, 5, 1, "", kCustom, 0, kFilterModes, "Filter"},
  {"Motion A Rate", EKind::kDouble, 0.08, 0.01, 20, 0.001, "Hz", kCustom, 3, {}, "Motion"},
  {"Motion A Depth", EKind::kDouble, 0.45, 0, 1, 0.001, "", kCustom, 0, {}, "Motion"},
  {"Motion A Shape", EKind::kEnum, 0, 0, 6, 1, "", kCustom, 0, kShapes, "Motion"},
  {"Motion A Destination", EKind::kEnum, 1, 0, 4, 1, "", kCustom, 0, kDestinations, "Motion"},
  {"Motion B Rate", EKind::kDouble, 0.13, 0.01, 20, 0.001, "Hz", kCustom, 3, {}, "Motion"},
  {"Motion B Depth", EKind::kDouble, 0.3, 0, 1, 0.001, "", kCustom, 0, {}, "Motion"},
  {"Motion B Shape", EKind::kEnum, 0, 0, 6, 1, "", kCustom, 0, kShapes, "Motion"},
  {"Motion B Destination", EKind::kEnum, 1, 0, 4, 1, "", kCustom, 0, kDestinations, "Motion"},
  {"Space Size", EKind::kDouble, 0.78, 0, 1, 0.001, "", kCustom, 0, {}, "Space"},
  {"Space Mix", EKind::kDouble, 0.42, 0, 1, 0.001, "", kCustom, 0, {}, "Space"},
  {"Master", EKind::kDouble, 0.85, 0, 1.5, 0.001, "", kCustom, 0, {}, "Output"},
  {"Space Decay", EKind::kDouble, 8.5, 0.1, 12, 0.01, "s", kCustom, 0, {}, "Space"},
  {"Space Width", EKind::kDouble, 1.12, 0, 2, 0.001, "", kCustom, 0, {}, "Space"},
};

void InitParam(IParam& param, const ParamRow& row)
{
  switch (row.kind)
  {
  case EKind::kBool:
    param.InitBool(row.name, row.defaultValue >= 0.5, row.label, 0, row.group, *row.texts.begin(),
                   *(row.texts.begin() + 1));
    break;
  case EKind::kEnum: param.InitEnum(row.name, static_cast<int>(row.defaultValue), row.texts, 0, row.group); break;
  case EKind::kDouble:
    if (row.powCurve > 0.0)
      param.InitDouble(row.name, row.defaultValue, row.min, row.max, row.step, row.label, 0, row.group,
                       IParam::ShapePowCurve(row.powCurve), row.unit);
    else
      param.InitDouble(row.name, row.defaultValue, row.min, row.max, row.step, row.label, 0, row.group,
                       IParam::ShapeLinear(), row.unit);
    break;
  }
}

} // namespace

void InitBrimvaleParams(iplug::IEditorDelegate& delegate)
{
  for (int i = 0; i < kNumParams; ++i)
    InitParam(*delegate.GetParam(i), kParamTable[i]);
}
