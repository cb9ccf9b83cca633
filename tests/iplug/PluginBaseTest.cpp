#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "tests/iplug/TestPlug.h"

using namespace iplug;
using iplug::test::MakeTestConfig;
using iplug::test::TestPlug;

namespace
{
/** A plug-in with n doubles 0..10 (step 0.5, default 1) and, last, a stepped int 0..4. */
struct StatePlug : TestPlug
{
  explicit StatePlug(int nParams, int nPresets = 1, bool chunks = false)
  : TestPlug(MakeTestConfig(nParams, nPresets, chunks))
  {
    for (int i = 0; i < nParams - 1; ++i)
      GetParam(i)->InitDouble("D", 1.0, 0.0, 10.0, 0.5);
    GetParam(nParams - 1)->InitInt("I", 0, 0, 4);
  }
};

IByteChunk ChunkOf(const std::vector<double>& values)
{
  IByteChunk chunk;
  for (double v : values)
    chunk.Put(&v);
  return chunk;
}

std::string TempPath(const char* name)
{
  return (std::string(::testing::TempDir()) + "/" + name +
          std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
}

std::string ReadText(const std::string& path)
{
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WriteBytes(const std::string& path, const IByteChunk& chunk)
{
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f)
    return false;
  std::fwrite(chunk.GetData(), 1, static_cast<size_t>(chunk.Size()), f);
  return std::fclose(f) == 0;
}
} // namespace

TEST(ParamChunk, RoundTripsEveryValueInIndexOrder)
{
  StatePlug a(37);
  a.ForParamInRange(0, 35, [](int i, IParam& param) { param.Set(0.5 * (i % 20)); });
  a.ForParamInRange(36, 36, [](int, IParam& param) { param.Set(4.0); });
  IByteChunk chunk;
  ASSERT_TRUE(a.SerializeState(chunk));
  ASSERT_EQ(chunk.Size(), 37 * 8);

  StatePlug b(37);
  EXPECT_EQ(b.UnserializeState(chunk, 0), 296);
  for (int i = 0; i < 37; ++i)
    EXPECT_EQ(b.GetParam(i)->Value(), a.GetParam(i)->Value()) << i;
  EXPECT_EQ(b.events.size(), 74u) << "every parameter hears of the recall twice";
  EXPECT_EQ(b.events.front(), "change 0 2 -1");
}

TEST(ParamChunk, ShortChunkRestoresWhatItHoldsAndStillNotifies)
{
  StatePlug a(37);
  a.GetParam(35)->Set(7.5);
  IByteChunk full;
  a.SerializeParams(full);
  IByteChunk cut;
  cut.PutBytes(full.GetData(), 295);

  StatePlug b(37);
  b.GetParam(36)->Set(2.0);
  EXPECT_EQ(b.UnserializeParams(cut, 0), -1);
  EXPECT_EQ(b.GetParam(35)->Value(), 7.5);
  EXPECT_EQ(b.GetParam(36)->Value(), 2.0);
  EXPECT_EQ(b.events.size(), 74u);
}

TEST(ParamChunk, StoredValuesAreSteppedAndClamped)
{
  struct Case
  {
    int idx;
    double stored, restored;
  };
  const Case cases[] = {
    {0, 2.6, 2.6},
    {0, 99.0, 10.0},
    {0, -3.0, 0.0}, // a double without the stepped flag is not rounded
    {1, 2.6, 3.0},
    {1, -1.0, 0.0},
    {1, 4.5, 4.0},
    {0, std::numeric_limits<double>::quiet_NaN(), 1.0}, // not a number: the parameter keeps its value
    {0, std::numeric_limits<double>::infinity(), 1.0},
  };
  for (const Case& c : cases)
  {
    StatePlug plug(2);
    plug.GetParam(1)->Set(1.0);
    std::vector<double> values = {1.0, 1.0};
    values[static_cast<size_t>(c.idx)] = c.stored;
    EXPECT_EQ(plug.UnserializeParams(ChunkOf(values), 0), 16);
    EXPECT_EQ(plug.GetParam(c.idx)->Value(), c.restored) << c.idx << " " << c.stored;
  }
}

TEST(ParamChunk, NegativeStartOrNoParametersReadsNothing)
{
  StatePlug plug(2);
  EXPECT_EQ(plug.UnserializeParams(ChunkOf({5.0, 3.0}), -1), -1);
  EXPECT_EQ(plug.GetParam(0)->Value(), 1.0);

  TestPlug empty(MakeTestConfig(0));
  EXPECT_EQ(empty.UnserializeParams(ChunkOf({5.0}), 4), 4);
  IByteChunk chunk;
  EXPECT_TRUE(empty.SerializeParams(chunk));
  EXPECT_EQ(chunk.Size(), 0);
}

TEST(ParamDefaults, RangesGroupsAndCopies)
{
  TestPlug plug(MakeTestConfig(4));
  for (int i = 0; i < 4; ++i)
    plug.GetParam(i)->InitInt("P", 1, 0, 10, "", 0, i < 2 ? "A" : "B");
  for (int i = 0; i < 4; ++i)
  {
    IParam* param = plug.GetParam(i);
    ASSERT_NE(param, nullptr);
    param->Set(5.0 + i);
  }
  plug.DefaultParamValues(1, 2);
  EXPECT_EQ(plug.GetParam(0)->Value(), 5.0);
  EXPECT_EQ(plug.GetParam(1)->Value(), 1.0);
  EXPECT_EQ(plug.GetParam(2)->Value(), 1.0);
  EXPECT_EQ(plug.GetParam(3)->Value(), 8.0);

  plug.CopyParamValues("A", "B");
  EXPECT_EQ(plug.GetParam(2)->Value(), 5.0);
  EXPECT_EQ(plug.GetParam(3)->Value(), 1.0);

  plug.DefaultParamValues("A");
  EXPECT_EQ(plug.GetParam(0)->Value(), 1.0);

  plug.RandomiseParamValues();
  for (int i = 0; i < 4; ++i)
  {
    const double v = plug.GetParam(i)->Value();
    EXPECT_GE(v, 0.0);
    EXPECT_LE(v, 10.0);
    EXPECT_EQ(v, std::round(v)) << "random values are stepped";
  }

  plug.InitParamRange(0, 1, 1, "Band %i", 0.5, 0.0, 1.0, 0.01);
  EXPECT_STREQ(plug.GetParam(0)->GetName(), "Band 1");
  EXPECT_STREQ(plug.GetParam(1)->GetName(), "Band 2");
  plug.CloneParamRange(0, 1, 2, "Band", "Copy", "C");
  EXPECT_STREQ(plug.GetParam(3)->GetName(), "Copy 2");
  EXPECT_STREQ(plug.GetParam(3)->GetGroup(), "C");
}

TEST(Presets, RestoringAnUninitialisedPresetStoresTheCurrentState)
{
  StatePlug plug(2);
  plug.GetParam(0)->Set(4.0);
  EXPECT_TRUE(plug.RestorePreset(0));
  EXPECT_STREQ(plug.GetPresetName(0), "user preset 1");
  EXPECT_EQ(plug.events.back(), "restore");

  plug.GetParam(0)->Set(9.0);
  EXPECT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(plug.GetParam(0)->Value(), 4.0) << "the second time it recalls what it stored";
}

TEST(Presets, UserPresetNumbersCountThoseBefore)
{
  StatePlug plug(1, 3);
  EXPECT_TRUE(plug.RestorePreset(0));
  EXPECT_TRUE(plug.RestorePreset(2));
  EXPECT_STREQ(plug.GetPresetName(2), "user preset 2");
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 2);
  EXPECT_TRUE(plug.RestorePreset("user preset 1"));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 0);
}

