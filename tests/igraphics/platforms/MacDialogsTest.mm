// The macOS graphics object's clipboard, message boxes, file and folder panels, workspace and
// dragging out, against the scripted stand-ins.
#include "MacGraphicsFixture.h"

#include <StandIns/RunLoop.h>
#import <UniformTypeIdentifiers/UniformTypeIdentifiers.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
std::vector<std::string> Strings(NSArray* array)
{
  std::vector<std::string> strings;
  for (NSString* s in array)
    strings.push_back([s UTF8String]);
  return strings;
}

std::vector<std::string> WorkspaceCalls()
{
  return Strings(StandInWorkspaceCalls());
}

// A folder of the test's own with one file in it, removed afterwards.
class TempFile
{
public:
  TempFile()
  : mFolder(std::filesystem::temp_directory_path() / ("brimvale-mac-dialogs-" + std::to_string(getpid())))
  , mFile(mFolder / "take 1.wav")
  {
    std::filesystem::create_directories(mFolder);
    std::ofstream(mFile) << "RIFF";
  }
  ~TempFile() { std::filesystem::remove_all(mFolder); }
  std::string Folder() const { return mFolder.string(); }
  std::string File() const { return mFile.string(); }

private:
  std::filesystem::path mFolder;
  std::filesystem::path mFile;
};

struct FileDialogAnswer
{
  int calls = 0;
  std::string fileName = "unset";
  std::string path = "unset";
};

IFileDialogCompletionHandlerFunc Recorder(FileDialogAnswer& answer)
{
  return [&answer](const WDL_String& fileName, const WDL_String& path) {
    answer.calls++;
    answer.fileName = fileName.Get();
    answer.path = path.Get();
  };
}
} // namespace

TEST_F(MacGraphicsTest, TextGoesThroughTheGeneralPasteboard)
{
  const char* texts[] = {"hello", "h\xc3\xa9llo \xe2\x99\xaa", ""};
  for (const char* text : texts)
  {
    SCOPED_TRACE(text);
    EXPECT_TRUE(mGraphics->SetTextInClipboard(text));
    EXPECT_STREQ([[[NSPasteboard generalPasteboard] stringForType:NSPasteboardTypeString] UTF8String], text);
    WDL_String read("stale");
    EXPECT_TRUE(mGraphics->GetTextFromClipboard(read));
    EXPECT_STREQ(read.Get(), text);
  }
}

TEST_F(MacGraphicsTest, AClipboardWithoutTextAnswersFalseAndAnEmptyString)
{
  NSPasteboard* pasteboard = [NSPasteboard generalPasteboard];
  [pasteboard clearContents];
  [pasteboard setString:@"<b>x</b>" forType:@"public.html"];
  WDL_String read("stale");
  EXPECT_FALSE(mGraphics->GetTextFromClipboard(read));
  EXPECT_STREQ(read.Get(), "");
}

TEST_F(MacGraphicsTest, TextThatIsNotUTF8LeavesTheClipboardAlone)
{
  ASSERT_TRUE(mGraphics->SetTextInClipboard("kept"));
  EXPECT_FALSE(mGraphics->SetTextInClipboard("\xff\xfe"));
  EXPECT_TRUE(mGraphics->SetTextInClipboard(nullptr)) << "no text is the empty text";
  WDL_String read;
  EXPECT_TRUE(mGraphics->GetTextFromClipboard(read));
  EXPECT_STREQ(read.Get(), "");
}

TEST_F(MacGraphicsTest, AFilePathGoesOnThePasteboardAsAFileURL)
{
  ASSERT_TRUE(mGraphics->SetTextInClipboard("old"));
  EXPECT_TRUE(mGraphics->SetFilePathInClipboard("/Users/me/a b.wav"));
  NSPasteboard* pasteboard = [NSPasteboard generalPasteboard];
  EXPECT_EQ([pasteboard stringForType:NSPasteboardTypeString], nil) << "the clipboard was emptied first";
  EXPECT_STREQ([[pasteboard stringForType:NSPasteboardTypeFileURL] UTF8String], "file:///Users/me/a%20b.wav");
  EXPECT_EQ(Strings([pasteboard propertyListForType:NSFilenamesPboardType]),
            std::vector<std::string>{"/Users/me/a b.wav"});
}

