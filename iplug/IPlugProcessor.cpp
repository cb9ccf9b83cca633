#include "iplug/IPlugProcessor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace iplug
{

namespace
{
constexpr int FourCC(char a, char b, char c, char d)
{
  return (static_cast<int>(a) << 24) | (static_cast<int>(b) << 16) | (static_cast<int>(c) << 8) | static_cast<int>(d);
}

std::vector<std::string> Split(const std::string& text, char separator)
{
  std::vector<std::string> pieces;
  size_t start = 0;
  while (true)
  {
    const size_t end = text.find(separator, start);
    pieces.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos)
      return pieces;
    start = end + 1;
  }
}

int ChannelCountOf(const std::string& token)
{
  if (token == "*")
    return -MAX_BUS_CHANS;
  int n = 0;
  return std::sscanf(token.c_str(), "%d", &n) == 1 ? n : 0;
}

/** Adds the buses of one side of a configuration; returns that side's channel total. */
int AddBuses(IOConfig& config, ERoute direction, const std::string& part, int& nBuses)
{
  int total = 0;
  nBuses = 0;
  for (const std::string& token : Split(part, '.'))
  {
    const int nChans = ChannelCountOf(token);
    total += nChans;
    if (nChans != 0)
    {
      config.AddBusInfo(direction, nChans);
      ++nBuses;
    }
  }
  return total;
}

/** The end of the channel range idx .. idx + n - 1, cut to the channels that exist. */
int RangeEnd(int nChannels, int idx, int n)
{
  const long long end = static_cast<long long>(idx) + n;
  return static_cast<int>(std::min<long long>(nChannels, end));
}

void ZeroFrames(double* buffer, int nFrames)
{
  if (buffer && nFrames > 0)
    std::memset(buffer, 0, sizeof(double) * static_cast<size_t>(nFrames));
}
} // namespace

IOConfig::~IOConfig()
{
  mBusInfo[kInput].Empty(true);
  mBusInfo[kOutput].Empty(true);
}

void IOConfig::AddBusInfo(ERoute direction, int nChans)
{
  auto* info = new IBusInfo(direction, nChans);
  if (!mBusInfo[direction].Add(info))
    delete info;
}

int IOConfig::NChansOnBusSAFE(ERoute direction, int index) const
{
  const IBusInfo* info = GetBusInfo(direction, index);
  return info ? info->mNChans : 0;
}

int IOConfig::GetTotalNChannels(ERoute direction) const
{
  int total = 0;
  for (int i = 0; i < NBuses(direction); ++i)
    total += NChansOnBusSAFE(direction, i);
  return total;
}

bool IOConfig::ContainsWildcard(ERoute direction) const
{
  for (int i = 0; i < NBuses(direction); ++i)
    if (NChansOnBusSAFE(direction, i) == -MAX_BUS_CHANS)
      return true;
  return false;
}

int IPlugProcessor::ParseChannelIOStr(const char* IOStr, WDL_PtrList<IOConfig>& channelIOList, int& totalNInChans,
                                      int& totalNOutChans, int& totalNInBuses, int& totalNOutBuses)
{
  totalNInChans = totalNOutChans = totalNInBuses = totalNOutBuses = 0;

  for (const std::string& piece : Split(IOStr ? IOStr : "", ' '))
  {
    if (piece.empty())
      continue;
    const size_t dash = piece.find('-');
    const std::string inputPart = piece.substr(0, dash);
    const std::string outputPart = dash == std::string::npos ? std::string() : piece.substr(dash + 1);

    auto* config = new IOConfig();
    int nInBuses = 0;
    int nOutBuses = 0;
    const int nIn = AddBuses(*config, kInput, inputPart, nInBuses);
    const int nOut = AddBuses(*config, kOutput, outputPart, nOutBuses);

    totalNInChans = std::max(totalNInChans, nIn);
    totalNOutChans = std::max(totalNOutChans, nOut);
    totalNInBuses = std::max(totalNInBuses, nInBuses);
    totalNOutBuses = std::max(totalNOutBuses, nOutBuses);
    if (!channelIOList.Add(config))
      delete config;
  }
  return channelIOList.GetSize();
}

