#pragma once

#include "igraphics/IGraphics.h"
#include "igraphics/IGraphicsBitmap.h"
#include "igraphics/ILayer.h"
#include "igraphics/IPattern.h"
#include "igraphics/StaticStorage.h"
#include "igraphics/drawing/IGraphicsFontData.h"

#include <deque>
#include <mutex>
#include <type_traits>

struct NVGcontext;
struct MNVGframebuffer;  // MetalNanoVG's (macOS)
struct NVGLUframebuffer; // NanoVG's GL utilities' (everywhere else)

namespace iplug
{
namespace igraphics
{

// Which NanoVG renderer this build draws with: MetalNanoVG on macOS, OpenGL 2 everywhere else.
#if defined(BRIMVALE_MACOS)
constexpr bool kNanoVGOnMetal = true;
#else
constexpr bool kNanoVGOnMetal = false;
#endif

/** The drawing back end: every frame is drawn with NanoVG into an off-screen main framebuffer,
 * which is then painted onto the platform's surface. Layers are NanoVG framebuffers; bitmaps are
 * cached per editor, fonts process-wide. The macOS build runs NanoVG's Metal renderer
 * (MetalNanoVG), every other build its OpenGL 2 renderer. */
class IGraphicsNanoVG : public IGraphics
{
public:
  using NVGframebuffer = std::conditional_t<kNanoVGOnMetal, MNVGframebuffer, NVGLUframebuffer>;

  /** A NanoVG image, or a framebuffer whose image it is. */
  class Bitmap : public APIBitmap
  {
  public:
    /** An image that NanoVG already holds; shared images are freed by their owner. */
    Bitmap(NVGcontext* pContext, const char* path, double sourceScale, int nvgImageID, bool shared = false);
    /** A new framebuffer of width x height pixels, cleared to transparent. */
    Bitmap(IGraphicsNanoVG* pGraphics, NVGcontext* pContext, int width, int height, float scale, float drawScale);
    /** An image made from RGBA bytes. */
    Bitmap(NVGcontext* pContext, int width, int height, const unsigned char* pData, float scale, float drawScale);
    ~Bitmap() override;

    NVGframebuffer* GetFBO() const { return mFBO; }

  private:
    IGraphicsNanoVG* mGraphics = nullptr;
    NVGcontext* mVG;
    NVGframebuffer* mFBO = nullptr;
    bool mSharedTexture = false;
  };

  IGraphicsNanoVG(IGEditorDelegate& dlg, int w, int h, int fps = 0, float scale = 1.f);
  ~IGraphicsNanoVG() override;

  using IGraphics::DrawBitmap;
  using IGraphics::LoadBitmap;

  void BeginFrame() override;
  void EndFrame() override;
  void OnViewInitialized(void* pContext) override;
  void OnViewDestroyed() override;
  void DrawResize() override;

  const char* GetDrawingAPIStr() override { return kNanoVGOnMetal ? "NanoVG | Metal" : "NanoVG | GL2"; }
  void* GetDrawContext() override { return mNanoContext; }
  IColor GetPoint(int x, int y) override;

  void DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY,
                  const IBlend* pBlend = nullptr) override;
  void DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend = nullptr,
                      float thickness = 1.f, float dashLen = 2.f) override;
  void DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend = nullptr, float thickness = 1.f,
                      float dashLen = 2.f) override;
  void DrawFastDropShadow(const IRECT& innerBounds, const IRECT& outerBounds, float xyDrop = 5.f, float roundness = 0.f,
                          float blur = 10.f, const IBlend* pBlend = nullptr) override;
  void DrawMultiLineText(const IText& text, const char* str, const IRECT& bounds,
                         const IBlend* pBlend = nullptr) override;

  void PathClear() override;
  void PathClose() override;
  void PathArc(float cx, float cy, float r, float a1, float a2, EWinding winding = EWinding::CW) override;
  void PathMoveTo(float x, float y) override;
  void PathLineTo(float x, float y) override;
  void PathSetWinding(bool clockwise) override;
  void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) override;
  void PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options,
                  const IBlend* pBlend = nullptr) override;
  void PathFill(const IPattern& pattern, const IFillOptions& options, const IBlend* pBlend = nullptr) override;
  void PathTransformSetMatrix(const IMatrix& m) override;
  void SetClipRegion(const IRECT& r) override;

  bool BitmapExtSupported(const char* ext) override;
  IBitmap LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false, int targetScale = 0) override;
  /** This back end keeps its bitmaps in its own per-editor cache instead of the shared one. */
  void RetainBitmap(const IBitmap& bitmap, const char* cacheName) override;
  void ReleaseBitmap(const IBitmap& bitmap) override;

  APIBitmap* LoadAPIBitmap(const char* fileNameOrResID, int scale, EResourceLocation location,
                           const char* ext) override;
  APIBitmap* LoadAPIBitmap(const char* name, const void* pData, int dataSize, int scale) override;
  APIBitmap* CreateAPIBitmap(int width, int height, float scale, double drawScale, bool cacheable = false) override;
  bool LoadAPIFont(const char* fontID, const PlatformFontPtr& font) override;
  int AlphaChannel() const override { return 3; }
  /** OpenGL reads framebuffer rows bottom first, Metal top first. */
  bool FlippedBitmap() const override { return !kNanoVGOnMetal; }

  void GetLayerBitmapData(const ILayerPtr& layer, WDL_TypedBuf<uint8_t>& data) override;
  void ApplyShadowMask(ILayerPtr& layer, WDL_TypedBuf<uint8_t>& mask, const IShadow& shadow) override;
  void UpdateLayer() override;

  float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const override;
  void DoDrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend = nullptr) override;

  /** Deletes a framebuffer now, or after the frame when one is being drawn. */
  void DeleteFBO(NVGframebuffer* pBuffer);
  void ClearFBOStack();

  bool FrameIsOpen() const { return mFrameOpen; }
  int NumDeferredFBOs();

private:
  void PrepareAndMeasureText(const IText& text, const char* str, IRECT& r, double& x, double& y) const;
  void BindMainFramebuffer();
  void BeginMainFrame();
  /** A frame that paints the main framebuffer over the whole of the bound target. */
  void CompositeFrameTarget();

  bool mFrameOpen = false;
  std::mutex mDeferredDeleteMutex;
  std::deque<NVGframebuffer*> mDeferredDeletes;
  StaticStorage<APIBitmap> mImageCache;
  NVGcontext* mNanoContext = nullptr;
  NVGframebuffer* mFrameTarget = nullptr;
#if !defined(BRIMVALE_MACOS)
  int mDefaultFBO = -1; // read from the driver on the first frame
#endif
};

/** The fonts registered with NanoVG, shared by every editor of the process. */
StaticStorage<IFontData>& NanoVGFontCache();

} // namespace igraphics
} // namespace iplug
