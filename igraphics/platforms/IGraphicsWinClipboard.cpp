#include "igraphics/platforms/DragAndDropHelpers.h"
#include "igraphics/platforms/IGraphicsWin.h"

#include "iplug/IPlugUTF8.h"

#include <cstring>
#include <cwchar>

namespace iplug
{
namespace igraphics
{
namespace
{
// Holds the clipboard open for a scope: another program can use it only once it is closed again.
class OpenedClipboard
{
public:
  explicit OpenedClipboard(HWND owner) : mOpen(OpenClipboard(owner) != 0) {}
  ~OpenedClipboard()
  {
    if (mOpen)
      CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return mOpen; }

private:
  bool mOpen;
};

// The clipboard takes the block only on success; otherwise it stays ours to free.
bool StoreInClipboard(UINT format, HGLOBAL block)
{
  if (!block)
    return false;
  if (SetClipboardData(format, block))
    return true;
  GlobalFree(block);
  return false;
}

HGLOBAL MakeTextBlock(const std::wstring& text)
{
  const SIZE_T size = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block)
    return nullptr;
  void* pData = GlobalLock(block);
  if (!pData)
  {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(pData, text.c_str(), size);
  GlobalUnlock(block);
  return block;
}

// Another program wrote the block: its text may lack the terminator, so it is read only within
// the block's size.
bool ReadTextBlock(HANDLE block, WDL_String& str)
{
  const auto* pText = static_cast<const wchar_t*>(GlobalLock(block));
  if (!pText)
    return false;
  const std::wstring text(pText, wcsnlen(pText, GlobalSize(block) / sizeof(wchar_t)));
  GlobalUnlock(block);
  UTF16ToUTF8(str, text.c_str());
  return true;
}
} // namespace

bool IGraphicsWin::GetTextFromClipboard(WDL_String& str)
{
  str.Set("");
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
    return false;
  OpenedClipboard clipboard(MessageBoxOwner());
  if (!clipboard.IsOpen())
    return false;
  HANDLE block = GetClipboardData(CF_UNICODETEXT);
  return block && ReadTextBlock(block, str);
}

bool IGraphicsWin::SetTextInClipboard(const char* str)
{
  OpenedClipboard clipboard(MessageBoxOwner());
  if (!clipboard.IsOpen() || !EmptyClipboard())
    return false;
  if (!str || !*str)
    return true;
  return StoreInClipboard(CF_UNICODETEXT, MakeTextBlock(UTF8ToUTF16(str)));
}

bool IGraphicsWin::SetFilePathInClipboard(const char* path)
{
  if (!path || !*path)
    return false;
  OpenedClipboard clipboard(MessageBoxOwner());
  if (!clipboard.IsOpen() || !EmptyClipboard())
    return false;
  return StoreInClipboard(CF_HDROP, DragAndDropHelpers::MakeFileDropBlock(UTF8ToUTF16(path), true));
}

bool IGraphicsWin::InitiateExternalFileDragDrop(const char* path, const IRECT&)
{
  if (!path || !*path)
    return false;
  DWORD effect = DROPEFFECT_NONE;
  HRESULT result;
  {
    DragAndDropHelpers::OleScope ole;
    auto* pData = new DragAndDropHelpers::DataObject(path);
    auto* pSource = new DragAndDropHelpers::DropSource;
    result = DoDragDrop(pData, pSource, DROPEFFECT_COPY, &effect);
    pData->Release();
    pSource->Release();
  }
  ReleaseMouseCapture();
  // A cancelled drag, and a drop where no target took the file, end with success codes too.
  return result == DRAGDROP_S_DROP && (effect & DROPEFFECT_COPY);
}

} // namespace igraphics
} // namespace iplug
