#pragma once

namespace brimvale::editor
{

/** Value of a Motion LFO shape (0 Sine .. 6 Glider) at phase p of a cycle, about -1..1. The
 * editor's scopes and the plug-in's idle-time preview draw the same picture of each shape.
 * Phases outside 0..1 wrap; a phase that is not a number gives 0. */
double ShapeValueForPhase(double p, int shape);

} // namespace brimvale::editor
