#pragma once

#import <AppKit/NSAlert.h>
#import <AppKit/NSPanel.h>

/** The system's panel for choosing where to save. runModal and the sheet answer what the test
 * scripted (StandIns/AppKitDialogs.h); the sheet returns at once and its handler runs later on the
 * main queue, as a sheet ends in a later turn of the event loop. URL is set only by an OK answer. */
@interface NSSavePanel : NSPanel {
  NSArray* mAllowedFileTypes;
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
- (NSArray*)allowedFileTypes;
- (void)setAllowedFileTypes:(NSArray*)types;
- (BOOL)allowsOtherFileTypes;
- (void)setAllowsOtherFileTypes:(BOOL)allows;
- (NSURL*)directoryURL;
- (void)setDirectoryURL:(NSURL*)url;
- (NSString*)nameFieldStringValue;
- (void)setNameFieldStringValue:(NSString*)value;
- (NSString*)title;
- (void)setTitle:(NSString*)title;
- (BOOL)canCreateDirectories;
- (void)setCanCreateDirectories:(BOOL)can;
- (NSModalResponse)runModal;
- (void)beginSheetModalForWindow:(NSWindow*)window completionHandler:(void (^)(NSModalResponse result))handler;
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
