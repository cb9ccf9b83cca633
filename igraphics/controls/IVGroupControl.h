#pragma once

#include "igraphics/IContainerBase.h"
#include "igraphics/controls/IVectorBase.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

/** A rounded frame with a caption set into its top edge, drawn around a group of controls. Its
    bounds are either fixed or follow the controls of a named control group. */
class IVGroupControl : public IContainerBase, public IVectorBase
{
public:
  IVGroupControl(const IRECT& bounds, const char* label = "", float labelOffset = 10.f,
                 const IVStyle& style = DEFAULT_STYLE, IContainerFunction attachFunc = nullptr,
                 IContainerFunction resizeFunc = nullptr);
  IVGroupControl(const char* label, const char* groupName, float padL = 0.f, float padT = 0.f, float padR = 0.f,
                 float padB = 0.f, const IVStyle& style = DEFAULT_STYLE);

  void OnInit() override;
  void OnResize() override;
  void Draw(IGraphics& g) override;
  void DrawWidget(IGraphics& g) override;

  /** Frames the controls of groupName: their bounds joined (empty ones add nothing), grown by the
      paddings. A group without controls leaves only the paddings around the empty rectangle. */
  void SetBoundsBasedOnGroup(const char* groupName, float padL, float padT, float padR, float padB);

protected:
  WDL_String mGroupName;
  float mPadL = 0.f;
  float mPadT = 0.f;
  float mPadR = 0.f;
  float mPadB = 0.f;
  float mLabelOffset = 10.f;
  float mLabelPadding = 10.f;

private:
  float CornerRadius() const;
};

} // namespace igraphics
} // namespace iplug
