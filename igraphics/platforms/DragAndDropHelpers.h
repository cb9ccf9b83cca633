#pragma once

// The OLE objects behind dragging a file out of the editor: a data object offering one file as a
// file-drop block, the drop source that decides when the drag ends, and the enumerator of the one
// format. Each starts with one reference, owned by whoever made it.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <ole2.h>

#include <string>

namespace iplug
{
namespace igraphics
{
namespace DragAndDropHelpers
{

/** A movable global block in the file-drop layout (header, the path, an empty entry ending the
 * list) that the clipboard and drop targets read with DragQueryFileW. Null when out of memory. */
HGLOBAL MakeFileDropBlock(const std::wstring& path, bool nonClient);

/** The one format offered: a file-drop block in global memory, for the content. */
FORMATETC FileDropFormat();

/** Holds OLE initialised on this thread for a scope, where it was not refused. */
class OleScope
{
public:
  OleScope() : mReady(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleScope()
  {
    if (mReady)
      OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;

private:
  bool mReady;
};

/** The reference count and QueryInterface that every object here shares. */
template <class Interface>
class ComObject : public Interface
{
public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
  {
    if (!ppv)
      return E_POINTER;
    if (riid != IID_IUnknown && riid != __uuidof(Interface))
    {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    *ppv = static_cast<Interface*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&mRefCount)); }
  ULONG STDMETHODCALLTYPE Release() override
  {
    const LONG count = InterlockedDecrement(&mRefCount);
    if (count == 0)
      delete this;
    return static_cast<ULONG>(count);
  }

protected:
  virtual ~ComObject() = default;

private:
  LONG mRefCount = 1;
};

class DataObject final : public ComObject<IDataObject>
{
public:
  /** path: UTF-8. */
  explicit DataObject(const char* path);

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* pFormatIn, FORMATETC* pFormatOut) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pFormat, STGMEDIUM* pMedium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** ppEnum) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* pFormat, DWORD advf, IAdviseSink* pSink, DWORD* pConnection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** ppEnum) override;

private:
  std::string mPath;
  FORMATETC mFormat;
};

class DropSource final : public ComObject<IDropSource>
{
public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
};

/** Enumerates the one format; the index is that of the next format to give (0, or 1 at the end). */
class EnumFORMATETC final : public ComObject<IEnumFORMATETC>
{
public:
  explicit EnumFORMATETC(const FORMATETC& format, ULONG index = 0);
  ~EnumFORMATETC() override;

  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* pFormats, ULONG* pFetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** ppEnum) override;

private:
  FORMATETC mFormat;
  ULONG mIndex;
};

} // namespace DragAndDropHelpers
} // namespace igraphics
} // namespace iplug
