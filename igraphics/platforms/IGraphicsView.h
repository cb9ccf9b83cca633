#pragma once

// The editor's Cocoa view (Objective-C++ only).
#import <AppKit/AppKit.h>

#include "igraphics/IPopupMenu.h"
#include "igraphics/IRECTList.h"
#include "igraphics/platforms/IGraphicsMac.h"
#include "igraphics/platforms/IGraphicsMacClassNames.h"

@class IGraphicsTextField;
@class NSColorPanel;
@class NSCursor;
@class NSEvent;
@class NSTrackingArea;

/** The view IGraphicsMac puts into the host's parent view: it owns the redraw timer, hosts the Metal
 * layer NanoVG draws into, turns Cocoa events into the editor's input calls, and shows the native
 * menus, text field and colour panel. It holds its graphics object without retaining anything. */
@interface IGraphicsView : NSView <NSTextFieldDelegate, NSDraggingSource> {
@public
  iplug::igraphics::IGraphicsMac* mGraphics;
  NSTimer* mTimer;
  iplug::igraphics::IRECTList mDirtyRects;
  IGraphicsTextField* mTextFieldView;
  NSCursor* mMoveCursor;
  NSTrackingArea* mTrackingArea;
  float mPrevX, mPrevY;
  bool mMouseOutDuringDrag;
  iplug::igraphics::IColorPickerHandlerFunc mColorPickerFunc;
}

// Set-up, drawing and input (IGraphicsView.mm).
- (id)initWithIGraphics:(iplug::igraphics::IGraphicsMac*)pGraphics;
- (void)setTimer;
- (void)killTimer;
- (void)onTimer:(NSTimer*)timer;
- (void)render;
- (void)activateGLContext;
- (void)deactivateGLContext;
- (void)swapBuffers;
- (CGContextRef)getCGContextRef;
- (void)frameDidChange:(NSNotification*)notification;
/** Dark when the view's effective appearance is the system's dark look, else light. */
- (iplug::igraphics::EUIAppearance)uiAppearance;
- (void)getMouseXY:(NSEvent*)event:(float&)x:(float&)y;
- (iplug::igraphics::IMouseInfo)getMouseLeft:(NSEvent*)event;
- (iplug::igraphics::IMouseInfo)getMouseRight:(NSEvent*)event;
- (void)setMouseCursor:(iplug::igraphics::ECursor)cursorType;
- (void)registerToolTip:(iplug::igraphics::IRECT)bounds;
- (void)endUserInput;
@end

/** Menus, text entry and the colour panel (IGraphicsMacMenus.mm). */
@interface IGraphicsView (Menus)
- (iplug::igraphics::IPopupMenu*)createPopupMenu:(iplug::igraphics::IPopupMenu&)menu:(NSRect)bounds;
- (void)createTextEntry:(int)
               paramIdx:(const iplug::igraphics::IText&)text
                       :(const char*)str
                       :(int)length
                       :(NSRect)areaRect;
- (BOOL)promptForColor:(iplug::igraphics::IColor&)color:(iplug::igraphics::IColorPickerHandlerFunc)func;
- (void)onColorPicked:(NSColorPanel*)colorPanel;
/** Closes the shared colour panel; when it still sends its action here, it no longer does. */
- (void)closeColorPanel;
@end
