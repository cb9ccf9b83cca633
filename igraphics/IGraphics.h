#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <vector>

#include "igraphics/IControl.h"
#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/IGraphicsConstants.h"
#include "igraphics/IGraphicsStructs.h"
#include "igraphics/ILayer.h"
#include "igraphics/ILifetime.h"
#include "igraphics/IMatrix.h"
#include "igraphics/IPattern.h"
#include "igraphics/IPopupMenu.h"
#include "igraphics/IRECTList.h"
#include "igraphics/StaticStorage.h"
#include "iplug/IPlugMidi.h"
#include "iplug/wdl/WdlHeapBuf.h"
#include "iplug/wdl/WdlPtrList.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

class IBubbleControl;
class ICornerResizerControl;
class IFPSDisplayControl;
class IGEditorDelegate;
class PlatformFont;

using PlatformFontPtr = std::unique_ptr<PlatformFont>;
using IKeyHandlerFunc = std::function<bool(const IKeyPress& key, bool isUp)>;
using IDisplayTickFunc = std::function<void()>;
using IUIAppearanceChangedFunc = std::function<void(EUIAppearance)>;
using IMsgBoxCompletionHandlerFunc = std::function<void(EMsgBoxResult)>;
using IFileDialogCompletionHandlerFunc = std::function<void(const WDL_String& fileName, const WDL_String& path)>;
using IColorPickerHandlerFunc = std::function<void(const IColor&)>;
using IControlFunction = std::function<void(IControl*)>;

/** The editor surface: owns the controls of one open editor, their tags and groups, the editor's
    size and scales, and names every operation a drawing back end or a platform must supply. */
class IGraphics
{
public:
  IGraphics(IGEditorDelegate& dlg, int w, int h, int fps = 0, float scale = 1.f);
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // Frames and the drawing context
  virtual void BeginFrame();
  virtual void OnViewInitialized(void* /*pContext*/) {}
  virtual void OnViewDestroyed() {}
  virtual void EndFrame() {}

