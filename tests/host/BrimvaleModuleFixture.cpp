#include "tests/host/BrimvaleModuleFixture.h"

#include "tests/host/TestSignal.h"
#include "tools/wav/WavFile.h"
#include "utility/MathConstants.h"

#include <cmath>
#include <filesystem>

namespace testhost
{

using wavwriter::EWavFormat;
using wavwriter::WriteWav;

std::shared_ptr<LoadedModule> BrimvaleModuleTest::sModule;
VST3::UID BrimvaleModuleTest::sClassId;

void BrimvaleModuleTest::SetUpTestSuite()
{
  if (sModule)
    return;
  std::string error;
  sModule = LoadedModule::Load(BRIMVALE_BUNDLE_PATH, error);
  ASSERT_TRUE(sModule) << BRIMVALE_BUNDLE_PATH << ": " << error;
  auto classes = sModule->AudioClasses();
  ASSERT_EQ(classes.size(), 1u);
  sClassId = classes.front().ID();
}

void BrimvaleModuleTest::TearDownTestSuite()
{}

std::unique_ptr<HostedInstance> BrimvaleModuleTest::MakeInstance()
{
  std::string error;
  auto instance = HostedInstance::Create(sModule, sClassId, &mHost, error);
  EXPECT_TRUE(instance) << error;
  return instance;
}

BrimvaleState BrimvaleModuleTest::StateOf(HostedInstance& instance)
{
  std::vector<char> bytes;
  EXPECT_TRUE(instance.GetState(bytes));
  auto state = BrimvaleState::Parse(bytes);
  EXPECT_TRUE(state.has_value()) << "state of " << bytes.size() << " bytes";
  return state.value_or(BrimvaleState());
}

std::string BrimvaleModuleTest::TempPath(const std::string& name) const
{
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  auto dir = std::filesystem::temp_directory_path() / "brimvale-host-tests" / info->test_suite_name() / info->name();
  std::filesystem::create_directories(dir);
  // Names are UTF-8 on every platform; on Windows the file system speaks UTF-16.
  return (dir / std::filesystem::u8path(name)).u8string();
}

std::string BrimvaleModuleTest::WriteTestWav(const std::string& name, double seconds)
{
  const std::string path = TempPath(name);
  EXPECT_TRUE(WriteWav(path, MakeTestSignal(48000, seconds), 48000, EWavFormat::kPcm16));
  return path;
}

std::string BrimvaleModuleTest::WriteToneWav(const std::string& name, double hz, size_t frames, float amplitude)
{
  std::vector<float> tone(frames);
  for (size_t i = 0; i < frames; ++i)
    tone[i] = amplitude *
              static_cast<float>(std::sin(brimvale::utility::kTwoPi * hz * static_cast<double>(i) / 48000.0));
  const std::string path = TempPath(name);
  EXPECT_TRUE(WriteWav(path, {tone, tone}, 48000, EWavFormat::kPcm16));
  return path;
}

} // namespace testhost