TEST_F(MacGraphicsTest, AnEmptyFilePathLeavesTheClipboardAlone)
{
  ASSERT_TRUE(mGraphics->SetTextInClipboard("kept"));
  EXPECT_FALSE(mGraphics->SetFilePathInClipboard(""));
  EXPECT_FALSE(mGraphics->SetFilePathInClipboard(nullptr));
  WDL_String read;
  EXPECT_TRUE(mGraphics->GetTextFromClipboard(read));
  EXPECT_STREQ(read.Get(), "kept");
}

TEST_F(MacGraphicsTest, MessageBoxesShowTheirButtonsAndAnswerInWindowsCodes)
{
  struct Case
  {
    int type;
    NSModalResponse response;
    std::vector<std::string> buttons;
    EMsgBoxResult expected;
  };
  const std::vector<std::string> yesNoCancel = {"Yes", "No", "Cancel"};
  const Case cases[] = {
    {0, NSAlertFirstButtonReturn, {"OK"}, kOK},
    {1, NSAlertFirstButtonReturn, {"OK", "Cancel"}, kOK},
    {1, NSAlertSecondButtonReturn, {"OK", "Cancel"}, kCANCEL},
    {2, NSAlertFirstButtonReturn, {}, kCANCEL},
    {3, NSAlertFirstButtonReturn, yesNoCancel, kYES},
    {3, NSAlertSecondButtonReturn, yesNoCancel, kNO},
    {3, NSAlertThirdButtonReturn, yesNoCancel, kCANCEL},
    {4, NSAlertFirstButtonReturn, {"Yes", "No"}, kYES},
    {4, NSAlertSecondButtonReturn, {"Yes", "No"}, kNO},
    {5, NSAlertFirstButtonReturn, {"Retry", "Cancel"}, kRETRY},
    {5, NSAlertSecondButtonReturn, {"Retry", "Cancel"}, kCANCEL},
    {7, NSAlertFirstButtonReturn, {}, kCANCEL},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(std::to_string(c.type) + " answered " + std::to_string(c.response));
    StandInResetDialogs();
    StandInQueueAlertResponse(c.response);
    int completions = 0;
    EMsgBoxResult completed = kNoResult;
    const EMsgBoxResult result = mGraphics->ShowMessageBox("Body text", "Caption", static_cast<EMsgBoxType>(c.type),
                                                           [&](EMsgBoxResult r) {
                                                             completions++;
                                                             completed = r;
                                                           });
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(completed, c.expected);
    ASSERT_EQ(StandInAlertRunCount(), 1);
    NSAlert* alert = StandInLastAlert();
    EXPECT_STREQ([[alert messageText] UTF8String], "Caption");
    EXPECT_STREQ([[alert informativeText] UTF8String], "Body text");
    EXPECT_EQ(Strings(StandInAlertButtonTitles(alert)), c.buttons);
  }
}

TEST_F(MacGraphicsTest, AMessageBoxOfNullTextsShowsEmptyTextsAndNeedsNoCompletion)
{
  EXPECT_EQ(mGraphics->ShowMessageBox(nullptr, nullptr, kMB_OK), kOK);
  NSAlert* alert = StandInLastAlert();
  EXPECT_STREQ([[alert messageText] UTF8String], "");
  EXPECT_STREQ([[alert informativeText] UTF8String], "");
}

TEST_F(MacGraphicsTest, TheExtensionsBecomeTheAllowedContentTypes)
{
  Open();
  struct Case
  {
    const char* extensions;
    std::vector<std::string> types; // empty: every type is allowed
  };
  const Case cases[] = {
    {"wav aif", {"wav", "aif"}},
    {"wav", {"wav"}},
    {"wav  aif ", {"wav", "aif"}},
    {"", {}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.extensions);
    WDL_String fileName, path;
    mGraphics->PromptForFile(fileName, path, EFileAction::Open, c.extensions);
    NSMutableArray* expected = [NSMutableArray array];
    for (const std::string& type : c.types)
      [expected addObject:[UTType typeWithFilenameExtension:@(type.c_str())]];
    EXPECT_TRUE([[StandInLastPanel() allowedContentTypes] isEqualToArray:expected]);
    EXPECT_EQ([StandInLastPanel() allowedFileTypes], nil) << "the call for systems before macOS 11";
  }
}

