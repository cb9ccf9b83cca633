// The older VST2 preset (".fxp") and bank (".fxb") files of IPluginBaseCore, in their parameter
// form and their chunk form.
#include "iplug/IPlugPluginBaseCore.h"

#include <algorithm>

#include "iplug/IPlugFxpFile.h"
#include "iplug/IPlugParamState.h"

namespace iplug
{

namespace
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

int GetFxpHeader(const IByteChunk& file, FxpHeader& header, int pos)
{
  for (int32_t* field : {&header.fileTag, &header.byteSize, &header.formTag, &header.formatVersion, &header.uniqueID,
                         &header.pluginVersion, &header.count})
    pos = GetBigEndian(file, *field, pos);
  return pos;
}

/** The chunk of a chunk-form file, after its size field at pos; false when it runs past the file. */
bool GetFxpChunk(const IByteChunk& file, int pos, IByteChunk& chunk)
{
  int32_t size = 0;
  pos = GetBigEndian(file, size, pos);
  if (pos < 0 || size < 0 || size > file.Size() - pos)
    return false;
  chunk.Clear();
  return chunk.PutBytes(file.GetData() + pos, size) == size;
}

/** The chunk of a chunk-form file with its prefix checked: where its payload starts, or -1. */
int GetFxpPayload(const IByteChunk& file, int pos, IByteChunk& chunk)
{
  return GetFxpChunk(file, pos, chunk) ? CheckChunkPrefix(chunk, 0) : -1;
}

/** Whether a preset or bank file header is of the format this reader knows, for this plug-in. */
bool IsOwnFxpHeader(const FxpHeader& header, int32_t uniqueID)
{
  return header.fileTag == kFxpFileTag && header.formatVersion == kFxpFormatVersion && header.uniqueID == uniqueID;
}

/** Reads the file at path and its header: the position after the header, or -1 when the file cannot
 *  be read or is not a preset or bank file of the plug-in with uniqueID. */
int ReadOwnFxpFile(const char* path, int32_t uniqueID, IByteChunk& file, FxpHeader& header)
{
  if (!ReadFileToChunk(path, file))
    return -1;
  const int pos = GetFxpHeader(file, header, 0);
  return pos >= 0 && IsOwnFxpHeader(header, uniqueID) ? pos : -1;
}
} // namespace

void IPluginBaseCore::PutFxpParamsRecord(IByteChunk& out, const IPreset* preset) const
{
  PutBigEndian(out, kFxpFileTag);
  PutBigEndian(out, 0);
  PutBigEndian(out, kFxpParamsTag);
  PutBigEndian(out, kFxpFormatVersion);
  PutBigEndian(out, mUniqueID);
  PutBigEndian(out, GetPluginVersion(true));
  PutBigEndian(out, mDelegate.NParams());
  PutFixedName(out, preset ? preset->mName : "", kFxpNameLen);
  int pos = 0;
  for (int i = 0; i < mDelegate.NParams(); ++i)
  {
    const IParam& param = *mDelegate.GetParam(i);
    // A preset holds its values as the parameter chunk; the current value stands in where it doesn't.
    double value = param.Value();
    if (preset && pos >= 0)
      pos = preset->mChunk.Get(&value, pos);
    if (pos < 0)
      value = param.Value();
    PutBigEndian(out, static_cast<float>(std::clamp(param.ToNormalized(value), 0.0, 1.0)));
  }
}

bool IPluginBaseCore::SavePresetAsFXP(const char* path) const
{
  IByteChunk out;
  if (!DoesStateChunks())
  {
    IPreset current;
    SetPresetName(current, GetPresetName(mCurrentPresetIdx));
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
  PutBigEndian(out, mDelegate.NParams());
  PutFixedName(out, GetPresetName(mCurrentPresetIdx), kFxpNameLen);
  PutBigEndian(out, state.Size());
  out.PutChunk(&state);
  return WriteChunkToFile(path, out);
}

bool IPluginBaseCore::SaveBankAsFXB(const char* path) const
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

int IPluginBaseCore::ReadFxpParamsRecord(const IByteChunk& file, int pos, char* name)
{
  FxpHeader header;
  pos = GetFxpHeader(file, header, pos);
  pos = GetFixedName(file, name, kFxpNameLen, pos);
  if (pos < 0 || header.fileTag != kFxpFileTag || header.formTag != kFxpParamsTag)
    return -1;
  for (int i = 0; i < header.count; ++i)
  {
    float normalized = 0.0f;
    pos = GetBigEndian(file, normalized, pos);
    if (pos < 0)
      return -1;
    if (IParam* param = mDelegate.GetParam(i))
      SetParamFromStoredNormalized(*param, normalized);
  }
  return pos;
}

bool IPluginBaseCore::LoadPresetFromFXP(const char* path)
{
  IByteChunk file;
  FxpHeader header;
  char name[kFxpNameLen + 1] = {};
  int pos = ReadOwnFxpFile(path, mUniqueID, file, header);
  pos = GetFixedName(file, name, kFxpNameLen, pos);
  if (pos < 0)
    return false;

  if (header.formTag == kFxpChunkTag && DoesStateChunks())
  {
    IByteChunk state;
    const int statePos = GetFxpPayload(file, pos, state);
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

bool IPluginBaseCore::LoadBankFromFXB(const char* path)
{
  IByteChunk file;
  FxpHeader header;
  char reserved[kFxbReservedLen];
  int pos = ReadOwnFxpFile(path, mUniqueID, file, header);
  pos = file.GetBytes(reserved, kFxbReservedLen, pos);
  if (pos < 0)
    return false;

  if (header.formTag == kFxbChunkTag && DoesStateChunks())
  {
    IByteChunk state;
    const int statePos = GetFxpPayload(file, pos, state);
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
