#import <AppKit/AppKit.h>

#import <StandIns/AppKitDragging.h>

static NSDraggingSession* sLastSession = nil;
static int sSessionCount = 0;

@implementation NSDraggingItem
- (id)initWithPasteboardWriter:(id<NSPasteboardWriting>)writer
{
  if ((self = [super init]))
    mItem = [writer retain];
  return self;
}
- (void)dealloc
{
  [mItem release];
  [mContents release];
  [super dealloc];
}
- (id)item
{
  return mItem;
}
- (NSRect)draggingFrame
{
  return mDraggingFrame;
}
- (void)setDraggingFrame:(NSRect)frame
{
  mDraggingFrame = frame;
}
- (void)setDraggingFrame:(NSRect)frame contents:(id)contents
{
  mDraggingFrame = frame;
  [contents retain];
  [mContents release];
  mContents = contents;
}
- (id)standInContents
{
  return mContents;
}
@end

@implementation NSDraggingSession
- (id)initWithItems:(NSArray*)items event:(NSEvent*)event source:(id<NSDraggingSource>)source
{
  if ((self = [super init]))
  {
    mItems = [items copy];
    mEvent = [event retain];
    mSource = source; // AppKit keeps the source for the drag; the stand-in's drag never ends
    mAnimatesToStartingPositionsOnCancelOrFail = YES;
    mOutsideMask = [source draggingSession:self
      sourceOperationMaskForDraggingContext:NSDraggingContextOutsideApplication];
  }
  return self;
}
- (void)dealloc
{
  [mItems release];
  [mEvent release];
  [super dealloc];
}
- (NSDraggingFormation)draggingFormation
{
  return mDraggingFormation;
}
- (void)setDraggingFormation:(NSDraggingFormation)formation
{
  mDraggingFormation = formation;
}
- (BOOL)animatesToStartingPositionsOnCancelOrFail
{
  return mAnimatesToStartingPositionsOnCancelOrFail;
}
- (void)setAnimatesToStartingPositionsOnCancelOrFail:(BOOL)animates
{
  mAnimatesToStartingPositionsOnCancelOrFail = animates;
}
- (NSArray*)standInItems
{
  return mItems;
}
- (NSEvent*)standInEvent
{
  return mEvent;
}
- (id<NSDraggingSource>)standInSource
{
  return mSource;
}
- (NSDragOperation)standInSourceOperationMaskOutside
{
  return mOutsideMask;
}
@end

@implementation NSView (Dragging)
- (NSDraggingSession*)beginDraggingSessionWithItems:(NSArray*)items
                                              event:(NSEvent*)event
                                             source:(id<NSDraggingSource>)source
{
  NSDraggingSession* session = [[NSDraggingSession alloc] initWithItems:items event:event source:source];
  [sLastSession release];
  sLastSession = [session retain];
  sSessionCount++;
  return [session autorelease];
}
@end

NSDraggingSession* StandInLastDraggingSession(void)
{
  return sLastSession;
}

int StandInDraggingSessionCount(void)
{
  return sSessionCount;
}

void StandInResetDraggingSessions(void)
{
  [sLastSession release];
  sLastSession = nil;
  sSessionCount = 0;
}
