#include "iplug/IPlugLatencyDelay.h"

#include <climits>
#include <cstring>

namespace iplug
{

bool NChanDelayLine::SetDelayTime(int delayFrames)
{
  mDelayFrames = delayFrames > 0 ? delayFrames : 0;
  mWriteAddress = 0;
  const bool fits = mNInChans <= 0 || mDelayFrames <= INT_MAX / mNInChans;
  const int size = fits ? mDelayFrames * mNInChans : 0;
  mBuffer.Resize(size);
  if (mBuffer.GetSize() != size)
    return false;
  if (size > 0)
    std::memset(mBuffer.Get(), 0, sizeof(double) * static_cast<size_t>(size));
  return fits;
}

void NChanDelayLine::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  if (!IsReady())
    return;
  double* buffer = mBuffer.Get();
  const int nChans = mNInChans < mNOutChans ? mNInChans : mNOutChans;
  int pos = mWriteAddress;
  for (int s = 0; s < nFrames; ++s)
  {
    for (int c = 0; c < nChans; ++c)
    {
      if (!inputs[c] || !outputs[c])
        continue;
      double& slot = buffer[c * mDelayFrames + pos];
      const double input = inputs[c][s];
      outputs[c][s] = slot;
      slot = input;
    }
    if (++pos >= mDelayFrames)
      pos = 0;
  }
  mWriteAddress = pos;
}

} // namespace iplug
