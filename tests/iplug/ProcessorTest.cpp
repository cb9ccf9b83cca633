#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "iplug/IPlugProcessor.h"

using namespace iplug;

namespace
{
Config MakeConfig(const char* io, int latency = 0, bool midiOut = false)
{
  Config config;
  config.channelIOStr = io;
  config.latency = latency;
  config.plugDoesMidiOut = midiOut;
  return config;
}

class TestProcessor : public IPlugProcessor
{
public:
  using IPlugProcessor::IPlugProcessor;
  bool SendMidiMsg(const IMidiMsg& msg) override
  {
    sent.push_back(msg);
    return true;
  }
  std::vector<IMidiMsg> sent;
};

/** Host-side buffers of one block, one vector per channel. */
template <typename T>
struct HostBuffers
{
  HostBuffers(int nChans, int nFrames, T fill) : data(nChans, std::vector<T>(nFrames, fill))
  {
    for (auto& channel : data)
      ptrs.push_back(channel.data());
  }
  std::vector<std::vector<T>> data;
  std::vector<T*> ptrs;
};

// Doubles two channels, and remembers the length and the start of every piece it was given.
struct Doubler : TestProcessor
{
  using TestProcessor::TestProcessor;
  void ProcessBlock(double** inputs, double** outputs, int nFrames) override
  {
    for (int c = 0; c < 2; ++c)
      for (int f = 0; f < nFrames; ++f)
        outputs[c][f] = 2.0 * inputs[c][f];
    lengths.push_back(nFrames);
    starts.push_back(GetPieceStart());
  }
  std::vector<int> lengths, starts;
};

} // namespace

