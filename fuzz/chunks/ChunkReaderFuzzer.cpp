// Feeds untrusted bytes to every reader of saved parameter state, preset lists, and VST2 preset and
// bank files, in both the parameter form and the chunk form.
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "iplug/IPlugAPIBase.h"

namespace
{
using namespace iplug;

class FuzzPlug : public IPlugAPIBase<IEditorDelegate>
{
public:
  explicit FuzzPlug(bool chunks) : IPlugAPIBase<IEditorDelegate>(MakeConfig(chunks), kAPIVST3)
  {
    GetParam(0)->InitDouble("Gain", 0.0, -70.0, 12.0, 0.1);
    GetParam(1)->InitBool("On", true);
    GetParam(2)->InitEnum("Mode", 1, {"A", "B", "C"});
    GetParam(3)->InitFrequency("Cutoff", 1000.0, 20.0, 20000.0, 1.0);
  }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}

private:
  static Config MakeConfig(bool chunks)
  {
    Config config;
    config.nParams = 4;
    config.nPresets = 3;
    config.channelIOStr = "0-2";
    config.uniqueID = 0x42767331;
    config.vendorVersion = 0x00010001;
    config.plugDoesChunks = chunks;
    return config;
  }
};

const std::string& ScratchPath()
{
  static const std::string path = "/tmp/chunk_reader_fuzzer_" + std::to_string(getpid()) + ".bin";
  return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  IByteChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));

  FuzzPlug params(false);
  FuzzPlug chunks(true);
  for (FuzzPlug* plug : {&params, &chunks})
  {
    plug->UnserializeParams(chunk, 0);
    plug->UnserializeParams(chunk, size > 0 ? data[0] : 0);
    plug->UnserializePresets(chunk, 0);
    plug->CompareState(data, 0, static_cast<int>(size));
  }

  if (FILE* file = std::fopen(ScratchPath().c_str(), "wb"))
  {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    for (FuzzPlug* plug : {&params, &chunks})
    {
      plug->LoadPresetFromFXP(ScratchPath().c_str());
      plug->LoadBankFromFXB(ScratchPath().c_str());
    }
    std::remove(ScratchPath().c_str());
  }
  return 0;
}
