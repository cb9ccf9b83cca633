#import <AppKit/AppKit.h>
#include <dispatch/dispatch.h>

#import "StandIns/AppKitDialogs.h"
#include "Panels.h"

namespace
{
NSMutableArray* QueuedPanelResponses()
{
  static NSMutableArray* responses = nil;
  if (!responses)
    responses = [[NSMutableArray alloc] init];
  return responses;
}

NSSavePanel* sLastPanel = nil;
int sPanelRunCount = 0;

NSString* const kResponseKey = @"response";
NSString* const kPathsKey = @"paths";
} // namespace

@interface NSSavePanel ()
- (NSModalResponse)standInAnswer;
- (BOOL)standInRanAsSheet;
- (NSWindow*)standInSheetWindow;
@end

void StandInQueuePanelResponse(NSModalResponse response, NSArray* chosenPaths)
{
  NSDictionary* entry = [NSDictionary dictionaryWithObjectsAndKeys:[NSNumber numberWithLong:response], kResponseKey,
                                                                   chosenPaths ? chosenPaths : [NSArray array],
                                                                   kPathsKey, nil];
  [QueuedPanelResponses() addObject:entry];
}

NSSavePanel* StandInLastPanel(void)
{
  return sLastPanel;
}

int StandInPanelRunCount(void)
{
  return sPanelRunCount;
}

BOOL StandInPanelRanAsSheet(NSSavePanel* panel)
{
  return [panel standInRanAsSheet];
}

NSWindow* StandInPanelSheetWindow(NSSavePanel* panel)
{
  return [panel standInSheetWindow];
}

void StandInResetPanels()
{
  [QueuedPanelResponses() removeAllObjects];
  [sLastPanel release];
  sLastPanel = nil;
  sPanelRunCount = 0;
}

@implementation NSSavePanel
+ (NSSavePanel*)savePanel
{
  return [[[self alloc] initWithContentRect:NSMakeRect(0, 0, 640, 480)
                                  styleMask:NSWindowStyleMaskBorderless
                                    backing:NSBackingStoreBuffered
                                      defer:NO] autorelease];
}
- (void)dealloc
{
  [mAllowedFileTypes release];
  [mAllowedContentTypes release];
  [mDirectoryURL release];
  [mNameFieldStringValue release];
  [mTitle release];
  [mURLs release];
  [super dealloc];
}
- (NSArray*)allowedFileTypes
{
  return mAllowedFileTypes;
}
- (void)setAllowedFileTypes:(NSArray*)types
{
  NSArray* copied = [types copy];
  [mAllowedFileTypes release];
  mAllowedFileTypes = copied;
}
- (NSArray*)allowedContentTypes
{
  return mAllowedContentTypes ? mAllowedContentTypes : [NSArray array];
}
- (void)setAllowedContentTypes:(NSArray*)types
{
  NSArray* copied = [types copy];
  [mAllowedContentTypes release];
  mAllowedContentTypes = copied;
}
- (BOOL)allowsOtherFileTypes
{
  return mAllowsOtherFileTypes;
}
- (void)setAllowsOtherFileTypes:(BOOL)allows
{
  mAllowsOtherFileTypes = allows;
}
- (NSURL*)directoryURL
{
  return mDirectoryURL;
}
- (void)setDirectoryURL:(NSURL*)url
{
  NSURL* copied = [url copy];
  [mDirectoryURL release];
  mDirectoryURL = copied;
}
- (NSString*)nameFieldStringValue
{
  return mNameFieldStringValue ? mNameFieldStringValue : @"";
}
- (void)setNameFieldStringValue:(NSString*)value
{
  NSString* copied = [value copy];
  [mNameFieldStringValue release];
  mNameFieldStringValue = copied;
}
- (NSString*)title
{
  return mTitle ? mTitle : @"";
}
- (void)setTitle:(NSString*)title
{
  NSString* copied = [title copy];
  [mTitle release];
  mTitle = copied;
}
- (BOOL)canCreateDirectories
{
  return mCanCreateDirectories;
}
- (void)setCanCreateDirectories:(BOOL)can
{
  mCanCreateDirectories = can;
}
/** Takes the next scripted answer: what the user did with the panel. */
- (NSModalResponse)standInAnswer
{
  [self retain];
  [sLastPanel release];
  sLastPanel = self;
  ++sPanelRunCount;
  [mURLs release];
  mURLs = [[NSMutableArray alloc] init];
  NSMutableArray* queued = QueuedPanelResponses();
  if (![queued count])
    return NSModalResponseCancel;
  NSDictionary* entry = [[[queued objectAtIndex:0] retain] autorelease];
  [queued removeObjectAtIndex:0];
  const NSModalResponse response = [[entry objectForKey:kResponseKey] longValue];
  if (response == NSModalResponseOK)
    for (NSString* path in [entry objectForKey:kPathsKey])
      [(NSMutableArray*)mURLs addObject:[NSURL fileURLWithPath:path]];
  return response;
}
- (NSModalResponse)runModal
{
  mRanAsSheet = NO;
  mSheetWindow = nil;
  return [self standInAnswer];
}
- (void)beginSheetModalForWindow:(NSWindow*)window completionHandler:(void (^)(NSModalResponse result))handler
{
  mRanAsSheet = YES;
  mSheetWindow = window;
  const NSModalResponse response = [self standInAnswer];
  // AppKit keeps a sheet's panel until the sheet has ended; the block keeps the handler.
  [self retain];
  dispatch_async(dispatch_get_main_queue(), ^{
    if (handler)
      handler(response);
    [self release];
  });
}
- (BOOL)standInRanAsSheet
{
  return mRanAsSheet;
}
- (NSWindow*)standInSheetWindow
{
  return mSheetWindow;
}
- (NSURL*)URL
{
  return [mURLs count] ? [mURLs objectAtIndex:0] : nil;
}
@end

@implementation NSOpenPanel
+ (NSOpenPanel*)openPanel
{
  NSOpenPanel* panel = (NSOpenPanel*)[self savePanel];
  panel->mCanChooseFiles = YES;
  return panel;
}
- (BOOL)canChooseFiles
{
  return mCanChooseFiles;
}
- (void)setCanChooseFiles:(BOOL)can
{
  mCanChooseFiles = can;
}
- (BOOL)canChooseDirectories
{
  return mCanChooseDirectories;
}
- (void)setCanChooseDirectories:(BOOL)can
{
  mCanChooseDirectories = can;
}
- (BOOL)resolvesAliases
{
  return mResolvesAliases;
}
- (void)setResolvesAliases:(BOOL)resolves
{
  mResolvesAliases = resolves;
}
- (BOOL)allowsMultipleSelection
{
  return mAllowsMultipleSelection;
}
- (void)setAllowsMultipleSelection:(BOOL)allows
{
  mAllowsMultipleSelection = allows;
}
- (NSArray*)URLs
{
  return [[mURLs copy] autorelease];
}
@end
