#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "igraphics/IControl.h"
#include "igraphics/IPopupMenu.h"

#define STB_TEXTEDIT_CHARTYPE char16_t
#define STB_TEXTEDIT_POSITIONTYPE int
#include "stb_textedit.h"

namespace iplug
{
namespace igraphics
{

/** A single-line text field drawn inside the editor, used in place of the platform's own field.
 *  stb_textedit does the cursor movement, selection and undo over a UTF-16 string through the
 *  static callbacks below. While idle the control has empty bounds and is neither drawn nor hit. */
class ITextEntryControl : public IControl
{
public:
  ITextEntryControl();

  void Draw(IGraphics& g) override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseUp(float x, float y, const IMouseMod& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseMod& mod) override;
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  bool OnKeyDown(float x, float y, const IKeyPress& key) override;
  void OnEndAnimation() override;

  /** Opens the field over bounds with str selected. At most length characters can be typed or
   *  pasted (no limit when length is not positive); a longer str is shown whole. */
  void CreateTextEntry(int paramIdx, const IText& text, const IRECT& bounds, int length, const char* str);
  bool IsEditing() const { return mEditing; }

  /** Closes the field and hands its text to the surface as the edited value. */
  void CommitEdit();
  /** Closes the field without passing its text on. */
  void DismissEdit();
  void SelectAll();
  void CopySelection();
  void Cut();
  void Paste();
  void SetStr(const char* str);
  void OnTextChange();
  void OnStateChanged() { SetDirty(false); }

  // The editing library's view of the field: one row holding the whole string.
  static void Layout(StbTexteditRow* row, ITextEntryControl* control, int startIndex);
  static char16_t GetChar(ITextEntryControl* control, int i);
  static int GetLength(ITextEntryControl* control);
  static float GetCharWidth(ITextEntryControl* control, int lineStart, int i);
  static int DeleteChars(ITextEntryControl* control, int pos, int n);
  static int InsertChars(ITextEntryControl* control, int pos, const char16_t* chars, int n);

private:
  /** Hides the field; the caller decides what becomes of its text. */
  void EndEdit();
  void FillCharWidthCache();
  float MeasureCharWidth(char16_t c, char16_t prev) const;
  /** The width of the first n characters, as far as the cache reaches. */
  float WidthBefore(int n);
  /** Runs an edit and marks the control dirty when it moved the cursor, the selection or the text;
   *  true in that case. */
  bool ApplyEdit(const std::function<void()>& edit);
  /** Whether a typed character may go into the value being edited: a numeric parameter takes
   *  digits and signs (and a decimal point when it is continuous). */
  bool KeyFitsParam(const IKeyPress& key, int character) const;
  /** Hands a character or a key code to the editing library; true when the state changed. */
  bool SendKey(uint32_t code);
  /** How many more characters the length limit lets in once the selection is replaced. */
  int Room() const;

  bool mDrawCursor = false;
  bool mEditing = false;
  int mParamIdx = kNoParameter;
  STB_TexteditState mEditState;
  std::vector<float> mCharWidths;
  std::u16string mEditString;
  IPopupMenu mContextMenu;
};

} // namespace igraphics
} // namespace iplug
