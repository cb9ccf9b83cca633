#import <AppKit/AppKit.h>

NSPasteboardType const NSPasteboardTypeString = @"public.utf8-plain-text";
NSPasteboardType const NSPasteboardTypeFileURL = @"public.file-url";
NSPasteboardType const NSPasteboardTypeURL = @"public.url";
NSPasteboardType const NSFilenamesPboardType = @"NSFilenamesPboardType";
NSPasteboardName const NSPasteboardNameGeneral = @"Apple CFPasteboard general";
NSPasteboardName const NSPasteboardNameDrag = @"Apple CFPasteboard drag";
NSPasteboardReadingOptionKey const NSPasteboardURLReadingFileURLsOnlyKey = @"NSPasteboardURLReadingFileURLsOnlyKey";

@interface NSPasteboardItem ()
- (NSURL*)fileURL;
@end

@interface NSPasteboard ()
- (NSArray*)fileURLs;
- (NSPasteboardItem*)firstItem;
@end

@implementation NSString (NSPasteboardSupport)
@end

@implementation NSURL (NSPasteboardSupport)
@end

@implementation NSPasteboardItem
- (id)init
{
  if ((self = [super init]))
  {
    mTypes = [[NSMutableArray alloc] init];
    mValues = [[NSMutableDictionary alloc] init];
  }
  return self;
}
- (void)dealloc
{
  [mTypes release];
  [mValues release];
  [super dealloc];
}
- (NSArray*)types
{
  return [[mTypes copy] autorelease];
}
- (BOOL)setValue:(id)value ofType:(NSPasteboardType)type
{
  if (!value || !type)
    return NO;
  if (![mTypes containsObject:type])
    [mTypes addObject:type];
  id copied = [value copy];
  [mValues setObject:copied forKey:type];
  [copied release];
  return YES;
}
- (BOOL)setString:(NSString*)string forType:(NSPasteboardType)type
{
  return [self setValue:string ofType:type];
}
- (NSString*)stringForType:(NSPasteboardType)type
{
  id value = [mValues objectForKey:type];
  if ([value isKindOfClass:[NSString class]])
    return value;
  if ([value isKindOfClass:[NSData class]])
    return [[[NSString alloc] initWithData:value encoding:NSUTF8StringEncoding] autorelease];
  return nil;
}
- (BOOL)setPropertyList:(id)propertyList forType:(NSPasteboardType)type
{
  return [self setValue:propertyList ofType:type];
}
- (id)propertyListForType:(NSPasteboardType)type
{
  return [mValues objectForKey:type];
}
- (BOOL)setData:(NSData*)data forType:(NSPasteboardType)type
{
  return [self setValue:data ofType:type];
}
- (NSData*)dataForType:(NSPasteboardType)type
{
  id value = [mValues objectForKey:type];
  if ([value isKindOfClass:[NSData class]])
    return value;
  if ([value isKindOfClass:[NSString class]])
    return [value dataUsingEncoding:NSUTF8StringEncoding];
  return nil;
}
/** The file URL of the item, whichever way it was written. */
- (NSURL*)fileURL
{
  NSString* text = [self stringForType:NSPasteboardTypeFileURL];
  NSURL* url = text ? [NSURL URLWithString:text] : nil;
  return [url isFileURL] ? url : nil;
}
@end

static NSMutableDictionary* NamedPasteboards()
{
  static NSMutableDictionary* pasteboards = nil;
  if (!pasteboards)
    pasteboards = [[NSMutableDictionary alloc] init];
  return pasteboards;
}

