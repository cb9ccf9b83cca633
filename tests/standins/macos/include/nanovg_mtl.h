#pragma once

// Stand-in for MetalNanoVG: NanoVG contexts that draw into a CAMetalLayer, and framebuffers whose
// images NanoVG can paint with. Binding a framebuffer, like a clear colour, takes effect when the
// context next flushes (nvgEndFrame): with none bound the flush goes to the layer's drawable.
#include <nanovg.h>

struct MNVGframebuffer
{
  NVGcontext* ctx;
  int image;
};
typedef struct MNVGframebuffer MNVGframebuffer;

#ifndef NANOVG_GL_H
// The renderer flags NanoVG's back ends share; nanovg_gl.h declares the same ones for OpenGL.
enum NVGcreateFlags
{
  NVG_ANTIALIAS = 1 << 0,
  NVG_STENCIL_STROKES = 1 << 1,
  NVG_DEBUG = 1 << 2,
};
#endif

/** How many drawables the layer cycles through. */
enum MNVGcreateFlags
{
  NVG_DOUBLE_BUFFER = 1 << 12,
  NVG_TRIPLE_BUFFER = 1 << 13,
};

#ifdef __cplusplus
extern "C"
{
#endif
  /** A context drawing into metalLayer (a CAMetalLayer, retained until nvgDeleteMTL); null on failure. */
  NVGcontext* nvgCreateMTL(void* metalLayer, int flags);
  void nvgDeleteMTL(NVGcontext* ctx);
  /** The target of the next flushes: the framebuffer, or with null the layer's drawable. */
  void mnvgBindFramebuffer(MNVGframebuffer* framebuffer);
  MNVGframebuffer* mnvgCreateFramebuffer(NVGcontext* ctx, int width, int height, int imageFlags);
  void mnvgDeleteFramebuffer(MNVGframebuffer* framebuffer);
  /** The next flush of ctx first clears its target to color. */
  void mnvgClearWithColor(NVGcontext* ctx, NVGcolor color);
  /** RGBA bytes of a rectangle of the image, top row first. */
  void mnvgReadPixels(NVGcontext* ctx, int image, int x, int y, int width, int height, void* data);
#ifdef __cplusplus
}
#endif
