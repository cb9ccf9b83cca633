// What an instance saves and restores: the two sample paths and every parameter value.
#include "plugin/Brimvale.h"

#include <algorithm>
#include <cstring>

using iplug::IByteChunk;

namespace
{

bool PutPath(IByteChunk& chunk, const std::string& path)
{
  const auto length = static_cast<uint32_t>(std::strlen(path.c_str()));
  const int before = chunk.Size();
  chunk.Put(&length);
  chunk.PutBytes(path.c_str(), static_cast<int>(length));
  return chunk.Size() == before + static_cast<int>(sizeof(length) + length);
}

// Reads a length-prefixed path at pos, cut at its first NUL; -1 when it runs past the chunk.
int GetPath(const IByteChunk& chunk, int pos, std::string& path)
{
  uint32_t length = 0;
  pos = chunk.Get(&length, pos);
  if (pos < 0 || length > static_cast<uint32_t>(chunk.Size() - pos))
    return -1;
  const char* bytes = reinterpret_cast<const char*>(chunk.GetData()) + pos;
  path.assign(bytes, std::find(bytes, bytes + length, '\0'));
  return pos + static_cast<int>(length);
}

} // namespace

bool Brimvale::SerializeState(IByteChunk& chunk) const
{
  const int before = chunk.Size();
  chunk.Put(&kStateMagic);
  chunk.Put(&kStateVersion);
  if (chunk.Size() != before + 8 || !PutPath(chunk, mSampleAPath) || !PutPath(chunk, mSampleBPath))
    return false;
  return SerializeParams(chunk);
}

int Brimvale::UnserializeState(const IByteChunk& chunk, int startPos)
{
  uint32_t magic = 0;
  if (startPos < 0 || chunk.Get(&magic, startPos) < 0 || magic != kStateMagic)
    return UnserializeParams(chunk, startPos);

  uint32_t version = 0;
  int pos = chunk.Get(&version, startPos + 4);
  if (pos < 0 || version != kStateVersion)
    return -1;

  std::string pathA, pathB;
  pos = GetPath(chunk, pos, pathA);
  if (pos >= 0)
    pos = GetPath(chunk, pos, pathB);
  // A state that ends early changes nothing: neither the samples nor any parameter.
  if (pos < 0 || chunk.Size() - pos < NParams() * static_cast<int>(sizeof(double)))
    return -1;

  mSampleAPath = pathA;
  mSampleBPath = pathB;
  LoadRestoredSamples();
  return UnserializeParams(chunk, pos);
}

void Brimvale::LoadRestoredSamples()
{
  if (mSampleAPath.empty())
    mEngine.ClearSampleA();
  else if (!mEngine.LoadSampleA(mSampleAPath.c_str()))
  {
    mSampleAPath.clear();
    mEngine.ClearSampleA();
  }

  if (mSampleBPath.empty())
    mEngine.ClearSampleB();
  else if (!mEngine.LoadSampleB(mSampleBPath.c_str()))
  {
    mSampleBPath.clear();
    mEngine.ClearSampleB();
  }
}

void Brimvale::ResetToInitState()
{
  mSampleAPath.clear();
  mSampleBPath.clear();
  mEngine.ClearSamples();
  DefaultParamValues();
  for (int i = 0; i < NParams(); ++i)
  {
    OnParamChange(i, iplug::kReset, -1);
    OnParamChangeUI(i, iplug::kReset);
  }
  SendParameterValuesToEditor();
  UpdateSampleLoadLabels();
  UpdateSampleSpeedModeControls();
}
