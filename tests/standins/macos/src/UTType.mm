#import <UniformTypeIdentifiers/UniformTypeIdentifiers.h>

@implementation UTType
+ (UTType*)typeWithFilenameExtension:(NSString*)filenameExtension
{
  if (![filenameExtension length])
    return nil;
  UTType* type = [[[UTType alloc] init] autorelease];
  type->mIdentifier = [[@"dyn.filename-extension." stringByAppendingString:filenameExtension] retain];
  type->mPreferredFilenameExtension = [filenameExtension copy];
  return type;
}
- (void)dealloc
{
  [mIdentifier release];
  [mPreferredFilenameExtension release];
  [super dealloc];
}
- (NSString*)identifier
{
  return mIdentifier;
}
- (NSString*)preferredFilenameExtension
{
  return mPreferredFilenameExtension;
}
- (BOOL)isEqual:(id)other
{
  return [other isKindOfClass:[UTType class]] && [mIdentifier isEqualToString:[other identifier]];
}
- (NSUInteger)hash
{
  return [mIdentifier hash];
}
@end
