// The drawn text entry driven by keys, mouse, clipboard and its context menu (native, and drawn
// for an entry removed while it is shown): what the edited control receives, and that typed or
// pasted text of any kind is committed as well-formed UTF-8.
#include "TextEntryFixture.h"
#include "igraphics/controls/IPopupMenuControl.h"

#include <iconv.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace iplug;
using namespace iplug::igraphics;
using namespace textentry;

namespace
{

/** An independent check: glibc's converter refuses malformed UTF-8, encoded surrogates and values
 *  above U+10FFFF. */
bool IsWellFormedUTF8(const std::string& text)
{
  iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1))
    return false;
  std::string in = text;
  std::vector<char> out(text.size() * 4 + 4);
  char* pIn = in.data();
  char* pOut = out.data();
  size_t inLeft = in.size();
  size_t outLeft = out.size();
  const bool ok = iconv(cd, &pIn, &inLeft, &pOut, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
  iconv_close(cd);
  return ok;
}

struct KeyCase
{
  const char* name;
  const char* start;
  std::vector<IKeyPress> keys;
  const char* committed;
};

const IKeyPress kUndo = Key('Z', false, true);
const IKeyPress kRedo = Key('Z', true, true);

} // namespace

TEST_F(TextEntryTest, KeysEditTheTextAsAWindowsFieldDoes)
{
  const std::vector<KeyCase> cases = {
    {"a new edit has everything selected", "0.50", {Char("7", '7')}, "7"},
    {"Home, Right, Backspace", "abc", {Key(kVKHome), Key(kVKRight), Key(kVKBack)}, "bc"},
    {"End, Backspace", "abc", {Key(kVKEnd), Key(kVKBack)}, "ab"},
    {"Shift+Backspace deletes too", "abc", {Key(kVKEnd), Key(kVKBack, true)}, "ab"},
    {"Home, Delete", "abc", {Key(kVKHome), Key(kVKDelete)}, "bc"},
    {"Left collapses the selection to its start", "abc", {Key(kVKLeft), Char("x", 'X')}, "xabc"},
    {"Right collapses the selection to its end", "abc", {Key(kVKRight), Char("x", 'X')}, "abcx"},
    {"Up and Down move as Left and Right",
     "abc",
     {Key(kVKHome), Key(kVKDown), Key(kVKDown), Key(kVKUp), Key(kVKBack)},
     "bc"},
    {"Page Up keeps the cursor on the line", "abc", {Key(kVKEnd), Key(kVKPageUp), Char("x", 'X')}, "abcx"},
    {"Page Down keeps the cursor on the line", "abc", {Key(kVKHome), Key(kVKPageDown), Char("x", 'X')}, "xabc"},
    {"Shift+Home selects back to the start", "abc", {Key(kVKEnd), Key(kVKHome, true), Char("x", 'X')}, "x"},
    {"Shift+Left extends the selection",
     "abc",
     {Key(kVKEnd), Key(kVKLeft, true), Key(kVKLeft, true), Key(kVKDelete)},
     "a"},
    {"Control+End goes to the text end", "abc", {Key(kVKHome), Key(kVKEnd, false, true), Char("x", 'X')}, "abcx"},
    {"Control+Home goes to the text start", "abc", {Key(kVKEnd), Key(kVKHome, false, true), Char("x", 'X')}, "xabc"},
    {"Control+Right moves a word", "ab cd", {Key(kVKHome), Key(kVKRight, false, true), Key(kVKDelete)}, "ab d"},
    {"Control+Left moves a word", "ab cd", {Key(kVKEnd), Key(kVKLeft, false, true), Key(kVKBack)}, "abcd"},
    {"Space types a space", "abc", {Key(kVKEnd), Char(" ", kVKSpace)}, "abc "},
    {"Control+A selects everything", "abc", {Key(kVKHome), Key('A', false, true), Char("x", 'X')}, "x"},
    {"control with another letter types nothing", "abc", {Key(kVKEnd), Char("b", 'B', false, true)}, "abc"},
    {"control with alt is AltGr and types", "abc", {Key(kVKEnd), Char("@", 'Q', false, true, true)}, "abc@"},
    {"a key whose text is a control character types nothing", "abc", {Key(kVKEnd), Char("\x01", 'A')}, "abc"},
    {"Control+Z undoes the typing, then the replaced selection", "abc", {Char("x", 'X'), kUndo, kUndo}, "abc"},
    {"Control+Shift+Z redoes", "abc", {Char("x", 'X'), kUndo, kUndo, kRedo}, ""},
  };
  for (const KeyCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    plain->completions.clear();
    Open(c.start);
    for (const IKeyPress& key : c.keys)
      Press(key);
    EXPECT_EQ(Commit(), c.committed);
  }
}

