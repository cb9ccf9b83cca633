#include "igraphics/platforms/IGraphicsWin.h"

#include "igraphics/IGraphicsEditorDelegate.h"
#include "iplug/IPlugParameter.h"
#include "iplug/IPlugUTF8.h"

#include <cwchar>

namespace iplug
{
namespace igraphics
{
namespace
{
constexpr int kEditControlID = 99;
constexpr LONG_PTR kEditMarker = 0xdeadf00b;
// The longest text a commit reads from the EDIT, in wide characters.
constexpr int kMaxCommitChars = 256;

DWORD EditAlignStyle(ETextAlign align)
{
  switch (align)
  {
  case kAlignNear: return ES_LEFT;
  case kAlignFar: return ES_RIGHT;
  default: return ES_CENTER;
  }
}

/** An EDIT over bounds (editor units, f window pixels each) showing str. */
HWND MakeEditWindow(HWND parent, HINSTANCE instance, const IText& text, const IRECT& bounds, float f, const char* str)
{
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ES_AUTOHSCROLL | ES_MULTILINE |
                      EditAlignStyle(text.mAlign);
  const std::wstring wideStr = UTF8ToUTF16(str ? str : "");
  return CreateWindowExW(0, L"EDIT", wideStr.c_str(), style, static_cast<int>(bounds.L * f),
                         static_cast<int>(bounds.T * f), static_cast<int>(bounds.W() * f + 1),
                         static_cast<int>(bounds.H() * f + 1), parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditControlID)), instance, nullptr);
}

/** Length limit, font and selection of a new EDIT; centred text starts half the spare height down. */
void PrepareEditWindow(HWND hEdit, HFONT font, int length, const IText& text, const IRECT& bounds, float f)
{
  SendMessageW(hEdit, EM_LIMITTEXT, static_cast<WPARAM>(length > 0 ? length : 0), 0);
  if (font)
    SendMessageW(hEdit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  SendMessageW(hEdit, EM_SETSEL, 0, -1);
  if (text.mVAlign == kVAlignMiddle)
  {
    RECT formatting = {0, static_cast<LONG>((bounds.H() * f - f * text.mSize) / 2),
                       static_cast<LONG>(bounds.W() * f) + 1, static_cast<LONG>(bounds.H() * f) + 1};
    SendMessageW(hEdit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&formatting));
  }
}

/** The EDIT's text, cut to kMaxCommitChars wide characters without splitting a surrogate pair. */
void ReadEditText(HWND hEdit, WDL_String& text)
{
  wchar_t wide[kMaxCommitChars + 1] = {};
  const int length = GetWindowTextW(hEdit, wide, kMaxCommitChars + 1);
  wide[length > 0 ? length : 0] = L'\0';
  if (length == kMaxCommitChars && IS_HIGH_SURROGATE(wide[length - 1]))
    wide[length - 1] = L'\0';
  UTF16ToUTF8(text, wide);
}
} // namespace

void IGraphicsWin::CreatePlatformTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                           const char* str)
{
  if (mParamEditWnd)
    return;
  const float f = PixelScale();
  mParamEditWnd = mPlugWnd ? MakeEditWindow(mPlugWnd, mHInstance, text, bounds, f, str) : nullptr;
  if (!mParamEditWnd)
  {
    // Nothing to type into: the editor must not stay waiting for a text that never comes.
    ClearInTextEntryControl();
    return;
  }

  mEditFont = CopyCachedFont(text.mFont, static_cast<int>(f * text.mSize));
  IGEditorDelegate* pDelegate = GetDelegate();
  mEditParam = (pDelegate && paramIdx >= 0 && paramIdx < pDelegate->NParams()) ? pDelegate->GetParam(paramIdx)
                                                                               : nullptr;
  mEditText = text;
  mEditRECT = bounds;
  mParamEditMsg = kNone;
  PrepareEditWindow(mParamEditWnd, mEditFont, length, text, bounds, f);

  // Subclassed before it takes the focus, so that the entry starts in the editing state.
  mDefEditProc = reinterpret_cast<WNDPROC>(
    SetWindowLongPtrW(mParamEditWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IGraphicsWin::ParamEditProc)));
  SetWindowLongPtrW(mParamEditWnd, GWLP_USERDATA, kEditMarker);
  SetFocus(mParamEditWnd);
}

