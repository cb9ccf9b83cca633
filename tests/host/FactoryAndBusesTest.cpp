// The module as a host first meets it: its factory, its one class, and the buses of an instance.
#include "tests/host/BrimvaleModuleFixture.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/vst/utility/stringconvert.h"

#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

using namespace testhost;
using namespace Steinberg;
using namespace Steinberg::Vst;

using FactoryTest = BrimvaleModuleTest;

TEST_F(FactoryTest, DescribesTheMakerAndItsOneClass)
{
  auto info = sModule->Factory().info();
  EXPECT_EQ(info.vendor(), "Quillfen");
  EXPECT_FALSE(info.url().empty());
  EXPECT_FALSE(info.email().empty());
  EXPECT_EQ(info.flags(), PFactoryInfo::kUnicode);

  auto classes = sModule->Factory().classInfos();
  ASSERT_EQ(classes.size(), 1u);
  const auto& c = classes.front();
  EXPECT_EQ(c.category(), "Audio Module Class");
  EXPECT_EQ(c.name(), "Brimvale");
  EXPECT_EQ(c.subCategoriesString(), "Instrument|Sampler");
  EXPECT_EQ(c.version(), "1.0.1");
  EXPECT_EQ(c.sdkVersion(), "VST 3.8.0");
  EXPECT_EQ(c.cardinality(), 0x7FFFFFFF);
  EXPECT_EQ(c.classFlags(), 2u);
  EXPECT_EQ(c.vendor(), "Quillfen"); // the class names none, so the factory's applies
}

TEST_F(FactoryTest, ClassIdIsBuiltFromItsFourWords)
{
  const FUID id = FUID::fromTUID(sClassId.data());
  uint32 words[4] = {};
  id.to4Int(words[0], words[1], words[2], words[3]);
  EXPECT_EQ(words[0], 0xF2AEE70Du);
  EXPECT_EQ(words[1], 0x00DE4F4Eu);
  EXPECT_EQ(words[2], 0x50776C6Cu);
  EXPECT_EQ(words[3], 0x42566D31u);
#if !COM_COMPATIBLE
  const unsigned char bytes[16] = {0xF2, 0xAE, 0xE7, 0x0D, 0x00, 0xDE, 0x4F, 0x4E,
                                   0x50, 0x77, 0x6C, 0x6C, 0x42, 0x56, 0x6D, 0x31};
  EXPECT_EQ(std::memcmp(sClassId.data(), bytes, 16), 0);
#endif
}

TEST_F(FactoryTest, EveryFactoryCallReturnsTheSameFactoryWithOneMoreReference)
{
  using GetFactoryProc = IPluginFactory*(PLUGIN_API*)();
  const auto binary = std::filesystem::path(BRIMVALE_BUNDLE_PATH) / "Contents" / BRIMVALE_BUNDLE_ARCH /
                      ("Brimvale" BRIMVALE_BUNDLE_SUFFIX);
#ifdef _WIN32
  HMODULE handle = LoadLibraryW(binary.wstring().c_str());
  ASSERT_TRUE(handle);
  // Through the generic function type, which converts to any other without a warning.
  auto getFactory = reinterpret_cast<GetFactoryProc>(
    reinterpret_cast<void (*)()>(GetProcAddress(handle, "GetPluginFactory")));
#else
  void* handle = dlopen(binary.string().c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_TRUE(handle);
  auto getFactory = reinterpret_cast<GetFactoryProc>(dlsym(handle, "GetPluginFactory"));
#endif
  ASSERT_TRUE(getFactory);
  IPluginFactory* first = getFactory();
  const uint32 countAfterFirst = first->addRef() - 1;
  first->release();
  IPluginFactory* second = getFactory();
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->addRef() - 1, countAfterFirst + 1);
  second->release();
  second->release();
  first->release();
#ifdef _WIN32
  FreeLibrary(handle);
#else
  dlclose(handle);
#endif
}

TEST_F(FactoryTest, AnInstanceHasAStereoOutputAndAMidiInput)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  IComponent& c = instance->Component();
  const struct
  {
    MediaType type;
    BusDirection dir;
    int32 count;
    const char* name;
    int32 channels;
  } cases[] = {
    {kAudio, kOutput, 1, "Output", 2},
    {kAudio, kInput, 0, nullptr, 0},
    {kEvent, kInput, 1, "MIDI Input", 1},
    {kEvent, kOutput, 0, nullptr, 0},
  };
  for (const auto& bus : cases)
  {
    ASSERT_EQ(c.getBusCount(bus.type, bus.dir), bus.count) << bus.type << "/" << bus.dir;
    if (bus.count == 0)
      continue;
    BusInfo info{};
    ASSERT_EQ(c.getBusInfo(bus.type, bus.dir, 0, info), kResultOk);
    EXPECT_EQ(VST3::StringConvert::convert(info.name), bus.name);
    EXPECT_EQ(info.channelCount, bus.channels);
    EXPECT_EQ(info.busType, kMain);
    EXPECT_TRUE(info.flags & BusInfo::kDefaultActive);
  }
  SpeakerArrangement arr = 0;
  ASSERT_EQ(instance->Processor().getBusArrangement(kOutput, 0, arr), kResultOk);
  EXPECT_EQ(arr, SpeakerArr::kStereo);
}

TEST_F(FactoryTest, BusArrangementsOtherThanStereoOutAreRefused)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  SpeakerArrangement stereo = SpeakerArr::kStereo, mono = SpeakerArr::kMono, surround = SpeakerArr::k51;
  EXPECT_EQ(instance->Processor().setBusArrangements(nullptr, 0, &stereo, 1), kResultTrue);
  EXPECT_EQ(instance->Processor().setBusArrangements(nullptr, 0, &mono, 1), kResultFalse);
  EXPECT_EQ(instance->Processor().setBusArrangements(nullptr, 0, &surround, 1), kResultFalse);
  EXPECT_EQ(instance->Processor().setBusArrangements(&stereo, 1, &stereo, 1), kResultFalse);
  // The refused requests leave the stereo output in place.
  EXPECT_EQ(instance->Component().getBusCount(kAudio, kOutput), 1);
  EXPECT_TRUE(instance->Start(48000.0, 256));
  EXPECT_EQ(instance->Process(256), kResultOk);
}

TEST_F(FactoryTest, ProcessingSetupRefusesUnknownSampleSizesAndRates)
{
  auto instance = MakeInstance();
  ASSERT_TRUE(instance);
  const struct
  {
    int32 sampleSize;
    double rate;
    tresult expected;
  } cases[] = {
    {kSample32, 48000.0, kResultOk}, {kSample64, 44100.0, kResultOk}, {2, 48000.0, kResultFalse},
    {kSample32, 0.0, kResultFalse},  {kSample32, -1.0, kResultFalse},
  };
  for (const auto& c : cases)
  {
    ProcessSetup setup{kRealtime, c.sampleSize, 512, c.rate};
    EXPECT_EQ(instance->Processor().setupProcessing(setup), c.expected) << c.sampleSize << " " << c.rate;
  }
  EXPECT_EQ(instance->Processor().canProcessSampleSize(kSample64), kResultTrue);
  EXPECT_EQ(instance->Processor().canProcessSampleSize(2), kResultFalse);
  EXPECT_EQ(instance->Processor().getLatencySamples(), 0u);
}
