#pragma once

// Availability as Apple's headers spell it, for macOS alone: API_AVAILABLE(macos(10.14)),
// API_DEPRECATED("message", macos(10.0, 10.14)), API_DEPRECATED_WITH_REPLACEMENT("NewName",
// macos(10.0, 10.14)). They become clang's availability attributes, which a
// compile for a Mac weighs against its deployment target and its @available guards, and which a
// compile for Linux ignores; the `macos` lane compiles the product both ways.
#define STANDIN_API_INTRODUCED_macos(from) macos, introduced = from
#define STANDIN_API_DEPRECATED_macos(from, to) macos, introduced = from, deprecated = to

#define API_AVAILABLE(platform) __attribute__((availability(STANDIN_API_INTRODUCED_##platform)))
#define API_DEPRECATED(msg, platform) __attribute__((availability(STANDIN_API_DEPRECATED_##platform, message = msg)))
#define API_DEPRECATED_WITH_REPLACEMENT(rep, platform)                                                                 \
  __attribute__((availability(STANDIN_API_DEPRECATED_##platform, replacement = rep)))
