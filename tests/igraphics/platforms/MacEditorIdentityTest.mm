// The instrument's editor on macOS carries the bundle's identity and the plug-in's folder name,
// which its resources and fonts are found by.
#import <AppKit/AppKit.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "igraphics/platforms/IGraphicsMac.h"
#include "plugin/Brimvale.h"
#include "plugin/editor/BrimvaleLayout.h"

TEST(MacEditorIdentity, TheEditorSurfaceNamesTheBundleTheAppGroupAndThePlugIn)
{
  NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
  auto* plug = new Brimvale(iplug::InstanceInfo());
  {
    std::unique_ptr<iplug::igraphics::IGraphics> graphics(brimvale::editor::MakeBrimvaleGraphics(*plug, *plug));
    ASSERT_NE(dynamic_cast<iplug::igraphics::IGraphicsMac*>(graphics.get()), nullptr);
    const struct
    {
      const char* what;
      std::string actual, expected;
    } texts[] = {
      {"bundle id", graphics->GetBundleID(), "com.quillfen.vst3.Brimvale"},
      {"app group id", graphics->GetAppGroupID(), "group.com.quillfen.Brimvale"},
      {"shared resources", graphics->GetSharedResourcesSubPath(), "Brimvale"},
    };
    for (const auto& t : texts)
      EXPECT_EQ(t.actual, t.expected) << t.what;
  }
  plug->release();
  [pool release];
}
