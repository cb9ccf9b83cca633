// A fresh folder of temporary files for the running test, under a folder named for the test program.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace testhost
{

/** The path of a file called name (UTF-8) in the running test's own temporary folder. */
inline std::string TestTempPath(const char* programFolder, const std::string& name)
{
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  auto dir = std::filesystem::temp_directory_path() / programFolder / info->test_suite_name() / info->name();
  std::filesystem::create_directories(dir);
  // Names are UTF-8 on every platform; on Windows the file system speaks UTF-16.
  return (dir / std::filesystem::u8path(name)).u8string();
}

} // namespace testhost
