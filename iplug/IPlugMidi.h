#pragma once

#include <cstdint>
#include <cstring>

namespace iplug
{

/** One MIDI channel message, stamped with its sample offset within the block. */
struct IMidiMsg
{
  enum EStatusMsg
  {
    kNone = 0,
    kNoteOff = 8,
    kNoteOn = 9,
    kPolyAftertouch = 10,
    kControlChange = 11,
    kProgramChange = 12,
    kChannelAftertouch = 13,
    kPitchWheel = 14
  };

  int32_t mOffset = 0;
  uint8_t mStatus = 0;
  uint8_t mData1 = 0;
  uint8_t mData2 = 0;

  IMidiMsg() = default;
  IMidiMsg(int offset, uint8_t status, uint8_t data1, uint8_t data2)
  : mOffset(offset)
  , mStatus(status)
  , mData1(data1)
  , mData2(data2)
  {}

  /** The message kind; system messages and stray data bytes have none. */
  EStatusMsg StatusMsg() const
  {
    const unsigned kind = mStatus >> 4;
    return (kind >= kNoteOff && kind <= kPitchWheel) ? static_cast<EStatusMsg>(kind) : kNone;
  }

  int Channel() const { return mStatus & 0x0F; }

  /** The display name of controller number idx (0..127); "" outside that range. */
  static const char* CCNameStr(int idx);
};

/** A system-exclusive message that refers to bytes owned by someone else. */
struct ISysEx
{
  int32_t mOffset = 0;
  int32_t mSize = 0;
  const uint8_t* mData = nullptr;

  ISysEx() = default;
  ISysEx(int offset, const uint8_t* data, int size) : mOffset(offset), mSize(size), mData(data) {}
};

/** A system-exclusive message copied into fixed storage, so it can travel through a queue. */
struct SysExData
{
  static constexpr int kMaxBytes = 512;

  int32_t mOffset = 0;
  int32_t mSize = 0;
  uint8_t mData[kMaxBytes] = {};

  SysExData() = default;

  /** A message longer than the storage keeps its first kMaxBytes bytes, and its size says so. */
  explicit SysExData(const ISysEx& msg) : mOffset(msg.mOffset)
  {
    const int size = msg.mSize < 0 ? 0 : (msg.mSize > kMaxBytes ? kMaxBytes : msg.mSize);
    mSize = size;
    if (msg.mData && size > 0)
      std::memcpy(mData, msg.mData, static_cast<size_t>(size));
  }
};

static_assert(sizeof(IMidiMsg) == 8, "a MIDI record is 8 bytes");
static_assert(sizeof(SysExData) == 520, "a system-exclusive record is 520 bytes");

/** The processor's MIDI output list, kept in sample-offset order.
 *  Only the audio thread touches it (and the processing set-up, which never runs alongside). */
class IMidiQueueBase
{
public:
  IMidiQueueBase(int size = 512, int grow = 512);
  ~IMidiQueueBase();

  IMidiQueueBase(const IMidiQueueBase&) = delete;
  IMidiQueueBase& operator=(const IMidiQueueBase&) = delete;

  /** Inserts msg after every pending message whose offset is not greater than its own. */
  void Add(const IMidiMsg& msg);

  /** Drops what was consumed, then subtracts the block's frame count from every pending offset. */
  void Flush(int nFrames);

  void Clear() { mFront = mBack = 0; }

  /** Fits the array and the growth step to a block size (in whole 4096-byte pages). */
  int Resize(int size);

  bool Empty() const { return mFront == mBack; }
  int ToDo() const { return mBack - mFront; }
  int GetSize() const { return mSize; }
  int GetGrow() const { return mGrow; }

  const IMidiMsg& Peek() const { return mBuf[mFront]; }
  void Remove() { ++mFront; }

private:
  void Compact();
  bool Expand();

  IMidiMsg* mBuf = nullptr;
  int mSize = 0;
  int mGrow = 0;
  int mFront = 0;
  int mBack = 0;
};

} // namespace iplug
