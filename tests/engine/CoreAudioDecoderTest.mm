// The macOS system decoder behind the own WAV reader: which files reach it, what it asks AudioToolbox
// for, how its frames become the two channels, and that every failure disposes of the file.
#include <gtest/gtest.h>

#include "StandIns/AudioToolbox.h"

#include "engine/SampleFiles.h"
#include "tests/engine/support/TestWavFiles.h"
#include "tools/wav/WavBuilder.h"

#include <sys/stat.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using brimvale::engine::kMaxSampleFrames;
using brimvale::engine::LoadAudioFileWithCoreAudio;
using brimvale::engine::LoadWavFile;
using brimvale::engine::SampleBuffer;
using enginetest::TempFolder;
using wavwriter::WavBuilder;

namespace
{

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class CoreAudioDecoderTest : public ::testing::Test
{
protected:
  void SetUp() override { StandInResetAudioToolbox(); }
  void TearDown() override { StandInResetAudioToolbox(); }

  /** A buffer that a failed load must leave as it is. */
  static SampleBuffer Untouched()
  {
    SampleBuffer b;
    b.left = {0.125f};
    b.right = {-0.125f};
    b.sampleRate = 11025.0;
    b.name = "before";
    return b;
  }

  static void ExpectUntouched(const SampleBuffer& b)
  {
    EXPECT_EQ(b.left, std::vector<float>{0.125f});
    EXPECT_EQ(b.right, std::vector<float>{-0.125f});
    EXPECT_EQ(b.sampleRate, 11025.0);
    EXPECT_EQ(b.name, "before");
  }
};

StandInAudioFile Decoded(UInt32 channels, Float64 rate, std::vector<float> frames)
{
  StandInAudioFile file;
  file.format = StandInPCMFormat(channels, rate);
  file.lengthFrames = static_cast<SInt64>(frames.size() / channels);
  file.frames = std::move(frames);
  return file;
}

struct FallbackCase
{
  const char* fileName;
  std::vector<uint8_t> bytes; // what is on disk: something the own reader refuses
  StandInAudioFile decoded;
  std::vector<float> left;
  std::vector<float> right;
};

TEST_F(CoreAudioDecoderTest, FilesTheOwnReaderRefusesAreDecodedBySystem)
{
  @autoreleasepool
  {
    const FallbackCase cases[] = {
      {"tone.aif",
       {'F', 'O', 'R', 'M', 0, 0, 0, 4, 'A', 'I', 'F', 'F'},
       Decoded(1, 22050.0, {0.5f, -0.25f, 1.5f, -2.0f}),
       {0.5f, -0.25f, 1.0f, -1.0f},
       {0.5f, -0.25f, 1.0f, -1.0f}},
      {"eight.wav",
       WavBuilder().Header().Fmt(1, 1, 8000, 8).Data({0.1, 0.2}).Bytes(),
       Decoded(1, 8000.0, {0.1f, 0.2f}),
       {0.1f, 0.2f},
       {0.1f, 0.2f}},
      {"three.wav",
       WavBuilder().Header().Fmt(1, 3, 48000, 16).Data({0.1, 0.2, 0.3, 0.4, 0.5, 0.6}).Bytes(),
       Decoded(3, 48000.0, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f}),
       {0.1f, 0.4f},
       {0.2f, 0.5f}},
      {"loop.caf",
       {'c', 'a', 'f', 'f', 0, 1, 0, 0},
       Decoded(2, 96000.0, {2.0f, -3.0f, kNaN, 0.25f}),
       {1.0f, 0.0f},
       {-1.0f, 0.25f}},
    };
    TempFolder folder;
    for (const FallbackCase& c : cases)
    {
      SCOPED_TRACE(c.fileName);
      StandInResetAudioToolbox();
      const std::string path = folder.Write(c.fileName, c.bytes);
      StandInRegisterAudioFile(path, c.decoded);

      SampleBuffer out = Untouched();
      ASSERT_TRUE(LoadWavFile(path.c_str(), out, "Starter A"));
      EXPECT_EQ(out.left, c.left);
      EXPECT_EQ(out.right, c.right);
      EXPECT_EQ(out.sampleRate, c.decoded.format.mSampleRate);
      EXPECT_EQ(out.name, c.fileName);
      EXPECT_EQ(StandInAudioToolboxCalls().opens, 1);
      EXPECT_EQ(StandInAudioToolboxCalls().disposes, 1);
      EXPECT_EQ(StandInAudioToolboxCalls().reads, 1);
    }
  }
}

