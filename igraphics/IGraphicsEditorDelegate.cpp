#include "igraphics/IGraphicsEditorDelegate.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "igraphics/IGraphics.h"
#include "iplug/IPlugByteChunk.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// Reads one 4-byte field of the editor-state record; a position already lost stays lost. The
// bound is taken from the end, so that a position near the largest int cannot overflow past it.
template <typename T>
int ReadField(const IByteChunk& chunk, int pos, T& value)
{
  if (pos < 0 || pos > chunk.Size() - static_cast<int>(sizeof(T)))
    return -1;
  return chunk.Get(&value, pos);
}

// A stored record comes from outside: a negative size, or a scale that is negative or not a number
// at all, would reach the draw scale (a NaN passes any clamp) and every size computed from it.
bool IsEditorState(int32_t width, int32_t height, float scale)
{
  return width >= 0 && height >= 0 && std::isfinite(scale) && scale >= 0.f;
}

} // namespace

IGEditorDelegate::IGEditorDelegate(int nParams) : IEditorDelegate(nParams)
{}

// The surface goes before the functions that made it; the plug-in's own overrides are gone by
// now, so nothing here calls back into them.
IGEditorDelegate::~IGEditorDelegate()
{
  mGraphics.reset();
}

void* IGEditorDelegate::OpenWindow(void* pParent)
{
  if (!mGraphics)
  {
    mGraphics.reset(CreateGraphics());
    if (mGraphics && mLastWidth != 0 && mLastHeight != 0 && mLastScale != 0.f)
      mGraphics->Resize(mLastWidth, mLastHeight, mLastScale, true);
  }
  if (!mGraphics)
    return nullptr;

  void* pView = mGraphics->OpenWindow(pParent);
  // A surface without a view would be taken for an open editor; the host is told it failed.
  if (!pView)
    mGraphics.reset();
  return pView;
}

void IGEditorDelegate::CloseWindow()
{
  if (mClosing)
    return;
  mClosing = true;
  OnUIClose();
  if (mGraphics)
  {
    mLastWidth = mGraphics->Width();
    mLastHeight = mGraphics->Height();
    mLastScale = mGraphics->GetDrawScale();
    IGraphics::CloseAndDelete(std::move(mGraphics));
  }
  mClosing = false;
}

void IGEditorDelegate::OnParentWindowResize(int width, int height)
{
  if (!mGraphics)
    return;
  ParentWindowSizeToEditorUnits(width, height);
  mGraphics->Resize(width, height, 1.f, false);
}

float IGEditorDelegate::GetPlatformWindowScale() const
{
  return mGraphics ? mGraphics->GetPlatformWindowScale() : 1.f;
}

void IGEditorDelegate::SetScreenScale(float scale)
{
  if (mGraphics)
    mGraphics->SetScreenScale(scale);
}

bool IGEditorDelegate::OnKeyDown(const IKeyPress& key)
{
  return SendKeyToUI(key, false);
}

bool IGEditorDelegate::OnKeyUp(const IKeyPress& key)
{
  return SendKeyToUI(key, true);
}

bool IGEditorDelegate::SendKeyToUI(const IKeyPress& key, bool isUp)
{
  if (!mGraphics)
    return false;
  // The host's key events carry no position: they go to whatever is under the mouse.
  float x = 0.f;
  float y = 0.f;
  mGraphics->GetMouseLocation(x, y);
  return isUp ? mGraphics->OnKeyUp(x, y, key) : mGraphics->OnKeyDown(x, y, key);
}

void IGEditorDelegate::SendControlValueFromDelegate(int ctrlTag, double normalizedValue)
{
  if (!mGraphics)
    return;
  if (IControl* pControl = mGraphics->GetControlWithTag(ctrlTag))
    pControl->SetValueFromDelegate(normalizedValue, 0);
}

void IGEditorDelegate::SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* pData)
{
  if (!mGraphics)
    return;
  if (IControl* pControl = mGraphics->GetControlWithTag(ctrlTag))
    pControl->OnMsgFromDelegate(msgTag, dataSize, pData);
}

void IGEditorDelegate::SendParameterValueFromDelegate(int paramIdx, double value, bool normalized)
{
  if (mGraphics)
  {
    if (!normalized)
    {
      const IParam* pParam = GetParam(paramIdx);
      value = pParam ? std::clamp(pParam->ToNormalized(value), 0.0, 1.0) : 0.0;
    }
    mGraphics->ForStandardControlsFunc([paramIdx, value](IControl* pControl) {
      for (int v = 0; v < pControl->NVals(); ++v)
        if (pControl->GetParamIdx(v) == paramIdx)
          pControl->SetValueFromDelegate(value, v);
    });
  }
  OnParamChangeUI(paramIdx, kDelegate);
}

void IGEditorDelegate::SendMidiMsgFromDelegate(const IMidiMsg& msg)
{
  if (mGraphics)
    mGraphics->ForStandardControlsFunc([&msg](IControl* pControl) {
      if (pControl->GetWantsMidi())
        pControl->OnMidi(msg);
    });
  IEditorDelegate::SendMidiMsgFromDelegate(msg);
}

bool IGEditorDelegate::SerializeEditorState(IByteChunk& chunk) const
{
  const int32_t width = mGraphics ? mGraphics->Width() : mLastWidth;
  const int32_t height = mGraphics ? mGraphics->Height() : mLastHeight;
  const float scale = mGraphics ? mGraphics->GetDrawScale() : mLastScale;
  bool ok = chunk.Put(&width) > 0;
  ok = chunk.Put(&height) > 0 && ok;
  ok = chunk.Put(&scale) > 0 && ok;
  return ok;
}

int IGEditorDelegate::UnserializeEditorState(const IByteChunk& chunk, int startPos)
{
  int32_t width = 0;
  int32_t height = 0;
  float scale = 0.f;
  int pos = ReadField(chunk, startPos, width);
  pos = ReadField(chunk, pos, height);
  pos = ReadField(chunk, pos, scale);
  // Refused whole: the size kept or shown stays as it was.
  if (pos < 0 || !IsEditorState(width, height, scale))
    return -1;

  if (mGraphics)
  {
    if (width != 0 && height != 0 && scale != 0.f)
      mGraphics->Resize(width, height, scale, true);
  }
  else
  {
    mLastWidth = width;
    mLastHeight = height;
    mLastScale = scale;
  }
  return pos;
}

IGraphics* IGEditorDelegate::CreateGraphics()
{
  return mMakeGraphicsFunc ? mMakeGraphicsFunc() : nullptr;
}

void IGEditorDelegate::LayoutUI(IGraphics* pGraphics)
{
  if (mLayoutFunc)
    mLayoutFunc(pGraphics);
}

} // namespace igraphics
} // namespace iplug
