#include "iplug/IPlugPaths.h"

#include "iplug/IPlugUTF8.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace iplug
{
namespace
{
std::string Upper(std::string text)
{
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

struct ResourceSearch
{
  std::string wanted; // upper case
  WDL_String found;
  bool matched = false;
};

// Resource compilers keep the quotes around a quoted name, so the first and last character are
// dropped before comparing.
BOOL CALLBACK EnumResNameProc(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
  if (IS_INTRESOURCE(name))
    return TRUE;
  auto* search = reinterpret_cast<ResourceSearch*>(param);
  WDL_String utf8;
  UTF16ToUTF8(utf8, name);
  if (utf8.GetLength() < 2)
    return TRUE;
  const std::string inner(utf8.Get() + 1, static_cast<size_t>(utf8.GetLength() - 2));
  if (Upper(inner) != search->wanted)
    return TRUE;
  search->matched = search->found.Set(utf8.Get());
  return FALSE;
}
} // namespace

EResourceLocation LocateResource(const char* fileNameOrResID, const char* type, WDL_String& result,
                                 const char* /*bundleID*/, void* instance, const char* /*sharedResourcesSubPath*/)
{
  if (!fileNameOrResID || !*fileNameOrResID)
    return kNotFound;
  if (type && *type)
  {
    ResourceSearch search;
    search.wanted = Upper(fileNameOrResID);
    const std::wstring wideType = UTF8ToUTF16(Upper(type).c_str());
    EnumResourceNamesW(static_cast<HMODULE>(instance), wideType.c_str(), EnumResNameProc,
                       reinterpret_cast<LONG_PTR>(&search));
    if (search.matched && result.Set(search.found.Get()))
      return kWinBinary;
  }
  const std::wstring widePath = UTF8ToUTF16(fileNameOrResID);
  if (!widePath.empty() && PathFileExistsW(widePath.c_str()) && result.Set(fileNameOrResID))
    return kAbsolutePath;
  return kNotFound;
}

const void* LoadWinResource(const char* resID, const char* type, int& sizeInBytes, void* hInstance)
{
  sizeInBytes = 0;
  if (!resID || !type)
    return nullptr;
  const std::wstring wideName = UTF8ToUTF16(resID);
  const std::wstring wideType = UTF8ToUTF16(Upper(type).c_str());
  auto module = static_cast<HMODULE>(hInstance);
  HRSRC resource = FindResourceW(module, wideName.c_str(), wideType.c_str());
  if (!resource)
    return nullptr;
  const DWORD size = SizeofResource(module, resource);
  if (size <= 7)
    return nullptr;
  HGLOBAL handle = LoadResource(module, resource);
  const void* bytes = handle ? LockResource(handle) : nullptr;
  if (!bytes)
    return nullptr;
  sizeInBytes = static_cast<int>(size);
  return bytes;
}

} // namespace iplug
