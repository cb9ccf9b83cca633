// Saving and restoring an instance through the host's streams, including streams that are short,
// long, malformed or failing.
#include "tests/host/BrimvaleModuleFixture.h"
#include "tools/host/Render.h"

#include "public.sdk/source/common/memorystream.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace testhost;
using namespace Steinberg;
using namespace Steinberg::Vst;

using StateTest = BrimvaleModuleTest;

namespace
{

// A stream over fixed bytes that can fail its writes or reads after a number of bytes, and
// remembers every seek it was asked for.
class ScriptedStream : public IBStream
{
public:
  explicit ScriptedStream(std::vector<char> bytes = {}) : mBytes(std::move(bytes)) { FUNKNOWN_CTOR }
  virtual ~ScriptedStream(){FUNKNOWN_DTOR}

  int64 failWritesAfter = -1; // bytes accepted before writes fail; -1 never
  int64 failReadsAfter = -1;
  std::vector<int64> seeks;

  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override
  {
    int64 n = std::min<int64>(numBytes, static_cast<int64>(mBytes.size()) - mPos);
    if (failReadsAfter >= 0 && mPos + n > failReadsAfter)
    {
      if (numBytesRead)
        *numBytesRead = 0;
      return kResultFalse;
    }
    n = std::max<int64>(n, 0);
    std::memcpy(buffer, mBytes.data() + mPos, static_cast<size_t>(n));
    mPos += n;
    if (numBytesRead)
      *numBytesRead = static_cast<int32>(n);
    return kResultOk;
  }
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override
  {
    int64 n = numBytes;
    if (failWritesAfter >= 0)
      n = std::max<int64>(0, std::min<int64>(n, failWritesAfter - static_cast<int64>(mBytes.size())));
    mBytes.insert(mBytes.end(), static_cast<char*>(buffer), static_cast<char*>(buffer) + n);
    if (numBytesWritten)
      *numBytesWritten = static_cast<int32>(n);
    return n == numBytes ? kResultOk : kResultFalse;
  }
  tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override
  {
    seeks.push_back(pos);
    if (mode != kIBSeekSet || pos < 0 || pos > static_cast<int64>(mBytes.size()))
      return kInvalidArgument;
    mPos = pos;
    if (result)
      *result = mPos;
    return kResultOk;
  }
  tresult PLUGIN_API tell(int64* pos) override
  {
    if (pos)
      *pos = mPos;
    return kResultOk;
  }
  const std::vector<char>& Bytes() const { return mBytes; }

  DECLARE_FUNKNOWN_METHODS

private:
  std::vector<char> mBytes;
  int64 mPos = 0;
};

IMPLEMENT_FUNKNOWN_METHODS(ScriptedStream, IBStream, IBStream::iid)

template <typename T>
void PutAt(std::vector<char>& bytes, size_t at, T value)
{
  std::memcpy(bytes.data() + at, &value, sizeof(T));
}

// The number of samples in which two renders differ (every sample when their shapes differ).
size_t Differences(const Channels& a, const Channels& b)
{
  if (a.size() != b.size())
    return static_cast<size_t>(-1);
  size_t n = 0;
  for (size_t c = 0; c < a.size(); ++c)
  {
    if (a[c].size() != b[c].size())
      return static_cast<size_t>(-1);
    for (size_t i = 0; i < a[c].size(); ++i)
      n += a[c][i] != b[c][i];
  }
  return n;
}

} // namespace

