// The editor's size: the design grid it is drawn on, the uniform scales it may be shown at and the
// window sizes those scales give. The plug-in's configuration, its resize rules and the layout all
// read them here.
#pragma once

namespace brimvale::editor
{

inline constexpr int kDesignWidth = 1480;
inline constexpr int kDesignHeight = 360;

// Windows opens the editor smaller and lets it shrink further than macOS does.
#ifdef _WIN32
inline constexpr float kOpenScale = 0.75f;
inline constexpr double kMinScale = 0.6;
inline constexpr int kMinWidth = 888;
inline constexpr int kMinHeight = 216;
#else
inline constexpr float kOpenScale = 1.f;
inline constexpr double kMinScale = 0.925;
inline constexpr int kMinWidth = 1369;
inline constexpr int kMinHeight = 333;
#endif
inline constexpr double kMaxScale = 1.6;
inline constexpr int kMaxWidth = 2368;
inline constexpr int kMaxHeight = 576;

/** A design length at a scale, rounded to whole pixels (halves away from zero). */
constexpr int ScaledLength(int designLength, double scale)
{
  return static_cast<int>(designLength * scale + 0.5);
}

static_assert(kMinScale <= kOpenScale && kOpenScale <= kMaxScale, "the editor opens outside its scale range");
static_assert(kMinScale <= 1.0 && 1.0 <= kMaxScale, "the design size is outside the scale range");
static_assert(ScaledLength(kDesignWidth, kMinScale) == kMinWidth &&
                ScaledLength(kDesignHeight, kMinScale) == kMinHeight,
              "the smallest size is not the design size at the smallest scale");
static_assert(ScaledLength(kDesignWidth, kMaxScale) == kMaxWidth &&
                ScaledLength(kDesignHeight, kMaxScale) == kMaxHeight,
              "the largest size is not the design size at the largest scale");

} // namespace brimvale::editor
