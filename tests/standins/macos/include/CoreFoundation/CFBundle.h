#pragma once

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN
/** A bundle for the folder at url (NSBundle behind it); null when there is none. */
CFBundleRef CFBundleCreate(CFAllocatorRef alloc, CFURLRef url);
CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
CFBundleRef CFBundleGetMainBundle(void);
CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef identifier);
CF_EXTERN_C_END
