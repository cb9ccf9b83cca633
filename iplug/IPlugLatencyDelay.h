#pragma once

#include "iplug/wdl/WdlHeapBuf.h"

namespace iplug
{

/** Delays each input channel that has a matching output channel by a fixed number of frames,
 *  so that bypassed audio lines up with the processed audio of a plug-in with latency. */
class NChanDelayLine
{
public:
  NChanDelayLine(int nInputChans, int nOutputChans) : mNInChans(nInputChans), mNOutChans(nOutputChans) {}

  /** Sets the delay, empties the line and starts writing at its beginning; true when the line could
   *  be allocated. */
  bool SetDelayTime(int delayFrames);

  /** Exchanges every frame with the line; inputs and outputs may be the same buffers. */
  void ProcessBlock(double** inputs, double** outputs, int nFrames);

  int DelayTime() const { return mDelayFrames; }

  /** Whether the line holds the delay it was last given. */
  bool IsReady() const { return mDelayFrames > 0 && mBuffer.GetSize() == mDelayFrames * mNInChans; }

private:
  WDL_TypedBuf<double> mBuffer{4096};
  int mNInChans;
  int mNOutChans;
  int mWriteAddress = 0;
  int mDelayFrames = 0;
};

} // namespace iplug
