#include "iplug/vst3/IPlugVST3Utilities.h"

#include "utility/UTF8.h"

#include "iplug/vst3/IPlugVST3Constants.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <algorithm>
#include <string>

namespace iplug
{

using namespace Steinberg;
using namespace Steinberg::Vst;

SpeakerArrangement GetVSTSpeakerArrangement(int nChans)
{
  switch (nChans)
  {
  case 1: return SpeakerArr::kMono;
  case 2: return SpeakerArr::kStereo;
  case 3: return SpeakerArr::k30Cine;
  case 4: return SpeakerArr::kAmbi1stOrderACN;
  case 5: return SpeakerArr::k50;
  case 6: return SpeakerArr::k51;
  case 7: return SpeakerArr::k70Cine;
  case 8: return SpeakerArr::k71CineSideFill;
  case 9: return SpeakerArr::kAmbi2cdOrderACN;
  case 10: return SpeakerArr::k71_2;
  case 16: return SpeakerArr::kAmbi3rdOrderACN;
  default: return SpeakerArr::kEmpty;
  }
}

namespace
{

uint8_t Scale7Bit(double value)
{
  return static_cast<uint8_t>(static_cast<int>(std::clamp(value, 0.0, 1.0) * 127.0));
}

} // namespace

bool MidiMsgFromProxyParam(ParamID id, double value, int sampleOffset, IMidiMsg& msg)
{
  constexpr ParamID kEnd = kMIDICCParamStartIdx + kCountCCParams * kNumRegisteredCCChannels;
  if (id < kMIDICCParamStartIdx || id >= kEnd)
    return false;
  const int n = static_cast<int>(id - kMIDICCParamStartIdx);
  const uint8_t channel = static_cast<uint8_t>(n / kCountCCParams);
  const int k = n % kCountCCParams;
  const double v = std::clamp(value, 0.0, 1.0);
  if (k < 128)
    msg = IMidiMsg(sampleOffset, static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(k), Scale7Bit(v));
  else if (k == kAftertouchCCParam)
    msg = IMidiMsg(sampleOffset, static_cast<uint8_t>(0xD0 | channel), Scale7Bit(v), 0);
  else
  {
    const int bend = std::min(std::max(static_cast<int>((2.0 * v - 1.0) * 8192.0), -8192) + 8192, 16383);
    msg = IMidiMsg(sampleOffset, static_cast<uint8_t>(0xE0 | channel), static_cast<uint8_t>(bend & 127),
                   static_cast<uint8_t>(bend >> 7));
  }
  return true;
}

bool MidiMsgFromEvent(const Event& event, IMidiMsg& msg)
{
  switch (event.type)
  {
  case Event::kNoteOnEvent:
    msg = IMidiMsg(event.sampleOffset, static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F)),
                   static_cast<uint8_t>(event.noteOn.pitch & 0x7F), Scale7Bit(event.noteOn.velocity));
    return true;
  case Event::kNoteOffEvent:
    msg = IMidiMsg(event.sampleOffset, static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F)),
                   static_cast<uint8_t>(event.noteOff.pitch & 0x7F), 0);
    return true;
  case Event::kPolyPressureEvent:
    msg = IMidiMsg(event.sampleOffset, static_cast<uint8_t>(0xA0 | (event.polyPressure.channel & 0x0F)),
                   static_cast<uint8_t>(event.polyPressure.pitch & 0x7F), Scale7Bit(event.polyPressure.pressure));
    return true;
  default: return false;
  }
}

bool EventFromMidiMsg(const IMidiMsg& msg, Event& event)
{
  event = {};
  event.busIndex = 0;
  event.sampleOffset = msg.mOffset;
  const auto channel = static_cast<int8>(msg.Channel());
  const auto d1 = static_cast<int8>(msg.mData1 & 0x7F);
  const auto d2 = static_cast<int8>(msg.mData2 & 0x7F);
  auto controller = [&](uint8 number, int8 value, int8 value2) {
    event.type = Event::kLegacyMIDICCOutEvent;
    event.midiCCOut = {number, channel, value, value2};
  };
  switch (msg.StatusMsg())
  {
  case IMidiMsg::kNoteOff:
    event.type = Event::kNoteOffEvent;
    event.noteOff = {channel, d1, static_cast<float>(d2) / 127.0f, -1, 0.0f};
    return true;
  case IMidiMsg::kNoteOn:
    event.type = Event::kNoteOnEvent;
    event.noteOn = {channel, d1, 0.0f, static_cast<float>(d2) / 127.0f, 0, -1};
    return true;
  case IMidiMsg::kPolyAftertouch: controller(kCtrlPolyPressure, d1, d2); return true;
  case IMidiMsg::kControlChange: controller(static_cast<uint8>(d1), d2, 0); return true;
  case IMidiMsg::kProgramChange: controller(kCtrlProgramChange, d1, 0); return true;
  case IMidiMsg::kChannelAftertouch: controller(kAfterTouch, d1, d2); return true;
  case IMidiMsg::kPitchWheel:
  {
    const int bend = static_cast<int>(((d2 * 128 + d1) - 8192) / 8192.0 * 16383.0);
    controller(kPitchBend, static_cast<int8>(bend & 0x7F), static_cast<int8>((bend >> 7) & 0x7F));
    return true;
  }
  default: return false;
  }
}

namespace
{

constexpr char32_t kReplacement = 0xFFFD;

} // namespace

void UTF16ToUTF8(WDL_String& out, const TChar* text, int maxChars)
{
  std::string result;
  for (int i = 0; text && i < maxChars && text[i]; ++i)
  {
    const char32_t unit = static_cast<char16_t>(text[i]);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < maxChars && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
    {
      const char32_t low = static_cast<char16_t>(text[++i]);
      brimvale::utility::AppendUTF8(result, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    }
    else if (unit >= 0xD800 && unit <= 0xDFFF)
      brimvale::utility::AppendUTF8(result, kReplacement);
    else
      brimvale::utility::AppendUTF8(result, unit);
  }
  out.Set(result.c_str());
}

} // namespace iplug
