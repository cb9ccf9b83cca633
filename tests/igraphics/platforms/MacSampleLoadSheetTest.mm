// A sample layer's load field on macOS: its file prompt is a sheet on the host's window, which ends
// in a later turn of the event loop and may end after the editor has closed.
#include "MacGraphicsFixture.h"

#include <StandIns/RunLoop.h>

#include "plugin/editor/BVSampleLoadControl.h"

#include <string>
#include <vector>

using namespace iplug::igraphics;
using brimvale::editor::BVSampleLoadControl;

TEST_F(MacGraphicsTest, AFileChosenInTheSheetLoadsOnlyWhileTheFieldThatAskedLives)
{
  for (const bool closedFirst : {false, true})
  {
    SCOPED_TRACE(closedFirst ? "editor closed before the sheet ended" : "editor open");
    MakeGraphics(1.f);
    ASSERT_NE(Open(), nil);
    std::vector<std::string> loaded;
    mGraphics->AttachControl(new BVSampleLoadControl(IRECT(10, 10, 200, 40), "Load audio", [&loaded](const char* path) {
      loaded.push_back(path);
      return true;
    }));
    StandInQueuePanelResponse(NSModalResponseOK, [NSArray arrayWithObject:@"/Users/me/Samples/pad.wav"]);
    IMouseInfo press;
    press.x = 50.f;
    press.y = 20.f;
    press.ms = IMouseMod(true);
    mGraphics->OnMouseDown({press});
    ASSERT_TRUE(StandInPanelRanAsSheet(StandInLastPanel()));
    EXPECT_TRUE(loaded.empty()) << "a sheet answers later";

    if (closedFirst)
      mGraphics.reset();
    ASSERT_TRUE(StandInDrainMainQueue(1.0));
    EXPECT_EQ(loaded, closedFirst ? std::vector<std::string>{} : std::vector<std::string>{"/Users/me/Samples/pad.wav"});
  }
}
