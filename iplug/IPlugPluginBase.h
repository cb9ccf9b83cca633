#pragma once

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "iplug/IPlugBase64.h"
#include "iplug/IPlugConfig.h"
#include "iplug/IPlugEditorDelegate.h"
#include "iplug/IPlugFxpFile.h"
#include "iplug/IPlugHost.h"
#include "iplug/IPlugParamState.h"
#include "iplug/IPlugStructs.h"
#include "iplug/IPlugVersion.h"

namespace iplug
{

/** The plug-in's identity, parameters and presets, and the framework's state formats: the
 *  parameter chunk, the preset list chunk and the older VST2 preset and bank files.
 *
 *  EditorDelegate is the editor side that sits below it: IEditorDelegate itself, or a class derived
 *  from it such as a drawn editor's delegate. Taking it as a parameter keeps the framework free of
 *  any editor toolkit while letting a plug-in class stack both in one chain. */
template <class EditorDelegate>
class IPluginBase : public EditorDelegate
{
public:
  using ParamFunc = std::function<void(int paramIdx, IParam& param)>;

  IPluginBase(const Config& config, EAPI plugAPI);
  ~IPluginBase() override;

  // Identity.
  const char* GetPluginName() const { return mPluginName.Get(); }
  const char* GetProductName() const { return mProductName.Get(); }
  const char* GetMfrName() const { return mMfrName.Get(); }
  int GetUniqueID() const { return mUniqueID; }
  int GetMfrID() const { return mMfrID; }
  /** The packed version, or major * 10000 + minor * 100 + patch. */
  int GetPluginVersion(bool decimal) const { return decimal ? GetDecimalVersion(mVersion) : mVersion; }
  void GetPluginVersionStr(WDL_String& str) const { GetVersionStr(mVersion, str); }
  int GetHostVersion(bool decimal) const { return decimal ? GetDecimalVersion(mHostVersion) : mHostVersion; }
  void GetHostVersionStr(WDL_String& str) const { GetVersionStr(mHostVersion, str); }
  EHost GetHost() const { return mHost; }
  EAPI GetAPI() const { return mAPI; }
  const char* GetAPIStr() const { return iplug::GetAPIStr(mAPI); }
  const char* GetArchStr() const { return iplug::GetArchStr(); }
  void GetBuildInfoStr(WDL_String& str, const char* date, const char* time) const
  {
    iplug::GetBuildInfoStr(str, mVersion, mAPI, date, time);
  }
  bool DoesStateChunks() const { return mStateChunks; }
  bool HasUI() const { return mHasUI; }
  bool GetHostResizeEnabled() const { return mHostResize; }
  const char* GetBundleID() const { return mBundleID.Get(); }
  const char* GetAppGroupID() const { return mAppGroupID.Get(); }

  // The distinct parameter group names, in order of first appearance.
  /** The group's position, adding it when new. */
  int AddParamGroup(const char* name);
  int NParamGroups() const { return mParamGroups.GetSize(); }
  const char* GetParamGroupName(int idx) const;

  // Hooks.
  virtual void InformHostOfParameterDetailsChange() {}
  virtual bool SerializeState(IByteChunk& chunk) const { return SerializeParams(chunk); }
  virtual int UnserializeState(const IByteChunk& chunk, int startPos) { return UnserializeParams(chunk, startPos); }
  virtual bool SerializeVST3CtrlrState(IByteChunk&) const { return true; }
  virtual int UnserializeVST3CtrlrState(const IByteChunk&, int startPos) { return startPos; }
  virtual void OnPresetsModified() {}
  virtual void InformHostOfPresetChange() {}

