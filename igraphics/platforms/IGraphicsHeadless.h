#pragma once

#include "igraphics/drawing/IGraphicsNanoVG.h"
#include "igraphics/platforms/HeadlessGLContext.h"
#include "igraphics/platforms/HeadlessWindow.h"

#include <string>
#include <vector>

namespace iplug
{
namespace igraphics
{

/** The editor without a window, for Linux tests: NanoVG on an EGL surfaceless context draws
 * into a framebuffer object that stands in for the window. Platform requests that a test can
 * check (clipboard, URLs, prompts, text entry, menus) are recorded; fonts come from files.
 * Opened on a HeadlessWindow, it takes its input from the test and has its prompts answered by
 * the test's script. */
class IGraphicsHeadless : public IGraphicsNanoVG
{
public:
  IGraphicsHeadless(IGEditorDelegate& dlg, int w, int h, int fps = 60, float scale = 1.f);
  ~IGraphicsHeadless() override;

  /** One redraw tick: collects dirty regions and, when there are any, draws them. */
  bool Tick();
  /** The window's pixels, RGBA, top row first. */
  std::vector<uint8_t> ReadPixels() const { return mGL.ReadPixels(); }
  /** The colour of one window pixel (device pixels from the top left). */
  IColor PixelAt(int x, int y) const;
  bool WritePNG(const char* path) const { return mGL.WritePNG(path); }
  int WindowPixelWidth() const { return mGL.Width(); }
  int WindowPixelHeight() const { return mGL.Height(); }

  void* OpenWindow(void* pParent) override;
  void CloseWindow() override;
  void ReleaseParentWindow() override;
  void* GetWindow() override { return mGL.IsValid() ? &mGL : nullptr; }
  void PlatformResize(bool parentHasResized) override;
  void ActivateGLContext() override { mGL.MakeCurrent(); }
  const char* GetPlatformAPIStr() override { return "headless"; }

  void GetMouseLocation(float& x, float& y) const override;
  void HideMouseCursor(bool hide = true, bool lock = true) override;
  void MoveMouseCursor(float x, float y) override;
  void ForceEndUserEdit() override {}
  bool GetTextFromClipboard(WDL_String& str) override;
  bool SetTextInClipboard(const char* str) override;
  void UpdateTooltips() override {}
  EMsgBoxResult ShowMessageBox(const char* str, const char* title, EMsgBoxType type,
                               IMsgBoxCompletionHandlerFunc completionHandler = nullptr) override;
  void PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action = EFileAction::Open,
                     const char* ext = "", IFileDialogCompletionHandlerFunc completionHandler = nullptr) override;
  void PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler = nullptr) override;
  /** The window's colour script chooses; on a choice color takes it and func gets it. Without a
   * script the chooser counts as cancelled. */
  bool PromptForColor(IColor& color, const char* str = "", IColorPickerHandlerFunc func = nullptr) override;
  bool OpenURL(const char* url, const char* msgWindowTitle = nullptr, const char* confirmMsg = nullptr,
               const char* errMsgOnFailure = nullptr) override;
  void CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                               const char* str) override;
  IPopupMenu* CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& bounds, bool& isAsync) override;

  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fileNameOrResID) override;
  PlatformFontPtr LoadPlatformFont(const char* fontID, void* pData, int dataSize) override;
  /** There are no system fonts here. */
  PlatformFontPtr LoadPlatformFont(const char* fontID, const char* fontName, ETextStyle style) override;
  void CachePlatformFont(const char*, const PlatformFontPtr&) override {}

  /** What the platform was asked to do, for tests to look at. */
  struct Record
  {
    std::string clipboard;
    std::vector<std::string> openedURLs;
    std::vector<std::string> messageBoxes;
    std::string textEntry;
    int popupMenus = 0;
    int fileOrColorPrompts = 0;
  };
  const Record& GetRecord() const { return mRecord; }
  /** The answer that the next message boxes give. */
  void SetMessageBoxResult(EMsgBoxResult result) { mMessageBoxResult = result; }

  /** One event from the test, as a platform would deliver it; true when the editor took it. */
  bool Send(const HeadlessEvent& event);

private:
  static int SendFromWindow(void* editor, const HeadlessEvent* event);
  static int ReadPixelsFromWindow(void* editor, unsigned char* rgba, int capacity, int* width, int* height);
  static int WritePNGFromWindow(void* editor, const char* path);
  static void AnswerPendingFilePrompt(HeadlessWindow* window, const char* path);
  void ReportDrawn(const IRECTList& rects) const;
  void AnswerLaterMenu(int choice);
  static void Choose(IPopupMenu& menu, int itemIdx);

  HeadlessWindow* mWindow = nullptr;
  IPopupMenu* mMenuAnsweredLater = nullptr;
  HeadlessGLContext mGL;
  Record mRecord;
  EMsgBoxResult mMessageBoxResult = kOK;
  float mMouseX = 0.f;
  float mMouseY = 0.f;
};

} // namespace igraphics
} // namespace iplug
