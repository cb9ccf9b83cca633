// Cocoa key events to the editor's virtual-key codes and key presses, and their way through the view.
#include "MacViewFixture.h"

#include "igraphics/platforms/MacKeyCodes.h"

namespace iplug
{
namespace igraphics
{
namespace
{

constexpr unsigned long kShift = NSEventModifierFlagShift;
constexpr unsigned long kControl = NSEventModifierFlagControl;
constexpr unsigned long kOption = NSEventModifierFlagOption;
constexpr unsigned long kCommand = NSEventModifierFlagCommand;

struct FixedKey
{
  unsigned short keyCode;
  int vk;
};

// Every key whose code alone decides, whatever the layout's character.
const FixedKey kFixedKeys[] = {
  {51, 8},    {65, 110},  {67, 106},  {69, 107},  {71, 144},  {75, 111},  {76, 0x800D}, {78, 109},  {81, 108},
  {82, 96},   {83, 97},   {84, 98},   {85, 99},   {86, 100},  {87, 101},  {88, 102},    {89, 103},  {91, 104},
  {92, 105},  {96, 116},  {97, 117},  {98, 118},  {99, 114},  {100, 119}, {101, 120},   {103, 122}, {105, 124},
  {106, 127}, {107, 125}, {109, 121}, {111, 123}, {113, 126}, {114, 45},  {115, 36},    {116, 33},  {117, 46},
  {118, 115}, {119, 35},  {120, 113}, {121, 34},  {122, 112}, {123, 37},  {124, 39},    {125, 40},  {126, 38}};

TEST(MacKeyCodes, FixedKeysGiveTheirVirtualKeyWhateverTheCharacter)
{
  for (const FixedKey& k : kFixedKeys)
  {
    SCOPED_TRACE(testing::Message() << "key code " << k.keyCode);
    int flags = -1;
    EXPECT_EQ(MacKeyCodeToVK(k.keyCode, ';', kShift, flags), k.vk);
    EXPECT_EQ(flags, kMacKeyVirtual | kMacKeyShift);
  }
}

struct CharacterCase
{
  const char* name;
  unsigned short keyCode;
  uint32_t character;
  unsigned long modifiers;
  int vk;
  int flags;
};

const CharacterCase kCharacterCases[] = {
  {"modifier-only key", 56, 0, kShift, 56 + 1024, kMacKeyVirtual | kMacKeyShift},
  {"no character", 10, 0, 0, 10 + 1024, kMacKeyVirtual},
  {"first function key", 200, 0xF704, 0, 112, kMacKeyVirtual},
  {"last function key", 200, 0xF71B, kOption, 135, kMacKeyVirtual | kMacKeyOption},
  {"past the function keys is text", 200, 0xF71C, 0, 0xF71C, 0},
  {"lower case letter", 0, 'a', 0, 'A', kMacKeyVirtual},
  {"shifted letter", 0, 'A', kShift, 'A', kMacKeyVirtual | kMacKeyShift},
  {"digit", 26, '7', 0, '7', kMacKeyVirtual},
  {"tab", 48, 9, 0, 9, kMacKeyVirtual},
  {"line feed", 36, 10, 0, 10, kMacKeyVirtual},
  {"return", 36, 13, 0, 13, kMacKeyVirtual},
  {"escape", 53, 27, 0, 27, kMacKeyVirtual},
  {"space", 49, 32, kShift, 32, kMacKeyVirtual | kMacKeyShift},
  {"back-tab with Command is tab", 48, 25, kCommand | kShift, 9, kMacKeyVirtual | kMacKeyCommand | kMacKeyShift},
  {"back-tab alone is text", 48, 25, kShift, 25, 0},
  {"punctuation loses Shift", 41, ':', kShift, ':', 0},
  {"punctuation keeps Command and Option", 41, ';', kCommand | kOption | kShift, ';', kMacKeyCommand | kMacKeyOption},
  {"Control is a flag of its own", 8, 'c', kControl, 'C', kMacKeyVirtual | kMacKeyControl},
  {"accented letter is text", 14, 0xE9, 0, 0xE9, 0},
};

TEST(MacKeyCodes, OtherKeysFollowTheirCharacter)
{
  for (const CharacterCase& c : kCharacterCases)
  {
    SCOPED_TRACE(c.name);
    int flags = -1;
    EXPECT_EQ(MacKeyCodeToVK(c.keyCode, c.character, c.modifiers, flags), c.vk);
    EXPECT_EQ(flags, c.flags);
  }
}

TEST(MacKeyCodes, CharactersBecomeOneToThreeBytesOfUTF8)
{
  const struct
  {
    uint32_t character;
    const char* utf8;
  } cases[] = {{'a', "a"},
               {0x7F, "\x7f"},
               {0xE9, "\xc3\xa9"},
               {0x7FF, "\xdf\xbf"},
               {0x800, "\xe0\xa0\x80"},
               {0x20AC, "\xe2\x82\xac"},
               {0xF704, "\xef\x9c\x84"},
               {0xD800, ""},
               {0xDFFF, ""}};
  for (const auto& c : cases)
  {
    SCOPED_TRACE(testing::Message() << std::hex << c.character);
    char utf8[4] = {'x', 'x', 'x', 'x'};
    MacCharacterToUTF8(c.character, utf8);
    EXPECT_STREQ(utf8, c.utf8);
  }
}

TEST(MacKeyCodes, KeyPressTakesTheCodeOnlyForVirtualKeysAndNeverControl)
{
  const IKeyPress virtualKey = MacKeyPress('A', kMacKeyVirtual | kMacKeyShift | kMacKeyControl, "a");
  EXPECT_EQ(virtualKey.VK, 'A');
  EXPECT_STREQ(virtualKey.utf8, "a");
  EXPECT_TRUE(virtualKey.S);
  EXPECT_FALSE(virtualKey.C) << "C is Command";
  EXPECT_FALSE(virtualKey.A);

  const IKeyPress text = MacKeyPress(';', kMacKeyCommand | kMacKeyOption, ";");
  EXPECT_EQ(text.VK, 0);
  EXPECT_STREQ(text.utf8, ";");
  EXPECT_FALSE(text.S);
  EXPECT_TRUE(text.C);
  EXPECT_TRUE(text.A);
}

// Through the view

class MacViewKeys : public MacViewFixture
{
protected:
  void OpenWithKeyHandler(int handledVK)
  {
    Open();
    mGraphics->SetKeyHandlerFunc([this, handledVK](const IKeyPress& key, bool isUp) {
      mLog.Add(std::string(isUp ? "key up " : "key down ") + std::to_string(key.VK) + " '" + key.utf8 + "' " +
               (key.S ? "S" : "") + (key.C ? "C" : "") + (key.A ? "A" : ""));
      return key.VK == handledVK;
    });
  }

