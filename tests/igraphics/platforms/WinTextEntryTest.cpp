#include "WinEditorFixture.h"

#include "igraphics/IControl.h"
#include "iplug/IPlugParameter.h"

#include <functional>
#include <string>
#include <vector>

using iplug::IParam;
using iplug::igraphics::IControl;
using iplug::igraphics::IGraphics;
using iplug::igraphics::IRECT;
using iplug::igraphics::IText;

namespace
{
constexpr int kEditID = 99;
// Room for several lines, so that the multi-line EDIT would take a line break if one reached it.
const IRECT kBounds(20, 30, 140, 110);

/** A control that keeps the texts an entry without a parameter hands it. */
class EntryControl : public IControl
{
public:
  using IControl::IControl;
  void Draw(IGraphics&) override {}
  void OnTextEntryCompletion(const char* str, int) override { completions.push_back(str); }
  std::vector<std::string> completions;
};

std::wstring WindowText(HWND window)
{
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

void Press(HWND window, WPARAM key, UINT scanCode)
{
  PostMessageW(window, WM_KEYDOWN, key, static_cast<LPARAM>(scanCode << 16 | 1));
}

/** An open editor with one parameter of every type, and entries opened on controls of its own. */
struct WinTextEntry : ::testing::Test
{
  enum
  {
    kInt,
    kDouble,
    kBool,
    kEnum,
    kUntyped,
    kNParams
  };
  static constexpr int kNoParam = -1;

  explicit WinTextEntry(float scale = 1.f) : editor(300, 200, scale, kNParams)
  {
    Param(kInt).InitInt("int", 5, 0, 100);
    Param(kDouble).InitDouble("double", 5., 0., 100., 0.01);
    Param(kBool).InitBool("bool", false);
    Param(kEnum).InitEnum("enum", 0, {"a", "b", "c"});
  }

  void SetUp() override { ASSERT_NE(editor.window, nullptr); }

  IParam& Param(int idx) { return *editor.delegate.GetParam(idx); }
  IGraphics& Graphics() { return *editor.graphics; }

  /** The EDIT of a new entry over kBounds for a control on the parameter (or none). */
  HWND Open(int paramIdx, const char* str, const IText& text = IText(), const IRECT& bounds = kBounds)
  {
    control = static_cast<EntryControl*>(Graphics().AttachControl(new EntryControl(kBounds, paramIdx)));
    control->SetTextEntryLength(12);
    Graphics().CreateTextEntry(*control, text, bounds, str, 0);
    return GetDlgItem(editor.window, kEditID);
  }

  /** Pumps until the redraw tick has finished the entry; whether it did. */
  bool Finished(HWND edit)
  {
    return wintest::PumpUntil([edit] { return !IsWindow(edit); }) && !Graphics().GetControlInTextEntry();
  }

  wintest::Editor editor;
  EntryControl* control = nullptr;
};

struct CharCase
{
  const char* name;
  int paramIdx;
  wchar_t typed;
  const wchar_t* text; // the EDIT's text afterwards; it held "5", all selected
};

class WinTextEntryChars : public WinTextEntry, public ::testing::WithParamInterface<CharCase>
{};

TEST_P(WinTextEntryChars, PassOnlyWhatTheParameterCanTake)
{
  const CharCase& c = GetParam();
  HWND edit = Open(c.paramIdx, "5");
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, WM_CHAR, c.typed, 1);
  EXPECT_EQ(WindowText(edit), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, WinTextEntryChars,
                         ::testing::Values(CharCase{"IntLetter", WinTextEntry::kInt, L'a', L"5"},
                                           CharCase{"IntDot", WinTextEntry::kInt, L'.', L"5"},
                                           CharCase{"IntDigit", WinTextEntry::kInt, L'7', L"7"},
                                           CharCase{"IntMinus", WinTextEntry::kInt, L'-', L"-"},
                                           CharCase{"IntPlus", WinTextEntry::kInt, L'+', L"+"},
                                           CharCase{"IntBackspace", WinTextEntry::kInt, VK_BACK, L""},
                                           CharCase{"IntNonAsciiDigit", WinTextEntry::kInt, L'\u0663', L"5"},
                                           CharCase{"DoubleDot", WinTextEntry::kDouble, L'.', L"."},
                                           CharCase{"DoubleLetter", WinTextEntry::kDouble, L'e', L"5"},
                                           CharCase{"BoolDigit", WinTextEntry::kBool, L'1', L"1"},
                                           CharCase{"BoolLetter", WinTextEntry::kBool, L'y', L"5"},
                                           CharCase{"EnumDot", WinTextEntry::kEnum, L'.', L"5"},
                                           CharCase{"EnumBackspace", WinTextEntry::kEnum, VK_BACK, L""},
                                           CharCase{"UntypedLetter", WinTextEntry::kUntyped, L'a', L"a"},
                                           CharCase{"UntypedDot", WinTextEntry::kUntyped, L'.', L"."},
                                           CharCase{"NoParamLetter", WinTextEntry::kNoParam, L'\u00E9', L"\u00E9"},
                                           // Enter ends the entry on its key press.
                                           CharCase{"NoParamEnter", WinTextEntry::kNoParam, L'\r', L"5"},
                                           CharCase{"NoParamCtrlEnter", WinTextEntry::kNoParam, L'\n', L"5"}),
                         [](const ::testing::TestParamInfo<CharCase>& info) { return info.param.name; });

struct OutcomeCase
{
  const char* name;
  std::function<void(WinTextEntry&, HWND edit)> act;
  bool commits;
};

class WinTextEntryOutcome : public WinTextEntry, public ::testing::WithParamInterface<OutcomeCase>
{};

void Click(HWND window)
{
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(250, 150));
}

TEST_P(WinTextEntryOutcome, ReachesTheControlOnTheTick)
{
  HWND edit = Open(kInt, "5");
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(GetFocus(), edit);
  SetWindowTextW(edit, L"42");
  GetParam().act(*this, edit);
  ASSERT_TRUE(Finished(edit));
  EXPECT_DOUBLE_EQ(control->GetValue(), GetParam().commits ? 0.42 : 0.);
  EXPECT_EQ(GetDlgItem(editor.window, kEditID), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
  Cases, WinTextEntryOutcome,
  ::testing::Values(OutcomeCase{"Enter", [](WinTextEntry&, HWND edit) { Press(edit, VK_RETURN, 0x1C); }, true},
                    OutcomeCase{"Escape", [](WinTextEntry&, HWND edit) { Press(edit, VK_ESCAPE, 0x01); }, false},
                    OutcomeCase{"ForceEndUserEdit", [](WinTextEntry& t, HWND) { t.Graphics().ForceEndUserEdit(); },
                                false},
                    OutcomeCase{"ClickWhileFocused", [](WinTextEntry& t, HWND) { Click(t.editor.window); }, false},
                    OutcomeCase{"FocusLost", [](WinTextEntry& t, HWND) { SetFocus(t.editor.window); }, true},
                    OutcomeCase{"ClickAfterFocusLost",
                                [](WinTextEntry& t, HWND) {
                                  SetFocus(t.editor.window);
                                  Click(t.editor.window);
                                },
                                true}),
  [](const ::testing::TestParamInfo<OutcomeCase>& info) { return info.param.name; });

struct CommitTextCase
{
  const char* name;
  std::wstring typed;
  std::string handed;
};

class WinTextEntryCommitText : public WinTextEntry, public ::testing::WithParamInterface<CommitTextCase>
{};

TEST_P(WinTextEntryCommitText, IsHandedOnAsUTF8OfAtMost256Characters)
{
  HWND edit = Open(kNoParam, "");
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, GetParam().typed.c_str());
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(Finished(edit));
  EXPECT_EQ(control->completions, std::vector<std::string>{GetParam().handed});
}

const std::wstring kSmiley = L"\U0001F600";

INSTANTIATE_TEST_SUITE_P(Cases, WinTextEntryCommitText,
                         ::testing::Values(CommitTextCase{"Empty", L"", ""},
                                           CommitTextCase{"NonAscii", L"Gr\u00FC\u00DFe \u20AC",
                                                          "Gr\xC3\xBC\xC3\x9F"
                                                          "e \xE2\x82\xAC"},
                                           CommitTextCase{"Exactly256", std::wstring(256, L'x'), std::string(256, 'x')},
                                           CommitTextCase{"Longer", std::wstring(300, L'x'), std::string(256, 'x')},
                                           CommitTextCase{"PairWithin", std::wstring(254, L'x') + kSmiley,
                                                          std::string(254, 'x') + "\xF0\x9F\x98\x80"},
                                           // The limit falls inside the pair: half a character is dropped, not garbled.
                                           CommitTextCase{"PairAcrossTheLimit", std::wstring(255, L'x') + kSmiley,
                                                          std::string(255, 'x')}),
                         [](const ::testing::TestParamInfo<CommitTextCase>& info) { return info.param.name; });

TEST_F(WinTextEntry, EnterKeepsTheTextOfAFreeEntry)
{
  // The key press commits; the character it makes must not replace the selected text.
  HWND edit = Open(kNoParam, "abc");
  ASSERT_NE(edit, nullptr);
  Press(edit, VK_RETURN, 0x1C);
  ASSERT_TRUE(Finished(edit));
  EXPECT_EQ(control->completions, std::vector<std::string>{"abc"});
}

TEST_F(WinTextEntry, EscapeOnAFreeEntryLeavesTheEditorOpen)
{
  // A host whose loop runs IsDialogMessage asks the EDIT first; in that mode the multi-line EDIT
  // closes its parent on the Escape character.
  HWND edit = Open(kNoParam, "abc");
  ASSERT_NE(edit, nullptr);
  MSG query = {edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {0, 0}};
  SendMessageW(edit, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&query));
  Press(edit, VK_ESCAPE, 0x01);
  ASSERT_TRUE(Finished(edit));
  EXPECT_TRUE(control->completions.empty());
  wintest::PumpFor(std::chrono::milliseconds(50));
  EXPECT_TRUE(Graphics().WindowIsOpen());
}

