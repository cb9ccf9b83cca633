// AppKit's version number is a constant to the code that reads it (AppKit/NSApplication.h); only
// this file, which does not see that declaration, changes it for tests.
#include "StandIns/AppKitVersion.h"

double NSAppKitVersionNumber = 2299.0;

void StandInSetAppKitVersionNumber(double version)
{
  NSAppKitVersionNumber = version;
}
