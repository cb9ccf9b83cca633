// The clipboard, message boxes, file and folder panels, the workspace and dragging files out.
#include "igraphics/platforms/IGraphicsMac.h"

#import "igraphics/platforms/IGraphicsView.h"

#import <UniformTypeIdentifiers/UniformTypeIdentifiers.h>

#include <cstring>

namespace iplug
{
namespace igraphics
{

namespace
{
IGraphicsView* View(void* pView)
{
  return static_cast<IGraphicsView*>(pView);
}

// Cocoa raises on a null C string and answers nil for bytes that are not UTF-8; both become "".
NSString* ToNSString(const char* str)
{
  NSString* text = str ? [NSString stringWithUTF8String:str] : nil;
  return text ? text : @"";
}

struct MessageBoxLayout
{
  EMsgBoxType type;
  const char* buttons[3];
  // The answers of the first and second buttons; a button beyond them, or none, answers fallback.
  EMsgBoxResult answers[2];
  EMsgBoxResult fallback;
};

constexpr MessageBoxLayout kMessageBoxLayouts[] = {
  {kMB_OK, {"OK"}, {kOK, kOK}, kOK},
  {kMB_OKCANCEL, {"OK", "Cancel"}, {kOK, kCANCEL}, kCANCEL},
  {kMB_YESNOCANCEL, {"Yes", "No", "Cancel"}, {kYES, kNO}, kCANCEL},
  {kMB_YESNO, {"Yes", "No"}, {kYES, kNO}, kNO},
  {kMB_RETRYCANCEL, {"Retry", "Cancel"}, {kRETRY, kCANCEL}, kCANCEL},
};

const MessageBoxLayout* FindMessageBoxLayout(EMsgBoxType type)
{
  for (const MessageBoxLayout& layout : kMessageBoxLayouts)
    if (layout.type == type)
      return &layout;
  return nullptr;
}

EMsgBoxResult MessageBoxResult(const MessageBoxLayout* pLayout, NSModalResponse response)
{
  if (!pLayout)
    return kCANCEL;
  const NSInteger button = response - NSAlertFirstButtonReturn;
  return button >= 0 && button < 2 ? pLayout->answers[button] : pLayout->fallback;
}

// The extensions are given as one string, separated by spaces; runs of spaces make no empty type.
NSArray* FileExtensions(const char* extensions)
{
  if (!extensions || !*extensions)
    return nil;
  NSMutableArray* types = [NSMutableArray array];
  for (NSString* type in [ToNSString(extensions) componentsSeparatedByString:@" "])
    if ([type length])
      [types addObject:type];
  return [types count] ? types : nil;
}

// Only files of these extensions can be chosen; none (nil) allows every file. From macOS 11 a panel
// takes content types (its list of extensions is deprecated from 12); older systems have the list.
void SetAllowedExtensions(NSSavePanel* panel, NSArray* extensions)
{
  if (@available(macOS 11.0, *))
  {
    NSMutableArray* types = [NSMutableArray array];
    for (NSString* extension in extensions)
    {
      if (UTType* type = [UTType typeWithFilenameExtension:extension])
        [types addObject:type];
    }
    [panel setAllowedContentTypes:types];
  }
  else
  {
    [panel setAllowedFileTypes:extensions];
  }
}

NSURL* FolderURL(NSString* folder)
{
  return [folder length] ? [NSURL fileURLWithPath:[folder stringByExpandingTildeInPath] isDirectory:YES] : nil;
}

// A folder as the editor hands it on: ending with one separator, also for the root.
void SetFolder(WDL_String& str, NSString* folder)
{
  str.Set([folder UTF8String]);
  if (!str.GetLength() || str.Get()[str.GetLength() - 1] != '/')
    str.Append("/");
}

void FillChosenFile(NSSavePanel* panel, NSModalResponse response, WDL_String& fileName, WDL_String& path)
{
  if (response != NSModalResponseOK || ![panel URL])
    return;
  NSString* chosen = [[panel URL] path];
  fileName.Set([chosen UTF8String]);
  SetFolder(path, [chosen stringByDeletingLastPathComponent]);
}

void FillChosenFolder(NSSavePanel* panel, NSModalResponse response, WDL_String& dir)
{
  if (response == NSModalResponseOK && [panel URL])
    SetFolder(dir, [[panel URL] path]);
  else
    dir.Set("");
}
} // namespace

bool IGraphicsMac::GetTextFromClipboard(WDL_String& str)
{
  NSString* text = [[NSPasteboard generalPasteboard] stringForType:NSPasteboardTypeString];
  str.Set(text ? [text UTF8String] : "");
  return text != nil;
}

bool IGraphicsMac::SetTextInClipboard(const char* str)
{
  // Bytes that are not UTF-8 make no text: the clipboard keeps what it had.
  NSString* text = str ? [NSString stringWithUTF8String:str] : @"";
  if (!text)
    return false;
  NSPasteboard* pasteboard = [NSPasteboard generalPasteboard];
  [pasteboard clearContents];
  return [pasteboard setString:text forType:NSPasteboardTypeString];
}

bool IGraphicsMac::SetFilePathInClipboard(const char* path)
{
  // An empty path names no file (and Cocoa raises making a URL of it): the clipboard stays as it is.
  if (!path || !*path)
    return false;
  NSPasteboard* pasteboard = [NSPasteboard generalPasteboard];
  [pasteboard clearContents];
  return [pasteboard writeObjects:[NSArray arrayWithObject:[NSURL fileURLWithPath:ToNSString(path)]]];
}

bool IGraphicsMac::InitiateExternalFileDragDrop(const char* path, const IRECT& iconBounds)
{
  if (!mCocoaView || !path || !*path)
    return false;
  IGraphicsView* view = View(mCocoaView);
  NSURL* fileURL = [NSURL fileURLWithPath:ToNSString(path)];
  NSPasteboardItem* pasteboardItem = [[NSPasteboardItem alloc] init];
  [pasteboardItem setString:[fileURL absoluteString] forType:NSPasteboardTypeFileURL];
  NSDraggingItem* draggingItem = [[NSDraggingItem alloc] initWithPasteboardWriter:pasteboardItem];
  [pasteboardItem release];

  NSImage* icon = [[NSWorkspace sharedWorkspace] iconForFile:[fileURL path]];
  [icon setSize:NSMakeSize(64, 64)];
  const IRECT frame = ScaledRect(iconBounds);
  [draggingItem setDraggingFrame:NSMakeRect(frame.L, frame.T, frame.W(), frame.H()) contents:icon];

  NSDraggingSession* session = [view beginDraggingSessionWithItems:[NSArray arrayWithObject:draggingItem]
                                                             event:[NSApp currentEvent]
                                                            source:view];
  [draggingItem release];
  [session setAnimatesToStartingPositionsOnCancelOrFail:YES];
  [session setDraggingFormation:NSDraggingFormationNone];
  ReleaseMouseCapture();
  return true;
}

EMsgBoxResult IGraphicsMac::ShowMessageBox(const char* str, const char* title, EMsgBoxType type,
                                           IMsgBoxCompletionHandlerFunc completionHandler)
{
  ReleaseMouseCapture();
  const MessageBoxLayout* pLayout = FindMessageBoxLayout(type);
  NSAlert* alert = [[NSAlert alloc] init];
  [alert setMessageText:ToNSString(title)];
  [alert setInformativeText:ToNSString(str)];
  if (pLayout)
    for (const char* button : pLayout->buttons)
      if (button)
        [alert addButtonWithTitle:ToNSString(button)];
  const EMsgBoxResult result = MessageBoxResult(pLayout, [alert runModal]);
  [alert release];
  if (completionHandler)
    completionHandler(result);
  return result;
}

void IGraphicsMac::PromptForFile(WDL_String& fileName, WDL_String& path, EFileAction action, const char* ext,
                                 IFileDialogCompletionHandlerFunc completionHandler)
{
  if (!mCocoaView)
  {
    fileName.Set("");
    return;
  }
  NSString* initialName = ToNSString(fileName.Get());
  NSURL* initialFolder = FolderURL(ToNSString(path.Get()));
  fileName.Set("");
  NSArray* extensions = FileExtensions(ext);

  NSSavePanel* panel;
  if (action == EFileAction::Save)
  {
    panel = [NSSavePanel savePanel];
    [panel setNameFieldStringValue:initialName];
    [panel setAllowsOtherFileTypes:NO];
  }
  else
  {
    NSOpenPanel* openPanel = [NSOpenPanel openPanel];
    [openPanel setCanChooseFiles:YES];
    [openPanel setCanChooseDirectories:NO];
    [openPanel setResolvesAliases:YES];
    panel = openPanel;
  }
  SetAllowedExtensions(panel, extensions);
  if (initialFolder)
    [panel setDirectoryURL:initialFolder];
  [panel setFloatingPanel:YES];

  if (completionHandler)
  {
    // The sheet ends in a later turn of the event loop, when this object and the caller's strings
    // may be gone: the handler owns everything it uses.
    IFileDialogCompletionHandlerFunc completion = completionHandler;
    [panel beginSheetModalForWindow:[View(mCocoaView) window]
                  completionHandler:^(NSModalResponse response) {
                    WDL_String chosenName, chosenPath;
                    FillChosenFile(panel, response, chosenName, chosenPath);
                    completion(chosenName, chosenPath);
                  }];
    return;
  }
  path.Set("");
  FillChosenFile(panel, [panel runModal], fileName, path);
}

void IGraphicsMac::PromptForDirectory(WDL_String& dir, IFileDialogCompletionHandlerFunc completionHandler)
{
  if (!mCocoaView)
  {
    dir.Set("");
    return;
  }
  if (!dir.GetLength())
    dir.Set("~/Desktop");
  NSOpenPanel* panel = [NSOpenPanel openPanel];
  [panel setTitle:@"Choose a Directory"];
  [panel setCanChooseFiles:NO];
  [panel setCanChooseDirectories:YES];
  [panel setResolvesAliases:YES];
  [panel setCanCreateDirectories:YES];
  [panel setFloatingPanel:YES];
  [panel setDirectoryURL:FolderURL(ToNSString(dir.Get()))];

  if (completionHandler)
  {
    IFileDialogCompletionHandlerFunc completion = completionHandler;
    [panel beginSheetModalForWindow:[View(mCocoaView) window]
                  completionHandler:^(NSModalResponse response) {
                    WDL_String chosenDir;
                    FillChosenFolder(panel, response, chosenDir);
                    completion(WDL_String(), chosenDir);
                  }];
    return;
  }
  FillChosenFolder(panel, [panel runModal], dir);
}

bool IGraphicsMac::OpenURL(const char* url, const char*, const char*, const char*)
{
  if (!url || !*url)
    return false;
  NSString* text = ToNSString(url);
  NSURL* target = std::strstr(url, "http") ? [NSURL URLWithString:text] : [NSURL fileURLWithPath:text];
  // Text that makes no URL opened nothing.
  return target && [[NSWorkspace sharedWorkspace] openURL:target];
}

bool IGraphicsMac::RevealPathInExplorerOrFinder(WDL_String& path, bool select)
{
  if (!path.GetLength())
    return false;
  NSString* fullPath = ToNSString(path.Get());
  if (![[NSFileManager defaultManager] fileExistsAtPath:fullPath])
    return false;
  NSWorkspace* workspace = [NSWorkspace sharedWorkspace];
  NSURL* url = [NSURL fileURLWithPath:fullPath];
  if (!select)
    return [workspace openURL:url];
  // The Finder opens the enclosing folder with the item selected.
  [workspace activateFileViewerSelectingURLs:[NSArray arrayWithObject:url]];
  return true;
}

} // namespace igraphics
} // namespace iplug
