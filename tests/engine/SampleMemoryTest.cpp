// What loading a crafted sample file costs the host: each file loads or fails within a stated bound
// on the bytes the load asks of the heap (tests/support/AllocationCounter counts every allocation of
// the process; the sum bounds the peak too). Large files are sparse: only their chunk headers are
// written, the bodies are holes that read as zeros.
#include "engine/BrimvaleEngine.h"
#include "engine/WavReader.h"
#include "tests/engine/support/TestWavFiles.h"
#include "tests/support/AllocationCounter.h"
#include "tools/wav/WavBuilder.h"

#include <gtest/gtest.h>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include <io.h>
#include <winioctl.h>
#else
#include <unistd.h>
#endif

using brimvale::engine::BrimvaleEngine;
using brimvale::engine::kMaxSampleFrames;
using brimvale::engine::MemoryByteSource;
using brimvale::engine::ReadWavSamples;
using brimvale::engine::SampleBuffer;
using enginetest::TempFolder;
using wavwriter::WavBuilder;

namespace
{
using Bytes = std::vector<uint8_t>;

constexpr uint64_t kMiB = 1024 * 1024;
// What a load may ask beyond its sample's floats: paths and names.
constexpr long long kSlack = kMiB;

Bytes U32(uint64_t v)
{
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

Bytes ChunkHeader(const char* id, uint64_t size)
{
  Bytes header(id, id + 4);
  const Bytes field = U32(size);
  header.insert(header.end(), field.begin(), field.end());
  return header;
}

// "RIFF", "WAVE", a "fmt " chunk and the header of a "data" chunk whose body follows.
Bytes Head(uint16_t formatTag, uint16_t channels, uint16_t bits, uint64_t dataSize)
{
  WavBuilder builder;
  builder.Header().Fmt(formatTag, channels, 48000, bits).Raw(ChunkHeader("data", dataSize));
  return builder.Bytes();
}

struct Piece
{
  uint64_t offset;
  Bytes bytes;
};

// A file of size bytes holding only the given pieces; the rest is a hole.
void WriteSparse(const std::string& path, uint64_t size, const std::vector<Piece>& pieces)
{
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
#ifdef _WIN32
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  DWORD ignored = 0;
  DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  const bool sized = SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
#else
  const bool sized = ftruncate(fileno(file), static_cast<off_t>(size)) == 0;
#endif
  EXPECT_TRUE(sized) << path;
  for (const Piece& piece : pieces)
  {
#ifdef _WIN32
    const bool placed = _fseeki64(file, static_cast<__int64>(piece.offset), SEEK_SET) == 0;
#else
    const bool placed = fseeko(file, static_cast<off_t>(piece.offset), SEEK_SET) == 0;
#endif
    EXPECT_TRUE(placed && std::fwrite(piece.bytes.data(), 1, piece.bytes.size(), file) == piece.bytes.size());
  }
  EXPECT_EQ(std::fclose(file), 0);
}

struct Case
{
  const char* name;
  uint64_t size;
  std::vector<Piece> pieces;
  size_t frames; // 0: the load fails
};

std::vector<Case> Cases()
{
  // One frame past the longest sample, in 32-bit float stereo: a file of 1 GiB.
  const uint64_t overMaximum = (kMaxSampleFrames + 1) * 8;
  const Bytes overHead = Head(3, 2, 32, overMaximum);
  // Mono 16-bit: 2^31 frames.
  const uint64_t nearFourGiB = 0xfffffffeu;
  const Bytes nearHead = Head(1, 1, 16, nearFourGiB);
  // A good 4 MiB body, then a chunk that claims 64 MiB but ends with the file.
  const Bytes firstHead = Head(1, 2, 16, 4 * kMiB);
  const uint64_t pastEnd = firstHead.size() + 4 * kMiB;
  // Sixty-four bodies of 16 MiB each; only the last is kept.
  Case many{"many data chunks", 0, {{0, Head(1, 2, 16, 16 * kMiB)}}, 4 * kMiB};
  uint64_t next = many.pieces[0].bytes.size() + 16 * kMiB;
  for (int chunk = 1; chunk < 64; ++chunk, next += 8 + 16 * kMiB)
    many.pieces.push_back({next, ChunkHeader("data", 16 * kMiB)});
  many.size = next;

  return {
    {"a sample one frame over the maximum", overHead.size() + overMaximum, {{0, overHead}}, 0},
    {"a data chunk near 4 GiB", nearHead.size() + nearFourGiB, {{0, nearHead}}, 0},
    {"a data chunk near 4 GiB in a small file", 4096, {{0, nearHead}}, 0},
    {"a chunk past the end after a good one",
     pastEnd + 4096,
     {{0, firstHead}, {pastEnd, ChunkHeader("data", 64 * kMiB)}},
     kMiB},
    many,
  };
}

class SampleMemory : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(engine->LoadSampleA(good.c_str())); }

  // Loads into layer A and answers the bytes asked of the heap meanwhile; a failed load must leave
  // the layer's sample as it was.
  long long Load(const std::string& path, size_t frames)
  {
    const long long before = testsupport::AllocatedBytes();
    const bool loaded = engine->LoadSampleA(path.c_str());
    const long long asked = testsupport::AllocatedBytes() - before;
    EXPECT_EQ(loaded, frames > 0);
    EXPECT_EQ(engine->GetSampleA().left.size(), frames > 0 ? frames : 64u);
    return asked;
  }

  TempFolder folder;
  const std::string good = folder.Write("good.wav", enginetest::ConstantWav(44100, 64, 0.25));
  std::unique_ptr<BrimvaleEngine> engine = std::make_unique<BrimvaleEngine>();
};

TEST_F(SampleMemory, CraftedFilesCostNoMoreThanTheirSample)
{
  for (const Case& c : Cases())
  {
    SCOPED_TRACE(c.name);
    const std::string path = folder.Path() + "/crafted.wav";
    WriteSparse(path, c.size, c.pieces);
    const long long floats = static_cast<long long>(c.frames * 2 * sizeof(float));
    EXPECT_LE(Load(path, c.frames), floats + kSlack);
    std::remove(path.c_str());
  }
}

TEST_F(SampleMemory, ALongRecordingCostsItsFloatsOnly)
{
  // 16-bit stereo: 24 MiB on disk, 48 MiB of floats. A chunk follows the samples, so the walk
  // passes them in the file and comes back for them.
  constexpr size_t kFrames = 6 * kMiB;
  Bytes bytes = enginetest::StereoSineWav(48000, kFrames, 220.0, 330.0, 0.5);
  for (const Bytes& tail : {ChunkHeader("LIST", 4), Bytes{'I', 'N', 'F', 'O'}})
    bytes.insert(bytes.end(), tail.begin(), tail.end());
  const std::string path = folder.Write("long.wav", bytes);
  SampleBuffer reference;
  MemoryByteSource source(bytes.data(), bytes.size());
  ASSERT_TRUE(ReadWavSamples(source, reference));

  EXPECT_LE(Load(path, kFrames), static_cast<long long>(kFrames * 2 * sizeof(float)) + kSlack);
  EXPECT_EQ(engine->GetSampleA().left, reference.left);
  EXPECT_EQ(engine->GetSampleA().right, reference.right);
}

} // namespace
