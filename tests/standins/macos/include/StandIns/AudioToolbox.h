#pragma once

// How tests script the AudioToolbox stand-in: the files it can open and what each call answers.
#include <AudioToolbox/AudioToolbox.h>

#include <string>
#include <vector>

/** A file the decoder knows, by its file-system path. */
struct StandInAudioFile
{
  AudioStreamBasicDescription format{}; // the file's data format
  SInt64 lengthFrames = 0;              // what the file says its length is
  std::vector<float> frames;            // decoded, interleaved, format.mChannelsPerFrame per frame
  // The answer of each call; a non-zero one fails that call.
  OSStatus openError = noErr;
  OSStatus formatError = noErr;
  OSStatus lengthError = noErr;
  OSStatus clientFormatError = noErr;
  OSStatus readError = noErr;
};

/** What the decoder was asked. */
struct StandInAudioToolboxLog
{
  int opens = 0;    // files opened
  int disposes = 0; // files disposed
  int reads = 0;
  bool clientFormatSet = false;
  AudioStreamBasicDescription clientFormat{}; // the last one set
  UInt32 framesRequested = 0;                 // by the last read
};

/** A format of the given channels and rate, as a file of 16-bit PCM would report it. */
AudioStreamBasicDescription StandInPCMFormat(UInt32 channels, Float64 sampleRate);
void StandInRegisterAudioFile(const std::string& path, const StandInAudioFile& file);
/** Forgets every registered file and clears the log. */
void StandInResetAudioToolbox();
const StandInAudioToolboxLog& StandInAudioToolboxCalls();