TEST_F(TextEntryTest, TabIsLeftToTheHost)
{
  Open("abc");
  EXPECT_FALSE(Press(Key(kVKTab)));
  EXPECT_TRUE(entry->IsEditing());
  EXPECT_EQ(Commit(), "abc");
}

TEST_F(TextEntryTest, ReturnCommitsTheTextAndClosesTheField)
{
  Open("abc");
  Type("12");
  EXPECT_TRUE(Press(Key(kVKReturn)));
  EXPECT_EQ(plain->completions, (std::vector<std::string>{"12"}));
  EXPECT_FALSE(entry->IsEditing());
  EXPECT_TRUE(entry->GetRECT().Empty());
  EXPECT_TRUE(entry->GetTargetRECT().Empty());
  EXPECT_EQ(graphics->GetControlInTextEntry(), nullptr);
}

TEST_F(TextEntryTest, EscapeDismissesWithoutPassingTheTextOn)
{
  Open("abc");
  Type("12");
  EXPECT_TRUE(Press(Key(kVKEscape)));
  EXPECT_TRUE(plain->completions.empty());
  EXPECT_FALSE(entry->IsEditing());
  EXPECT_TRUE(entry->GetRECT().Empty());
  EXPECT_EQ(graphics->GetControlInTextEntry(), nullptr);
}

TEST_F(TextEntryTest, AClickOutsideCommitsAndAClickInsidePlacesTheCursor)
{
  Open("abc");
  Click(kBounds.L + 1.f, kBounds.MH());
  EXPECT_TRUE(entry->IsEditing());
  Type("x");
  Click(kBounds.R - 1.f, kBounds.MH());
  Type("y");
  EXPECT_TRUE(plain->completions.empty());
  entry->OnMouseDown(kBounds.R + 5.f, kBounds.MH(), IMouseMod(true));
  EXPECT_EQ(plain->completions, (std::vector<std::string>{"xabcy"}));
  EXPECT_FALSE(entry->IsEditing());
}

TEST_F(TextEntryTest, DraggingSelectsAndADoubleClickSelectsEverything)
{
  Open("abcd");
  Click(kBounds.R - 1.f, kBounds.MH());
  entry->OnMouseDown(kBounds.L + 1.f, kBounds.MH(), IMouseMod(true));
  entry->OnMouseDrag(kBounds.MW(), kBounds.MH(), 1.f, 0.f, IMouseMod(true));
  entry->OnMouseUp(kBounds.R + 30.f, kBounds.B + 30.f, IMouseMod(true));
  Type("z");
  EXPECT_EQ(Contents(), "z");

  Click(kBounds.R - 1.f, kBounds.MH());
  entry->OnMouseDblClick(kBounds.MW(), kBounds.MH(), IMouseMod(true));
  Type("q");
  EXPECT_EQ(Commit(), "q");
}

TEST_F(TextEntryTest, CopyCutAndPasteGoThroughTheClipboard)
{
  Open("hello");
  EXPECT_TRUE(Press(Key('C', false, true)));
  EXPECT_EQ(graphics->GetRecord().clipboard, "hello");

  Press(Key(kVKEnd));
  Press(Key(kVKLeft, true));
  Press(Key(kVKLeft, true));
  EXPECT_TRUE(Press(Key('X', false, true)));
  EXPECT_EQ(graphics->GetRecord().clipboard, "lo");

  Press(Key(kVKHome));
  EXPECT_TRUE(Press(Key('V', false, true)));
  EXPECT_EQ(Commit(), "lohel");
}

TEST_F(TextEntryTest, PastingReplacesTheSelection)
{
  graphics->SetTextInClipboard("42");
  Open("hello");
  Press(Key('V', false, true));
  EXPECT_EQ(Commit(), "42");
}