  // Parameter state.
  bool SerializeParams(IByteChunk& chunk) const { return SerializeParamValues(*this, chunk); }
  /** Restores the values, then OnParamReset(kPresetRecall) even when the chunk ended early. */
  int UnserializeParams(const IByteChunk& chunk, int startPos);
  void DefaultParamValues() { DefaultParamValues(0, this->NParams() - 1); }
  void DefaultParamValues(int startIdx, int endIdx);
  void DefaultParamValues(const char* paramGroup);
  void RandomiseParamValues() { RandomiseParamValues(0, this->NParams() - 1); }
  void RandomiseParamValues(int startIdx, int endIdx);
  void RandomiseParamValues(const char* paramGroup);
  /** Calls func for each parameter of startIdx..endIdx (both included). */
  void ForParamInRange(int startIdx, int endIdx, const ParamFunc& func);
  void ForParamInGroup(const char* paramGroup, const ParamFunc& func);
  void PrintParamValues();
  /** InitDouble on each parameter of the range, named from nameFmt and a count from countStart. */
  void InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmt, double defaultVal, double minVal,
                      double maxVal, double step, const char* label = "", int flags = 0, const char* group = "",
                      const IParam::Shape& shape = IParam::ShapeLinear(),
                      IParam::EParamUnit unit = IParam::kUnitCustom, IParam::DisplayFunc displayFunc = nullptr);
  void CloneParamRange(int cloneStartIdx, int cloneEndIdx, int startIdx, const char* searchStr = "",
                       const char* replaceStr = "", const char* newGroup = "");
  void CopyParamValues(int startIdx, int destIdx, int nParams);
  void CopyParamValues(const char* inGroup, const char* outGroup);

  // Presets.
  int NPresets() const { return mPresets.GetSize(); }
  int GetCurrentPresetIdx() const { return mCurrentPresetIdx; }
  bool RestorePreset(int idx);
  bool RestorePreset(const char* name);
  const char* GetPresetName(int idx) const;
  void ModifyCurrentPreset(const char* name = nullptr);
  void MakeDefaultPreset(const char* name = nullptr, int nPresets = 1);
  void EnsureDefaultPreset() { MakeDefaultPreset("Empty", NPresets()); }
  void PruneUninitializedPresets();
  /** One value per parameter follows the name: an int for bool, int and enum parameters, else a double. */
  void MakePreset(const char* name, ...);
  /** nParamsNamed (int index, double value) pairs follow; the other parameters keep their values. */
  void MakePresetFromNamedParams(const char* name, int nParamsNamed, ...);
  void MakePresetFromChunk(const char* name, const IByteChunk& chunk);
  void MakePresetFromBlob(const char* name, const char* blob, int sizeOfChunk);
  bool DumpMakePresetSrc(const char* path) const;
  bool DumpMakePresetFromNamedParamsSrc(const char* path, const char* paramEnumNames[]) const;
  bool DumpPresetBlob(const char* path) const;
  bool SerializePresets(IByteChunk& chunk) const;
  int UnserializePresets(const IByteChunk& chunk, int startPos);

  // The older VST2 preset and bank files.
  bool SavePresetAsFXP(const char* path) const;
  bool SaveBankAsFXB(const char* path) const;
  bool LoadPresetFromFXP(const char* path);
  bool LoadBankFromFXB(const char* path);

protected:
  WDL_String mHostName;
  EHost mHost = kHostUninit;
  int mHostVersion = 0;

private:
  IPreset* FirstUninitializedPreset();
  /** Marks preset initialised under name and fills it with the plug-in's current state. */
  void StoreCurrentStateIn(IPreset& preset, const char* name);
  /** Reads one parameter-form preset record into the parameters; -1 when it is malformed. */
  int ReadFxpParamsRecord(const IByteChunk& file, int pos, char* name);
  void PutFxpParamsRecord(IByteChunk& out, const IPreset* preset) const;

  int mCurrentPresetIdx = 0;
  bool mStateChunks;
  WDL_String mPluginName;
  WDL_String mProductName;
  WDL_String mMfrName;
  int mUniqueID;
  int mMfrID;
  int mVersion;
  EAPI mAPI;
  bool mHasUI;
  bool mHostResize;
  WDL_String mBundleID;
  WDL_String mAppGroupID;
  WDL_PtrList<WDL_String> mParamGroups;
  WDL_PtrList<IPreset> mPresets;
};

namespace detail
{
inline void CopyPresetName(IPreset& preset, const char* name)
{
  std::snprintf(preset.mName, sizeof(preset.mName), "%s", name ? name : "");
}

inline bool GroupMatches(const IParam& param, const char* group)
{
  return group && std::strcmp(param.GetGroup(), group) == 0;
}
} // namespace detail

