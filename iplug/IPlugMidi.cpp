#include "iplug/IPlugMidi.h"

#include <climits>
#include <cstdlib>

namespace iplug
{

namespace
{
const char* const kCCNames[128] = {
  "BankSel.MSB", "Modulation",  "BreathCtrl",   "Contr. 3",    "Foot Ctrl",   "Porta.Time",  "DataEntMSB",
  "MainVolume",  "Balance",     "Contr. 9",     "Pan",         "Expression",  "FXControl1",  "FXControl2",
  "Contr. 14",   "Contr. 15",   "Gen.Purp.1",   "Gen.Purp.2",  "Gen.Purp.3",  "Gen.Purp.4",  "Contr. 20",
  "Contr. 21",   "Contr. 22",   "Contr. 23",    "Contr. 24",   "Contr. 25",   "Contr. 26",   "Contr. 27",
  "Contr. 28",   "Contr. 29",   "Contr. 30",    "Contr. 31",   "BankSel.LSB", "Modul. LSB",  "BrthCt LSB",
  "Contr. 35",   "FootCt LSB",  "Port.T LSB",   "DataEntLSB",  "MainVolLSB",  "BalanceLSB",  "Contr. 41",
  "Pan LSB",     "Expr. LSB",   "Contr. 44",    "Contr. 45",   "Contr. 46",   "Contr. 47",   "Gen.P.1LSB",
  "Gen.P.2LSB",  "Gen.P.3LSB",  "Gen.P.4LSB",   "Contr. 52",   "Contr. 53",   "Contr. 54",   "Contr. 55",
  "Contr. 56",   "Contr. 57",   "Contr. 58",    "Contr. 59",   "Contr. 60",   "Contr. 61",   "Contr. 62",
  "Contr. 63",   "Damper Ped",  "Porta. Ped",   "Sostenuto ",  "Soft Pedal",  "Legato Sw",   "Hold 2",
  "SoundCont 1", "SoundCont 2", "SoundCont 3",  "SoundCont 4", "SoundCont 5", "SoundCont 6", "SoundCont 7",
  "SoundCont 8", "SoundCont 9", "SoundCont 10", "Gen.Purp.5",  "Gen.Purp.6",  "Gen.Purp.7",  "Gen.Purp.8",
  "Portamento",  "Contr. 85",   "Contr. 86",    "Contr. 87",   "Contr. 88",   "Contr. 89",   "Contr. 90",
  "FX 1 Depth",  "FX 2 Depth",  "FX 3 Depth",   "FX 4 Depth",  "FX 5 Depth",  "Data Incr",   "Data Decr",
  "Non-RegLSB",  "Non-RegMSB",  "Reg LSB",      "Reg MSB",     "Contr. 102",  "Contr. 103",  "Contr. 104",
  "Contr. 105",  "Contr. 106",  "Contr. 107",   "Contr. 108",  "Contr. 109",  "Contr. 110",  "Contr. 111",
  "Contr. 112",  "Contr. 113",  "Contr. 114",   "Contr. 115",  "Contr. 116",  "Contr. 117",  "Contr. 118",
  "Contr. 119",  "Contr. 120",  "Reset Ctrl",   "Local Ctrl",  "AllNoteOff",  "OmniModOff",  "OmniModeOn",
  "MonoModeOn",  "PolyModeOn"};

// Whole 4096-byte pages of 8-byte messages.
constexpr int kMsgsPerPage = 4096 / static_cast<int>(sizeof(IMidiMsg));
// The largest array whose byte size still fits an int; a host's block size is not trusted further.
constexpr int kMaxEntries = INT_MAX / static_cast<int>(sizeof(IMidiMsg)) / kMsgsPerPage * kMsgsPerPage;

int RoundUpToPage(int n)
{
  if (n <= 0)
    return 0;
  if (n >= kMaxEntries)
    return kMaxEntries;
  return (n + kMsgsPerPage - 1) / kMsgsPerPage * kMsgsPerPage;
}
} // namespace

const char* IMidiMsg::CCNameStr(int idx)
{
  return (idx >= 0 && idx < 128) ? kCCNames[idx] : "";
}

IMidiQueueBase::IMidiQueueBase(int size, int grow) : mGrow(grow > 0 ? grow : 0)
{
  if (size > 0)
  {
    mBuf = static_cast<IMidiMsg*>(std::malloc(sizeof(IMidiMsg) * static_cast<size_t>(size)));
    mSize = mBuf ? size : 0;
  }
}

IMidiQueueBase::~IMidiQueueBase()
{
  std::free(mBuf);
}

void IMidiQueueBase::Compact()
{
  if (mFront > 0)
  {
    const int n = mBack - mFront;
    if (n > 0)
      std::memmove(mBuf, mBuf + mFront, sizeof(IMidiMsg) * static_cast<size_t>(n));
    mFront = 0;
    mBack = n;
  }
}

bool IMidiQueueBase::Expand()
{
  if (mGrow <= 0)
    return false;
  if (mSize > kMaxEntries - mGrow)
    return false;
  const int newSize = (mSize / mGrow + 1) * mGrow;
  void* buf = std::realloc(mBuf, sizeof(IMidiMsg) * static_cast<size_t>(newSize));
  if (!buf)
    return false;
  mBuf = static_cast<IMidiMsg*>(buf);
  mSize = newSize;
  return true;
}

void IMidiQueueBase::Add(const IMidiMsg& msg)
{
  if (mBack >= mSize)
  {
    if (mFront > 0)
      Compact();
    else if (!Expand())
      return;
  }

  int insertAt = mBack;
  if (mBack > mFront && msg.mOffset < mBuf[mBack - 1].mOffset)
  {
    insertAt = mBack - 1;
    while (insertAt > mFront && mBuf[insertAt - 1].mOffset > msg.mOffset)
      --insertAt;
    std::memmove(mBuf + insertAt + 1, mBuf + insertAt, sizeof(IMidiMsg) * static_cast<size_t>(mBack - insertAt));
  }
  mBuf[insertAt] = msg;
  ++mBack;
}

void IMidiQueueBase::Flush(int nFrames)
{
  Compact();
  for (int i = mFront; i < mBack; ++i)
    mBuf[i].mOffset -= nFrames;
}

int IMidiQueueBase::Resize(int size)
{
  Compact();
  mGrow = RoundUpToPage(size);
  int newSize = mGrow;
  if (mBack > newSize)
    newSize = RoundUpToPage(mBack);

  if (newSize != mSize)
  {
    if (newSize == 0)
    {
      std::free(mBuf);
      mBuf = nullptr;
      mSize = 0;
    }
    else if (void* buf = std::realloc(mBuf, sizeof(IMidiMsg) * static_cast<size_t>(newSize)))
    {
      mBuf = static_cast<IMidiMsg*>(buf);
      mSize = newSize;
    }
  }
  return mSize;
}

} // namespace iplug
