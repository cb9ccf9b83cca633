#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "EventLog.h"
#include "igraphics/IGraphics.h"
#include "igraphics/drawing/IGraphicsFontData.h"

namespace iplug
{
namespace igraphics
{

// A surface without a back end or a platform: it records the operations whose order matters and
// answers every other one with an empty result.
class RecordingGraphics : public IGraphics
{
public:
  RecordingGraphics(EventLog& log, IGEditorDelegate& dlg, int w, int h, float scale = 1.f)
  : IGraphics(dlg, w, h, 60, scale)
  , mLog(log)
  {}

  void PlatformResize(bool parentHasResized) override
  {
    mLog.Add(std::string("platform resize") + (parentHasResized ? " parent" : ""));
  }
  void DrawResize() override { mLog.Add("draw resize"); }
  void PostResize() override { mLog.Add("post resize"); }

  // What the input dispatch would do on a mouse down over the control.
  void Capture(uint64_t touchID, IControl* pControl) { mCapturedMap[touchID] = pControl; }
  int NCaptures() const { return static_cast<int>(mCapturedMap.size()); }
  void Hover(IControl* pControl)
  {
    mMouseOver = pControl;
    mMouseOverIdx = GetControlIdx(pControl);
  }
  void SetCursorHidden(bool hidden) { mCursorHidden = hidden; }

  // The item index the platform menu answers with; -1 dismisses it.
  int mMenuChoice = -1;

  // A drawing call that tests check by colour and geometry rather than by pixels.
  struct DrawCall
  {
    std::string op;
    IColor color;
    std::vector<float> coords;
    float weight = 1.f; // of the blend; 1 without one
    std::string text;
  };
  std::vector<DrawCall> mDrawCalls;
  std::vector<DrawCall> DrawCallsOf(const std::string& op) const
  {
    std::vector<DrawCall> calls;
    for (const DrawCall& call : mDrawCalls)
      if (call.op == op)
        calls.push_back(call);
    return calls;
  }
  std::vector<std::string> DrawOps() const
  {
    std::vector<std::string> ops;
    for (const DrawCall& call : mDrawCalls)
      ops.push_back(call.op);
    return ops;
  }
  // The box MeasureText reports for any text once set; unset, text measures as nothing.
  std::optional<IRECT> mTextExtent;
  std::vector<std::string> mOpenedURLs;
  ECursor GetCursor() const { return mCursorType; }

