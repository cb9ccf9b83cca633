#include "igraphics/platforms/IGraphicsWinDialogs.h"
#include "igraphics/platforms/DragAndDropHelpers.h"
#include "igraphics/platforms/IGraphicsWin.h"

#include "iplug/IPlugUTF8.h"

#include <commdlg.h>
#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <cwchar>
#include <sstream>

namespace iplug
{
namespace igraphics
{
namespace
{
constexpr DWORD kFileBufferSize = 260;
constexpr size_t kMaxDefaultExtLength = 15;

// The open dialog ignores OFN_NOCHANGEDIR on some systems, so the host's working folder is put
// back by hand as well.
class KeptWorkingFolder
{
public:
  KeptWorkingFolder()
  {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    mFolder.resize(size);
    if (size == 0 || GetCurrentDirectoryW(size, &mFolder[0]) != size - 1)
      mFolder.clear();
  }
  ~KeptWorkingFolder()
  {
    if (!mFolder.empty())
      SetCurrentDirectoryW(mFolder.c_str());
  }
  KeptWorkingFolder(const KeptWorkingFolder&) = delete;
  KeptWorkingFolder& operator=(const KeptWorkingFolder&) = delete;

private:
  std::wstring mFolder;
};

int MessageBoxUTF8(HWND owner, const char* text, const char* caption, UINT type)
{
  return MessageBoxW(owner, UTF8ToUTF16(text).c_str(), caption ? UTF8ToUTF16(caption).c_str() : nullptr, type);
}

const wchar_t* NullIfEmpty(const std::wstring& text)
{
  return text.empty() ? nullptr : text.c_str();
}

// The dialog gives drive, folder and name in one buffer; the name starts at nameOffset.
void SetChosenFile(const wchar_t* chosen, WORD nameOffset, WDL_String& fileName, WDL_String& path)
{
  const std::wstring full(chosen);
  UTF16ToUTF8(fileName, full.c_str());
  UTF16ToUTF8(path, full.substr(0, std::min<size_t>(nameOffset, full.size())).c_str());
}

// Explorer reads its command line by the usual rules, where backslashes before a quote escape it:
// doubling those at the end of the path keeps the closing quote (a folder ends with one).
std::wstring QuotedForCommandLine(const std::wstring& path)
{
  const size_t trailing = path.size() - (path.find_last_not_of(L'\\') + 1);
  return L"\"" + path + std::wstring(trailing, L'\\') + L"\"";
}

// The colour dialog's caption and initial colour are set once it exists.
UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
  if (msg == WM_INITDIALOG)
  {
    const auto* pChoice = reinterpret_cast<const CHOOSECOLORW*>(lParam);
    SetWindowTextW(dialog, reinterpret_cast<const wchar_t*>(pChoice->lCustData));
    SendMessageW(dialog, RegisterWindowMessageW(L"commdlg_SetRGBColor"), 0, static_cast<LPARAM>(pChoice->rgbResult));
  }
  return 0;
}

struct FindWindowOfClass
{
  std::wstring className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevelWindow(HWND window, LPARAM lParam)
{
  auto* pSearch = reinterpret_cast<FindWindowOfClass*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  wchar_t className[256] = {};
  if (processId != GetCurrentProcessId() || !GetClassNameW(window, className, 256) || pSearch->className != className)
    return TRUE;
  pSearch->found = window;
  return FALSE;
}
} // namespace

FileDialogFilter MakeFileDialogFilter(const char* extensions)
{
  FileDialogFilter result;
  std::wistringstream words(UTF8ToUTF16(extensions));
  std::wstring patterns;
  for (std::wstring word; words >> word;)
  {
    if (patterns.empty())
      result.defaultExt = word.substr(0, kMaxDefaultExtLength);
    else
      patterns += L';';
    patterns += L"*." + word;
  }
  if (!patterns.empty())
    result.filter = patterns + L'\0' + patterns + L'\0' + L'\0';
  return result;
}

IGraphicsWin::ShellOpenFunc IGraphicsWin::sShellOpen = ShellExecuteW;

HWND IGraphicsWin::MessageBoxOwner()
{
  // The host may have closed the windows found before; a window of the same class stands in.
  if (mMainWnd && !IsWindow(mMainWnd))
    mMainWnd = nullptr;
  if (mMainWnd)
    return mMainWnd;
  if (mParentWnd && IsWindow(mParentWnd))
  {
    mMainWnd = GetAncestor(mParentWnd, GA_ROOT);
    wchar_t className[256] = {};
    if (mMainWnd && GetClassNameW(mMainWnd, className, 256))
      UTF16ToUTF8(mMainWndClassName, className);
  }
  else if (mMainWndClassName.GetLength())
  {
    FindWindowOfClass search{UTF8ToUTF16(mMainWndClassName.Get())};
    EnumWindows(MatchTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    mMainWnd = search.found;
  }
  return mMainWnd;
}

EMsgBoxResult IGraphicsWin::ShowMessageBox(const char* str, const char* title, EMsgBoxType type,
                                           IMsgBoxCompletionHandlerFunc completionHandler)
{
  ReleaseMouseCapture();
  const auto result = static_cast<EMsgBoxResult>(MessageBoxUTF8(MessageBoxOwner(), str, title, type));
  if (completionHandler)
    completionHandler(result);
  return result;
}

void IGraphicsWin::PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action, const char* ext,
                                 IFileDialogCompletionHandlerFunc completionHandler)
{
  if (!WindowIsOpen())
  {
    fileName.Set("");
    return;
  }
  wchar_t chosen[kFileBufferSize] = {};
  const std::wstring initialName = UTF8ToUTF16(fileName.Get());
  if (initialName.size() < kFileBufferSize)
    std::copy(initialName.begin(), initialName.end(), chosen);
  const std::wstring initialFolder = UTF8ToUTF16(path.Get());
  const FileDialogFilter filter = MakeFileDialogFilter(ext);
  const bool save = action == EFileAction::Save;

  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = mPlugWnd;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = kFileBufferSize;
  dialog.lpstrInitialDir = NullIfEmpty(initialFolder);
  dialog.lpstrFilter = NullIfEmpty(filter.filter);
  dialog.lpstrDefExt = NullIfEmpty(filter.defaultExt);
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);

