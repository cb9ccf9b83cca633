#pragma once

#include <string>

#include "EventLog.h"
#include "igraphics/IControl.h"

namespace iplug
{
namespace igraphics
{

// A control that records its attach hooks and the values it is given by the delegate.
class TestControl : public IControl
{
public:
  TestControl(EventLog& log, std::string name, const IRECT& bounds, int paramIdx = kNoParameter,
              IActionFunction action = nullptr)
  : IControl(bounds, paramIdx, std::move(action))
  , mLog(log)
  , mName(std::move(name))
  {}

  TestControl(EventLog& log, std::string name, const IRECT& bounds, std::initializer_list<int> params)
  : IControl(bounds, params)
  , mLog(log)
  , mName(std::move(name))
  {}

  ~TestControl() override { ++sDeleted; }

  void Draw(IGraphics&) override {}
  void OnInit() override { mLog.Add(mName + " init"); }
  void OnResize() override { mLog.Add(mName + " resize"); }
  void OnRescale() override { mLog.Add(mName + " rescale"); }
  void OnAttached() override { mLog.Add(mName + " attached"); }
  void OnContextSelection(int itemSelected) override { mLog.Add(mName + " context " + std::to_string(itemSelected)); }
  void OnTextEntryCompletion(const char* str, int valIdx) override
  {
    mLog.Add(mName + " text " + str + " " + std::to_string(valIdx));
  }

  void SetValueFromDelegate(double value, int valIdx = 0) override
  {
    mLog.Add(mName + " from delegate " + std::to_string(valIdx) + " " + std::to_string(value));
    IControl::SetValueFromDelegate(value, valIdx);
  }

  static inline int sDeleted = 0;

private:
  EventLog& mLog;
  std::string mName;
};

} // namespace igraphics
} // namespace iplug
