#include "engine/SampleFiles.h"
#include "tests/engine/support/EngineRender.h"
#include "tools/wav/WavBuilder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using brimvale::engine::BrimvaleEngine;
using brimvale::engine::FileNameFromPath;
using brimvale::engine::LoadWavFile;
using brimvale::engine::NormalizeAudioFilePath;
using namespace enginetest;
using wavwriter::WavBuilder;

namespace
{
TEST(SampleFiles, NormalizeAudioFilePath)
{
  const std::pair<const char*, const char*> cases[] = {
    {"file:///Users/a%20b.wav", "/Users/a b.wav"},
    {"file://localhost/tmp/x.wav", "/tmp/x.wav"},
    {"file://relative/x.wav", "/relative/x.wav"},
    {"file://localhost", "/localhost"},
    {"file://", ""},
    {"C:\\Samples\\pad.wav", "C:\\Samples\\pad.wav"},
    {"/tmp/100%.wav", "/tmp/100%.wav"},
    {"/tmp/%zz.wav", "/tmp/%zz.wav"},
    {"/tmp/a%2", "/tmp/a%2"},
    {"/tmp/%41%62%2F", "/tmp/Ab/"},
    {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NormalizeAudioFilePath(c.first), c.second) << c.first;
  EXPECT_EQ(NormalizeAudioFilePath(nullptr), "");
}

TEST(SampleFiles, FileNameFromPath)
{
  const std::pair<const char*, const char*> cases[] = {
    {"/a/b/c.wav", "c.wav"},
    {"C:\\x\\y.wav", "y.wav"},
    {"a\\b/c", "c"},
    {"dir/", ""},
    {"plain.wav", "plain.wav"},
    {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FileNameFromPath(c.first), c.second) << c.first;
  EXPECT_EQ(FileNameFromPath(nullptr), "");
}

TEST(SampleFiles, LoadsByPathUrlAndNonAsciiName)
{
  TempFolder folder;
  const std::vector<uint8_t> wav = ConstantWav(22050, 100, 0.5);
  struct Case
  {
    std::string file;
    bool asUrl;
  };
  const Case cases[] = {
    {"plain.wav", false},
    {"with space.wav", true},
    {"Kl\xc3\xa4nge \xe2\x80\x93 \xe9\x9f\xb3.wav", false}, // "Klänge – 音.wav"
  };
  for (const Case& c : cases)
  {
    std::string path = folder.Write(c.file, wav);
    if (c.asUrl)
    {
      std::string url = path[0] == '/' ? "file://" : "file:///";
      for (char ch : path)
        url += ch == ' ' ? std::string("%20") : std::string(1, ch == '\\' ? '/' : ch);
      path = url;
    }
    BrimvaleEngine::SampleBuffer out;
    ASSERT_TRUE(LoadWavFile(path.c_str(), out, "Starter A")) << c.file;
    EXPECT_EQ(out.name, c.file);
    EXPECT_EQ(out.left.size(), 100u);
    EXPECT_EQ(out.sampleRate, 22050.0);
  }
}

#ifdef _WIN32
TEST(SampleFiles, LoadsAPathBeyondMaxPathOnWindows)
{
  TempFolder folder;
  std::string dir = folder.Path();
  for (char& ch : dir)
    if (ch == '/')
      ch = '\\';
  dir += "\\" + std::string(180, 'd');
  const std::string path = dir + "\\" + std::string(100, 'f') + " \xc3\xa4.wav";
  ASSERT_GT(path.size(), 260u);

  // Only the long form of a name reaches that far; the test writes the file through it.
  auto longForm = [](const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], static_cast<int>(wide.size()) + 1) - 1));
    return L"\\\\?\\" + wide;
  };
  ASSERT_TRUE(CreateDirectoryW(longForm(dir).c_str(), nullptr));
  const std::vector<uint8_t> wav = ConstantWav(22050, 100, 0.5);
  FILE* file = _wfopen(longForm(path).c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(wav.data(), 1, wav.size(), file);
  std::fclose(file);

  BrimvaleEngine::SampleBuffer out;
  EXPECT_TRUE(LoadWavFile(path.c_str(), out, "Starter A"));
  EXPECT_EQ(out.left.size(), 100u);
  EXPECT_TRUE(DeleteFileW(longForm(path).c_str()));
  EXPECT_TRUE(RemoveDirectoryW(longForm(dir).c_str()));
}
#endif

