#pragma once

#import <AppKit/NSPasteboard.h>
#import <AppKit/NSView.h>

#include <os/availability.h>

@class NSEvent;
@class NSPasteboard;
@class NSDraggingSession;

typedef NSUInteger NSDragOperation;
enum
{
  NSDragOperationNone = 0,
  NSDragOperationCopy = 1,
  NSDragOperationLink = 2,
  NSDragOperationGeneric = 4,
  NSDragOperationPrivate = 8,
  NSDragOperationMove = 16,
  NSDragOperationDelete = 32,
  NSDragOperationEvery = NSUIntegerMax
};

typedef NS_ENUM(NSInteger, NSDraggingContext) {
  NSDraggingContextOutsideApplication = 0,
  NSDraggingContextWithinApplication = 1
};

typedef NS_ENUM(NSInteger, NSDraggingFormation) {
  NSDraggingFormationDefault = 0,
  NSDraggingFormationNone = 1,
  NSDraggingFormationPile = 2,
  NSDraggingFormationList = 3,
  NSDraggingFormationStack = 4
};

/** What a drop target is told about a drag passing over it. */
@protocol NSDraggingInfo <NSObject>
- (NSPasteboard*)draggingPasteboard;
/** In the destination window's coordinates (origin bottom left). */
- (NSPoint)draggingLocation;
@end

/** What a view that accepts drops answers. */
@protocol NSDraggingDestination <NSObject>
@optional
- (NSDragOperation)draggingEntered:(id<NSDraggingInfo>)sender;
- (BOOL)performDragOperation:(id<NSDraggingInfo>)sender;
@end

/** The owner of a drag that starts in this program. */
@protocol NSDraggingSource <NSObject>
- (NSDragOperation)draggingSession:(NSDraggingSession*)session
  sourceOperationMaskForDraggingContext:(NSDraggingContext)context;
@end

/** One dragged thing: what goes on the pasteboard, and where and as what it is shown. */
API_AVAILABLE(macos(10.7))
@interface NSDraggingItem : NSObject {
  id mItem;
  NSRect mDraggingFrame;
  id mContents;
}
/** writer: an object the pasteboard can write, such as a file URL or a pasteboard item. */
- (id)initWithPasteboardWriter:(id<NSPasteboardWriting>)writer;
- (id)item;
- (NSRect)draggingFrame;
- (void)setDraggingFrame:(NSRect)frame;
- (void)setDraggingFrame:(NSRect)frame contents:(id)contents;
@end

/** A drag in progress, as begun by a view. */
API_AVAILABLE(macos(10.7))
@interface NSDraggingSession : NSObject {
  NSDraggingFormation mDraggingFormation;
  BOOL mAnimatesToStartingPositionsOnCancelOrFail;
  NSArray* mItems;
  NSEvent* mEvent;
  id<NSDraggingSource> mSource;
  NSDragOperation mOutsideMask;
}
- (NSDraggingFormation)draggingFormation;
- (void)setDraggingFormation:(NSDraggingFormation)formation;
- (BOOL)animatesToStartingPositionsOnCancelOrFail;
- (void)setAnimatesToStartingPositionsOnCancelOrFail:(BOOL)animates;
@end

@interface NSView (Dragging)
/** Starts a drag of the items from the mouse event; the session belongs to AppKit (autoreleased). */
- (NSDraggingSession*)beginDraggingSessionWithItems:(NSArray*)items
                                              event:(NSEvent*)event
                                             source:(id<NSDraggingSource>)source API_AVAILABLE(macos(10.7));
@end

@interface NSDraggingItem (StandIn)
/** What setDraggingFrame:contents: was given (nil when only the frame was set). */
- (id)standInContents;
@end

@interface NSDraggingSession (StandIn)
/** The items, event and source the drag was begun with. */
- (NSArray*)standInItems;
- (NSEvent*)standInEvent;
- (id<NSDraggingSource>)standInSource;
/** The operation mask the source answered, when asked, for a drag out of the program. */
- (NSDragOperation)standInSourceOperationMaskOutside;
@end
