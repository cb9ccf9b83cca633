#include "igraphics/platforms/IGraphicsHeadless.h"

#include "igraphics/IGraphicsEditorDelegate.h"
#include "iplug/IPlugPaths.h"

#include <fstream>
#include <iterator>

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

void* IGraphicsHeadless::OpenWindow(void* /*pParent*/)
{
  CloseWindow();
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
  GetDelegate()->OnUIOpen();
  return &mGL;
}

void IGraphicsHeadless::CloseWindow()
{
  if (!mGL.IsValid())
    return;
  ActivateGLContext();
  OnViewDestroyed();
  mGL.Destroy();
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
  return true;
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

void IGraphicsHeadless::PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction /*action*/,
                                      const char* /*ext*/, IFileDialogCompletionHandlerFunc completionHandler)
{
  ++mRecord.fileOrColorPrompts;
  fileName.Set("");
  if (completionHandler)
    completionHandler(fileName, path);
}

void IGraphicsHeadless::PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler)
{
  ++mRecord.fileOrColorPrompts;
  dir.Set("");
  if (completionHandler)
    completionHandler(dir, dir);
}

bool IGraphicsHeadless::PromptForColor(IColor& /*color*/, const char* /*str*/, IColorPickerHandlerFunc /*func*/)
{
  ++mRecord.fileOrColorPrompts;
  return false;
}

bool IGraphicsHeadless::OpenURL(const char* url, const char*, const char*, const char*)
{
  mRecord.openedURLs.push_back(url ? url : "");
  return true;
}

void IGraphicsHeadless::CreatePlatformTextEntry(int /*paramIdx*/, const IText& /*text*/, const IRECT& /*bounds*/,
                                                int /*length*/, const char* str)
{
  mRecord.textEntry = str ? str : "";
}

IPopupMenu* IGraphicsHeadless::CreatePlatformPopupMenu(IPopupMenu& /*menu*/, const IRECT& /*bounds*/, bool& isAsync)
{
  ++mRecord.popupMenus;
  isAsync = false;
  return nullptr;
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