TEST_F(TextEntryTest, CopyingWithoutASelectionLeavesTheClipboardAlone)
{
  graphics->SetTextInClipboard("keep");
  Open("abc");
  Press(Key(kVKEnd));
  Press(Key('C', false, true));
  EXPECT_EQ(graphics->GetRecord().clipboard, "keep");
}

TEST_F(TextEntryTest, PastingAnEmptyClipboardChangesNothing)
{
  graphics->SetTextInClipboard("");
  Open("abc");
  Press(Key('V', false, true));
  EXPECT_EQ(Commit(), "abc");
}

TEST_F(TextEntryTest, ARightClickInsideOffersCutCopyAndPasteAtThePoint)
{
  Open("abc");
  entry->OnMouseDown(100.f, 30.f, IMouseMod(false, true));
  EXPECT_EQ(graphics->shownItems, (std::vector<std::string>{"Cut", "Copy", "Paste"}));
  EXPECT_EQ(graphics->shownTitle, "");
  EXPECT_EQ(graphics->shownAt, IRECT(100.f, 30.f, 100.f, 30.f));
  EXPECT_TRUE(entry->IsEditing());
  EXPECT_EQ(Commit(), "abc");
}

TEST_F(TextEntryTest, TheContextMenuChoicesEditTheText)
{
  struct MenuCase
  {
    int choice;
    const char* clipboardAfter;
    const char* committed;
  };
  const MenuCase cases[] = {{0, "abc", ""}, {1, "abc", "abc"}, {2, "xy", "xy"}};
  for (const MenuCase& c : cases)
  {
    SCOPED_TRACE(c.choice);
    graphics->SetTextInClipboard("xy");
    graphics->choice = c.choice;
    Open("abc");
    entry->OnMouseDown(100.f, 30.f, IMouseMod(false, true));
    EXPECT_EQ(graphics->GetRecord().clipboard, c.clipboardAfter);
    EXPECT_EQ(Commit(), c.committed);
  }
}

TEST_F(TextEntryTest, EachEntryBuildsItsMenuOnceAndItsChoicesReachThatEntry)
{
  auto* second = static_cast<ITextEntryControl*>(graphics->AttachControl(new ITextEntryControl()));
  graphics->choice = 1;
  Open("first");
  entry->OnMouseDown(100.f, 30.f, IMouseMod(false, true));
  entry->OnMouseDown(100.f, 30.f, IMouseMod(false, true));
  ASSERT_EQ(graphics->shownMenus.size(), 2u);
  EXPECT_EQ(graphics->shownMenus[0], graphics->shownMenus[1]);

  second->CreateTextEntry(kNoParameter, DEFAULT_TEXT, kBounds, 0, "second");
  second->OnMouseDown(100.f, 30.f, IMouseMod(false, true));
  ASSERT_EQ(graphics->shownMenus.size(), 3u);
  EXPECT_NE(graphics->shownMenus[2], graphics->shownMenus[0]);
  EXPECT_EQ(graphics->GetRecord().clipboard, "second");
}

TEST_F(TextEntryTest, RemovingTheEntryTakesItsDrawnContextMenuDown)
{
  graphics->AttachPopupMenuControl();
  IPopupMenuControl* popup = nullptr;
  graphics->ForAllControlsFunc([&popup](IControl* pControl) {
    if (auto* pPopup = dynamic_cast<IPopupMenuControl*>(pControl))
      popup = pPopup;
  });
  ASSERT_NE(popup, nullptr);
  graphics->SetTextInClipboard("kept");
  Open("abc");
  entry->SelectAll();
  entry->OnMouseDown(100.f, 30.f, IMouseMod(false, true));
  ASSERT_TRUE(graphics->shownMenus.empty()) << "drawn, not the platform's";
  const IRECT shown = popup->GetTargetRECT();
  const float cutY = shown.T + 5.f + (shown.H() - 10.f - 2.f * 2.f) / 6.f;

  graphics->RemoveControl(entry);
  entry = nullptr;
  EXPECT_TRUE(popup->IsHidden());

  // The frames while it would have faded in, and a click on its "Cut" row, find nothing of it.
  for (int i = 0; i < 100 && popup->GetState() != IPopupMenuControl::kClosed; ++i)
  {
    graphics->Tick();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kClosed);
  graphics->OnMouseDown({IMouseInfo{shown.L + 20.f, cutY, 0.f, 0.f, IMouseMod(true)}});
  graphics->OnMouseUp({IMouseInfo{shown.L + 20.f, cutY, 0.f, 0.f, IMouseMod(true)}});
  EXPECT_EQ(graphics->GetRecord().clipboard, "kept");
}

