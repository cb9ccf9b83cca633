// Loads the built Brimvale bundle once per test program and makes driven instances of its class.
#pragma once

#include "tools/host/BrimvaleState.h"
#include "tools/host/HostContext.h"
#include "tools/host/ModuleHost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testhost
{

constexpr int kNumPlugParams = 37;

class BrimvaleModuleTest : public ::testing::Test
{
protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // A new instance, initialised with the test host's application object.
  std::unique_ptr<HostedInstance> MakeInstance();
  // The instance's state, parsed; fails the test when it has another layout.
  BrimvaleState StateOf(HostedInstance& instance);
  // A fresh temporary file name for this test.
  std::string TempPath(const std::string& name) const;
  // A stereo test WAV written to a temporary file; returns its path.
  std::string WriteTestWav(const std::string& name, double seconds = 1.0);
  // A stereo WAV of one sine tone at 48 kHz, the same on both sides; returns its path.
  std::string WriteToneWav(const std::string& name, double hz, size_t frames, float amplitude);

  static std::shared_ptr<LoadedModule> sModule;
  static VST3::UID sClassId;
  NamedHostApplication mHost;
};

} // namespace testhost
