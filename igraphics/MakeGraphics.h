#pragma once

namespace iplug
{
namespace igraphics
{

class IGEditorDelegate;
class IGraphics;

/** The platform's editor surface for the delegate, of the given size, frame rate and draw scale.
    Each platform layer supplies it; the plug-in's make-graphics function calls it. */
IGraphics* MakeGraphics(IGEditorDelegate& dlg, int width, int height, int fps, float scale);

} // namespace igraphics
} // namespace iplug