@implementation NSPasteboard
+ (NSPasteboard*)generalPasteboard
{
  return [self pasteboardWithName:NSPasteboardNameGeneral];
}
+ (NSPasteboard*)pasteboardWithName:(NSPasteboardName)name
{
  NSPasteboard* pasteboard = [NamedPasteboards() objectForKey:name];
  if (!pasteboard)
  {
    pasteboard = [[NSPasteboard alloc] init];
    pasteboard->mName = [name copy];
    pasteboard->mItems = [[NSMutableArray alloc] init];
    [NamedPasteboards() setObject:pasteboard forKey:name];
    [pasteboard release];
  }
  return pasteboard;
}
+ (NSPasteboard*)pasteboardWithUniqueName
{
  static unsigned sUnique = 0;
  return [self pasteboardWithName:[NSString stringWithFormat:@"Apple CFPasteboard unique %u", ++sUnique]];
}
- (void)dealloc
{
  [mName release];
  [mItems release];
  [super dealloc];
}
- (NSPasteboardName)name
{
  return mName;
}
- (void)releaseGlobally
{
  [[self retain] autorelease];
  [NamedPasteboards() removeObjectForKey:mName];
}
- (NSInteger)changeCount
{
  return mChangeCount;
}
- (NSInteger)clearContents
{
  [mItems removeAllObjects];
  mOwned = YES;
  return ++mChangeCount;
}
- (NSInteger)declareTypes:(NSArray*)types owner:(id)owner
{
  (void)types;
  (void)owner;
  return [self clearContents];
}
- (NSArray*)fileURLs
{
  NSMutableArray* urls = [NSMutableArray array];
  for (NSPasteboardItem* item in mItems)
  {
    NSURL* url = [item fileURL];
    if (url)
      [urls addObject:url];
  }
  return urls;
}
- (NSArray*)types
{
  NSMutableArray* types = [NSMutableArray array];
  for (NSPasteboardItem* item in mItems)
    for (NSPasteboardType type in [item types])
      if (![types containsObject:type])
        [types addObject:type];
  if ([[self fileURLs] count] && ![types containsObject:NSFilenamesPboardType])
    [types addObject:NSFilenamesPboardType];
  return types;
}
- (NSPasteboardType)availableTypeFromArray:(NSArray*)types
{
  NSArray* present = [self types];
  for (NSPasteboardType type in types)
    if ([present containsObject:type])
      return type;
  return nil;
}
- (NSArray*)pasteboardItems
{
  return [[mItems copy] autorelease];
}
- (NSPasteboardItem*)firstItem
{
  if (![mItems count])
  {
    NSPasteboardItem* item = [[NSPasteboardItem alloc] init];
    [mItems addObject:item];
    [item release];
  }
  return [mItems objectAtIndex:0];
}
- (BOOL)writeObjects:(NSArray*)objects
{
  if (!mOwned)
    return NO;
  for (id object in objects)
  {
    NSPasteboardItem* item = nil;
    if ([object isKindOfClass:[NSPasteboardItem class]])
      item = [object retain];
    else if ([object isKindOfClass:[NSURL class]])
    {
      item = [[NSPasteboardItem alloc] init];
      [item setString:[object absoluteString]
              forType:[object isFileURL] ? NSPasteboardTypeFileURL : NSPasteboardTypeURL];
    }
    else if ([object isKindOfClass:[NSString class]])
    {
      item = [[NSPasteboardItem alloc] init];
      [item setString:object forType:NSPasteboardTypeString];
    }
    if (!item)
      return NO;
    [mItems addObject:item];
    [item release];
  }
  return YES;
}
- (NSArray*)readObjectsForClasses:(NSArray*)classes options:(NSDictionary*)options
{
  const BOOL fileURLsOnly = [[options objectForKey:NSPasteboardURLReadingFileURLsOnlyKey] boolValue];
  NSMutableArray* objects = [NSMutableArray array];
  for (NSPasteboardItem* item in mItems)
  {
    for (Class cls in classes)
    {
      id object = nil;
      if (cls == [NSURL class])
      {
        object = [item fileURL];
        NSString* web = [item stringForType:NSPasteboardTypeURL];
        if (!object && web && !fileURLsOnly)
          object = [NSURL URLWithString:web];
      }
      else if (cls == [NSString class])
        object = [item stringForType:NSPasteboardTypeString];
      if (object)
      {
        [objects addObject:object];
        break;
      }
    }
  }
  return [objects count] ? objects : nil;
}
- (BOOL)setString:(NSString*)string forType:(NSPasteboardType)type
{
  return mOwned && [[self firstItem] setString:string forType:type];
}
- (NSString*)stringForType:(NSPasteboardType)type
{
  for (NSPasteboardItem* item in mItems)
  {
    NSString* string = [item stringForType:type];
    if (string)
      return string;
  }
  return nil;
}
- (BOOL)setPropertyList:(id)propertyList forType:(NSPasteboardType)type
{
  if (!mOwned)
    return NO;
  if (![type isEqualToString:NSFilenamesPboardType])
    return [[self firstItem] setPropertyList:propertyList forType:type];
  // A path list becomes one file-URL item per path, as the pasteboard server keeps it.
  if (![propertyList isKindOfClass:[NSArray class]])
    return NO;
  NSMutableArray* urls = [NSMutableArray array];
  for (id path in propertyList)
  {
    if (![path isKindOfClass:[NSString class]])
      return NO;
    [urls addObject:[NSURL fileURLWithPath:path]];
  }
  return [self writeObjects:urls];
}
- (id)propertyListForType:(NSPasteboardType)type
{
  if ([type isEqualToString:NSFilenamesPboardType])
  {
    NSArray* urls = [self fileURLs];
    if (![urls count])
      return nil;
    NSMutableArray* paths = [NSMutableArray array];
    for (NSURL* url in urls)
      [paths addObject:[url path]];
    return paths;
  }
  for (NSPasteboardItem* item in mItems)
  {
    id value = [item propertyListForType:type];
    if (value)
      return value;
  }
  return nil;
}
- (BOOL)setData:(NSData*)data forType:(NSPasteboardType)type
{
  return mOwned && [[self firstItem] setData:data forType:type];
}
- (NSData*)dataForType:(NSPasteboardType)type
{
  for (NSPasteboardItem* item in mItems)
  {
    NSData* data = [item dataForType:type];
    if (data)
      return data;
  }
  return nil;
}
@end
