#include "iplug/IPlugPluginBaseCore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "iplug/IPlugParamState.h"

namespace iplug
{

namespace
{
bool GroupMatches(const IParam& param, const char* group)
{
  return group && std::strcmp(param.GetGroup(), group) == 0;
}

void Randomise(IParam& param)
{
  const double normalized = static_cast<float>(std::rand()) * 4.656613e-10;
  param.Set(param.Constrain(param.FromNormalized(normalized)));
}
} // namespace

IPluginBaseCore::IPluginBaseCore(IEditorDelegate& delegate, const Config& config, EAPI plugAPI)
: mDelegate(delegate)
, mStateChunks(config.plugDoesChunks)
, mPluginName(config.pluginName, MAX_PLUGIN_NAME_LEN)
, mProductName(config.productName, MAX_PLUGIN_NAME_LEN)
, mMfrName(config.mfrName, MAX_PLUGIN_NAME_LEN)
, mUniqueID(config.uniqueID)
, mMfrID(config.mfrID)
, mVersion(config.vendorVersion)
, mAPI(plugAPI)
, mHasUI(config.plugHasUI)
, mHostResize(config.plugHostResize)
, mBundleID(config.bundleID)
, mAppGroupID(config.appGroupID)
{
  mDelegate.SetEditorSize(config.plugWidth, config.plugHeight);
  mDelegate.SetSizeConstraints(config.plugMinWidth, config.plugMaxWidth, config.plugMinHeight, config.plugMaxHeight);
  for (int i = 0; i < config.nPresets; ++i)
  {
    auto* preset = new IPreset();
    if (!mPresets.Add(preset))
      delete preset;
  }
}

IPluginBaseCore::~IPluginBaseCore()
{
  mPresets.Empty(true);
  mParamGroups.Empty(true);
}

int IPluginBaseCore::AddParamGroup(const char* name)
{
  for (int i = 0; i < mParamGroups.GetSize(); ++i)
    if (std::strcmp(mParamGroups.Get(i)->Get(), name ? name : "") == 0)
      return i;
  auto* group = new WDL_String(name);
  if (!mParamGroups.Add(group))
  {
    delete group;
    return -1;
  }
  return mParamGroups.GetSize() - 1;
}

const char* IPluginBaseCore::GetParamGroupName(int idx) const
{
  const WDL_String* group = mParamGroups.Get(idx);
  return group ? group->Get() : "";
}

bool IPluginBaseCore::SerializeParams(IByteChunk& chunk) const
{
  return SerializeParamValues(mDelegate, chunk);
}

int IPluginBaseCore::UnserializeParams(const IByteChunk& chunk, int startPos)
{
  const int pos = UnserializeParamValues(mDelegate, chunk, startPos);
  mDelegate.OnParamReset(kPresetRecall);
  return pos;
}

void IPluginBaseCore::DefaultParamValues()
{
  DefaultParamValues(0, mDelegate.NParams() - 1);
}

void IPluginBaseCore::DefaultParamValues(int startIdx, int endIdx)
{
  ForParamInRange(startIdx, endIdx, [](int, IParam& param) { param.Set(param.GetDefault()); });
}

void IPluginBaseCore::DefaultParamValues(const char* paramGroup)
{
  ForParamInGroup(paramGroup, [](int, IParam& param) { param.Set(param.GetDefault()); });
}

void IPluginBaseCore::RandomiseParamValues()
{
  RandomiseParamValues(0, mDelegate.NParams() - 1);
}

void IPluginBaseCore::RandomiseParamValues(int startIdx, int endIdx)
{
  ForParamInRange(startIdx, endIdx, [](int, IParam& param) { Randomise(param); });
}

void IPluginBaseCore::RandomiseParamValues(const char* paramGroup)
{
  ForParamInGroup(paramGroup, [](int, IParam& param) { Randomise(param); });
}

void IPluginBaseCore::ForParamInRange(int startIdx, int endIdx, const ParamFunc& func)
{
  for (int i = std::max(startIdx, 0); i <= endIdx && i < mDelegate.NParams(); ++i)
    func(i, *mDelegate.GetParam(i));
}

void IPluginBaseCore::ForParamInGroup(const char* paramGroup, const ParamFunc& func)
{
  for (int i = 0; i < mDelegate.NParams(); ++i)
    if (GroupMatches(*mDelegate.GetParam(i), paramGroup))
      func(i, *mDelegate.GetParam(i));
}

void IPluginBaseCore::PrintParamValues()
{
  ForParamInRange(0, mDelegate.NParams() - 1, [](int, IParam& param) { param.PrintDetails(); });
}

void IPluginBaseCore::InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmt, double defaultVal,
                                     double minVal, double maxVal, double step, const char* label, int flags,
                                     const char* group, const IParam::Shape& shape, IParam::EParamUnit unit,
                                     IParam::DisplayFunc displayFunc)
{
  ForParamInRange(startIdx, endIdx, [&](int idx, IParam& param) {
    WDL_String name;
    name.SetFormatted(MAX_PARAM_NAME_LEN - 1, nameFmt ? nameFmt : "", countStart + (idx - startIdx));
    param.InitDouble(name.Get(), defaultVal, minVal, maxVal, step, label, flags, group, shape, unit, displayFunc);
  });
}

void IPluginBaseCore::CloneParamRange(int cloneStartIdx, int cloneEndIdx, int startIdx, const char* searchStr,
                                      const char* replaceStr, const char* newGroup)
{
  for (int i = 0; cloneStartIdx + i <= cloneEndIdx; ++i)
  {
    const IParam* source = mDelegate.GetParam(cloneStartIdx + i);
    IParam* target = mDelegate.GetParam(startIdx + i);
    if (source && target && source != target)
      target->Init(*source, searchStr, replaceStr, newGroup);
  }
}

void IPluginBaseCore::CopyParamValues(int startIdx, int destIdx, int nParams)
{
  for (int i = 0; i < nParams; ++i)
  {
    const IParam* source = mDelegate.GetParam(startIdx + i);
    IParam* target = mDelegate.GetParam(destIdx + i);
    if (source && target)
      target->Set(source->Value());
  }
}

void IPluginBaseCore::CopyParamValues(const char* inGroup, const char* outGroup)
{
  std::vector<int> sources;
  std::vector<int> targets;
  ForParamInGroup(inGroup, [&](int idx, IParam&) { sources.push_back(idx); });
  ForParamInGroup(outGroup, [&](int idx, IParam&) { targets.push_back(idx); });
  for (size_t i = 0; i < sources.size() && i < targets.size(); ++i)
    mDelegate.GetParam(targets[i])->Set(mDelegate.GetParam(sources[i])->Value());
}

} // namespace iplug
