#include "iplug/wdl/WdlDirScan.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

using iplug::WDL_DirScan;
using iplug::WDL_String;
namespace fs = std::filesystem;

namespace
{
// A fresh directory holding a file, a sub-directory and a file with a non-ASCII name.
class WdlDirScanTest : public testing::Test
{
protected:
  void SetUp() override
  {
    // Unique across test processes that run at the same time; ends in "-base" so that a sibling
    // named by a prefix of it can be made.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    mRoot = fs::canonical(fs::temp_directory_path()) /
            fs::u8path("wdl-dirscan-" + name + "-" + std::to_string(stamp) + "-base");
    fs::remove_all(mRoot);
    fs::create_directories(mRoot / "sub");
    std::ofstream(mRoot / "file.wav") << "x";
    std::ofstream(mRoot / fs::u8path(u8"caf\u00e9.wav")) << "x";
  }
  void TearDown() override { fs::remove_all(mRoot); }

  std::string Root() const { return mRoot.u8string(); }

  // Every entry's name with what GetCurrentIsDirectory said of it.
  static std::map<std::string, int> Scan(const std::string& dir)
  {
    std::map<std::string, int> entries;
    WDL_DirScan scan;
    if (scan.First(dir.c_str()) != 0)
      return entries;
    do
      entries[scan.GetCurrentFN()] = scan.GetCurrentIsDirectory();
    while (scan.Next() == 0);
    return entries;
  }

  fs::path mRoot;
};

TEST_F(WdlDirScanTest, ListsEveryEntryWithItsKind)
{
  const std::map<std::string, int> expected = {
    {".", 1}, {"..", 1}, {"sub", 1}, {"file.wav", 0}, {u8"caf\u00e9.wav", 0}};
  EXPECT_EQ(Scan(Root()), expected);
}

TEST_F(WdlDirScanTest, ATrailingSeparatorScansTheSameDirectory)
{
  const auto plain = Scan(Root());
  EXPECT_EQ(Scan(Root() + "/"), plain);
#if defined(_WIN32)
  EXPECT_EQ(Scan(Root() + "\\"), plain);
#endif
}

TEST_F(WdlDirScanTest, FullNameIsBasePathSlashEntry)
{
  WDL_DirScan scan;
  ASSERT_EQ(scan.First((Root() + "/").c_str()), 0);
  do
  {
    if (std::string(scan.GetCurrentFN()) == "file.wav")
    {
      WDL_String full;
      scan.GetCurrentFullFN(&full);
      EXPECT_EQ(std::string(full.Get()), Root() + "/file.wav");
      return;
    }
  } while (scan.Next() == 0);
  FAIL() << "file.wav not listed";
}

TEST_F(WdlDirScanTest, BadPathsFail)
{
  WDL_DirScan scan;
  EXPECT_EQ(scan.First(nullptr), -1);
  EXPECT_EQ(scan.First(""), -1);
  EXPECT_EQ(scan.First((Root() + "/missing").c_str()), 1);
  EXPECT_STREQ(scan.GetCurrentFN(), "");
  EXPECT_EQ(scan.GetCurrentIsDirectory(), 0);
  EXPECT_EQ(scan.Next(), 1);
}

TEST_F(WdlDirScanTest, ARescanClosesThePreviousDirectory)
{
  WDL_DirScan scan;
  ASSERT_EQ(scan.First(Root().c_str()), 0);
  ASSERT_EQ(scan.First((Root() + "/sub").c_str()), 0);
  std::map<std::string, int> entries;
  do
    entries[scan.GetCurrentFN()] = scan.GetCurrentIsDirectory();
  while (scan.Next() == 0);
  EXPECT_EQ(entries, (std::map<std::string, int>{{".", 1}, {"..", 1}}));
}

TEST_F(WdlDirScanTest, SymbolicLinksAreJudgedByTheirTargets)
{
  // A sibling whose path is a prefix of the base path is not one of its parents.
  const std::string rootText = mRoot.string();
  const fs::path elsewhere = rootText.substr(0, rootText.size() - 2);
  fs::create_directories(elsewhere);
  std::error_code linkError;
  fs::create_directory_symlink(mRoot, mRoot / "to-self", linkError);
  if (linkError)
  {
    fs::remove_all(elsewhere);
    GTEST_SKIP() << "this system cannot make symbolic links here: " << linkError.message();
  }
  fs::create_directory_symlink(mRoot.parent_path(), mRoot / "to-parent");
  fs::create_directory_symlink("/", mRoot / "to-root");
  fs::create_directory_symlink(mRoot / "sub", mRoot / "to-sub");
  fs::create_directory_symlink(elsewhere, mRoot / "to-elsewhere");
  fs::create_symlink(mRoot / "file.wav", mRoot / "to-file");
  fs::create_symlink(mRoot / "gone", mRoot / "dangling");

  const auto entries = Scan(Root());
  fs::remove_all(elsewhere);
  EXPECT_EQ(entries.at("to-self"), 4);
  EXPECT_EQ(entries.at("to-parent"), 4);
  EXPECT_EQ(entries.at("to-root"), 4);
  EXPECT_EQ(entries.at("to-sub"), 2);
  EXPECT_EQ(entries.at("to-elsewhere"), 2);
  EXPECT_EQ(entries.at("to-file"), 0);
  EXPECT_EQ(entries.at("dangling"), 0);
}

TEST_F(WdlDirScanTest, ALinkBackToTheBaseIsKnownHoweverTheBasePathIsSpelt)
{
  std::error_code linkError;
  fs::create_directory_symlink(mRoot / "sub", mRoot / "sub" / "back", linkError);
  if (!linkError)
    fs::create_directory_symlink(mRoot, mRoot / "alias", linkError);
  if (linkError)
    GTEST_SKIP() << "this system cannot make symbolic links here: " << linkError.message();

  for (const char* rel : {"/sub", "/./sub", "/alias/sub", "/alias/./sub/"})
    EXPECT_EQ(Scan(Root() + rel).at("back"), WDL_DirScan::kLinkToOwnAncestor) << rel;
}
} // namespace