TEST(Presets, FailedRestoresLeaveTheCurrentIndex)
{
  StatePlug plug(1, 2);
  ASSERT_TRUE(plug.RestorePreset(1));
  for (int idx : {-1, 2, 100})
    EXPECT_FALSE(plug.RestorePreset(idx));
  EXPECT_FALSE(plug.RestorePreset(""));
  EXPECT_FALSE(plug.RestorePreset(static_cast<const char*>(nullptr)));
  EXPECT_FALSE(plug.RestorePreset("no such preset"));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 1);
  EXPECT_STREQ(plug.GetPresetName(5), "");
}

TEST(Presets, MadeFromValuesNamedParamsChunksAndBlobs)
{
  StatePlug plug(3, 4);
  plug.MakePreset("Values", 2.5, 7.0, 3);
  plug.GetParam(1)->Set(0.5);
  plug.MakePresetFromNamedParams("Named", 1, 0, 6.0);
  IByteChunk chunk = ChunkOf({1.5, 2.0, 1.0});
  plug.MakePresetFromChunk("Chunk", chunk);
  plug.MakePresetFromBlob("Blob", "AAAAAAAAEEAAAAAAAAAIQAAAAAAAAABA", 24); // 4.0, 3.0, 2.0

  const struct
  {
    int idx;
    std::vector<double> values;
  } expected[] = {{0, {2.5, 7.0, 3.0}}, {1, {6.0, 0.5, 0.0}}, {2, {1.5, 2.0, 1.0}}, {3, {4.0, 3.0, 2.0}}};
  for (const auto& e : expected)
  {
    ASSERT_TRUE(plug.RestorePreset(e.idx)) << e.idx;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(plug.GetParam(i)->Value(), e.values[static_cast<size_t>(i)]) << e.idx << ":" << i;
  }
  EXPECT_STREQ(plug.GetPresetName(3), "Blob");

  plug.MakePreset("No room", 1.0, 1.0, 1);
  EXPECT_STREQ(plug.GetPresetName(0), "Values");
}

