// CoreText fonts and descriptors over the graphics-font stand-in, and descriptor matching against
// the installed fonts that tests script (StandIns/CoreText.h).
#import "FontObjects.h"

#include <CoreText/CoreText.h>

#include "StandIns/CoreText.h"

#include <mutex>
#include <string>
#include <vector>

const CFStringRef kCTFontFamilyNameAttribute = (CFStringRef) @"NSFontFamilyAttribute";
const CFStringRef kCTFontStyleNameAttribute = (CFStringRef) @"NSFontFaceAttribute";
const CFStringRef kCTFontNameAttribute = (CFStringRef) @"NSFontNameAttribute";
const CFStringRef kCTFontURLAttribute = (CFStringRef) @"NSCTFontFileURLAttribute";

namespace
{
struct InstalledFace
{
  std::string family;
  std::string style;
  std::string path;
};

std::mutex sInstalledMutex;
std::vector<InstalledFace> sInstalled;
} // namespace

@interface StandInCTFont : StandInFontObject {
@public
  StandInGraphicsFont* mGraphicsFont; // retained
  CGFloat mSize;
}
@end

@implementation StandInCTFont
- (void)dealloc
{
  [mGraphicsFont release];
  [super dealloc];
}
@end

@interface StandInCTFontDescriptor : StandInFontObject {
@public
  NSDictionary* mAttributes;
}
@end

@implementation StandInCTFontDescriptor
- (void)dealloc
{
  [mAttributes release];
  [super dealloc];
}
@end

namespace
{
/** A new descriptor (+1) that takes over the attributes (+1). */
StandInCTFontDescriptor* MakeDescriptor(NSDictionary* attributes)
{
  StandInCTFontDescriptor* descriptor = [[StandInCTFontDescriptor alloc] init];
  descriptor->mAttributes = attributes;
  return descriptor;
}

NSDictionary* AttributesOf(const InstalledFace& face)
{
  NSString* path = [NSString stringWithUTF8String:face.path.c_str()];
  return [[NSDictionary alloc]
    initWithObjectsAndKeys:[NSString stringWithUTF8String:face.family.c_str()], (id)kCTFontFamilyNameAttribute,
                           [NSString stringWithUTF8String:face.style.c_str()], (id)kCTFontStyleNameAttribute,
                           [NSURL fileURLWithPath:path isDirectory:NO], (id)kCTFontURLAttribute, nil];
}

/** Every mandatory key the wanted descriptor names must have an equal value in the candidate. */
bool MatchesMandatory(NSDictionary* wanted, NSDictionary* candidate, NSSet* mandatory)
{
  for (id key in mandatory)
  {
    id value = [wanted objectForKey:key];
    if (value && ![value isEqual:[candidate objectForKey:key]])
      return false;
  }
  return true;
}

/** How many of the other wanted attributes the candidate has too (better matches come first). */
NSUInteger Closeness(NSDictionary* wanted, NSDictionary* candidate)
{
  NSUInteger n = 0;
  for (id key in wanted)
    if ([[wanted objectForKey:key] isEqual:[candidate objectForKey:key]])
      ++n;
  return n;
}
} // namespace

void StandInInstallSystemFont(const char* family, const char* style, const char* path)
{
  std::lock_guard<std::mutex> lock(sInstalledMutex);
  sInstalled.push_back({family ? family : "", style ? style : "", path ? path : ""});
}

void StandInClearSystemFonts(void)
{
  std::lock_guard<std::mutex> lock(sInstalledMutex);
  sInstalled.clear();
}

CTFontRef CTFontCreateWithGraphicsFont(CGFontRef graphicsFont, CGFloat size, const CGAffineTransform*,
                                       CTFontDescriptorRef)
{
  if (!graphicsFont)
    return nullptr;
  StandInCTFont* font = [[StandInCTFont alloc] init];
  font->mGraphicsFont = [(StandInGraphicsFont*)graphicsFont retain];
  font->mSize = size > 0. ? size : 12.;
  return (CTFontRef)font;
}

CTFontDescriptorRef CTFontCopyFontDescriptor(CTFontRef font)
{
  if (!font)
    return nullptr;
  const StandInGraphicsFont* graphicsFont = ((StandInCTFont*)font)->mGraphicsFont;
  NSMutableDictionary* attributes = [[NSMutableDictionary alloc] init];
  if (graphicsFont->mFamily)
    [attributes setObject:graphicsFont->mFamily forKey:(id)kCTFontFamilyNameAttribute];
  if (graphicsFont->mStyle)
    [attributes setObject:graphicsFont->mStyle forKey:(id)kCTFontStyleNameAttribute];
  if (graphicsFont->mPostScriptName)
    [attributes setObject:graphicsFont->mPostScriptName forKey:(id)kCTFontNameAttribute];
  return (CTFontDescriptorRef)MakeDescriptor(attributes);
}

CTFontDescriptorRef CTFontDescriptorCreateWithAttributes(CFDictionaryRef attributes)
{
  return (CTFontDescriptorRef)MakeDescriptor(attributes ? [(NSDictionary*)attributes copy]
                                                        : [[NSDictionary alloc] init]);
}

CFArrayRef CTFontDescriptorCreateMatchingFontDescriptors(CTFontDescriptorRef descriptor, CFSetRef mandatoryAttributes)
{
  if (!descriptor)
    return nullptr;
  NSDictionary* wanted = ((StandInCTFontDescriptor*)descriptor)->mAttributes;
  // Without mandatory keys CoreText still insists on the family.
  NSSet* mandatory = mandatoryAttributes ? (NSSet*)mandatoryAttributes
                                         : [NSSet setWithObject:(id)kCTFontFamilyNameAttribute];
  std::vector<InstalledFace> installed;
  {
    std::lock_guard<std::mutex> lock(sInstalledMutex);
    installed = sInstalled;
  }
  NSMutableArray* matches = [NSMutableArray array];
  for (const InstalledFace& face : installed)
  {
    StandInCTFontDescriptor* candidate = MakeDescriptor(AttributesOf(face));
    if (MatchesMandatory(wanted, candidate->mAttributes, mandatory))
    {
      // Stable: among equally close faces the installation order stays.
      NSUInteger at = [matches count];
      const NSUInteger closeness = Closeness(wanted, candidate->mAttributes);
      while (at > 0 &&
             Closeness(wanted, ((StandInCTFontDescriptor*)[matches objectAtIndex:at - 1])->mAttributes) < closeness)
        --at;
      [matches insertObject:candidate atIndex:at];
    }
    [candidate release];
  }
  return [matches count] ? (CFArrayRef)[[NSArray alloc] initWithArray:matches] : nullptr;
}

CFTypeRef CTFontDescriptorCopyAttribute(CTFontDescriptorRef descriptor, CFStringRef attribute)
{
  if (!descriptor || !attribute)
    return nullptr;
  return (CFTypeRef)[[((StandInCTFontDescriptor*)descriptor)->mAttributes objectForKey:(id)attribute] retain];
}
