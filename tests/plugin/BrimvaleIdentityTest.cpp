// Who the plug-in says it is: its name, version and maker, as the framework and hosts read them.
#include "tests/plugin/ObservedBrimvale.h"

#include "plugin/BrimvaleVersion.h"

#include <gtest/gtest.h>

#include <string>

TEST(BrimvaleIdentity, NameVersionAndMakerReachTheFramework)
{
  auto plug = MakeObserved();
  const struct
  {
    const char* what;
    std::string actual, expected;
  } texts[] = {
    {"plug-in name", plug->GetPluginName(), "Brimvale"},
    {"product name", plug->GetProductName(), "Brimvale"},
    {"maker", plug->GetMfrName(), "Quillfen"},
    {"bundle id", plug->GetBundleID(), "com.quillfen.vst3.Brimvale"},
    {"app group id", plug->GetAppGroupID(), "group.com.quillfen.Brimvale"},
  };
  for (const auto& t : texts)
    EXPECT_EQ(t.actual, t.expected) << t.what;
  EXPECT_EQ(plug->GetPluginVersion(false), 0x00010001);
}

// Hosts store both with every project and preset, so they never change.
TEST(BrimvaleIdentity, UniqueAndMakerIdsKeepTheirFourCharacters)
{
  auto plug = MakeObserved();
  EXPECT_EQ(plug->GetUniqueID(), 0x42566d31); // 'BVm1'
  EXPECT_EQ(plug->GetMfrID(), 0x44757a69);    // 'Duzi'
}

// The packed number and the text the module's factory reports are made from the same version.
TEST(BrimvaleIdentity, PackedVersionReadsBackAsTheVersionText)
{
  auto plug = MakeObserved();
  iplug::WDL_String text;
  plug->GetPluginVersionStr(text);
  EXPECT_EQ(std::string(text.Get()), std::string("v") + brimvale::kVersionString);
}
