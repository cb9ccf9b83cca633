#include "iplug/IPlugParameter.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <locale>
#include <sstream>

namespace iplug
{
namespace
{
// Copies text into a fixed field, cut so that it always ends in a NUL inside the field.
template <int N>
void CopyField(char (&field)[N], const char* text)
{
  const char* src = text ? text : "";
  size_t n = 0;
  while (n < N - 1 && src[n])
    ++n;
  std::memmove(field, src, n);
  field[n] = 0;
}

// Number of decimals a step needs: 0 for a whole step, else how many multiplications by ten make
// it whole (checked after one to five), 6 when five are not enough.
int PrecisionForStep(double step)
{
  if (step == std::trunc(step))
    return 0;
  for (int decimals = 1; decimals <= 5; ++decimals)
  {
    step *= 10.0;
    if (step == std::trunc(step))
      return decimals;
  }
  return 6;
}

// The leading decimal number of a text, 0 when there is none. The classic locale keeps the decimal
// point a '.' whatever locale the host has set; hexadecimal, "inf" and "nan" are not read as
// numbers, and a number too large for a double reads as the largest one.
double LeadingDecimal(const char* text)
{
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double value = 0.0;
  in >> value;
  return value;
}

const char* const kNoteNames[12] = {"C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B "};
} // namespace

// ---- shapes

double IParam::ShapeLinear::NormalizedToValue(double normalized, const IParam& param) const
{
  return param.GetMin() + normalized * (param.GetMax() - param.GetMin());
}

double IParam::ShapeLinear::ValueToNormalized(double value, const IParam& param) const
{
  // A range of zero width would divide by zero; its only value sits at 0.
  const double range = param.GetMax() - param.GetMin();
  return range != 0.0 ? (value - param.GetMin()) / range : 0.0;
}

IParam::EDisplayType IParam::ShapePowCurve::GetDisplayType() const
{
  if (mShape > 2.5)
    return kDisplayCubed;
  if (mShape > 1.5)
    return kDisplaySquared;
  if (mShape < 0.4)
    return kDisplayCubeRoot;
  if (mShape < 2.0 / 3.0)
    return kDisplaySquareRoot;
  return kDisplayLinear;
}

double IParam::ShapePowCurve::NormalizedToValue(double normalized, const IParam& param) const
{
  return param.GetMin() + std::pow(normalized, mShape) * (param.GetMax() - param.GetMin());
}

double IParam::ShapePowCurve::ValueToNormalized(double value, const IParam& param) const
{
  const double range = param.GetMax() - param.GetMin();
  return range != 0.0 ? std::pow((value - param.GetMin()) / range, 1.0 / mShape) : 0.0;
}

void IParam::ShapeExp::Init(const IParam& param)
{
  const double lo = param.GetMin() > 0.0 ? param.GetMin() : 1e-8;
  mAdd = std::log(lo);
  mMul = std::log(param.GetMax() / lo);
}

double IParam::ShapeExp::NormalizedToValue(double normalized, const IParam&) const
{
  return std::exp(mAdd + normalized * mMul);
}

double IParam::ShapeExp::ValueToNormalized(double value, const IParam&) const
{
  return (std::log(value) - mAdd) / mMul;
}

// ---- initialisation

IParam::IParam() : mShape(std::make_unique<ShapeLinear>())
{}

void IParam::InitBool(const char* name, bool defaultValue, const char* label, int flags, const char* group,
                      const char* offText, const char* onText)
{
  if (mType == kTypeNone)
    mType = kTypeBool;
  InitDouble(name, defaultValue ? 1.0 : 0.0, 0.0, 1.0, 1.0, label, flags | kFlagStepped, group);
  SetDisplayText(0.0, offText);
  SetDisplayText(1.0, onText);
}

void IParam::InitEnum(const char* name, int defaultValue, const std::initializer_list<const char*>& items, int flags,
                      const char* group)
{
  if (mType == kTypeNone)
    mType = kTypeEnum;
  const int count = static_cast<int>(items.size());
  InitDouble(name, defaultValue, 0.0, count - 1.0, 1.0, "", flags | kFlagStepped, group);
  int i = 0;
  for (const char* item : items)
    SetDisplayText(i++, item);
}

void IParam::InitEnum(const char* name, int defaultValue, int nEnums, const char* label, int flags, const char* group,
                      const char* firstItem, ...)
{
  if (mType == kTypeNone)
    mType = kTypeEnum;
  InitDouble(name, defaultValue, 0.0, nEnums - 1.0, 1.0, label, flags | kFlagStepped, group);
  if (firstItem == nullptr)
    return;
  SetDisplayText(0.0, firstItem);
  va_list args;
  va_start(args, firstItem);
  for (int i = 1; i < nEnums; ++i)
    SetDisplayText(i, va_arg(args, const char*));
  va_end(args);
}

void IParam::InitInt(const char* name, int defaultValue, int minVal, int maxVal, const char* label, int flags,
                     const char* group)
{
  if (mType == kTypeNone)
    mType = kTypeInt;
  InitDouble(name, defaultValue, minVal, maxVal, 1.0, label, flags | kFlagStepped, group);
}

void IParam::InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                        const char* label, int flags, const char* group, const Shape& shape, EParamUnit unit,
                        DisplayFunc displayFunc)
{
  if (mType == kTypeNone)
    mType = kTypeDouble;
  CopyField(mName, name);
  CopyField(mLabel, label);
  CopyField(mGroup, group);
  mMin = minVal;
  mMax = std::max(minVal + step, maxVal);
  mStep = step;
  mDefault = defaultVal;
  mUnit = unit;
  mFlags = flags;
  mDisplayFunction = std::move(displayFunc);
  Set(Constrain(defaultVal));
  mDisplayPrecision = PrecisionForStep(step);
  mShape = shape.Clone();
  mShape->Init(*this);
}

