#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "iplug/IPlugEditorDelegate.h"
#include "iplug/IPlugQueue.h"

#if defined(BRIMVALE_MACOS)
#include <Accelerate/Accelerate.h>
#endif

namespace iplug
{

/** One meter record as the meter control receives it: which control, which channels, and one
 *  value (here a peak and average pair) per channel. */
template <int MAXNC = 1, typename T = float>
struct ISenderData
{
  int ctrlTag = -1;
  int nChans = MAXNC;
  int chanOffset = 0;
  std::array<T, MAXNC> vals{};

  ISenderData() = default;
  ISenderData(int tag, int nc, int offset) : ctrlTag(tag), nChans(nc), chanOffset(offset) {}
};

/** Carries records from the audio thread to the main thread, where they are sent to their control. */
template <int MAXNC = 1, int QUEUE_SIZE = 64, typename T = float>
class ISender
{
public:
  using Data = ISenderData<MAXNC, T>;

  virtual ~ISender() = default;

  /** Audio thread: queues one record, dropping it when the queue is full. */
  void PushData(const Data& d) { mQueue.Push(d); }

  /** Main thread: sends every queued record as message 0 to its control. */
  void TransmitData(IEditorDelegate& dlg)
  {
    Data d;
    while (mQueue.Pop(d))
    {
      PrepareDataForUI(d);
      dlg.SendControlMsgFromDelegate(d.ctrlTag, kUpdateMessage, static_cast<int>(sizeof(d)), &d);
      mLastData = d;
    }
  }

  virtual void PrepareDataForUI(Data&) {}

  const Data& LastData() const { return mLastData; }

  static constexpr int kUpdateMessage = 0;

private:
  IPlugQueue<Data> mQueue{QUEUE_SIZE};
  Data mLastData;
};

/** The value pair of one channel in a meter record. */
struct IPeakAvg
{
  float peak = 0.0f;
  float avg = 0.0f;
};

/** Turns output blocks into windowed peak and average values per channel, with peak hold and
 *  attack/decay smoothing of the average, and sends them only while the signal is audible. */
template <int MAXNC = 1, int QUEUE_SIZE = 64>
class IPeakAvgSender : public ISender<MAXNC, QUEUE_SIZE, IPeakAvg>
{
public:
  using Base = ISender<MAXNC, QUEUE_SIZE, IPeakAvg>;
  using Data = typename Base::Data;

  IPeakAvgSender(double minThresholdDb = -90.0, bool rmsMode = true, float windowSizeMs = 5.0f,
                 float attackTimeMs = 1.0f, float decayTimeMs = 100.0f, float peakHoldTimeMs = 500.0f)
  : mThreshold(static_cast<float>(std::pow(10.0, minThresholdDb / 20.0)))
  , mRMSMode(rmsMode)
  , mWindowSizeMs(windowSizeMs)
  , mAttackTimeMs(attackTimeMs)
  , mDecayTimeMs(decayTimeMs)
  , mPeakHoldTimeMs(peakHoldTimeMs)
  {
    // Sized now so that a block processed before the first Reset stays inside the buffers.
    for (auto& buffer : mBuffers)
      buffer.assign(static_cast<size_t>(mWindowSize), 0.0f);
    mHeldPeaks.fill(0.0f);
    mPeakHoldCounters.fill(mPeakHoldTime);
    mSmoothedAvgs.fill(0.0f);
  }

  /** Outside processing: fits the window, smoothing and hold lengths to the sample rate. */
  void Reset(double sampleRate)
  {
    mWindowSize = FramesFor(mWindowSizeMs, sampleRate, 1);
    for (auto& buffer : mBuffers)
      buffer.assign(static_cast<size_t>(mWindowSize), 0.0f);

    const double windowsPerSecond = sampleRate / mWindowSize;
    mAttackTimeWindows = static_cast<float>(windowsPerSecond * mAttackTimeMs * 0.001);
    mDecayTimeWindows = static_cast<float>(windowsPerSecond * mDecayTimeMs * 0.001);

    mPeakHoldTime = FramesFor(mPeakHoldTimeMs, sampleRate, 0);
    mPeakHoldCounters.fill(mPeakHoldTime);
    mHeldPeaks.fill(0.0f);
  }

  /** Audio thread: analyses channels chanOffset .. chanOffset + nChans - 1 of inputs. */
  void ProcessBlock(double** inputs, int nFrames, int ctrlTag = -1, int nChans = MAXNC, int chanOffset = 0)
  {
    if (!inputs || nFrames <= 0 || chanOffset < 0 || chanOffset >= MAXNC)
      return;
    nChans = std::min(nChans, MAXNC - chanOffset);
    if (nChans < 1)
      return;

    for (int f = 0; f < nFrames; ++f)
    {
      const int pos = f % mWindowSize;
      for (int c = chanOffset; c < chanOffset + nChans; ++c)
        mBuffers[c][pos] = inputs[c] ? static_cast<float>(inputs[c][f]) : 0.0f;

      if (mCount == 0)
        AnalyseWindow(ctrlTag, nChans, chanOffset);

      mCount = (mCount + 1) % mWindowSize;
    }
  }

