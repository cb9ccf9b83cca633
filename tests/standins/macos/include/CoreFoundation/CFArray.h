#pragma once

#include <CoreFoundation/CFBase.h>

// Only the retaining callbacks exist here: every collection holds CF objects.
typedef struct
{
  CFIndex version;
} CFArrayCallBacks;
extern const CFArrayCallBacks kCFTypeArrayCallBacks;

CF_EXTERN_C_BEGIN
CFArrayRef CFArrayCreate(CFAllocatorRef alloc, const void** values, CFIndex count, const CFArrayCallBacks* callBacks);
CFIndex CFArrayGetCount(CFArrayRef array);
const void* CFArrayGetValueAtIndex(CFArrayRef array, CFIndex idx);
CF_EXTERN_C_END
