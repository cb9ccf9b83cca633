#pragma once

#include <CoreFoundation/CFBase.h>

typedef CFIndex CFURLPathStyle;
enum
{
  kCFURLPOSIXPathStyle = 0
};

CF_EXTERN_C_BEGIN
CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef alloc, CFStringRef path, CFURLPathStyle style,
                                       Boolean isDirectory);
CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef alloc, const UInt8* buffer, CFIndex length,
                                                 Boolean isDirectory);
Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer, CFIndex maxLength);
CFStringRef CFURLCopyFileSystemPath(CFURLRef url, CFURLPathStyle style);
CF_EXTERN_C_END
