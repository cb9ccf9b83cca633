#include "iplug/vst3/IPlugVST3State.h"

#include <cstdint>

namespace iplug
{

using namespace Steinberg;

namespace
{

bool WriteAll(IBStream* stream, const void* data, int32 size)
{
  if (size == 0)
    return true;
  int32 written = 0;
  return stream->write(const_cast<void*>(data), size, &written) == kResultOk && written == size;
}

} // namespace

bool WriteVST3State(IBStream* stream, const IByteChunk& chunk, bool bypassed)
{
  if (!stream)
    return false;
  const int32_t flag = bypassed ? 1 : 0;
  return WriteAll(stream, chunk.GetData(), chunk.Size()) && WriteAll(stream, &flag, sizeof(flag));
}

bool ReadVST3Stream(IBStream* stream, IByteChunk& chunk, bool tolerateErrors)
{
  if (!stream)
    return false;
  constexpr int32 kPiece = 128;
  char buffer[kPiece];
  for (;;)
  {
    int32 nRead = 0;
    if (stream->read(buffer, kPiece, &nRead) != kResultOk && !tolerateErrors)
      return true;
    // A stream that claims more than it was asked for is not trusted with the rest.
    if (nRead < 1 || nRead > kPiece)
      return true;
    if (chunk.Size() > kMaxVST3StateBytes - nRead)
      return false;
    const int before = chunk.Size();
    if (chunk.PutBytes(buffer, nRead) != before + nRead)
      return false;
  }
}

bool ReadVST3Bypass(IBStream* stream, int pos, bool& bypassed)
{
  if (!stream || pos < 0)
    return false;
  stream->seek(pos, IBStream::kIBSeekSet, nullptr);
  int32_t flag = 0;
  int32 nRead = 0;
  if (stream->read(&flag, sizeof(flag), &nRead) != kResultOk || nRead != static_cast<int32>(sizeof(flag)))
    return false;
  bypassed = flag != 0;
  return true;
}

} // namespace iplug