  // Drawing
  virtual void DrawSVG(const ISVG& svg, const IRECT& bounds, const IBlend* pBlend = nullptr,
                       const IColor* pStrokeColor = nullptr, const IColor* pFillColor = nullptr);
  virtual void DrawRotatedSVG(const ISVG& svg, float destCtrX, float destCtrY, float width, float height, double angle,
                              const IBlend* pBlend = nullptr);
  virtual void DrawBitmap(const IBitmap& bitmap, const IRECT& bounds, int srcX, int srcY,
                          const IBlend* pBlend = nullptr) = 0;
  virtual void DrawFittedBitmap(const IBitmap& bitmap, const IRECT& bounds, const IBlend* pBlend = nullptr);
  virtual void DrawRotatedBitmap(const IBitmap& bitmap, float destCtrX, float destCtrY, double angle,
                                 const IBlend* pBlend = nullptr);
  virtual void DrawPoint(const IColor& color, float x, float y, const IBlend* pBlend = nullptr);
  virtual void DrawLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend = nullptr,
                        float thickness = 1.f);
  virtual void DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2,
                              const IBlend* pBlend = nullptr, float thickness = 1.f, float dashLen = 2.f) = 0;
  virtual void DrawTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlend* pBlend = nullptr, float thickness = 1.f);
  virtual void DrawRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr,
                        float thickness = 1.f);
  virtual void DrawRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlend* pBlend = nullptr, float thickness = 1.f);
  virtual void DrawRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                             const IBlend* pBlend = nullptr, float thickness = 1.f);
  virtual void DrawArc(const IColor& color, float cx, float cy, float r, float a1, float a2,
                       const IBlend* pBlend = nullptr, float thickness = 1.f);
  virtual void DrawCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend = nullptr,
                          float thickness = 1.f);
  virtual void DrawEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr,
                           float thickness = 1.f);
  virtual void DrawEllipse(const IColor& color, float x, float y, float r1, float r2, float angle = 0.f,
                           const IBlend* pBlend = nullptr, float thickness = 1.f);
  virtual void DrawConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend = nullptr,
                                 float thickness = 1.f);
  virtual void DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr,
                              float thickness = 1.f, float dashLen = 2.f) = 0;
  virtual void FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                            const IBlend* pBlend = nullptr);
  virtual void FillRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr);
  virtual void FillRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius = 5.f,
                             const IBlend* pBlend = nullptr);
  virtual void FillRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL,
                             const IBlend* pBlend = nullptr);
  virtual void FillCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend = nullptr);
  virtual void FillEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr);
  virtual void FillEllipse(const IColor& color, float x, float y, float r1, float r2, float angle = 0.f,
                           const IBlend* pBlend = nullptr);
  virtual void FillArc(const IColor& color, float cx, float cy, float r, float a1, float a2,
                       const IBlend* pBlend = nullptr);
  virtual void FillConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend = nullptr);
  virtual float MeasureText(const IText& text, const char* str, IRECT& bounds) const;
  virtual void DrawMultiLineText(const IText& text, const char* str, const IRECT& bounds,
                                 const IBlend* pBlend = nullptr);
  virtual IColor GetPoint(int x, int y) = 0;
  virtual void* GetDrawContext() = 0;
  virtual const char* GetDrawingAPIStr() = 0;

  // Bitmaps, fonts and layers
  virtual IBitmap ScaleBitmap(const IBitmap& inBitmap, const char* cacheName, int targetScale);
  virtual void RetainBitmap(const IBitmap& bitmap, const char* cacheName);
  virtual void ReleaseBitmap(const IBitmap& bitmap);
  virtual bool BitmapExtSupported(const char* ext) = 0;
  virtual void DrawFastDropShadow(const IRECT& /*innerBounds*/, const IRECT& /*outerBounds*/, float /*xyDrop*/ = 5.f,
                                  float /*roundness*/ = 0.f, float /*blur*/ = 10.f, const IBlend* /*pBlend*/ = nullptr)
  {}
  virtual void DrawGrid(const IColor& color, const IRECT& bounds, float gridSizeH, float gridSizeV,
                        const IBlend* pBlend = nullptr, float thickness = 1.f);
  virtual void DrawData(const IColor& color, const IRECT& bounds, float* normYPoints, int nPoints,
                        float* normXPoints = nullptr, const IBlend* pBlend = nullptr, float thickness = 1.f,
                        const IColor* pFillColor = nullptr);
  virtual bool LoadFont(const char* fontID, const char* fileNameOrResID);
  virtual bool LoadFont(const char* fontID, void* pData, int dataSize);
  virtual void ApplyLayerDropShadow(ILayerPtr& layer, const IShadow& shadow);
  virtual void GetLayerBitmapData(const ILayerPtr& layer, WDL_TypedBuf<uint8_t>& data) = 0;
  virtual void ApplyShadowMask(ILayerPtr& layer, WDL_TypedBuf<uint8_t>& mask, const IShadow& shadow) = 0;
  virtual void UpdateLayer() {}

  // Paths
  virtual void PathClear() = 0;
  virtual void PathClose() = 0;
  virtual void PathArc(float cx, float cy, float r, float a1, float a2, EWinding winding = EWinding::CW) = 0;
  virtual void PathMoveTo(float x, float y) = 0;
  virtual void PathLineTo(float x, float y) = 0;
  virtual void PathSetWinding(bool /*clockwise*/) {}
  virtual void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) = 0;
  virtual void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) = 0;
  virtual void PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                          const IBlend* pBlend = nullptr) = 0;
  virtual void PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* pBlend = nullptr) = 0;
  virtual void PathTransformSetMatrix(const IMatrix& m) = 0;
  virtual void CompleteRegion(const IRECT& /*bounds*/) {}
  virtual void SetClipRegion(const IRECT& r) = 0;

  // Platform: views, cursor, window, clipboard, dialogs
  virtual void AttachPlatformView(const IRECT& /*bounds*/, void* /*pView*/) {}
  virtual void RemovePlatformView(void* /*pView*/) {}
  virtual void HidePlatformView(void* /*pView*/, bool /*hide*/) {}
  virtual void GetMouseLocation(float& x, float& y) const = 0;
  virtual void HideMouseCursor(bool hide = true, bool lock = true) = 0;
  virtual void MoveMouseCursor(float x, float y) = 0;
  /** Returns the cursor that was showing. */
  virtual ECursor SetMouseCursor(ECursor cursorType = ECursor::ARROW);
  virtual void ForceEndUserEdit() = 0;
  virtual void* OpenWindow(void* pParent) = 0;
  virtual void CloseWindow() = 0;
  /** Hands the host's parent window back while the view lives on out of sight, so that the host may
      destroy its window before CloseWindow comes. Where the host takes the view away itself (a
      Cocoa superview) there is nothing to do. */
  virtual void ReleaseParentWindow() {}
  virtual void* GetWindow() = 0;
  virtual bool WindowIsOpen() { return GetWindow() != nullptr; }
  virtual bool GetTextFromClipboard(WDL_String& str) = 0;
  virtual bool SetTextInClipboard(const char* str) = 0;
  virtual bool SetFilePathInClipboard(const char* /*path*/) { return false; }
  virtual bool InitiateExternalFileDragDrop(const char* /*path*/, const IRECT& /*iconBounds*/) { return false; }
  virtual void UpdateTooltips() = 0;
  virtual EMsgBoxResult ShowMessageBox(const char* str, const char* title, EMsgBoxType type,
                                       IMsgBoxCompletionHandlerFunc completionHandler = nullptr) = 0;
  virtual void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action = EFileAction::Open,
                             const char* ext = "", IFileDialogCompletionHandlerFunc completionHandler = nullptr) = 0;
  virtual void PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler = nullptr) = 0;
  virtual bool PromptForColor(IColor& color, const char* str = "", IColorPickerHandlerFunc func = nullptr) = 0;
  virtual bool OpenURL(const char* url, const char* msgWindowTitle = nullptr, const char* confirmMsg = nullptr,
                       const char* errMsgOnFailure = nullptr) = 0;
  virtual const char* GetPlatformAPIStr() { return ""; }
  virtual bool RevealPathInExplorerOrFinder(WDL_String& /*path*/, bool /*select*/ = false) { return false; }
  virtual void SetWinModuleHandle(void* /*pInstance*/) {}
  virtual void* GetWinModuleHandle() { return nullptr; }
  virtual void ClientToScreen(float& /*x*/, float& /*y*/) {}
  virtual PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) = 0;
  virtual PlatformFontPtr LoadPlatformFont(const char* fontID, void* pData, int dataSize) = 0;
  virtual PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style) = 0;
  virtual void CachePlatformFont(const char* fontID, const PlatformFontPtr& font) = 0;
  virtual const char* GetBundleID() const { return ""; }
  virtual const char* GetAppGroupID() const { return ""; }
  virtual void ActivateGLContext() {}
  virtual void DeactivateGLContext() {}
  virtual void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                       const char* str) = 0;
  /** Returns the menu chosen in, or null; an asynchronous platform sets isAsync and answers later
      through SetControlValueAfterPopupMenu. */
  virtual IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) = 0;

  virtual ~IGraphics();

  virtual bool PlatformSupportsMultiTouch() const { return false; }
  virtual float GetPlatformWindowScale() const { return 1.f; }
  virtual void PlatformResize(bool /*parentHasResized*/) {}
  virtual void DrawResize() {}
  virtual void PostResize() {}
  virtual EUIAppearance GetUIAppearance() const { return EUIAppearance::Light; }

  // Resources
  virtual IBitmap LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false, int targetScale = 0);
  virtual IBitmap LoadBitmap(const char* name, const void* pData, int dataSize, int nStates = 1,
                             bool framesAreHorizontal = false, int targetScale = 0);
  virtual ISVG LoadSVG(const char* fileNameOrResID, const char* units = "px", float dpi = 72.f);
  virtual ISVG LoadSVG(const char* name, const void* pData, int dataSize, const char* units = "px", float dpi = 72.f);
  virtual WDL_TypedBuf<uint8_t> LoadResource(const char* fileNameOrResID, const char* fileType);
  /** Platforms that recognise gestures natively attach their recognisers for the listed types. */
  virtual void AttachGestureRecognizer(EGestureType type) { mGestures.push_back(type); }

  // Back-end resources
  virtual APIBitmap* LoadAPIBitmap(const char* fileNameOrResID, int scale, EResourceLocation location,
                                   const char* ext) = 0;
  virtual APIBitmap* LoadAPIBitmap(const char* name, const void* pData, int dataSize, int scale) = 0;
  virtual APIBitmap* CreateAPIBitmap(int width, int height, float scale, double drawScale, bool cacheable = false) = 0;
  virtual bool LoadAPIFont(const char* fontID, const PlatformFontPtr& font) = 0;
  virtual int AlphaChannel() const = 0;
  virtual bool FlippedBitmap() const = 0;
  virtual float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const = 0;
  virtual void DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend = nullptr) = 0;

  /** The total scale: screen scale times draw scale. */
  virtual float GetBackingPixelScale() const { return mScreenScale * mDrawScale; }

  // Attaching controls
  /** Adopts the control and returns it; null when the tag is already taken or the list refuses it,
      and the control is then deleted: the caller keeps no pointer to it. */
  IControl* AttachControl(IControl* pControl, int ctrlTag = kNoTag, const char* group = "");
  /** Adopts the control as the background: it goes first in the list, so it is drawn first. */
  IControl* AttachBackgroundControl(IControl* pControl);
  /** The image file (one frame) at the editor's top-left corner, drawn first; a file that does not
      load gives a control that draws nothing. */
  void AttachBackground(const char* fileName);
  /** The SVG file over the whole editor, drawn first; a file that does not load gives a control that
      draws nothing. */
  void AttachSVGBackground(const char* fileName);
  /** A panel painted with the pattern over the whole editor, drawn first. */
  void AttachPanelBackground(const IPattern& pattern);
  /** A resizer with a handle of the given side and colours in the editor's bottom-right corner. */
  void AttachCornerResizer(EUIResizerMode sizeMode = EUIResizerMode::Scale, bool layoutOnResize = false,
                           const IColor& color = COLOR_TRANSLUCENT, const IColor& mouseOverColor = COLOR_BLACK,
                           const IColor& dragColor = COLOR_BLACK, float size = 20.f);
  /** Adopts the resizer when none is attached; otherwise the new one is deleted. */
  void AttachCornerResizer(ICornerResizerControl* pResizer, EUIResizerMode sizeMode = EUIResizerMode::Scale,
                           bool layoutOnResize = false);
  /** A white bubble with a black outline; an editor may have several. */
  void AttachBubbleControl(const IText& text = DEFAULT_TEXT);
  void AttachBubbleControl(IBubbleControl* pBubble);
  /** The drawn menu that takes the place of the platform's menus; only the first call attaches one. */
  void AttachPopupMenuControl(const IText& text = DEFAULT_LABEL_TEXT, const IRECT& bounds = IRECT());
  /** The drawn text entry that takes the place of the platform's; only the first call attaches one. */
  void AttachTextEntryControl();
  void RemovePopupMenuControl();
  void RemoveTextEntryControl();
  /** Shows or removes the frame-time display; either way every control is repainted. */
  void ShowFPSDisplay(bool enable);
  /** Shows str in a bubble beside the caller at (x, y); with multi-touch, each touch that holds the
      caller gets a bubble of its own. Nothing happens without an attached bubble. */
  void ShowBubbleControl(IControl* pCaller, float x, float y, const char* str, EDirection dir = EDirection::Horizontal,
                         IRECT minimumContentBounds = IRECT());
  /** Gives the style to every ordinary control that is drawn by a vector base. */
  void StyleAllVectorControls(const IVStyle& style);
  /** The corner resizer's press starts a drag-resize; the next mouse up ends it. */
  void StartDragResize() { mResizingInProcess = true; }
  bool IsResizingInProcess() const { return mResizingInProcess; }
  /** Where the last single-point mouse down was. */
  void GetMouseDownPoint(float& x, float& y) const
  {
    x = mMouseDownX;
    y = mMouseDownY;
  }

  // Finding and removing
  int NControls() const { return mControls.GetSize(); }
  IControl* GetControl(int idx) const { return mControls.Get(idx); }
  int GetControlIdx(const IControl* pControl) const { return mControls.Find(pControl); }
  IControl* GetControlWithTag(int ctrlTag) const;
  IControl* GetControlWithParamIdx(int paramIdx) const;
  ICornerResizerControl* GetCornerResizer() const { return mCornerResizer.get(); }
  int NBubbleControls() const { return mBubbleControls.GetSize(); }
  IBubbleControl* GetBubbleControl(int idx) const { return mBubbleControls.Get(idx); }
  IFPSDisplayControl* GetPerfDisplay() const { return mPerfDisplay.get(); }
  void RemoveControlWithTag(int ctrlTag);
  void RemoveControl(int idx);
  void RemoveControl(IControl* pControl);
  /** Removes every control from fromIdx to the end, the last first. */
  void RemoveControls(int fromIdx);
  void RemoveAllControls();

  // Visibility, position, dirtiness
  void HideControl(int paramIdx, bool hide);
  void DisableControl(int paramIdx, bool disable);
  void SetControlPosition(IControl* pControl, float x, float y);
  void SetControlSize(IControl* pControl, float w, float h);
  void SetControlBounds(IControl* pControl, const IRECT& r);
  void SetAllControlsDirty();
  void SetAllControlsClean();
  /** Every control whose value 0 is linked to a parameter shows that parameter's name as its tooltip. */
  void AssignParamNameToolTips();
  /** Gives the caller's value at callerValIdx to every other control linked to the same parameter. */
  void UpdatePeers(IControl* pCaller, int callerValIdx);

  // Iteration
  void ForStandardControlsFunc(IControlFunction func);
  /** The ordinary controls, then the frame-rate display, the corner resizer, the text entry, the
      popup menu and the bubbles. */
  void ForAllControlsFunc(IControlFunction func);
  template <typename T, typename... Args>
  void ForAllControls(T method, Args... args)
  {
    ForAllControlsFunc([&](IControl* pControl) { (pControl->*method)(args...); });
  }
  template <typename T, typename... Args>
  void ForMatchingControls(T method, int paramIdx, Args... args)
  {
    ForControlWithParam(paramIdx, [&](IControl* pControl) { (pControl->*method)(args...); });
  }
  void ForControlWithParam(int paramIdx, IControlFunction func);
  /** Once for each listed parameter that a control is linked to. */
  void ForControlWithParam(std::initializer_list<int> params, IControlFunction func);
  void ForControlInGroup(const char* group, IControlFunction func);

  // Settings
  void EnableTooltips(bool enable);
  bool TooltipsEnabled() const { return mEnableTooltips; }
  void EnableMouseOver(bool enable) { mEnableMouseOver = enable; }
  bool MouseOverEnabled() const { return mEnableMouseOver; }
  void EnableMultiTouch(bool enable) { mEnableMultiTouch = enable; }
  bool MultiTouchEnabled() const { return mEnableMultiTouch; }
  void SetLayoutOnResize(bool layoutOnResize) { mLayoutOnResize = layoutOnResize; }
  bool GetLayoutOnResize() const { return mLayoutOnResize; }
  EUIResizerMode GetResizerMode() const { return mGUISizeMode; }
  void SetKeyHandlerFunc(IKeyHandlerFunc func) { mKeyHandlerFunc = std::move(func); }
  void SetDisplayTickFunc(IDisplayTickFunc func) { mDisplayTickFunc = std::move(func); }
  void SetUIAppearanceChangedFunc(IUIAppearanceChangedFunc func) { mAppearanceChangedFunc = std::move(func); }
  void SetScaleConstraints(float lo, float hi);
  void SetSharedResourcesSubPath(const char* path) { mSharedResourcesSubPath.Set(path); }
  const char* GetSharedResourcesSubPath() const { return mSharedResourcesSubPath.Get(); }

  // Size and scale
  void Resize(int w, int h, float scale, bool needsPlatformResize = true);
  void SetScreenScale(float scale);
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int WindowWidth() const { return static_cast<int>(mWidth * mDrawScale); }
  int WindowHeight() const { return static_cast<int>(mHeight * mDrawScale); }
  int FPS() const { return mFPS; }
  float GetDrawScale() const { return mDrawScale; }
  float GetScreenScale() const { return mScreenScale; }
  float GetMinScale() const { return mMinScale; }
  float GetMaxScale() const { return mMaxScale; }
  IRECT GetBounds() const { return IRECT(0.f, 0.f, static_cast<float>(mWidth), static_cast<float>(mHeight)); }

  // Input (IGraphicsInputDispatch.cpp); coordinates are unscaled editor pixels
  void OnMouseDown(const std::vector<IMouseInfo>& points);
  void OnMouseUp(const std::vector<IMouseInfo>& points);
  void OnMouseDrag(const std::vector<IMouseInfo>& points);
  void OnTouchCancelled(const std::vector<IMouseInfo>& points);
  /** True when a control was found. */
  bool OnMouseDblClick(float x, float y, const IMouseMod& mod);
  /** True when a control is under the mouse. */
  bool OnMouseOver(float x, float y, const IMouseMod& mod);
  void OnMouseOut();
  /** True when a control was found. */
  bool OnMouseWheel(float x, float y, const IMouseMod& mod, float delta);
  /** True when the key was handled. */
  bool OnKeyDown(float x, float y, const IKeyPress& key);
  bool OnKeyUp(float x, float y, const IKeyPress& key);
  void OnDrop(const char* str, float x, float y);
  void OnDropMultiple(const std::vector<const char*>& paths, float x, float y);
  void OnDragResize(float x, float y);
  void EndDragResize();
  void OnGUIIdle();
  void OnAppearanceChanged(EUIAppearance appearance);
  /** Turns letter keys into notes played through the delegate, then through func when set. */
  void SetQwertyMidiKeyHandlerFunc(std::function<void(const IMidiMsg& msg)> func = nullptr);
  /** Stops every note this editor's keyboard still sounds, as when the editor closes. */
  void ReleaseQwertyMidiNotes();
  bool RespondsToGesture(float x, float y);
  void OnGestureRecognized(const IGestureInfo& info);
  void AttachGestureRecognizerToRegion(const IRECT& bounds, EGestureType type, IGestureFunc func);
  void ClearGestureRegions();
  /** The host's context menu for the parameter, with the control's own items appended. */
  void PopupHostContextMenuForParam(IControl* pControl, int paramIdx, float x, float y);
  void PopupHostContextMenuForParam(int controlIdx, int paramIdx, float x, float y);
  /** The control that receives an event at (x, y): a captured one first, then the open drawn menu or
      text entry, the corner resizer, the frame-rate display, then the topmost hit control. */
  IControl* GetMouseControl(float x, float y, bool capture, bool mouseOver = false, uint64_t touchID = 0);
  /** The topmost control hit at (x, y), or -1. */
  int GetMouseControlIdx(float x, float y, bool mouseOver = false);
  int GetParamIdxForPTAutomation(float x, float y);
  int GetLastClickedParamForPTAutomation();
  void SetPTParameterHighlight(int paramIdx, bool isHighlighted, int color);

  // The host's edit gestures, begun and ended once per parameter however many paths ask
  void BeginHostGesture(int paramIdx);
  void EndHostGesture(int paramIdx);
  /** Ends every gesture still open, as when the editor closes. */
  void EndHostGestures();
  bool HostGestureIsOpen(int paramIdx) const;
  /** Told by a control just before it sends an edit of paramIdx: during an edit of its own (a turn
      of the wheel, a double click) the parameter's gesture begins here, at its first change, so an
      event that changes nothing tells the host nothing. */
  void BeforeParamEditFromUI(int paramIdx);

  // Captures
  /** Drops every capture and shows a hidden cursor again. */
  void ReleaseMouseCapture();
  bool ControlIsCaptured(const IControl* pControl) const;
  IControl* GetMouseOver() const { return mMouseOver; }
  int GetMouseOverIdx() const { return mMouseOverIdx; }

  // Prompts
  /** Opens a menu for an enumerated parameter, otherwise a text entry, for the control's value. */
  void PromptUserInput(IControl& control, const IRECT& bounds, int valIdx);
  void CreateTextEntry(IControl& control, const IText& text, const IRECT& bounds, const char* str = "", int valIdx = 0);
  void CreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx = 0);
  void SetControlValueAfterTextEdit(const char* str);
  void SetControlValueAfterPopupMenu(IPopupMenu* pMenu);
  /** Takes down at once the drawn menu open for the control, as when the menu it shows is about to
      be rebuilt: the control hears that it was dismissed. */
  void DismissPopupMenu(IControl& control);
  /** The drawn menu's delete gesture on an item, for the control whose menu is open. */
  void DeleteFromPopupMenu(IPopupMenu* pMenu, int itemIdx);
  IControl* GetControlInTextEntry() const { return mInTextEntry; }
  /** A dismissed text entry: the control keeps its value. */
  void ClearInTextEntryControl() { mInTextEntry = nullptr; }
  IControl* GetControlInPopupMenu() const { return mInPopupMenu; }
  IPopupMenu& GetPromptMenu() { return mPromptPopupMenu; }

  // Draw loop (IGraphicsDrawLoop.cpp)
  /** Appends the padded rect of every dirty control to rects; true when there was any. */
  bool IsDirty(IRECTList& rects);
  /** Draws one frame over the dirty regions; an empty list begins no frame. */
  void Draw(IRECTList& rects);
  void SetStrictDrawing(bool strict);

  // Drawing helpers built on the virtual operations (IGraphicsDraw.cpp)
  void DrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend = nullptr);
  void DrawText(const IText& text, const char* str, float x, float y, const IBlend* pBlend = nullptr);
  /** frame is 1-based and clamped to the bitmap's frames. */
  void DrawBitmap(const IBitmap& bitmap, const IRECT& bounds, int frame = 1, const IBlend* pBlend = nullptr);
  void DrawBitmapedText(const IBitmap& bitmap, const IRECT& bounds, IText& text, IBlend* pBlend, const char* str,
                        bool vCenter = true, bool multiline = false, int charWidth = 6, int charHeight = 12,
                        int charOffset = 0);
  /** y runs 0..1 from the bottom of r. */
  void DrawHorizontalLine(const IColor& color, const IRECT& r, float y, const IBlend* pBlend = nullptr,
                          float thickness = 1.f);
  /** x runs 0..1 from the left of r. */
  void DrawVerticalLine(const IColor& color, const IRECT& r, float x, const IBlend* pBlend = nullptr,
                        float thickness = 1.f);
  void DrawHorizontalLine(const IColor& color, float yi, float xLo, float xHi, const IBlend* pBlend = nullptr,
                          float thickness = 1.f);
  void DrawVerticalLine(const IColor& color, float xi, float yLo, float yHi, const IBlend* pBlend = nullptr,
                        float thickness = 1.f);
  void DrawLineAcross(const IColor& color, const IRECT& r, EDirection dir, float pos, const IBlend* pBlend = nullptr,
                      float thickness = 1.f);
  void DrawRadialLine(const IColor& color, float cx, float cy, float angle, float rMin, float rMax,
                      const IBlend* pBlend = nullptr, float thickness = 1.f);
  void PathRadialLine(float cx, float cy, float angle, float rMin, float rMax);
  void PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3);
  void PathRect(const IRECT& bounds);
  void PathRoundRect(const IRECT& bounds, float cornerRadius);
  void PathRoundRect(const IRECT& bounds, float cRTL, float cRTR, float cRBR, float cRBL);
  void PathCircle(float cx, float cy, float r);
  void PathEllipse(const IRECT& bounds);
  void PathEllipse(float x, float y, float r1, float r2, float angle = 0.f);
  void PathConvexPolygon(float* x, float* y, int nPoints);
  /** Where a rotated text lands: rect becomes the bounding box of the turned text, (tx, ty) the
      move that aligns it within bounds. */
  void CalculateTextRotation(const IText& text, const IRECT& bounds, IRECT& rect, double& tx, double& ty) const;

  // Layers, clipping and transforms (IGraphicsLayers.cpp)
  void StartLayer(IControl* pControl, const IRECT& r, bool cacheable = false);
  void ResumeLayer(ILayerPtr& layer);
  ILayerPtr EndLayer();
  /** False when the layer must be drawn again: gone, moved with its control, or at another scale. */
  bool CheckLayer(const ILayerPtr& layer);
  void DrawLayer(const ILayerPtr& layer, const IBlend* pBlend = nullptr);
  void DrawFittedLayer(const ILayerPtr& layer, const IRECT& bounds, const IBlend* pBlend = nullptr);
  void DrawRotatedLayer(const ILayerPtr& layer, double angle);
  /** An empty rect clips to the whole area being drawn. */
  void PathClipRegion(const IRECT r = IRECT());
  void PathTransformSave();
  void PathTransformRestore();
  void PathTransformReset(bool clearStates = false);
  void PathTransformTranslate(float x, float y);
  void PathTransformScale(float scaleX, float scaleY);
  void PathTransformScale(float scale);
  void PathTransformRotate(float angle);
  void PathTransformSkew(float xAngle, float yAngle);
  void PathTransformMatrix(const IMatrix& matrix);
  const IMatrix& GetTransform() const { return mTransform; }

  // Resource lookup (IGraphicsResources.cpp)
  /** The location of the best file for targetScale and the scale of the one found; 0 when none. */
  EResourceLocation SearchImageResource(const char* name, const char* type, WDL_String& result, int targetScale,
                                        int& sourceScale);
  APIBitmap* SearchBitmapInCache(const char* name, int targetScale, int& sourceScale);
  // The common end of both LoadBitmap forms: a freshly loaded bitmap at the target scale joins
  // the editor's cache; at another scale a scaled copy is returned, and the fresh source is
  // deleted unless the back end keeps it.
  IBitmap FinishBitmapLoad(APIBitmap* pBitmap, bool fresh, bool backEndKeepsSource, const char* name, int nStates,
                           bool framesAreHorizontal, int targetScale);
  IBitmap GetScaledBitmap(IBitmap& src);
  bool LoadFont(const char* fontID, const char* fontName, ETextStyle style);
  // The common end of every LoadFont form: a platform font the back end takes is cached for the
  // editor's later loads; none (a failed platform load) is no font.
  bool AdoptPlatformFont(const char* fontID, const PlatformFontPtr& font);

  IGEditorDelegate* GetDelegate() const { return mDelegate; }

  // The editor's life (IGraphicsClose.cpp)
  /** Ends when the editor closes, before the object is deleted. A platform checks it when an answer
      arrives after a sheet or a modal loop returns: a closed editor answers no prompt. */
  const ILifetime& GetLifetime() const { return mLifetime; }
  /** Held by a platform around each call that its event loop makes into this object. A host may
      close the editor from inside a modal loop that such a call runs (a dialog, a menu): the view
      is then closed and the object deleted only when the outermost call is let go, never under the
      frames of its own controls. */
  class PlatformCall
  {
  public:
    explicit PlatformCall(IGraphics& graphics);
    ~PlatformCall();
    PlatformCall(const PlatformCall&) = delete;
    PlatformCall& operator=(const PlatformCall&) = delete;

  private:
    IGraphics& mGraphics;
  };
  /** Ends the editor's gestures and prompts, closes its platform view and deletes it: at once, or,
      when closed from inside a platform call, when that call returns. */
  static void CloseAndDelete(std::unique_ptr<IGraphics> pGraphics);

  /** The process-wide image caches, shared by every open editor. Lock the bitmap cache first when
      both are held. */
  static StaticStorage<APIBitmap>& BitmapCache();
  static StaticStorage<SVGHolder>& SVGCache();

