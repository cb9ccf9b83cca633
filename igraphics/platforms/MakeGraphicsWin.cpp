// The Windows editor surface is the editor window, given the module it lives in: its window class
// and its resources (the font) belong to that module.
#include "igraphics/MakeGraphics.h"

#include "igraphics/platforms/IGraphicsWin.h"

namespace iplug
{
namespace igraphics
{

IGraphics* MakeGraphics(IGEditorDelegate& dlg, int width, int height, int fps, float scale)
{
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&MakeGraphics), &module);
  auto* pGraphics = new IGraphicsWin(dlg, width, height, fps, scale);
  pGraphics->SetWinModuleHandle(module);
  return pGraphics;
}

} // namespace igraphics
} // namespace iplug
