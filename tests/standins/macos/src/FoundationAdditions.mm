#import <AppKit/FoundationAdditions.h>

@implementation NSFileManager (StandInAppGroups)
- (NSURL*)containerURLForSecurityApplicationGroupIdentifier:(NSString*)groupIdentifier
{
  if ([groupIdentifier length] == 0)
    return nil;
  NSString* path = [[NSHomeDirectory() stringByAppendingPathComponent:@"Library/Group Containers"]
    stringByAppendingPathComponent:groupIdentifier];
  return [NSURL fileURLWithPath:path isDirectory:YES];
}
@end

// Nothing refers to a category by name, so a static library's users would leave this file out;
// the stand-ins' CMake asks the linker for this symbol to keep it in.
extern "C" const int StandInFoundationAdditionsLinked = 1;
