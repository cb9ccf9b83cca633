#include "igraphics/controls/ITextEntryControl.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "igraphics/IGraphics.h"
#include "igraphics/controls/TextEntryUTF16.h"
#include "iplug/IPlugParameter.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// A key reaches the editing library as one code: a character, or a Windows virtual-key code
// marked by the top bit, with the modifier keys held in the bits below that.
constexpr uint32_t kSpecialKey = 0x80000000u;
constexpr uint32_t kShiftKey = 0x40000000u;
constexpr uint32_t kControlKey = 0x20000000u;
constexpr uint32_t kAltKey = 0x10000000u;
constexpr uint32_t kCharacterBits = 0x001FFFFFu;

constexpr int32_t kVKBack = 0x08;
constexpr int32_t kVKTab = 0x09;
constexpr int32_t kVKReturn = 0x0D;
constexpr int32_t kVKEscape = 0x1B;
constexpr int32_t kVKSpace = 0x20;
constexpr int32_t kVKPageUp = 0x21;
constexpr int32_t kVKPageDown = 0x22;
constexpr int32_t kVKEnd = 0x23;
constexpr int32_t kVKHome = 0x24;
constexpr int32_t kVKLeft = 0x25;
constexpr int32_t kVKUp = 0x26;
constexpr int32_t kVKRight = 0x27;
constexpr int32_t kVKDown = 0x28;
constexpr int32_t kVKDelete = 0x2E;
constexpr int32_t kVKNumPad0 = 0x60;
constexpr int32_t kVKNumPad9 = 0x69;

constexpr uint32_t Special(int32_t vk)
{
  return kSpecialKey | static_cast<uint32_t>(vk);
}

constexpr uint32_t kUndo = kControlKey | 'z';
constexpr uint32_t kRedo = kControlKey | kShiftKey | 'z';

constexpr int kBlinkPeriodMs = 1000;

// A single-line field cannot show line breaks or other control characters, and pasted ones would
// reach the parameter's parser unseen.
bool IsControlCharacter(char32_t c)
{
  return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

int KeyToText(uint32_t key)
{
  // Control with alt is AltGr, which types; control alone makes a shortcut.
  if ((key & kSpecialKey) || ((key & kControlKey) && !(key & kAltKey)))
    return -1;
  const auto c = static_cast<char32_t>(key & kCharacterBits);
  return IsControlCharacter(c) ? -1 : static_cast<int>(c);
}

bool IsHighSurrogate(char16_t unit)
{
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit)
{
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool StartsPair(const std::u16string& str, size_t i)
{
  return IsHighSurrogate(str[i]) && i + 1 < str.size() && IsLowSurrogate(str[i + 1]);
}

/** Characters, not units, in [from, to): a surrogate pair counts once. */
int CountCharacters(const std::u16string& str, size_t from, size_t to)
{
  int count = 0;
  for (size_t i = from; i < to; ++i, ++count)
    if (StartsPair(str, i) && i + 1 < to)
      ++i;
  return count;
}

/** The units taken by the first n characters, never ending inside a pair. */
size_t UnitsOfCharacters(const std::u16string& str, int n)
{
  size_t units = 0;
  for (int count = 0; count < n && units < str.size(); ++count)
    units += StartsPair(str, units) ? 2 : 1;
  return units;
}

} // namespace

} // namespace igraphics
} // namespace iplug