TEST(Presets, DumpsRecreateTheCurrentPreset)
{
  StatePlug plug(2, 2);
  plug.MakePreset("Warm", 2.5, 3);
  ASSERT_TRUE(plug.RestorePreset(0));
  const std::string path = TempPath("dump.txt");
  std::remove(path.c_str());
  ASSERT_TRUE(plug.DumpMakePresetSrc(path.c_str()));
  const char* names[] = {"kGain", "kMode"};
  ASSERT_TRUE(plug.DumpMakePresetFromNamedParamsSrc(path.c_str(), names));
  ASSERT_TRUE(plug.DumpPresetBlob(path.c_str()));
  EXPECT_EQ(ReadText(path), "MakePreset(\"Warm\", 2.500000, 3);\n"
                            "MakePresetFromNamedParams(\"Warm\", 2, kGain, 2.500000, kMode, 3.000000);\n"
                            "MakePresetFromBlob(\"Warm\", \"AAAAAAAABEAAAAAAAAAIQA==\", 16);\n");
  std::remove(path.c_str());

  // The blob reads back into the same values.
  plug.MakePresetFromBlob("Again", "AAAAAAAABEAAAAAAAAAIQA==", 16);
  plug.GetParam(0)->Set(0.0);
  ASSERT_TRUE(plug.RestorePreset(1));
  EXPECT_EQ(plug.GetParam(0)->Value(), 2.5);
}

TEST(PresetList, RoundTripsNamesFlagsAndStates)
{
  StatePlug a(2, 3);
  a.MakePreset("First", 2.0, 1);
  a.MakePreset("Second", 3.0, 2);
  IByteChunk chunk;
  ASSERT_TRUE(a.SerializePresets(chunk));

  StatePlug b(2, 3);
  EXPECT_EQ(b.UnserializePresets(chunk, 0), chunk.Size());
  EXPECT_STREQ(b.GetPresetName(0), "First");
  EXPECT_STREQ(b.GetPresetName(1), "Second");
  ASSERT_TRUE(b.RestorePreset(1));
  EXPECT_EQ(b.GetParam(0)->Value(), 3.0);
  EXPECT_EQ(b.GetParam(1)->Value(), 2.0);
}

TEST(PresetList, EmptyNameLengthGivesAnEmptyName)
{
  StatePlug plug(1, 1);
  IByteChunk chunk;
  const int32_t zero = 0;
  const bool initialized = false;
  chunk.Put(&zero);
  chunk.Put(&initialized);
  EXPECT_EQ(plug.UnserializePresets(chunk, 0), 5);
  EXPECT_STREQ(plug.GetPresetName(0), "user preset 1") << "restored afterwards, an uninitialised preset is named";

  StatePlug two(1, 2);
  IByteChunk chunk2;
  chunk2.Put(&zero);
  const bool yes = true;
  chunk2.Put(&yes);
  const double value = 2.0;
  chunk2.Put(&value);
  chunk2.PutStr("Second");
  chunk2.Put(&initialized);
  EXPECT_EQ(two.UnserializePresets(chunk2, 0), chunk2.Size());
  EXPECT_STREQ(two.GetPresetName(0), "");
}

