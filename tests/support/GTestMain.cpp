// The main of every test program: GoogleTest's own, except that a run which skipped tests and failed
// none exits with BRIMVALE_SKIP_EXIT_CODE. CTest counts a case as skipped by that status alone
// (SKIP_RETURN_CODE), so a case that skipped and then ended the program otherwise (a failure, a
// crash, a sanitizer's report at exit) counts as failed.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
  testing::InitGoogleTest(&argc, argv);
  const int failed = RUN_ALL_TESTS();
  if (failed != 0)
    return failed;
  return testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? BRIMVALE_SKIP_EXIT_CODE : 0;
}
