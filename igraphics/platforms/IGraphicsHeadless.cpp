#include "igraphics/platforms/IGraphicsHeadless.h"

#include "igraphics/IGraphicsEditorDelegate.h"
#include "iplug/IPlugManualTimer.h"
#include "iplug/IPlugPaths.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace iplug
{
namespace igraphics
{

namespace
{

/** A font file read into memory. */
class HeadlessFont : public PlatformFont
{
public:
  explicit HeadlessFont(std::vector<uint8_t> bytes) : PlatformFont(false), mBytes(std::move(bytes)) {}

  FontDescriptor GetDescriptor() override { return mBytes.data(); }

  IFontDataPtr GetFontData() override
  {
    const int size = static_cast<int>(mBytes.size());
    const int face = GetFaceIdx(mBytes.data(), size, "");
    return std::make_unique<IFontData>(mBytes.data(), size, face);
  }

private:
  std::vector<uint8_t> mBytes;
};

/** A file prompt left for later: like a sheet, it holds its completion, which may outlive the
 * editor that asked. */
struct PendingFilePrompt
{
  IFileDialogCompletionHandlerFunc completion;
};

/** The prompt's answer as a platform gives it: the whole path as the name, its folder as the path. */
void SetChosenFile(const char* chosen, WDL_String& fileName, WDL_String& path)
{
  fileName.Set(chosen ? chosen : "");
  if (!chosen)
    return;
  const std::string full(chosen);
  const size_t slash = full.find_last_of('/');
  path.Set(slash == std::string::npos ? "" : full.substr(0, slash).c_str());
}

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return {};
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

IGraphicsHeadless::IGraphicsHeadless(IGEditorDelegate& dlg, int w, int h, int fps, float scale)
: IGraphicsNanoVG(dlg, w, h, fps, scale)
{}

IGraphicsHeadless::~IGraphicsHeadless()
{
  CloseWindow();
}

void* IGraphicsHeadless::OpenWindow(void* pParent)
{
  CloseWindow();
  mWindow = static_cast<HeadlessWindow*>(pParent);
  const int w = static_cast<int>(WindowWidth() * GetScreenScale());
  const int h = static_cast<int>(WindowHeight() * GetScreenScale());
  if (!mGL.Create(w, h))
    return nullptr;
  // There is no default framebuffer: ours must be bound before the back end looks for one.
  mGL.BindWindowFramebuffer();
  OnViewInitialized(nullptr);
  SetScreenScale(GetScreenScale());
  GetDelegate()->LayoutUI(this);
  SetAllControlsDirty();
  if (mWindow)
  {
    mWindow->editor = this;
    mWindow->send = &IGraphicsHeadless::SendFromWindow;
    mWindow->readPixels = &IGraphicsHeadless::ReadPixelsFromWindow;
    mWindow->writePNG = &IGraphicsHeadless::WritePNGFromWindow;
  }
  GetDelegate()->OnUIOpen();
  return &mGL;
}

void IGraphicsHeadless::CloseWindow()
{
  ReleaseParentWindow();
  mMenuAnsweredLater = nullptr;
  if (!mGL.IsValid())
    return;
  ActivateGLContext();
  OnViewDestroyed();
  mGL.Destroy();
}

void IGraphicsHeadless::ReleaseParentWindow()
{
  // The test may open another editor on the same window before this one is closed.
  if (!mWindow)
    return;
  mWindow->editor = nullptr;
  mWindow->send = nullptr;
  mWindow->readPixels = nullptr;
  mWindow->writePNG = nullptr;
  mWindow = nullptr;
}

void IGraphicsHeadless::PlatformResize(bool /*parentHasResized*/)
{
  if (!mGL.IsValid())
    return;
  const int w = static_cast<int>(WindowWidth() * GetScreenScale());
  const int h = static_cast<int>(WindowHeight() * GetScreenScale());
  if (w != mGL.Width() || h != mGL.Height())
    mGL.Resize(w, h);
  mGL.BindWindowFramebuffer();
}

bool IGraphicsHeadless::Tick()
{
  if (!mGL.IsValid())
    return false;
  IRECTList rects;
  if (!IsDirty(rects))
    return false;
  SetAllControlsClean();
  ActivateGLContext();
  mGL.BindWindowFramebuffer();
  Draw(rects);
  ReportDrawn(rects);
  return true;
}

void IGraphicsHeadless::ReportDrawn(const IRECTList& rects) const
{
  if (!mWindow || !mWindow->drew)
    return;
  // Drawing has aligned and merged the list: it now holds the regions painted (strict drawing
  // paints their union instead).
  std::vector<float> ltrb;
  for (int i = 0; i < rects.Size(); ++i)
  {
    const IRECT& r = rects.Get(i);
    ltrb.insert(ltrb.end(), {r.L, r.T, r.R, r.B});
  }
  mWindow->drew(mWindow->host, ltrb.data(), rects.Size());
}

IColor IGraphicsHeadless::PixelAt(int x, int y) const
{
  const std::vector<uint8_t> px = ReadPixels();
  if (x < 0 || y < 0 || x >= mGL.Width() || y >= mGL.Height())
    return IColor();
  const uint8_t* p = &px[(static_cast<size_t>(y) * mGL.Width() + x) * 4];
  return IColor(p[3], p[0], p[1], p[2]);
}

void IGraphicsHeadless::GetMouseLocation(float& x, float& y) const
{
  x = mMouseX;
  y = mMouseY;
}

void IGraphicsHeadless::HideMouseCursor(bool hide, bool lock)
{
  mCursorHidden = hide;
  mCursorLock = hide && lock;
}

void IGraphicsHeadless::MoveMouseCursor(float x, float y)
{
  mMouseX = x;
  mMouseY = y;
}

bool IGraphicsHeadless::GetTextFromClipboard(WDL_String& str)
{
  // A test host's clipboard stands for the system's; without one the editor's own record does.
  if (mWindow && mWindow->clipboardText)
  {
    const char* text = mWindow->clipboardText(mWindow->host);
    str.Set(text ? text : "");
    return text && *text;
  }
  str.Set(mRecord.clipboard.c_str());
  return !mRecord.clipboard.empty();
}

bool IGraphicsHeadless::SetTextInClipboard(const char* str)
{
  mRecord.clipboard = str ? str : "";
  return true;
}

EMsgBoxResult IGraphicsHeadless::ShowMessageBox(const char* str, const char* /*title*/, EMsgBoxType /*type*/,
                                                IMsgBoxCompletionHandlerFunc completionHandler)
{
  mRecord.messageBoxes.push_back(str ? str : "");
  if (completionHandler)
    completionHandler(mMessageBoxResult);
  return mMessageBoxResult;
}

void IGraphicsHeadless::PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction /*action*/, const char* ext,
                                      IFileDialogCompletionHandlerFunc completionHandler)
{
  ++mRecord.fileOrColorPrompts;
  if (mWindow && mWindow->filePromptsAnswerLater && completionHandler)
  {
    // A second prompt while one is waiting replaces it, answered as cancelled.
    AnswerPendingFilePrompt(mWindow, nullptr);
    mWindow->pendingFilePrompt = new PendingFilePrompt{std::move(completionHandler)};
    mWindow->answerPendingFilePrompt = &IGraphicsHeadless::AnswerPendingFilePrompt;
    fileName.Set("");
    return;
  }
  // The script stands for a modal dialog: the host may close the editor while it runs.
  const char* chosen = mWindow && mWindow->answerFilePrompt ? mWindow->answerFilePrompt(mWindow->host, ext) : nullptr;
  SetChosenFile(chosen, fileName, path);
  if (completionHandler)
    completionHandler(fileName, path);
}

void IGraphicsHeadless::AnswerPendingFilePrompt(HeadlessWindow* window, const char* path)
{
  if (!window || !window->pendingFilePrompt)
    return;
  std::unique_ptr<PendingFilePrompt> pending(static_cast<PendingFilePrompt*>(window->pendingFilePrompt));
  window->pendingFilePrompt = nullptr;
  WDL_String fileName, folder;
  SetChosenFile(path, fileName, folder);
  pending->completion(fileName, folder);
}

void IGraphicsHeadless::PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler)
{
  ++mRecord.fileOrColorPrompts;
  dir.Set("");
  if (completionHandler)
    completionHandler(dir, dir);
}

bool IGraphicsHeadless::PromptForColor(IColor& color, const char* str, IColorPickerHandlerFunc func)
{
  ++mRecord.fileOrColorPrompts;
  if (!mWindow || !mWindow->answerColor)
    return false;
  // A byte per channel crosses to the script, as a platform chooser shows it.
  auto toByte = [](int32_t c) { return static_cast<unsigned char>(std::clamp(c, 0, 255)); };
  unsigned char argb[4] = {toByte(color.A), toByte(color.R), toByte(color.G), toByte(color.B)};
  if (!mWindow->answerColor(mWindow->host, str ? str : "", argb))
    return false;
  color = IColor(argb[0], argb[1], argb[2], argb[3]);
  if (func)
    func(color);
  return true;
}

bool IGraphicsHeadless::OpenURL(const char* url, const char*, const char*, const char*)
{
  mRecord.openedURLs.push_back(url ? url : "");
  return true;
}

void IGraphicsHeadless::CreatePlatformTextEntry(int paramIdx, const IText& /*text*/, const IRECT& /*bounds*/,
                                                int /*length*/, const char* str)
{
  mRecord.textEntry = str ? str : "";
  if (!mWindow || !mWindow->answerTextEntry)
    return;
  if (const char* typed = mWindow->answerTextEntry(mWindow->host, mRecord.textEntry.c_str(), paramIdx))
    SetControlValueAfterTextEdit(typed);
}

IPopupMenu* IGraphicsHeadless::CreatePlatformPopupMenu(IPopupMenu& menu, const IRECT& /*bounds*/, bool& isAsync)
{
  ++mRecord.popupMenus;
  isAsync = false;
  if (!mWindow || !mWindow->answerMenu)
    return nullptr;

  std::vector<const char*> items;
  std::vector<int> checked;
  for (int i = 0; i < menu.NItems(); ++i)
  {
    items.push_back(menu.GetItemText(i));
    checked.push_back(menu.GetItem(i)->GetChecked() ? 1 : 0);
  }
  const HeadlessMenuRequest request{menu.GetRootTitle(), menu.NItems(), items.data(), checked.data()};
  const int choice = mWindow->answerMenu(mWindow->host, &request);
  // As with a native menu's modal loop, the host may have closed the editor meanwhile.
  if (!GetLifetime().Alive())
    return nullptr;
  if (choice == kHeadlessAnswerLater)
  {
    isAsync = true;
    mMenuAnsweredLater = &menu;
    return nullptr;
  }
  if (choice < 0 || choice >= menu.NItems())
    return nullptr;
  Choose(menu, choice);
  return &menu;
}

void IGraphicsHeadless::Choose(IPopupMenu& menu, int itemIdx)
{
  // As a native menu does, the menu's own function hears of the choice before the control does.
  menu.SetChosenItemIdx(itemIdx);
  if (menu.GetFunction())
    menu.GetFunction()(&menu);
}

void IGraphicsHeadless::AnswerLaterMenu(int choice)
{
  IPopupMenu* pMenu = mMenuAnsweredLater;
  mMenuAnsweredLater = nullptr;
  // The menu belongs to the control that asked; once that control is gone, so may be the menu.
  if (!pMenu || !GetControlInPopupMenu())
    return;
  if (choice >= 0 && choice < pMenu->NItems())
  {
    Choose(*pMenu, choice);
    SetControlValueAfterPopupMenu(pMenu);
  }
  else
  {
    SetControlValueAfterPopupMenu(nullptr);
  }
}

int IGraphicsHeadless::SendFromWindow(void* editor, const HeadlessEvent* event)
{
  if (!editor || !event)
    return 0;
  auto* pGraphics = static_cast<IGraphicsHeadless*>(editor);
  const PlatformCall call(*pGraphics);
  return pGraphics->Send(*event) ? 1 : 0;
}

int IGraphicsHeadless::ReadPixelsFromWindow(void* editor, unsigned char* rgba, int capacity, int* width, int* height)
{
  const auto* self = static_cast<const IGraphicsHeadless*>(editor);
  const bool open = self && self->mGL.IsValid();
  const int w = open ? self->mGL.Width() : 0;
  const int h = open ? self->mGL.Height() : 0;
  if (width)
    *width = w;
  if (height)
    *height = h;
  const int needed = w * h * 4;
  if (needed > 0 && rgba && capacity >= needed)
  {
    const std::vector<uint8_t> px = self->ReadPixels();
    std::memcpy(rgba, px.data(), std::min(px.size(), static_cast<size_t>(needed)));
  }
  return needed;
}

int IGraphicsHeadless::WritePNGFromWindow(void* editor, const char* path)
{
  const auto* self = static_cast<const IGraphicsHeadless*>(editor);
  return self && self->WritePNG(path) ? 1 : 0;
}

bool IGraphicsHeadless::Send(const HeadlessEvent& event)
{
  IMouseInfo info;
  info.x = event.x;
  info.y = event.y;
  info.dX = event.dX;
  info.dY = event.dY;
  const int m = event.modifiers;
  info.ms = IMouseMod(m & kHeadlessLeft, m & kHeadlessRight, m & kHeadlessShift, m & kHeadlessControl,
                      m & kHeadlessAlt);
  const IKeyPress key(event.text, event.virtualKey, m & kHeadlessShift, m & kHeadlessControl, m & kHeadlessAlt);

  switch (event.type)
  {
  case kHeadlessMouseDown:
    MoveMouseCursor(event.x, event.y);
    OnMouseDown({info});
    return true;
  case kHeadlessMouseUp:
    MoveMouseCursor(event.x, event.y);
    OnMouseUp({info});
    return true;
  case kHeadlessMouseDrag:
    MoveMouseCursor(event.x, event.y);
    OnMouseDrag({info});
    return true;
  case kHeadlessDoubleClick: MoveMouseCursor(event.x, event.y); return OnMouseDblClick(event.x, event.y, info.ms);
  case kHeadlessMouseOver: MoveMouseCursor(event.x, event.y); return OnMouseOver(event.x, event.y, info.ms);
  case kHeadlessMouseOut: OnMouseOut(); return true;
  case kHeadlessWheel: return OnMouseWheel(event.x, event.y, info.ms, event.delta);
  case kHeadlessKeyDown: return OnKeyDown(event.x, event.y, key);
  case kHeadlessKeyUp: return OnKeyUp(event.x, event.y, key);
  case kHeadlessDrop: OnDrop(event.text ? event.text : "", event.x, event.y); return true;
  case kHeadlessTick: return Tick();
  case kHeadlessTextEntryDone:
    if (!GetControlInTextEntry())
      return false;
    if (event.text)
      SetControlValueAfterTextEdit(event.text);
    else
      ClearInTextEntryControl();
    return true;
  case kHeadlessMenuDone:
    if (!mMenuAnsweredLater)
      return false;
    AnswerLaterMenu(event.menuChoice);
    return true;
  case kHeadlessIdle:
    // Timers are per module: this reaches the ones of the module the editor lives in.
    ManualTimer::AdvanceAll(static_cast<uint32_t>(std::max(event.delta, 0.f)));
    return true;
  default: return false;
  }
}

PlatformFontPtr IGraphicsHeadless::LoadPlatformFont(const char* /*fontID*/, const char* fileNameOrResID)
{
  if (!fileNameOrResID)
    return nullptr;
  WDL_String path;
  std::string file;
  if (LocateResource(fileNameOrResID, "ttf", path, GetBundleID(), nullptr, GetSharedResourcesSubPath()) != kNotFound)
    file = path.Get();
  else
    file = std::string(BRIMVALE_HEADLESS_FONT_DIR "/") + fileNameOrResID;
  std::vector<uint8_t> bytes = ReadWholeFile(file);
  if (bytes.empty())
    return nullptr;
  return std::make_unique<HeadlessFont>(std::move(bytes));
}

PlatformFontPtr IGraphicsHeadless::LoadPlatformFont(const char* /*fontID*/, void* pData, int dataSize)
{
  if (!pData || dataSize <= 0)
    return nullptr;
  const auto* bytes = static_cast<const uint8_t*>(pData);
  return std::make_unique<HeadlessFont>(std::vector<uint8_t>(bytes, bytes + dataSize));
}

PlatformFontPtr IGraphicsHeadless::LoadPlatformFont(const char*, const char*, ETextStyle)
{
  return nullptr;
}

} // namespace igraphics
} // namespace iplug
