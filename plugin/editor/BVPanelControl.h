// The editor's face: background, title block, the seven section boxes, the Blend preview, the two
// Motion scopes and the well behind the output meter. The plug-in feeds the previews at idle time.
#pragma once

#include "plugin/BrimvaleMessages.h"
#include "plugin/BrimvaleVersion.h"

#include "igraphics/IControl.h"

#include <string>

namespace brimvale::editor
{

class BVPanelControl : public iplug::igraphics::IControl
{
public:
  explicit BVPanelControl(const iplug::igraphics::IRECT& bounds, const char* versionText = brimvale::kVersionString);

  /** What the previews show: the last scope message taken, or the picture before the first. */
  const PanelScopePayload& GetPreviewState() const { return mPreview; }

  /** Takes the scope message (kMsgTagPanelScope, exactly its size); ignores anything else. */
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* pData) override;
  void Draw(iplug::igraphics::IGraphics& g) override;

  /** One Motion scope in r: the shape (clamped to 0..6) over a cycle from phase, scaled by depth
   * (clamped to 0..1), on a dark grid. */
  static void DrawShapeScope(iplug::igraphics::IGraphics& g, const iplug::igraphics::IRECT& r, double phase, int shape,
                             double depth);

  /** The well behind the output meter; the layout puts the meter in it. */
  static iplug::igraphics::IRECT MeterWell();

private:
  PanelScopePayload mPreview;
  std::string mVersionLine;
};

} // namespace brimvale::editor
