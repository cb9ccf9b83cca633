#pragma once

// NanoVG with the renderer of this build: OpenGL 2 through glad, framebuffers from NanoVG's GL
// utilities. The back end reaches the renderer only through this header.
#include <glad/gl.h>

#include <nanovg.h>
#define NANOVG_GL2 1
#include <nanovg_gl.h>
extern "C"
{
#include <nanovg_gl_utils.h> // declares its C functions without C linkage
}

#include "igraphics/drawing/IGraphicsFontData.h"

namespace iplug
{
namespace igraphics
{

/** A framebuffer of width x height pixels, cleared to transparent and left bound; null on failure. */
NVGLUframebuffer* CreateClearedFramebuffer(NVGcontext* pContext, int width, int height);
void DeleteFramebuffer(NVGLUframebuffer* pBuffer);

/** Registers the face of font data under fontID; NanoVG does not take the bytes over. -1 on failure. */
int CreateFontFaceMem(NVGcontext* pContext, const char* fontID, const IFontData& data);

} // namespace igraphics
} // namespace iplug
