#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CoreGraphics.h>
#include <os/availability.h>

// CoreText fonts and font descriptors are CF objects: CFRetain/CFRelease apply, Create and Copy
// functions return +1, Get functions +0.
typedef const struct __CTFontDescriptor* CTFontDescriptorRef;
typedef const struct __CTFont* CTFontRef;

CF_EXTERN_C_BEGIN
/** Descriptor attribute keys: the family name, the style (face) name, the PostScript name and the
 * file URL of an installed font (a CFURL). */
extern const CFStringRef kCTFontFamilyNameAttribute;
extern const CFStringRef kCTFontStyleNameAttribute;
extern const CFStringRef kCTFontNameAttribute;
extern const CFStringRef kCTFontURLAttribute API_AVAILABLE(macos(10.6));

/** A font of the graphics font (which it retains); size 0 means the default size of 12 points.
 * The matrix and the attributes may be null. */
CTFontRef CTFontCreateWithGraphicsFont(CGFontRef graphicsFont, CGFloat size, const CGAffineTransform* matrix,
                                       CTFontDescriptorRef attributes) API_AVAILABLE(macos(10.5));
/** The font's descriptor (+1): the family, style and PostScript names the font file holds. */
CTFontDescriptorRef CTFontCopyFontDescriptor(CTFontRef font) API_AVAILABLE(macos(10.5));

/** A descriptor with a copy of the attributes (a dictionary of the keys above). */
CTFontDescriptorRef CTFontDescriptorCreateWithAttributes(CFDictionaryRef attributes) API_AVAILABLE(macos(10.5));
/** The installed fonts that match the descriptor (+1 array of descriptors), in the system's order;
 * every key in mandatoryAttributes must be matched exactly. Null when nothing matches. */
CFArrayRef CTFontDescriptorCreateMatchingFontDescriptors(CTFontDescriptorRef descriptor, CFSetRef mandatoryAttributes)
  API_AVAILABLE(macos(10.5));
/** The attribute's value (+1), or null when the descriptor lacks it. */
CFTypeRef CTFontDescriptorCopyAttribute(CTFontDescriptorRef descriptor, CFStringRef attribute)
  API_AVAILABLE(macos(10.5));
CF_EXTERN_C_END