IPlugProcessor::IPlugProcessor(const Config& config)
: mPlugType(config.plugType)
, mDoesMIDIIn(config.plugDoesMidiIn)
, mDoesMIDIOut(config.plugDoesMidiOut)
, mDoesMPE(config.plugDoesMPE)
, mLatency(config.latency > 0 ? config.latency : 0)
{
  int totalNChans[2] = {0, 0};
  int totalNBuses[2] = {0, 0};
  ParseChannelIOStr(config.channelIOStr, mIOConfigs, totalNChans[kInput], totalNChans[kOutput], totalNBuses[kInput],
                    totalNBuses[kOutput]);

  for (ERoute direction : {kInput, kOutput})
  {
    const int nChans = totalNChans[direction];
    mScratchData[direction].Resize(nChans);
    if (mScratchData[direction].GetSize() != nChans)
      continue;
    double** slots = mScratchData[direction].Get();
    for (int i = 0; i < nChans; ++i)
    {
      slots[i] = nullptr;
      auto* channel = new IChannelData();
      channel->mData = slots + i;
      if (!mChannelData[direction].Add(channel))
        delete channel;
    }
  }
}

IPlugProcessor::~IPlugProcessor()
{
  mChannelData[kInput].Empty(true);
  mChannelData[kOutput].Empty(true);
  mIOConfigs.Empty(true);
}

void IPlugProcessor::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  const int nIn = MaxNChannels(kInput);
  const int nOut = MaxNChannels(kOutput);
  if (!outputs || nFrames <= 0)
    return;
  for (int i = 0; i < nOut; ++i)
  {
    if (!outputs[i])
      continue;
    if (i < nIn && inputs && inputs[i])
      std::memmove(outputs[i], inputs[i], sizeof(double) * static_cast<size_t>(nFrames));
    else
      ZeroFrames(outputs[i], nFrames);
  }
}

void IPlugProcessor::ProcessMidiMsg(const IMidiMsg& msg)
{
  // Without a MIDI output nothing would ever take the messages out again.
  if (mDoesMIDIOut)
    SendMidiMsg(msg);
}

bool IPlugProcessor::SendMidiMsgs(WDL_TypedBuf<IMidiMsg>& msgs)
{
  bool rc = true;
  for (int i = 0; i < msgs.GetSize(); ++i)
    rc &= SendMidiMsg(msgs.Get()[i]);
  return rc;
}

void IPlugProcessor::GetBusName(ERoute direction, int busIdx, int nBuses, WDL_String& str) const
{
  if (direction == kOutput)
  {
    if (nBuses == 1)
      str.Set("Output");
    else
      str.SetFormatted(32, "Output %i", busIdx);
    return;
  }

  if (nBuses == 2)
    str.Set(busIdx == 0 ? "Main" : "Aux");
  else if (nBuses == 1)
    str.Set("Input");
  else
    str.SetFormatted(32, "Input %i", busIdx);
}

void IPlugProcessor::SetLatency(int latency)
{
  mLatency = latency > 0 ? latency : 0;
  if (mLatencyDelay)
    mLatencyDelay->SetDelayTime(mLatency);
}

double IPlugProcessor::GetSamplesPerBeat() const
{
  return mTimeInfo.mTempo > 0.0 ? mSampleRate * 60.0 / mTimeInfo.mTempo : 0.0;
}

int IPlugProcessor::GetAUPluginType() const
{
  switch (mPlugType)
  {
  case 1: return FourCC('a', 'u', 'm', 'u');
  case 2: return FourCC('a', 'u', 'm', 'i');
  case 3: return FourCC('a', 'u', 'g', 'n');
  default: return mDoesMIDIIn ? FourCC('a', 'u', 'm', 'f') : FourCC('a', 'u', 'f', 'x');
  }
}

