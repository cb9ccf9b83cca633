#include "WinEditorFixture.h"
#include "WinModalHelpers.h"

#include "igraphics/IControl.h"
#include "igraphics/platforms/IGraphicsWinDialogs.h"

#include <colordlg.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>
#include <shlobj.h>

#include <fstream>

using iplug::WDL_String;
using iplug::igraphics::EFileAction;
using iplug::igraphics::EMsgBoxResult;
using iplug::igraphics::EMsgBoxType;
using iplug::igraphics::FileDialogFilter;
using iplug::igraphics::IColor;
using iplug::igraphics::IGraphicsWin;
using iplug::igraphics::MakeFileDialogFilter;

namespace
{
std::string Narrow(const std::wstring& wide)
{
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &narrow[0], n, nullptr, nullptr);
  narrow.resize(static_cast<size_t>(n - 1));
  return narrow;
}

std::wstring WorkingFolder()
{
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

std::wstring ControlText(HWND dialog, int id)
{
  wchar_t text[512] = {};
  GetDlgItemTextW(dialog, id, text, 512);
  return text;
}

/** A fresh folder (with a non-ASCII name) under the temporary folder, removed with what it holds. */
class TempFolder
{
public:
  TempFolder()
  {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    mPath = std::wstring(temp) + L"brimvale dialogs \x00e9t\x00e9 " + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(mPath.c_str(), nullptr);
  }
  ~TempFolder()
  {
    for (const std::wstring& file : mFiles)
      DeleteFileW(file.c_str());
    RemoveDirectoryW(mPath.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return mPath; }
  /** The full path of a file in the folder, made empty on disk when create holds. */
  std::wstring File(const std::wstring& name, bool create = true)
  {
    const std::wstring file = mPath + L"\\" + name;
    mFiles.push_back(file);
    if (create)
      CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return file;
  }

private:
  std::wstring mPath;
  std::vector<std::wstring> mFiles;
};

// A control that takes the mouse, so that a test can see whether a dialog released the capture.
class PlainControl : public iplug::igraphics::IControl
{
public:
  PlainControl() : IControl(iplug::igraphics::IRECT(0.f, 0.f, 100.f, 100.f)) {}
  void Draw(iplug::igraphics::IGraphics&) override {}
};

iplug::igraphics::IControl* CaptureAControl(IGraphicsWin& graphics)
{
  iplug::igraphics::IControl* pControl = graphics.AttachControl(new PlainControl);
  iplug::igraphics::IMouseInfo point;
  point.x = 10.f;
  point.y = 10.f;
  point.ms.L = true;
  graphics.OnMouseDown({point});
  return pControl;
}

// ---- The open and save dialogs' filter ----

struct FilterCase
{
  const char* name;
  const char* extensions;
  std::wstring filter;
  std::wstring defaultExt;
};

class FileFilterTest : public ::testing::TestWithParam<FilterCase>
{};

TEST_P(FileFilterTest, BuildsPatternsAndTheDefaultExtension)
{
  const FileDialogFilter filter = MakeFileDialogFilter(GetParam().extensions);
  EXPECT_EQ(filter.filter, GetParam().filter);
  EXPECT_EQ(filter.defaultExt, GetParam().defaultExt);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
  Extensions, FileFilterTest,
  ::testing::Values(FilterCase{"Two", "wav aif", L"*.wav;*.aif\0*.wav;*.aif\0\0"s, L"wav"},
                    FilterCase{"One", "wav", L"*.wav\0*.wav\0\0"s, L"wav"},
                    FilterCase{"ExtraSpaces", "  wav   aif ", L"*.wav;*.aif\0*.wav;*.aif\0\0"s, L"wav"},
                    FilterCase{"NonAscii", "w\xC3\xA4v", L"*.w\x00e4v\0*.w\x00e4v\0\0"s, L"w\x00e4v"},
                    FilterCase{"LongDefaultCut", "abcdefghijklmnopqrst aif",
                               L"*.abcdefghijklmnopqrst;*.aif\0*.abcdefghijklmnopqrst;*.aif\0\0"s, L"abcdefghijklmno"},
                    FilterCase{"Empty", "", L"", L""}, FilterCase{"OnlySpaces", "   ", L"", L""},
                    FilterCase{"Null", nullptr, L"", L""}),
  [](const auto& info) { return std::string(info.param.name); });

// ---- The shell ----

struct ShellCall
{
  int count = 0;
  HWND window = nullptr;
  std::wstring operation, file, parameters, directory;
  int show = -1;
};

ShellCall gShellCall;
INT_PTR gShellResult = 42;

HINSTANCE RecordShellOpen(HWND window, const wchar_t* operation, const wchar_t* file, const wchar_t* parameters,
                          const wchar_t* directory, int show)
{
  ++gShellCall.count;
  gShellCall.window = window;
  gShellCall.operation = operation ? operation : L"(null)";
  gShellCall.file = file ? file : L"(null)";
  gShellCall.parameters = parameters ? parameters : L"(null)";
  gShellCall.directory = directory ? directory : L"(null)";
  gShellCall.show = show;
  return reinterpret_cast<HINSTANCE>(gShellResult);
}

struct ShellTest : ::testing::Test
{
  ShellTest()
  {
    gShellCall = {};
    gShellResult = 42;
    IGraphicsWin::sShellOpen = RecordShellOpen;
  }
  ~ShellTest() override { IGraphicsWin::sShellOpen = saved; }

  IGraphicsWin::ShellOpenFunc saved = IGraphicsWin::sShellOpen;
  wintest::TestDelegate delegate;
  IGraphicsWin graphics{delegate, 300, 200, 60, 1.f};
};

struct RevealCase
{
  const char* name;
  const char* path;
  bool select;
  std::wstring parameters;
  std::wstring argument; // what explorer reads back from its command line
};

class RevealTest : public ShellTest, public ::testing::WithParamInterface<RevealCase>
{};

TEST_P(RevealTest, StartsExplorerWithTheQuotedPath)
{
  WDL_String path(GetParam().path);
  EXPECT_TRUE(graphics.RevealPathInExplorerOrFinder(path, GetParam().select));
  ASSERT_EQ(gShellCall.count, 1);
  wchar_t systemFolder[MAX_PATH] = {};
  GetSystemDirectoryW(systemFolder, MAX_PATH);
  EXPECT_EQ(gShellCall.operation, L"open");
  EXPECT_EQ(gShellCall.file, L"explorer.exe");
  EXPECT_EQ(gShellCall.parameters, GetParam().parameters);
  EXPECT_EQ(gShellCall.directory, systemFolder);
  EXPECT_EQ(gShellCall.show, SW_SHOWNORMAL);

  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW((L"explorer.exe " + gShellCall.parameters).c_str(), &count);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(std::wstring(arguments[1]), GetParam().argument);
  LocalFree(arguments);
}

INSTANTIATE_TEST_SUITE_P(
  Paths, RevealTest,
  ::testing::Values(RevealCase{"SelectFile", "C:\\Samples\\pad.wav", true, L"/select,\"C:\\Samples\\pad.wav\"",
                               L"/select,C:\\Samples\\pad.wav"},
                    RevealCase{"OpenFolderWithSpaces", "C:\\My Samples", false, L"\"C:\\My Samples\"",
                               L"C:\\My Samples"},
                    RevealCase{"FolderWithTrailingBackslash", "C:\\My Samples\\", false, L"\"C:\\My Samples\\\\\"",
                               L"C:\\My Samples\\"},
                    RevealCase{"DriveRoot", "D:\\", true, L"/select,\"D:\\\\\"", L"/select,D:\\"},
                    RevealCase{"NonAscii", "C:\\K\xC3\xB6rper\\\xE6\xB0\xB4.wav", true,
                               L"/select,\"C:\\K\x00f6rper\\\x6c34.wav\"", L"/select,C:\\K\x00f6rper\\\x6c34.wav"}),
  [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, RevealRefusesEmptyPathsAndPathsWithQuotes)
{
  for (const char* bad : {"", "C:\\a\" /root,C:\\b"})
  {
    WDL_String path(bad);
    EXPECT_FALSE(graphics.RevealPathInExplorerOrFinder(path, true)) << bad;
  }
  EXPECT_EQ(gShellCall.count, 0);
}

TEST_F(ShellTest, RevealReportsTheShellsFailure)
{
  gShellResult = 2; // file not found
  WDL_String path("C:\\a.wav");
  EXPECT_FALSE(graphics.RevealPathInExplorerOrFinder(path, false));
  EXPECT_EQ(gShellCall.count, 1);
}

TEST_F(ShellTest, OpenURLOpensTheAddressThroughTheShell)
{
  EXPECT_TRUE(graphics.OpenURL("https://example.com/\xC3\xA9t\xC3\xA9"));
  ASSERT_EQ(gShellCall.count, 1);
  EXPECT_EQ(gShellCall.operation, L"open");
  EXPECT_EQ(gShellCall.file, L"https://example.com/\x00e9t\x00e9");
  EXPECT_EQ(gShellCall.show, SW_SHOWNORMAL);
}

TEST_F(ShellTest, OpenURLShowsTheErrorWhenTheShellFails)
{
  gShellResult = 32;
  std::wstring shown;
  bool result = true;
  {
    wintest::DialogDriver driver([&](HWND box) {
      shown = wintest::ChildTexts(box);
      wintest::PressButton(box, IDOK);
    });
    result = graphics.OpenURL("https://example.com", "Brimvale", nullptr, "Could not open the page");
    EXPECT_FALSE(driver.TimedOut());
  }
  EXPECT_FALSE(result);
  EXPECT_EQ(gShellCall.count, 1);
  EXPECT_NE(shown.find(L"Could not open the page"), std::wstring::npos) << Narrow(shown);
}

struct ConfirmCase
{
  const char* name;
  int answer;
  bool opened;
};

class OpenURLConfirmTest : public ShellTest, public ::testing::WithParamInterface<ConfirmCase>
{};

TEST_P(OpenURLConfirmTest, OpensOnlyWhenConfirmed)
{
  std::wstring shown;
  bool result;
  {
    wintest::DialogDriver driver([&](HWND box) {
      shown = wintest::ChildTexts(box);
      wintest::PressButton(box, GetParam().answer);
    });
    result = graphics.OpenURL("https://example.com", "Brimvale", "Open the manual?");
    EXPECT_FALSE(driver.TimedOut());
  }
  EXPECT_EQ(result, GetParam().opened);
  EXPECT_EQ(gShellCall.count, GetParam().opened ? 1 : 0);
  EXPECT_NE(shown.find(L"Open the manual?"), std::wstring::npos) << Narrow(shown);
}

INSTANTIATE_TEST_SUITE_P(Answers, OpenURLConfirmTest,
                         ::testing::Values(ConfirmCase{"Yes", IDYES, true}, ConfirmCase{"No", IDNO, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Message boxes ----

struct MessageBoxCase
{
  const char* name;
  EMsgBoxType type;
  int button;
  EMsgBoxResult expected;
};

class MessageBoxTest : public ::testing::TestWithParam<MessageBoxCase>
{};

TEST_P(MessageBoxTest, TheAnswerReachesTheCompletionAndTheCaller)
{
  wintest::TestDelegate delegate;
  IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
  std::wstring shown;
  int completions = 0;
  EMsgBoxResult completed = iplug::igraphics::kNoResult;
  EMsgBoxResult result;
  {
    wintest::DialogDriver driver([&](HWND box) {
      wchar_t caption[128] = {};
      GetWindowTextW(box, caption, 128);
      shown = std::wstring(caption) + L"\n" + wintest::ChildTexts(box);
      wintest::PressButton(box, GetParam().button);
    });
    result = graphics.ShowMessageBox("Replace the sample \xE2\x80\x9C"
                                     "pad\xE2\x80\x9D?",
                                     "Brimvale \xC3\xA9", GetParam().type, [&](EMsgBoxResult r) {
                                       ++completions;
                                       completed = r;
                                     });
    EXPECT_FALSE(driver.TimedOut());
  }
  EXPECT_EQ(result, GetParam().expected);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(completed, GetParam().expected);
  EXPECT_NE(shown.find(L"Brimvale \x00e9\n"), std::wstring::npos) << Narrow(shown);
  EXPECT_NE(shown.find(L"Replace the sample \x201cpad\x201d?"), std::wstring::npos) << Narrow(shown);
}

INSTANTIATE_TEST_SUITE_P(
  Answers, MessageBoxTest,
  ::testing::Values(MessageBoxCase{"Ok", iplug::igraphics::kMB_OK, IDOK, iplug::igraphics::kOK},
                    MessageBoxCase{"Cancel", iplug::igraphics::kMB_OKCANCEL, IDCANCEL, iplug::igraphics::kCANCEL},
                    MessageBoxCase{"Yes", iplug::igraphics::kMB_YESNOCANCEL, IDYES, iplug::igraphics::kYES},
                    MessageBoxCase{"No", iplug::igraphics::kMB_YESNO, IDNO, iplug::igraphics::kNO},
                    MessageBoxCase{"Retry", iplug::igraphics::kMB_RETRYCANCEL, IDRETRY, iplug::igraphics::kRETRY}),
  [](const auto& info) { return std::string(info.param.name); });

// Shows a message box and answers it; the window that owned it.
HWND OwnerOfMessageBox(IGraphicsWin& graphics)
{
  HWND owner = nullptr;
  wintest::DialogDriver driver([&](HWND box) {
    owner = GetWindow(box, GW_OWNER);
    wintest::PressButton(box, IDOK);
  });
  graphics.ShowMessageBox("Hello", "Brimvale", iplug::igraphics::kMB_OK);
  EXPECT_FALSE(driver.TimedOut());
  return owner;
}

TEST(MessageBoxOwnerTest, TheHostsTopLevelWindowOwnsTheBoxAndTheCaptureIsReleased)
{
  wintest::Editor editor;
  ASSERT_NE(editor.window, nullptr);
  iplug::igraphics::IControl* pControl = CaptureAControl(*editor.graphics);
  ASSERT_TRUE(editor.graphics->ControlIsCaptured(pControl));
  EXPECT_EQ(OwnerOfMessageBox(*editor.graphics), editor.host.Get());
  EXPECT_FALSE(editor.graphics->ControlIsCaptured(pControl));
}

TEST(MessageBoxOwnerTest, OnceTheHostWindowIsGoneAWindowOfItsClassOwnsTheBox)
{
  wintest::TestDelegate delegate;
  IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
  graphics.SetWinModuleHandle(GetModuleHandleW(nullptr));
  auto first = std::make_unique<wintest::HostWindow>();
  ASSERT_NE(graphics.OpenWindow(first->Get()), nullptr);
  EXPECT_EQ(OwnerOfMessageBox(graphics), first->Get());
  graphics.CloseWindow();
  first.reset();
  wintest::HostWindow second;
  EXPECT_EQ(OwnerOfMessageBox(graphics), second.Get());
}

TEST(MessageBoxOwnerTest, WithoutAnyWindowTheBoxHasNoOwner)
{
  wintest::TestDelegate delegate;
  IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
  wintest::HostWindow unrelated;
  EXPECT_EQ(OwnerOfMessageBox(graphics), nullptr);
}

// ---- The file dialogs ----

TEST(FileDialogWindowlessTest, WithoutAWindowOnlyClearsTheFileName)
{
  wintest::TestDelegate delegate;
  IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
  WDL_String fileName("old.wav"), path("C:\\");
  bool completed = false;
  graphics.PromptForFile(fileName, path, EFileAction::Open, "wav",
                         [&](const WDL_String&, const WDL_String&) { completed = true; });
  EXPECT_STREQ(fileName.Get(), "");
  EXPECT_STREQ(path.Get(), "C:\\");
  EXPECT_FALSE(completed);
}

struct FileDialogTest : ::testing::Test
{
  // Runs the dialog, handing it to act once it shows; the completion's arguments are kept.
  void Prompt(EFileAction action, const char* ext, const std::function<void(HWND)>& act)
  {
    {
      wintest::DialogDriver driver(act);
      editor.graphics->PromptForFile(fileName, path, action, ext,
                                     [this](const WDL_String& file, const WDL_String& folder) {
                                       ++completions;
                                       completedFile = file.Get();
                                       completedPath = folder.Get();
                                     });
      timedOut = driver.TimedOut();
    }
  }

  wintest::Editor editor;
  TempFolder folder;
  WDL_String fileName, path;
  int completions = 0;
  std::string completedFile, completedPath;
  bool timedOut = false;
};

// The name box is a combo box in the explorer-style dialog and a plain edit box otherwise.
void TypeFileName(HWND dialog, const std::wstring& name)
{
  HWND nameBox = GetDlgItem(dialog, cmb13);
  if (!nameBox)
    nameBox = GetDlgItem(dialog, edt1);
  SetWindowTextW(nameBox, name.c_str());
}

std::wstring FileNameShown(HWND dialog)
{
  return GetDlgItem(dialog, cmb13) ? ControlText(dialog, cmb13) : ControlText(dialog, edt1);
}

TEST_F(FileDialogTest, OpenGivesTheChosenFileAndItsFolderAndKeepsTheWorkingFolder)
{
  ASSERT_NE(editor.window, nullptr);
  const std::wstring chosen = folder.File(L"K\x00f6rper \x6c34.wav");
  const std::wstring workingFolder = WorkingFolder();
  std::wstring filterShown;
  HWND owner = nullptr;
  Prompt(EFileAction::Open, "wav aif", [&](HWND dialog) {
    owner = GetWindow(dialog, GW_OWNER);
    filterShown = ControlText(dialog, cmb1);
    TypeFileName(dialog, chosen);
    wintest::PressButton(dialog, IDOK);
  });
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(Narrow(filterShown), "*.wav;*.aif");
  EXPECT_EQ(owner, GetAncestor(editor.window, GA_ROOT));
  EXPECT_EQ(fileName.Get(), Narrow(chosen));
  EXPECT_EQ(path.Get(), Narrow(folder.Path() + L"\\"));
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(completedFile, Narrow(chosen));
  EXPECT_EQ(completedPath, Narrow(folder.Path() + L"\\"));
  EXPECT_EQ(WorkingFolder(), workingFolder);
}

TEST_F(FileDialogTest, CancelStillCompletesWithAnEmptyFileNameAndReleasesTheCapture)
{
  ASSERT_NE(editor.window, nullptr);
  iplug::igraphics::IControl* pControl = CaptureAControl(*editor.graphics);
  fileName.Set("previous.wav");
  path.Set(Narrow(folder.Path()).c_str());
  std::wstring nameShown;
  Prompt(EFileAction::Open, "wav", [&](HWND dialog) {
    nameShown = FileNameShown(dialog);
    wintest::PressButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(nameShown, L"previous.wav");
  EXPECT_STREQ(fileName.Get(), "");
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(completedFile, "");
  EXPECT_FALSE(editor.graphics->ControlIsCaptured(pControl));
}

TEST_F(FileDialogTest, AFileNameTooLongForTheBufferStartsTheDialogEmpty)
{
  ASSERT_NE(editor.window, nullptr);
  fileName.Set(std::string(300, 'x').c_str());
  std::wstring nameShown = L"(not shown)";
  Prompt(EFileAction::Open, "wav", [&](HWND dialog) {
    nameShown = FileNameShown(dialog);
    wintest::PressButton(dialog, IDCANCEL);
  });
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(nameShown, L"");
  EXPECT_EQ(completions, 1);
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtension)
{
  ASSERT_NE(editor.window, nullptr);
  const std::wstring expected = folder.File(L"take \x00e9.wav", false);
  Prompt(EFileAction::Save, "wav aif", [&](HWND dialog) {
    TypeFileName(dialog, folder.Path() + L"\\take \x00e9");
    wintest::PressButton(dialog, IDOK);
  });
  EXPECT_FALSE(timedOut);
  EXPECT_EQ(fileName.Get(), Narrow(expected));
  EXPECT_EQ(path.Get(), Narrow(folder.Path() + L"\\"));
  EXPECT_EQ(completions, 1);
}

// ---- The folder browser ----

struct DirectoryCase
{
  const char* name;
  bool choose;
};

class DirectoryDialogTest : public ::testing::TestWithParam<DirectoryCase>
{};

TEST_P(DirectoryDialogTest, GivesTheFolderWithATrailingBackslashOrNothing)
{
  wintest::Editor editor;
  ASSERT_NE(editor.window, nullptr);
  TempFolder folder;
  WDL_String dir("stale");
  std::wstring texts;
  int completions = 0;
  std::string completedFile = "unset", completedDir;
  {
    wintest::DialogDriver driver([&](HWND dialog) {
      texts = wintest::ChildTexts(dialog);
      if (GetParam().choose)
      {
        // Wine's browser loses a selection made while it is still filling its tree (as a rule the
        // first one after it shows): select until its edit box shows the folder's name.
        const std::wstring name = folder.Path().substr(folder.Path().rfind(L'\\') + 1);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(4);
        while (wintest::ChildTexts(dialog).find(name) == std::wstring::npos && std::chrono::steady_clock::now() < end)
        {
          SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.Path().c_str()));
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        wintest::PressButton(dialog, IDOK);
      }
      else
        wintest::PressButton(dialog, IDCANCEL);
    });
    editor.graphics->PromptForDirectory(dir, [&](const WDL_String& file, const WDL_String& chosen) {
      ++completions;
      completedFile = file.Get();
      completedDir = chosen.Get();
    });
    EXPECT_FALSE(driver.TimedOut());
  }
  const std::string expected = GetParam().choose ? Narrow(folder.Path() + L"\\") : "";
  EXPECT_NE(texts.find(L"Choose a Directory"), std::wstring::npos) << Narrow(texts);
  EXPECT_EQ(dir.Get(), expected);
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(completedFile, "");
  EXPECT_EQ(completedDir, expected);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, DirectoryDialogTest,
                         ::testing::Values(DirectoryCase{"Chosen", true}, DirectoryCase{"Cancelled", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The colour dialog ----

struct ColorCase
{
  const char* name;
  bool accept;
  COLORREF pick; // CLR_INVALID: accept the initial colour unchanged
  IColor expected;
};

class ColorDialogTest : public ::testing::TestWithParam<ColorCase>
{};

TEST_P(ColorDialogTest, OkGivesTheColourWithItsAlphaCancelGivesNothing)
{
  wintest::Editor editor;
  ASSERT_NE(editor.window, nullptr);
  IColor color(128, 10, 20, 30);
  std::wstring caption;
  int completions = 0;
  IColor completed;
  bool result;
  {
    wintest::DialogDriver driver([&](HWND dialog) {
      wchar_t text[128] = {};
      GetWindowTextW(dialog, text, 128);
      caption = text;
      // The colour is typed, as a user would: Wine's dialog ignores the set-colour message.
      if (GetParam().pick != CLR_INVALID)
      {
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(GetParam().pick), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(GetParam().pick), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(GetParam().pick), FALSE);
      }
      wintest::PressButton(dialog, GetParam().accept ? IDOK : IDCANCEL);
    });
    result = editor.graphics->PromptForColor(color, "Panel colour \xC3\xA9", [&](const IColor& c) {
      ++completions;
      completed = c;
    });
    EXPECT_FALSE(driver.TimedOut());
  }
  EXPECT_EQ(caption, L"Panel colour \x00e9");
  EXPECT_EQ(result, GetParam().accept);
  EXPECT_EQ(completions, GetParam().accept ? 1 : 0);
  EXPECT_EQ(color, GetParam().expected);
  if (GetParam().accept)
  {
    EXPECT_EQ(completed, GetParam().expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Outcomes, ColorDialogTest,
                         ::testing::Values(ColorCase{"Picked", true, RGB(200, 100, 50), IColor(128, 200, 100, 50)},
                                           ColorCase{"Unchanged", true, CLR_INVALID, IColor(128, 10, 20, 30)},
                                           ColorCase{"Cancelled", false, RGB(200, 100, 50), IColor(128, 10, 20, 30)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ColorDialogWindowlessTest, WithoutAWindowGivesFalse)
{
  wintest::TestDelegate delegate;
  IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
  IColor color(255, 1, 2, 3);
  EXPECT_FALSE(graphics.PromptForColor(color, "Colour", [](const IColor&) { FAIL(); }));
  EXPECT_EQ(color, IColor(255, 1, 2, 3));
}

} // namespace
