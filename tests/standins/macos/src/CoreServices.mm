#include <CoreServices/CoreServices.h>

OSErr Gestalt(OSType selector, SInt32* response)
{
  // Unknown selector, as the system answers it.
  constexpr OSErr kGestaltUndefSelectorErr = -5551;
  if (selector != gestaltSystemVersion || !response)
    return kGestaltUndefSelectorErr;
  *response = 0x1090;
  return noErr;
}