TEST_F(WinTextEntry, ARemovedControlGetsNothing)
{
  HWND edit = Open(kInt, "5");
  ASSERT_NE(edit, nullptr);
  SetWindowTextW(edit, L"42");
  SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
  Graphics().RemoveControl(control);
  ASSERT_TRUE(Finished(edit));
  EXPECT_DOUBLE_EQ(Param(kInt).Value(), 5.);
}

TEST_F(WinTextEntry, OnlyOneEntryAtATime)
{
  HWND first = Open(kInt, "5");
  ASSERT_NE(first, nullptr);
  Graphics().CreateTextEntry(*control, IText(), IRECT(0, 0, 50, 20), "9", 0);
  EXPECT_EQ(FindWindowExW(editor.window, first, L"EDIT", nullptr), nullptr);
  EXPECT_EQ(WindowText(first), L"5");
}

TEST_F(WinTextEntry, AnEntryLeftOpenByACloseDoesNotBlockTheNext)
{
  ASSERT_NE(Open(kInt, "5"), nullptr);
  Graphics().CloseWindow();
  editor.window = static_cast<HWND>(Graphics().OpenWindow(editor.host.Get()));
  ASSERT_NE(editor.window, nullptr);
  HWND edit = Open(kInt, "7");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(WindowText(edit), L"7");
}

