// Calls as the product makes them, one case per CASE_ macro, for the lane's Mac compile to judge
// against a deployment target (CMakeLists.txt says which must fail, and with what).
#import <AppKit/AppKit.h>
#import <UniformTypeIdentifiers/UniformTypeIdentifiers.h>

#include <CoreServices/CoreServices.h>

bool IsDark(NSView* view)
{
#if defined(CASE_DARK_APPEARANCE_GUARDED)
  if (@available(macOS 10.14, *))
  {
    return [[[view effectiveAppearance] name] isEqualToString:NSAppearanceNameDarkAqua];
  }
#elif defined(CASE_DARK_APPEARANCE)
  return [[[view effectiveAppearance] name] isEqualToString:NSAppearanceNameDarkAqua];
#endif
  (void)view;
  return false;
}

void AllowWaveFiles(NSSavePanel* panel)
{
#if defined(CASE_CONTENT_TYPES_GUARDED)
  if (@available(macOS 11.0, *))
  {
    [panel setAllowedContentTypes:[NSArray arrayWithObject:[UTType typeWithFilenameExtension:@"wav"]]];
  }
  else
  {
    [panel setAllowedFileTypes:[NSArray arrayWithObject:@"wav"]];
  }
#elif defined(CASE_CONTENT_TYPES)
  [panel setAllowedContentTypes:[NSArray arrayWithObject:[UTType typeWithFilenameExtension:@"wav"]]];
#elif defined(CASE_FILE_TYPES)
  [panel setAllowedFileTypes:[NSArray arrayWithObject:@"wav"]];
#endif
  (void)panel;
}

NSArray* DroppedFiles(NSPasteboard* pasteboard)
{
#if defined(CASE_FILE_NAMES_TYPE)
  return [pasteboard propertyListForType:NSFilenamesPboardType];
#endif
  (void)pasteboard;
  return nil;
}

int SystemVersion()
{
  SInt32 version = 0;
#if defined(CASE_GESTALT)
  Gestalt(gestaltSystemVersion, &version);
#endif
  return static_cast<int>(version);
}
