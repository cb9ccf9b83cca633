#pragma once

#import <Foundation/Foundation.h>

#include <os/availability.h>

typedef NSString* NSAppearanceName;
extern NSAppearanceName const NSAppearanceNameAqua API_AVAILABLE(macos(10.9));
/** The system's dark look, which exists from macOS 10.14. */
extern NSAppearanceName const NSAppearanceNameDarkAqua API_AVAILABLE(macos(10.14));

/** A system look (light or dark) that views draw in; one shared object per name. */
API_AVAILABLE(macos(10.9))
@interface NSAppearance : NSObject {
  NSAppearanceName mName;
}
+ (NSAppearance*)appearanceNamed:(NSAppearanceName)name;
- (NSAppearanceName)name;
@end