void IParam::InitFrequency(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags,
                           const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "Hz", flags, group, ShapeExp(), kUnitFrequency);
}

void IParam::InitSeconds(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags,
                         const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "Seconds", flags, group, ShapeLinear(), kUnitSeconds);
}

void IParam::InitMilliseconds(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                              const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "ms", flags, group, ShapeLinear(), kUnitMilliseconds);
}

void IParam::InitGain(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags,
                      const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "dB", flags, group, ShapeLinear(), kUnitDB);
}

void IParam::InitPercentage(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                            const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "%", flags, group, ShapeLinear(), kUnitPercentage);
}

void IParam::InitAngleDegrees(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                              const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "degrees", flags, group, ShapeLinear(), kUnitDegrees);
}

void IParam::InitPitch(const char* name, int defaultNote, int lowestNote, int highestNote, int flags, const char* group,
                       bool middleCisC4)
{
  if (mType == kTypeNone)
    mType = kTypeEnum;
  InitDouble(name, defaultNote, 0.0, highestNote - lowestNote, 1.0, "", flags | kFlagStepped, group);
  const int octaveOffset = middleCisC4 ? 1 : 2;
  for (int i = 0; i <= highestNote - lowestNote; ++i)
  {
    // Floor division keeps notes below 0 inside the name table and in the octave below.
    const int note = lowestNote + i;
    const int octave = note >= 0 ? note / 12 : -((11 - note) / 12);
    WDL_String text;
    text.SetFormatted(MAX_PARAM_DISPLAY_LEN - 1, "%s%i", kNoteNames[note - octave * 12], octave - octaveOffset);
    SetDisplayText(i, text.Get());
  }
}

void IParam::Init(const IParam& source, const char* searchStr, const char* replaceStr, const char* newGroup)
{
  if (mType == kTypeNone)
    mType = source.mType;

  WDL_String name(source.mName);
  const char* found = searchStr && *searchStr ? std::strstr(source.mName, searchStr) : nullptr;
  if (found != nullptr)
  {
    const int prefixLen = static_cast<int>(found - source.mName);
    name.Set(prefixLen > 0 ? source.mName : "", prefixLen);
    name.Append(replaceStr);
    name.Append(found + std::strlen(searchStr));
  }
  const char* group = newGroup && *newGroup ? newGroup : source.mGroup;
  InitDouble(name.Get(), source.mDefault, source.mMin, source.mMax, source.mStep, source.mLabel, source.mFlags, group,
             *source.mShape, source.mUnit, source.mDisplayFunction);
  // Counted first: a parameter copied onto itself must not walk the texts it is appending.
  const int nTexts = source.NDisplayTexts();
  for (int i = 0; i < nTexts; ++i)
  {
    double value = 0.0;
    const char* text = source.GetDisplayTextAtIdx(i, &value);
    SetDisplayText(value, text);
  }
}

// ---- values

double IParam::RoundToStep(double value) const
{
  // A zero step has no grid to round to.
  return mStep != 0.0 ? std::round(value / mStep) * mStep : value;
}

double IParam::Constrain(double value) const
{
  if (GetStepped())
    value = RoundToStep(value);
  return std::clamp(value, mMin, mMax);
}

double IParam::FromNormalized(double normalized) const
{
  return Constrain(mShape->NormalizedToValue(normalized, *this));
}

double IParam::ToNormalized(double value) const
{
  return mShape->ValueToNormalized(Constrain(value), *this);
}

// ---- display texts