TEST_F(StateTest, AFreshInstanceSavesHeaderParametersAndBypass)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  std::vector<char> bytes;
  ASSERT_TRUE(instance->GetState(bytes));
  ASSERT_EQ(bytes.size(), 312u + 4u);
  uint32_t header[4] = {};
  std::memcpy(header, bytes.data(), sizeof(header));
  EXPECT_EQ(header[0], 0x42565331u);
  EXPECT_EQ(header[1], 1u);
  EXPECT_EQ(header[2], 0u);
  EXPECT_EQ(header[3], 0u);
  auto state = BrimvaleState::Parse(bytes);
  ASSERT_TRUE(state);
  ASSERT_EQ(state->params.size(), 37u);
  const struct
  {
    int idx;
    double value;
  } defaults[] = {{0, 1.0},   {1, 0.75}, {4, 1.0},   {16, 0.5}, {18, 6200.0},
                  {24, 0.08}, {27, 1.0}, {34, 0.85}, {36, 1.12}};
  for (const auto& d : defaults)
    EXPECT_DOUBLE_EQ(state->params[d.idx], d.value) << d.idx;
  EXPECT_EQ(state->bypass, 0);
}

TEST_F(StateTest, RoundTripBetweenTwoInstancesKeepsPathsAndValues)
{
  const std::string wavA = WriteTestWav("a.wav");
  const std::string wavB = WriteTestWav("b.wav", 0.5);
  auto source = MakeInstance();
  auto target = MakeInstance();
  ASSERT_TRUE(source && target);
  source->Controller().setParamNormalized(34, 0.3);
  source->Controller().setParamNormalized(26, 1.0);
  BrimvaleState s = StateOf(*source);
  s.pathA = wavA;
  s.pathB = wavB;
  ASSERT_EQ(source->SetState(s.Bytes()), kResultOk);

  std::vector<char> saved;
  ASSERT_TRUE(source->GetState(saved));
  ASSERT_EQ(target->SetState(saved), kResultOk);
  std::vector<char> again;
  ASSERT_TRUE(target->GetState(again));
  EXPECT_EQ(again, saved);
  auto restored = BrimvaleState::Parse(again);
  ASSERT_TRUE(restored);
  EXPECT_EQ(restored->pathA, wavA);
  EXPECT_EQ(restored->pathB, wavB);
  EXPECT_NEAR(restored->params[34], 0.45, 1e-12);
  EXPECT_DOUBLE_EQ(restored->params[26], 6.0);
  // The host-side values follow the restored ones.
  EXPECT_NEAR(target->Controller().getParamNormalized(34), 0.3, 1e-12);
  EXPECT_DOUBLE_EQ(target->Controller().getParamNormalized(26), 1.0);
}

// An instance restored from another's saved state sounds the same as the other, sample for sample;
// and the state matters: a fresh instance with the same samples sounds different.
TEST_F(StateTest, AnInstanceRestoredFromAnothersStateSoundsTheSame)
{
  const std::string wavA = WriteTestWav("a.wav");
  const std::string wavB = WriteToneWav("b.wav", 330.0, 12001, 0.5f);
  auto source = MakeInstance();
  auto copy = MakeInstance();
  auto fresh = MakeInstance();
  ASSERT_TRUE(source && copy && fresh);
  BrimvaleState s = StateOf(*source);
  const struct
  {
    int idx;
    double value;
  } changed[] = {{3, 0.4},  {4, 1.5},  {9, 0.6},  {10, -40.0}, {15, 1.0}, {16, 0.65}, {18, 2400.0}, {19, 3.0},
                 {23, 2.0}, {24, 2.5}, {26, 6.0}, {27, 0.0},   {17, 0.8}, {32, 0.3},  {35, 3.0},    {36, 0.5}};
  for (const auto& c : changed)
    s.params[c.idx] = c.value;
  s.pathA = wavA;
  s.pathB = wavB;
  ASSERT_EQ(source->SetState(s.Bytes()), kResultOk);
  std::vector<char> saved;
  ASSERT_TRUE(source->GetState(saved));
  ASSERT_EQ(BrimvaleState::Parse(saved)->pathB, wavB);
  ASSERT_EQ(copy->SetState(saved), kResultOk);
  BrimvaleState samplesOnly = StateOf(*fresh);
  samplesOnly.pathA = wavA;
  samplesOnly.pathB = wavB;
  ASSERT_EQ(fresh->SetState(samplesOnly.Bytes()), kResultOk);

  Channels heard[3];
  HostedInstance* instances[3] = {source.get(), copy.get(), fresh.get()};
  for (int i = 0; i < 3; ++i)
  {
    ASSERT_TRUE(instances[i]->Start(48000.0, 512));
    ASSERT_TRUE(Render(*instances[i], 2 * 48000, 512, {}, heard[i]));
    ASSERT_EQ(heard[i].size(), 2u);
  }
  float peak = 0.0f;
  for (float v : heard[0][0])
    peak = std::max(peak, std::fabs(v));
  EXPECT_GT(peak, 1e-2f);
  EXPECT_EQ(Differences(heard[1], heard[0]), 0u);
  EXPECT_GT(Differences(heard[2], heard[0]), heard[0][0].size());
}

