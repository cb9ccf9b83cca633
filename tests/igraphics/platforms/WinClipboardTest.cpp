#include "WinEditorFixture.h"
#include "WinModalHelpers.h"

#include "igraphics/platforms/DragAndDropHelpers.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <future>

using iplug::WDL_String;
using iplug::igraphics::IGraphicsWin;
using namespace iplug::igraphics::DragAndDropHelpers;

namespace
{
const char* const kNonAsciiPath = "C:\\Samples\\K\xC3\xB6rper \xE6\xB0\xB4.wav"; // "Körper 水.wav"

std::wstring Wide(const char* utf8)
{
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

// Whether another thread could open the clipboard now, i.e. nobody left it open.
bool ClipboardIsFree()
{
  return std::async(std::launch::async,
                    [] {
                      const bool opened = OpenClipboard(nullptr) != 0;
                      if (opened)
                        CloseClipboard();
                      return opened;
                    })
    .get();
}

// The paths of a file-drop block, read the way a drop target reads them.
std::vector<std::wstring> DroppedFiles(HGLOBAL block)
{
  std::vector<std::wstring> files;
  auto drop = static_cast<HDROP>(block);
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i)
  {
    wchar_t file[MAX_PATH] = {};
    DragQueryFileW(drop, i, file, MAX_PATH);
    files.push_back(file);
  }
  return files;
}

DROPFILES DropHeader(HGLOBAL block)
{
  DROPFILES header;
  std::memcpy(&header, GlobalLock(block), sizeof(header));
  GlobalUnlock(block);
  return header;
}

struct ClipboardTest : ::testing::Test
{
  wintest::TestDelegate delegate;
  IGraphicsWin graphics{delegate, 300, 200, 60, 1.f};
};

struct TextCase
{
  const char* name;
  const char* text;
};

class ClipboardTextTest : public ClipboardTest, public ::testing::WithParamInterface<TextCase>
{};

TEST_P(ClipboardTextTest, RoundTripsAndLeavesTheClipboardClosed)
{
  ASSERT_TRUE(graphics.SetTextInClipboard("something else first"));
  ASSERT_TRUE(graphics.SetTextInClipboard(GetParam().text));
  EXPECT_TRUE(ClipboardIsFree());
  WDL_String read("stale");
  const bool hasText = graphics.GetTextFromClipboard(read);
  EXPECT_TRUE(ClipboardIsFree());
  // An empty text empties the clipboard: there is then no text to read.
  EXPECT_EQ(hasText, *GetParam().text != '\0');
  EXPECT_STREQ(read.Get(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, ClipboardTextTest,
                         ::testing::Values(TextCase{"Ascii", "Blend 50 %"},
                                           TextCase{"NonAscii", "Gr\xC3\xBC\xC3\x9F"
                                                                "e \xE2\x82\xAC \xF0\x9F\x8E\xB9"},
                                           TextCase{"Empty", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClipboardTest, ReadsNoTextWhenTheClipboardHoldsOnlyAFile)
{
  ASSERT_TRUE(graphics.SetFilePathInClipboard("C:\\a.wav"));
  WDL_String read("stale");
  EXPECT_FALSE(graphics.GetTextFromClipboard(read));
  EXPECT_STREQ(read.Get(), "");
  EXPECT_TRUE(ClipboardIsFree());
}

TEST_F(ClipboardTest, StoresAFilePathThatDragQueryFileReadsBack)
{
  ASSERT_TRUE(graphics.SetFilePathInClipboard(kNonAsciiPath));
  EXPECT_TRUE(ClipboardIsFree());
  ASSERT_TRUE(OpenClipboard(nullptr));
  HGLOBAL block = GetClipboardData(CF_HDROP);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(DroppedFiles(block), std::vector<std::wstring>{Wide(kNonAsciiPath)});
  const DROPFILES header = DropHeader(block);
  CloseClipboard();
  EXPECT_EQ(header.pFiles, 20u);
  EXPECT_EQ(header.pt.x, 0);
  EXPECT_EQ(header.pt.y, 0);
  EXPECT_TRUE(header.fNC);
  EXPECT_TRUE(header.fWide);
}

TEST_F(ClipboardTest, RefusesAnEmptyFilePath)
{
  EXPECT_FALSE(graphics.SetFilePathInClipboard(""));
  EXPECT_FALSE(graphics.SetFilePathInClipboard(nullptr));
  EXPECT_TRUE(ClipboardIsFree());
}

TEST(ClipboardOwnerTest, TheHostsTopLevelWindowOwnsWhatTheEditorStores)
{
  wintest::Editor editor;
  ASSERT_NE(editor.window, nullptr);
  ASSERT_TRUE(editor.graphics->SetTextInClipboard("owned"));
  EXPECT_EQ(GetClipboardOwner(), editor.host.Get());
}

// The data object's formats: only a file-drop block in global memory, for the content, is offered.
struct FormatCase
{
  const char* name;
  FORMATETC format;
  HRESULT expected;
};

class DataObjectFormatTest : public ::testing::TestWithParam<FormatCase>
{};

TEST_P(DataObjectFormatTest, QueryGetDataAndGetDataCheckTheFormat)
{
  auto* pData = new DataObject("C:\\a.wav");
  FORMATETC format = GetParam().format;
  EXPECT_EQ(pData->QueryGetData(&format), GetParam().expected);
  STGMEDIUM medium = {};
  const HRESULT got = pData->GetData(&format, &medium);
  EXPECT_EQ(got, GetParam().expected);
  if (SUCCEEDED(got))
    ReleaseStgMedium(&medium);
  pData->Release();
}

INSTANTIATE_TEST_SUITE_P(
  Formats, DataObjectFormatTest,
  ::testing::Values(
    FormatCase{"Offered", {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, S_OK},
    FormatCase{"AmongOtherMedia", {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM}, S_OK},
    FormatCase{"Text", {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
    FormatCase{"Thumbnail", {CF_HDROP, nullptr, DVASPECT_THUMBNAIL, -1, TYMED_HGLOBAL}, DV_E_FORMATETC},
    FormatCase{"Stream", {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM}, DV_E_FORMATETC}),
  [](const auto& info) { return std::string(info.param.name); });

TEST(DataObjectTest, GetDataGivesAFileDropBlockTheMediumOwns)
{
  auto* pData = new DataObject(kNonAsciiPath);
  FORMATETC format = FileDropFormat();
  STGMEDIUM medium = {};
  ASSERT_EQ(pData->GetData(&format, &medium), S_OK);
  EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(medium.pUnkForRelease, nullptr);
  EXPECT_EQ(DroppedFiles(medium.hGlobal), std::vector<std::wstring>{Wide(kNonAsciiPath)});
  const DROPFILES header = DropHeader(medium.hGlobal);
  EXPECT_EQ(header.pFiles, 20u);
  EXPECT_TRUE(header.fWide);
  EXPECT_FALSE(header.fNC);
  ReleaseStgMedium(&medium);
  pData->Release();
}

TEST(DataObjectTest, RefusesNullArguments)
{
  auto* pData = new DataObject("C:\\a.wav");
  FORMATETC format = FileDropFormat();
  STGMEDIUM medium = {};
  EXPECT_EQ(pData->GetData(nullptr, &medium), E_INVALIDARG);
  EXPECT_EQ(pData->GetData(&format, nullptr), E_INVALIDARG);
  EXPECT_EQ(pData->QueryGetData(nullptr), E_INVALIDARG);
  EXPECT_EQ(pData->EnumFormatEtc(DATADIR_GET, nullptr), E_POINTER);
  pData->Release();
}

TEST(DataObjectTest, EnumeratesItsFormatOnlyForGetting)
{
  auto* pData = new DataObject("C:\\a.wav");
  IEnumFORMATETC* pEnum = reinterpret_cast<IEnumFORMATETC*>(1);
  EXPECT_EQ(pData->EnumFormatEtc(DATADIR_SET, &pEnum), E_NOTIMPL);
  EXPECT_EQ(pEnum, nullptr);
  ASSERT_EQ(pData->EnumFormatEtc(DATADIR_GET, &pEnum), S_OK);
  FORMATETC format = {};
  ULONG fetched = 0;
  EXPECT_EQ(pEnum->Next(1, &format, &fetched), S_OK);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(format.cfFormat, CF_HDROP);
  EXPECT_EQ(format.ptd, nullptr);
  EXPECT_EQ(format.dwAspect, static_cast<DWORD>(DVASPECT_CONTENT));
  EXPECT_EQ(format.lindex, -1);
  EXPECT_EQ(format.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(pEnum->Release(), 0u);
  pData->Release();
}

// Every object answers for IUnknown and its own interface, adding a reference, and for nothing else.
struct InterfaceCase
{
  const char* name;
  IUnknown* (*make)();
  const IID* iid;
  bool offered;
};

IUnknown* MakeDataObject()
{
  return new DataObject("C:\\a.wav");
}
IUnknown* MakeDropSource()
{
  return new DropSource;
}
IUnknown* MakeEnumerator()
{
  return new EnumFORMATETC(FileDropFormat());
}

class ComInterfaceTest : public ::testing::TestWithParam<InterfaceCase>
{};

TEST_P(ComInterfaceTest, QueryInterfaceAndReferenceCounting)
{
  IUnknown* pObject = GetParam().make();
  void* pInterface = reinterpret_cast<void*>(1);
  const HRESULT result = pObject->QueryInterface(*GetParam().iid, &pInterface);
  if (GetParam().offered)
  {
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(pInterface, static_cast<void*>(pObject));
    EXPECT_EQ(pObject->AddRef(), 3u);
    EXPECT_EQ(pObject->Release(), 2u);
    EXPECT_EQ(pObject->Release(), 1u);
  }
  else
  {
    EXPECT_EQ(result, E_NOINTERFACE);
    EXPECT_EQ(pInterface, nullptr);
    EXPECT_EQ(pObject->AddRef(), 2u);
    EXPECT_EQ(pObject->Release(), 1u);
  }
  EXPECT_EQ(pObject->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(pObject->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
  Interfaces, ComInterfaceTest,
  ::testing::Values(InterfaceCase{"DataObjectUnknown", MakeDataObject, &IID_IUnknown, true},
                    InterfaceCase{"DataObject", MakeDataObject, &IID_IDataObject, true},
                    InterfaceCase{"DataObjectNotDropSource", MakeDataObject, &IID_IDropSource, false},
                    InterfaceCase{"DropSourceUnknown", MakeDropSource, &IID_IUnknown, true},
                    InterfaceCase{"DropSource", MakeDropSource, &IID_IDropSource, true},
                    InterfaceCase{"DropSourceNotDataObject", MakeDropSource, &IID_IDataObject, false},
                    InterfaceCase{"EnumeratorUnknown", MakeEnumerator, &IID_IUnknown, true},
                    InterfaceCase{"Enumerator", MakeEnumerator, &IID_IEnumFORMATETC, true},
                    InterfaceCase{"EnumeratorNotDataObject", MakeEnumerator, &IID_IDataObject, false}),
  [](const auto& info) { return std::string(info.param.name); });

struct ContinueCase
{
  const char* name;
  BOOL escape;
  DWORD keys;
  HRESULT expected;
};

class DropSourceTest : public ::testing::TestWithParam<ContinueCase>
{};

TEST_P(DropSourceTest, QueryContinueDrag)
{
  auto* pSource = new DropSource;
  EXPECT_EQ(pSource->QueryContinueDrag(GetParam().escape, GetParam().keys), GetParam().expected);
  EXPECT_EQ(pSource->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
  pSource->Release();
}

INSTANTIATE_TEST_SUITE_P(States, DropSourceTest,
                         ::testing::Values(ContinueCase{"EscapeWhileHeld", TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
                                           ContinueCase{"EscapeAfterRelease", TRUE, 0, DRAGDROP_S_CANCEL},
                                           ContinueCase{"Released", FALSE, 0, DRAGDROP_S_DROP},
                                           ContinueCase{"OnlyRightButton", FALSE, MK_RBUTTON, DRAGDROP_S_DROP},
                                           ContinueCase{"Held", FALSE, MK_LBUTTON, S_OK},
                                           ContinueCase{"HeldWithShift", FALSE, MK_LBUTTON | MK_SHIFT, S_OK}),
                         [](const auto& info) { return std::string(info.param.name); });

// The enumerator of the one format.
struct EnumeratorTest : ::testing::Test
{
  ~EnumeratorTest() override { pEnum->Release(); }
  HRESULT NextWithCount(ULONG count, ULONG& fetched)
  {
    FORMATETC formats[2] = {};
    return pEnum->Next(count, formats, &fetched);
  }
  EnumFORMATETC* pEnum = new EnumFORMATETC(FileDropFormat());
};

TEST_F(EnumeratorTest, NextGivesTheOneFormatOnce)
{
  FORMATETC format = {};
  ULONG fetched = 7;
  EXPECT_EQ(pEnum->Next(1, &format, &fetched), S_OK);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(format.cfFormat, CF_HDROP);
  EXPECT_EQ(pEnum->Next(1, &format, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  ASSERT_EQ(pEnum->Reset(), S_OK);
  EXPECT_EQ(pEnum->Next(1, &format, nullptr), S_OK);
  EXPECT_EQ(pEnum->Next(1, &format, nullptr), S_FALSE);
}

TEST_F(EnumeratorTest, NextRefusesWhatItCannotServe)
{
  FORMATETC formats[2] = {};
  ULONG fetched = 7;
  EXPECT_EQ(pEnum->Next(0, formats, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(pEnum->Next(1, nullptr, &fetched), S_FALSE);
  EXPECT_EQ(pEnum->Next(2, formats, nullptr), S_FALSE);
  // None of these took the format.
  EXPECT_EQ(NextWithCount(2, fetched), S_FALSE);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(NextWithCount(1, fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
}

TEST_F(EnumeratorTest, SkipPassesAtMostTheOneFormat)
{
  ULONG fetched = 0;
  EXPECT_EQ(pEnum->Skip(0), S_OK);
  EXPECT_EQ(NextWithCount(1, fetched), S_OK);
  pEnum->Reset();
  EXPECT_EQ(pEnum->Skip(1), S_OK);
  EXPECT_EQ(NextWithCount(1, fetched), S_FALSE);
  pEnum->Reset();
  EXPECT_EQ(pEnum->Skip(2), S_FALSE);
  EXPECT_EQ(NextWithCount(1, fetched), S_FALSE);
  EXPECT_EQ(pEnum->Skip(1), S_FALSE);
  pEnum->Reset();
  EXPECT_EQ(pEnum->Skip(0xFFFFFFFFu), S_FALSE);
  EXPECT_EQ(NextWithCount(1, fetched), S_FALSE);
}

TEST_F(EnumeratorTest, CloneKeepsThePositionAndMovesOnItsOwn)
{
  IEnumFORMATETC* pAtStart = nullptr;
  ASSERT_EQ(pEnum->Clone(&pAtStart), S_OK);
  ULONG fetched = 0;
  ASSERT_EQ(NextWithCount(1, fetched), S_OK);
  IEnumFORMATETC* pAtEnd = nullptr;
  ASSERT_EQ(pEnum->Clone(&pAtEnd), S_OK);
  FORMATETC format = {};
  EXPECT_EQ(pAtStart->Next(1, &format, &fetched), S_OK);
  EXPECT_EQ(format.cfFormat, CF_HDROP);
  EXPECT_EQ(pAtEnd->Next(1, &format, &fetched), S_FALSE);
  EXPECT_EQ(pEnum->Clone(nullptr), E_POINTER);
  EXPECT_EQ(pAtStart->Release(), 0u);
  EXPECT_EQ(pAtEnd->Release(), 0u);
}

TEST(EnumeratorDeviceTest, EveryFormatGivenOutHasItsOwnTargetDevice)
{
  auto* pDevice = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(sizeof(DVTARGETDEVICE)));
  std::memset(pDevice, 0x5A, sizeof(DVTARGETDEVICE));
  pDevice->tdSize = sizeof(DVTARGETDEVICE);
  FORMATETC withDevice = FileDropFormat();
  withDevice.ptd = pDevice;
  auto* pEnum = new EnumFORMATETC(withDevice);
  CoTaskMemFree(pDevice); // the enumerator keeps a copy of its own

  IEnumFORMATETC* pClone = nullptr;
  ASSERT_EQ(pEnum->Clone(&pClone), S_OK);
  EXPECT_EQ(pEnum->Release(), 0u);
  FORMATETC format = {};
  ASSERT_EQ(pClone->Next(1, &format, nullptr), S_OK);
  ASSERT_NE(format.ptd, nullptr);
  EXPECT_EQ(format.ptd->tdSize, sizeof(DVTARGETDEVICE));
  EXPECT_EQ(format.ptd->tdDriverNameOffset, 0x5A5A);
  CoTaskMemFree(format.ptd);
  EXPECT_EQ(pClone->Release(), 0u);
}

} // namespace

namespace
{
// A drop target of the test's own that takes copies and keeps the files dropped on it.
class RecordingDropTarget final : public ComObject<IDropTarget>
{
public:
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* pEffect) override
  {
    *pEffect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* pEffect) override
  {
    *pEffect = DROPEFFECT_COPY;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* pData, DWORD, POINTL, DWORD* pEffect) override
  {
    ++drops;
    FORMATETC format = FileDropFormat();
    STGMEDIUM medium = {};
    if (pData->GetData(&format, &medium) == S_OK)
    {
      files = DroppedFiles(medium.hGlobal);
      ReleaseStgMedium(&medium);
    }
    *pEffect = DROPEFFECT_COPY;
    return S_OK;
  }

  int drops = 0;
  std::vector<std::wstring> files;
};

/** Posts escape to the dragging thread after a while, and again until it stops, so that a drag
 * cannot outlive the test. */
class DragEscaper
{
public:
  explicit DragEscaper(std::chrono::milliseconds after)
  : mThreadId(GetCurrentThreadId())
  , mThread([this, after] {
    const auto start = std::chrono::steady_clock::now();
    while (!mStop)
    {
      if (std::chrono::steady_clock::now() - start > after)
      {
        PostThreadMessageW(mThreadId, WM_KEYDOWN, VK_ESCAPE, 0);
        mPosted = true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  })
  {}
  ~DragEscaper()
  {
    mStop = true;
    mThread.join();
  }
  DragEscaper(const DragEscaper&) = delete;
  DragEscaper& operator=(const DragEscaper&) = delete;
  bool Posted() const { return mPosted; }

private:
  DWORD mThreadId;
  std::atomic<bool> mStop{false};
  std::atomic<bool> mPosted{false};
  std::thread mThread;
};

struct DragOutTest : ::testing::Test
{
  DragOutTest()
  {
    OleInitialize(nullptr);
    SetCursorPos(100, 100);
    wintest::PumpFor(std::chrono::milliseconds(50));
  }
  ~DragOutTest() override
  {
    RevokeDragDrop(host.Get());
    pTarget->Release();
    OleUninitialize();
  }
  void AcceptDropsOnTheHost() { ASSERT_EQ(RegisterDragDrop(host.Get(), pTarget), S_OK); }

  wintest::HostWindow host;
  RecordingDropTarget* pTarget = new RecordingDropTarget;
  wintest::TestDelegate delegate;
  IGraphicsWin graphics{delegate, 300, 200, 60, 1.f};
};

TEST_F(DragOutTest, ReleasedOverATargetDropsTheFile)
{
  AcceptDropsOnTheHost();
  DragEscaper escaper(std::chrono::seconds(5));
  EXPECT_TRUE(graphics.InitiateExternalFileDragDrop(kNonAsciiPath, iplug::igraphics::IRECT()));
  EXPECT_FALSE(escaper.Posted());
  EXPECT_EQ(pTarget->drops, 1);
  EXPECT_EQ(pTarget->files, std::vector<std::wstring>{Wide(kNonAsciiPath)});
}

TEST_F(DragOutTest, ReleasedWhereNoTargetTakesItIsNoSuccess)
{
  DragEscaper escaper(std::chrono::seconds(5));
  EXPECT_FALSE(graphics.InitiateExternalFileDragDrop(kNonAsciiPath, iplug::igraphics::IRECT()));
  EXPECT_FALSE(escaper.Posted());
}

TEST_F(DragOutTest, AnEmptyPathIsNotDragged)
{
  AcceptDropsOnTheHost();
  DragEscaper escaper(std::chrono::seconds(5));
  EXPECT_FALSE(graphics.InitiateExternalFileDragDrop("", iplug::igraphics::IRECT()));
  EXPECT_FALSE(graphics.InitiateExternalFileDragDrop(nullptr, iplug::igraphics::IRECT()));
  EXPECT_EQ(pTarget->drops, 0);
}

TEST_F(DragOutTest, EscapeCancelsAndIsNoSuccess)
{
  AcceptDropsOnTheHost();
  // The drag reads the button from this thread's key state: it is held until escape.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_LBUTTON] = 0x80;
  SetKeyboardState(keys);
  bool result;
  {
    DragEscaper escaper(std::chrono::milliseconds(200));
    result = graphics.InitiateExternalFileDragDrop(kNonAsciiPath, iplug::igraphics::IRECT());
    EXPECT_TRUE(escaper.Posted());
  }
  keys[VK_LBUTTON] = 0;
  SetKeyboardState(keys);
  EXPECT_FALSE(result);
  EXPECT_EQ(pTarget->drops, 0);
}
} // namespace
