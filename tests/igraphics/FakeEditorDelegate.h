#pragma once

#include <string>

#include "EventLog.h"
#include "igraphics/IGraphicsEditorDelegate.h"

// An editor delegate that records what the editor asks of the plug-in and its host.
class FakeEditorDelegate : public iplug::igraphics::IGEditorDelegate
{
public:
  FakeEditorDelegate(EventLog& log, int nParams) : IGEditorDelegate(nParams), mLog(log) {}

  void BeginInformHostOfParamChangeFromUI(int paramIdx) override { mLog.Add("begin " + std::to_string(paramIdx)); }
  void EndInformHostOfParamChangeFromUI(int paramIdx) override { mLog.Add("end " + std::to_string(paramIdx)); }

  void SendParameterValueFromUI(int paramIdx, double normalizedValue) override
  {
    mLog.Add("send " + std::to_string(paramIdx) + " " + std::to_string(normalizedValue));
    IGEditorDelegate::SendParameterValueFromUI(paramIdx, normalizedValue);
  }

  bool EditorResizeFromUI(int viewWidth, int viewHeight, bool needsPlatformResize) override
  {
    mLog.Add("host resize " + std::to_string(viewWidth) + "x" + std::to_string(viewHeight) +
             (needsPlatformResize ? " platform" : ""));
    return mHostResizes;
  }

  bool ConstrainEditorResize(int& w, int& h) const override
  {
    if (mMaxWidth > 0 && w > mMaxWidth)
      w = mMaxWidth;
    if (mMaxHeight > 0 && h > mMaxHeight)
      h = mMaxHeight;
    return true;
  }

  void LayoutUI(iplug::igraphics::IGraphics*) override { mLog.Add("layout"); }

  bool mHostResizes = true;
  int mMaxWidth = 0;
  int mMaxHeight = 0;

private:
  EventLog& mLog;
};
