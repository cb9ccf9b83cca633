// The meter sender's analysis on macOS, through Accelerate: the same peak and average per window as
// the definition (largest absolute value; root mean square, or mean of the absolute values), and
// still nothing allocated on the audio thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "iplug/IPlugPeakAvgSender.h"
#include "tests/iplug/TestPlug.h"
#include "tests/support/AllocationCounter.h"
#include "utility/MathConstants.h"

using namespace iplug;

namespace
{
using Sender = IPeakAvgSender<2, 64>;
using Record = Sender::Data;

constexpr double kRate = 48000.0;
constexpr int kWindow = 240; // 5 ms at 48 kHz
constexpr int kBlock = 480;
constexpr int kBlocks = 10;

struct MeterDelegate : test::TestPlug
{
  MeterDelegate() : TestPlug(test::MakeTestConfig(0)) {}
  void SendControlMsgFromDelegate(int, int, int dataSize, const void* pData) override
  {
    ASSERT_EQ(dataSize, static_cast<int>(sizeof(Record)));
    Record r;
    std::memcpy(&r, pData, sizeof(r));
    records.push_back(r);
  }
  std::vector<Record> records;
};

struct Signal
{
  const char* name;
  double (*sample)(int n); // periodic in the window length, so every window holds the same values
};

const Signal kSignals[] = {
  {"silence", [](int) { return 0.0; }},
  {"DC", [](int) { return 0.5; }},
  {"negative DC", [](int) { return -0.25; }},
  {"sine", [](int n) { return 0.7 * std::sin(brimvale::utility::kTwoPi * n / 60.0); }},
  {"full-scale sine", [](int n) { return std::sin(brimvale::utility::kTwoPi * (n + 0.5) / 48.0); }},
  {"alternating", [](int n) { return n % 2 ? -0.3 : 0.3; }},
  {"single spike", [](int n) { return n % kWindow == 0 ? 0.8 : 0.0; }},
};

// The right channel carries a scaled, inverted copy, so the channels cannot be mixed up unnoticed.
constexpr double kRightGain = -0.5;

struct Expected
{
  float peak;
  float avg;
};

Expected Definition(const Signal& signal, double gain, bool rms)
{
  double peak = 0.0, acc = 0.0;
  for (int n = 0; n < kWindow; ++n)
  {
    const double x = std::fabs(static_cast<float>(signal.sample(n) * gain));
    peak = std::max(peak, x);
    acc += rms ? x * x : x;
  }
  const double mean = acc / kWindow;
  return {static_cast<float>(peak), static_cast<float>(rms ? std::sqrt(mean) : mean)};
}

std::vector<Record> Meter(Sender& sender, const Signal& signal)
{
  std::vector<double> left(kBlock), right(kBlock);
  double* channels[2] = {left.data(), right.data()};
  for (int b = 0; b < kBlocks; ++b)
  {
    for (int f = 0; f < kBlock; ++f)
    {
      left[f] = signal.sample(b * kBlock + f);
      right[f] = kRightGain * left[f];
    }
    sender.ProcessBlock(channels, kBlock, 3, 2, 0);
  }
  MeterDelegate dlg;
  sender.TransmitData(dlg);
  return dlg.records;
}

void ExpectValue(float actual, float expected, const char* what)
{
  // vDSP sums in single precision, the definition in double: a few units in the last place apart.
  EXPECT_NEAR(actual, expected, std::max(1e-7f, expected * 1e-5f)) << what;
}

TEST(MacMeter, AccelerateGivesTheWindowsPeakAndAverage)
{
  for (const bool rms : {true, false})
  {
    for (const Signal& signal : kSignals)
    {
      SCOPED_TRACE(std::string(signal.name) + (rms ? ", RMS" : ", average"));
      // No attack, decay or hold: every record carries the window's own values.
      Sender sender(-90.0, rms, 5.0f, 0.0f, 0.0f, 0.0f);
      sender.Reset(kRate);
      ASSERT_EQ(sender.WindowSize(), kWindow);
      const std::vector<Record> records = Meter(sender, signal);
      const Expected left = Definition(signal, 1.0, rms);
      const Expected right = Definition(signal, kRightGain, rms);
      if (left.peak == 0.0f)
      {
        // Only the first window is sent (the sum before it starts above the threshold).
        ASSERT_EQ(records.size(), 1u);
      }
      else
      {
        ASSERT_GE(records.size(), 10u);
      }
      // The last windows lie wholly inside the signal.
      for (size_t i = records.size() > 10 ? records.size() - 10 : 0; i < records.size(); ++i)
      {
        const Record& r = records[i];
        EXPECT_EQ(r.ctrlTag, 3);
        EXPECT_EQ(r.nChans, 2);
        ExpectValue(r.vals[0].peak, left.peak, "left peak");
        ExpectValue(r.vals[0].avg, left.avg, "left average");
        ExpectValue(r.vals[1].peak, right.peak, "right peak");
        ExpectValue(r.vals[1].avg, right.avg, "right average");
      }
    }
  }
}

TEST(MacMeter, ProcessBlockAllocatesNothing)
{
  Sender sender(-90.0, true, 5.0f, 1.0f, 100.0f, 500.0f);
  sender.Reset(kRate);
  std::vector<double> left(kBlock), right(kBlock);
  for (int f = 0; f < kBlock; ++f)
    left[f] = right[f] = 0.5 * std::sin(f * 0.1);
  double* channels[2] = {left.data(), right.data()};

  const long long before = testsupport::AllocationCount();
  for (int b = 0; b < 50; ++b) // more records than the queue holds: dropping allocates nothing either
    sender.ProcessBlock(channels, kBlock, 3, 2, 0);
  EXPECT_EQ(testsupport::AllocationCount(), before);
}

} // namespace
