// The engine's renders against its reference builds (see CMakeLists.txt here). The engine's fast
// modulation sine is within 1.3e-7 of the exact one, but the reverb's read distances are floats, so
// a sine one bit different can move a distance by one float step, and a long tail carries such
// steps for many seconds: the bound is therefore on what is heard, 1e-4 of full scale (-80 dB) over
// ten seconds. Worst cases measured at the time of writing: 1.5e-6 (default), 7.0e-5 (large space,
// high resonance), 2.8e-6 (all Motion destinations), 9.5e-7 (the tail); the float sine of the float
// product 2 pi p, which the reverb took before, lies as far from the exact renders (1.6e-6, 6.5e-5,
// 2.2e-6 and 1.0e-6).
#include "tests/engine/reference/ReferenceScenarios.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace
{
constexpr double kBound = 1e-4;

std::vector<double> ReadRender(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<double> render(bytes.size() / sizeof(double));
  std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(render.size() * sizeof(double)),
            reinterpret_cast<char*>(render.data()));
  return render;
}

std::vector<double> ReadReference(const std::string& variant, const std::string& scenario)
{
  return ReadRender(referencerender::RenderFile(std::string(REFERENCE_RENDER_DIR) + "/" + variant, scenario));
}

class ReferenceRender : public testing::TestWithParam<std::string>
{};

TEST_P(ReferenceRender, SideBySidePathsEqualThePlainLoopsBitForBit)
{
  const std::vector<double> plain = ReadReference("reference", GetParam());
  const std::vector<double> sideBySide = ReadReference("standard_math", GetParam());
  ASSERT_EQ(plain.size(), 2u * referencerender::kSampleRate * referencerender::kSeconds)
    << "the reference renders are made by brimvale_reference_render";
  ASSERT_EQ(sideBySide.size(), plain.size());
  size_t firstDifference = 0;
  while (firstDifference < plain.size() &&
         std::memcmp(&plain[firstDifference], &sideBySide[firstDifference], sizeof(double)) == 0)
    ++firstDifference;
  EXPECT_EQ(firstDifference, plain.size()) << "first difference at sample " << firstDifference / 2;
}

TEST_P(ReferenceRender, StaysWithinTheBoundOfTheReferenceBuild)
{
  const std::vector<double> reference = ReadReference("reference", GetParam());
  const std::vector<double> render = referencerender::RenderScenario(GetParam());
  ASSERT_EQ(render.size(), 2u * referencerender::kSampleRate * referencerender::kSeconds);
  ASSERT_EQ(reference.size(), render.size()) << "the reference renders are made by brimvale_reference_render";

  double worst = 0.0, peak = 0.0;
  size_t worstAt = 0;
  for (size_t i = 0; i < render.size(); ++i)
  {
    const double difference = std::fabs(render[i] - reference[i]);
    if (!(difference <= worst))
    {
      worst = difference;
      worstAt = i;
    }
    peak = std::max(peak, std::fabs(reference[i]));
  }
  EXPECT_GT(peak, 0.05) << "the scenario must make sound to show anything";
  EXPECT_LE(worst, kBound) << "at sample " << worstAt / 2 << (worstAt % 2 ? " right" : " left");
  RecordProperty("worst_difference", testing::PrintToString(worst));
  std::printf("%s: worst difference %.3g of full scale at sample %zu (peak %.3f)\n", GetParam().c_str(), worst,
              worstAt / 2, peak);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ReferenceRender, testing::ValuesIn(referencerender::ScenarioNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
