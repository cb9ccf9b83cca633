// The instrument's editor: the surface it is drawn on and the controls of its face, on a fixed
// design grid of 1480 x 360 units that the surface scales as a whole.
#pragma once

#include "plugin/editor/BrimvaleEditorHost.h"

namespace iplug
{
class IPluginBaseCore;
namespace igraphics
{
class IGEditorDelegate;
class IGraphics;
} // namespace igraphics
} // namespace iplug

namespace brimvale::editor
{

/** The platform surface for the plug-in's editor, at the editor's design size; on macOS it finds
 * its resources through the plug-in's identity. */
iplug::igraphics::IGraphics* MakeBrimvaleGraphics(iplug::igraphics::IGEditorDelegate& delegate,
                                                  const iplug::IPluginBaseCore& identity);

/** The first call attaches every control of the face; later calls, after a resize, put the tagged
 * controls back at their design rectangles and keep the rest as they are. */
void LayoutBrimvaleEditor(EditorHost& plug, iplug::igraphics::IGraphics* pGraphics);

} // namespace brimvale::editor
