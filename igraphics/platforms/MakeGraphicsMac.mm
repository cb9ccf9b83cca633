// On macOS the editor surface is the Cocoa view's graphics object.
#include "igraphics/MakeGraphics.h"

#include "igraphics/platforms/IGraphicsMac.h"

namespace iplug
{
namespace igraphics
{

IGraphics* MakeGraphics(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
{
  return new IGraphicsMac(dlg, width, height, fps, scale);
}

} // namespace igraphics
} // namespace iplug
