#pragma once

// Stand-in for CoreFoundation: every object is a GNUstep Foundation object behind the CF type, as
// toll-free bridging makes them on macOS, so CFRelease is -release and a CFStringRef is an NSString.
#include <CoreFoundation/CFBase.h>
#include <CoreFoundation/CFArray.h>
#include <CoreFoundation/CFBundle.h>
#include <CoreFoundation/CFData.h>
#include <CoreFoundation/CFDictionary.h>
#include <CoreFoundation/CFRunLoop.h>
#include <CoreFoundation/CFString.h>
#include <CoreFoundation/CFURL.h>