int IPlugProcessor::NChannelsConnected(ERoute direction) const
{
  int count = 0;
  for (int i = 0; i < MaxNChannels(direction); ++i)
    count += mChannelData[direction].Get(i)->mConnected ? 1 : 0;
  return count;
}

bool IPlugProcessor::IsChannelConnected(ERoute direction, int chIdx) const
{
  const IChannelData* channel = mChannelData[direction].Get(chIdx);
  return channel && channel->mConnected;
}

int IPlugProcessor::MaxNBuses(ERoute direction, int* configIdx) const
{
  int maxNBuses = 0;
  int lastConfigWithMax = 0;
  for (int i = 0; i < NIOConfigs(); ++i)
  {
    const int nBuses = mIOConfigs.Get(i)->NBuses(direction);
    if (nBuses >= maxNBuses)
    {
      maxNBuses = nBuses;
      lastConfigWithMax = i;
    }
  }
  if (configIdx)
    *configIdx = lastConfigWithMax;
  return maxNBuses;
}

bool IPlugProcessor::HasWildcardBus(ERoute direction) const
{
  const IOConfig* first = mIOConfigs.Get(0);
  return first && first->ContainsWildcard(direction);
}

int IPlugProcessor::MaxNChannelsForBus(ERoute direction, int busIdx) const
{
  if (HasWildcardBus(direction))
    return -1;
  int maxNChans = 0;
  for (int i = 0; i < NIOConfigs(); ++i)
    maxNChans = std::max(maxNChans, mIOConfigs.Get(i)->NChansOnBusSAFE(direction, busIdx));
  return maxNChans;
}

bool IPlugProcessor::LegalIO(int nIn, int nOut) const
{
  for (int i = 0; i < NIOConfigs(); ++i)
  {
    const IOConfig* config = mIOConfigs.Get(i);
    const bool inOK = nIn < 0 || config->GetTotalNChannels(kInput) == nIn;
    const bool outOK = nOut < 0 || config->GetTotalNChannels(kOutput) == nOut;
    if (inOK && outOK)
      return true;
  }
  return false;
}

int IPlugProcessor::GetIOConfigWithChanCounts(const std::vector<int>& inputBusChans,
                                              const std::vector<int>& outputBusChans) const
{
  for (int i = 0; i < NIOConfigs(); ++i)
  {
    const IOConfig* config = mIOConfigs.Get(i);
    auto matches = [config](ERoute direction, const std::vector<int>& busChans) {
      if (config->NBuses(direction) != static_cast<int>(busChans.size()))
        return false;
      for (size_t b = 0; b < busChans.size(); ++b)
        if (config->NChansOnBusSAFE(direction, static_cast<int>(b)) != busChans[b])
          return false;
      return true;
    };
    if (matches(kInput, inputBusChans) && matches(kOutput, outputBusChans))
      return i;
  }
  return -1;
}

const char* IPlugProcessor::GetChannelLabel(ERoute direction, int chIdx) const
{
  const IChannelData* channel = mChannelData[direction].Get(chIdx);
  return channel ? channel->mLabel.Get() : "";
}

void IPlugProcessor::SetChannelLabel(ERoute direction, int idx, const char* formatStr, bool zeroBased)
{
  IChannelData* channel = mChannelData[direction].Get(idx);
  if (channel && formatStr)
    channel->mLabel.SetFormatted(32, formatStr, idx + (zeroBased ? 0 : 1));
}

void IPlugProcessor::SetBlockSize(int blockSize)
{
  blockSize = blockSize > 0 ? blockSize : 0;
  if (blockSize == mBlockSize)
    return;

  int fitted = blockSize;
  for (ERoute direction : {kInput, kOutput})
  {
    for (int i = 0; i < MaxNChannels(direction); ++i)
    {
      IChannelData* channel = mChannelData[direction].Get(i);
      channel->mScratchBuf.Resize(blockSize);
      fitted = std::min(fitted, channel->mScratchBuf.GetSize());
      ZeroFrames(channel->mScratchBuf.Get(), channel->mScratchBuf.GetSize());
      // A slot left on the old scratch buffer would point at freed memory.
      if (!channel->mConnected)
        *channel->mData = channel->mScratchBuf.Get();
    }
  }
  // Should a buffer fail to grow, blocks are cut to what every buffer can hold.
  mBlockSize = fitted;
}

