#include "tests/host/BrimvaleModuleFixture.h"

#include "tests/host/TestSignal.h"
#include "tests/host/TestTempPath.h"
#include "tools/wav/WavFile.h"

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
  return TestTempPath("brimvale-host-tests", name);
}

std::string BrimvaleModuleTest::WriteTestWav(const std::string& name, double seconds)
{
  const std::string path = TempPath(name);
  EXPECT_TRUE(WriteWav(path, MakeTestSignal(48000, seconds), 48000, EWavFormat::kPcm16));
  return path;
}

std::string BrimvaleModuleTest::WriteToneWav(const std::string& name, double hz, size_t frames, float amplitude)
{
  const std::vector<float> tone = MakeTone(hz, frames, amplitude, 48000.0);
  const std::string path = TempPath(name);
  EXPECT_TRUE(WriteWav(path, {tone, tone}, 48000, EWavFormat::kPcm16));
  return path;
}

} // namespace testhost
