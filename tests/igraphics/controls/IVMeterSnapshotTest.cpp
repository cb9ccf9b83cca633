// The stereo peak/average meter fed by the real meter sender from a rendered block, drawn by the
// headless editor and checked at sampled pixels.
#include "../platforms/HeadlessEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "igraphics/controls/IVMeterControl.h"
#include "iplug/IPlugPeakAvgSender.h"
#include "utility/MathConstants.h"

using namespace headless;
using namespace iplug;
using namespace iplug::igraphics;

namespace
{

constexpr int kMeterTag = 3;
constexpr IColor kBack(255, 16, 16, 16), kBar(255, 255, 128, 0), kPeak(255, 255, 255, 255), kOver(255, 255, 0, 0);

// What the plug-in's delegate does with a control message: hand it to the control with that tag.
class MessageForwarder : public IEditorDelegate
{
public:
  explicit MessageForwarder(IGraphics& graphics) : IEditorDelegate(0), mGraphics(graphics) {}
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize, const void* pData) override
  {
    if (IControl* pControl = mGraphics.GetControlWithTag(ctrlTag))
      pControl->OnMsgFromDelegate(msgTag, dataSize, pData);
  }

private:
  IGraphics& mGraphics;
};

std::string OutputPath(const std::string& name)
{
  return std::string(TEST_OUTPUT_DIR) + "/" + name;
}

TEST(MeterSnapshot, AStereoBlockShowsALevelOnlyOnTheSoundingChannel)
{
  Editor e(100, 200);
  ASSERT_NE(e.window, nullptr);

  IVStyle style;
  style.showLabel = false;
  style.showValue = false;
  style.colorSpec = IVColorSpec{kBack, kBar, kBar, COLOR_DARK_GRAY, DEFAULT_HLCOLOR, DEFAULT_SHCOLOR, kPeak, kOver};
  // Two tracks of 30 x 180: (20, 10, 50, 190) and (50, 10, 80, 190).
  e.graphics->AttachControl(
    new IVPeakAvgMeterControl<2>(IRECT(20.f, 10.f, 80.f, 190.f), "", style, EDirection::Vertical, {"", ""}), kMeterTag);

  // 100 ms at 48 kHz: a 1 kHz sine peaking at -6 dBFS on the left, silence on the right.
  constexpr int kFrames = 4800;
  std::vector<double> left(kFrames), right(kFrames, 0.);
  for (int f = 0; f < kFrames; ++f)
    left[f] = 0.5 * std::sin(brimvale::utility::kTwoPi * 1000. * f / 48000.);
  double* outputs[2] = {left.data(), right.data()};

  IPeakAvgSender<2> sender;
  sender.Reset(48000.);
  sender.ProcessBlock(outputs, kFrames, kMeterTag, 2, 0);
  MessageForwarder forwarder(*e.graphics);
  sender.TransmitData(forwarder);

  e.graphics->Tick();
  EXPECT_TRUE(e.graphics->WritePNG(OutputPath("meter_left_sounding.png").c_str()));

  // The average of the sine is its RMS, about -9 dB: the bar reaches about 71% of the track
  // (y near 62); the held peak at -6 dB is a line near y 55.
  const int leftX = 35, rightX = 65;
  EXPECT_TRUE(Near(e.graphics->PixelAt(leftX, 180), kBar)) << Str(e.graphics->PixelAt(leftX, 180));
  EXPECT_TRUE(Near(e.graphics->PixelAt(leftX, 75), kBar)) << Str(e.graphics->PixelAt(leftX, 75));
  EXPECT_TRUE(Near(e.graphics->PixelAt(leftX, 30), kBack)) << Str(e.graphics->PixelAt(leftX, 30));
  EXPECT_TRUE(Near(e.graphics->PixelAt(leftX, 55), kPeak, 24)) << Str(e.graphics->PixelAt(leftX, 55));

  // The silent channel shows neither a bar nor a peak anywhere along its track.
  for (int y = 12; y < 189; ++y)
    ASSERT_TRUE(Near(e.graphics->PixelAt(rightX, y), kBack, 12))
      << "y " << y << " " << Str(e.graphics->PixelAt(rightX, y));
}

} // namespace
