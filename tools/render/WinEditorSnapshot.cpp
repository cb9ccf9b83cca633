#include "tools/render/EditorSnapshot.h"

#include "tools/host/GLWindowPixels.h"
#include "tools/host/HostedView.h"
#include "tools/host/WinHostFrame.h"
#include "tools/host/WinMessagePump.h"

#include <GL/gl.h>

#include <chrono>
#include <memory>

namespace testhost
{

namespace
{

// Five ticks of the plug-in's 20 ms idle timer and the editor's redraw of what they changed.
constexpr std::chrono::milliseconds kIdle(150);

} // namespace

bool WriteEditorSnapshot(HostedInstance& instance, const std::string& pngPath, std::string& error)
{
  // Made before the view and so destroyed after it: a host's window outlives the view removed from it.
  std::unique_ptr<HostFrame> frame;
  auto view = HostedView::Create(instance);
  if (!view)
  {
    error = "the instance has no editor view";
    return false;
  }
  const auto size = view->Size();
  if (!size || size->getWidth() <= 0 || size->getHeight() <= 0)
  {
    error = "the editor view has no size";
    return false;
  }
  frame = std::make_unique<HostFrame>(size->getWidth(), size->getHeight());
  if (!frame->Get() || view->Attach(frame->Get(), Steinberg::kPlatformTypeHWND) != Steinberg::kResultOk)
  {
    error = "the editor window did not open";
    return false;
  }
  const std::vector<HWND> editors = EditorWindowsOf(frame->Get());
  if (editors.size() != 1)
  {
    error = "the editor made no window of its own in the host's";
    return false;
  }
  PumpFor(kIdle);
  // The editor presents each frame by swapping buffers, so its last one stays in the back buffer.
  const Pixels pixels = ReadGLWindowPixels(editors.front(), GL_BACK);
  if (pixels.Blank())
  {
    error = "nothing was drawn in the editor window";
    return false;
  }
  if (!WritePNG(pixels, pngPath))
  {
    error = "cannot write " + pngPath;
    return false;
  }
  return true;
}

} // namespace testhost