TEST_F(MacGraphicsTest, SavingAsksWithASavePanelAndOpeningWithAnOpenPanel)
{
  Open();
  WDL_String fileName("song.wav"), path("/Users/me/Samples");
  mGraphics->PromptForFile(fileName, path, EFileAction::Save, "wav");
  NSSavePanel* save = StandInLastPanel();
  ASSERT_NE(save, nil);
  EXPECT_FALSE([save isKindOfClass:[NSOpenPanel class]]);
  EXPECT_STREQ([[save nameFieldStringValue] UTF8String], "song.wav");
  EXPECT_STREQ([[[save directoryURL] path] UTF8String], "/Users/me/Samples");
  EXPECT_FALSE([save allowsOtherFileTypes]);
  EXPECT_TRUE([save isFloatingPanel]);
  EXPECT_FALSE(StandInPanelRanAsSheet(save));

  fileName.Set("song.wav");
  path.Set("/Users/me/Samples");
  mGraphics->PromptForFile(fileName, path, EFileAction::Open, "wav");
  ASSERT_TRUE([StandInLastPanel() isKindOfClass:[NSOpenPanel class]]);
  NSOpenPanel* open = static_cast<NSOpenPanel*>(StandInLastPanel());
  EXPECT_STREQ([[[open directoryURL] path] UTF8String], "/Users/me/Samples");
  EXPECT_TRUE([open canChooseFiles]);
  EXPECT_FALSE([open canChooseDirectories]);
  EXPECT_TRUE([open resolvesAliases]);
  EXPECT_TRUE([open isFloatingPanel]);
  EXPECT_EQ(StandInPanelRunCount(), 2);
}

TEST_F(MacGraphicsTest, AModalFilePanelFillsTheCallersStrings)
{
  Open();
  struct Case
  {
    EFileAction action;
    NSModalResponse response;
    const char* chosen;
    const char* fileName;
    const char* path;
  };
  const Case cases[] = {
    {EFileAction::Open, NSModalResponseOK, "/Users/me/Samples/kick.wav", "/Users/me/Samples/kick.wav",
     "/Users/me/Samples/"},
    {EFileAction::Save, NSModalResponseOK, "/Users/me/out.wav", "/Users/me/out.wav", "/Users/me/"},
    {EFileAction::Save, NSModalResponseOK, "/top.wav", "/top.wav", "/"},
    {EFileAction::Open, NSModalResponseCancel, nullptr, "", ""},
    {EFileAction::Save, NSModalResponseCancel, nullptr, "", ""},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.fileName);
    StandInQueuePanelResponse(c.response,
                              c.chosen ? [NSArray arrayWithObject:[NSString stringWithUTF8String:c.chosen]] : nil);
    WDL_String fileName("old.wav"), path("/old");
    mGraphics->PromptForFile(fileName, path, c.action, "wav");
    EXPECT_STREQ(fileName.Get(), c.fileName);
    EXPECT_STREQ(path.Get(), c.path);
  }
}

TEST_F(MacGraphicsTest, AFilePanelWithACompletionRunsAsASheetAndLeavesTheCallersStrings)
{
  Open();
  struct Case
  {
    NSModalResponse response;
    const char* chosen;
    const char* fileName;
    const char* path;
  };
  const Case cases[] = {
    {NSModalResponseOK, "/Users/me/Samples/kick.wav", "/Users/me/Samples/kick.wav", "/Users/me/Samples/"},
    {NSModalResponseCancel, nullptr, "", ""},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.fileName);
    StandInQueuePanelResponse(c.response,
                              c.chosen ? [NSArray arrayWithObject:[NSString stringWithUTF8String:c.chosen]] : nil);
    FileDialogAnswer answer;
    WDL_String fileName("old.wav"), path("/old");
    mGraphics->PromptForFile(fileName, path, EFileAction::Open, "wav", Recorder(answer));
    EXPECT_TRUE(StandInPanelRanAsSheet(StandInLastPanel()));
    EXPECT_EQ(StandInPanelSheetWindow(StandInLastPanel()), mWindow);
    EXPECT_EQ(answer.calls, 0) << "a sheet answers later";
    EXPECT_STREQ(fileName.Get(), "");
    EXPECT_STREQ(path.Get(), "/old");

    ASSERT_TRUE(StandInDrainMainQueue(1.0));
    EXPECT_EQ(answer.calls, 1);
    EXPECT_EQ(answer.fileName, c.fileName);
    EXPECT_EQ(answer.path, c.path);
    EXPECT_STREQ(fileName.Get(), "");
    EXPECT_STREQ(path.Get(), "/old");
  }
}

