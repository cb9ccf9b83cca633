// On Linux the only editor surface is the headless one: the Linux module exists for tests.
#include "igraphics/MakeGraphics.h"

#include "igraphics/platforms/IGraphicsHeadless.h"

namespace iplug
{
namespace igraphics
{

IGraphics* MakeGraphics(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
{
  return new IGraphicsHeadless(dlg, width, height, fps, scale);
}

} // namespace igraphics
} // namespace iplug