void IParam::SetDisplayText(double value, const char* text)
{
  DisplayText entry{};
  entry.mValue = value;
  CopyField(entry.mText, text);
  mDisplayTexts.Add(entry);
}

const char* IParam::GetDisplayTextAtIdx(int idx, double* value) const
{
  if (idx < 0 || idx >= NDisplayTexts())
    return "";
  const DisplayText& entry = mDisplayTexts.Get()[idx];
  if (value)
    *value = entry.mValue;
  return entry.mText;
}

const char* IParam::GetDisplayText(double value) const
{
  for (int i = 0; i < NDisplayTexts(); ++i)
    if (mDisplayTexts.Get()[i].mValue == value)
      return mDisplayTexts.Get()[i].mText;
  return "";
}

bool IParam::MapDisplayText(const char* text, double* value) const
{
  for (int i = 0; i < NDisplayTexts() && text; ++i)
  {
    if (std::strcmp(mDisplayTexts.Get()[i].mText, text) == 0)
    {
      if (value)
        *value = mDisplayTexts.Get()[i].mValue;
      return true;
    }
  }
  return false;
}

// ---- text

const char* IParam::GetLabel() const
{
  return *GetDisplayText(std::trunc(Value())) ? "" : mLabel;
}

void IParam::GetDisplay(double value, bool normalized, WDL_String& out, bool withDisplayText) const
{
  if (normalized)
    value = FromNormalized(value);

  if (mDisplayFunction)
  {
    mDisplayFunction(value, out);
    return;
  }

  if (withDisplayText)
  {
    const char* text = GetDisplayText(value);
    if (*text)
    {
      out.Set(text, MAX_PARAM_DISPLAY_LEN);
      return;
    }
  }

  // Adding 0.0 turns a negative zero into a positive one.
  const double shown = (GetNegateDisplay() ? -value : value) + 0.0;
  if (mDisplayPrecision == 0)
  {
    // "%.0f" of the rounded number matches "%d" of it wherever an int could hold it, and stays
    // defined for the unclamped values that may be shown.
    out.SetFormatted(MAX_PARAM_DISPLAY_LEN, "%.0f", std::round(shown) + 0.0);
  }
  else if (GetSignDisplay() && value != 0.0)
  {
    WDL_String format;
    format.SetFormatted(MAX_PARAM_DISPLAY_LEN, "%%+.%df", mDisplayPrecision);
    out.SetFormatted(MAX_PARAM_DISPLAY_LEN, format.Get(), shown);
  }
  else
  {
    out.SetFormatted(MAX_PARAM_DISPLAY_LEN, "%.*f", mDisplayPrecision, shown);
  }
}

void IParam::GetDisplayWithLabel(WDL_String& out, bool withDisplayText) const
{
  GetDisplay(Value(), false, out, withDisplayText);
  const char* label = GetLabel();
  if (*label)
  {
    out.Append(" ");
    out.Append(label);
  }
}

double IParam::StringToValue(const char* text) const
{
  double value = 0.0;
  if (MapDisplayText(text, &value))
    return value;
  if (mType == kTypeBool || mType == kTypeEnum)
    return 0.0;
  value = LeadingDecimal(text ? text : "");
  if (GetNegateDisplay())
    value = -value;
  return Constrain(value);
}

void IParam::GetJSON(WDL_String& json, int index) const
{
  static const char* const kTypeNames[] = {nullptr, "bool", "int", "enum", "float"};
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "{");
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"id\":%i, ", index);
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"name\":\"%s\", ", mName);
  if (mType > kTypeNone && mType <= kTypeDouble)
    json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"type\":\"%s\", ", kTypeNames[mType]);
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"min\":%f, ", mMin);
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"max\":%f, ", mMax);
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"default\":%f, ", mDefault);
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"display_type\":%i, ", static_cast<int>(mShape->GetDisplayType()));
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "\"rate\":\"control\"");
  json.AppendFormatted(MAX_PARAM_JSON_PIECE_LEN, "}");
}

// ---- accessors

void IParam::GetBounds(double& lo, double& hi) const
{
  lo = mMin;
  hi = mMax;
}

IParam::EShapeIDs IParam::GetShapeID() const
{
  if (dynamic_cast<const ShapeLinear*>(mShape.get()))
    return kShapeLinear;
  if (dynamic_cast<const ShapePowCurve*>(mShape.get()))
    return kShapePowCurve;
  if (dynamic_cast<const ShapeExp*>(mShape.get()))
    return kShapeExponential;
  return kShapeUnknown;
}

double IParam::GetShapeValue() const
{
  const auto* pow = dynamic_cast<const ShapePowCurve*>(mShape.get());
  return pow ? pow->mShape : 0.0;
}

} // namespace iplug
