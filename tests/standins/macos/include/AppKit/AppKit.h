#pragma once

// Stand-in for AppKit over GNUstep Foundation: the classes the editor uses, with recorded calls,
// scripted answers, a settable backing scale and synthetic events (StandIns/AppKit*.h).
#import <Foundation/Foundation.h>
#import <AppKit/FoundationAdditions.h>

#include <CoreGraphics/CoreGraphics.h>
#include <QuartzCore/QuartzCore.h>

#import <AppKit/NSGraphicsTypes.h>
#import <AppKit/NSResponder.h>
#import <AppKit/NSView.h>
#import <AppKit/NSWindow.h>
#import <AppKit/NSPanel.h>
#import <AppKit/NSScreen.h>
#import <AppKit/NSEvent.h>
#import <AppKit/NSCursor.h>
#import <AppKit/NSTrackingArea.h>
#import <AppKit/NSAppearance.h>
#import <AppKit/NSGraphicsContext.h>
#import <AppKit/NSApplication.h>
#import <AppKit/NSDragging.h>
#import <AppKit/NSPasteboard.h>
#import <AppKit/NSWorkspace.h>
#import <AppKit/NSButton.h>
#import <AppKit/NSAlert.h>
#import <AppKit/NSSavePanel.h>
#import <AppKit/NSImage.h>
#import <AppKit/NSAnimationContext.h>
#import <AppKit/NSColor.h>
#import <AppKit/NSFont.h>
#import <AppKit/NSMenu.h>
#import <AppKit/NSTextField.h>
#import <AppKit/NSColorPanel.h>