#define STB_TEXTEDIT_STRING iplug::igraphics::ITextEntryControl
#define STB_TEXTEDIT_KEYTYPE uint32_t
#define STB_TEXTEDIT_STRINGLEN(tc) iplug::igraphics::ITextEntryControl::GetLength(tc)
#define STB_TEXTEDIT_LAYOUTROW(row, tc, start) iplug::igraphics::ITextEntryControl::Layout(row, tc, start)
#define STB_TEXTEDIT_GETWIDTH(tc, start, i) iplug::igraphics::ITextEntryControl::GetCharWidth(tc, start, i)
#define STB_TEXTEDIT_KEYTOTEXT(key) iplug::igraphics::KeyToText(key)
#define STB_TEXTEDIT_GETCHAR(tc, i) iplug::igraphics::ITextEntryControl::GetChar(tc, i)
#define STB_TEXTEDIT_NEWLINE u'\n'
#define STB_TEXTEDIT_IS_SPACE(ch) ((ch) == u' ')
#define STB_TEXTEDIT_DELETECHARS(tc, pos, n) iplug::igraphics::ITextEntryControl::DeleteChars(tc, pos, n)
#define STB_TEXTEDIT_INSERTCHARS(tc, pos, chars, n) iplug::igraphics::ITextEntryControl::InsertChars(tc, pos, chars, n)
#define STB_TEXTEDIT_K_SHIFT iplug::igraphics::kShiftKey
#define STB_TEXTEDIT_K_LEFT iplug::igraphics::Special(iplug::igraphics::kVKLeft)
#define STB_TEXTEDIT_K_RIGHT iplug::igraphics::Special(iplug::igraphics::kVKRight)
#define STB_TEXTEDIT_K_UP iplug::igraphics::Special(iplug::igraphics::kVKUp)
#define STB_TEXTEDIT_K_DOWN iplug::igraphics::Special(iplug::igraphics::kVKDown)
#define STB_TEXTEDIT_K_PGUP iplug::igraphics::Special(iplug::igraphics::kVKPageUp)
#define STB_TEXTEDIT_K_PGDOWN iplug::igraphics::Special(iplug::igraphics::kVKPageDown)
#define STB_TEXTEDIT_K_LINESTART iplug::igraphics::Special(iplug::igraphics::kVKHome)
#define STB_TEXTEDIT_K_LINEEND iplug::igraphics::Special(iplug::igraphics::kVKEnd)
#define STB_TEXTEDIT_K_TEXTSTART (STB_TEXTEDIT_K_LINESTART | iplug::igraphics::kControlKey)
#define STB_TEXTEDIT_K_TEXTEND (STB_TEXTEDIT_K_LINEEND | iplug::igraphics::kControlKey)
#define STB_TEXTEDIT_K_WORDLEFT (STB_TEXTEDIT_K_LEFT | iplug::igraphics::kControlKey)
#define STB_TEXTEDIT_K_WORDRIGHT (STB_TEXTEDIT_K_RIGHT | iplug::igraphics::kControlKey)
#define STB_TEXTEDIT_K_DELETE iplug::igraphics::Special(iplug::igraphics::kVKDelete)
#define STB_TEXTEDIT_K_BACKSPACE iplug::igraphics::Special(iplug::igraphics::kVKBack)
#define STB_TEXTEDIT_K_UNDO iplug::igraphics::kUndo
#define STB_TEXTEDIT_K_REDO iplug::igraphics::kRedo
#define STB_TEXTEDIT_memmove std::memmove
#define STB_TEXTEDIT_IMPLEMENTATION
#include "stb_textedit.h"

