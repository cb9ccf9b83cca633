#import <AppKit/AppKit.h>

#import "StandIns/AppKitDialogs.h"
#include "Panels.h"

@implementation NSButton
- (void)dealloc
{
  [mTitle release];
  [super dealloc];
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
@end

static NSMutableArray* QueuedAlertResponses()
{
  static NSMutableArray* responses = nil;
  if (!responses)
    responses = [[NSMutableArray alloc] init];
  return responses;
}

static NSAlert* sLastAlert = nil;
static int sAlertRunCount = 0;

void StandInQueueAlertResponse(NSModalResponse response)
{
  [QueuedAlertResponses() addObject:[NSNumber numberWithLong:response]];
}

NSAlert* StandInLastAlert(void)
{
  return sLastAlert;
}

int StandInAlertRunCount(void)
{
  return sAlertRunCount;
}

NSArray* StandInAlertButtonTitles(NSAlert* alert)
{
  NSMutableArray* titles = [NSMutableArray array];
  for (NSButton* button in [alert buttons])
    [titles addObject:[button title]];
  return titles;
}

void StandInResetDialogs(void)
{
  StandInResetPanels();
  [QueuedAlertResponses() removeAllObjects];
  [sLastAlert release];
  sLastAlert = nil;
  sAlertRunCount = 0;
}

@implementation NSAlert
- (id)init
{
  if ((self = [super init]))
  {
    mMessageText = [@"" copy];
    mInformativeText = [@"" copy];
    mButtons = [[NSMutableArray alloc] init];
  }
  return self;
}
- (void)dealloc
{
  [mMessageText release];
  [mInformativeText release];
  [mButtons release];
  [super dealloc];
}
- (NSString*)messageText
{
  return mMessageText;
}
- (void)setMessageText:(NSString*)text
{
  NSString* copied = [text copy];
  [mMessageText release];
  mMessageText = copied;
}
- (NSString*)informativeText
{
  return mInformativeText;
}
- (void)setInformativeText:(NSString*)text
{
  NSString* copied = [text copy];
  [mInformativeText release];
  mInformativeText = copied;
}
- (NSButton*)addButtonWithTitle:(NSString*)title
{
  NSButton* button = [[NSButton alloc] init];
  [button setTitle:title];
  [mButtons addObject:button];
  [button release];
  return button;
}
- (NSArray*)buttons
{
  return [[mButtons copy] autorelease];
}
- (NSModalResponse)runModal
{
  [self retain];
  [sLastAlert release];
  sLastAlert = self;
  ++sAlertRunCount;
  NSMutableArray* queued = QueuedAlertResponses();
  if (![queued count])
    return NSAlertFirstButtonReturn;
  const NSModalResponse response = [[queued objectAtIndex:0] longValue];
  [queued removeObjectAtIndex:0];
  return response;
}
@end