  void Key(NSEventType type, unsigned short keyCode, NSString* chars, unsigned long flags)
  {
    StandInSendEventToFirstResponder(StandInKeyEvent(type, keyCode, chars, chars, flags, mWindow));
  }
};

TEST_F(MacViewKeys, UsedKeysStayInTheEditorOthersGoToTheHost)
{
  OpenWithKeyHandler('A');
  ASSERT_EQ([mWindow firstResponder], mView);
  const struct
  {
    const char* name;
    NSEventType type;
    unsigned short keyCode;
    NSString* chars;
    unsigned long flags;
    std::vector<std::string> expected;
  } cases[] = {
    {"used key down", NSEventTypeKeyDown, 0, @"a", 0, {"key down 65 'a' "}},
    {"used key up", NSEventTypeKeyUp, 0, @"a", kShift, {"key up 65 'a' S"}},
    {"unused key", NSEventTypeKeyDown, 11, @"b", kCommand, {"key down 66 'b' C", "host keyDown 11"}},
    {"unused key up", NSEventTypeKeyUp, 11, @"b", 0, {"key up 66 'b' ", "host keyUp 11"}},
    {"Control does not reach the key press", NSEventTypeKeyDown, 0, @"a", kControl, {"key down 65 'a' "}},
    {"punctuation as text", NSEventTypeKeyDown, 41, @":", kShift | kOption, {"key down 0 ':' A", "host keyDown 41"}},
    {"three-byte text", NSEventTypeKeyDown, 14, @"\u20ac", 0, {"key down 0 '\xe2\x82\xac' ", "host keyDown 14"}},
    {"two characters: no text", NSEventTypeKeyDown, 14, @"bc", 0, {"key down 66 '' ", "host keyDown 14"}},
    {"modifier-only key", NSEventTypeKeyDown, 56, @"", kShift, {"key down 1080 '' S", "host keyDown 56"}},
  };
  for (const auto& c : cases)
  {
    SCOPED_TRACE(c.name);
    Key(c.type, c.keyCode, c.chars, c.flags);
    EXPECT_EQ(mLog.events, c.expected);
    mLog.Clear();
  }
}

} // namespace
} // namespace igraphics
} // namespace iplug