TEST_F(TextEntryTest, NumericParametersTakeOnlyDigitsSignsAndForDoublesAPoint)
{
  const std::vector<IKeyPress> keys = {Char("a", 'A'),        Char("5", '5'),           Char("%", '5', true),
                                       Char("7", kVKNumPad7), Char("+", kVKPlus, true), Char("-", kVKMinus),
                                       Char(".", kVKPeriod)};
  struct FilterCase
  {
    const char* name;
    Target* target;
    const char* contents;
  };
  const FilterCase cases[] = {{"int", voices, "57+-"}, {"double", gain, "57+-."}, {"no parameter", plain, "a5%7+-."}};
  for (const FilterCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    Open("", 0, c.target);
    for (const IKeyPress& key : keys)
      Press(key);
    EXPECT_EQ(Contents(), c.contents);
    Press(Key(kVKEscape));
  }

  Open("4", 0, voices);
  EXPECT_FALSE(Press(Char("a", 'A'))) << "a blocked key is not handled";
  EXPECT_EQ(Contents(), "4");
}

TEST_F(TextEntryTest, TypingAndPastingStopAtTheLengthLimit)
{
  const std::string megabyte(1 << 20, '7');
  struct LimitCase
  {
    const char* name;
    std::string start;
    int limit;
    std::vector<IKeyPress> keys;
    std::string pasted;
    std::string typed;
    std::string committed;
  };
  const std::vector<LimitCase> cases = {
    {"typing stops at the limit", "", 3, {}, "", "12345", "123"},
    {"typing replaces a selection at the limit", "123", 3, {}, "", "9", "9"},
    {"nothing is typed at the limit", "123", 3, {Key(kVKEnd)}, "", "4", "123"},
    {"a paste is cut to the room left", "ab", 5, {Key(kVKEnd)}, "123456", "", "ab123"},
    {"a paste counts the selection it replaces as room", "abcd", 4, {}, "123456", "", "1234"},
    {"a longer first text is kept but takes nothing more", "12345", 3, {Key(kVKEnd)}, "", "6", "12345"},
    {"deleting from a longer first text works", "12345", 3, {Key(kVKEnd), Key(kVKBack)}, "", "", "1234"},
    {"a pair is one character and never cut", "", 2, {}, "x\xF0\x9F\x98\x80y", "", "x\xF0\x9F\x98\x80"},
    {"a pair that does not fit is left out whole", "", 2, {}, "xy\xF0\x9F\x98\x80", "", "xy"},
    {"a one-megabyte paste", "", 7, {}, megabyte, "", "7777777"},
    {"no limit when the length is not positive", "", 0, {}, std::string(300, 'a'), "", std::string(300, 'a')},
  };
  for (const LimitCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    Open(c.start.c_str(), c.limit);
    for (const IKeyPress& key : c.keys)
      Press(key);
    if (!c.pasted.empty())
    {
      graphics->SetTextInClipboard(c.pasted.c_str());
      Press(Key('V', false, true));
    }
    Type(c.typed);
    EXPECT_EQ(Commit(), c.committed);
  }

  Open("12", 2);
  Press(Key(kVKEnd));
  EXPECT_FALSE(Press(Char("3", '3'))) << "a character refused for room is not handled";
}

