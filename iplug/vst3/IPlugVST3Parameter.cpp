#include "iplug/vst3/IPlugVST3Parameter.h"

#include "iplug/vst3/IPlugVST3Constants.h"
#include "iplug/vst3/IPlugVST3Utilities.h"

namespace iplug
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

int32 StepCount(const IParam& p)
{
  if (p.Type() == IParam::kTypeDouble)
    return 0;
  return static_cast<int32>(p.GetMax() - p.GetMin());
}

// NaN, which a shape can give for a value outside its domain, counts as 0.
double Clamp01(double v)
{
  return v > 0.0 ? (v < 1.0 ? v : 1.0) : 0.0;
}

} // namespace

IPlugVST3Parameter::IPlugVST3Parameter(IParam* pParam, ParamID tag, UnitID unitID) : mIPlugParam(*pParam)
{
  UTF8ToUTF16Fixed(info.title, 128, pParam->GetName());
  UTF8ToUTF16Fixed(info.units, 128, pParam->GetLabel());
  precision = pParam->GetDisplayPrecision();
  info.stepCount = StepCount(*pParam);
  info.defaultNormalizedValue = valueNormalized = Clamp01(pParam->ToNormalized(pParam->GetDefault()));
  info.flags = pParam->GetCanAutomate() ? ParameterInfo::kCanAutomate : 0;
  if (pParam->Type() == IParam::kTypeEnum)
    info.flags |= ParameterInfo::kIsList;
  info.id = tag;
  info.unitId = unitID;
}

void IPlugVST3Parameter::toString(ParamValue valueNormalized, String128 string) const
{
  WDL_String display;
  mIPlugParam.GetDisplay(valueNormalized, true, display, true);
  UTF8ToUTF16Fixed(string, 128, display.Get());
}

bool IPlugVST3Parameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
  WDL_String text;
  UTF16ToUTF8(text, string, 128);
  valueNormalized = Clamp01(mIPlugParam.ToNormalized(mIPlugParam.StringToValue(text.Get())));
  return true;
}

ParamValue IPlugVST3Parameter::toPlain(ParamValue valueNormalized) const
{
  return mIPlugParam.FromNormalized(valueNormalized);
}

ParamValue IPlugVST3Parameter::toNormalized(ParamValue plainValue) const
{
  return Clamp01(mIPlugParam.ToNormalized(plainValue));
}

IPlugVST3BypassParameter::IPlugVST3BypassParameter()
: StringListParameter(STR16("Bypass"), kBypassParam, nullptr,
                      ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass | ParameterInfo::kIsList)
{
  appendString(STR16("off"));
  appendString(STR16("on"));
}

} // namespace iplug
