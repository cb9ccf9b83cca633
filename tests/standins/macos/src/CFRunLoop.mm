// CFRunLoop over GNUstep's NSRunLoop: a run-loop timer is an object that drives an NSTimer in
// every mode it was added to. As on macOS, Create returns +1, the run loop holds a timer while it
// is scheduled, and invalidating it unschedules it and drops that hold.
#import <Foundation/Foundation.h>

#include <CoreFoundation/CoreFoundation.h>

#include <StandIns/RunLoopTimers.h>

#include <atomic>

const CFRunLoopMode kCFRunLoopDefaultMode = (CFRunLoopMode)NSDefaultRunLoopMode;
// GNUstep's common modes are a mode of their own that its run loop never runs, so a timer added
// here never fires: the stand-in keeps that fault visible instead of hiding it.
const CFRunLoopMode kCFRunLoopCommonModes = (CFRunLoopMode)NSRunLoopCommonModes;

static std::atomic<long> sLiveTimers{0};

long StandInLiveRunLoopTimers(void)
{
  return sLiveTimers.load();
}

@class StandInTimerTrampoline;

@interface StandInRunLoopTimer : NSObject {
@public
  CFRunLoopTimerCallBack mCallout;
  CFRunLoopTimerContext mContext;
  CFTimeInterval mInterval;
  NSDate* mNextFire;
  NSRunLoop* mRunLoop; // not retained: a run loop lives as long as its thread
  NSMutableSet* mModes;
  NSTimer* mTimer;
  StandInTimerTrampoline* mTrampoline;
  BOOL mValid;
}
- (void)fire;
- (void)reschedule;
- (void)invalidate;
@end

// The NSTimer's target. An NSTimer retains its target, and an invalidated one may stay in a mode
// that does not run again, so the target is this small object and not the CF timer itself.
@interface StandInTimerTrampoline : NSObject {
@public
  StandInRunLoopTimer* mOwner; // not retained; cleared when the owner stops using the NSTimer
}
- (void)fire:(NSTimer*)timer;
@end

@implementation StandInTimerTrampoline
- (void)fire:(NSTimer*)timer
{
  (void)timer;
  [mOwner fire];
}
@end

@implementation StandInRunLoopTimer
- (instancetype)init
{
  if ((self = [super init]))
  {
    mModes = [[NSMutableSet alloc] init];
    sLiveTimers++;
  }
  return self;
}

- (void)dealloc
{
  // A timer that is still scheduled is held by its run loop, so here it has no NSTimer.
  if (mValid && mContext.release)
    mContext.release(mContext.info);
  [mNextFire release];
  [mModes release];
  sLiveTimers--;
  [super dealloc];
}

- (void)fire
{
  // The callout may invalidate and release the timer; it stays alive until the callout returns.
  [self retain];
  if (mCallout)
    mCallout((CFRunLoopTimerRef)self, mContext.info);
  if (mValid && mInterval <= 0)
    [self invalidate];
  [self release];
}

- (void)unschedule
{
  if (!mTimer)
    return;
  if ([mTimer isValid])
  {
    [mNextFire release];
    mNextFire = [[mTimer fireDate] retain];
  }
  mTrampoline->mOwner = nil;
  [mTimer invalidate];
  [mTimer release];
  mTimer = nil;
  [mTrampoline release];
  mTrampoline = nil;
}

// An NSTimer cannot leave one mode and stay in the others, so a change of modes makes a new one
// that goes on from the old one's next fire date.
- (void)reschedule
{
  [self unschedule];
  if (!mValid || [mModes count] == 0)
    return;
  mTrampoline = [[StandInTimerTrampoline alloc] init];
  mTrampoline->mOwner = self;
  mTimer = [[NSTimer alloc] initWithFireDate:mNextFire
                                    interval:mInterval
                                      target:mTrampoline
                                    selector:@selector(fire:)
                                    userInfo:nil
                                     repeats:mInterval > 0 ? YES : NO];
  for (NSString* mode in mModes)
    [mRunLoop addTimer:mTimer forMode:mode];
}

- (void)invalidate
{
  if (!mValid)
    return;
  mValid = NO;
  const BOOL scheduled = [mModes count] > 0;
  [mModes removeAllObjects];
  [self unschedule];
  void* info = mContext.info;
  mContext.info = nullptr;
  if (mContext.release)
    mContext.release(info);
  if (scheduled)
    [self release]; // the run loop's hold; may free the timer, so it comes last
}
@end

static StandInRunLoopTimer* TimerObject(CFRunLoopTimerRef timer)
{
  return (StandInRunLoopTimer*)timer;
}

CFRunLoopRef CFRunLoopGetMain(void)
{
  return (CFRunLoopRef)[NSRunLoop mainRunLoop];
}

CFRunLoopRef CFRunLoopGetCurrent(void)
{
  return (CFRunLoopRef)[NSRunLoop currentRunLoop];
}

CFRunLoopTimerRef CFRunLoopTimerCreate(CFAllocatorRef, CFAbsoluteTime fireDate, CFTimeInterval interval, CFOptionFlags,
                                       CFIndex, CFRunLoopTimerCallBack callout, CFRunLoopTimerContext* context)
{
  StandInRunLoopTimer* timer = [[StandInRunLoopTimer alloc] init];
  timer->mCallout = callout;
  if (context)
  {
    timer->mContext = *context;
    if (context->retain)
      timer->mContext.info = const_cast<void*>(context->retain(context->info));
  }
  timer->mInterval = interval;
  timer->mNextFire = [[NSDate alloc] initWithTimeIntervalSinceReferenceDate:fireDate];
  timer->mValid = YES;
  return (CFRunLoopTimerRef)timer;
}

void CFRunLoopAddTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode)
{
  StandInRunLoopTimer* t = TimerObject(timer);
  NSRunLoop* runLoop = (NSRunLoop*)rl;
  if (!t || !runLoop || !mode || !t->mValid)
    return;
  if (t->mRunLoop && t->mRunLoop != runLoop)
    return; // a timer belongs to one run loop
  NSString* name = (NSString*)mode;
  if ([t->mModes containsObject:name])
    return;
  if ([t->mModes count] == 0)
    [t retain]; // the run loop holds the timers scheduled in it
  t->mRunLoop = runLoop;
  [t->mModes addObject:name];
  [t reschedule];
}

void CFRunLoopRemoveTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFRunLoopMode mode)
{
  StandInRunLoopTimer* t = TimerObject(timer);
  NSString* name = (NSString*)mode;
  if (!t || (NSRunLoop*)rl != t->mRunLoop || !name || ![t->mModes containsObject:name])
    return;
  [t->mModes removeObject:name];
  [t reschedule];
  if ([t->mModes count] == 0)
    [t release];
}

void CFRunLoopTimerInvalidate(CFRunLoopTimerRef timer)
{
  [TimerObject(timer) invalidate];
}

Boolean CFRunLoopTimerIsValid(CFRunLoopTimerRef timer)
{
  StandInRunLoopTimer* t = TimerObject(timer);
  return t && t->mValid ? true : false;
}
