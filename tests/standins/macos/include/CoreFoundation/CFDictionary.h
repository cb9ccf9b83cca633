#pragma once

#include <CoreFoundation/CFBase.h>

// Only the retaining callbacks exist here: every collection holds CF objects.
typedef struct
{
  CFIndex version;
} CFDictionaryKeyCallBacks;
typedef struct
{
  CFIndex version;
} CFDictionaryValueCallBacks;
typedef struct
{
  CFIndex version;
} CFSetCallBacks;
extern const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks;
extern const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks;
extern const CFSetCallBacks kCFTypeSetCallBacks;

CF_EXTERN_C_BEGIN
CFDictionaryRef CFDictionaryCreate(CFAllocatorRef alloc, const void** keys, const void** values, CFIndex count,
                                   const CFDictionaryKeyCallBacks* keyCallBacks,
                                   const CFDictionaryValueCallBacks* valueCallBacks);
const void* CFDictionaryGetValue(CFDictionaryRef dict, const void* key);
CFIndex CFDictionaryGetCount(CFDictionaryRef dict);
CFSetRef CFSetCreate(CFAllocatorRef alloc, const void** values, CFIndex count, const CFSetCallBacks* callBacks);
Boolean CFSetContainsValue(CFSetRef set, const void* value);
CFIndex CFSetGetCount(CFSetRef set);
CF_EXTERN_C_END