TEST_F(CoreAudioDecoderTest, AWavTheOwnReaderTakesNeverReachesTheSystem)
{
  @autoreleasepool
  {
    TempFolder folder;
    const std::string path = folder.Write("good.wav", enginetest::ConstantWav(44100, 16, 0.25));
    StandInRegisterAudioFile(path, Decoded(1, 44100.0, {0.9f}));
    SampleBuffer out;
    ASSERT_TRUE(LoadWavFile(path.c_str(), out, "Starter A"));
    EXPECT_EQ(out.left.size(), 16u);
    EXPECT_EQ(StandInAudioToolboxCalls().opens, 0);
  }
}

TEST_F(CoreAudioDecoderTest, AsksForInterleavedPackedFloatOfTheFilesChannelsAndRate)
{
  @autoreleasepool
  {
    TempFolder folder;
    const std::string path = folder.Write("three.caf", {'c', 'a', 'f', 'f'});
    StandInRegisterAudioFile(path, Decoded(3, 48000.0, {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f}));
    SampleBuffer out;
    ASSERT_TRUE(LoadAudioFileWithCoreAudio(path, out, "Starter B"));

    const StandInAudioToolboxLog& calls = StandInAudioToolboxCalls();
    ASSERT_TRUE(calls.clientFormatSet);
    const AudioStreamBasicDescription& f = calls.clientFormat;
    EXPECT_EQ(f.mFormatID, static_cast<AudioFormatID>(kAudioFormatLinearPCM));
    EXPECT_EQ(f.mFormatFlags, static_cast<AudioFormatFlags>(kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked));
    EXPECT_EQ(f.mBitsPerChannel, 32u);
    EXPECT_EQ(f.mChannelsPerFrame, 3u);
    EXPECT_EQ(f.mBytesPerFrame, 12u);
    EXPECT_EQ(f.mBytesPerPacket, 12u);
    EXPECT_EQ(f.mFramesPerPacket, 1u);
    EXPECT_EQ(f.mSampleRate, 48000.0);
    EXPECT_EQ(calls.framesRequested, 2u);
    EXPECT_EQ(out.name, "three.caf");
  }
}

struct FailureCase
{
  const char* what;
  void (*spoil)(StandInAudioFile&);
  int opens; // 0 when the file never opened: nothing to dispose then
};

TEST_F(CoreAudioDecoderTest, EveryFailingStepAnswersFalseAndDisposes)
{
  @autoreleasepool
  {
    const FailureCase cases[] = {
      {"open fails", [](StandInAudioFile& f) { f.openError = -43; }, 0},
      {"format unreadable", [](StandInAudioFile& f) { f.formatError = -66561; }, 1},
      {"no channels", [](StandInAudioFile& f) { f.format.mChannelsPerFrame = 0; }, 1},
      {"rate 0", [](StandInAudioFile& f) { f.format.mSampleRate = 0.0; }, 1},
      {"rate NaN", [](StandInAudioFile& f) { f.format.mSampleRate = std::nan(""); }, 1},
      {"length unreadable", [](StandInAudioFile& f) { f.lengthError = -66561; }, 1},
      {"length 0", [](StandInAudioFile& f) { f.lengthFrames = 0; }, 1},
      {"length negative", [](StandInAudioFile& f) { f.lengthFrames = -1; }, 1},
      {"client format refused", [](StandInAudioFile& f) { f.clientFormatError = 0x666D743F; }, 1},
      {"read fails", [](StandInAudioFile& f) { f.readError = -50; }, 1},
      {"read delivers nothing", [](StandInAudioFile& f) { f.frames.clear(); }, 1},
    };
    TempFolder folder;
    const std::string path = folder.Write("bad.m4a", {'f', 't', 'y', 'p'});
    for (const FailureCase& c : cases)
    {
      SCOPED_TRACE(c.what);
      StandInResetAudioToolbox();
      StandInAudioFile file = Decoded(2, 44100.0, {0.5f, 0.5f, 0.25f, 0.25f});
      c.spoil(file);
      StandInRegisterAudioFile(path, file);

      SampleBuffer out = Untouched();
      EXPECT_FALSE(LoadAudioFileWithCoreAudio(path, out, "Starter A"));
      ExpectUntouched(out);
      EXPECT_EQ(StandInAudioToolboxCalls().opens, c.opens);
      EXPECT_EQ(StandInAudioToolboxCalls().disposes, c.opens);
    }
  }
}

