#include "iplug/vst3/IPlugVST3Constants.h"
#include "iplug/vst3/IPlugVST3Utilities.h"

#include <gtest/gtest.h>

#include <string>

using namespace iplug;
using namespace Steinberg::Vst;

TEST(SpeakerArrangement, ChannelCountsMapToTheirLayouts)
{
  const struct
  {
    int nChans;
    uint64_t bits;
  } cases[] = {
    {1, 0x80000},
    {2, 0x3},
    {3, 0x7},
    {4, 0xF00000},
    {5, 0x37},
    {6, 0x3F},
    {7, 0xF7},
    {8, 0x63F},
    {9, 0x7C000F00000ull},
    {10, 0x300063F},
    {16, 0x3FFC000F00000ull},
    {0, 0},
    {11, 0},
    {15, 0},
    {-64, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(static_cast<uint64_t>(GetVSTSpeakerArrangement(c.nChans)), c.bits) << c.nChans << " channels";
}

TEST(MidiProxy, ValuesBecomeChannelMessages)
{
  const struct
  {
    ParamID id;
    double value;
    uint8_t status, d1, d2;
  } cases[] = {
    {kMIDICCParamStartIdx + 1, 1.0, 0xB0, 1, 127}, // modulation
    {kMIDICCParamStartIdx + 7, 0.5, 0xB0, 7, 63},
    {kMIDICCParamStartIdx + 128, 0.25, 0xD0, 31, 0}, // channel pressure
    {kMIDICCParamStartIdx + 129, 1.0, 0xE0, 127, 127},
    {kMIDICCParamStartIdx + 129, 0.5, 0xE0, 0, 64},
    {kMIDICCParamStartIdx + 129, 0.0, 0xE0, 0, 0},
    {kMIDICCParamStartIdx + 3, 7.0, 0xB0, 3, 127}, // out-of-range host values are clamped
    {kMIDICCParamStartIdx + 3, -1.0, 0xB0, 3, 0},
  };
  for (const auto& c : cases)
  {
    IMidiMsg msg;
    ASSERT_TRUE(MidiMsgFromProxyParam(c.id, c.value, 17, msg)) << c.id;
    EXPECT_EQ(msg.mOffset, 17);
    EXPECT_EQ(msg.mStatus, c.status) << c.id << " " << c.value;
    EXPECT_EQ(msg.mData1, c.d1) << c.id << " " << c.value;
    EXPECT_EQ(msg.mData2, c.d2) << c.id << " " << c.value;
  }
}

TEST(MidiProxy, IdsOutsideTheRegisteredProxiesAreIgnored)
{
  for (ParamID id : {ParamID(0), ParamID(36), kBypassParam, kPresetParam, kMIDICCParamStartIdx + kCountCCParams,
                     ParamID(0x10002 + 130 * 16), ParamID(0xFFFFFFFF)})
  {
    IMidiMsg msg(3, 0x90, 1, 2);
    EXPECT_FALSE(MidiMsgFromProxyParam(id, 1.0, 0, msg)) << id;
    EXPECT_EQ(msg.mStatus, 0x90);
  }
}

TEST(MidiEvents, NotesAndPolyPressureBecomeMessages)
{
  Event on{};
  on.type = Event::kNoteOnEvent;
  on.sampleOffset = 5;
  on.noteOn = {3, 60, 0.0f, 1.0f, 0, -1};
  Event off{};
  off.type = Event::kNoteOffEvent;
  off.noteOff = {3, 60, 0.9f, -1, 0.0f};
  Event pressure{};
  pressure.type = Event::kPolyPressureEvent;
  pressure.polyPressure = {15, 64, 0.5f, -1};
  const struct
  {
    const Event* e;
    uint8_t status, d1, d2;
  } cases[] = {{&on, 0x93, 60, 127}, {&off, 0x83, 60, 0}, {&pressure, 0xAF, 64, 63}};
  for (const auto& c : cases)
  {
    IMidiMsg msg;
    ASSERT_TRUE(MidiMsgFromEvent(*c.e, msg));
    EXPECT_EQ(msg.mStatus, c.status);
    EXPECT_EQ(msg.mData1, c.d1);
    EXPECT_EQ(msg.mData2, c.d2);
    EXPECT_EQ(msg.mOffset, c.e->sampleOffset);
  }
  Event data{};
  data.type = Event::kDataEvent;
  IMidiMsg msg;
  EXPECT_FALSE(MidiMsgFromEvent(data, msg));
}

namespace
{
std::u16string Fixed(const char* text, int capacity)
{
  std::u16string buffer(static_cast<size_t>(capacity) + 4, u'#');
  UTF8ToUTF16Fixed(reinterpret_cast<TChar*>(&buffer[0]), capacity, text);
  return buffer;
}
} // namespace

TEST(Utf16Text, FixedBuffersAlwaysKeepTheirTerminator)
{
  const std::string longText(300, 'x');
  const std::u16string full = Fixed(longText.c_str(), 128);
  EXPECT_EQ(full.find(u'\0'), 127u);
  EXPECT_EQ(full[128], u'#'); // nothing written past the capacity

  // "a" then U+1F600 (two UTF-16 units): with room for two characters the pair is not split.
  const std::u16string cut = Fixed("a\xF0\x9F\x98\x80", 3);
  EXPECT_EQ(cut[0], u'a');
  EXPECT_EQ(cut[1], u'\0');

  const std::u16string bad = Fixed("\xC3(z", 8); // a lead byte without its continuation
  EXPECT_EQ(bad.substr(0, 3), std::u16string(u"\uFFFD(z"));
}

TEST(Utf16Text, RoundTripsThroughUtf8AndReplacesLoneSurrogates)
{
  TChar text[8] = {u'A', 0x00E9, 0xD83D, 0xDE00, 0xDC00, u'z', 0, u'q'};
  WDL_String out;
  UTF16ToUTF8(out, text, 8);
  EXPECT_STREQ(out.Get(), "A\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBDz");
  UTF16ToUTF8(out, text, 2);
  EXPECT_STREQ(out.Get(), "A\xC3\xA9");
}
