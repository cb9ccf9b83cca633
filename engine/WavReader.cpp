#include "engine/WavReader.h"

#include "engine/EngineMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace brimvale::engine
{

namespace
{
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 65534;
constexpr uint32_t kFmtMinimum = 16;
constexpr uint32_t kFmtExtensibleSize = 40;

uint16_t U16(const uint8_t* p)
{
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p)
{
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

struct Format
{
  bool present = false;
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint16_t bitsPerSample = 0;
};

// Reads a "fmt " body already known to fit in the source.
bool ReadFormat(ByteSource& source, uint32_t size, Format& format)
{
  uint8_t body[kFmtExtensibleSize] = {};
  const uint32_t kept = size < kFmtExtensibleSize ? size : kFmtExtensibleSize;
  if (!source.Read(body, kept) || !source.Skip(size - kept))
    return false;
  format.present = true;
  format.formatTag = U16(body);
  format.channels = U16(body + 2);
  format.sampleRate = U32(body + 4);
  format.bitsPerSample = U16(body + 14);
  if (format.formatTag == kFormatExtensible && size >= kFmtExtensibleSize)
    format.formatTag = U16(body + 24);
  return true;
}

// Where the body of the "data" chunk lies in the source; size 0 when there is none.
struct DataChunk
{
  uint64_t position = 0;
  uint32_t size = 0;
};

bool IsAccepted(const Format& f)
{
  const bool floatLayout = f.formatTag == kFormatFloat && f.bitsPerSample == 32;
  const bool pcmLayout = f.formatTag == kFormatPcm &&
                         (f.bitsPerSample == 16 || f.bitsPerSample == 24 || f.bitsPerSample == 32);
  return f.present && (floatLayout || pcmLayout) && (f.channels == 1 || f.channels == 2) && f.sampleRate != 0;
}

size_t FrameSize(const Format& f)
{
  return f.channels * (f.bitsPerSample / 8u);
}

// A NaN read from a file would poison the filters and the reverb for good: it plays as silence.
double LimitSample(double value)
{
  return std::isnan(value) ? 0.0 : Clamp(value, -1.0, 1.0);
}

// Bytes decoded at a time: whole frames of every accepted layout fit, on any thread's stack.
constexpr size_t kPieceBytes = 16384;

// Fills left and right, frame by frame, from the source's next bytes.
bool DecodeFrames(ByteSource& source, const Format& format, std::vector<float>& left, std::vector<float>& right)
{
  const size_t bytesPerSample = format.bitsPerSample / 8u;
  const size_t frameSize = FrameSize(format);
  const size_t framesPerPiece = kPieceBytes / frameSize;
  uint8_t piece[kPieceBytes];
  for (size_t first = 0; first < left.size(); first += framesPerPiece)
  {
    const size_t count = std::min(framesPerPiece, left.size() - first);
    if (!source.Read(piece, count * frameSize))
      return false;
    const uint8_t* frame = piece;
    for (size_t i = first; i < first + count; ++i, frame += frameSize)
    {
      left[i] = static_cast<float>(DecodeWavSample(frame, format.formatTag, format.bitsPerSample));
      right[i] = format.channels == 2
                   ? static_cast<float>(DecodeWavSample(frame + bytesPerSample, format.formatTag, format.bitsPerSample))
                   : left[i];
    }
  }
  return true;
}
} // namespace

double DecodeWavSample(const unsigned char* bytes, uint16_t formatTag, uint16_t bitsPerSample)
{
  double value = 0.0;
  if (formatTag == kFormatFloat && bitsPerSample == 32)
  {
    const uint32_t raw = U32(bytes);
    float f;
    std::memcpy(&f, &raw, sizeof(f));
    value = f;
  }
  else if (formatTag == kFormatPcm && bitsPerSample == 16)
  {
    const int16_t v = static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
    value = v * (1.0 / 32768.0);
  }
  else if (formatTag == kFormatPcm && bitsPerSample == 24)
  {
    int32_t v = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
    if (v & 0x800000)
      v -= 0x1000000;
    value = v * (1.0 / 8388608.0);
  }
  else if (formatTag == kFormatPcm && bitsPerSample == 32)
  {
    value = static_cast<int32_t>(U32(bytes)) * (1.0 / 2147483648.0);
  }
  return LimitSample(value);
}

bool ReadWavSamples(ByteSource& source, SampleBuffer& out)
{
  uint8_t header[12];
  if (!source.Read(header, sizeof(header)) || std::memcmp(header, "RIFF", 4) != 0 ||
      std::memcmp(header + 8, "WAVE", 4) != 0)
    return false;

  // The walk only notes where the kept "data" body lies: a body that a later chunk replaces, or one
  // too long to keep, is never read.
  Format format;
  DataChunk data;
  for (;;)
  {
    uint8_t chunk[8];
    if (!source.Read(chunk, sizeof(chunk)))
      break;
    const uint32_t size = U32(chunk + 4);
    // A body the source cannot hold ends the walk before anything is set aside for it.
    if (size > source.Remaining())
      break;

    if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= kFmtMinimum)
    {
      Format next;
      if (!ReadFormat(source, size, next))
        break;
      format = next;
    }
    else
    {
      const uint64_t body = source.Position();
      if (!source.Skip(size))
        break;
      if (std::memcmp(chunk, "data", 4) == 0)
        data = {body, size};
    }

    if ((size & 1u) != 0 && !source.Skip(1))
      break;
  }

  if (!IsAccepted(format))
    return false;
  const size_t frames = data.size / FrameSize(format);
  if (frames < 1 || frames > kMaxSampleFrames)
    return false;

  std::vector<float> left(frames);
  std::vector<float> right(frames);
  if (!source.Seek(data.position) || !DecodeFrames(source, format, left, right))
    return false;

  out.left.swap(left);
  out.right.swap(right);
  out.sampleRate = static_cast<double>(format.sampleRate);
  return true;
}

} // namespace brimvale::engine
