/* NanoVG's OpenGL 2 renderer and its framebuffer helpers, under the MetalNanoVG stand-in. On Linux
 * GL2 framebuffers come from GL_ARB_framebuffer_object, loaded by glad. */
#include <glad/gl.h>

#define NANOVG_GL2_IMPLEMENTATION
#define NANOVG_FBO_VALID 1
#include <nanovg.h>
#include <nanovg_gl.h>
#include <nanovg_gl_utils.h>
