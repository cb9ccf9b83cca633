#include "iplug/IPlugEditorDelegate.h"

#include <algorithm>
#include <cmath>

namespace iplug
{

IEditorDelegate::IEditorDelegate(int nParams)
{
  for (int i = 0; i < nParams; ++i)
  {
    auto* param = new IParam();
    if (!mParams.Add(param))
      delete param;
  }
}

IEditorDelegate::~IEditorDelegate()
{
  mParams.Empty(true);
}

double IEditorDelegate::GetParamNormalized(int paramIdx) const
{
  const IParam* param = GetParam(paramIdx);
  return param ? std::clamp(param->ToNormalized(param->Value()), 0.0, 1.0) : 0.0;
}

void* IEditorDelegate::OpenWindow(void*)
{
  OnUIOpen();
  return nullptr;
}

void IEditorDelegate::CloseWindow()
{
  OnUIClose();
}

void IEditorDelegate::OnParentWindowResize(int, int)
{}

void IEditorDelegate::OnUIOpen()
{
  for (int i = 0; i < NParams(); ++i)
    SendParameterValueFromDelegate(i, GetParamNormalized(i), true);
}

void IEditorDelegate::OnParamChange(int paramIdx, EParamSource, int)
{
  OnParamChange(paramIdx);
}

void IEditorDelegate::OnParamChange(int)
{}

void IEditorDelegate::OnParamChangeUI(int, EParamSource)
{}

void IEditorDelegate::OnParamReset(EParamSource source)
{
  for (int i = 0; i < NParams(); ++i)
  {
    OnParamChange(i, source, -1);
    OnParamChangeUI(i, source);
  }
}

void IEditorDelegate::OnMidiMsgUI(const IMidiMsg&)
{}

void IEditorDelegate::OnSysexMsgUI(const ISysEx&)
{}

bool IEditorDelegate::OnMessage(int, int, int, const void*)
{
  return false;
}

void IEditorDelegate::OnRestoreState()
{
  OnUIOpen();
}

bool IEditorDelegate::OnKeyDown(const IKeyPress&)
{
  return false;
}

bool IEditorDelegate::OnKeyUp(const IKeyPress&)
{
  return false;
}

void IEditorDelegate::SendControlValueFromDelegate(int, double)
{}

void IEditorDelegate::SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* pData)
{
  OnMessage(msgTag, ctrlTag, dataSize, pData);
}

void IEditorDelegate::SendArbitraryMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  OnMessage(msgTag, kNoTag, dataSize, pData);
}

void IEditorDelegate::SendMidiMsgFromDelegate(const IMidiMsg& msg)
{
  OnMidiMsgUI(msg);
}

void IEditorDelegate::SendSysexMsgFromDelegate(const ISysEx& msg)
{
  OnSysexMsgUI(msg);
}

void IEditorDelegate::SendParameterValueFromDelegate(int paramIdx, double, bool)
{
  OnParamChangeUI(paramIdx, kDelegate);
}

void IEditorDelegate::DirtyParametersFromUI()
{}

void IEditorDelegate::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  IParam* param = GetParam(paramIdx);
  if (!param)
    return;
  param->Set(param->FromNormalized(normalizedValue));
  OnParamChangeUI(paramIdx, kUI);
}

bool IEditorDelegate::EditorResizeFromUI(int, int, bool)
{
  return false;
}

void IEditorDelegate::SendMidiMsgFromUI(const IMidiMsg&)
{}

void IEditorDelegate::SendSysexMsgFromUI(const ISysEx&)
{}

void IEditorDelegate::SendArbitraryMsgFromUI(int, int, int, const void*)
{}

void IEditorDelegate::DeferMidiMsg(const IMidiMsg&)
{}

void IEditorDelegate::DeferSysexMsg(const ISysEx&)
{}

bool IEditorDelegate::ConstrainEditorResize(int& w, int& h) const
{
  if (w >= mMinWidth && w <= mMaxWidth && h >= mMinHeight && h <= mMaxHeight)
    return true;
  w = std::clamp(w, mMinWidth, mMaxWidth);
  h = std::clamp(h, mMinHeight, mMaxHeight);
  return false;
}

namespace
{

float ParentWindowScale(const IEditorDelegate& delegate)
{
  return std::max(1.f, delegate.GetPlatformWindowScale());
}

// std::lround rounds halves away from zero.
int Rounded(double size)
{
  return static_cast<int>(std::lround(size));
}

} // namespace

void IEditorDelegate::ParentWindowSizeToEditorUnits(int& w, int& h) const
{
  const double scale = ParentWindowScale(*this);
  w = Rounded(w / scale);
  h = Rounded(h / scale);
}

bool IEditorDelegate::ConstrainParentWindowSize(int& w, int& h) const
{
  int editorW = w;
  int editorH = h;
  ParentWindowSizeToEditorUnits(editorW, editorH);
  if (ConstrainEditorResize(editorW, editorH))
    return true;
  const double scale = ParentWindowScale(*this);
  w = Rounded(editorW * scale);
  h = Rounded(editorH * scale);
  return false;
}

bool IEditorDelegate::SerializeEditorState(IByteChunk&) const
{
  return true;
}

int IEditorDelegate::UnserializeEditorState(const IByteChunk&, int startPos)
{
  return startPos;
}

void IEditorDelegate::SetScreenScale(float)
{}

Steinberg::Vst::IContextMenu* IEditorDelegate::CreateHostContextMenuForParam(int)
{
  return nullptr;
}

void IEditorDelegate::SetEditorSize(int width, int height)
{
  mEditorWidth = width;
  mEditorHeight = height;
}

void IEditorDelegate::SetSizeConstraints(int widthLo, int widthHi, int heightLo, int heightHi)
{
  mMinWidth = std::min(widthLo, widthHi);
  mMaxWidth = std::max(widthLo, widthHi);
  mMinHeight = std::min(heightLo, heightHi);
  mMaxHeight = std::max(heightLo, heightHi);
}

} // namespace iplug
