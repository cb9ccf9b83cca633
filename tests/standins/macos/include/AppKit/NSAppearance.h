#pragma once

#import <Foundation/Foundation.h>

typedef NSString* NSAppearanceName;
extern NSAppearanceName const NSAppearanceNameAqua;
extern NSAppearanceName const NSAppearanceNameDarkAqua;

/** A system look (light or dark) that views draw in; one shared object per name. */
@interface NSAppearance : NSObject {
  NSAppearanceName mName;
}
+ (NSAppearance*)appearanceNamed:(NSAppearanceName)name;
- (NSAppearanceName)name;
@end
