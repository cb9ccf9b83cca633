// The extended audio file over files that tests register: it delivers their frames in the client
// format when that is interleaved 32-bit float of the file's own channels, the one conversion this
// program asks for.
#include <AudioToolbox/AudioToolbox.h>

#include "StandIns/AudioToolbox.h"

#include <algorithm>
#include <cstring>
#include <map>

struct OpaqueExtAudioFile
{
  StandInAudioFile mFile;
  bool mClientSet = false;
  AudioStreamBasicDescription mClient{};
  size_t mPosition = 0; // frames read so far
};

namespace
{

std::map<std::string, StandInAudioFile>& Registered()
{
  static std::map<std::string, StandInAudioFile> sFiles;
  return sFiles;
}

StandInAudioToolboxLog& Log()
{
  static StandInAudioToolboxLog sLog;
  return sLog;
}

bool IsDeliverable(const AudioStreamBasicDescription& client, UInt32 fileChannels)
{
  const AudioFormatFlags required = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
  return client.mFormatID == kAudioFormatLinearPCM && (client.mFormatFlags & required) == required &&
         !(client.mFormatFlags & (kAudioFormatFlagIsNonInterleaved | kAudioFormatFlagIsBigEndian)) &&
         client.mBitsPerChannel == 32 && client.mChannelsPerFrame == fileChannels &&
         client.mBytesPerFrame == 4 * fileChannels && client.mBytesPerPacket == client.mBytesPerFrame &&
         client.mFramesPerPacket == 1;
}

} // namespace

AudioStreamBasicDescription StandInPCMFormat(UInt32 channels, Float64 sampleRate)
{
  AudioStreamBasicDescription format{};
  format.mSampleRate = sampleRate;
  format.mFormatID = kAudioFormatLinearPCM;
  format.mFormatFlags = kAudioFormatFlagIsSignedInteger | kAudioFormatFlagIsPacked;
  format.mBitsPerChannel = 16;
  format.mChannelsPerFrame = channels;
  format.mBytesPerFrame = 2 * channels;
  format.mBytesPerPacket = 2 * channels;
  format.mFramesPerPacket = 1;
  return format;
}

void StandInRegisterAudioFile(const std::string& path, const StandInAudioFile& file)
{
  Registered()[path] = file;
}

void StandInResetAudioToolbox()
{
  Registered().clear();
  Log() = StandInAudioToolboxLog();
}

const StandInAudioToolboxLog& StandInAudioToolboxCalls()
{
  return Log();
}

OSStatus ExtAudioFileOpenURL(CFURLRef inURL, ExtAudioFileRef* outExtAudioFile)
{
  if (!inURL || !outExtAudioFile)
    return kAudio_ParamError;
  *outExtAudioFile = nullptr;
  UInt8 path[4096];
  if (!CFURLGetFileSystemRepresentation(inURL, true, path, sizeof(path)))
    return kAudio_ParamError;
  const auto it = Registered().find(reinterpret_cast<const char*>(path));
  if (it == Registered().end())
    return kAudio_FileNotFoundError;
  if (it->second.openError != noErr)
    return it->second.openError;
  *outExtAudioFile = new OpaqueExtAudioFile{it->second};
  ++Log().opens;
  return noErr;
}

OSStatus ExtAudioFileDispose(ExtAudioFileRef inExtAudioFile)
{
  if (!inExtAudioFile)
    return kAudio_ParamError;
  delete inExtAudioFile;
  ++Log().disposes;
  return noErr;
}