protected:
  // Draw loop and layer stack (IGraphicsDrawLoop.cpp, IGraphicsLayers.cpp)
  void Draw(const IRECT& bounds, float scale);
  void DrawControl(IControl* pControl, const IRECT& bounds, float scale);
  void PrepareRegion(const IRECT& r);
  void PushLayer(ILayer* pLayer);
  ILayer* PopLayer();
  void DoMeasureTextRotation(const IText& text, const IRECT& bounds, IRECT& rect) const;
  void DoDrawSVG(const ISVG& svg, const IBlend* pBlend, const IColor* pStrokeColor, const IColor* pFillColor);

  void DoCreatePopupMenu(IControl& control, IPopupMenu& menu, const IRECT& bounds, int valIdx, bool isContext);
  /** Hands a menu's outcome (null when dismissed) to the control, inside the host gestures it needs. */
  void AnswerPopupMenu(IControl& control, IPopupMenu* pMenu, int valIdx, bool isContext);
  /** Tells each point's captured control, ends its gestures and drops its capture. */
  void ReleaseTouches(const std::vector<IMouseInfo>& points,
                      const std::function<void(IControl&, const IMouseInfo&)>& notify);
  /** The parameters of the control's linked values, in value order. */
  static std::vector<int> LinkedParams(const IControl& control);
  void BeginHostGestures(const IControl& control);
  void EndHostGestures(const IControl& control);
  /** Runs edit with one gesture of its own for each parameter it changes, ended after it; a
      parameter whose gesture is already open (a press holds it) stays in that one. */
  void EditInOwnGestures(const std::function<void()>& edit);
  void SendQwertyNote(uint8_t status, int pitch, uint8_t velocity);

  /** Adoption without the tag map: back pointers, then OnInit, OnResize, OnRescale. */
  void AdoptControl(IControl& control);
  void OnControlRemoved(IControl* pControl);
  /** Ends the host gesture of every captured control, then drops the captures. */
  void EndCapturedGestures();

  WDL_PtrList<IControl> mControls;
  std::unordered_map<int, IControl*> mCtrlTags;
  std::unique_ptr<ICornerResizerControl> mCornerResizer;
  WDL_PtrList<IBubbleControl> mBubbleControls;
  std::unique_ptr<IControl> mPopupControl;
  std::unique_ptr<IFPSDisplayControl> mPerfDisplay;
  std::unique_ptr<IControl> mTextEntryControl;
  IPopupMenu mPromptPopupMenu;
  IRECT mPerfDisplayBounds;
  WDL_String mSharedResourcesSubPath;
  ECursor mCursorType = ECursor::ARROW;
  int mWidth;
  int mHeight;
  int mFPS;
  float mScreenScale = 1.f;
  float mDrawScale;
  std::vector<EGestureType> mGestures;
  IRECTList mGestureRegions;
  std::unordered_map<int, IGestureFunc> mGestureRegionFuncs;
  std::unordered_map<uint64_t, IControl*> mCapturedMap;
  std::vector<int> mOpenGestures;
  /** The gestures begun by the edit of its own that is running; null outside one. */
  std::vector<int>* mOwnGestures = nullptr;
  IControl* mMouseOver = nullptr;
  IControl* mInTextEntry = nullptr;
  IControl* mInPopupMenu = nullptr;
  bool mIsContextMenu = false;
  int mTextEntryValIdx = kNoValIdx;
  int mPopupMenuValIdx = kNoValIdx;
  int mMouseOverIdx = -1;
  float mMouseDownX = -1.f;
  float mMouseDownY = -1.f;
  float mMinScale = 0.5f;
  float mMaxScale = 4.f;
  int mLastClickedParam = kNoParameter;
  bool mEnableMouseOver = false;
  bool mStrict = false;
  bool mEnableTooltips = false;
  bool mResizingInProcess = false;
  bool mLayoutOnResize = false;
  bool mEnableMultiTouch = false;
  EUIResizerMode mGUISizeMode = EUIResizerMode::Scale;
  double mPrevTimestamp = 0.;
  IKeyHandlerFunc mKeyHandlerFunc;
  std::function<void(const IMidiMsg&)> mQwertyMidiFunc;
  /** The notes this editor's keyboard sent a note-on for and no note-off yet. */
  std::bitset<128> mQwertyNotesOn;
  IDisplayTickFunc mDisplayTickFunc;
  IUIAppearanceChangedFunc mAppearanceChangedFunc;
  IGEditorDelegate* mDelegate;
  bool mCursorHidden = false;
  bool mCursorLock = false;
  bool mTabletInput = false;
  float mHiddenCursorX = -1.f;
  float mHiddenCursorY = -1.f;
  std::deque<ILayer*> mLayers;
  IRECT mClipRECT;
  IMatrix mTransform;
  std::deque<IMatrix> mTransformStates;
  ILifetime mLifetime;
  int mPlatformCalls = 0;
  bool mCloseAfterPlatformCalls = false;
};

} // namespace igraphics
} // namespace iplug