TEST_F(WinTextEntry, AnEntryDestroyedFromOutsideEndsAndDoesNotBlockTheNext)
{
  HWND edit = Open(kInt, "5");
  ASSERT_NE(edit, nullptr);
  DestroyWindow(edit);
  EXPECT_EQ(Graphics().GetControlInTextEntry(), nullptr);
  wintest::PumpFor(std::chrono::milliseconds(50));
  edit = Open(kInt, "7");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(WindowText(edit), L"7");
}

TEST(WinTextEntryWithoutWindow, LeavesNoEntryWaiting)
{
  wintest::TestDelegate delegate;
  iplug::igraphics::IGraphicsWin graphics(delegate, 300, 200, 60, 1.f);
  EntryControl control(kBounds);
  graphics.CreateTextEntry(control, IText(), kBounds, "5", 0);
  EXPECT_EQ(graphics.GetControlInTextEntry(), nullptr);
}

struct LayoutCase
{
  const char* name;
  iplug::igraphics::ETextAlign align;
  iplug::igraphics::ETextVAlign valign;
  DWORD alignStyle;
};

class WinTextEntryLayout : public WinTextEntry, public ::testing::WithParamInterface<LayoutCase>
{
public:
  WinTextEntryLayout() : WinTextEntry(2.f) {}
};

