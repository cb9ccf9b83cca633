// The macOS system decoder: built only by the macOS lane.
#if defined(BRIMVALE_MACOS)

#include "engine/SampleFiles.h"

#include "engine/EngineMath.h"
#include "utility/FileOpen.h"

#include <AudioToolbox/AudioToolbox.h>

#include <cmath>
#include <new>
#include <vector>

namespace brimvale::engine
{

namespace
{
class ScopedAudioFile
{
public:
  explicit ScopedAudioFile(ExtAudioFileRef file) : mFile(file) {}
  ~ScopedAudioFile() { Dispose(); }
  ScopedAudioFile(const ScopedAudioFile&) = delete;
  ScopedAudioFile& operator=(const ScopedAudioFile&) = delete;

  ExtAudioFileRef Get() const { return mFile; }
  void Dispose()
  {
    if (mFile)
      ExtAudioFileDispose(mFile);
    mFile = nullptr;
  }

private:
  ExtAudioFileRef mFile;
};

float LimitSample(float value)
{
  return std::isnan(value) ? 0.0f : static_cast<float>(Clamp(value, -1.0, 1.0));
}
} // namespace

bool LoadAudioFileWithCoreAudio(const std::string& path, SampleBuffer& out, const char* fallbackName)
{
  // The system opens the file by its name: a device's open has effects of its own, and a FIFO's
  // waits for a writer, so only a regular file gets that far.
  if (path.empty() || !brimvale::utility::IsRegularFilePath(path.c_str()))
    return false;

  CFURLRef url = CFURLCreateFromFileSystemRepresentation(
    kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path.data()), static_cast<CFIndex>(path.size()), false);
  if (!url)
    return false;
  ExtAudioFileRef opened = nullptr;
  const OSStatus openStatus = ExtAudioFileOpenURL(url, &opened);
  CFRelease(url);
  if (openStatus != noErr || !opened)
    return false;
  ScopedAudioFile file(opened);

  AudioStreamBasicDescription fileFormat = {};
  UInt32 propertySize = sizeof(fileFormat);
  if (ExtAudioFileGetProperty(file.Get(), kExtAudioFileProperty_FileDataFormat, &propertySize, &fileFormat) != noErr ||
      fileFormat.mChannelsPerFrame == 0 || !(fileFormat.mSampleRate > 0.0))
    return false;

  // The buffer is made to what the file declares, so a length past the own reader's longest sample,
  // or more values than that sample in stereo, is refused before any of it is set aside.
  const UInt32 channels = fileFormat.mChannelsPerFrame;
  SInt64 lengthFrames = 0;
  propertySize = sizeof(lengthFrames);
  if (ExtAudioFileGetProperty(file.Get(), kExtAudioFileProperty_FileLengthFrames, &propertySize, &lengthFrames) !=
        noErr ||
      lengthFrames < 1 || static_cast<uint64_t>(lengthFrames) > kMaxSampleFrames ||
      static_cast<uint64_t>(lengthFrames) * channels > 2 * kMaxSampleFrames)
    return false;

  AudioStreamBasicDescription clientFormat = {};
  clientFormat.mSampleRate = fileFormat.mSampleRate;
  clientFormat.mFormatID = kAudioFormatLinearPCM;
  clientFormat.mFormatFlags = kAudioFormatFlagIsFloat | kAudioFormatFlagIsPacked;
  clientFormat.mBitsPerChannel = 32;
  clientFormat.mChannelsPerFrame = channels;
  clientFormat.mBytesPerFrame = 4 * channels;
  clientFormat.mBytesPerPacket = 4 * channels;
  clientFormat.mFramesPerPacket = 1;
  if (ExtAudioFileSetProperty(file.Get(), kExtAudioFileProperty_ClientDataFormat, sizeof(clientFormat),
                              &clientFormat) != noErr)
    return false;

  // At most 2^30 bytes: the buffer's 32-bit byte count holds them.
  const UInt32 requested = static_cast<UInt32>(lengthFrames);

  try
  {
    std::vector<float> interleaved(static_cast<size_t>(requested) * channels);
    AudioBufferList list;
    list.mNumberBuffers = 1;
    list.mBuffers[0].mNumberChannels = channels;
    list.mBuffers[0].mDataByteSize = static_cast<UInt32>(interleaved.size() * sizeof(float));
    list.mBuffers[0].mData = interleaved.data();

    UInt32 delivered = requested;
    const OSStatus readStatus = ExtAudioFileRead(file.Get(), &delivered, &list);
    file.Dispose();
    if (readStatus != noErr || delivered < 1)
      return false;

    std::vector<float> left(delivered);
    std::vector<float> right(delivered);
    for (UInt32 i = 0; i < delivered; ++i)
    {
      const float* frame = interleaved.data() + static_cast<size_t>(i) * channels;
      left[i] = LimitSample(frame[0]);
      right[i] = channels >= 2 ? LimitSample(frame[1]) : left[i];
    }

    const std::string name = FileNameFromPath(path.c_str());
    out.left.swap(left);
    out.right.swap(right);
    out.sampleRate = fileFormat.mSampleRate;
    out.name = name.empty() ? std::string(fallbackName ? fallbackName : "") : name;
    return true;
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
}

} // namespace brimvale::engine

#endif
