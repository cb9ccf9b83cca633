#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <os/availability.h>

// A data provider is a CF object (CFRetain/CFRelease apply); the Create functions return +1.
typedef struct CGDataProvider* CGDataProviderRef;

/** Called once when a provider made over caller-owned bytes is freed. */
typedef void (*CGDataProviderReleaseDataCallback)(void* info, const void* data, size_t size);

CF_EXTERN_C_BEGIN
/** The bytes of a file URL; null when the file cannot be read. */
CGDataProviderRef CGDataProviderCreateWithURL(CFURLRef url);
/** Over the caller's bytes without copying them; releaseData (if any) runs when the provider dies. */
CGDataProviderRef CGDataProviderCreateWithData(void* info, const void* data, size_t size,
                                               CGDataProviderReleaseDataCallback releaseData);
/** A new CFData (+1) holding a copy of every byte. */
CFDataRef CGDataProviderCopyData(CGDataProviderRef provider) API_AVAILABLE(macos(10.5));
CGDataProviderRef CGDataProviderRetain(CGDataProviderRef provider);
/** Null is allowed. */
void CGDataProviderRelease(CGDataProviderRef provider);
CF_EXTERN_C_END