void IGraphicsWin::ForceEndUserEdit()
{
  if (mParamEditWnd)
    mParamEditMsg = kCancel;
}

LRESULT CALLBACK IGraphicsWin::ParamEditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  auto* pGraphics = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(GetParent(hWnd), GWLP_USERDATA));
  if (!pGraphics || hWnd != pGraphics->mParamEditWnd)
    return DefWindowProcW(hWnd, msg, wParam, lParam);
  return pGraphics->HandleEditMessage(hWnd, msg, wParam, lParam);
}

LRESULT IGraphicsWin::HandleEditMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  const WNDPROC defProc = mDefEditProc;
  if (mShowingTooltip)
    HideTooltip();
  switch (msg)
  {
  case WM_SETFOCUS: mParamEditMsg = kEditing; break;
  case WM_KILLFOCUS: mParamEditMsg = kCommit; break;
  case WM_GETDLGCODE:
  {
    LRESULT code = CallWindowProcW(defProc, hWnd, msg, wParam, lParam);
    const MSG* pQueried = reinterpret_cast<const MSG*>(lParam);
    if (pQueried && pQueried->message == WM_KEYDOWN && pQueried->wParam == VK_RETURN)
      code |= DLGC_WANTALLKEYS;
    return code;
  }
  case WM_KEYDOWN:
    if (wParam == VK_RETURN || wParam == VK_ESCAPE)
    {
      mParamEditMsg = wParam == VK_RETURN ? kCommit : kCancel;
      return 0;
    }
    break;
  case WM_CHAR:
    if (!EditAcceptsChar(static_cast<wchar_t>(wParam)))
      return 0;
    break;
  case WM_COMMAND:
    if (HIWORD(wParam) == 1)
    {
      mParamEditMsg = kCommit;
      return 0;
    }
    break;
  case WM_NCDESTROY:
  {
    // Destroyed by something other than DestroyEditWindow: the entry is over, and a later one must
    // not find this one still in the way.
    const LRESULT result = CallWindowProcW(defProc, hWnd, msg, wParam, lParam);
    ForgetEditWindow();
    ClearInTextEntryControl();
    return result;
  }
  }
  return CallWindowProcW(defProc, hWnd, msg, wParam, lParam);
}

bool IGraphicsWin::EditAcceptsChar(wchar_t c) const
{
  // Enter has ended the entry on its key press; as a character the multi-line EDIT would put a
  // line break over the selected text.
  if (c == L'\r' || c == L'\n')
    return false;
  if (!mEditParam || c == VK_BACK)
    return true;
  const bool isDigitOrSign = (c >= L'0' && c <= L'9') || c == L'+' || c == L'-';
  switch (mEditParam->Type())
  {
  case IParam::kTypeBool:
  case IParam::kTypeInt:
  case IParam::kTypeEnum: return isDigitOrSign;
  case IParam::kTypeDouble: return isDigitOrSign || c == L'.';
  default: return true;
  }
}

void IGraphicsWin::ForgetEditWindow()
{
  if (mEditFont)
    DeleteObject(mEditFont);
  mParamEditWnd = nullptr;
  mDefEditProc = nullptr;
  mEditFont = nullptr;
  mEditParam = nullptr;
  mParamEditMsg = kNone;
}

void IGraphicsWin::DestroyEditWindow()
{
  if (!mParamEditWnd)
    return;
  HWND hEdit = mParamEditWnd;
  SetWindowLongPtrW(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mDefEditProc));
  DestroyWindow(hEdit);
  ForgetEditWindow();
}

void IGraphicsWin::FinishTextEntry()
{
  const EParamEditMsg outcome = mParamEditMsg;
  mParamEditMsg = kNone;
  if (!mParamEditWnd)
    return;
  if (outcome == kCancel)
  {
    DestroyEditWindow();
    ClearInTextEntryControl();
  }
  else if (outcome == kCommit)
  {
    WDL_String text;
    ReadEditText(mParamEditWnd, text);
    // Gone before the value lands, so that whatever the value sets off may open a new entry.
    DestroyEditWindow();
    SetControlValueAfterTextEdit(text.Get());
  }
}

} // namespace igraphics
} // namespace iplug