  int WindowSize() const { return mWindowSize; }
  int PeakHoldTime() const { return mPeakHoldTime; }
  float AttackTimeWindows() const { return mAttackTimeWindows; }
  float DecayTimeWindows() const { return mDecayTimeWindows; }

private:
  static int FramesFor(float ms, double sampleRate, int atLeast)
  {
    const double frames = ms * 0.001 * sampleRate;
    if (!(frames >= atLeast)) // also catches a rate that is not a number
      return atLeast;
    return frames < kMaxFrames ? static_cast<int>(frames) : kMaxFrames;
  }

  void AnalyseWindow(int ctrlTag, int nChans, int chanOffset)
  {
    Data d{ctrlTag, nChans, chanOffset};
    float sum = 0.0f;

    for (int c = chanOffset; c < chanOffset + nChans; ++c)
    {
      float peak = 0.0f;
      float avg = 0.0f;
      MeasureWindow(mBuffers[c], peak, avg);

      HoldPeak(c, peak);
      SmoothAverage(c, avg);

      d.vals[c].peak = mHeldPeaks[c];
      d.vals[c].avg = mSmoothedAvgs[c];
      sum += mSmoothedAvgs[c];
    }

    // Judged on the window before, so the first silent window is still reported.
    if (mPreviousSum > mThreshold)
      Base::PushData(d);
    mPreviousSum = sum;
  }

  /** Replaces the window by its absolute values; gives their largest and their root mean square
   *  (RMS mode) or mean. */
  void MeasureWindow(std::vector<float>& buffer, float& peak, float& avg) const
  {
#if defined(BRIMVALE_MACOS)
    const vDSP_Length n = static_cast<vDSP_Length>(buffer.size());
    vDSP_vabs(buffer.data(), 1, buffer.data(), 1, n);
    vDSP_maxv(buffer.data(), 1, &peak, n);
    if (mRMSMode)
      vDSP_rmsqv(buffer.data(), 1, &avg, n);
    else
      vDSP_meanv(buffer.data(), 1, &avg, n);
#else
    peak = 0.0f;
    double acc = 0.0;
    for (float& s : buffer)
    {
      s = std::fabs(s);
      peak = std::max(peak, s);
      acc += mRMSMode ? static_cast<double>(s) * s : s;
    }
    const double mean = acc / static_cast<double>(buffer.size());
    avg = static_cast<float>(mRMSMode ? std::sqrt(mean) : mean);
#endif
  }

  void HoldPeak(int c, float peak)
  {
    if (mPeakHoldCounters[c] > 0)
    {
      if (peak > mHeldPeaks[c])
      {
        mHeldPeaks[c] = peak;
        mPeakHoldCounters[c] = mPeakHoldTime;
      }
      else
      {
        mPeakHoldCounters[c] -= mWindowSize;
      }
    }

    if (mPeakHoldCounters[c] <= 0)
    {
      mHeldPeaks[c] = 0.0f;
      if (peak > 0.0f)
      {
        mHeldPeaks[c] = peak;
        mPeakHoldCounters[c] = mPeakHoldTime;
      }
    }
  }

  void SmoothAverage(int c, float avg)
  {
    float& smoothed = mSmoothedAvgs[c];
    if (avg > smoothed && mAttackTimeWindows > 1.0f)
      smoothed += (avg - smoothed) / mAttackTimeWindows;
    else if (avg < smoothed && mDecayTimeWindows > 1.0f)
      smoothed += (avg - smoothed) / mDecayTimeWindows;
    else if (avg != smoothed)
      smoothed = avg;

    const int kind = std::fpclassify(smoothed);
    if (kind == FP_ZERO || kind == FP_SUBNORMAL)
      smoothed = 0.0f;
  }

  static constexpr int kMaxFrames = 1 << 24;

  const float mThreshold;
  const bool mRMSMode;
  const float mWindowSizeMs;
  const float mAttackTimeMs;
  const float mDecayTimeMs;
  const float mPeakHoldTimeMs;

  float mPreviousSum = 1.0f;
  int mWindowSize = 32;
  int mPeakHoldTime = 1 << 16;
  int mCount = 0;
  float mAttackTimeWindows = 1.0f;
  float mDecayTimeWindows = 4800.0f;
  std::array<float, MAXNC> mHeldPeaks;
  std::array<std::vector<float>, MAXNC> mBuffers;
  std::array<int, MAXNC> mPeakHoldCounters;
  std::array<float, MAXNC> mSmoothedAvgs;
};

} // namespace iplug
