// A platform whose editor window is not built yet makes no surface: the delegate then opens no
// editor and the host's view reports that it could not attach.
#include "igraphics/MakeGraphics.h"

namespace iplug
{
namespace igraphics
{

IGraphics* MakeGraphics(IGEditorDelegate&, int, int, int, float)
{
  return nullptr;
}

} // namespace igraphics
} // namespace iplug
