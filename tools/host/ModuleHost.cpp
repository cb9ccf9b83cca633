#include "tools/host/ModuleHost.h"

#include "public.sdk/source/common/memorystream.h"

#include <cstring>

namespace testhost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

std::shared_ptr<LoadedModule> LoadedModule::Load(const std::string& bundlePath, std::string& error)
{
  auto module = VST3::Hosting::Module::create(bundlePath, error);
  if (!module)
    return nullptr;
  return std::shared_ptr<LoadedModule>(new LoadedModule(std::move(module)));
}

std::vector<VST3::Hosting::ClassInfo> LoadedModule::AudioClasses() const
{
  std::vector<VST3::Hosting::ClassInfo> found;
  for (auto& info : Factory().classInfos())
  {
    if (info.category() == kVstAudioEffectClass)
      found.push_back(info);
  }
  return found;
}

std::unique_ptr<HostedInstance> HostedInstance::Create(std::shared_ptr<LoadedModule> module, const VST3::UID& classId,
                                                       FUnknown* hostContext, std::string& error)
{
  std::unique_ptr<HostedInstance> instance(new HostedInstance());
  instance->mModule = module;
  instance->mComponent = module->Factory().createInstance<IComponent>(classId);
  if (!instance->mComponent)
  {
    error = "the factory made no component";
    return nullptr;
  }
  if (instance->mComponent->initialize(hostContext) != kResultOk)
  {
    error = "initialize failed";
    instance->mComponent = nullptr;
    return nullptr;
  }
  instance->mProcessor = FUnknownPtr<IAudioProcessor>(instance->mComponent.get());
  instance->mController = FUnknownPtr<IEditController>(instance->mComponent.get());
  if (!instance->mProcessor || !instance->mController)
  {
    error = "the component is not a single-component processor and controller";
    return nullptr; // the destructor terminates the component
  }
  return instance;
}

HostedInstance::~HostedInstance()
{
  Stop();
  mData.unprepare();
  mController = nullptr;
  mProcessor = nullptr;
  if (mComponent)
    mComponent->terminate();
  mComponent = nullptr;
}

bool HostedInstance::Start(double sampleRate, int32 maxBlock, int32 sampleSize, int32 processMode)
{
  ProcessSetup setup{processMode, sampleSize, maxBlock, sampleRate};
  if (mProcessor->setupProcessing(setup) != kResultOk)
    return false;
  for (auto type : {kAudio, kEvent})
  {
    for (auto dir : {kInput, kOutput})
    {
      for (int32 i = 0; i < mComponent->getBusCount(type, dir); ++i)
        mComponent->activateBus(type, dir, i, true);
    }
  }
  if (mComponent->setActive(true) != kResultOk)
    return false;
  mData.prepare(*mComponent, maxBlock, sampleSize);
  mData.processMode = processMode;
  mContext = {};
  mContext.sampleRate = sampleRate;
  mContext.tempo = 120.0;
  mContext.state = ProcessContext::kPlaying | ProcessContext::kTempoValid;
  mProcessor->setProcessing(true);
  mStarted = true;
  return true;
}

void HostedInstance::Stop()
{
  if (!mStarted)
    return;
  mProcessor->setProcessing(false);
  mComponent->setActive(false);
  mStarted = false;
}

tresult HostedInstance::Process(int32 nFrames, IParameterChanges* changes, IEventList* events)
{
  mData.numSamples = nFrames;
  mData.inputParameterChanges = changes;
  mData.inputEvents = events;
  mData.processContext = &mContext;
  tresult result = mProcessor->process(mData);
  mContext.projectTimeSamples += nFrames;
  return result;
}

int32 HostedInstance::OutputChannels() const
{
  return mData.numOutputs > 0 ? mData.outputs[0].numChannels : 0;
}

double HostedInstance::OutputSample(int32 channel, int32 frame) const
{
  const AudioBusBuffers& bus = mData.outputs[0];
  if (mData.symbolicSampleSize == kSample64)
    return bus.channelBuffers64[channel][frame];
  return bus.channelBuffers32[channel][frame];
}

bool HostedInstance::GetState(std::vector<char>& bytes)
{
  auto stream = owned(new MemoryStream());
  if (mComponent->getState(stream) != kResultOk)
    return false;
  int64 size = 0;
  stream->tell(&size);
  bytes.assign(stream->getData(), stream->getData() + size);
  return true;
}

tresult HostedInstance::SetState(const std::vector<char>& bytes)
{
  auto stream = owned(new MemoryStream());
  int32 written = 0;
  stream->write(const_cast<char*>(bytes.data()), static_cast<int32>(bytes.size()), &written);
  stream->seek(0, IBStream::kIBSeekSet, nullptr);
  return mComponent->setState(stream);
}

} // namespace testhost