TEST(ChannelIOString, ParsesConfigurationsAndMaxima)
{
  struct Case
  {
    const char* io;
    int nConfigs, inChans, outChans, inBuses, outBuses;
  };
  const Case cases[] = {
    {"0-2", 1, 0, 2, 0, 1},   {"1-1 2-2", 2, 2, 2, 1, 1},
    {"2.2-2", 1, 4, 2, 2, 1}, {"1-1  0-2", 2, 1, 2, 1, 1}, // repeated blanks make no empty configuration
    {"x-2", 1, 0, 2, 0, 1},                                // a token that is no number adds no bus
    {"", 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases)
  {
    WDL_PtrList<IOConfig> list;
    int inChans = -1, outChans = -1, inBuses = -1, outBuses = -1;
    EXPECT_EQ(IPlugProcessor::ParseChannelIOStr(c.io, list, inChans, outChans, inBuses, outBuses), c.nConfigs) << c.io;
    EXPECT_EQ(inChans, c.inChans) << c.io;
    EXPECT_EQ(outChans, c.outChans) << c.io;
    EXPECT_EQ(inBuses, c.inBuses) << c.io;
    EXPECT_EQ(outBuses, c.outBuses) << c.io;
    list.Empty(true);
  }
}

TEST(ChannelIOString, InstrumentConfigurationGivesTwoOutputRecords)
{
  TestProcessor p(MakeConfig("0-2"));
  EXPECT_EQ(p.NIOConfigs(), 1);
  EXPECT_EQ(p.MaxNChannels(kInput), 0);
  EXPECT_EQ(p.MaxNChannels(kOutput), 2);
  EXPECT_EQ(p.MaxNChannelsForBus(kOutput, 0), 2);
  EXPECT_EQ(p.MaxNBuses(kInput), 0);
  EXPECT_EQ(p.NChannelsConnected(kOutput), 0);
}

TEST(ChannelIOString, WildcardAndBusQueries)
{
  TestProcessor wild(MakeConfig("*-2"));
  EXPECT_EQ(wild.MaxNChannelsForBus(kInput, 0), -1);
  EXPECT_EQ(wild.MaxNChannelsForBus(kOutput, 0), 2);

  TestProcessor multi(MakeConfig("1-1 2.1-2 2-2"));
  int configIdx = -1;
  EXPECT_EQ(multi.MaxNBuses(kInput, &configIdx), 2);
  EXPECT_EQ(configIdx, 1);
  EXPECT_EQ(multi.MaxNChannelsForBus(kInput, 1), 1);
  EXPECT_EQ(multi.MaxNChannelsForBus(kInput, 5), 0);
  EXPECT_TRUE(multi.LegalIO(3, 2));
  EXPECT_TRUE(multi.LegalIO(-1, 1));
  EXPECT_FALSE(multi.LegalIO(3, 1));
  EXPECT_EQ(multi.GetIOConfigWithChanCounts({2, 1}, {2}), 1);
  EXPECT_EQ(multi.GetIOConfigWithChanCounts({2}, {2}), 2);
  EXPECT_EQ(multi.GetIOConfigWithChanCounts({2, 1}, {1}), -1);
  EXPECT_EQ(multi.GetIOConfigWithChanCounts({}, {2}), -1);

  TestProcessor none(MakeConfig(""));
  EXPECT_FALSE(none.LegalIO(-1, -1));
}

TEST(Processor, BusNames)
{
  struct Case
  {
    ERoute direction;
    int busIdx, nBuses;
    const char* name;
  };
  const Case cases[] = {
    {kOutput, 0, 1, "Output"}, {kOutput, 1, 3, "Output 1"}, {kOutput, 0, 2, "Output 0"}, {kInput, 0, 1, "Input"},
    {kInput, 0, 2, "Main"},    {kInput, 1, 2, "Aux"},       {kInput, 2, 3, "Input 2"},
  };
  TestProcessor p(MakeConfig("0-2"));
  for (const Case& c : cases)
  {
    WDL_String name;
    p.GetBusName(c.direction, c.busIdx, c.nBuses, name);
    EXPECT_STREQ(name.Get(), c.name) << c.direction << " " << c.busIdx << "/" << c.nBuses;
  }
}

TEST(Processor, StartsWithTransportDefaults)
{
  TestProcessor p(MakeConfig("0-2"));
  const ITimeInfo& t = p.GetTimeInfo();
  EXPECT_EQ(t.mTempo, 120.0);
  EXPECT_EQ(t.mSamplePos, -1.0);
  EXPECT_EQ(t.mNumerator, 4);
  EXPECT_FALSE(t.mTransportIsRunning);
  EXPECT_EQ(p.GetSampleRate(), 48000.0);
  EXPECT_EQ(p.GetBlockSize(), 0);
  EXPECT_DOUBLE_EQ(p.GetSamplesPerBeat(), 24000.0);

  ITimeInfo stopped;
  stopped.mTempo = 0.0;
  p.SetTimeInfo(stopped);
  EXPECT_EQ(p.GetSamplesPerBeat(), 0.0);
}

TEST(Processor, PassThroughWithoutInputsWritesSilence)
{
  TestProcessor p(MakeConfig("0-2"));
  p.SetBlockSize(8);
  p.SetChannelConnections(kOutput, 0, 2, true);
  HostBuffers<float> out(2, 8, 0.7f);
  p.AttachBuffers(kOutput, 0, 2, out.ptrs.data(), 8);
  p.PassThroughBuffers(0.0f, 8);
  for (const auto& channel : out.data)
    for (float s : channel)
      EXPECT_EQ(s, 0.0f);
}

TEST(Processor, PassThroughCopiesInputsWithoutLatency)
{
  TestProcessor p(MakeConfig("2-2"));
  p.SetBlockSize(4);
  p.SetChannelConnections(kInput, 0, 2, true);
  p.SetChannelConnections(kOutput, 0, 2, true);
  HostBuffers<double> in(2, 4, 0.0);
  HostBuffers<double> out(2, 4, 9.0);
  for (int f = 0; f < 4; ++f)
  {
    in.data[0][f] = f + 1;
    in.data[1][f] = -(f + 1);
  }
  p.AttachBuffers(kInput, 0, 2, in.ptrs.data(), 4);
  p.AttachBuffers(kOutput, 0, 2, out.ptrs.data(), 4);
  p.PassThroughBuffers(0.0, 4);
  EXPECT_EQ(out.data, in.data);
}

TEST(Processor, PassThroughDelaysByTheLatencyAcrossBlocks)
{
  TestProcessor p(MakeConfig("1-1", 3));
  p.InitLatencyDelay();
  p.SetBlockSize(2);
  p.SetChannelConnections(kInput, 0, 1, true);
  p.SetChannelConnections(kOutput, 0, 1, true);

  std::vector<float> heard;
  for (int block = 0; block < 4; ++block)
  {
    HostBuffers<float> in(1, 2, 0.0f);
    in.data[0] = {static_cast<float>(2 * block + 1), static_cast<float>(2 * block + 2)};
    HostBuffers<float> out(1, 2, -1.0f);
    p.AttachBuffers(kInput, 0, 1, in.ptrs.data(), 2);
    p.AttachBuffers(kOutput, 0, 1, out.ptrs.data(), 2);
    p.PassThroughBuffers(0.0f, 2);
    heard.insert(heard.end(), out.data[0].begin(), out.data[0].end());
  }
  EXPECT_EQ(heard, (std::vector<float>{0, 0, 0, 1, 2, 3, 4, 5}));

  p.SetLatency(1);
  HostBuffers<float> in(1, 2, 7.0f);
  HostBuffers<float> out(1, 2, -1.0f);
  p.AttachBuffers(kInput, 0, 1, in.ptrs.data(), 2);
  p.AttachBuffers(kOutput, 0, 1, out.ptrs.data(), 2);
  p.PassThroughBuffers(0.0f, 2);
  EXPECT_EQ(out.data[0], (std::vector<float>{0, 7})) << "a new latency starts from an empty line";
}

TEST(Processor, AttachSkipsUnconnectedChannelsAndConvertsBothWays)
{
  Doubler p(MakeConfig("2-2"));
  p.SetBlockSize(3);
  p.SetChannelConnections(kInput, 0, 2, true);
  p.SetChannelConnections(kInput, 0, 1, false);
  p.SetChannelConnections(kOutput, 0, 2, true);
  EXPECT_EQ(p.NChannelsConnected(kInput), 1);

  // One host input buffer only: it belongs to the one connected channel, input 1.
  HostBuffers<float> in(1, 3, 0.25f);
  HostBuffers<float> out(2, 3, 5.0f);
  p.AttachBuffers(kInput, 0, 2, in.ptrs.data(), 3);
  p.AttachBuffers(kOutput, 0, 2, out.ptrs.data(), 3);
  p.ProcessBuffers(0.0f, 3);
  EXPECT_EQ(out.data[0], (std::vector<float>{0, 0, 0})) << "an unconnected input reads its silent scratch";
  EXPECT_EQ(out.data[1], (std::vector<float>{0.5f, 0.5f, 0.5f}));
}

// A block longer than the block size reaches ProcessBlock in pieces that the scratch buffers can
// hold, each at its place in the host's buffers; with no block size at all the outputs are silent.
template <typename Sample>
void CheckLongBlock(int blockSize, const std::vector<int>& pieces)
{
  Doubler p(MakeConfig("2-2"));
  p.SetBlockSize(blockSize);
  p.SetChannelConnections(kInput, 0, 2, true);
  p.SetChannelConnections(kOutput, 0, 2, true);
  constexpr int kFrames = 10;
  HostBuffers<Sample> in(2, kFrames, 0);
  HostBuffers<Sample> out(2, kFrames, 3);
  for (int f = 0; f < kFrames; ++f)
  {
    in.data[0][f] = static_cast<Sample>(f + 1);
    in.data[1][f] = static_cast<Sample>(-100 - f);
  }
  p.AttachBuffers(kInput, 0, 2, in.ptrs.data(), kFrames);
  p.AttachBuffers(kOutput, 0, 2, out.ptrs.data(), kFrames);
  p.ProcessBuffers(Sample(0), kFrames);

  const std::string what = std::to_string(sizeof(Sample) * 8) + "-bit, block size " + std::to_string(blockSize);
  EXPECT_EQ(p.lengths, pieces) << what;
  std::vector<int> starts;
  for (size_t i = 0, at = 0; i < pieces.size(); at += pieces[i++])
    starts.push_back(static_cast<int>(at));
  EXPECT_EQ(p.starts, starts) << what;
  EXPECT_EQ(p.GetPieceStart(), 0) << what;
  for (int c = 0; c < 2; ++c)
    for (int f = 0; f < kFrames; ++f)
      EXPECT_EQ(out.data[c][f], pieces.empty() ? Sample(0) : 2 * in.data[c][f])
        << what << ", channel " << c << " frame " << f;
}

TEST(Processor, BlockLongerThanTheSetUpSizeIsProcessedInPieces)
{
  struct Case
  {
    int blockSize;
    std::vector<int> pieces;
  };
  const Case cases[] = {{4, {4, 4, 2}}, {5, {5, 5}}, {1, std::vector<int>(10, 1)}, {16, {10}}, {0, {}}};
  for (const Case& c : cases)
  {
    CheckLongBlock<float>(c.blockSize, c.pieces);
    CheckLongBlock<double>(c.blockSize, c.pieces);
  }
}

TEST(Processor, PassThroughOfALongBlockKeepsTheLatency)
{
  TestProcessor p(MakeConfig("1-1", 3));
  p.InitLatencyDelay();
  p.SetBlockSize(2);
  p.SetChannelConnections(kInput, 0, 1, true);
  p.SetChannelConnections(kOutput, 0, 1, true);
  HostBuffers<float> in(1, 7, 0.0f);
  in.data[0] = {1, 2, 3, 4, 5, 6, 7};
  HostBuffers<float> out(1, 7, -1.0f);
  p.AttachBuffers(kInput, 0, 1, in.ptrs.data(), 7);
  p.AttachBuffers(kOutput, 0, 1, out.ptrs.data(), 7);
  p.PassThroughBuffers(0.0f, 7);
  EXPECT_EQ(out.data[0], (std::vector<float>{0, 0, 0, 1, 2, 3, 4}));
}

TEST(Processor, ProcessBeforeAnyAttachDoesNotTouchMissingBuffers)
{
  TestProcessor p(MakeConfig("2-2"));
  p.ProcessBuffers(0.0, 16);
  p.SetBlockSize(16);
  p.ProcessBuffers(0.0, 16);
  p.PassThroughBuffers(0.0f, 16);
  SUCCEED();
}

TEST(Processor, IncomingMidiGoesOutOnlyWhenThereIsAMidiOutput)
{
  const IMidiMsg note(3, 0x90, 60, 100);
  TestProcessor withOut(MakeConfig("0-2", 0, true));
  withOut.ProcessMidiMsg(note);
  ASSERT_EQ(withOut.sent.size(), 1u);
  EXPECT_EQ(withOut.sent[0].mData1, 60);

  TestProcessor withoutOut(MakeConfig("0-2", 0, false));
  withoutOut.ProcessMidiMsg(note);
  EXPECT_TRUE(withoutOut.sent.empty());
}

TEST(Processor, ChannelLabelsCountFromOneUnlessZeroBased)
{
  TestProcessor p(MakeConfig("0-2"));
  p.SetChannelLabel(kOutput, 1, "Out %i");
  EXPECT_STREQ(p.GetChannelLabel(kOutput, 1), "Out 2");
  p.SetChannelLabel(kOutput, 1, "Out %i", true);
  EXPECT_STREQ(p.GetChannelLabel(kOutput, 1), "Out 1");
  p.SetChannelLabel(kOutput, 7, "Out %i");
  EXPECT_STREQ(p.GetChannelLabel(kOutput, 7), "");
}