template <class EditorDelegate>
IPluginBase<EditorDelegate>::IPluginBase(const Config& config, EAPI plugAPI)
  : EditorDelegate(config.nParams)
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
  this->SetEditorSize(config.plugWidth, config.plugHeight);
  this->SetSizeConstraints(config.plugMinWidth, config.plugMaxWidth, config.plugMinHeight, config.plugMaxHeight);
  for (int i = 0; i < config.nPresets; ++i)
  {
    auto* preset = new IPreset();
    if (!mPresets.Add(preset))
      delete preset;
  }
}

template <class EditorDelegate>
IPluginBase<EditorDelegate>::~IPluginBase()
{
  mPresets.Empty(true);
  mParamGroups.Empty(true);
}

template <class EditorDelegate>
int IPluginBase<EditorDelegate>::AddParamGroup(const char* name)
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

template <class EditorDelegate>
const char* IPluginBase<EditorDelegate>::GetParamGroupName(int idx) const
{
  const WDL_String* group = mParamGroups.Get(idx);
  return group ? group->Get() : "";
}

template <class EditorDelegate>
int IPluginBase<EditorDelegate>::UnserializeParams(const IByteChunk& chunk, int startPos)
{
  const int pos = UnserializeParamValues(*this, chunk, startPos);
  this->OnParamReset(kPresetRecall);
  return pos;
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::DefaultParamValues(int startIdx, int endIdx)
{
  ForParamInRange(startIdx, endIdx, [](int, IParam& param) { param.Set(param.GetDefault()); });
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::DefaultParamValues(const char* paramGroup)
{
  ForParamInGroup(paramGroup, [](int, IParam& param) { param.Set(param.GetDefault()); });
}

namespace detail
{
inline void Randomise(IParam& param)
{
  const double normalized = static_cast<float>(std::rand()) * 4.656613e-10;
  param.Set(param.Constrain(param.FromNormalized(normalized)));
}
} // namespace detail

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::RandomiseParamValues(int startIdx, int endIdx)
{
  ForParamInRange(startIdx, endIdx, [](int, IParam& param) { detail::Randomise(param); });
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::RandomiseParamValues(const char* paramGroup)
{
  ForParamInGroup(paramGroup, [](int, IParam& param) { detail::Randomise(param); });
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::ForParamInRange(int startIdx, int endIdx, const ParamFunc& func)
{
  for (int i = std::max(startIdx, 0); i <= endIdx && i < this->NParams(); ++i)
    func(i, *this->GetParam(i));
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::ForParamInGroup(const char* paramGroup, const ParamFunc& func)
{
  for (int i = 0; i < this->NParams(); ++i)
    if (detail::GroupMatches(*this->GetParam(i), paramGroup))
      func(i, *this->GetParam(i));
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::PrintParamValues()
{
  ForParamInRange(0, this->NParams() - 1, [](int, IParam& param) { param.PrintDetails(); });
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmt,
                                                 double defaultVal, double minVal, double maxVal, double step,
                                                 const char* label, int flags, const char* group,
                                                 const IParam::Shape& shape, IParam::EParamUnit unit,
                                                 IParam::DisplayFunc displayFunc)
{
  ForParamInRange(startIdx, endIdx, [&](int idx, IParam& param) {
    WDL_String name;
    name.SetFormatted(MAX_PARAM_NAME_LEN - 1, nameFmt ? nameFmt : "", countStart + (idx - startIdx));
    param.InitDouble(name.Get(), defaultVal, minVal, maxVal, step, label, flags, group, shape, unit, displayFunc);
  });
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::CloneParamRange(int cloneStartIdx, int cloneEndIdx, int startIdx,
                                                  const char* searchStr, const char* replaceStr, const char* newGroup)
{
  for (int i = 0; cloneStartIdx + i <= cloneEndIdx; ++i)
  {
    const IParam* source = this->GetParam(cloneStartIdx + i);
    IParam* target = this->GetParam(startIdx + i);
    if (source && target && source != target)
      target->Init(*source, searchStr, replaceStr, newGroup);
  }
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::CopyParamValues(int startIdx, int destIdx, int nParams)
{
  for (int i = 0; i < nParams; ++i)
  {
    const IParam* source = this->GetParam(startIdx + i);
    IParam* target = this->GetParam(destIdx + i);
    if (source && target)
      target->Set(source->Value());
  }
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::CopyParamValues(const char* inGroup, const char* outGroup)
{
  std::vector<int> sources;
  std::vector<int> targets;
  ForParamInGroup(inGroup, [&](int idx, IParam&) { sources.push_back(idx); });
  ForParamInGroup(outGroup, [&](int idx, IParam&) { targets.push_back(idx); });
  for (size_t i = 0; i < sources.size() && i < targets.size(); ++i)
    this->GetParam(targets[i])->Set(this->GetParam(sources[i])->Value());
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::RestorePreset(int idx)
{
  IPreset* preset = mPresets.Get(idx);
  if (!preset)
    return false;

  if (!preset->mInitialized)
  {
    preset->mInitialized = true;
    int nUserPresets = 0;
    for (int i = 0; i < NPresets(); ++i)
      nUserPresets += std::strstr(mPresets.Get(i)->mName, "user preset") ? 1 : 0;
    std::snprintf(preset->mName, sizeof(preset->mName), "%s %d", "user preset", nUserPresets + 1);
    preset->mChunk.Clear();
    if (!SerializeState(preset->mChunk))
      return false;
  }
  else if (UnserializeState(preset->mChunk, 0) < 1)
  {
    return false;
  }

  mCurrentPresetIdx = idx;
  InformHostOfPresetChange();
  this->OnRestoreState();
  return true;
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::RestorePreset(const char* name)
{
  if (!name || !*name)
    return false;
  for (int i = 0; i < NPresets(); ++i)
    if (std::strcmp(mPresets.Get(i)->mName, name) == 0)
      return RestorePreset(i);
  return false;
}

template <class EditorDelegate>
const char* IPluginBase<EditorDelegate>::GetPresetName(int idx) const
{
  const IPreset* preset = mPresets.Get(idx);
  return preset ? preset->mName : "";
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::ModifyCurrentPreset(const char* name)
{
  IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!preset)
    return;
  preset->mChunk.Clear();
  SerializeState(preset->mChunk);
  // It holds a state now; left uninitialised, the next RestorePreset would rename and overwrite it.
  preset->mInitialized = true;
  if (name && *name)
    detail::CopyPresetName(*preset, name);
}

template <class EditorDelegate>
IPreset* IPluginBase<EditorDelegate>::FirstUninitializedPreset()
{
  for (int i = 0; i < NPresets(); ++i)
    if (!mPresets.Get(i)->mInitialized)
      return mPresets.Get(i);
  return nullptr;
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::StoreCurrentStateIn(IPreset& preset, const char* name)
{
  preset.mInitialized = true;
  detail::CopyPresetName(preset, name);
  preset.mChunk.Clear();
  SerializeState(preset.mChunk);
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::MakeDefaultPreset(const char* name, int nPresets)
{
  for (int i = 0; i < nPresets; ++i)
    if (IPreset* preset = FirstUninitializedPreset())
      StoreCurrentStateIn(*preset, name ? name : "Empty");
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::PruneUninitializedPresets()
{
  for (int i = NPresets() - 1; i >= 0; --i)
    if (!mPresets.Get(i)->mInitialized)
      mPresets.Delete(i, true);
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::MakePreset(const char* name, ...)
{
  IPreset* preset = FirstUninitializedPreset();
  if (!preset)
    return;
  preset->mInitialized = true;
  detail::CopyPresetName(*preset, name);
  preset->mChunk.Clear();

  va_list args;
  va_start(args, name);
  for (int i = 0; i < this->NParams(); ++i)
  {
    const IParam::EParamType type = this->GetParam(i)->Type();
    const bool whole = type == IParam::kTypeBool || type == IParam::kTypeInt || type == IParam::kTypeEnum;
    const double value = whole ? static_cast<double>(va_arg(args, int)) : va_arg(args, double);
    preset->mChunk.Put(&value);
  }
  va_end(args);
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::MakePresetFromNamedParams(const char* name, int nParamsNamed, ...)
{
  IPreset* preset = FirstUninitializedPreset();
  if (!preset)
    return;
  preset->mInitialized = true;
  detail::CopyPresetName(*preset, name);
  preset->mChunk.Clear();

  std::vector<double> values(static_cast<size_t>(this->NParams()));
  for (int i = 0; i < this->NParams(); ++i)
    values[static_cast<size_t>(i)] = this->GetParam(i)->Value();

  va_list args;
  va_start(args, nParamsNamed);
  for (int i = 0; i < nParamsNamed; ++i)
  {
    const int idx = va_arg(args, int);
    const double value = va_arg(args, double);
    if (idx >= 0 && idx < this->NParams())
      values[static_cast<size_t>(idx)] = value;
  }
  va_end(args);

  for (double value : values)
    preset->mChunk.Put(&value);
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::MakePresetFromChunk(const char* name, const IByteChunk& chunk)
{
  IPreset* preset = FirstUninitializedPreset();
  if (!preset)
    return;
  preset->mInitialized = true;
  detail::CopyPresetName(*preset, name);
  preset->mChunk.Clear();
  preset->mChunk.PutChunk(&chunk);
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::MakePresetFromBlob(const char* name, const char* blob, int sizeOfChunk)
{
  IPreset* preset = FirstUninitializedPreset();
  if (!preset)
    return;
  preset->mInitialized = true;
  detail::CopyPresetName(*preset, name);
  preset->mChunk.Clear();
  if (sizeOfChunk > 0 && preset->mChunk.Resize(sizeOfChunk) == sizeOfChunk)
    Base64Decode(blob, preset->mChunk.GetData(), sizeOfChunk);
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::DumpMakePresetSrc(const char* path) const
{
  std::string line = std::string("MakePreset(\"") + GetPresetName(mCurrentPresetIdx) + "\"";
  for (int i = 0; i < this->NParams(); ++i)
  {
    const IParam& param = *this->GetParam(i);
    char value[64];
    switch (param.Type())
    {
      case IParam::kTypeBool: std::snprintf(value, sizeof(value), "%s", param.Value() >= 0.5 ? "true" : "false"); break;
      case IParam::kTypeInt:
      case IParam::kTypeEnum: std::snprintf(value, sizeof(value), "%d", static_cast<int>(param.Value())); break;
      default: std::snprintf(value, sizeof(value), "%.6f", param.Value()); break;
    }
    line += std::string(", ") + value;
  }
  line += ");";
  return AppendLineToFile(path, line.c_str());
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::DumpMakePresetFromNamedParamsSrc(const char* path,
                                                                   const char* paramEnumNames[]) const
{
  std::string line = std::string("MakePresetFromNamedParams(\"") + GetPresetName(mCurrentPresetIdx) + "\", " +
                     std::to_string(this->NParams());
  for (int i = 0; i < this->NParams(); ++i)
  {
    char value[64];
    std::snprintf(value, sizeof(value), "%.6f", this->GetParam(i)->Value());
    line += std::string(", ") + (paramEnumNames && paramEnumNames[i] ? paramEnumNames[i] : "") + ", " + value;
  }
  line += ");";
  return AppendLineToFile(path, line.c_str());
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::DumpPresetBlob(const char* path) const
{
  const IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!preset)
    return false;
  const std::string line = std::string("MakePresetFromBlob(\"") + preset->mName + "\", \"" +
                           Base64Encode(preset->mChunk.GetData(), preset->mChunk.Size()) + "\", " +
                           std::to_string(preset->mChunk.Size()) + ");";
  return AppendLineToFile(path, line.c_str());
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::SerializePresets(IByteChunk& chunk) const
{
  bool ok = true;
  for (int i = 0; i < NPresets(); ++i)
  {
    const IPreset* preset = mPresets.Get(i);
    const int before = chunk.Size();
    chunk.PutStr(preset->mName);
    chunk.Put(&preset->mInitialized);
    if (preset->mInitialized)
      chunk.PutChunk(&preset->mChunk);
    const int expected = before + 4 + static_cast<int>(std::strlen(preset->mName)) + 1 +
                         (preset->mInitialized ? preset->mChunk.Size() : 0);
    ok = chunk.Size() == expected;
  }
  return ok;
}

template <class EditorDelegate>
int IPluginBase<EditorDelegate>::UnserializePresets(const IByteChunk& chunk, int startPos)
{
  int pos = startPos;
  for (int i = 0; i < NPresets(); ++i)
  {
    IPreset* preset = mPresets.Get(i);
    WDL_String name;
    pos = chunk.GetStr(name, pos);
    detail::CopyPresetName(*preset, name.Get());

    bool initialized = false;
    pos = chunk.Get(&initialized, pos);
    if (pos < 0)
      break;
    preset->mInitialized = initialized;
    if (initialized)
    {
      pos = UnserializeState(chunk, pos);
      if (pos < 0)
        break;
      if (pos > 0)
      {
        preset->mChunk.Clear();
        SerializeState(preset->mChunk);
      }
    }
  }
  RestorePreset(mCurrentPresetIdx);
  return pos;
}

template <class EditorDelegate>
void IPluginBase<EditorDelegate>::PutFxpParamsRecord(IByteChunk& out, const IPreset* preset) const
{
  PutBigEndian(out, kFxpFileTag);
  PutBigEndian(out, 0);
  PutBigEndian(out, kFxpParamsTag);
  PutBigEndian(out, kFxpFormatVersion);
  PutBigEndian(out, mUniqueID);
  PutBigEndian(out, GetPluginVersion(true));
  PutBigEndian(out, this->NParams());
  PutFixedName(out, preset ? preset->mName : "", kFxpNameLen);
  int pos = 0;
  for (int i = 0; i < this->NParams(); ++i)
  {
    const IParam& param = *this->GetParam(i);
    // A preset holds its values as the parameter chunk; the current value stands in where it doesn't.
    double value = param.Value();
    if (preset && pos >= 0)
      pos = preset->mChunk.Get(&value, pos);
    if (pos < 0)
      value = param.Value();
    PutBigEndian(out, static_cast<float>(std::clamp(param.ToNormalized(value), 0.0, 1.0)));
  }
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::SavePresetAsFXP(const char* path) const
{
  IByteChunk out;
  if (!DoesStateChunks())
  {
    IPreset current;
    detail::CopyPresetName(current, GetPresetName(mCurrentPresetIdx));
    SerializeParams(current.mChunk);
    PutFxpParamsRecord(out, &current);
    return WriteChunkToFile(path, out);
  }

  IByteChunk state;
  PutChunkPrefix(state);
  if (!SerializeState(state))
    return false;
  PutBigEndian(out, kFxpFileTag);
  PutBigEndian(out, state.Size() + kFxpChunkHeaderSize);
  PutBigEndian(out, kFxpChunkTag);
  PutBigEndian(out, kFxpFormatVersion);
  PutBigEndian(out, mUniqueID);
  PutBigEndian(out, GetPluginVersion(true));
  PutBigEndian(out, this->NParams());
  PutFixedName(out, GetPresetName(mCurrentPresetIdx), kFxpNameLen);
  PutBigEndian(out, state.Size());
  out.PutChunk(&state);
  return WriteChunkToFile(path, out);
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::SaveBankAsFXB(const char* path) const
{
  IByteChunk state;
  if (DoesStateChunks())
  {
    PutChunkPrefix(state);
    if (!SerializePresets(state))
      return false;
  }

  IByteChunk out;
  PutBigEndian(out, kFxpFileTag);
  PutBigEndian(out, DoesStateChunks() ? state.Size() + kFxbChunkHeaderSize : 0);
  PutBigEndian(out, DoesStateChunks() ? kFxbChunkTag : kFxbParamsTag);
  PutBigEndian(out, kFxpFormatVersion);
  PutBigEndian(out, mUniqueID);
  PutBigEndian(out, GetPluginVersion(true));
  PutBigEndian(out, NPresets());
  const char reserved[kFxbReservedLen] = {};
  out.PutBytes(reserved, kFxbReservedLen);

  if (DoesStateChunks())
  {
    PutBigEndian(out, state.Size());
    out.PutChunk(&state);
  }
  else
  {
    for (int i = 0; i < NPresets(); ++i)
      PutFxpParamsRecord(out, mPresets.Get(i));
  }
  return WriteChunkToFile(path, out);
}

namespace detail
{
/** The fields that preset and bank files begin with. */
struct FxpHeader
{
  int32_t fileTag = 0;
  int32_t byteSize = 0;
  int32_t formTag = 0;
  int32_t formatVersion = 0;
  int32_t uniqueID = 0;
  int32_t pluginVersion = 0;
  int32_t count = 0;
};

inline int GetFxpHeader(const IByteChunk& file, FxpHeader& header, int pos)
{
  for (int32_t* field : {&header.fileTag, &header.byteSize, &header.formTag, &header.formatVersion, &header.uniqueID,
                         &header.pluginVersion, &header.count})
    pos = GetBigEndian(file, *field, pos);
  return pos;
}

/** The chunk of a chunk-form file, after its size field at pos; false when it runs past the file. */
inline bool GetFxpChunk(const IByteChunk& file, int pos, IByteChunk& chunk)
{
  int32_t size = 0;
  pos = GetBigEndian(file, size, pos);
  if (pos < 0 || size < 0 || size > file.Size() - pos)
    return false;
  chunk.Clear();
  return chunk.PutBytes(file.GetData() + pos, size) == size;
}

/** The chunk of a chunk-form file with its prefix checked: where its payload starts, or -1. */
inline int GetFxpPayload(const IByteChunk& file, int pos, IByteChunk& chunk)
{
  return GetFxpChunk(file, pos, chunk) ? CheckChunkPrefix(chunk, 0) : -1;
}

/** Whether a preset or bank file header is of the format this reader knows, for this plug-in. */
inline bool IsOwnFxpHeader(const FxpHeader& header, int32_t uniqueID)
{
  return header.fileTag == kFxpFileTag && header.formatVersion == kFxpFormatVersion && header.uniqueID == uniqueID;
}
} // namespace detail

template <class EditorDelegate>
int IPluginBase<EditorDelegate>::ReadFxpParamsRecord(const IByteChunk& file, int pos, char* name)
{
  detail::FxpHeader header;
  pos = detail::GetFxpHeader(file, header, pos);
  pos = GetFixedName(file, name, kFxpNameLen, pos);
  if (pos < 0 || header.fileTag != kFxpFileTag || header.formTag != kFxpParamsTag)
    return -1;
  for (int i = 0; i < header.count; ++i)
  {
    float normalized = 0.0f;
    pos = GetBigEndian(file, normalized, pos);
    if (pos < 0)
      return -1;
    if (IParam* param = this->GetParam(i))
      SetParamFromStoredNormalized(*param, normalized);
  }
  return pos;
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::LoadPresetFromFXP(const char* path)
{
  IByteChunk file;
  if (!ReadFileToChunk(path, file))
    return false;

  detail::FxpHeader header;
  char name[kFxpNameLen + 1] = {};
  int pos = detail::GetFxpHeader(file, header, 0);
  pos = GetFixedName(file, name, kFxpNameLen, pos);
  if (pos < 0 || !detail::IsOwnFxpHeader(header, mUniqueID))
    return false;

  if (header.formTag == kFxpChunkTag && DoesStateChunks())
  {
    IByteChunk state;
    const int statePos = detail::GetFxpPayload(file, pos, state);
    if (statePos < 0 || UnserializeState(state, statePos) < 0)
      return false;
  }
  else if (header.formTag == kFxpParamsTag)
  {
    if (ReadFxpParamsRecord(file, 0, name) < 0)
      return false;
  }
  else
  {
    return false;
  }

  ModifyCurrentPreset(name);
  RestorePreset(mCurrentPresetIdx);
  return true;
}

template <class EditorDelegate>
bool IPluginBase<EditorDelegate>::LoadBankFromFXB(const char* path)
{
  IByteChunk file;
  if (!ReadFileToChunk(path, file))
    return false;

  detail::FxpHeader header;
  int pos = detail::GetFxpHeader(file, header, 0);
  char reserved[kFxbReservedLen];
  pos = file.GetBytes(reserved, kFxbReservedLen, pos);
  if (pos < 0 || !detail::IsOwnFxpHeader(header, mUniqueID))
    return false;

  if (header.formTag == kFxbChunkTag && DoesStateChunks())
  {
    IByteChunk state;
    const int statePos = detail::GetFxpPayload(file, pos, state);
    return statePos >= 0 && UnserializePresets(state, statePos) >= 0;
  }
  if (header.formTag != kFxbParamsTag)
    return false;

  for (int i = 0; i < header.count && i < NPresets(); ++i)
  {
    char name[kFxpNameLen + 1] = {};
    pos = ReadFxpParamsRecord(file, pos, name);
    if (pos < 0)
      return false;
    StoreCurrentStateIn(*mPresets.Get(i), name);
  }
  RestorePreset(mCurrentPresetIdx);
  return true;
}

} // namespace iplug
