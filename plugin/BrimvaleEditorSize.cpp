// The editor is drawn at one design size and shown at a uniform scale, so every size the host may
// give it keeps the design's proportion within the scale range.
#include "plugin/Brimvale.h"
#include "plugin/editor/BrimvaleEditorSizes.h"

#include "igraphics/IGraphics.h"

#include <algorithm>
#include <cmath>

namespace
{

using brimvale::editor::kMaxScale;
using brimvale::editor::kMinScale;
// The scale rules divide by the design size.
constexpr double kDesignWidth = brimvale::editor::kDesignWidth;
constexpr double kDesignHeight = brimvale::editor::kDesignHeight;

double ScaleOfSize(int width, int height)
{
  if (width < 1 || height < 1)
    return 1.0;
  const double scale = std::min(width / kDesignWidth, height / kDesignHeight);
  return std::clamp(scale, kMinScale, kMaxScale);
}

// std::lround rounds halves away from zero.
int ScaledWidth(double scale)
{
  return static_cast<int>(std::lround(kDesignWidth * scale));
}

int ScaledHeight(double scale)
{
  return static_cast<int>(std::lround(kDesignHeight * scale));
}

} // namespace

bool Brimvale::OnHostRequestingSupportedViewConfiguration(int width, int height)
{
  const double scale = ScaleOfSize(width, height);
  return width == ScaledWidth(scale) && height == ScaledHeight(scale);
}

bool Brimvale::ConstrainEditorResize(int& width, int& height) const
{
  const double scale = ScaleOfSize(width, height);
  const int constrainedWidth = ScaledWidth(scale);
  const int constrainedHeight = ScaledHeight(scale);
  const bool unchanged = width == constrainedWidth && height == constrainedHeight;
  width = constrainedWidth;
  height = constrainedHeight;
  return unchanged;
}

void Brimvale::OnHostSelectedViewConfiguration(int width, int height)
{
  if (iplug::igraphics::IGraphics* pGraphics = GetUI())
  {
    // A whole number of pixels wide, so the drawing never straddles a pixel column.
    const int scaledWidth = ScaledWidth(ScaleOfSize(width, height));
    pGraphics->Resize(static_cast<int>(kDesignWidth), static_cast<int>(kDesignHeight),
                      static_cast<float>(scaledWidth / kDesignWidth), true);
  }
}

void Brimvale::OnParentWindowResize(int width, int height)
{
  iplug::igraphics::IGraphics* pGraphics = GetUI();
  if (!pGraphics)
    return;
  // Windows reports the parent in device pixels; the scale rules work in editor units.
  ParentWindowSizeToEditorUnits(width, height);
  const int scaledWidth = ScaledWidth(ScaleOfSize(width, height));
  // The host has already sized the window.
  pGraphics->Resize(static_cast<int>(kDesignWidth), static_cast<int>(kDesignHeight),
                    static_cast<float>(scaledWidth / kDesignWidth), false);
}
