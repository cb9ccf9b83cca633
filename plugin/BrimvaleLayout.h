// The instrument's editor: the surface it is drawn on and the controls of its face, on a fixed
// design grid of 1480 x 360 units that the surface scales as a whole.
#pragma once

class Brimvale;

namespace iplug
{
namespace igraphics
{
class IGraphics;
}
} // namespace iplug

constexpr int kEditorWidth = 1480;
constexpr int kEditorHeight = 360;

/** The platform surface for the plug-in's editor, at the editor's design size. */
iplug::igraphics::IGraphics* MakeBrimvaleGraphics(Brimvale& plug);

/** The first call attaches every control of the face; later calls, after a resize, put the tagged
 * controls back at their design rectangles and keep the rest as they are. */
void LayoutBrimvaleEditor(Brimvale& plug, iplug::igraphics::IGraphics* pGraphics);
