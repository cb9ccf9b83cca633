#pragma once

#include "engine/cloudseed/ModulatedAllpass.h"

#include <cstdint>
#include <vector>

namespace Cloudseed
{

// Up to twelve allpass stages in series, their delays and modulation spread by a seeded table.
class AllpassDiffuser
{
public:
  static constexpr int kMaxStages = 12;
  static constexpr int kMaxBlock = 1024;
  static constexpr int kTableSize = 36; // 0-11 delays, 12-23 modulation amounts, 24-35 rates

  AllpassDiffuser();

  // n samples (at most kMaxBlock) from in to out; stage 0 always runs.
  void Process(const float* in, float* out, int n);

  // Spreads `delay` over the stages: each gets between a tenth of it and all of it.
  void Update();
  void SetModRate(float hz);
  void SetSeed(int32_t newSeed);         // new table, then Update
  void SetCrossSeed(float newCrossSeed); // new table, then Update
  void ClearBuffers();

  int32_t sampleRate = 48000;
  ModulatedAllpass filters[kMaxStages];
  int32_t delay = 0;    // samples
  float modRate = 0.0f; // Hz
  std::vector<float> seedValues;
  int32_t seed = 23456;
  float crossSeed = 0.0f;
  int32_t stages = 1;

private:
  void RebuildTable();

  float mWork[kMaxBlock] = {};
};

} // namespace Cloudseed
