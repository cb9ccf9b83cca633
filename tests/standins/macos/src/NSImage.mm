#import <AppKit/AppKit.h>

namespace
{
// A PNG file starts with its signature and then the header chunk, which holds the size.
bool ReadPNGSize(NSData* data, NSSize& size)
{
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if ([data length] < 24)
    return false;
  const unsigned char* bytes = static_cast<const unsigned char*>([data bytes]);
  if (memcmp(bytes, kSignature, sizeof(kSignature)) != 0 || memcmp(bytes + 12, "IHDR", 4) != 0)
    return false;
  auto word = [bytes](int at) {
    return (uint32_t(bytes[at]) << 24) | (uint32_t(bytes[at + 1]) << 16) | (uint32_t(bytes[at + 2]) << 8) |
           uint32_t(bytes[at + 3]);
  };
  size = NSMakeSize(word(16), word(20));
  return size.width > 0 && size.height > 0;
}
} // namespace

@implementation NSImage
- (id)initWithSize:(NSSize)size
{
  if ((self = [super init]))
    mSize = size;
  return self;
}
- (id)initWithContentsOfFile:(NSString*)path
{
  NSData* data = [NSData dataWithContentsOfFile:path];
  NSSize size;
  if (!data || !ReadPNGSize(data, size))
  {
    [self release];
    return nil;
  }
  return [self initWithSize:size];
}
- (NSSize)size
{
  return mSize;
}
- (void)setSize:(NSSize)size
{
  mSize = size;
}
@end
