#include "tools/host/GLWindowPixels.h"

#include <GL/gl.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

namespace testhost
{

std::vector<unsigned char> Pixels::Cut(int l, int t, int r, int b) const
{
  std::vector<unsigned char> cut;
  for (int y = t; y < b; ++y)
    cut.insert(cut.end(), At(l, y), At(l, y) + 4 * (r - l));
  return cut;
}

int Pixels::Count(int l, int t, int r, int b, const std::function<bool(const unsigned char*)>& test) const
{
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      n += test(At(x, y));
  return n;
}

bool Pixels::Blank() const
{
  for (size_t i = 4; i < rgba.size(); i += 4)
    if (!std::equal(&rgba[i], &rgba[i] + 4, rgba.begin()))
      return false;
  return true;
}

Pixels ReadGLWindowPixels(HWND window, unsigned int glBuffer)
{
  Pixels pixels;
  RECT client = {};
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  HGLRC context = dc ? wglCreateContext(dc) : nullptr;
  HDC previousDC = wglGetCurrentDC();
  HGLRC previousContext = wglGetCurrentContext();
  if (context && wglMakeCurrent(dc, context) && client.right > 0 && client.bottom > 0)
  {
    const int w = client.right, h = client.bottom;
    std::vector<unsigned char> bottomUp(static_cast<size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(glBuffer);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    pixels.width = w;
    pixels.height = h;
    pixels.rgba.resize(bottomUp.size());
    const size_t row = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
      std::memcpy(&pixels.rgba[y * row], &bottomUp[(h - 1 - y) * row], row);
  }
  wglMakeCurrent(previousDC, previousContext);
  if (context)
    wglDeleteContext(context);
  if (dc)
    ReleaseDC(window, dc);
  return pixels;
}

bool WritePNG(const Pixels& pixels, const std::string& path)
{
  return !pixels.rgba.empty() &&
         stbi_write_png(path.c_str(), pixels.width, pixels.height, 4, pixels.rgba.data(), pixels.width * 4) != 0;
}

} // namespace testhost
