// Host-side parameters: each wraps one IParam so that the host's text and value conversions follow
// the plug-in's own parameter rules.
#pragma once

#include "iplug/IPlugParameter.h"

#include "public.sdk/source/vst/vstparameters.h"

namespace iplug
{

class IPlugVST3Parameter : public Steinberg::Vst::Parameter
{
public:
  IPlugVST3Parameter(IParam* pParam, Steinberg::Vst::ParamID tag, Steinberg::Vst::UnitID unitID);

  void toString(Steinberg::Vst::ParamValue valueNormalized, Steinberg::Vst::String128 string) const override;
  bool fromString(const Steinberg::Vst::TChar* string, Steinberg::Vst::ParamValue& valueNormalized) const override;
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue valueNormalized) const override;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plainValue) const override;

  OBJ_METHODS(IPlugVST3Parameter, Parameter)

private:
  IParam& mIPlugParam;
};

/** "Bypass" for effects: a two-entry list, "off" and "on". */
class IPlugVST3BypassParameter : public Steinberg::Vst::StringListParameter
{
public:
  IPlugVST3BypassParameter();

  OBJ_METHODS(IPlugVST3BypassParameter, StringListParameter)
};

} // namespace iplug