TEST(SampleFiles, FailedLoadsKeepTheLayer)
{
  TempFolder folder;
  const std::string good = folder.Write("good.wav", ConstantWav(44100, 64, 0.25));
  const std::string eightBit = folder.Write("eight.wav",
                                            WavBuilder().Header().Fmt(1, 1, 44100, 8).Data({0.1, 0.2}).Bytes());
  const std::string text = folder.Write("notes.wav", {'h', 'e', 'l', 'l', 'o'});
  const std::string embeddedNul = folder.Path() + "/good%00.wav";

  auto engine = std::make_unique<BrimvaleEngine>();
  ASSERT_TRUE(engine->LoadSampleA(good.c_str()));
  const char* failing[] = {nullptr,
                           "",
                           eightBit.c_str(),
                           text.c_str(),
                           embeddedNul.c_str(),
                           "/nonexistent/brimvale/missing.wav",
                           folder.Path().c_str()};
  for (const char* path : failing)
  {
    EXPECT_FALSE(engine->LoadSampleA(path)) << (path ? path : "null");
    EXPECT_EQ(engine->GetSampleA().name, "good.wav");
    EXPECT_EQ(engine->GetSampleA().left.size(), 64u);
  }
  EXPECT_TRUE(engine->LoadSampleB(good.c_str()));
  EXPECT_EQ(engine->GetSampleB().name, "good.wav");
}

// Loads on a thread of its own, so that a load that blocks fails the test instead of hanging it;
// unblock then lets the stuck load return.
struct WatchedLoad
{
  bool returned;
  bool loaded;
};

WatchedLoad LoadWithWatchdog(BrimvaleEngine& engine, const std::string& path, const std::function<void()>& unblock)
{
  std::promise<bool> result;
  std::future<bool> done = result.get_future();
  std::thread loader([&] { result.set_value(engine.LoadSampleA(path.c_str())); });
  const bool returned = done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  if (!returned)
    unblock();
  loader.join();
  return {returned, done.get()};
}

// Sample paths come from states: one naming a FIFO, a device or a folder must fail at once,
// never wait for a writer.
TEST(SampleFiles, PathsThatAreNoRegularFileFailAtOnce)
{
  TempFolder folder;
  const std::string good = folder.Write("good.wav", ConstantWav(44100, 64, 0.25));
  struct Case
  {
    std::string path;
    std::function<void()> unblock;
  };
  std::vector<Case> cases = {{folder.Path(), [] {}}};
#ifdef _WIN32
  cases.push_back({"NUL", [] {}});
  cases.push_back({"\\\\.\\NUL", [] {}});
#else
  const std::string fifo = folder.Path() + "/pipe.wav";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // A writer that opens and closes again releases a reader stuck in its open.
  const auto releaseFifo = [fifo] {
    for (int attempt = 0; attempt < 1000; ++attempt)
    {
      const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0)
      {
        close(writer);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  };
  cases.push_back({fifo, releaseFifo});
  cases.push_back({"/dev/null", [] {}});
#endif

  auto engine = std::make_unique<BrimvaleEngine>();
  ASSERT_TRUE(engine->LoadSampleA(good.c_str()));
  for (const Case& c : cases)
  {
    const WatchedLoad load = LoadWithWatchdog(*engine, c.path, c.unblock);
    EXPECT_TRUE(load.returned) << c.path << ": the load blocked";
    EXPECT_FALSE(load.loaded) << c.path;
    EXPECT_EQ(engine->GetSampleA().name, "good.wav") << c.path;
    EXPECT_EQ(engine->GetSampleA().left.size(), 64u) << c.path;
  }
  EXPECT_TRUE(engine->LoadSampleA(good.c_str()));
}
} // namespace
