// Closing the editor: its gestures end, its prompts stop answering, and a close that comes from
// inside one of its own platform calls waits for that call to return.
#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IGraphics::PlatformCall::PlatformCall(IGraphics& graphics) : mGraphics(graphics)
{
  ++mGraphics.mPlatformCalls;
}

IGraphics::PlatformCall::~PlatformCall()
{
  if (--mGraphics.mPlatformCalls > 0 || !mGraphics.mCloseAfterPlatformCalls)
    return;
  mGraphics.CloseWindow();
  delete &mGraphics;
}

void IGraphics::CloseAndDelete(std::unique_ptr<IGraphics> pGraphics)
{
  if (!pGraphics)
    return;
  // A drag or an open menu must not leave the host's gesture running after the editor is gone, and
  // nothing the user finishes later (a menu, a typed value, a file or colour chosen) reaches the
  // controls, or through them the plug-in, which the host may delete next.
  pGraphics->EndHostGestures();
  pGraphics->ReleaseQwertyMidiNotes();
  pGraphics->mLifetime.End();
  pGraphics->ForAllControls(&IControl::EndLifetime);
  pGraphics->mInPopupMenu = nullptr;
  pGraphics->mInTextEntry = nullptr;
  if (pGraphics->mPlatformCalls == 0)
  {
    pGraphics->CloseWindow();
    return;
  }
  // The host closed the editor from inside a modal loop that one of the editor's own calls runs (a
  // dialog, a menu): closing the view would delete the controls under the frames of that call. The
  // host gets its window back now; the view, the controls and this object go when the call returns.
  pGraphics->ReleaseParentWindow();
  pGraphics.release()->mCloseAfterPlatformCalls = true;
}

} // namespace igraphics
} // namespace iplug
