// The plug-in's own chunk: what it writes, and what each kind of damaged chunk changes.
#include "tests/plugin/ObservedBrimvale.h"

#include "tests/host/TestSignal.h"
#include "tools/wav/WavFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using iplug::IByteChunk;

namespace
{

std::string TestWav(const char* name)
{
  const auto path = std::filesystem::temp_directory_path() / "brimvale-plugin-tests" / name;
  std::filesystem::create_directories(path.parent_path());
  EXPECT_TRUE(
    wavwriter::WriteWav(path.string(), testhost::MakeTestSignal(44100, 0.25), 44100, wavwriter::EWavFormat::kFloat32));
  return path.string();
}

void PutPath(IByteChunk& chunk, const std::string& path)
{
  const auto length = static_cast<uint32_t>(path.size());
  chunk.Put(&length);
  chunk.PutBytes(path.data(), static_cast<int>(length));
}

IByteChunk Header(uint32_t magic, uint32_t version)
{
  IByteChunk chunk;
  chunk.Put(&magic);
  chunk.Put(&version);
  return chunk;
}

void PutValues(IByteChunk& chunk, double value, int count)
{
  for (int i = 0; i < count; ++i)
    chunk.Put(&value);
}

} // namespace

TEST(BrimvaleStateChunk, AFreshInstanceWrites312Bytes)
{
  auto plug = MakeObserved();
  IByteChunk chunk;
  ASSERT_TRUE(plug->SerializeState(chunk));
  EXPECT_EQ(chunk.Size(), 312);
  EXPECT_EQ(plug->UnserializeState(chunk, 0), 312);
}

TEST(BrimvaleStateChunk, ABareParameterChunkRestoresValuesAndKeepsTheSamples)
{
  const std::string wav = TestWav("a.wav");
  auto plug = MakeObserved();
  IByteChunk withPath = Header(Brimvale::kStateMagic, 1);
  PutPath(withPath, wav);
  PutPath(withPath, "");
  PutValues(withPath, 0.5, kNumParams);
  ASSERT_GT(plug->UnserializeState(withPath, 0), 0);
  ASSERT_EQ(plug->GetSampleAPath(), wav);

  // Any other first word is the start of the values, read from the same position.
  IByteChunk bare;
  const uint32_t prefix = 0xDEADBEEF;
  bare.Put(&prefix);
  PutValues(bare, 0.25, kNumParams);
  EXPECT_EQ(plug->UnserializeState(bare, 4), 4 + kNumParams * 8);
  EXPECT_DOUBLE_EQ(plug->GetParam(kBlend)->Value(), 0.25);
  EXPECT_EQ(plug->GetSampleAPath(), wav);
}

TEST(BrimvaleStateChunk, DamagedChunksChangeNothing)
{
  const std::string wav = TestWav("b.wav");
  IByteChunk wrongVersion = Header(Brimvale::kStateMagic, 2);
  PutPath(wrongVersion, "");
  PutPath(wrongVersion, "");
  PutValues(wrongVersion, 0.1, kNumParams);

  IByteChunk pathAPastEnd = Header(Brimvale::kStateMagic, 1);
  const uint32_t tooLong = 1000;
  pathAPastEnd.Put(&tooLong);

  IByteChunk pathBPastEnd = Header(Brimvale::kStateMagic, 1);
  PutPath(pathBPastEnd, wav);
  pathBPastEnd.Put(&tooLong);

  IByteChunk noLengthB = Header(Brimvale::kStateMagic, 1);
  PutPath(noLengthB, wav);

  IByteChunk valuesCut = Header(Brimvale::kStateMagic, 1);
  PutPath(valuesCut, wav);
  PutPath(valuesCut, wav);
  PutValues(valuesCut, 0.1, kNumParams - 1);

  const struct
  {
    const char* name;
    const IByteChunk* chunk;
  } cases[] = {
    {"wrong version", &wrongVersion},    {"path A past the end", &pathAPastEnd}, {"path B past the end", &pathBPastEnd},
    {"no length of path B", &noLengthB}, {"values cut short", &valuesCut},
  };
  for (const auto& c : cases)
  {
    auto plug = MakeObserved();
    EXPECT_EQ(plug->UnserializeState(*c.chunk, 0), -1) << c.name;
    EXPECT_EQ(plug->GetSampleAPath(), "") << c.name;
    EXPECT_EQ(plug->GetSampleBPath(), "") << c.name;
    EXPECT_DOUBLE_EQ(plug->GetParam(kMaster)->Value(), 0.85) << c.name;
  }
  auto plug = MakeObserved();
  EXPECT_EQ(plug->UnserializeState(wrongVersion, -1), -1);
}

TEST(BrimvaleStateChunk, InitClearsSamplesAndReturnsEveryParameterToItsDefault)
{
  const std::string wav = TestWav("c.wav");
  auto plug = MakeObserved();
  IByteChunk chunk = Header(Brimvale::kStateMagic, 1);
  PutPath(chunk, wav);
  PutPath(chunk, wav);
  PutValues(chunk, 0.0, kNumParams);
  ASSERT_GT(plug->UnserializeState(chunk, 0), 0);
  ASSERT_EQ(plug->GetSampleBPath(), wav);
  plug->Forget();

  plug->ResetToInitState();
  EXPECT_EQ(plug->GetSampleAPath(), "");
  EXPECT_EQ(plug->GetSampleBPath(), "");
  ASSERT_EQ(plug->parameterSends.size(), static_cast<size_t>(kNumParams));
  for (int i = 0; i < kNumParams; ++i)
  {
    const iplug::IParam& p = *plug->GetParam(i);
    EXPECT_DOUBLE_EQ(p.Value(), p.GetDefault()) << i;
    EXPECT_EQ(plug->parameterSends[i].first, i);
    EXPECT_DOUBLE_EQ(plug->parameterSends[i].second, p.ToNormalized(p.GetDefault())) << i;
  }
}