void IPlugProcessor::SetChannelConnections(ERoute direction, int idx, int n, bool connected)
{
  const int end = RangeEnd(MaxNChannels(direction), idx, n);
  for (int i = std::max(idx, 0); i < end; ++i)
  {
    IChannelData* channel = mChannelData[direction].Get(i);
    channel->mConnected = connected;
    if (!connected)
      *channel->mData = channel->mScratchBuf.Get();
  }
}

void IPlugProcessor::InitLatencyDelay()
{
  const int nIn = MaxNChannels(kInput);
  if (nIn <= 0)
    return;
  mLatencyDelay = std::make_unique<NChanDelayLine>(nIn, MaxNChannels(kOutput));
  mLatencyDelay->SetDelayTime(mLatency);
}

void IPlugProcessor::ZeroScratchBuffers()
{
  for (ERoute direction : {kInput, kOutput})
    for (int i = 0; i < MaxNChannels(direction); ++i)
    {
      IChannelData* channel = mChannelData[direction].Get(i);
      ZeroFrames(channel->mScratchBuf.Get(), std::min(mBlockSize, channel->mScratchBuf.GetSize()));
    }
}

void IPlugProcessor::AttachBuffers(ERoute direction, int idx, int n, double** ppData, int)
{
  const int end = RangeEnd(MaxNChannels(direction), idx, n);
  for (int i = std::max(idx, 0); i < end; ++i)
  {
    IChannelData* channel = mChannelData[direction].Get(i);
    if (channel->mConnected && ppData)
      *channel->mData = *ppData++;
  }
}

void IPlugProcessor::AttachBuffers(ERoute direction, int idx, int n, float** ppData, int nFrames)
{
  const int end = RangeEnd(MaxNChannels(direction), idx, n);
  const int nFit = FramesThatFit(nFrames);
  for (int i = std::max(idx, 0); i < end; ++i)
  {
    IChannelData* channel = mChannelData[direction].Get(i);
    if (!channel->mConnected)
      continue;
    double* scratch = channel->mScratchBuf.Get();
    float* hostBuffer = ppData ? *ppData++ : nullptr;
    channel->mIncomingData = hostBuffer;
    if (direction == kInput)
    {
      if (hostBuffer)
        for (int f = 0; f < nFit; ++f)
          scratch[f] = hostBuffer[f];
      else
        ZeroFrames(scratch, nFit);
    }
    *channel->mData = scratch;
  }
}

int IPlugProcessor::FramesThatFit(int nFrames) const
{
  return std::max(0, std::min(nFrames, mBlockSize));
}

double** IPlugProcessor::Slots(ERoute direction) const
{
  return MaxNChannels(direction) > 0 ? mScratchData[direction].Get() : nullptr;
}

template <typename ProcessPiece>
void IPlugProcessor::InPieces(int nFrames, EHostSamples samples, ProcessPiece&& processPiece)
{
  if (nFrames < 1)
    return;
  if (mBlockSize < 1)
  {
    SilenceHostOutputs(nFrames, samples);
    return;
  }
  // The first piece's 32-bit input was converted when the buffers were attached.
  int start = 0;
  while (true)
  {
    const int n = std::min(mBlockSize, nFrames - start);
    mPieceStart = start;
    processPiece(n);
    if (samples != EHostSamples::kDouble)
      ConvertOutputsTo32Bit(start, n, samples == EHostSamples::kFloatAccumulating);
    if (start + n >= nFrames)
      break;
    start += n;
    MoveHostSlots(n);
    if (samples != EHostSamples::kDouble)
      ConvertInputsFrom32Bit(start, std::min(mBlockSize, nFrames - start));
  }
  MoveHostSlots(-start);
  mPieceStart = 0;
}