TEST(PresetList, TruncatedListsEndWithMinusOne)
{
  StatePlug a(2, 2);
  a.MakePreset("First", 2.0, 1);
  a.MakePreset("Second", 3.0, 2);
  IByteChunk full;
  a.SerializePresets(full);
  for (int size = 0; size < full.Size(); ++size)
  {
    IByteChunk cut;
    cut.PutBytes(full.GetData(), size);
    StatePlug b(2, 2);
    EXPECT_EQ(b.UnserializePresets(cut, 0), -1) << size;
  }
}

TEST(PresetFiles, PresetRoundTripsInBothForms)
{
  for (bool chunks : {false, true})
  {
    StatePlug a(3, 1, chunks);
    a.MakePreset("Bright", 2.5, 7.5, 3);
    ASSERT_TRUE(a.RestorePreset(0));
    const std::string path = TempPath(chunks ? "chunk.fxp" : "params.fxp");
    ASSERT_TRUE(a.SavePresetAsFXP(path.c_str()));

    StatePlug b(3, 1, chunks);
    ASSERT_TRUE(b.LoadPresetFromFXP(path.c_str())) << chunks;
    EXPECT_EQ(b.GetParam(0)->Value(), 2.5);
    EXPECT_EQ(b.GetParam(1)->Value(), 7.5);
    EXPECT_EQ(b.GetParam(2)->Value(), 3.0);
    EXPECT_STREQ(b.GetPresetName(0), "Bright") << "the file's name goes with its state";
    std::remove(path.c_str());
  }
}

TEST(PresetFiles, BankRoundTripsInBothForms)
{
  for (bool chunks : {false, true})
  {
    StatePlug a(2, 2, chunks);
    a.MakePreset("One", 1.5, 1);
    a.MakePreset("Two", 8.0, 4);
    const std::string path = TempPath(chunks ? "chunk.fxb" : "params.fxb");
    ASSERT_TRUE(a.SaveBankAsFXB(path.c_str()));

    StatePlug b(2, 2, chunks);
    ASSERT_TRUE(b.LoadBankFromFXB(path.c_str())) << chunks;
    EXPECT_STREQ(b.GetPresetName(1), "Two");
    ASSERT_TRUE(b.RestorePreset(1));
    // The parameter form keeps normalised 32-bit floats.
    EXPECT_NEAR(b.GetParam(0)->Value(), 8.0, 1e-5);
    EXPECT_EQ(b.GetParam(1)->Value(), 4.0);
    std::remove(path.c_str());
  }
}

TEST(PresetFiles, ReadersRefuseForeignOrDamagedFiles)
{
  StatePlug a(2, 1, true);
  const std::string good = TempPath("good.fxp");
  ASSERT_TRUE(a.SavePresetAsFXP(good.c_str()));
  IByteChunk bytes;
  {
    FILE* f = std::fopen(good.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buffer[512];
    const size_t n = std::fread(buffer, 1, sizeof(buffer), f);
    std::fclose(f);
    bytes.PutBytes(buffer, static_cast<int>(n));
  }

  struct Case
  {
    const char* what;
    int offset; // byte to damage, or -1 to cut the file to `size` bytes
    int size;
  };
  const Case cases[] = {
    {"file magic", 0, 0},    {"format version", 15, 0}, {"unique id", 19, 0},
    {"chunk prefix", 60, 0}, {"cut header", -1, 40},    {"cut chunk", -1, 70},
  };
  for (const Case& c : cases)
  {
    IByteChunk damaged;
    if (c.offset >= 0)
    {
      damaged.PutBytes(bytes.GetData(), bytes.Size());
      damaged.GetData()[c.offset] ^= 0x5A;
    }
    else
    {
      damaged.PutBytes(bytes.GetData(), c.size);
    }
    const std::string path = TempPath("damaged.fxp");
    ASSERT_TRUE(WriteBytes(path, damaged));
    StatePlug b(2, 1, true);
    EXPECT_FALSE(b.LoadPresetFromFXP(path.c_str())) << c.what;
    EXPECT_FALSE(b.LoadBankFromFXB(path.c_str())) << c.what;
    std::remove(path.c_str());
  }

  StatePlug b(2, 1, true);
  EXPECT_FALSE(b.LoadPresetFromFXP(TempPath("missing.fxp").c_str()));
  EXPECT_FALSE(b.LoadBankFromFXB(nullptr));
  std::remove(good.c_str());
}
