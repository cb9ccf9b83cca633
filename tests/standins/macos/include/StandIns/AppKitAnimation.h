#pragma once

// What tests use to see animation groups.
#import <AppKit/AppKit.h>

/** How many groups are open now (0 outside any). */
int StandInAnimationGroupingDepth(void);
