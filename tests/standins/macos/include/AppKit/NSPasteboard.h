#pragma once

#import <Foundation/Foundation.h>

#include <os/availability.h>

typedef NSString* NSPasteboardType;
typedef NSString* NSPasteboardName;
typedef NSString* NSPasteboardReadingOptionKey;

extern NSPasteboardType const NSPasteboardTypeString API_AVAILABLE(macos(10.6));
extern NSPasteboardType const NSPasteboardTypeFileURL API_AVAILABLE(macos(10.13));
extern NSPasteboardType const NSPasteboardTypeURL API_AVAILABLE(macos(10.13));
/** The older type under which a pasteboard lists the paths of its file URLs, as one property list
 * (an array of path strings). */
extern NSPasteboardType const NSFilenamesPboardType API_DEPRECATED(
  "Create multiple pasteboard items with NSPasteboardTypeFileURL or kUTTypeFileURL instead", macos(10.0, 10.14));

extern NSPasteboardName const NSPasteboardNameGeneral;
extern NSPasteboardName const NSPasteboardNameDrag;

/** With YES, readObjectsForClasses:options: answers only URLs that name files. */
extern NSPasteboardReadingOptionKey const NSPasteboardURLReadingFileURLsOnlyKey API_AVAILABLE(macos(10.6));

/** What may be written to a pasteboard: items, strings and URLs. */
@protocol NSPasteboardWriting <NSObject>
@end

/** What may be read back from a pasteboard: strings and URLs. */
@protocol NSPasteboardReading <NSObject>
@end

@interface NSString (NSPasteboardSupport) <NSPasteboardWriting, NSPasteboardReading>
@end

@interface NSURL (NSPasteboardSupport) <NSPasteboardWriting, NSPasteboardReading>
@end

/** One item of a pasteboard: a value per type, in the order the types were set. */
API_AVAILABLE(macos(10.6))
@interface NSPasteboardItem : NSObject <NSPasteboardWriting, NSPasteboardReading> {
  NSMutableArray* mTypes;
  NSMutableDictionary* mValues; // type -> NSString or property list
}
- (NSArray*)types;
- (BOOL)setString:(NSString*)string forType:(NSPasteboardType)type;
- (NSString*)stringForType:(NSPasteboardType)type;
- (BOOL)setPropertyList:(id)propertyList forType:(NSPasteboardType)type;
- (id)propertyListForType:(NSPasteboardType)type;
- (BOOL)setData:(NSData*)data forType:(NSPasteboardType)type;
- (NSData*)dataForType:(NSPasteboardType)type;
@end

/** A named pasteboard of this process. Writing needs ownership, which clearContents or
 * declareTypes:owner: takes; every such call counts one change. File URLs on it are also listed under
 * NSFilenamesPboardType, and a path list set under that type reads back as file URLs. */
@interface NSPasteboard : NSObject {
  NSString* mName;
  NSMutableArray* mItems; // NSPasteboardItem
  NSInteger mChangeCount;
  BOOL mOwned;
}
+ (NSPasteboard*)generalPasteboard;
+ (NSPasteboard*)pasteboardWithName:(NSPasteboardName)name;
+ (NSPasteboard*)pasteboardWithUniqueName;
- (NSPasteboardName)name;
- (void)releaseGlobally;
- (NSInteger)changeCount;
/** Empties the pasteboard and takes it over; the new change count. */
- (NSInteger)clearContents API_AVAILABLE(macos(10.6));
- (NSInteger)declareTypes:(NSArray*)types owner:(id)owner;
- (NSArray*)types;
- (NSPasteboardType)availableTypeFromArray:(NSArray*)types;
- (NSArray*)pasteboardItems API_AVAILABLE(macos(10.6));
/** Each object becomes an item of its own; NO (and nothing written) without ownership. */
- (BOOL)writeObjects:(NSArray*)objects API_AVAILABLE(macos(10.6));
/** Strings and URLs of the items, for the classes NSString and NSURL; nil when none. */
- (NSArray*)readObjectsForClasses:(NSArray*)classes options:(NSDictionary*)options API_AVAILABLE(macos(10.6));
/** On the first item; NO without ownership. */
- (BOOL)setString:(NSString*)string forType:(NSPasteboardType)type;
/** From the first item that has the type; nil when none has. */
- (NSString*)stringForType:(NSPasteboardType)type;
- (BOOL)setPropertyList:(id)propertyList forType:(NSPasteboardType)type;
- (id)propertyListForType:(NSPasteboardType)type;
- (BOOL)setData:(NSData*)data forType:(NSPasteboardType)type;
- (NSData*)dataForType:(NSPasteboardType)type;
@end