TEST_F(CoreAudioDecoderTest, PathsWithoutAFileURLOpenNothing)
{
  @autoreleasepool
  {
    TempFolder folder;
    const std::string cases[] = {
      "",
      folder.Write("\xff\xfe.aif", {'F', 'O', 'R', 'M'}), // not UTF-8: no URL can be made of it
      folder.Write("not-registered.aif", {'F', 'O', 'R', 'M'}),
    };
    for (const std::string& path : cases)
    {
      SCOPED_TRACE(path);
      struct stat info;
      ASSERT_TRUE(path.empty() || stat(path.c_str(), &info) == 0) << "only the URL may refuse a file that is there";
      SampleBuffer out = Untouched();
      EXPECT_FALSE(LoadAudioFileWithCoreAudio(path, out, "Starter A"));
      ExpectUntouched(out);
      EXPECT_EQ(StandInAudioToolboxCalls().opens, 0);
    }
  }
}

// The system opens what it is given by name: a FIFO's open would wait for a writer and a device's
// would run, so whatever is no regular file is refused before, even when the system knows the name.
TEST_F(CoreAudioDecoderTest, WhatIsNoRegularFileIsNeverOpened)
{
  @autoreleasepool
  {
    TempFolder folder;
    const std::string fifo = folder.Path() + "/pipe.aif";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string cases[] = {fifo, "/dev/null", folder.Path(), folder.Path() + "/missing.aif"};
    for (const std::string& path : cases)
    {
      SCOPED_TRACE(path);
      StandInResetAudioToolbox();
      StandInRegisterAudioFile(path, Decoded(1, 44100.0, {0.5f}));
      SampleBuffer out = Untouched();
      EXPECT_FALSE(LoadAudioFileWithCoreAudio(path, out, "Starter A"));
      ExpectUntouched(out);
      EXPECT_EQ(StandInAudioToolboxCalls().opens, 0);
    }
  }
}

// The buffer is made to the length the file declares: past the longest sample, or with more values
// than that sample holds in stereo, the file is refused before any of it is set aside or read.
TEST_F(CoreAudioDecoderTest, DeclaredLengthsPastTheLongestSampleAreRefused)
{
  @autoreleasepool
  {
    struct Declared
    {
      UInt32 channels;
      SInt64 frames;
    };
    const Declared cases[] = {
      {1, static_cast<SInt64>(kMaxSampleFrames) + 1},
      {4, static_cast<SInt64>(kMaxSampleFrames / 2) + 1},
    };
    TempFolder folder;
    const std::string path = folder.Write("long.caf", {'c', 'a', 'f', 'f'});
    for (const Declared& c : cases)
    {
      SCOPED_TRACE(testing::Message() << c.channels << " x " << c.frames);
      StandInResetAudioToolbox();
      StandInAudioFile file = Decoded(c.channels, 48000.0, std::vector<float>(c.channels, 0.5f));
      file.lengthFrames = c.frames;
      StandInRegisterAudioFile(path, file);
      SampleBuffer out = Untouched();
      EXPECT_FALSE(LoadAudioFileWithCoreAudio(path, out, "Starter A"));
      ExpectUntouched(out);
      EXPECT_EQ(StandInAudioToolboxCalls().reads, 0);
      EXPECT_EQ(StandInAudioToolboxCalls().disposes, StandInAudioToolboxCalls().opens);
    }
  }
}

} // namespace
