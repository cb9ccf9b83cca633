#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EventLog.h"
#include "FakeEditorDelegate.h"
#include "RecordingGraphics.h"
#include "TestControl.h"
#include "iplug/IPlugParameter.h"

// A 400 x 300 surface over a delegate with four parameters:
// 0 "Gain" 0..1 (default 0.25), 1 "Pan" 0..1, 2 "Mode" an enum of four, 3 "Cutoff" 0..100 in steps of 0.5.
class SurfaceFixture : public ::testing::Test
{
protected:
  SurfaceFixture()
  {
    dlg.GetParam(0)->InitDouble("Gain", 0.25, 0., 1., 0.001);
    dlg.GetParam(1)->InitDouble("Pan", 0.5, 0., 1., 0.001);
    dlg.GetParam(2)->InitEnum("Mode", 1, {"A", "B", "C", "D"});
    dlg.GetParam(3)->InitDouble("Cutoff", 50., 0., 100., 0.5, "Hz");
  }

  using IRECT = iplug::igraphics::IRECT;
  using TestControl = iplug::igraphics::TestControl;

  TestControl* Attach(const std::string& name, int paramIdx = iplug::kNoParameter, int tag = iplug::kNoTag,
                      const char* group = "")
  {
    auto* pControl = new TestControl(log, name, IRECT(10.f, 10.f, 50.f, 50.f), paramIdx);
    return static_cast<TestControl*>(g.AttachControl(pControl, tag, group));
  }

  bool Logged(const std::string& event) const
  {
    return std::find(log.events.begin(), log.events.end(), event) != log.events.end();
  }

  // Position of an event in the log, or -1.
  int IndexOf(const std::string& event) const
  {
    auto it = std::find(log.events.begin(), log.events.end(), event);
    return it == log.events.end() ? -1 : static_cast<int>(it - log.events.begin());
  }

  EventLog log;
  FakeEditorDelegate dlg{log, 4};
  iplug::igraphics::RecordingGraphics g{log, dlg, 400, 300};
};