TEST_F(StateTest, SamplePathsWithNonAsciiCharactersLoadPlayAndRoundTrip)
{
  const std::string wavA = WriteTestWav("Kl\xC3\xA4nge \xE2\x98\x82 A.wav");
  const std::string wavB = WriteTestWav("\xE6\xB0\xB4\xE3\x81\xAE\xE9\x9F\xB3 B.wav", 0.5);
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState s = StateOf(*instance);
  s.pathA = wavA;
  s.pathB = wavB;
  ASSERT_EQ(instance->SetState(s.Bytes()), kResultOk);
  const BrimvaleState restored = StateOf(*instance);
  EXPECT_EQ(restored.pathA, wavA); // a path that failed to load would have been cleared
  EXPECT_EQ(restored.pathB, wavB);

  ASSERT_TRUE(instance->Start(48000.0, 512));
  Channels out;
  ASSERT_TRUE(Render(*instance, 48000, 512, {}, out));
  float peak = 0.0f;
  for (const auto& channel : out)
    for (float sample : channel)
      peak = std::max(peak, std::fabs(sample));
  EXPECT_GT(peak, 1e-4f);
}

TEST_F(StateTest, AMissingSampleFileClearsItsPathAndRestoresTheRest)
{
  const std::string wavB = WriteTestWav("b.wav");
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState s = StateOf(*instance);
  s.pathA = TempPath("no-such-file.wav");
  s.pathB = wavB;
  s.params[16] = 0.25;
  ASSERT_EQ(instance->SetState(s.Bytes()), kResultOk);
  auto restored = StateOf(*instance);
  EXPECT_EQ(restored.pathA, "");
  EXPECT_EQ(restored.pathB, wavB);
  EXPECT_DOUBLE_EQ(restored.params[16], 0.25);
}

TEST_F(StateTest, APathWithAnEmbeddedNulRestoresAsTheTextBeforeIt)
{
  const std::string wav = WriteTestWav("a.wav");
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState s = StateOf(*instance);
  s.pathA = wav + std::string(1, '\0') + "tail";
  ASSERT_EQ(instance->SetState(s.Bytes()), kResultOk);
  EXPECT_EQ(StateOf(*instance).pathA, wav);
}

TEST_F(StateTest, BadStreamsAreRefusedAndLeaveAWorkingInstance)
{
  const std::string wav = WriteTestWav("a.wav");
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState good = StateOf(*instance);
  good.pathA = wav;
  good.params[34] = 0.5;
  ASSERT_EQ(instance->SetState(good.Bytes()), kResultOk);
  const std::vector<char> before = good.Bytes();

  std::vector<char> wrongVersion = before;
  PutAt<uint32_t>(wrongVersion, 4, 2);
  std::vector<char> hugeLength = before;
  PutAt<uint32_t>(hugeLength, 8, 0xFFFFFFF0u);
  BrimvaleState longB = good;
  longB.pathB = "x";
  std::vector<char> pathBPastEnd = longB.Bytes();
  PutAt<uint32_t>(pathBPastEnd, 12 + wav.size(), 100000u);
  std::vector<char> valuesCut(before.begin(), before.begin() + static_cast<long>(16 + wav.size() + 8 * 20));
  const struct
  {
    const char* name;
    std::vector<char> bytes;
  } cases[] = {
    {"empty", {}},
    {"three bytes", {'B', 'V', 'S'}},
    {"magic only", std::vector<char>(before.begin(), before.begin() + 4)},
    {"wrong version", wrongVersion},
    {"path length past the end", hugeLength},
    {"path B past the end", pathBPastEnd},
    {"values cut short", valuesCut},
  };
  for (const auto& c : cases)
  {
    EXPECT_EQ(instance->SetState(c.bytes), kResultFalse) << c.name;
    // Nothing of the earlier state was lost, and the host-side values agree with it.
    auto now = StateOf(*instance);
    EXPECT_EQ(now.pathA, wav) << c.name;
    EXPECT_DOUBLE_EQ(now.params[34], 0.5) << c.name;
    EXPECT_NEAR(instance->Controller().getParamNormalized(34), 0.5 / 1.5, 1e-12) << c.name;
  }
  ASSERT_TRUE(instance->Start(48000.0, 256));
  EXPECT_EQ(instance->Process(256), kResultOk);
}

