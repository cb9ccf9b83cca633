// Cases that skip, as the skip check (check-skip-exit) needs them: one that only skips, and two that
// skip and then end the program otherwise once GoogleTest has printed the skip, as a sanitizer's
// report at exit does (its status) or a crash in a destructor at exit does (an abort).
#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
void ExitWithFailure()
{
  std::_Exit(1);
}

void Abort()
{
  std::abort();
}

TEST(SkipProbe, Skips)
{
  GTEST_SKIP() << "the probe skips";
}

TEST(SkipProbe, SkipsThenExitsWithFailure)
{
  std::atexit(ExitWithFailure);
  GTEST_SKIP() << "the probe skips, then exits with 1";
}

TEST(SkipProbe, SkipsThenAborts)
{
  std::atexit(Abort);
  GTEST_SKIP() << "the probe skips, then aborts";
}
} // namespace
