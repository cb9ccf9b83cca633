#pragma once

#include <CoreGraphics/CGGeometry.h>

#include "igraphics/drawing/IGraphicsNanoVG.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

/** The macOS editor: a Cocoa view (IGraphicsView, named with the plug-in's suffix) in the host's
 * parent view, drawn by NanoVG on Metal from the view's redraw timer. Nearly every platform call is
 * a message to that view or a Cocoa/Core Graphics call; nothing here runs off the main thread. */
class IGraphicsMac : public IGraphicsNanoVG
{
public:
  IGraphicsMac(IGEditorDelegate& dlg, int w, int h, int fps, float scale);
  ~IGraphicsMac() override;

  void SetBundleID(const char* id) { mBundleIdentifier.Set(id); }
  void SetAppGroupID(const char* id) { mAppGroupIdentifier.Set(id); }
  const char* GetBundleID() const override { return mBundleIdentifier.Get(); }
  const char* GetAppGroupID() const override { return mAppGroupIdentifier.Get(); }

  // The window and its view (IGraphicsMac.mm).
  void* OpenWindow(void* pParent) override;
  void CloseWindow() override;
  void ReleaseParentWindow() override;
  bool WindowIsOpen() override { return mCocoaView != nullptr; }
  void* GetWindow() override { return mCocoaView; }
  void PlatformResize(bool parentHasResized) override;
  void AttachPlatformView(const IRECT& r, void* pView) override;
  void RemovePlatformView(void* pView) override;
  void HidePlatformView(void* pView, bool hide) override;
  void UpdateTooltips() override;
  const char* GetPlatformAPIStr() override { return "Cocoa"; }
  EUIAppearance GetUIAppearance() const override;
  void ActivateGLContext() override;
  void DeactivateGLContext() override;

  // The cursor (IGraphicsMac.mm).
  void GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide = true, bool lock = true) override;
  void MoveMouseCursor(float x, float y) override;
  ECursor SetMouseCursor(ECursor cursorType = ECursor::ARROW) override;
  /** For every mouse event of the view: holds a locked, hidden cursor where it was hidden and
   * gives the position that drag deltas are measured from. */
  void DoCursorLock(float x, float y, float& prevX, float& prevY);
  /** Editor units to screen points and back. */
  void PointToScreen(float& x, float& y) const;
  void ScreenToPoint(float& x, float& y) const;
  /** The system version, 0x10A0 style, worked out once; nothing in the editor reads it. */
  static int GetUserOSVersion();
  /** The system version that an AppKit of this version number stands for. */
  static int UserOSVersionForAppKit(double appKitVersion);

  // The clipboard, dialogs and the workspace (IGraphicsMacDialogs.mm).
  bool GetTextFromClipboard(WDL_String& str) override;
  bool SetTextInClipboard(const char* str) override;
  bool SetFilePathInClipboard(const char* path) override;
  bool InitiateExternalFileDragDrop(const char* path, const IRECT& iconBounds) override;
  EMsgBoxResult ShowMessageBox(const char* str, const char* title, EMsgBoxType type,
                               IMsgBoxCompletionHandlerFunc completionHandler = nullptr) override;
  void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action = EFileAction::Open,
                     const char* ext = "", IFileDialogCompletionHandlerFunc completionHandler = nullptr) override;
  void PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler = nullptr) override;
  bool OpenURL(const char* url, const char* msgWindowTitle = nullptr, const char* confirmMsg = nullptr,
               const char* errMsgOnFailure = nullptr) override;
  bool RevealPathInExplorerOrFinder(WDL_String& path, bool select = false) override;

  // Menus, text entry and the colour panel (IGraphicsMacMenus.mm).
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;
  void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) override;
  void ForceEndUserEdit() override;
  bool PromptForColor(IColor& color, const char* str = "", IColorPickerHandlerFunc func = nullptr) override;

  // Fonts (IGraphicsMacFonts.mm).
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, void* pData, int dataSize) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style) override;
  void CachePlatformFont(const char* fontID, const PlatformFontPtr& font) override;

  /** A rectangle of editor units in view points: scaled by the draw scale, left and top rounded
   * down, right and bottom rounded up. */
  IRECT ScaledRect(const IRECT& r) const;

  // What the view's event handlers read and set of the editor's input state (IGraphicsView.mm).
  void SetTabletInput(bool tablet) { mTabletInput = tablet; }
  bool HasTextEntryControl() const { return mTextEntryControl != nullptr; }
  bool MouseIsCaptured() const { return !mCapturedMap.empty(); }
  ECursor GetCursorType() const { return mCursorType; }

private:
  void StoreCursorPosition();
  void RepositionCursor(CGPoint point);
  /** Tooltips removed, timer stopped, view removed and released, then the drawing torn down. */
  void CloseView();

  void* mCocoaView = nullptr; // the IGraphicsView, retained while open
  CGPoint mHeldCursorPoint = {0., 0.};
  WDL_String mBundleIdentifier;
  WDL_String mAppGroupIdentifier;
};

} // namespace igraphics
} // namespace iplug
