// Instances come and go as a host scans, opens and closes projects; none of them may leave
// anything behind (the sanitizer lane checks for leaks).
#include "tests/host/BrimvaleModuleFixture.h"

using namespace testhost;
using namespace Steinberg;

using LifecycleTest = BrimvaleModuleTest;

TEST_F(LifecycleTest, FiftyInstancesAreCreatedDrivenAndDestroyed)
{
  for (int i = 0; i < 50; ++i)
  {
    auto instance = MakeInstance();
    ASSERT_TRUE(instance) << i;
    if (i % 10 == 0)
    {
      ASSERT_TRUE(instance->Start(44100.0 + i, 128));
      ASSERT_EQ(instance->Process(128), kResultOk);
      std::vector<char> bytes;
      ASSERT_TRUE(instance->GetState(bytes));
      ASSERT_EQ(instance->SetState(bytes), kResultOk);
    }
  }
}

TEST_F(LifecycleTest, AnInstanceCanBeInitialisedAgainAfterTerminate)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  ASSERT_EQ(instance->Component().terminate(), kResultOk);
  ASSERT_EQ(instance->Component().initialize(&mHost), kResultOk);
  EXPECT_EQ(instance->Controller().getParameterCount(), 167);
  EXPECT_EQ(instance->Component().getBusCount(Vst::kAudio, Vst::kOutput), 1);
  EXPECT_EQ(instance->Component().getBusCount(Vst::kEvent, Vst::kInput), 1);
}
