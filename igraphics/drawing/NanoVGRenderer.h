#pragma once

// NanoVG with the renderer of this build: on macOS Metal through MetalNanoVG; elsewhere OpenGL 2
// through glad, framebuffers from NanoVG's GL utilities. The back end reaches the renderer only
// through this header.
#include <nanovg.h>
#if defined(BRIMVALE_MACOS)
#include "nanovg_mtl.h"
#else
#include <glad/gl.h>
#define NANOVG_GL2 1
#include <nanovg_gl.h>
extern "C"
{
#include <nanovg_gl_utils.h> // declares its C functions without C linkage
}
#endif

#include "igraphics/drawing/IGraphicsFontData.h"
#include "igraphics/drawing/IGraphicsNanoVG.h"

namespace iplug
{
namespace igraphics
{

/** A framebuffer of width x height pixels, cleared to transparent and left bound; null on failure. */
IGraphicsNanoVG::NVGframebuffer* CreateClearedFramebuffer(NVGcontext* pContext, int width, int height);
void DeleteFramebuffer(IGraphicsNanoVG::NVGframebuffer* pBuffer);

/** Registers the face of font data under fontID; NanoVG does not take the bytes over. -1 on failure. */
int CreateFontFaceMem(NVGcontext* pContext, const char* fontID, const IFontData& data);

} // namespace igraphics
} // namespace iplug
