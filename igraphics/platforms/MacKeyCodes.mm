// Cocoa key events as Windows virtual-key codes.
#import <AppKit/AppKit.h>

#include "igraphics/platforms/MacKeyCodes.h"

namespace iplug
{
namespace igraphics
{

namespace
{

struct KeyCodeVK
{
  unsigned short keyCode;
  int vk;
};

// Keys whose code alone says what they are, whatever text the layout gives them.
constexpr KeyCodeVK kFixedKeys[] = {
  {51, 8},    {65, 110},  {67, 106},  {69, 107},  {71, 144},  {75, 111},  {76, 0x800D}, {78, 109},  {81, 108},
  {82, 96},   {83, 97},   {84, 98},   {85, 99},   {86, 100},  {87, 101},  {88, 102},    {89, 103},  {91, 104},
  {92, 105},  {96, 116},  {97, 117},  {98, 118},  {99, 114},  {100, 119}, {101, 120},   {103, 122}, {105, 124},
  {106, 127}, {107, 125}, {109, 121}, {111, 123}, {113, 126}, {114, 45},  {115, 36},    {116, 33},  {117, 46},
  {118, 115}, {119, 35},  {120, 113}, {121, 34},  {122, 112}, {123, 37},  {124, 39},    {125, 40},  {126, 38}};

constexpr uint32_t kFirstFunctionKey = 0xF704; // F1
constexpr uint32_t kLastFunctionKey = 0xF71B;  // F24
constexpr int kFunctionKeyToVK = 0xF694;       // F1 -> 112
constexpr uint32_t kBackTab = 25;

bool IsVirtualKeyCharacter(uint32_t c)
{
  const bool letter = c >= 'A' && c <= 'Z';
  const bool digit = c >= '0' && c <= '9';
  return letter || digit || c == 9 || c == 10 || c == 13 || c == 27 || c == 32;
}

} // namespace

int MacKeyCodeToVK(unsigned short keyCode, uint32_t character, unsigned long modifierFlags, int& flags)
{
  flags = 0;
  if (modifierFlags & NSEventModifierFlagShift)
    flags |= kMacKeyShift;
  if (modifierFlags & NSEventModifierFlagCommand)
    flags |= kMacKeyCommand;
  if (modifierFlags & NSEventModifierFlagOption)
    flags |= kMacKeyOption;
  if (modifierFlags & NSEventModifierFlagControl)
    flags |= kMacKeyControl;

  for (const KeyCodeVK& k : kFixedKeys)
  {
    if (k.keyCode == keyCode)
    {
      flags |= kMacKeyVirtual;
      return k.vk;
    }
  }

  if (!character)
  {
    flags |= kMacKeyVirtual;
    return keyCode + 1024;
  }
  if (character >= kFirstFunctionKey && character <= kLastFunctionKey)
  {
    flags |= kMacKeyVirtual;
    return static_cast<int>(character) - kFunctionKeyToVK;
  }
  uint32_t c = character;
  if (c >= 'a' && c <= 'z')
    c -= 'a' - 'A';
  if (c == kBackTab && (flags & kMacKeyCommand))
    c = 9;
  if (IsVirtualKeyCharacter(c))
    flags |= kMacKeyVirtual;
  else
    flags &= ~(kMacKeyVirtual | kMacKeyShift); // punctuation is text: its Shift is in the character
  return static_cast<int>(c);
}

void MacCharacterToUTF8(uint32_t c, char (&utf8)[4])
{
  utf8[0] = utf8[1] = utf8[2] = utf8[3] = 0;
  if (c < 0x80)
  {
    utf8[0] = static_cast<char>(c);
  }
  else if (c < 0x800)
  {
    utf8[0] = static_cast<char>(0xC0 | (c >> 6));
    utf8[1] = static_cast<char>(0x80 | (c & 0x3F));
  }
  else if (c <= 0xFFFF && (c < 0xD800 || c > 0xDFFF))
  {
    utf8[0] = static_cast<char>(0xE0 | (c >> 12));
    utf8[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8[2] = static_cast<char>(0x80 | (c & 0x3F));
  }
}

IKeyPress MacKeyPress(int vk, int flags, const char* utf8)
{
  return IKeyPress(utf8, (flags & kMacKeyVirtual) ? vk : 0, (flags & kMacKeyShift) != 0, (flags & kMacKeyCommand) != 0,
                   (flags & kMacKeyOption) != 0);
}

int MacKeyEventToVK(NSEvent* event, int& flags)
{
  NSString* chars = [event charactersIgnoringModifiers];
  const uint32_t c = [chars length] ? [chars characterAtIndex:0] : 0;
  return MacKeyCodeToVK([event keyCode], c, [event modifierFlags], flags);
}

IKeyPress MacKeyPressFromEvent(NSEvent* event)
{
  int flags = 0;
  const int vk = MacKeyEventToVK(event, flags);
  NSString* chars = [event charactersIgnoringModifiers];
  char utf8[4] = {};
  if ([chars length] == 1)
    MacCharacterToUTF8([chars characterAtIndex:0], utf8);
  return MacKeyPress(vk, flags, utf8);
}

} // namespace igraphics
} // namespace iplug