TEST_F(StateTest, AStateWithoutItsBypassFlagRestoresValuesButReportsFailure)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState s = StateOf(*instance);
  s.params[34] = 1.2;
  std::vector<char> bytes = s.Bytes();
  bytes.resize(bytes.size() - 4);
  EXPECT_EQ(instance->SetState(bytes), kResultFalse);
  EXPECT_DOUBLE_EQ(StateOf(*instance).params[34], 1.2);
  EXPECT_NEAR(instance->Controller().getParamNormalized(34), 0.8, 1e-12);
}

TEST_F(StateTest, GarbageWithoutTheMagicIsReadAsClampedParameterValues)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  std::vector<char> garbage(37 * 8 + 4);
  for (size_t i = 0; i < garbage.size(); ++i)
    garbage[i] = static_cast<char>((i * 131 + 7) % 251);
  PutAt<double>(garbage, 34 * 8, std::nan(""));
  PutAt<double>(garbage, 18 * 8, 1e300);
  EXPECT_EQ(instance->SetState(garbage), kResultOk);
  auto state = StateOf(*instance);
  EXPECT_DOUBLE_EQ(state.params[34], 0.85); // not a number: left as it was
  EXPECT_DOUBLE_EQ(state.params[18], 20000.0);
  for (double v : state.params)
    EXPECT_TRUE(std::isfinite(v));
}

TEST_F(StateTest, AFailedReadIsNeverSoughtTo)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  BrimvaleState s = StateOf(*instance);
  std::vector<char> bytes = s.Bytes();
  PutAt<uint32_t>(bytes, 4, 9); // an unknown version
  auto stream = owned(new ScriptedStream(bytes));
  EXPECT_EQ(instance->Component().setState(stream), kResultFalse);
  int64 readTo = 0;
  stream->tell(&readTo);
  EXPECT_EQ(readTo, static_cast<int64>(bytes.size())) << "the whole stream was read";
  EXPECT_TRUE(stream->seeks.empty()) << "sought to " << (stream->seeks.empty() ? 0 : stream->seeks[0]);

  auto good = owned(new ScriptedStream(s.Bytes()));
  EXPECT_EQ(instance->Component().setState(good), kResultOk);
  ASSERT_EQ(good->seeks.size(), 1u);
  EXPECT_EQ(good->seeks[0], 312);
}

TEST_F(StateTest, AStreamThatFailsMidwayIsRefused)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  auto reading = owned(new ScriptedStream(StateOf(*instance).Bytes()));
  reading->failReadsAfter = 100;
  EXPECT_EQ(instance->Component().setState(reading), kResultFalse);
  EXPECT_EQ(instance->Component().setState(nullptr), kResultFalse);

  for (int64 limit : {int64(0), int64(10), int64(312)})
  {
    auto writing = owned(new ScriptedStream());
    writing->failWritesAfter = limit;
    EXPECT_EQ(instance->Component().getState(writing), kResultFalse) << limit;
  }
  EXPECT_EQ(instance->Component().getState(nullptr), kResultFalse);
}
