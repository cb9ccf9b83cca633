#pragma once

// What tests use to play another AppKit version; NSAppKitVersionNumber itself is read-only, as in
// AppKit.
#ifdef __cplusplus
extern "C"
{
#endif
  void StandInSetAppKitVersionNumber(double version);
#ifdef __cplusplus
}
#endif
