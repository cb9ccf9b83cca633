#include "igraphics/platforms/DragAndDropHelpers.h"

#include "iplug/IPlugUTF8.h"

#include <shlobj.h>

#include <cstring>
#include <new>

namespace iplug
{
namespace igraphics
{
namespace DragAndDropHelpers
{
namespace
{
bool IsFileDropFormat(const FORMATETC& format)
{
  return (format.tymed & TYMED_HGLOBAL) && format.dwAspect == DVASPECT_CONTENT && format.cfFormat == CF_HDROP;
}

// A FORMATETC owns its target device, which every copy given out must duplicate.
DVTARGETDEVICE* CopyTargetDevice(const DVTARGETDEVICE* pDevice)
{
  if (!pDevice)
    return nullptr;
  auto* pCopy = static_cast<DVTARGETDEVICE*>(CoTaskMemAlloc(pDevice->tdSize));
  if (pCopy)
    std::memcpy(pCopy, pDevice, pDevice->tdSize);
  return pCopy;
}

bool CopyFormat(const FORMATETC& from, FORMATETC& to)
{
  to = from;
  to.ptd = CopyTargetDevice(from.ptd);
  return to.ptd || !from.ptd;
}
} // namespace

HGLOBAL MakeFileDropBlock(const std::wstring& path, bool nonClient)
{
  // The list ends with an empty entry, so the path is followed by two terminators.
  const SIZE_T size = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GHND, size);
  if (!block)
    return nullptr;
  auto* pDrop = static_cast<DROPFILES*>(GlobalLock(block));
  if (!pDrop)
  {
    GlobalFree(block);
    return nullptr;
  }
  pDrop->pFiles = sizeof(DROPFILES);
  pDrop->fNC = nonClient;
  pDrop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
  GlobalUnlock(block);
  return block;
}

FORMATETC FileDropFormat()
{
  return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

DataObject::DataObject(const char* path) : mPath(path ? path : ""), mFormat(FileDropFormat())
{}

HRESULT DataObject::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
  if (!pFormat || !pMedium)
    return E_INVALIDARG;
  if (!IsFileDropFormat(*pFormat))
    return DV_E_FORMATETC;
  HGLOBAL block = MakeFileDropBlock(UTF8ToUTF16(mPath.c_str()), false);
  if (!block)
    return E_OUTOFMEMORY;
  pMedium->tymed = TYMED_HGLOBAL;
  pMedium->hGlobal = block;
  pMedium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT DataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
  return E_NOTIMPL;
}

HRESULT DataObject::QueryGetData(FORMATETC* pFormat)
{
  if (!pFormat)
    return E_INVALIDARG;
  return IsFileDropFormat(*pFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pFormatOut)
{
  if (pFormatOut)
    pFormatOut->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT DataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
  return E_NOTIMPL;
}

HRESULT DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** ppEnum)
{
  if (!ppEnum)
    return E_POINTER;
  *ppEnum = nullptr;
  if (direction != DATADIR_GET)
    return E_NOTIMPL;
  *ppEnum = new (std::nothrow) EnumFORMATETC(mFormat);
  return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

HRESULT DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DataObject::DUnadvise(DWORD)
{
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DataObject::EnumDAdvise(IEnumSTATDATA**)
{
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
  if (escapePressed)
    return DRAGDROP_S_CANCEL;
  if (!(keyState & MK_LBUTTON))
    return DRAGDROP_S_DROP;
  return S_OK;
}

HRESULT DropSource::GiveFeedback(DWORD)
{
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

EnumFORMATETC::EnumFORMATETC(const FORMATETC& format, ULONG index) : mIndex(index)
{
  CopyFormat(format, mFormat);
}

EnumFORMATETC::~EnumFORMATETC()
{
  CoTaskMemFree(mFormat.ptd);
}

HRESULT EnumFORMATETC::Next(ULONG count, FORMATETC* pFormats, ULONG* pFetched)
{
  if (pFetched)
    *pFetched = 0;
  if (count == 0 || !pFormats || (!pFetched && count != 1) || mIndex > 0)
    return S_FALSE;
  if (!CopyFormat(mFormat, pFormats[0]))
    return E_OUTOFMEMORY;
  mIndex = 1;
  if (pFetched)
    *pFetched = 1;
  // Fewer given than asked for is not full success.
  return count == 1 ? S_OK : S_FALSE;
}

HRESULT EnumFORMATETC::Skip(ULONG count)
{
  if (count > 1 - mIndex)
  {
    mIndex = 1;
    return S_FALSE;
  }
  mIndex += count;
  return S_OK;
}

HRESULT EnumFORMATETC::Reset()
{
  mIndex = 0;
  return S_OK;
}

HRESULT EnumFORMATETC::Clone(IEnumFORMATETC** ppEnum)
{
  if (!ppEnum)
    return E_POINTER;
  *ppEnum = new (std::nothrow) EnumFORMATETC(mFormat, mIndex);
  return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

} // namespace DragAndDropHelpers
} // namespace igraphics
} // namespace iplug
