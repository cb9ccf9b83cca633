#pragma once

#import <Foundation/Foundation.h>

@class NSButton;

typedef NSInteger NSModalResponse;
enum
{
  NSModalResponseCancel = 0,
  NSModalResponseOK = 1,
  NSAlertFirstButtonReturn = 1000,
  NSAlertSecondButtonReturn = 1001,
  NSAlertThirdButtonReturn = 1002
};

/** A modal alert: a message, an informative text and buttons in the order added (an alert without
 * any shows one "OK" button). runModal answers what the test scripted (StandIns/AppKitDialogs.h). */
@interface NSAlert : NSObject {
  NSString* mMessageText;
  NSString* mInformativeText;
  NSMutableArray* mButtons;
}
- (NSString*)messageText;
- (void)setMessageText:(NSString*)text;
- (NSString*)informativeText;
- (void)setInformativeText:(NSString*)text;
- (NSButton*)addButtonWithTitle:(NSString*)title;
- (NSArray*)buttons;
- (NSModalResponse)runModal;
@end