TEST_F(TextEntryTest, PastedBytesOfAnyKindCommitAsWellFormedUTF8)
{
  struct PasteCase
  {
    const char* name;
    const char* pasted;
    const char* committed;
  };
  const PasteCase cases[] = {
    {"a sequence cut short", "a\xE2\x82", "a\xC3\xA2"},
    {"an overlong two-byte form", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
    {"an overlong three-byte form", "\xE0\x80\xAF", "\xC3\xA0\xC2\xAF"},
    {"an overlong four-byte form", "\xF0\x80\x80\xAF", "\xC3\xB0\xC2\xAF"},
    {"an encoded surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0"},
    {"a value above U+10FFFF", "\xF4\x90\x80\x80", "\xC3\xB4"},
    {"0xFF and 0xFE bytes", "\xFF\xFE", "\xC3\xBF\xC3\xBE"},
    {"an old five-byte form", "\xF8\x88\x80\x80\x80", "_"},
    {"a character beyond the basic plane", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    {"control characters are dropped", "1\t2\r\n3\x7F", "123"},
  };
  for (const PasteCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    graphics->SetTextInClipboard(c.pasted);
    Open("");
    Press(Key('V', false, true));
    const std::string committed = Commit();
    EXPECT_EQ(committed, c.committed);
    EXPECT_TRUE(IsWellFormedUTF8(committed));
  }
}

TEST_F(TextEntryTest, TypedBytesOfAnyKindCommitAsWellFormedUTF8)
{
  struct TypedCase
  {
    const char* name;
    const char* utf8;
    const char* committed;
  };
  const TypedCase cases[] = {
    {"an encoded surrogate gives its lead byte", "\xED\xA0\x80", "\xC3\xAD"},
    {"a value above U+10FFFF gives its lead byte", "\xF4\x90\x80\x80", "\xC3\xB4"},
    {"a lone lead byte", "\xC0", "\xC3\x80"},
    {"a lone continuation byte is a control character", "\x80", ""},
    {"a character beyond the basic plane stays whole", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
  };
  for (const TypedCase& c : cases)
  {
    SCOPED_TRACE(c.name);
    Open("");
    Press(Char(c.utf8));
    const std::string committed = Commit();
    EXPECT_EQ(committed, c.committed);
    EXPECT_TRUE(IsWellFormedUTF8(committed));
  }
}

TEST_F(TextEntryTest, HalfOfASplitPairCommitsAsAReplacementCharacter)
{
  const char* kEmoji = "\xF0\x9F\x98\x80";
  const char* kReplacement = "\xEF\xBF\xBD";

  Open(kEmoji);
  Press(Key(kVKEnd));
  Press(Key(kVKBack));
  EXPECT_EQ(Commit(), kReplacement);

  Open(kEmoji);
  Press(Key(kVKHome));
  Press(Key(kVKRight));
  Type("x");
  graphics->SetAllControlsDirty();
  graphics->Tick();
  EXPECT_EQ(Contents(), std::string(kReplacement) + "x" + kReplacement);
  Press(Key(kVKHome));
  Press(Key(kVKRight));
  Press(Key(kVKDelete));
  EXPECT_EQ(Commit(), kEmoji) << "the halves join again";
}

TEST_F(TextEntryTest, UndoInANewEditCannotReachTheLastOne)
{
  Open("a long first value");
  Type("xyz");
  Commit();
  Open("ab");
  for (int i = 0; i < 4; ++i)
    Press(kUndo);
  EXPECT_EQ(Commit(), "ab");
}

TEST_F(TextEntryTest, TheSurfaceHandsItsPromptAndEveryEventToTheAttachedEntry)
{
  graphics->AttachTextEntryControl();
  graphics->CreateTextEntry(*plain, DEFAULT_TEXT, kBounds, "abc", 0);
  EXPECT_TRUE(graphics->GetRecord().textEntry.empty()) << "no platform field was asked for";
  EXPECT_TRUE(graphics->OnKeyDown(0.f, 0.f, Char("9", '9')));
  EXPECT_TRUE(graphics->OnKeyDown(0.f, 0.f, Key(kVKReturn)));
  EXPECT_EQ(plain->completions, (std::vector<std::string>{"9"}));

  graphics->CreateTextEntry(*plain, DEFAULT_TEXT, kBounds, "xyz", 0);
  graphics->OnMouseDown({IMouseInfo{5.f, 5.f, 0.f, 0.f, IMouseMod(true)}});
  graphics->OnMouseUp({IMouseInfo{5.f, 5.f, 0.f, 0.f, IMouseMod(true)}});
  EXPECT_EQ(plain->completions, (std::vector<std::string>{"9", "xyz"}));
}
