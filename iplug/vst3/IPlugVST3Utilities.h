// Conversions between VST3 data and the framework's records: speaker arrangements, MIDI from
// proxy parameters and events, and UTF-16 texts of fixed capacity. None of them throws.
#pragma once

#include "iplug/IPlugMidi.h"
#include "iplug/wdl/WdlString.h"
#include "utility/UTF8.h"

#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "pluginterfaces/vst/vsttypes.h"

namespace iplug
{

/** The speaker arrangement of a bus with nChans channels; the empty arrangement for counts
 *  without a layout of their own and for wildcard buses. */
Steinberg::Vst::SpeakerArrangement GetVSTSpeakerArrangement(int nChans);

/** The channel message that a host value of a MIDI controller proxy stands for; false for ids
 *  outside the registered proxies. Values are taken as clamped to 0..1. */
bool MidiMsgFromProxyParam(Steinberg::Vst::ParamID id, double value, int sampleOffset, IMidiMsg& msg);

/** Note on, note off and polyphonic pressure events as channel messages; false for other kinds. */
bool MidiMsgFromEvent(const Steinberg::Vst::Event& event, IMidiMsg& msg);

/** A channel message as an output event on bus 0: notes as note events, the other kinds as legacy
 *  controller events; false for messages of no kind. */
bool EventFromMidiMsg(const IMidiMsg& msg, Steinberg::Vst::Event& event);

// VST3 texts are UTF-16 of fixed capacity; the conversion is the utility library's.
using brimvale::utility::UTF8ToUTF16Fixed;

/** UTF-16 text of at most maxChars characters (stopping at a NUL) as UTF-8; unpaired surrogates
 *  become U+FFFD. */
void UTF16ToUTF8(WDL_String& out, const Steinberg::Vst::TChar* text, int maxChars);

} // namespace iplug