namespace iplug
{
namespace igraphics
{

ITextEntryControl::ITextEntryControl()
: IControl(IRECT())
, mContextMenu("", {"Cut", "Copy", "Paste"}, [this](IPopupMenu* pMenu) {
  switch (pMenu ? pMenu->GetChosenItemIdx() : -1)
  {
  case 0: Cut(); break;
  case 1: CopySelection(); break;
  case 2: Paste(); break;
  default: break;
  }
})
{
  stb_textedit_initialize_state(&mEditState, 1);

  // The cursor shows for the first half of each period; the end of a period starts the next one
  // for as long as the edit lasts.
  SetActionFunction([this](IControl*) {
    mDrawCursor = true;
    SetAnimation([this](IControl*) {
      const double progress = GetAnimationProgress();
      if (progress > 0.5)
      {
        mDrawCursor = false;
        SetDirty(false);
      }
      if (progress > 1.0)
        OnEndAnimation();
    });
    StartAnimation(kBlinkPeriodMs);
  });
}

void ITextEntryControl::CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length,
                                        const char* str)
{
  mParamIdx = paramIdx;
  mTextEntryLength = length;
  SetTargetAndDrawRECTs(bounds);
  OnResize();
  SetText(text);
  mText.mFGColor = text.mTextEntryFGColor;

  // Undo records of an earlier edit would point into a different string.
  stb_textedit_initialize_state(&mEditState, 1);
  SetStr(str);
  ApplyEdit([this] {
    mEditState.select_start = 0;
    mEditState.select_end = GetLength(this);
  });
  mEditState.cursor = 0;

  OnTextChange();
  SetDirty(true);
  mEditing = true;
}

void ITextEntryControl::CommitEdit()
{
  if (!mEditing)
    return;
  const std::string text = UTF16ToUTF8String(mEditString);
  IGraphics* pGraphics = GetUI();
  // The field is closed before the value is handed on: the receiving control may open a new edit
  // or remove this one.
  EndEdit();
  if (!pGraphics)
    return;
  pGraphics->SetControlValueAfterTextEdit(text.c_str());
  pGraphics->SetAllControlsDirty();
}

void ITextEntryControl::DismissEdit()
{
  if (!mEditing)
    return;
  EndEdit();
  if (IGraphics* pGraphics = GetUI())
  {
    pGraphics->ClearInTextEntryControl();
    pGraphics->SetAllControlsDirty();
  }
}

void ITextEntryControl::EndEdit()
{
  mEditing = false;
  SetTargetAndDrawRECTs(IRECT());
  OnResize();
}

void ITextEntryControl::SelectAll()
{
  ApplyEdit([this] {
    mEditState.select_start = 0;
    mEditState.select_end = GetLength(this);
  });
}

void ITextEntryControl::CopySelection()
{
  if (mEditState.select_start == mEditState.select_end || !GetUI())
    return;
  const int length = GetLength(this);
  const int from = std::clamp(std::min(mEditState.select_start, mEditState.select_end), 0, length);
  const int to = std::clamp(std::max(mEditState.select_start, mEditState.select_end), 0, length);
  GetUI()->SetTextInClipboard(UTF16ToUTF8String(mEditString.substr(from, to - from)).c_str());
}

void ITextEntryControl::Cut()
{
  CopySelection();
  ApplyEdit([this] { stb_textedit_cut(this, &mEditState); });
}

void ITextEntryControl::Paste()
{
  WDL_String clipboard;
  if (!GetUI() || !GetUI()->GetTextFromClipboard(clipboard))
    return;
  std::u16string text = UTF8ToUTF16String(clipboard.Get());
  text.erase(std::remove_if(text.begin(), text.end(), [](char16_t c) { return IsControlCharacter(c); }), text.end());
  text.resize(UnitsOfCharacters(text, Room()));
  if (text.empty())
    return;
  ApplyEdit([&] { stb_textedit_paste(this, &mEditState, text.data(), static_cast<int>(text.size())); });
}

void ITextEntryControl::SetStr(const char* str)
{
  mEditString = UTF8ToUTF16String(str);
  mCharWidths.clear();
  stb_textedit_clamp(this, &mEditState);
}

void ITextEntryControl::OnTextChange()
{
  mCharWidths.clear();
  FillCharWidthCache();
}

void ITextEntryControl::OnEndAnimation()
{
  IControl::OnEndAnimation();
  if (mEditing)
    SetDirty(true);
}

void ITextEntryControl::OnMouseDown(float x, float y, const IMouseMod& mod)
{
  if (!mRect.Contains(x, y))
  {
    CommitEdit();
    return;
  }
  if (mod.L)
    ApplyEdit([&] { stb_textedit_click(this, &mEditState, x, y - mRect.T); });
  else if (mod.R && GetUI())
    GetUI()->CreatePopupMenu(*this, mContextMenu, IRECT(x, y, x, y));
}

void ITextEntryControl::OnMouseDrag(float x, float y, float /*dX*/, float /*dY*/, const IMouseMod& mod)
{
  if (mod.L)
    ApplyEdit([&] { stb_textedit_drag(this, &mEditState, x, y - mRect.T); });
}

void ITextEntryControl::OnMouseUp(float x, float y, const IMouseMod& mod)
{
  if (!mod.L)
    return;
  ApplyEdit([&] { stb_textedit_drag(this, &mEditState, x, y - mRect.T); });
  SetDirty(true);
}

void ITextEntryControl::OnMouseDblClick(float /*x*/, float /*y*/, const IMouseMod& /*mod*/)
{
  SelectAll();
}

bool ITextEntryControl::OnKeyDown(float /*x*/, float /*y*/, const IKeyPress& key)
{
  if (key.C && key.VK >= 'A' && key.VK <= 'Z')
  {
    switch (key.VK)
    {
    case 'A': SelectAll(); return true;
    case 'C': CopySelection(); return true;
    case 'V': Paste(); return true;
    case 'X': Cut(); return true;
    case 'Z': SendKey(key.S ? kRedo : kUndo); return true;
    default: break;
    }
  }

  int character = 0;
  wdl_utf8_parsechar(key.utf8, &character);

  uint32_t code = 0;
  switch (key.VK)
  {
  case kVKTab: return false;
  case kVKReturn: CommitEdit(); return true;
  case kVKEscape: DismissEdit(); return true;
  case kVKSpace: code = ' '; break;
  case kVKBack:
  case kVKPageUp:
  case kVKPageDown:
  case kVKEnd:
  case kVKHome:
  case kVKLeft:
  case kVKUp:
  case kVKRight:
  case kVKDown:
  case kVKDelete: code = Special(key.VK); break;
  default:
    if (!GetUI() || !GetUI()->GetControlInTextEntry())
      return false;
    code = character && KeyFitsParam(key, character) ? static_cast<uint32_t>(character) : Special(key.VK);
    break;
  }

  if (key.C)
    code |= kControlKey;
  if (key.S)
    code |= kShiftKey;
  if (key.A)
    code |= kAltKey;
  return SendKey(code);
}

bool ITextEntryControl::KeyFitsParam(const IKeyPress& key, int character) const
{
  const IControl* pControl = GetUI()->GetControlInTextEntry();
  const IParam* pParam = pControl->GetParam(pControl->LinkedToParam(mParamIdx));
  if (!pParam)
    return true;
  const bool digit = (key.VK >= kVKNumPad0 && key.VK <= kVKNumPad9) || (key.VK >= '0' && key.VK <= '9' && !key.S);
  const bool sign = character == '+' || character == '-';
  switch (pParam->Type())
  {
  case IParam::kTypeBool:
  case IParam::kTypeInt:
  case IParam::kTypeEnum: return digit || sign;
  case IParam::kTypeDouble: return digit || sign || character == '.';
  default: return true;
  }
}

bool ITextEntryControl::SendKey(uint32_t code)
{
  const int character = KeyToText(code);
  if (character > 0 && Room() < 1)
    return false;
  return ApplyEdit([&] {
    if (character > 0xFFFF)
    {
      // The library inserts one unit per key, so a character beyond the basic plane goes in as
      // a pasted pair.
      std::u16string pair;
      AppendUTF16(pair, static_cast<char32_t>(character));
      stb_textedit_paste(this, &mEditState, pair.data(), 2);
    }
    else
    {
      stb_textedit_key(this, &mEditState, code);
    }
  });
}

int ITextEntryControl::Room() const
{
  if (mTextEntryLength <= 0)
    return INT_MAX;
  const size_t length = mEditString.size();
  const size_t from = std::min<size_t>(std::max(std::min(mEditState.select_start, mEditState.select_end), 0), length);
  const size_t to = std::min<size_t>(std::max(std::max(mEditState.select_start, mEditState.select_end), 0), length);
  const int kept = CountCharacters(mEditString, 0, length) - CountCharacters(mEditString, from, to);
  return std::max(mTextEntryLength - kept, 0);
}

bool ITextEntryControl::ApplyEdit(const std::function<void()>& edit)
{
  const int cursor = mEditState.cursor;
  const int selectStart = mEditState.select_start;
  const int selectEnd = mEditState.select_end;
  const std::u16string text = mEditString;
  edit();
  const bool changed = mEditState.cursor != cursor || mEditState.select_start != selectStart ||
                       mEditState.select_end != selectEnd || mEditString != text;
  if (changed)
    OnStateChanged();
  return changed;
}

void ITextEntryControl::Draw(IGraphics& g)
{
  g.FillRect(mText.mTextEntryBGColor, mRect);

  StbTexteditRow row;
  Layout(&row, this, 0);
  const float top = mRect.T + row.ymin - 0.1f * mText.mSize;
  const float bottom = mRect.T + row.ymax + 0.1f * mText.mSize;
  const int selectStart = mEditState.select_start;
  const int selectEnd = mEditState.select_end;

  if (selectStart != selectEnd)
  {
    const IBlend blend(EBlend::Default, 0.2f);
    const float from = row.x0 + WidthBefore(std::min(selectStart, selectEnd));
    const float to = row.x0 + WidthBefore(std::max(selectStart, selectEnd));
    g.FillRect(mText.mTextEntryFGColor, IRECT(from, top, to, bottom), &blend);
  }

  g.DrawText(mText, UTF16ToUTF8String(mEditString).c_str(), mRect);

  if (selectStart == selectEnd && mDrawCursor)
  {
    const float x = row.x0 + WidthBefore(mEditState.cursor);
    g.FillRect(mText.mTextEntryFGColor, IRECT(std::round(x - 1.f), top, std::round(x), bottom));
  }
}

float ITextEntryControl::WidthBefore(int n)
{
  FillCharWidthCache();
  const auto end = mCharWidths.begin() + std::clamp(n, 0, static_cast<int>(mCharWidths.size()));
  float width = 0.f;
  for (auto it = mCharWidths.begin(); it != end; ++it)
    width += *it;
  return width;
}

void ITextEntryControl::FillCharWidthCache()
{
  if (!mCharWidths.empty())
    return;
  mCharWidths.resize(mEditString.size());
  for (size_t i = 0; i < mEditString.size(); ++i)
    mCharWidths[i] = MeasureCharWidth(mEditString[i], i ? mEditString[i - 1] : u'\0');
}

float ITextEntryControl::MeasureCharWidth(char16_t c, char16_t prev) const
{
  const IGraphics* pGraphics = GetUI();
  if (!pGraphics)
    return 0.f;
  // Each unit is measured on its own, so half of a surrogate pair measures as U+FFFD.
  const std::string character = UTF16ToUTF8String(std::u16string(1, c));
  IRECT bounds;
  if (!prev)
    return pGraphics->MeasureText(mText, character.c_str(), bounds);
  const std::string before = UTF16ToUTF8String(std::u16string(1, prev));
  IRECT pairBounds;
  return pGraphics->MeasureText(mText, (before + character).c_str(), pairBounds) -
         pGraphics->MeasureText(mText, before.c_str(), bounds);
}

void ITextEntryControl::Layout(StbTexteditRow* row, ITextEntryControl* control, int /*startIndex*/)
{
  control->FillCharWidthCache();
  float width = 0.f;
  for (float w : control->mCharWidths)
    width += w;

  const IRECT& r = control->mRect;
  switch (control->mText.mAlign)
  {
  case kAlignCenter: row->x0 = r.MW() - width / 2.f; break;
  case kAlignFar: row->x0 = r.R - width; break;
  default: row->x0 = r.L; break;
  }
  row->x1 = row->x0 + width;

  const float size = control->mText.mSize;
  switch (control->mText.mVAlign)
  {
  case kVAlignMiddle: row->ymin = (r.H() - size) / 2.f; break;
  case kVAlignBottom: row->ymin = r.H() - size; break;
  default: row->ymin = 0.f; break;
  }
  row->ymax = row->ymin + size;
  row->baseline_y_delta = 1.25f;
  row->num_chars = GetLength(control);
}

char16_t ITextEntryControl::GetChar(ITextEntryControl* control, int i)
{
  const std::u16string& str = control->mEditString;
  return i >= 0 && static_cast<size_t>(i) < str.size() ? str[i] : u'\0';
}

int ITextEntryControl::GetLength(ITextEntryControl* control)
{
  return static_cast<int>(control->mEditString.size());
}

float ITextEntryControl::GetCharWidth(ITextEntryControl* control, int /*lineStart*/, int i)
{
  control->FillCharWidthCache();
  const std::vector<float>& widths = control->mCharWidths;
  return i >= 0 && static_cast<size_t>(i) < widths.size() ? widths[i] : 0.f;
}

int ITextEntryControl::DeleteChars(ITextEntryControl* control, int pos, int n)
{
  std::u16string& str = control->mEditString;
  const size_t at = std::min<size_t>(std::max(pos, 0), str.size());
  str.erase(at, static_cast<size_t>(std::max(n, 0)));
  control->OnTextChange();
  return 1;
}

int ITextEntryControl::InsertChars(ITextEntryControl* control, int pos, const char16_t* chars, int n)
{
  std::u16string& str = control->mEditString;
  const size_t at = std::min<size_t>(std::max(pos, 0), str.size());
  if (chars && n > 0)
    str.insert(at, chars, static_cast<size_t>(n));
  control->OnTextChange();
  return 1;
}

} // namespace igraphics
} // namespace iplug
