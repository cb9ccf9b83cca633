#import <AppKit/NSResponder.h>

@implementation NSResponder
- (NSResponder*)nextResponder
{
  return mNextResponder;
}
- (void)setNextResponder:(NSResponder*)responder
{
  mNextResponder = responder;
}
- (BOOL)acceptsFirstResponder
{
  return NO;
}
- (BOOL)becomeFirstResponder
{
  return YES;
}
- (BOOL)resignFirstResponder
{
  return YES;
}
// What a responder does not take goes on along the chain.
- (void)mouseDown:(NSEvent*)event
{
  [mNextResponder mouseDown:event];
}
- (void)mouseUp:(NSEvent*)event
{
  [mNextResponder mouseUp:event];
}
- (void)mouseDragged:(NSEvent*)event
{
  [mNextResponder mouseDragged:event];
}
- (void)mouseMoved:(NSEvent*)event
{
  [mNextResponder mouseMoved:event];
}
- (void)mouseEntered:(NSEvent*)event
{
  [mNextResponder mouseEntered:event];
}
- (void)mouseExited:(NSEvent*)event
{
  [mNextResponder mouseExited:event];
}
- (void)rightMouseDown:(NSEvent*)event
{
  [mNextResponder rightMouseDown:event];
}
- (void)rightMouseUp:(NSEvent*)event
{
  [mNextResponder rightMouseUp:event];
}
- (void)rightMouseDragged:(NSEvent*)event
{
  [mNextResponder rightMouseDragged:event];
}
- (void)scrollWheel:(NSEvent*)event
{
  [mNextResponder scrollWheel:event];
}
- (void)keyDown:(NSEvent*)event
{
  [mNextResponder keyDown:event];
}
- (void)keyUp:(NSEvent*)event
{
  [mNextResponder keyUp:event];
}
@end
