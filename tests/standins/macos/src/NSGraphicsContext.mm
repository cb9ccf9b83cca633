#import <AppKit/AppKit.h>

#import <StandIns/AppKitGraphicsContext.h>

struct CGContext
{
  CGAffineTransform ctm;
};

static NSGraphicsContext* sCurrentContext = nil;

@interface NSGraphicsContext (StandInMaking)
- (id)standInInit;
@end

@implementation NSGraphicsContext
+ (NSGraphicsContext*)currentContext
{
  return sCurrentContext;
}
+ (void)setCurrentContext:(NSGraphicsContext*)context
{
  [context retain];
  [sCurrentContext release];
  sCurrentContext = context;
}
- (id)standInInit
{
  if ((self = [super init]))
    mCGContext = new CGContext{{1, 0, 0, 1, 0, 0}};
  return self;
}
- (void)dealloc
{
  delete mCGContext;
  [super dealloc];
}
- (CGContextRef)CGContext
{
  return mCGContext;
}
@end

void CGContextTranslateCTM(CGContextRef c, CGFloat tx, CGFloat ty)
{
  CGAffineTransform& m = c->ctm;
  m.tx += tx * m.a + ty * m.c;
  m.ty += tx * m.b + ty * m.d;
}

void CGContextScaleCTM(CGContextRef c, CGFloat sx, CGFloat sy)
{
  CGAffineTransform& m = c->ctm;
  m.a *= sx;
  m.b *= sx;
  m.c *= sy;
  m.d *= sy;
}

NSGraphicsContext* StandInMakeGraphicsContext(void)
{
  return [[[NSGraphicsContext alloc] standInInit] autorelease];
}

CGAffineTransform StandInContextCTM(CGContextRef context)
{
  return context->ctm;
}
