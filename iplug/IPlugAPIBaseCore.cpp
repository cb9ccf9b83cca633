#include "iplug/IPlugAPIBaseCore.h"

#include <cmath>
#include <cstring>

namespace iplug
{

IPlugAPIBaseCore::IPlugAPIBaseCore(IEditorDelegate& delegate, const Config& config, EAPI plugAPI)
: IPluginBaseCore(delegate, config, plugAPI)
{
  StampStartTime();
}

IPlugAPIBaseCore::~IPlugAPIBaseCore()
{
  // The timer goes first, so that no tick can reach a half-destroyed plug-in.
  if (mTimer)
    mTimer->Stop();
  mTimer.reset();
}

bool IPlugAPIBaseCore::CompareState(const uint8_t* data, int startPos, int dataSize) const
{
  const int n = Delegate().NParams();
  if (n == 0)
    return true;
  if (!data || startPos < 0 || dataSize < 0)
    return false;
  const int64_t needed = (int64_t{startPos} + n) * static_cast<int64_t>(sizeof(double));
  if (needed > dataSize)
    return false;

  for (int i = 0; i < n; ++i)
  {
    double stored = 0.0;
    std::memcpy(&stored, data + (static_cast<size_t>(startPos) + static_cast<size_t>(i)) * sizeof(double),
                sizeof(double));
    const float a = static_cast<float>(stored);
    const float b = static_cast<float>(Delegate().GetParam(i)->Value());
    if (!(std::fabs(a - b) < 1e-5f))
      return false;
  }
  return true;
}

void IPlugAPIBaseCore::OnHostRequestingImportantParameters(int count, WDL_TypedBuf<int>& results)
{
  if (count >= 1 && count < Delegate().NParams())
    for (int i = 0; i < count; ++i)
      results.Add(i);
}

void IPlugAPIBaseCore::SendParameterValueFromAPI(int paramIdx, double value, bool normalized)
{
  const IParam* param = Delegate().GetParam(paramIdx);
  if (!param)
    return;
  ParamTuple change;
  change.idx = paramIdx;
  change.value = normalized ? param->FromNormalized(value) : value;
  mParamChangeFromProcessor.Push(change);
}

void IPlugAPIBaseCore::SetParameterValue(int paramIdx, double normalizedValue)
{
  IParam* param = Delegate().GetParam(paramIdx);
  if (!param)
    return;
  param->Set(param->Constrain(param->FromNormalized(normalizedValue)));
  InformHostOfParamChange(paramIdx, normalizedValue);
  Delegate().OnParamChange(paramIdx, kUI, -1);
}

void IPlugAPIBaseCore::SetHost(const char* host, int version)
{
  mHostName.Set(host ? host : "");
  mHost = LookUpHost(host);
  mHostVersion = version;
  HostSpecificInit();
  OnHostIdentified();
}

void IPlugAPIBaseCore::CreateTimer()
{
  mTimer.reset();
  mTimer.reset(Timer::Create([this](Timer& t) { OnTimer(t); }, IDLE_TIMER_RATE_MS));
}

void IPlugAPIBaseCore::OnTimer(Timer&)
{
  IMidiMsg msg;
  while (mMidiMsgsFromProcessor.Pop(msg))
    Delegate().SendMidiMsgFromDelegate(msg);

  while (mSysExDataFromProcessor.Pop(mSysexBuf))
    Delegate().SendSysexMsgFromDelegate(ISysEx(mSysexBuf.mOffset, mSysexBuf.mData, mSysexBuf.mSize));

  OnIdle();
}

void IPlugAPIBaseCore::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  if (!Delegate().GetParam(paramIdx))
    return;
  SetParameterValue(paramIdx, normalizedValue);
  Delegate().OnParamChangeUI(paramIdx, kUI);
}

void IPlugAPIBaseCore::DirtyParametersFromUI()
{
  for (int i = 0; i < Delegate().NParams(); ++i)
    InformHostOfParamChange(i, Delegate().GetParamNormalized(i));
}

bool IPlugAPIBaseCore::EditorResizeFromUI(int viewWidth, int viewHeight, bool needsPlatformResize)
{
  if (needsPlatformResize)
    return EditorResize(viewWidth, viewHeight);
  // The host has sized its window already, but it may read the size back: it must find the size
  // the editor took, not the one before.
  Delegate().SetEditorSize(viewWidth, viewHeight);
  return true;
}

void IPlugAPIBaseCore::SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* pData)
{
  Delegate().OnMessage(msgTag, ctrlTag, dataSize, pData);
}

} // namespace iplug