OSStatus ExtAudioFileGetProperty(ExtAudioFileRef inExtAudioFile, ExtAudioFilePropertyID inPropertyID,
                                 UInt32* ioPropertyDataSize, void* outPropertyData)
{
  if (!inExtAudioFile || !ioPropertyDataSize || !outPropertyData)
    return kAudio_ParamError;
  const StandInAudioFile& file = inExtAudioFile->mFile;
  switch (inPropertyID)
  {
  case kExtAudioFileProperty_FileDataFormat:
  case kExtAudioFileProperty_ClientDataFormat:
  {
    if (*ioPropertyDataSize < sizeof(AudioStreamBasicDescription))
      return kExtAudioFileError_InvalidPropertySize;
    if (inPropertyID == kExtAudioFileProperty_FileDataFormat && file.formatError != noErr)
      return file.formatError;
    const bool client = inPropertyID == kExtAudioFileProperty_ClientDataFormat && inExtAudioFile->mClientSet;
    std::memcpy(outPropertyData, client ? &inExtAudioFile->mClient : &file.format, sizeof(AudioStreamBasicDescription));
    *ioPropertyDataSize = sizeof(AudioStreamBasicDescription);
    return noErr;
  }
  case kExtAudioFileProperty_FileLengthFrames:
    if (*ioPropertyDataSize < sizeof(SInt64))
      return kExtAudioFileError_InvalidPropertySize;
    if (file.lengthError != noErr)
      return file.lengthError;
    std::memcpy(outPropertyData, &file.lengthFrames, sizeof(SInt64));
    *ioPropertyDataSize = sizeof(SInt64);
    return noErr;
  default: return kExtAudioFileError_InvalidProperty;
  }
}

OSStatus ExtAudioFileSetProperty(ExtAudioFileRef inExtAudioFile, ExtAudioFilePropertyID inPropertyID,
                                 UInt32 inPropertyDataSize, const void* inPropertyData)
{
  if (!inExtAudioFile || !inPropertyData)
    return kAudio_ParamError;
  if (inPropertyID != kExtAudioFileProperty_ClientDataFormat)
    return kExtAudioFileError_InvalidProperty;
  if (inPropertyDataSize != sizeof(AudioStreamBasicDescription))
    return kExtAudioFileError_InvalidPropertySize;
  AudioStreamBasicDescription client;
  std::memcpy(&client, inPropertyData, sizeof(client));
  Log().clientFormatSet = true;
  Log().clientFormat = client;
  if (inExtAudioFile->mFile.clientFormatError != noErr)
    return inExtAudioFile->mFile.clientFormatError;
  if (!IsDeliverable(client, inExtAudioFile->mFile.format.mChannelsPerFrame))
    return kAudioConverterErr_FormatNotSupported;
  inExtAudioFile->mClient = client;
  inExtAudioFile->mClientSet = true;
  return noErr;
}

OSStatus ExtAudioFileRead(ExtAudioFileRef inExtAudioFile, UInt32* ioNumberFrames, AudioBufferList* ioData)
{
  if (!inExtAudioFile || !ioNumberFrames || !ioData || ioData->mNumberBuffers != 1 || !ioData->mBuffers[0].mData)
    return kAudio_ParamError;
  ++Log().reads;
  Log().framesRequested = *ioNumberFrames;
  const StandInAudioFile& file = inExtAudioFile->mFile;
  if (file.readError != noErr)
  {
    *ioNumberFrames = 0;
    return file.readError;
  }
  if (!inExtAudioFile->mClientSet)
    return kExtAudioFileError_NonPCMClientFormat;

  const size_t channels = inExtAudioFile->mClient.mChannelsPerFrame;
  const size_t total = file.frames.size() / channels;
  const size_t available = total > inExtAudioFile->mPosition ? total - inExtAudioFile->mPosition : 0;
  const size_t room = ioData->mBuffers[0].mDataByteSize / inExtAudioFile->mClient.mBytesPerFrame;
  const size_t frames = std::min({static_cast<size_t>(*ioNumberFrames), available, room});
  std::memcpy(ioData->mBuffers[0].mData, file.frames.data() + inExtAudioFile->mPosition * channels,
              frames * channels * sizeof(float));
  inExtAudioFile->mPosition += frames;
  *ioNumberFrames = static_cast<UInt32>(frames);
  ioData->mBuffers[0].mDataByteSize = static_cast<UInt32>(frames * inExtAudioFile->mClient.mBytesPerFrame);
  return noErr;
}
