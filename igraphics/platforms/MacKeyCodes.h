#pragma once

// Cocoa key events as Windows virtual-key codes, which the editor uses on every platform.
#include "igraphics/IGraphicsInput.h"

#include <cstdint>

#ifdef __OBJC__
@class NSEvent;
#endif

namespace iplug
{
namespace igraphics
{

/** Flag values beside a key's code: whether the code is a real virtual key, and the modifiers. */
enum EMacKeyFlags : int
{
  kMacKeyVirtual = 1,
  kMacKeyShift = 4,
  kMacKeyCommand = 8,
  kMacKeyOption = 16,
  kMacKeyControl = 32
};

/** The virtual-key code of a macOS key code, given the first character of the key's text ignoring
 * modifiers (0 when it has none) and Cocoa's modifier flags; flags gets the EMacKeyFlags. Without
 * kMacKeyVirtual the answer is a character meant as text only. */
int MacKeyCodeToVK(unsigned short keyCode, uint32_t character, unsigned long modifierFlags, int& flags);

/** A character of the Basic Multilingual Plane in UTF-8 (1 to 3 bytes, NUL-terminated); a lone
 * surrogate half is no character and gives "". */
void MacCharacterToUTF8(uint32_t character, char (&utf8)[4]);

/** The record the editor's key calls take, from the code and flags of MacKeyCodeToVK and the key's
 * text. The Control key is not part of it. */
IKeyPress MacKeyPress(int vk, int flags, const char* utf8);

#ifdef __OBJC__
int MacKeyEventToVK(NSEvent* event, int& flags);
/** The key press of a key event: its code, modifiers and, when the key gives exactly one
 * character, that character's text. */
IKeyPress MacKeyPressFromEvent(NSEvent* event);
#endif

} // namespace igraphics
} // namespace iplug
