// AppKit's own run-loop modes, by the names that macOS gives them.
#import <AppKit/AppKit.h>

NSString* const NSModalPanelRunLoopMode = @"NSModalPanelRunLoopMode";
NSString* const NSEventTrackingRunLoopMode = @"NSEventTrackingRunLoopMode";
