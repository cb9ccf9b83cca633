// CoreFoundation over GNUstep Foundation: each CF reference is the Foundation object itself.
#import <Foundation/Foundation.h>

#include <CoreFoundation/CoreFoundation.h>

#include <map>
#include <mutex>
#include <string>

const CFArrayCallBacks kCFTypeArrayCallBacks = {0};
const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks = {0};
const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks = {0};
const CFSetCallBacks kCFTypeSetCallBacks = {0};

static id Obj(CFTypeRef cf)
{
  return (id)cf;
}

CFTypeRef CFRetain(CFTypeRef cf)
{
  [Obj(cf) retain];
  return cf;
}

void CFRelease(CFTypeRef cf)
{
  if (!cf)
  {
    NSLog(@"CFRelease(NULL): a crash on macOS");
    abort();
  }
  [Obj(cf) release];
}

CFIndex CFGetRetainCount(CFTypeRef cf)
{
  return static_cast<CFIndex>([Obj(cf) retainCount]);
}

CFAbsoluteTime CFAbsoluteTimeGetCurrent(void)
{
  return [NSDate timeIntervalSinceReferenceDate];
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* cStr, CFStringEncoding encoding)
{
  if (!cStr)
    return nullptr;
  NSStringEncoding e = encoding == kCFStringEncodingASCII ? NSASCIIStringEncoding : NSUTF8StringEncoding;
  return (CFStringRef)[[NSString alloc] initWithCString:cStr encoding:e];
}

Boolean CFStringGetCString(CFStringRef str, char* buffer, CFIndex bufferSize, CFStringEncoding encoding)
{
  if (!str || !buffer || bufferSize <= 0)
    return false;
  NSStringEncoding e = encoding == kCFStringEncodingASCII ? NSASCIIStringEncoding : NSUTF8StringEncoding;
  return [(NSString*)str getCString:buffer maxLength:static_cast<NSUInteger>(bufferSize) encoding:e] ? true : false;
}

CFIndex CFStringGetLength(CFStringRef str)
{
  return static_cast<CFIndex>([(NSString*)str length]);
}

CFStringRef __CFStringMakeConstantString(const char* cStr)
{
  static std::mutex mutex;
  static std::map<std::string, NSString*> strings;
  std::lock_guard<std::mutex> lock(mutex);
  NSString*& s = strings[cStr];
  if (!s)
    s = [[NSString alloc] initWithUTF8String:cStr];
  return (CFStringRef)s;
}

CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef, CFStringRef path, CFURLPathStyle, Boolean isDirectory)
{
  if (!path)
    return nullptr;
  return (CFURLRef)[[NSURL alloc] initFileURLWithPath:(NSString*)path isDirectory:isDirectory ? YES : NO];
}

CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef, const UInt8* buffer, CFIndex length,
                                                 Boolean isDirectory)
{
  if (!buffer || length <= 0)
    return nullptr;
  NSString* path = [[NSString alloc] initWithBytes:buffer
                                            length:static_cast<NSUInteger>(length)
                                          encoding:NSUTF8StringEncoding];
  if (!path)
    return nullptr;
  NSURL* url = [[NSURL alloc] initFileURLWithPath:path isDirectory:isDirectory ? YES : NO];
  [path release];
  return (CFURLRef)url;
}

Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean, UInt8* buffer, CFIndex maxLength)
{
  if (!url || !buffer || maxLength <= 0)
    return false;
  const char* path = [[(NSURL*)url path] fileSystemRepresentation];
  const size_t n = strlen(path);
  if (static_cast<CFIndex>(n) >= maxLength)
    return false;
  memcpy(buffer, path, n + 1);
  return true;
}

CFStringRef CFURLCopyFileSystemPath(CFURLRef url, CFURLPathStyle)
{
  return url ? (CFStringRef)[[(NSURL*)url path] copy] : nullptr;
}

CFDataRef CFDataCreate(CFAllocatorRef, const UInt8* bytes, CFIndex length)
{
  return (CFDataRef)[[NSData alloc] initWithBytes:bytes length:static_cast<NSUInteger>(length)];
}

const UInt8* CFDataGetBytePtr(CFDataRef data)
{
  return static_cast<const UInt8*>([(NSData*)data bytes]);
}

CFIndex CFDataGetLength(CFDataRef data)
{
  return static_cast<CFIndex>([(NSData*)data length]);
}

CFArrayRef CFArrayCreate(CFAllocatorRef, const void** values, CFIndex count, const CFArrayCallBacks*)
{
  return (CFArrayRef)[[NSArray alloc] initWithObjects:(id*)values count:static_cast<NSUInteger>(count)];
}

CFIndex CFArrayGetCount(CFArrayRef array)
{
  return static_cast<CFIndex>([(NSArray*)array count]);
}

const void* CFArrayGetValueAtIndex(CFArrayRef array, CFIndex idx)
{
  return [(NSArray*)array objectAtIndex:static_cast<NSUInteger>(idx)];
}

CFDictionaryRef CFDictionaryCreate(CFAllocatorRef, const void** keys, const void** values, CFIndex count,
                                   const CFDictionaryKeyCallBacks*, const CFDictionaryValueCallBacks*)
{
  return (CFDictionaryRef)[[NSDictionary alloc] initWithObjects:(id*)values
                                                        forKeys:(id*)keys
                                                          count:static_cast<NSUInteger>(count)];
}

const void* CFDictionaryGetValue(CFDictionaryRef dict, const void* key)
{
  return [(NSDictionary*)dict objectForKey:(id)key];
}

CFIndex CFDictionaryGetCount(CFDictionaryRef dict)
{
  return static_cast<CFIndex>([(NSDictionary*)dict count]);
}

CFSetRef CFSetCreate(CFAllocatorRef, const void** values, CFIndex count, const CFSetCallBacks*)
{
  return (CFSetRef)[[NSSet alloc] initWithObjects:(id*)values count:static_cast<NSUInteger>(count)];
}

Boolean CFSetContainsValue(CFSetRef set, const void* value)
{
  return [(NSSet*)set containsObject:(id)value] ? true : false;
}

CFIndex CFSetGetCount(CFSetRef set)
{
  return static_cast<CFIndex>([(NSSet*)set count]);
}

CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef url)
{
  if (!url)
    return nullptr;
  return (CFBundleRef)[[NSBundle alloc] initWithPath:[(NSURL*)url path]];
}

CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle)
{
  if (!bundle)
    return nullptr;
  return (CFURLRef)[[NSURL alloc] initFileURLWithPath:[(NSBundle*)bundle bundlePath] isDirectory:YES];
}

CFBundleRef CFBundleGetMainBundle(void)
{
  return (CFBundleRef)[NSBundle mainBundle];
}

CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef identifier)
{
  return (CFBundleRef)[NSBundle bundleWithIdentifier:(NSString*)identifier];
}
