#pragma once

#include <functional>

#include "iplug/IPlugConfig.h"
#include "iplug/IPlugConstants.h"
#include "iplug/IPlugEditorDelegate.h"
#include "iplug/IPlugHost.h"
#include "iplug/IPlugStructs.h"
#include "iplug/IPlugVersion.h"

namespace iplug
{

/** The plug-in's identity, parameters and presets, and the framework's state formats: the
 *  parameter chunk, the preset list chunk and the older VST2 preset and bank files.
 *
 *  It reaches the parameters and the change notifications through the plug-in's editor delegate,
 *  which the template IPluginBase joins to it in one object. Its member functions live in
 *  IPlugPluginBaseCore.cpp (identity and parameters), IPlugPluginBasePresets.cpp (the preset list)
 *  and IPlugPluginBaseFxp.cpp (the VST2 files). */
class IPluginBaseCore
{
public:
  using ParamFunc = std::function<void(int paramIdx, IParam& param)>;

  /** delegate is the plug-in object's editor delegate, constructed before this core. */
  IPluginBaseCore(IEditorDelegate& delegate, const Config& config, EAPI plugAPI);
  virtual ~IPluginBaseCore();

  IPluginBaseCore(const IPluginBaseCore&) = delete;
  IPluginBaseCore& operator=(const IPluginBaseCore&) = delete;

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
  bool SerializeParams(IByteChunk& chunk) const;
  /** Restores the values, then OnParamReset(kPresetRecall) even when the chunk ended early. */
  int UnserializeParams(const IByteChunk& chunk, int startPos);
  void DefaultParamValues();
  void DefaultParamValues(int startIdx, int endIdx);
  void DefaultParamValues(const char* paramGroup);
  void RandomiseParamValues();
  void RandomiseParamValues(int startIdx, int endIdx);
  void RandomiseParamValues(const char* paramGroup);
  /** Calls func for each parameter of startIdx..endIdx (both included). */
  void ForParamInRange(int startIdx, int endIdx, const ParamFunc& func);
  void ForParamInGroup(const char* paramGroup, const ParamFunc& func);
  void PrintParamValues();
  /** InitDouble on each parameter of the range, named from nameFmt and a count from countStart. */
  void InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmt, double defaultVal, double minVal,
                      double maxVal, double step, const char* label = "", int flags = 0, const char* group = "",
                      const IParam::Shape& shape = IParam::ShapeLinear(), IParam::EParamUnit unit = IParam::kUnitCustom,
                      IParam::DisplayFunc displayFunc = nullptr);
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
  IEditorDelegate& Delegate() { return mDelegate; }
  const IEditorDelegate& Delegate() const { return mDelegate; }

  WDL_String mHostName;
  EHost mHost = kHostUninit;
  int mHostVersion = 0;

private:
  static void SetPresetName(IPreset& preset, const char* name);
  IPreset* FirstUninitializedPreset();
  /** The first uninitialised preset, marked initialised under name with its state emptied; null when none is left. */
  IPreset* TakeUninitializedPreset(const char* name);
  /** Marks preset initialised under name and fills it with the plug-in's current state. */
  void StoreCurrentStateIn(IPreset& preset, const char* name);
  /** Reads one parameter-form preset record into the parameters; -1 when it is malformed. */
  int ReadFxpParamsRecord(const IByteChunk& file, int pos, char* name);
  void PutFxpParamsRecord(IByteChunk& out, const IPreset* preset) const;

  IEditorDelegate& mDelegate;
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

} // namespace iplug
