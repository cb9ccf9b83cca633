#pragma once

// A headless editor on a delegate of its own, and a control that draws whatever a test gives it.
#include "igraphics/IControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/IGraphicsHeadless.h"

#include <functional>
#include <memory>
#include <string>

namespace headless {

using namespace iplug::igraphics;

class TestDelegate : public IGEditorDelegate
{
public:
  TestDelegate() : IGEditorDelegate(0) { SetSizeConstraints(1, 10000, 1, 10000); }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

class DrawFuncControl : public IControl
{
public:
  using DrawFunc = std::function<void(IGraphics&, DrawFuncControl&)>;
  DrawFuncControl(const IRECT& bounds, DrawFunc func) : IControl(bounds), mFunc(std::move(func)) {}
  void Draw(IGraphics& g) override
  {
    ++mDrawCount;
    mFunc(g, *this);
  }
  int mDrawCount = 0;
  ILayerPtr mLayer;

private:
  DrawFunc mFunc;
};

/** An open editor of w x h at the given draw scale, with Roboto loaded. */
struct Editor
{
  Editor(int w, int h, float scale = 1.f) : graphics(std::make_unique<IGraphicsHeadless>(delegate, w, h, 60, scale))
  {
    window = graphics->OpenWindow(nullptr);
    fontLoaded = graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf");
  }

  DrawFuncControl* Add(const IRECT& r, DrawFuncControl::DrawFunc func, int tag = -1)
  {
    return static_cast<DrawFuncControl*>(graphics->AttachControl(new DrawFuncControl(r, std::move(func)), tag));
  }

  TestDelegate delegate;
  std::unique_ptr<IGraphicsHeadless> graphics;
  void* window = nullptr;
  bool fontLoaded = false;
};

/** Channel-wise closeness of two colours. */
inline bool Near(const IColor& a, const IColor& b, int tolerance = 8)
{
  auto close = [&](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
  return close(a.A, b.A) && close(a.R, b.R) && close(a.G, b.G) && close(a.B, b.B);
}

inline std::string Str(const IColor& c)
{
  return "(" + std::to_string(c.A) + ", " + std::to_string(c.R) + ", " + std::to_string(c.G) + ", " +
         std::to_string(c.B) + ")";
}

} // namespace headless
