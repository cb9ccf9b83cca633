#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <os/availability.h>

enum
{
  gestaltSystemVersion = 0x73797376 // 'sysv'
};

#ifdef __cplusplus
extern "C"
{
#endif
  /** The old system-information call: for 'sysv' the version as 0x10XY (capped at 0x1090). */
  OSErr Gestalt(OSType selector, SInt32* response) API_DEPRECATED("", macos(10.0, 10.8));
#ifdef __cplusplus
}
#endif
