#pragma once

#include <cstddef>
#include <cstdint>

#include "iplug/IPlugByteChunk.h"
#include "iplug/IPlugConstants.h"
#include "iplug/wdl/WdlHeapBuf.h"
#include "iplug/wdl/WdlPtrList.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{

/** One bus of an I/O configuration. */
struct IBusInfo
{
  ERoute mDirection;
  int mNChans;

  IBusInfo(ERoute direction, int nChans) : mDirection(direction), mNChans(nChans) {}
};

/** One channel configuration: its input buses and its output buses. */
class IOConfig
{
public:
  IOConfig() = default;
  ~IOConfig();

  IOConfig(const IOConfig&) = delete;
  IOConfig& operator=(const IOConfig&) = delete;

  void AddBusInfo(ERoute direction, int nChans);

  const IBusInfo* GetBusInfo(ERoute direction, int index) const { return mBusInfo[direction].Get(index); }

  /** The channel count of a bus, 0 when there is no such bus. */
  int NChansOnBusSAFE(ERoute direction, int index) const;

  int NBuses(ERoute direction) const { return mBusInfo[direction].GetSize(); }

  /** The sum of the channel counts of every bus of a direction (a wildcard bus adds its -64). */
  int GetTotalNChannels(ERoute direction) const;

  bool ContainsWildcard(ERoute direction) const;

private:
  WDL_PtrList<IBusInfo> mBusInfo[2];
};

/** One audio channel as the processor sees it. */
struct IChannelData
{
  bool mConnected = false;
  double** mData = nullptr;       // this channel's slot in the processor's pointer array
  float* mIncomingData = nullptr; // the host's 32-bit buffer of the block being processed
  WDL_TypedBuf<double> mScratchBuf{4096};
  WDL_String mLabel;
};

/** The host's transport, copied once per block. */
struct ITimeInfo
{
  double mTempo = 120.0;
  double mSamplePos = -1.0;
  double mPPQPos = -1.0;
  double mLastBar = -1.0;
  double mCycleStart = -1.0;
  double mCycleEnd = -1.0;
  int mNumerator = 4;
  int mDenominator = 4;
  bool mTransportIsRunning = false;
  bool mTransportLoopEnabled = false;
};

/** A key event from the host or the platform view; VK uses the Windows virtual-key numbering on
 *  every platform. */
struct IKeyPress
{
  int32_t VK = 0;
  char utf8[5] = {};
  bool S = false;
  bool C = false;
  bool A = false;

  /** The character is cut to four bytes so the record always stays NUL-terminated. */
  IKeyPress(const char* str, int32_t vk, bool s = false, bool c = false, bool a = false) : VK(vk), S(s), C(c), A(a)
  {
    for (size_t i = 0; str && str[i] && i < sizeof(utf8) - 1; ++i)
      utf8[i] = str[i];
  }
};

/** One stored preset: its name and the plug-in state it recalls. */
struct IPreset
{
  bool mInitialized = false;
  char mName[MAX_PRESET_NAME_LEN] = "empty";
  IByteChunk mChunk;
};

} // namespace iplug
