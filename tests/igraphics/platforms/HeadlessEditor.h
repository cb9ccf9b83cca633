#pragma once

// A headless editor on a delegate of its own, and a control that draws whatever a test gives it.
#include "igraphics/IControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "HeadlessEvents.h"

#include <functional>
#include <memory>
#include <string>

namespace headless
{

class TestDelegate : public iplug::igraphics::IGEditorDelegate
{
public:
  TestDelegate() : IGEditorDelegate(0) { SetSizeConstraints(1, 10000, 1, 10000); }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

class DrawFuncControl : public iplug::igraphics::IControl
{
public:
  using DrawFunc = std::function<void(iplug::igraphics::IGraphics&, DrawFuncControl&)>;
  DrawFuncControl(const iplug::igraphics::IRECT& bounds, DrawFunc func) : IControl(bounds), mFunc(std::move(func)) {}
  void Draw(iplug::igraphics::IGraphics& g) override
  {
    ++mDrawCount;
    mFunc(g, *this);
  }
  int mDrawCount = 0;
  iplug::igraphics::ILayerPtr mLayer;

private:
  DrawFunc mFunc;
};

/** An open editor of w x h at the given draw scale, with Roboto loaded. */
struct Editor
{
  Editor(int w, int h, float scale = 1.f)
  : graphics(std::make_unique<iplug::igraphics::IGraphicsHeadless>(delegate, w, h, 60, scale))
  {
    window = graphics->OpenWindow(nullptr);
    fontLoaded = graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf");
  }

  DrawFuncControl* Add(const iplug::igraphics::IRECT& r, DrawFuncControl::DrawFunc func, int tag = -1)
  {
    return static_cast<DrawFuncControl*>(graphics->AttachControl(new DrawFuncControl(r, std::move(func)), tag));
  }

  TestDelegate delegate;
  std::unique_ptr<iplug::igraphics::IGraphicsHeadless> graphics;
  void* window = nullptr;
  bool fontLoaded = false;
};

/** One event through the editor's window, as a platform delivers it; 1 when the editor took it. */
inline int SendTo(HeadlessWindow& window, int type, float x = 0.f, float y = 0.f, int modifiers = kHeadlessLeft,
                  float dX = 0.f, float dY = 0.f)
{
  const HeadlessEvent event = PointerEvent(type, x, y, modifiers, dX, dY);
  return window.send ? window.send(window.editor, &event) : 0;
}

/** A press and a release at one point. */
inline void ClickAt(HeadlessWindow& window, float x, float y, int modifiers = kHeadlessLeft)
{
  SendTo(window, kHeadlessMouseDown, x, y, modifiers);
  SendTo(window, kHeadlessMouseUp, x, y, modifiers);
}

/** Channel-wise closeness of two colours. */
inline bool Near(const iplug::igraphics::IColor& a, const iplug::igraphics::IColor& b, int tolerance = 8)
{
  auto close = [&](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
  return close(a.A, b.A) && close(a.R, b.R) && close(a.G, b.G) && close(a.B, b.B);
}

inline std::string Str(const iplug::igraphics::IColor& c)
{
  return "(" + std::to_string(c.A) + ", " + std::to_string(c.R) + ", " + std::to_string(c.G) + ", " +
         std::to_string(c.B) + ")";
}

} // namespace headless
