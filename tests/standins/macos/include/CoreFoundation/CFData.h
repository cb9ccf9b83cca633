#pragma once

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN
CFDataRef CFDataCreate(CFAllocatorRef alloc, const UInt8* bytes, CFIndex length);
const UInt8* CFDataGetBytePtr(CFDataRef data);
CFIndex CFDataGetLength(CFDataRef data);
CF_EXTERN_C_END
