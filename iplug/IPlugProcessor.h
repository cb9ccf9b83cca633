#pragma once

#include <memory>
#include <vector>

#include "iplug/IPlugConfig.h"
#include "iplug/IPlugLatencyDelay.h"
#include "iplug/IPlugMidi.h"
#include "iplug/IPlugStructs.h"

namespace iplug
{

/** The audio side of every plug-in, independent of the plug-in API: bus configurations, one record
 *  per channel, 32/64-bit buffer conversion, pass-through with latency, and the host's transport. */
class IPlugProcessor
{
public:
  explicit IPlugProcessor(const Config& config);
  virtual ~IPlugProcessor();

  IPlugProcessor(const IPlugProcessor&) = delete;
  IPlugProcessor& operator=(const IPlugProcessor&) = delete;

  /** Default: input i to output i for every channel both have; the other outputs silent. */
  virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
  /** Default: passes the message on to the MIDI output, when the plug-in has one. */
  virtual void ProcessMidiMsg(const IMidiMsg& msg);
  virtual void ProcessSysEx(const ISysEx&) {}
  virtual void OnReset() {}
  virtual void OnActivate(bool) {}
  virtual bool SendMidiMsg(const IMidiMsg& msg) = 0;
  /** Sends each in order; true only when every send succeeded. */
  virtual bool SendMidiMsgs(WDL_TypedBuf<IMidiMsg>& msgs);
  virtual bool SendSysEx(const ISysEx&) { return false; }
  virtual void GetBusName(ERoute direction, int busIdx, int nBuses, WDL_String& str) const;
  virtual void SetLatency(int latency);
  virtual void SetTailSize(int tailSize) { mTailSize = tailSize; }

  double GetSampleRate() const { return mSampleRate; }
  int GetBlockSize() const { return mBlockSize; }
  int GetLatency() const { return mLatency; }
  int GetTailSize() const { return mTailSize; }
  bool GetBypassed() const { return mBypassed; }
  bool GetRenderingOffline() const { return mRenderingOffline; }
  const ITimeInfo& GetTimeInfo() const { return mTimeInfo; }
  /** A block longer than the block size reaches ProcessBlock in pieces: while one runs, the frame of
   *  the host's block at which it starts; 0 otherwise. */
  int GetPieceStart() const { return mPieceStart; }
  double GetSamplesPerBeat() const;

  int GetPluginType() const { return mPlugType; }
  bool IsInstrument() const { return mPlugType == 1; }
  bool DoesMIDIIn() const { return mDoesMIDIIn; }
  bool DoesMIDIOut() const { return mDoesMIDIOut; }
  bool DoesMPE() const { return mDoesMPE; }
  /** The four-character Audio Unit type code of this kind of plug-in. */
  int GetAUPluginType() const;

  int NIOConfigs() const { return mIOConfigs.GetSize(); }
  const IOConfig* GetIOConfig(int idx) const { return mIOConfigs.Get(idx); }
  /** The number of channel records of a direction (those of the widest configuration). */
  int MaxNChannels(ERoute direction) const { return mChannelData[direction].GetSize(); }
  int NChannelsConnected(ERoute direction) const;
  bool IsChannelConnected(ERoute direction, int chIdx) const;
  /** The most buses of a direction in any configuration; configIdx gets the last that has them. */
  int MaxNBuses(ERoute direction, int* configIdx = nullptr) const;
  /** -1 when the first configuration has a wildcard bus of that direction. */
  int MaxNChannelsForBus(ERoute direction, int busIdx) const;
  bool HasWildcardBus(ERoute direction) const;
  /** Whether a configuration has these channel totals; a negative count matches any total. */
  bool LegalIO(int nIn, int nOut) const;
  /** The first configuration whose buses have exactly these channel counts, or -1. */
  int GetIOConfigWithChanCounts(const std::vector<int>& inputBusChans, const std::vector<int>& outputBusChans) const;
  const char* GetChannelLabel(ERoute direction, int chIdx) const;
  void SetChannelLabel(ERoute direction, int idx, const char* formatStr, bool zeroBased = false);

  /** Parses an I/O string such as "0-2" or "1-1 2-2" into configurations; the maxima are the most
   *  channels and buses of each direction over all of them. Returns the number of configurations. */
  static int ParseChannelIOStr(const char* IOStr, WDL_PtrList<IOConfig>& channelIOList, int& totalNInChans,
                               int& totalNOutChans, int& totalNInBuses, int& totalNOutBuses);

  // Called by the API layer, on the audio thread or in the processing set-up.
  void SetSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  void SetBlockSize(int blockSize);
  void SetBypassed(bool bypassed) { mBypassed = bypassed; }
  void SetRenderingOffline(bool renderingOffline) { mRenderingOffline = renderingOffline; }
  void SetTimeInfo(const ITimeInfo& timeInfo) { mTimeInfo = timeInfo; }
  void SetChannelConnections(ERoute direction, int idx, int n, bool connected);
  void InitLatencyDelay();
  void ZeroScratchBuffers();
  void AttachBuffers(ERoute direction, int idx, int n, double** ppData, int nFrames);
  void AttachBuffers(ERoute direction, int idx, int n, float** ppData, int nFrames);
  void ProcessBuffers(double, int nFrames);
  void ProcessBuffers(float, int nFrames);
  void ProcessBuffersAccumulating(int nFrames);
  void PassThroughBuffers(double, int nFrames);
  void PassThroughBuffers(float, int nFrames);

private:
  enum class EHostSamples
  {
    kDouble,
    kFloat,
    kFloatAccumulating
  };

  /** The frames that the scratch buffers can take. */
  int FramesThatFit(int nFrames) const;
  double** Slots(ERoute direction) const;
  /** Runs processPiece(n) over a block in pieces of at most the block size, converting 32-bit host
   *  buffers piece by piece; when not even one frame fits, the host's outputs get silence. */
  template <typename ProcessPiece>
  void InPieces(int nFrames, EHostSamples samples, ProcessPiece&& processPiece);
  /** Moves every slot that points into a host buffer (not at its scratch buffer) by delta frames. */
  void MoveHostSlots(int delta);
  void ConvertInputsFrom32Bit(int start, int nFrames);
  void ConvertOutputsTo32Bit(int start, int nFrames, bool accumulate);
  void SilenceHostOutputs(int nFrames, EHostSamples samples);
  void PassThroughPiece(int nFrames);

  int mPlugType;
  bool mDoesMIDIIn;
  bool mDoesMIDIOut;
  bool mDoesMPE;
  int mLatency;
  double mSampleRate = 48000.0;
  int mBlockSize = 0;
  int mTailSize = 0;
  bool mBypassed = false;
  bool mRenderingOffline = false;
  int mPieceStart = 0;
  WDL_PtrList<IOConfig> mIOConfigs;
  WDL_TypedBuf<double*> mScratchData[2];
  WDL_PtrList<IChannelData> mChannelData[2];
  std::unique_ptr<NChanDelayLine> mLatencyDelay;
  ITimeInfo mTimeInfo;
};

} // namespace iplug
