// The preset list of IPluginBaseCore: recalling and storing presets, making them from values,
// chunks and Base64 text, writing them out as source text, and the preset list chunk.
#include "iplug/IPlugPluginBaseCore.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "iplug/IPlugBase64.h"
#include "iplug/IPlugFxpFile.h"

namespace iplug
{

void IPluginBaseCore::SetPresetName(IPreset& preset, const char* name)
{
  std::snprintf(preset.mName, sizeof(preset.mName), "%s", name ? name : "");
}

bool IPluginBaseCore::RestorePreset(int idx)
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
  mDelegate.OnRestoreState();
  return true;
}

bool IPluginBaseCore::RestorePreset(const char* name)
{
  if (!name || !*name)
    return false;
  for (int i = 0; i < NPresets(); ++i)
    if (std::strcmp(mPresets.Get(i)->mName, name) == 0)
      return RestorePreset(i);
  return false;
}

const char* IPluginBaseCore::GetPresetName(int idx) const
{
  const IPreset* preset = mPresets.Get(idx);
  return preset ? preset->mName : "";
}

void IPluginBaseCore::ModifyCurrentPreset(const char* name)
{
  IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!preset)
    return;
  preset->mChunk.Clear();
  SerializeState(preset->mChunk);
  // It holds a state now; left uninitialised, the next RestorePreset would rename and overwrite it.
  preset->mInitialized = true;
  if (name && *name)
    SetPresetName(*preset, name);
}

IPreset* IPluginBaseCore::FirstUninitializedPreset()
{
  for (int i = 0; i < NPresets(); ++i)
    if (!mPresets.Get(i)->mInitialized)
      return mPresets.Get(i);
  return nullptr;
}

IPreset* IPluginBaseCore::TakeUninitializedPreset(const char* name)
{
  IPreset* preset = FirstUninitializedPreset();
  if (!preset)
    return nullptr;
  preset->mInitialized = true;
  SetPresetName(*preset, name);
  preset->mChunk.Clear();
  return preset;
}

void IPluginBaseCore::StoreCurrentStateIn(IPreset& preset, const char* name)
{
  preset.mInitialized = true;
  SetPresetName(preset, name);
  preset.mChunk.Clear();
  SerializeState(preset.mChunk);
}

void IPluginBaseCore::MakeDefaultPreset(const char* name, int nPresets)
{
  for (int i = 0; i < nPresets; ++i)
    if (IPreset* preset = FirstUninitializedPreset())
      StoreCurrentStateIn(*preset, name ? name : "Empty");
}

void IPluginBaseCore::PruneUninitializedPresets()
{
  for (int i = NPresets() - 1; i >= 0; --i)
    if (!mPresets.Get(i)->mInitialized)
      mPresets.Delete(i, true);
}

void IPluginBaseCore::MakePreset(const char* name, ...)
{
  IPreset* preset = TakeUninitializedPreset(name);
  if (!preset)
    return;

  va_list args;
  va_start(args, name);
  for (int i = 0; i < mDelegate.NParams(); ++i)
  {
    const IParam::EParamType type = mDelegate.GetParam(i)->Type();
    const bool whole = type == IParam::kTypeBool || type == IParam::kTypeInt || type == IParam::kTypeEnum;
    const double value = whole ? static_cast<double>(va_arg(args, int)) : va_arg(args, double);
    preset->mChunk.Put(&value);
  }
  va_end(args);
}

void IPluginBaseCore::MakePresetFromNamedParams(const char* name, int nParamsNamed, ...)
{
  IPreset* preset = TakeUninitializedPreset(name);
  if (!preset)
    return;

  const int nParams = mDelegate.NParams();
  std::vector<double> values;
  ForParamInRange(0, nParams - 1, [&](int, IParam& param) { values.push_back(param.Value()); });

  va_list args;
  va_start(args, nParamsNamed);
  for (int i = 0; i < nParamsNamed; ++i)
  {
    const int idx = va_arg(args, int);
    const double value = va_arg(args, double);
    if (idx >= 0 && idx < nParams)
      values[static_cast<size_t>(idx)] = value;
  }
  va_end(args);

  for (double value : values)
    preset->mChunk.Put(&value);
}

void IPluginBaseCore::MakePresetFromChunk(const char* name, const IByteChunk& chunk)
{
  if (IPreset* preset = TakeUninitializedPreset(name))
    preset->mChunk.PutChunk(&chunk);
}

void IPluginBaseCore::MakePresetFromBlob(const char* name, const char* blob, int sizeOfChunk)
{
  IPreset* preset = TakeUninitializedPreset(name);
  if (preset && sizeOfChunk > 0 && preset->mChunk.Resize(sizeOfChunk) == sizeOfChunk)
    Base64Decode(blob, preset->mChunk.GetData(), sizeOfChunk);
}

bool IPluginBaseCore::DumpMakePresetSrc(const char* path) const
{
  std::string line = std::string("MakePreset(\"") + GetPresetName(mCurrentPresetIdx) + "\"";
  for (int i = 0; i < mDelegate.NParams(); ++i)
  {
    const IParam& param = *mDelegate.GetParam(i);
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

bool IPluginBaseCore::DumpMakePresetFromNamedParamsSrc(const char* path, const char* paramEnumNames[]) const
{
  std::string line = std::string("MakePresetFromNamedParams(\"") + GetPresetName(mCurrentPresetIdx) + "\", " +
                     std::to_string(mDelegate.NParams());
  for (int i = 0; i < mDelegate.NParams(); ++i)
  {
    char value[64];
    std::snprintf(value, sizeof(value), "%.6f", mDelegate.GetParam(i)->Value());
    line += std::string(", ") + (paramEnumNames && paramEnumNames[i] ? paramEnumNames[i] : "") + ", " + value;
  }
  line += ");";
  return AppendLineToFile(path, line.c_str());
}

bool IPluginBaseCore::DumpPresetBlob(const char* path) const
{
  const IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!preset)
    return false;
  const std::string line = std::string("MakePresetFromBlob(\"") + preset->mName + "\", \"" +
                           Base64Encode(preset->mChunk.GetData(), preset->mChunk.Size()) + "\", " +
                           std::to_string(preset->mChunk.Size()) + ");";
  return AppendLineToFile(path, line.c_str());
}

bool IPluginBaseCore::SerializePresets(IByteChunk& chunk) const
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

int IPluginBaseCore::UnserializePresets(const IByteChunk& chunk, int startPos)
{
  int pos = startPos;
  for (int i = 0; i < NPresets(); ++i)
  {
    IPreset* preset = mPresets.Get(i);
    WDL_String name;
    pos = chunk.GetStr(name, pos);
    SetPresetName(*preset, name.Get());

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

} // namespace iplug
