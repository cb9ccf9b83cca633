#pragma once

#import <AppKit/NSAlert.h>
#import <AppKit/NSPanel.h>

#include <os/availability.h>

@class UTType;

/** The system's panel for choosing where to save. runModal and the sheet answer what the test
 * scripted (StandIns/AppKitDialogs.h); the sheet returns at once and its handler runs later on the
 * main queue, as a sheet ends in a later turn of the event loop. URL is set only by an OK answer. */
@interface NSSavePanel : NSPanel {
  NSArray* mAllowedFileTypes;
  NSArray* mAllowedContentTypes;
  NSURL* mDirectoryURL;
  NSString* mNameFieldStringValue;
  NSString* mTitle;
  BOOL mAllowsOtherFileTypes;
  BOOL mCanCreateDirectories;
  NSArray* mURLs;
  NSWindow* mSheetWindow; // not retained: the window of its last sheet
  BOOL mRanAsSheet;
}
+ (NSSavePanel*)savePanel;
/** File-name extensions without the dot; nil allows every type. */
- (NSArray*)allowedFileTypes API_DEPRECATED("Use -allowedContentTypes instead", macos(10.3, 12.0));
- (void)setAllowedFileTypes:(NSArray*)types API_DEPRECATED("Use -allowedContentTypes instead", macos(10.3, 12.0));
/** UTTypes; empty (as at first) allows every type. */
- (NSArray*)allowedContentTypes API_AVAILABLE(macos(11.0));
- (void)setAllowedContentTypes:(NSArray*)types API_AVAILABLE(macos(11.0));
- (BOOL)allowsOtherFileTypes;
- (void)setAllowsOtherFileTypes:(BOOL)allows;
- (NSURL*)directoryURL API_AVAILABLE(macos(10.6));
- (void)setDirectoryURL:(NSURL*)url API_AVAILABLE(macos(10.6));
- (NSString*)nameFieldStringValue API_AVAILABLE(macos(10.6));
- (void)setNameFieldStringValue:(NSString*)value API_AVAILABLE(macos(10.6));
- (NSString*)title;
- (void)setTitle:(NSString*)title;
- (BOOL)canCreateDirectories;
- (void)setCanCreateDirectories:(BOOL)can;
- (NSModalResponse)runModal;
- (void)beginSheetModalForWindow:(NSWindow*)window
               completionHandler:(void (^)(NSModalResponse result))handler API_AVAILABLE(macos(10.6));
/** The chosen file, after an OK answer; nil otherwise. */
- (NSURL*)URL;
@end

/** The system's panel for choosing files or folders to open. */
@interface NSOpenPanel : NSSavePanel {
  BOOL mCanChooseFiles;
  BOOL mCanChooseDirectories;
  BOOL mResolvesAliases;
  BOOL mAllowsMultipleSelection;
}
+ (NSOpenPanel*)openPanel;
- (BOOL)canChooseFiles;
- (void)setCanChooseFiles:(BOOL)can;
- (BOOL)canChooseDirectories;
- (void)setCanChooseDirectories:(BOOL)can;
- (BOOL)resolvesAliases;
- (void)setResolvesAliases:(BOOL)resolves;
- (BOOL)allowsMultipleSelection;
- (void)setAllowsMultipleSelection:(BOOL)allows;
/** Every chosen item, after an OK answer; empty otherwise. */
- (NSArray*)URLs;
@end
