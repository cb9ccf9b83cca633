#pragma once

#include "engine/BrimvaleEngine.h"
#include "tests/engine/support/TestWavFiles.h"

#include <memory>
#include <string>
#include <vector>

namespace enginetest
{

struct StereoOutput
{
  std::vector<double> left;
  std::vector<double> right;
};

// An engine reset to rate with both layers loaded from the given files (empty path: no sample).
std::unique_ptr<brimvale::engine::BrimvaleEngine> MakeEngine(double rate, const std::string& pathA,
                                                             const std::string& pathB);

// blocks blocks of blockSize frames, appended in order.
StereoOutput Render(brimvale::engine::BrimvaleEngine& engine, const brimvale::engine::BrimvaleEngine::Params& params,
                    int blocks, int blockSize);

double Rms(const std::vector<double>& x);

} // namespace enginetest
