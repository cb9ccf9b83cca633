#pragma once

#include <cstdint>
#include <vector>

namespace iplug::igraphics
{

/** An OpenGL 2 compatible context without any window: EGL on Mesa's surfaceless platform. A
 * framebuffer object of our own stands in for the window, because a surfaceless context has no
 * default framebuffer; it must be bound before anything draws. Linux test builds only. */
class HeadlessGLContext
{
public:
  HeadlessGLContext() = default;
  ~HeadlessGLContext();
  HeadlessGLContext(const HeadlessGLContext&) = delete;
  HeadlessGLContext& operator=(const HeadlessGLContext&) = delete;

  /** Makes the context current, loads the GL entry points and creates the window framebuffer of
   * width x height pixels. False (and nothing left behind) when any step fails. */
  bool Create(int width, int height);
  void Destroy();
  bool IsValid() const { return mContext != nullptr; }

  /** Re-creates the window framebuffer at a new pixel size; its contents are lost. */
  bool Resize(int width, int height);

  void MakeCurrent() const;
  void BindWindowFramebuffer() const;
  unsigned int GetWindowFramebuffer() const { return mFBO; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }

  /** RGBA bytes of the window framebuffer, top row first. */
  std::vector<uint8_t> ReadPixels() const;

  /** Writes the window framebuffer as a PNG; false when it cannot be written. */
  bool WritePNG(const char* path) const;

private:
  bool CreateFramebuffer(int width, int height);
  void DeleteFramebuffer();

  void* mDisplay = nullptr;
  void* mContext = nullptr;
  unsigned int mFBO = 0;
  unsigned int mColorRBO = 0;
  unsigned int mStencilRBO = 0;
  int mWidth = 0;
  int mHeight = 0;
};

/** Converts bottom-up RGBA rows (as glReadPixels delivers them) into top-down rows. */
std::vector<uint8_t> FlipRows(const std::vector<uint8_t>& rgba, int width, int height);

} // namespace iplug::igraphics
