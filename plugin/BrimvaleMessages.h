// What the plug-in sends its editor's controls: the message tags and the payload of each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

constexpr int kMsgTagPanelScope = 1001;    // a PanelScopePayload: the Blend and Motion previews
constexpr int kMsgTagFilterDisplay = 1002; // one float64: the modulated cutoff, normalised
constexpr int kMsgTagSampleLabel = 1003;   // a NUL-terminated label

/** The previews the panel draws, as the plug-in's idle code sends them: 56 bytes in native byte
 * order, fields back to back. The panel keeps its own copy in the same form. */
struct PanelScopePayload
{
  double blendPhase;   // radians
  double blendDepth;   // 0..1
  double motionAPhase; // cycles
  double motionBPhase;
  double motionADepth; // 0..1
  double motionBDepth;
  int32_t motionAShape; // as the parameter holds it, not clamped
  int32_t motionBShape;
};
static_assert(sizeof(PanelScopePayload) == 56 && offsetof(PanelScopePayload, motionAShape) == 48,
              "the panel's scope message is 56 bytes: six float64, then two int32");
static_assert(std::is_trivially_copyable_v<PanelScopePayload>, "the payload travels as bytes");
