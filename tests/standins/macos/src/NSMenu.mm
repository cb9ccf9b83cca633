#import <AppKit/AppKit.h>

#import <StandIns/AppKitMenus.h>

@interface NSMenuItem ()
- (void)standInSetMenu:(NSMenu*)menu;
@end

namespace
{
std::vector<long> sChoicePath;
StandInMenuPopup sLastPopup;

std::vector<StandInMenuItemSnapshot> Snapshot(NSMenu* menu)
{
  std::vector<StandInMenuItemSnapshot> items;
  for (NSMenuItem* item in [menu itemArray])
  {
    StandInMenuItemSnapshot s;
    s.title = [[item title] UTF8String];
    s.separator = [item isSeparatorItem];
    s.indent = static_cast<long>([item indentationLevel]);
    s.enabled = [item isEnabled];
    s.checked = [item state] == NSControlStateValueOn;
    if ([item submenu])
      s.submenu = Snapshot([item submenu]);
    items.push_back(std::move(s));
  }
  return items;
}

/** The item the scripted path leads to, or nil when the path leaves the tree. */
NSMenuItem* ItemAtPath(NSMenu* menu)
{
  NSMenuItem* item = nil;
  for (long index : sChoicePath)
  {
    if (!menu || index < 0 || index >= [menu numberOfItems])
      return nil;
    item = [menu itemAtIndex:index];
    menu = [item submenu];
  }
  return item;
}
} // namespace

void StandInMenuChoosePath(std::vector<long> path)
{
  sChoicePath = std::move(path);
}

void StandInMenuChooseNothing()
{
  sChoicePath.clear();
}

const StandInMenuPopup& StandInLastMenuPopup()
{
  return sLastPopup;
}

void StandInResetMenus()
{
  sLastPopup = StandInMenuPopup();
  sChoicePath.clear();
}

@implementation NSMenuItem
+ (NSMenuItem*)separatorItem
{
  NSMenuItem* item = [[[NSMenuItem alloc] initWithTitle:@"" action:nullptr keyEquivalent:@""] autorelease];
  item->mSeparator = YES;
  item->mEnabled = NO;
  return item;
}
- (id)init
{
  return [self initWithTitle:@"" action:nullptr keyEquivalent:@""];
}
- (id)initWithTitle:(NSString*)title action:(SEL)action keyEquivalent:(NSString*)keyEquivalent
{
  if (!title || !keyEquivalent)
    [NSException raise:NSInvalidArgumentException format:@"NSMenuItem: nil title or key equivalent"];
  if ((self = [super init]))
  {
    mTitle = [title copy];
    mAction = action;
    mKeyEquivalent = [keyEquivalent copy];
    mEnabled = YES;
  }
  return self;
}
- (void)dealloc
{
  [mTitle release];
  [mKeyEquivalent release];
  [mSubmenu release];
  [super dealloc];
}
- (NSString*)title
{
  return mTitle;
}
- (SEL)action
{
  return mAction;
}
- (void)setTarget:(id)target
{
  mTarget = target;
}
- (id)target
{
  return mTarget;
}
- (NSString*)keyEquivalent
{
  return mKeyEquivalent;
}
- (NSMenu*)menu
{
  return mMenu;
}
- (void)standInSetMenu:(NSMenu*)menu
{
  mMenu = menu;
}
- (void)setSubmenu:(NSMenu*)submenu
{
  [submenu retain];
  [mSubmenu release];
  mSubmenu = submenu;
}
- (NSMenu*)submenu
{
  return mSubmenu;
}
- (BOOL)hasSubmenu
{
  return mSubmenu != nil;
}
- (void)setIndentationLevel:(NSInteger)level
{
  mIndentationLevel = level < 0 ? 0 : (level > 15 ? 15 : level);
}
- (NSInteger)indentationLevel
{
  return mIndentationLevel;
}
- (void)setEnabled:(BOOL)enabled
{
  mEnabled = enabled;
}
- (BOOL)isEnabled
{
  return mEnabled;
}
- (void)setState:(NSControlStateValue)state
{
  mState = state;
}
- (NSControlStateValue)state
{
  return mState;
}
- (BOOL)isSeparatorItem
{
  return mSeparator;
}
@end

@implementation NSMenu
- (id)init
{
  return [self initWithTitle:@""];
}
- (id)initWithTitle:(NSString*)title
{
  if ((self = [super init]))
  {
    mTitle = [title ? title : @"" copy];
    mItems = [[NSMutableArray alloc] init];
    mAutoenablesItems = YES;
  }
  return self;
}
- (void)dealloc
{
  for (NSMenuItem* item in mItems)
    [item standInSetMenu:nil];
  [mItems release];
  [mTitle release];
  [super dealloc];
}
- (NSString*)title
{
  return mTitle;
}
- (void)setAutoenablesItems:(BOOL)autoenables
{
  mAutoenablesItems = autoenables;
}
- (BOOL)autoenablesItems
{
  return mAutoenablesItems;
}
- (void)addItem:(NSMenuItem*)item
{
  if (!item || [item menu])
    [NSException raise:NSInvalidArgumentException format:@"NSMenu addItem: nil or already in a menu"];
  [mItems addObject:item];
  [item standInSetMenu:self];
}
- (NSMenuItem*)addItemWithTitle:(NSString*)title action:(SEL)action keyEquivalent:(NSString*)keyEquivalent
{
  NSMenuItem* item = [[NSMenuItem alloc] initWithTitle:title action:action keyEquivalent:keyEquivalent];
  [self addItem:item];
  [item release];
  return item;
}
- (NSArray*)itemArray
{
  return [NSArray arrayWithArray:mItems];
}
- (NSInteger)numberOfItems
{
  return static_cast<NSInteger>([mItems count]);
}
- (NSMenuItem*)itemAtIndex:(NSInteger)index
{
  return [mItems objectAtIndex:static_cast<NSUInteger>(index)];
}
- (NSInteger)indexOfItem:(NSMenuItem*)item
{
  const NSUInteger index = [mItems indexOfObjectIdenticalTo:item];
  return index == NSNotFound ? -1 : static_cast<NSInteger>(index);
}
- (BOOL)popUpMenuPositioningItem:(NSMenuItem*)item atLocation:(NSPoint)location inView:(NSView*)view
{
  ++sLastPopup.count;
  sLastPopup.items = Snapshot(self);
  sLastPopup.positioningItemIndex = item ? static_cast<long>([self indexOfItem:item]) : -1;
  sLastPopup.location = location;
  sLastPopup.view = view;

  NSMenuItem* chosen = ItemAtPath(self);
  if (!chosen || ![chosen isEnabled] || [chosen isSeparatorItem] || [chosen submenu] || ![chosen action])
    return NO;
  [[chosen target] performSelector:[chosen action] withObject:chosen];
  return YES;
}
@end
