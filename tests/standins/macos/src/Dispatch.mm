// The main queue over GNUstep's main run loop.
#import <Foundation/Foundation.h>

#include <dispatch/dispatch.h>

#include <StandIns/RunLoop.h>

#include <atomic>

static std::atomic<long> sQueued{0};
static std::atomic<long> sRun{0};

@interface StandInQueuedBlock : NSObject {
@public
  dispatch_block_t mBlock;
}
- (void)run;
@end

@implementation StandInQueuedBlock
- (void)run
{
  mBlock();
  sRun++;
}
- (void)dealloc
{
  Block_release(mBlock);
  [super dealloc];
}
@end

struct dispatch_queue_s
{
  int unused;
};

dispatch_queue_t dispatch_get_main_queue(void)
{
  static dispatch_queue_s mainQueue;
  return &mainQueue;
}

void dispatch_async(dispatch_queue_t, dispatch_block_t block)
{
  StandInQueuedBlock* queued = [[StandInQueuedBlock alloc] init];
  queued->mBlock = Block_copy(block);
  sQueued++;
  NSArray* modes = [NSArray
    arrayWithObjects:NSDefaultRunLoopMode, @"NSModalPanelRunLoopMode", @"NSEventTrackingRunLoopMode", nil];
  [queued performSelectorOnMainThread:@selector(run) withObject:nil waitUntilDone:NO modes:modes];
  [queued release];
}

void StandInRunMainLoop(const char* mode, double seconds)
{
  NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
  NSString* m = mode ? [NSString stringWithUTF8String:mode] : NSDefaultRunLoopMode;
  NSDate* until = [NSDate dateWithTimeIntervalSinceNow:seconds];
  while ([until timeIntervalSinceNow] > 0)
    [[NSRunLoop mainRunLoop] runMode:m beforeDate:until];
  [pool release];
}

int StandInDrainMainQueue(double seconds)
{
  NSAutoreleasePool* pool = [[NSAutoreleasePool alloc] init];
  const long target = sQueued.load();
  NSDate* until = [NSDate dateWithTimeIntervalSinceNow:seconds];
  while (sRun.load() < target && [until timeIntervalSinceNow] > 0)
    [[NSRunLoop mainRunLoop] runMode:NSDefaultRunLoopMode beforeDate:[NSDate dateWithTimeIntervalSinceNow:0.01]];
  [pool release];
  return sRun.load() >= target ? 1 : 0;
}
