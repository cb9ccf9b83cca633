#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CGDataProvider.h>

// A graphics font is a CF object that retains its data provider.
typedef struct CGFont* CGFontRef;

CF_EXTERN_C_BEGIN
/** Null unless the provider's bytes are a TrueType/OpenType font or a collection of them. */
CGFontRef CGFontCreateWithDataProvider(CGDataProviderRef provider);
CGFontRef CGFontRetain(CGFontRef font);
/** Null is allowed. */
void CGFontRelease(CGFontRef font);
CF_EXTERN_C_END