  void BeginFrame() override {}
  void DrawSVG(const ISVG& /*svg*/, const IRECT& /*bounds*/, const IBlend* /*pBlend*/, const IColor* /*pStrokeColor*/,
               const IColor* /*pFillColor*/) override
  {}
  void DrawRotatedSVG(const ISVG& /*svg*/, float /*destCtrX*/, float /*destCtrY*/, float /*width*/, float /*height*/,
                      double /*angle*/, const IBlend* /*pBlend*/) override
  {}
  void DrawBitmap(const IBitmap& /*bitmap*/, const IRECT& /*bounds*/, int /*srcX*/, int /*srcY*/,
                  const IBlend* /*pBlend*/) override
  {}
  void DrawFittedBitmap(const IBitmap& /*bitmap*/, const IRECT& /*bounds*/, const IBlend* /*pBlend*/) override {}
  void DrawRotatedBitmap(const IBitmap& /*bitmap*/, float /*destCtrX*/, float /*destCtrY*/, double /*angle*/,
                         const IBlend* /*pBlend*/) override
  {}
  void DrawPoint(const IColor& /*color*/, float /*x*/, float /*y*/, const IBlend* /*pBlend*/) override {}
  void DrawLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend,
                float /*thickness*/) override
  {
    Record("draw line", color, {x1, y1, x2, y2}, pBlend);
  }
  void DrawDottedLine(const IColor& /*color*/, float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/,
                      const IBlend* /*pBlend*/, float /*thickness*/, float /*dashLen*/) override
  {}
  void DrawTriangle(const IColor& /*color*/, float /*x1*/, float /*y1*/, float /*x2*/, float /*y2*/, float /*x3*/,
                    float /*y3*/, const IBlend* /*pBlend*/, float /*thickness*/) override
  {}
  void DrawRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float /*thickness*/) override
  {
    Record("draw rect", color, {bounds.L, bounds.T, bounds.R, bounds.B}, pBlend);
  }
  void DrawRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* pBlend,
                     float thickness) override
  {
    Record("draw round rect", color, {bounds.L, bounds.T, bounds.R, bounds.B, cornerRadius, thickness}, pBlend);
  }
  // Corner radii in the order top-left, top-right, bottom-right, bottom-left follow the bounds.
  void DrawRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                     const IBlend* pBlend, float thickness) override
  {
    Record("draw round rect", color, {bounds.L, bounds.T, bounds.R, bounds.B, cRTL, cRTR, cRBR, cRBL, thickness},
           pBlend);
  }
  void DrawArc(const IColor& color, float cx, float cy, float r, float a1, float a2, const IBlend* pBlend,
               float thickness) override
  {
    Record("draw arc", color, {cx, cy, r, a1, a2, thickness}, pBlend);
  }
  void DrawCircle(const IColor& /*color*/, float /*cx*/, float /*cy*/, float /*r*/, const IBlend* /*pBlend*/,
                  float /*thickness*/) override
  {}
  void DrawEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float thickness) override
  {
    Record("draw ellipse", color, {bounds.L, bounds.T, bounds.R, bounds.B, thickness}, pBlend);
  }
  void DrawEllipse(const IColor& /*color*/, float /*x*/, float /*y*/, float /*r1*/, float /*r2*/, float /*angle*/,
                   const IBlend* /*pBlend*/, float /*thickness*/) override
  {}
  void DrawConvexPolygon(const IColor& /*color*/, float* /*x*/, float* /*y*/, int /*nPoints*/, const IBlend* /*pBlend*/,
                         float /*thickness*/) override
  {}
  void DrawDottedRect(const IColor& /*color*/, const IRECT& /*bounds*/, const IBlend* /*pBlend*/, float /*thickness*/,
                      float /*dashLen*/) override
  {}
  void FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                    const IBlend* pBlend) override
  {
    Record("fill triangle", color, {x1, y1, x2, y2, x3, y3}, pBlend);
  }
  void FillRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend) override
  {
    Record("fill rect", color, {bounds.L, bounds.T, bounds.R, bounds.B}, pBlend);
  }
  void FillRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* pBlend) override
  {
    Record("fill round rect", color, {bounds.L, bounds.T, bounds.R, bounds.B, cornerRadius}, pBlend);
  }
  void FillRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                     const IBlend* pBlend) override
  {
    Record("fill round rect", color, {bounds.L, bounds.T, bounds.R, bounds.B, cRTL, cRTR, cRBR, cRBL}, pBlend);
  }
  void FillCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend) override
  {
    mLog.Add("fill circle " + std::to_string(cx) + " " + std::to_string(cy) + " " + std::to_string(r));
    Record("fill circle", color, {cx, cy, r}, pBlend);
  }
  void FillEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend) override
  {
    Record("fill ellipse", color, {bounds.L, bounds.T, bounds.R, bounds.B}, pBlend);
  }
  void FillEllipse(const IColor& /*color*/, float /*x*/, float /*y*/, float /*r1*/, float /*r2*/, float /*angle*/,
                   const IBlend* /*pBlend*/) override
  {}
  void FillArc(const IColor& /*color*/, float /*cx*/, float /*cy*/, float /*r*/, float /*a1*/, float /*a2*/,
               const IBlend* /*pBlend*/) override
  {}
  void FillConvexPolygon(const IColor& /*color*/, float* /*x*/, float* /*y*/, int /*nPoints*/,
                         const IBlend* /*pBlend*/) override
  {}
  float MeasureText(const IText& /*text*/, const char* /*str*/, IRECT& bounds) const override
  {
    if (!mTextExtent)
      return 0.f;
    bounds = *mTextExtent;
    return bounds.W();
  }
  void DrawMultiLineText(const IText& /*text*/, const char* /*str*/, const IRECT& /*bounds*/,
                         const IBlend* /*pBlend*/) override
  {}
  IColor GetPoint(int /*x*/, int /*y*/) override { return IColor(); }
  void* GetDrawContext() override { return nullptr; }
  const char* GetDrawingAPIStr() override { return ""; }
  IBitmap ScaleBitmap(const IBitmap& /*inBitmap*/, const char* /*cacheName*/, int /*targetScale*/) override
  {
    return IBitmap();
  }
  void RetainBitmap(const IBitmap& /*bitmap*/, const char* /*cacheName*/) override {}
  void ReleaseBitmap(const IBitmap& /*bitmap*/) override {}
  bool BitmapExtSupported(const char* /*ext*/) override { return false; }
  void DrawGrid(const IColor& /*color*/, const IRECT& /*bounds*/, float /*gridSizeH*/, float /*gridSizeV*/,
                const IBlend* /*pBlend*/, float /*thickness*/) override
  {}
  void DrawData(const IColor& /*color*/, const IRECT& /*bounds*/, float* /*normYPoints*/, int /*nPoints*/,
                float* /*normXPoints*/, const IBlend* /*pBlend*/, float /*thickness*/,
                const IColor* /*pFillColor*/) override
  {}
  bool LoadFont(const char* /*fontID*/, const char* /*fileNameOrResID*/) override { return false; }
  bool LoadFont(const char* /*fontID*/, void* /*pData*/, int /*dataSize*/) override { return false; }
  void ApplyLayerDropShadow(ILayerPtr& /*layer*/, const IShadow& /*shadow*/) override {}
  void GetLayerBitmapData(const ILayerPtr& /*layer*/, WDL_TypedBuf<uint8_t>& /*data*/) override {}
  void ApplyShadowMask(ILayerPtr& /*layer*/, WDL_TypedBuf<uint8_t>& /*mask*/, const IShadow& /*shadow*/) override {}
  void PathClear() override {}
  void PathClose() override { Record("path close", IColor(), {}, nullptr); }
  void PathArc(float /*cx*/, float /*cy*/, float /*r*/, float /*a1*/, float /*a2*/, EWinding /*winding*/) override {}
  void PathMoveTo(float x, float y) override { Record("path move", IColor(), {x, y}, nullptr); }
  void PathLineTo(float x, float y) override { Record("path line", IColor(), {x, y}, nullptr); }
  void PathCubicBezierTo(float /*c1x*/, float /*c1y*/, float /*c2x*/, float /*c2y*/, float /*x2*/,
                         float /*y2*/) override
  {}
  void PathQuadraticBezierTo(float /*cx*/, float /*cy*/, float /*x2*/, float /*y2*/) override {}
  void PathStroke(const IPattern& /*pattern*/, float /*thickness*/, const IStrokeOptions& /*options*/,
                  const IBlend* /*pBlend*/) override
  {}
  void PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* pBlend) override
  {
    Record("path fill", pattern.NStops() ? pattern.GetStop(0).mColor : IColor(),
           {static_cast<float>(options.mFillRule), options.mPreserve ? 1.f : 0.f}, pBlend);
  }
  void PathTransformSetMatrix(const IMatrix& /*m*/) override {}
  void SetClipRegion(const IRECT& r) override { Record("clip", IColor(), {r.L, r.T, r.R, r.B}, nullptr); }
  void GetMouseLocation(float& x, float& y) const override
  {
    x = 0.f;
    y = 0.f;
  }
  void HideMouseCursor(bool hide, bool /*lock*/) override
  {
    mCursorHidden = hide;
    mLog.Add(hide ? "hide cursor" : "show cursor");
  }
  void MoveMouseCursor(float /*x*/, float /*y*/) override {}
  void ForceEndUserEdit() override {}
  void* OpenWindow(void* /*pParent*/) override { return nullptr; }
  void CloseWindow() override {}
  void* GetWindow() override { return nullptr; }
  bool GetTextFromClipboard(WDL_String& /*str*/) override { return false; }
  bool SetTextInClipboard(const char* /*str*/) override { return false; }
  void UpdateTooltips() override {}
  EMsgBoxResult ShowMessageBox(const char* /*str*/, const char* /*title*/, EMsgBoxType /*type*/,
                               IMsgBoxCompletionHandlerFunc /*completionHandler*/) override
  {
    return kNoResult;
  }
  void PromptForFile(WDL_String& /*fileName*/, WDL_String& /*path*/, EFileAction /*action*/, const char* /*ext*/,
                     IFileDialogCompletionHandlerFunc /*completionHandler*/) override
  {}
  void PromptForDirectory(WDL_String& /*dir*/, IFileDialogCompletionHandlerFunc /*completionHandler*/) override {}
  bool PromptForColor(IColor& /*color*/, const char* /*str*/, IColorPickerHandlerFunc /*func*/) override
  {
    return false;
  }
  bool OpenURL(const char* url, const char* /*msgWindowTitle*/, const char* /*confirmMsg*/,
               const char* /*errMsgOnFailure*/) override
  {
    mOpenedURLs.push_back(url ? url : "");
    return false;
  }
  PlatformFontPtr LoadPlatformFont(const char* /*fontID*/, const char* /*fileNameOrResID*/) override { return nullptr; }
  PlatformFontPtr LoadPlatformFont(const char* /*fontID*/, void* /*pData*/, int /*dataSize*/) override
  {
    return nullptr;
  }
  PlatformFontPtr LoadPlatformFont(const char* /*fontID*/, const char* /*fontName*/, ETextStyle /*style*/) override
  {
    return nullptr;
  }
  void CachePlatformFont(const char* /*fontID*/, const PlatformFontPtr& /*font*/) override {}
  void CreatePlatformTextEntry(int paramIdx, const IText& /*text*/, const IRECT& /*bounds*/, int /*length*/,
                               const char* str) override
  {
    mLog.Add("text entry " + std::to_string(paramIdx) + " " + str);
  }
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& /*bounds*/, bool& /*isAsync*/) override
  {
    mLog.Add("menu " + std::to_string(menu.NItems()));
    if (mMenuChoice < 0)
      return nullptr;
    menu.SetChosenItemIdx(mMenuChoice);
    return &menu;
  }
  IBitmap LoadBitmap(const char* /*name*/, int /*nStates*/, bool /*framesAreHorizontal*/, int /*targetScale*/) override
  {
    return IBitmap();
  }
  IBitmap LoadBitmap(const char* /*name*/, const void* /*pData*/, int /*dataSize*/, int /*nStates*/,
                     bool /*framesAreHorizontal*/, int /*targetScale*/) override
  {
    return IBitmap();
  }
  ISVG LoadSVG(const char* /*fileNameOrResID*/, const char* /*units*/, float /*dpi*/) override { return ISVG(); }
  ISVG LoadSVG(const char* /*name*/, const void* /*pData*/, int /*dataSize*/, const char* /*units*/,
               float /*dpi*/) override
  {
    return ISVG();
  }
  WDL_TypedBuf<uint8_t> LoadResource(const char* /*fileNameOrResID*/, const char* /*fileType*/) override
  {
    return WDL_TypedBuf<uint8_t>();
  }
  APIBitmap* LoadAPIBitmap(const char* /*fileNameOrResID*/, int /*scale*/, EResourceLocation /*location*/,
                           const char* /*ext*/) override
  {
    return nullptr;
  }
  APIBitmap* LoadAPIBitmap(const char* /*name*/, const void* /*pData*/, int /*dataSize*/, int /*scale*/) override
  {
    return nullptr;
  }
  APIBitmap* CreateAPIBitmap(int /*width*/, int /*height*/, float /*scale*/, double /*drawScale*/,
                             bool /*cacheable*/) override
  {
    return nullptr;
  }
  bool LoadAPIFont(const char* /*fontID*/, const PlatformFontPtr& /*font*/) override { return false; }
  int AlphaChannel() const override { return 0; }
  bool FlippedBitmap() const override { return false; }
  float DoMeasureText(const IText& /*text*/, const char* /*str*/, IRECT& /*bounds*/) const override { return 0.f; }
  void DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend) override
  {
    Record("text", text.mFGColor, {bounds.L, bounds.T, bounds.R, bounds.B}, pBlend);
    mDrawCalls.back().text = str;
  }

private:
  void Record(const char* op, const IColor& color, std::vector<float> coords, const IBlend* pBlend)
  {
    mDrawCalls.push_back({op, color, std::move(coords), pBlend ? pBlend->mWeight : 1.f, ""});
  }

  EventLog& mLog;
};

} // namespace igraphics
} // namespace iplug