TEST_F(MacGraphicsTest, ASheetStillAnswersAfterTheEditorHasGone)
{
  Open();
  StandInQueuePanelResponse(NSModalResponseOK, [NSArray arrayWithObject:@"/Users/me/a.wav"]);
  FileDialogAnswer answer;
  {
    WDL_String fileName, path;
    mGraphics->PromptForFile(fileName, path, EFileAction::Open, "", Recorder(answer));
  }
  mGraphics.reset();
  ASSERT_TRUE(StandInDrainMainQueue(1.0));
  EXPECT_EQ(answer.calls, 1);
  EXPECT_EQ(answer.fileName, "/Users/me/a.wav");
}

TEST_F(MacGraphicsTest, AnEmptyDirectoryStartsAtTheDesktop)
{
  Open();
  WDL_String dir;
  FileDialogAnswer answer;
  mGraphics->PromptForDirectory(dir, Recorder(answer));
  EXPECT_STREQ(dir.Get(), "~/Desktop");
  ASSERT_TRUE([StandInLastPanel() isKindOfClass:[NSOpenPanel class]]);
  NSOpenPanel* panel = static_cast<NSOpenPanel*>(StandInLastPanel());
  NSString* desktop = [NSHomeDirectory() stringByAppendingPathComponent:@"Desktop"];
  EXPECT_STREQ([[[panel directoryURL] path] UTF8String], [desktop UTF8String]);
  EXPECT_STREQ([[panel title] UTF8String], "Choose a Directory");
  EXPECT_FALSE([panel canChooseFiles]);
  EXPECT_TRUE([panel canChooseDirectories]);
  EXPECT_TRUE([panel resolvesAliases]);
  EXPECT_TRUE([panel canCreateDirectories]);
  EXPECT_TRUE([panel isFloatingPanel]);
  EXPECT_TRUE(StandInPanelRanAsSheet(panel));

  ASSERT_TRUE(StandInDrainMainQueue(1.0));
  EXPECT_EQ(answer.calls, 1);
  EXPECT_EQ(answer.fileName, "");
  EXPECT_EQ(answer.path, "") << "the panel was cancelled";
  EXPECT_STREQ(dir.Get(), "~/Desktop");
}

TEST_F(MacGraphicsTest, AChosenDirectoryEndsWithASeparator)
{
  Open();
  struct Case
  {
    NSModalResponse response;
    const char* chosen;
    const char* dir;
  };
  const Case cases[] = {
    {NSModalResponseOK, "/Users/me/Presets", "/Users/me/Presets/"},
    {NSModalResponseOK, "/", "/"},
    {NSModalResponseCancel, nullptr, ""},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.dir);
    const auto chosen = [&] {
      return c.chosen ? [NSArray arrayWithObject:[NSString stringWithUTF8String:c.chosen]] : nil;
    };
    StandInQueuePanelResponse(c.response, chosen());
    WDL_String dir("/Users/me");
    mGraphics->PromptForDirectory(dir);
    EXPECT_FALSE(StandInPanelRanAsSheet(StandInLastPanel()));
    EXPECT_STREQ(dir.Get(), c.dir);

    StandInQueuePanelResponse(c.response, chosen());
    FileDialogAnswer answer;
    WDL_String sheetDir("/Users/me");
    mGraphics->PromptForDirectory(sheetDir, Recorder(answer));
    ASSERT_TRUE(StandInDrainMainQueue(1.0));
    EXPECT_EQ(answer.calls, 1);
    EXPECT_EQ(answer.fileName, "");
    EXPECT_EQ(answer.path, c.dir);
  }
}

