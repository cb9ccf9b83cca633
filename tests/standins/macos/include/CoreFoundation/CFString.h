#pragma once

#include <CoreFoundation/CFBase.h>

typedef UInt32 CFStringEncoding;
enum
{
  kCFStringEncodingUTF8 = 0x08000100,
  kCFStringEncodingASCII = 0x0600
};

CF_EXTERN_C_BEGIN
CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr, CFStringEncoding encoding);
Boolean CFStringGetCString(CFStringRef str, char* buffer, CFIndex bufferSize, CFStringEncoding encoding);
CFIndex CFStringGetLength(CFStringRef str);
/** The constant string behind CFSTR: made once per text and never freed. */
CFStringRef __CFStringMakeConstantString(const char* cStr);
CF_EXTERN_C_END

#define CFSTR(s) __CFStringMakeConstantString("" s "")
