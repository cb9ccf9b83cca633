// What an OpenGL window shows. Under Wine a WGL child window's pixels reach neither GDI nor the X
// screen, so they are read back through OpenGL itself.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testhost
{

/** RGBA pixels of a window, top row first. */
struct Pixels
{
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;

  const unsigned char* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
  /** The pixels of the rectangle [l, r) x [t, b), row by row. */
  std::vector<unsigned char> Cut(int l, int t, int r, int b) const;
  /** The pixels of the rectangle that pass the test. */
  int Count(int l, int t, int r, int b, const std::function<bool(const unsigned char* rgb)>& test) const;
  /** Whether every pixel has the colour of the first (so also when there are none): nothing drawn. */
  bool Blank() const;
};

/** What an OpenGL window shows: read with a second context made current on the window's device
 * context (its pixel format set by the editor), from the given buffer. Empty when no context can be
 * made there. */
Pixels ReadGLWindowPixels(HWND window, unsigned int glBuffer);
/** Writes the pixels as a PNG; whether it was written. */
bool WritePNG(const Pixels& pixels, const std::string& path);

} // namespace testhost