  bool accepted;
  {
    KeptWorkingFolder keptFolder;
    accepted = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  }
  if (accepted)
    SetChosenFile(chosen, dialog.nFileOffset, fileName, path);
  else
    fileName.Set("");
  if (completionHandler)
    completionHandler(fileName, path);
  ReleaseMouseCapture();
}

void IGraphicsWin::PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler)
{
  dir.Set("");
  {
    DragAndDropHelpers::OleScope ole;
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = mPlugWnd;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = L"Choose a Directory";
    browse.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    if (PIDLIST_ABSOLUTE pFolder = SHBrowseForFolderW(&browse))
    {
      wchar_t folder[MAX_PATH] = {};
      if (SHGetPathFromIDListW(pFolder, folder))
        UTF16ToUTF8(dir, folder);
      // A drive's root already ends with its separator.
      if (dir.GetLength() && dir.Get()[dir.GetLength() - 1] != '\\')
        dir.Append("\\");
      CoTaskMemFree(pFolder);
    }
  }
  if (completionHandler)
    completionHandler(WDL_String(), dir);
  ReleaseMouseCapture();
}

bool IGraphicsWin::PromptForColor(IColor& color, const char* str, IColorPickerHandlerFunc func)
{
  ReleaseMouseCapture();
  if (!WindowIsOpen())
    return false;
  static COLORREF sCustomColors[16] = {};
  const std::wstring prompt = UTF8ToUTF16(str);
  CHOOSECOLORW dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = mPlugWnd;
  dialog.rgbResult = RGB(color.R, color.G, color.B);
  dialog.lpCustColors = sCustomColors;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
  dialog.lCustData = reinterpret_cast<LPARAM>(prompt.c_str());
  dialog.lpfnHook = ColorDialogHook;
  if (!ChooseColorW(&dialog))
    return false;
  color.R = GetRValue(dialog.rgbResult);
  color.G = GetGValue(dialog.rgbResult);
  color.B = GetBValue(dialog.rgbResult);
  if (func)
    func(color);
  return true;
}

bool IGraphicsWin::OpenURL(const char* url, const char* msgWindowTitle, const char* confirmMsg,
                           const char* errMsgOnFailure)
{
  if (confirmMsg && *confirmMsg && MessageBoxUTF8(mPlugWnd, confirmMsg, msgWindowTitle, MB_YESNO) != IDYES)
    return false;
  DWORD connection = 0;
  if (url && *url && InternetGetConnectedState(&connection, 0))
  {
    const HINSTANCE result = sShellOpen(mPlugWnd, L"open", UTF8ToUTF16(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) > 32)
      return true;
  }
  if (errMsgOnFailure && *errMsgOnFailure)
    MessageBoxUTF8(mPlugWnd, errMsgOnFailure, msgWindowTitle, MB_OK);
  return false;
}

bool IGraphicsWin::RevealPathInExplorerOrFinder(WDL_String& path, bool select)
{
  if (!path.GetLength())
    return false;
  wchar_t systemFolder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(systemFolder, MAX_PATH);
  if (length == 0 || length > 258)
    return false;
  const std::wstring target = UTF8ToUTF16(path.Get());
  // No file name holds a quote; one here would end the argument and start others.
  if (target.find(L'"') != std::wstring::npos)
    return false;
  const std::wstring parameters = (select ? L"/select," : L"") + QuotedForCommandLine(target);
  const HINSTANCE result = sShellOpen(mPlugWnd, L"open", L"explorer.exe", parameters.c_str(), systemFolder,
                                      SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace igraphics
} // namespace iplug
