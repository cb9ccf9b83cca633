#include "iplug/IPlugParamState.h"

#include <cmath>

namespace iplug
{

bool SerializeParamValues(const IEditorDelegate& dlg, IByteChunk& chunk)
{
  bool ok = true;
  for (int i = 0; i < dlg.NParams(); ++i)
  {
    const double value = dlg.GetParam(i)->Value();
    const int before = chunk.Size();
    ok = chunk.Put(&value) == before + static_cast<int>(sizeof(value));
  }
  return ok;
}

int UnserializeParamValues(IEditorDelegate& dlg, const IByteChunk& chunk, int startPos)
{
  if (startPos < 0)
    return startPos;
  int pos = startPos;
  for (int i = 0; i < dlg.NParams(); ++i)
  {
    double value = 0.0;
    pos = chunk.Get(&value, pos);
    if (pos < 0)
      return -1;
    SetParamFromStored(*dlg.GetParam(i), value);
  }
  return pos;
}

void SetParamFromStored(IParam& param, double value)
{
  if (std::isfinite(value))
    param.Set(param.Constrain(value));
}

void SetParamFromStoredNormalized(IParam& param, double normalized)
{
  if (std::isfinite(normalized))
    param.Set(param.FromNormalized(normalized));
}

} // namespace iplug