TEST_P(WinTextEntryLayout, CoversTheBoundsInWindowPixels)
{
  const LayoutCase& c = GetParam();
  const IText text(14.f, iplug::igraphics::COLOR_BLACK, "Roboto-Regular", c.align, c.valign);
  HWND edit = Open(kInt,
                   "\xC3\xB1"
                   "5",
                   text, IRECT(10.5f, 20.25f, 60.5f, 40.25f));
  ASSERT_NE(edit, nullptr);

  RECT rect;
  GetWindowRect(edit, &rect);
  MapWindowPoints(HWND_DESKTOP, editor.window, reinterpret_cast<POINT*>(&rect), 2);
  // Scale 2: (21, 40.5) truncated, 50 x 20 units plus one pixel.
  EXPECT_EQ(rect.left, 21);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right - rect.left, 101);
  EXPECT_EQ(rect.bottom - rect.top, 41);

  const LONG_PTR style = GetWindowLongPtrW(edit, GWL_STYLE);
  EXPECT_EQ(style & (ES_LEFT | ES_CENTER | ES_RIGHT), static_cast<LONG_PTR>(c.alignStyle));
  EXPECT_EQ(style & (ES_MULTILINE | ES_AUTOHSCROLL | WS_CHILD | WS_VISIBLE),
            static_cast<LONG_PTR>(ES_MULTILINE | ES_AUTOHSCROLL | WS_CHILD | WS_VISIBLE));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(edit, GWLP_USERDATA)), 0xdeadf00bu);

  EXPECT_EQ(WindowText(edit), L"\u00F15");
  DWORD selStart = 1, selEnd = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
  EXPECT_EQ(selStart, 0u);
  EXPECT_EQ(selEnd, 2u);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 12);
}

INSTANTIATE_TEST_SUITE_P(
  Cases, WinTextEntryLayout,
  ::testing::Values(LayoutCase{"Near", iplug::igraphics::kAlignNear, iplug::igraphics::kVAlignTop, ES_LEFT},
                    LayoutCase{"Centre", iplug::igraphics::kAlignCenter, iplug::igraphics::kVAlignMiddle, ES_CENTER},
                    LayoutCase{"Far", iplug::igraphics::kAlignFar, iplug::igraphics::kVAlignBottom, ES_RIGHT}),
  [](const ::testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST_F(WinTextEntry, CentredTextStartsHalfTheSpareHeightDown)
{
  // 80 units high, 14-point text: (80 - 14) / 2 pixels of the formatting rectangle are above it.
  HWND edit = Open(kInt, "5");
  ASSERT_NE(edit, nullptr);
  RECT formatting = {};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&formatting));
  EXPECT_EQ(formatting.top, 33);
}

} // namespace
