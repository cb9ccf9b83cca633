#import <AppKit/AppKit.h>

#import "StandIns/AppKitWorkspace.h"

static NSMutableArray* WorkspaceCalls()
{
  static NSMutableArray* calls = nil;
  if (!calls)
    calls = [[NSMutableArray alloc] init];
  return calls;
}

static BOOL sWorkspaceAnswer = YES;

static BOOL Exists(NSString* path)
{
  return [path length] && [[NSFileManager defaultManager] fileExistsAtPath:path];
}

NSArray* StandInWorkspaceCalls(void)
{
  return [[WorkspaceCalls() copy] autorelease];
}

void StandInSetWorkspaceAnswer(BOOL answer)
{
  sWorkspaceAnswer = answer;
}

void StandInResetWorkspace(void)
{
  [WorkspaceCalls() removeAllObjects];
  sWorkspaceAnswer = YES;
}

@implementation NSWorkspace
+ (NSWorkspace*)sharedWorkspace
{
  static NSWorkspace* workspace = nil;
  if (!workspace)
    workspace = [[NSWorkspace alloc] init];
  return workspace;
}
- (BOOL)openURL:(NSURL*)url
{
  [WorkspaceCalls() addObject:[NSString stringWithFormat:@"openURL: %@", [url absoluteString]]];
  if (!url)
    return NO;
  if ([url isFileURL] && !Exists([url path]))
    return NO;
  return sWorkspaceAnswer;
}
- (void)activateFileViewerSelectingURLs:(NSArray*)fileURLs
{
  NSMutableArray* urls = [NSMutableArray array];
  for (NSURL* url in fileURLs)
    [urls addObject:[url absoluteString]];
  [WorkspaceCalls()
    addObject:[@"activateFileViewerSelectingURLs: " stringByAppendingString:[urls componentsJoinedByString:@" "]]];
}
- (NSImage*)iconForFile:(NSString*)fullPath
{
  (void)fullPath;
  return [[[NSImage alloc] initWithSize:NSMakeSize(32, 32)] autorelease];
}
@end
