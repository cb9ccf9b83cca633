#include "tests/engine/support/EngineRender.h"

#include <cmath>
#include <stdexcept>

namespace enginetest
{

using brimvale::engine::BrimvaleEngine;

std::unique_ptr<BrimvaleEngine> MakeEngine(double rate, const std::string& pathA, const std::string& pathB)
{
  auto engine = std::make_unique<BrimvaleEngine>();
  engine->Reset(rate);
  if (!pathA.empty() && !engine->LoadSampleA(pathA.c_str()))
    throw std::runtime_error("sample A did not load: " + pathA);
  if (!pathB.empty() && !engine->LoadSampleB(pathB.c_str()))
    throw std::runtime_error("sample B did not load: " + pathB);
  return engine;
}

StereoOutput Render(BrimvaleEngine& engine, const BrimvaleEngine::Params& params, int blocks, int blockSize)
{
  StereoOutput out;
  std::vector<double> left(blockSize), right(blockSize);
  double* outputs[2] = {left.data(), right.data()};
  for (int b = 0; b < blocks; ++b)
  {
    engine.ProcessBlock(outputs, 2, blockSize, params);
    out.left.insert(out.left.end(), left.begin(), left.end());
    out.right.insert(out.right.end(), right.begin(), right.end());
  }
  return out;
}

double Rms(const std::vector<double>& x)
{
  double sum = 0.0;
  for (double v : x)
    sum += v * v;
  return x.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(x.size()));
}

} // namespace enginetest
