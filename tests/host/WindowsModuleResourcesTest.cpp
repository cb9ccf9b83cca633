// What the Windows module carries inside it: the editor's font as a named resource.
#include "tests/host/BrimvaleModuleFixture.h"

#include "iplug/IPlugPaths.h"

#include <windows.h>

#include <string>

namespace
{

TEST(WindowsModuleResources, TheModuleEmbedsTheEditorFont)
{
  const std::string module = std::string(BRIMVALE_BUNDLE_PATH) + "/Contents/" BRIMVALE_BUNDLE_ARCH
                                                                 "/Brimvale" BRIMVALE_BUNDLE_SUFFIX;
  HMODULE handle = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(handle, nullptr) << module;

  iplug::WDL_String found;
  ASSERT_EQ(iplug::LocateResource("Roboto-Regular.ttf", "ttf", found, nullptr, handle, nullptr), iplug::kWinBinary);
  int size = 0;
  const void* bytes = iplug::LoadWinResource(found.Get(), "ttf", size, handle);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(size, BRIMVALE_FONT_SIZE);
  FreeLibrary(handle);
}

} // namespace
