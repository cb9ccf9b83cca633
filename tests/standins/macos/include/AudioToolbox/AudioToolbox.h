#pragma once

// Stand-in for AudioToolbox's extended audio file: a file decoded into the client format the
// caller sets. The files it knows are registered by tests (StandIns/AudioToolbox.h).
#include <CoreFoundation/CoreFoundation.h>

typedef UInt32 AudioFormatID;
typedef UInt32 AudioFormatFlags;
typedef UInt32 ExtAudioFilePropertyID;
typedef struct OpaqueExtAudioFile* ExtAudioFileRef;

typedef struct AudioStreamBasicDescription
{
  Float64 mSampleRate;
  AudioFormatID mFormatID;
  AudioFormatFlags mFormatFlags;
  UInt32 mBytesPerPacket;
  UInt32 mFramesPerPacket;
  UInt32 mBytesPerFrame;
  UInt32 mChannelsPerFrame;
  UInt32 mBitsPerChannel;
  UInt32 mReserved;
} AudioStreamBasicDescription;

typedef struct AudioBuffer
{
  UInt32 mNumberChannels;
  UInt32 mDataByteSize;
  void* mData;
} AudioBuffer;

typedef struct AudioBufferList
{
  UInt32 mNumberBuffers;
  AudioBuffer mBuffers[1];
} AudioBufferList;

enum
{
  kAudioFormatLinearPCM = 0x6C70636D // 'lpcm'
};

enum
{
  kAudioFormatFlagIsFloat = 1u << 0,
  kAudioFormatFlagIsBigEndian = 1u << 1,
  kAudioFormatFlagIsSignedInteger = 1u << 2,
  kAudioFormatFlagIsPacked = 1u << 3,
  kAudioFormatFlagIsAlignedHigh = 1u << 4,
  kAudioFormatFlagIsNonInterleaved = 1u << 5,
  kAudioFormatFlagsNativeFloatPacked = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked
};

enum
{
  kExtAudioFileProperty_FileDataFormat = 0x66666D74,   // 'ffmt'
  kExtAudioFileProperty_ClientDataFormat = 0x63666D74, // 'cfmt'
  kExtAudioFileProperty_FileLengthFrames = 0x2366726D  // '#frm'
};

enum
{
  kAudio_ParamError = -50,
  kAudio_FileNotFoundError = -43,
  kExtAudioFileError_InvalidProperty = -66561,
  kExtAudioFileError_InvalidPropertySize = -66562,
  kExtAudioFileError_NonPCMClientFormat = -66563,
  kAudioConverterErr_FormatNotSupported = 0x666D743F // 'fmt?'
};

CF_EXTERN_C_BEGIN
OSStatus ExtAudioFileOpenURL(CFURLRef inURL, ExtAudioFileRef* outExtAudioFile);
OSStatus ExtAudioFileDispose(ExtAudioFileRef inExtAudioFile);
OSStatus ExtAudioFileGetProperty(ExtAudioFileRef inExtAudioFile, ExtAudioFilePropertyID inPropertyID,
                                 UInt32* ioPropertyDataSize, void* outPropertyData);
OSStatus ExtAudioFileSetProperty(ExtAudioFileRef inExtAudioFile, ExtAudioFilePropertyID inPropertyID,
                                 UInt32 inPropertyDataSize, const void* inPropertyData);
OSStatus ExtAudioFileRead(ExtAudioFileRef inExtAudioFile, UInt32* ioNumberFrames, AudioBufferList* ioData);
CF_EXTERN_C_END
