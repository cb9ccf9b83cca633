#include "tools/host/BrimvaleState.h"

#include <gtest/gtest.h>

#include <cstring>

using testhost::BrimvaleState;

TEST(BrimvaleStateBytes, RoundTripsPathsValuesAndBypass)
{
  BrimvaleState s;
  s.pathA = "/tmp/a.wav";
  s.pathB = "";
  s.params = {1.0, 0.75, -3.5};
  s.bypass = 1;
  const auto bytes = s.Bytes();
  ASSERT_EQ(bytes.size(), 4u + 4u + 4u + 10u + 4u + 3u * 8u + 4u);
  uint32_t magic = 0;
  std::memcpy(&magic, bytes.data(), 4);
  EXPECT_EQ(magic, 0x42565331u);

  auto parsed = BrimvaleState::Parse(bytes);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->pathA, s.pathA);
  EXPECT_EQ(parsed->pathB, s.pathB);
  EXPECT_EQ(parsed->params, s.params);
  EXPECT_EQ(parsed->bypass, 1);
}

TEST(BrimvaleStateBytes, RejectsTruncatedOrRaggedBytes)
{
  BrimvaleState s;
  s.pathA = "abc";
  s.params = {0.5, 0.25};
  const auto bytes = s.Bytes();
  for (size_t cut : {size_t(1), size_t(4), size_t(9), bytes.size() - 1, bytes.size() - 12})
  {
    std::vector<char> shorter(bytes.begin(), bytes.end() - static_cast<long>(cut));
    EXPECT_FALSE(BrimvaleState::Parse(shorter).has_value()) << "cut " << cut;
  }
}
