#include "tools/render/EditorSnapshot.h"

#include "tools/host/HostedView.h"

#include "igraphics/platforms/HeadlessWindow.h"
#include "iplug/vst3/IPlugVST3View.h"

namespace testhost
{

namespace
{

// Five ticks of the plug-in's 20 ms idle timer.
constexpr float kIdleMs = 100.f;

int Send(HeadlessWindow& window, HeadlessEvent event)
{
  return window.send ? window.send(window.editor, &event) : 0;
}

} // namespace

bool WriteEditorSnapshot(HostedInstance& instance, const std::string& pngPath, std::string& error)
{
  // The parent window outlives the view, as a host's does: removing the view still writes to it.
  HeadlessWindow window{};
  auto view = HostedView::Create(instance);
  if (!view)
  {
    error = "the instance has no editor view";
    return false;
  }
  if (view->Attach(&window, iplug::kPlatformTypeHeadless) != Steinberg::kResultOk || !window.writePNG)
  {
    error = "the editor view did not open on the headless platform";
    return false;
  }
  HeadlessEvent idle{};
  idle.type = kHeadlessIdle;
  idle.delta = kIdleMs;
  Send(window, idle);
  HeadlessEvent tick{};
  tick.type = kHeadlessTick;
  Send(window, tick);
  if (!window.writePNG(window.editor, pngPath.c_str()))
  {
    error = "cannot write " + pngPath;
    return false;
  }
  return true;
}

} // namespace testhost