TEST_F(MacGraphicsTest, OpenURLOpensWebAddressesAndFilesThroughTheWorkspace)
{
  TempFile file;
  const std::string fileURL = [[[NSURL fileURLWithPath:[NSString stringWithUTF8String:file.File().c_str()]]
    absoluteString] UTF8String];
  struct Case
  {
    std::string url;
    bool result;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
    {"https://example.com/help?a=1", true, {"openURL: https://example.com/help?a=1"}},
    {"http://example.com", true, {"openURL: http://example.com"}},
    {file.File(), true, {"openURL: " + fileURL}},
    {"/no/such/file.txt", false, {"openURL: file:///no/such/file.txt"}},
    {"", false, {}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.url);
    StandInResetWorkspace();
    EXPECT_EQ(mGraphics->OpenURL(c.url.c_str()), c.result);
    EXPECT_EQ(WorkspaceCalls(), c.calls);
  }
  StandInResetWorkspace();
  EXPECT_FALSE(mGraphics->OpenURL(nullptr));
  EXPECT_TRUE(WorkspaceCalls().empty());
}

TEST_F(MacGraphicsTest, RevealingAPathOpensItOrSelectsItInItsFolder)
{
  TempFile file;
  struct Case
  {
    std::string path;
    bool select;
    BOOL workspaceAnswer;
    bool result;
    std::vector<std::string> calls;
  };
  const std::string url = "file://" + file.Folder() + "/take%201.wav";
  const Case cases[] = {
    {file.File(), false, YES, true, {"openURL: " + url}},
    {file.File(), false, NO, false, {"openURL: " + url}},
    // The file viewer shows the folder with the file selected, and says nothing back.
    {file.File(), true, YES, true, {"activateFileViewerSelectingURLs: " + url}},
    {file.Folder() + "/missing.wav", false, YES, false, {}},
    {file.Folder() + "/missing.wav", true, YES, false, {}},
    {"", true, YES, false, {}},
  };
  for (const Case& c : cases)
  {
    SCOPED_TRACE(c.path + (c.select ? " select" : ""));
    StandInResetWorkspace();
    StandInSetWorkspaceAnswer(c.workspaceAnswer);
    WDL_String path(c.path.c_str());
    EXPECT_EQ(mGraphics->RevealPathInExplorerOrFinder(path, c.select), c.result);
    EXPECT_EQ(WorkspaceCalls(), c.calls);
  }
}

TEST_F(MacGraphicsTest, DraggingAFileOutStartsASessionWithItsURLAndIcon)
{
  MakeGraphics(1.5f);
  NSView* view = Open();
  EXPECT_TRUE(mGraphics->InitiateExternalFileDragDrop("/Users/me/take 1.wav", IRECT(10.f, 10.f, 42.f, 42.3f)));
  ASSERT_EQ(StandInDraggingSessionCount(), 1);
  NSDraggingSession* session = StandInLastDraggingSession();
  EXPECT_EQ([session standInSource], static_cast<id>(view));
  EXPECT_EQ([session draggingFormation], NSDraggingFormationNone);
  EXPECT_TRUE([session animatesToStartingPositionsOnCancelOrFail]);

  NSArray* items = [session standInItems];
  ASSERT_EQ([items count], 1u);
  NSDraggingItem* item = [items objectAtIndex:0];
  ASSERT_TRUE([[item item] isKindOfClass:[NSPasteboardItem class]]);
  EXPECT_STREQ([[[item item] stringForType:NSPasteboardTypeFileURL] UTF8String], "file:///Users/me/take%201.wav");
  const NSRect frame = [item draggingFrame];
  EXPECT_EQ(frame.origin.x, 15);
  EXPECT_EQ(frame.origin.y, 15);
  EXPECT_EQ(frame.size.width, 48);
  EXPECT_EQ(frame.size.height, 49);
  NSImage* icon = [item standInContents];
  ASSERT_TRUE([icon isKindOfClass:[NSImage class]]);
  EXPECT_EQ([icon size].width, 64);
  EXPECT_EQ([icon size].height, 64);
}