void IPlugProcessor::MoveHostSlots(int delta)
{
  if (delta == 0)
    return;
  for (ERoute direction : {kInput, kOutput})
    for (int i = 0; i < MaxNChannels(direction); ++i)
    {
      IChannelData* channel = mChannelData[direction].Get(i);
      double*& slot = *channel->mData;
      if (slot && slot != channel->mScratchBuf.Get())
        slot += delta;
    }
}

void IPlugProcessor::ConvertInputsFrom32Bit(int start, int nFrames)
{
  for (int i = 0; i < MaxNChannels(kInput); ++i)
  {
    IChannelData* channel = mChannelData[kInput].Get(i);
    if (!channel->mConnected)
      continue;
    double* scratch = channel->mScratchBuf.Get();
    const float* in = channel->mIncomingData;
    if (in)
      for (int f = 0; f < nFrames; ++f)
        scratch[f] = in[start + f];
    else
      ZeroFrames(scratch, nFrames);
  }
}

void IPlugProcessor::ConvertOutputsTo32Bit(int start, int nFrames, bool accumulate)
{
  for (int i = 0; i < MaxNChannels(kOutput); ++i)
  {
    IChannelData* channel = mChannelData[kOutput].Get(i);
    float* out = channel->mIncomingData;
    const double* in = *channel->mData;
    if (!channel->mConnected || !out || !in)
      continue;
    out += start;
    for (int f = 0; f < nFrames; ++f)
      out[f] = accumulate ? out[f] + static_cast<float>(in[f]) : static_cast<float>(in[f]);
  }
}

void IPlugProcessor::SilenceHostOutputs(int nFrames, EHostSamples samples)
{
  if (samples == EHostSamples::kFloatAccumulating)
    return;
  for (int i = 0; i < MaxNChannels(kOutput); ++i)
  {
    IChannelData* channel = mChannelData[kOutput].Get(i);
    if (!channel->mConnected)
      continue;
    if (samples == EHostSamples::kFloat)
    {
      if (channel->mIncomingData)
        std::fill(channel->mIncomingData, channel->mIncomingData + nFrames, 0.0f);
    }
    else if (*channel->mData && *channel->mData != channel->mScratchBuf.Get())
    {
      ZeroFrames(*channel->mData, nFrames);
    }
  }
}

void IPlugProcessor::ProcessBuffers(double, int nFrames)
{
  InPieces(nFrames, EHostSamples::kDouble, [this](int n) { ProcessBlock(Slots(kInput), Slots(kOutput), n); });
}

void IPlugProcessor::ProcessBuffers(float, int nFrames)
{
  InPieces(nFrames, EHostSamples::kFloat, [this](int n) { ProcessBlock(Slots(kInput), Slots(kOutput), n); });
}

void IPlugProcessor::ProcessBuffersAccumulating(int nFrames)
{
  InPieces(nFrames, EHostSamples::kFloatAccumulating,
           [this](int n) { ProcessBlock(Slots(kInput), Slots(kOutput), n); });
}

void IPlugProcessor::PassThroughPiece(int nFrames)
{
  if (mLatency > 0 && mLatencyDelay && mLatencyDelay->IsReady())
    mLatencyDelay->ProcessBlock(Slots(kInput), Slots(kOutput), nFrames);
  else
    IPlugProcessor::ProcessBlock(Slots(kInput), Slots(kOutput), nFrames);
}

void IPlugProcessor::PassThroughBuffers(double, int nFrames)
{
  InPieces(nFrames, EHostSamples::kDouble, [this](int n) { PassThroughPiece(n); });
}

void IPlugProcessor::PassThroughBuffers(float, int nFrames)
{
  InPieces(nFrames, EHostSamples::kFloat, [this](int n) { PassThroughPiece(n); });
}

} // namespace iplug
