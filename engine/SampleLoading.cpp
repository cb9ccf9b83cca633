#include "engine/BrimvaleEngine.h"

#include "engine/SampleFiles.h"

#include <utility>

namespace brimvale::engine
{

bool BrimvaleEngine::LoadSample(const char* path, const char* fallbackName, SampleBuffer& target, LayerState& layer)
{
  SampleBuffer decoded;
  if (!LoadWavFile(path, decoded, fallbackName))
    return false;

  std::lock_guard<std::mutex> lock(mutex);
  layer = LayerState{};
  // Swapping keeps the release of the old sample's memory out of the locked section.
  std::swap(target, decoded);
  return true;
}

bool BrimvaleEngine::LoadSampleA(const char* path)
{
  return LoadSample(path, "Starter A", sampleA, layerA);
}

bool BrimvaleEngine::LoadSampleB(const char* path)
{
  return LoadSample(path, "Starter B", sampleB, layerB);
}

void BrimvaleEngine::ClearLayer(SampleBuffer& target, LayerState& layer)
{
  std::vector<float>().swap(target.left);
  std::vector<float>().swap(target.right);
  target.sampleRate = 44100.0;
  target.name = "No sample";
  layer = LayerState{};
}

void BrimvaleEngine::ClearSampleA()
{
  std::lock_guard<std::mutex> lock(mutex);
  ClearLayer(sampleA, layerA);
}

void BrimvaleEngine::ClearSampleB()
{
  std::lock_guard<std::mutex> lock(mutex);
  ClearLayer(sampleB, layerB);
}

void BrimvaleEngine::ClearSamples()
{
  std::lock_guard<std::mutex> lock(mutex);
  ClearLayer(sampleA, layerA);
  ClearLayer(sampleB, layerB);
}

} // namespace brimvale::engine
