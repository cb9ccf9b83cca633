#pragma once

#include <string>

#include "igraphics/IControl.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{
namespace igraphics
{

/** A text on a background. It ignores the mouse. */
class ITextControl : public IControl
{
public:
  ITextControl(const IRECT& bounds, const char* str = "", const IText& text = DEFAULT_TEXT,
               const IColor& bgColor = DEFAULT_BGCOLOR, bool setBoundsBasedOnStr = false);

  void Draw(IGraphics& g) override;
  void OnInit() override;

  virtual void SetStr(const char* str);
  /** At most maxLength characters of the formatted text are kept. */
  virtual void SetStrFmt(int maxLength, const char* fmt, ...) WDL_PRINTF_FORMAT(3, 4);
  virtual void ClearStr() { SetStr(""); }

  /** Fits the bounds around the text, keeping their centre. */
  void SetBoundsBasedOnStr();

  const char* GetStr() const { return mStr.c_str(); }

protected:
  std::string mStr;
  IColor mBGColor;
  bool mSetBoundsBasedOnStr;
};

/** A link that opens a web address when clicked. */
class IURLControl : public ITextControl
{
public:
  IURLControl(const IRECT& bounds, const char* str, const char* url, const IText& text, const IColor& bgColor,
              const IColor& mouseOverColor, const IColor& clickedColor);

  void Draw(IGraphics& g) override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;
  void SetText(const IText& txt) override;

protected:
  std::string mURLStr;
  IColor mBaseColor;
  IColor mMOColor;
  IColor mCLColor;
  bool mClicked = false;
};

/** A two-state button that shows one text when off and another when on. */
class ITextToggleControl : public ITextControl
{
public:
  ITextToggleControl(const IRECT& bounds, int paramIdx, const char* offText, const char* onText, const IText& text,
                     const IColor& bgColor);
  ITextToggleControl(const IRECT& bounds, IActionFunction action, const char* offText, const char* onText,
                     const IText& text, const IColor& bgColor);

  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void SetDirty(bool triggerAction = true, int valIdx = kNoValIdx) override;

protected:
  std::string mOffText;
  std::string mOnText;
};

/** Shows a parameter's value as text and prompts for a new one when clicked: a menu for an
    enumerated parameter, marked with a drop-down triangle, a text entry otherwise. */
class ICaptionControl : public ITextControl
{
public:
  ICaptionControl(const IRECT& bounds, int paramIdx, const IText& text, const IColor& bgColor,
                  bool showParamLabel = true);

  void Draw(IGraphics& g) override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnResize() override;

protected:
  bool mShowParamLabel;
  IColor mTriangleColors[2] = {COLOR_BLACK, COLOR_WHITE};
  IRECT mTri;
};

/** A labelled box for laying out an editor; it shows its own position and size. */
class PlaceHolder : public ITextControl
{
public:
  PlaceHolder(const IRECT& bounds, const char* str);

  void Draw(IGraphics& g) override;
  void OnResize() override;
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  void OnTextEntryCompletion(const char* str, int valIdx) override;

protected:
  std::string mTLHCStr;
  std::string mWidthStr;
  std::string mHeightStr;
};

} // namespace igraphics
} // namespace iplug
