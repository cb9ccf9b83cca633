// Cost of an editor frame of 1480 x 360 on the software renderer: everything redrawn, and an idle
// tick with nothing dirty.
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/platforms/IGraphicsHeadless.h"
#include "plugin/BVPanelControl.h"

#include <benchmark/benchmark.h>
#include <glad/gl.h>

#include <memory>

namespace
{

using namespace iplug::igraphics;

class BenchDelegate : public IGEditorDelegate
{
public:
  BenchDelegate() : IGEditorDelegate(0) { SetSizeConstraints(1, 10000, 1, 10000); }
  void BeginInformHostOfParamChangeFromUI(int) override {}
  void EndInformHostOfParamChangeFromUI(int) override {}
};

struct PanelEditor
{
  PanelEditor() : graphics(std::make_unique<IGraphicsHeadless>(delegate, 1480, 360, 60, 1.f))
  {
    graphics->OpenWindow(nullptr);
    if (!graphics->GetWindow())
      return; // no EGL context: GL cannot be called, the benchmarks report the error
    graphics->LoadFont("Roboto-Regular", "Roboto-Regular.ttf");
    graphics->AttachControl(new BVPanelControl(IRECT(0, 0, 1480, 360)), 0);
    graphics->Tick();
    glFinish();
  }

  BenchDelegate delegate;
  std::unique_ptr<IGraphicsHeadless> graphics;
};

void BM_EditorFullFrame(benchmark::State& state)
{
  PanelEditor editor;
  if (!editor.graphics->GetWindow())
  {
    state.SkipWithError("no EGL context");
    return;
  }
  for (auto _ : state)
  {
    editor.graphics->SetAllControlsDirty();
    editor.graphics->Tick();
    glFinish(); // the frame counts once the renderer has finished it
  }
  state.counters["frames_per_second"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}
// The software renderer draws on its own threads, so the frame costs wall-clock time.
BENCHMARK(BM_EditorFullFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EditorIdleFrame(benchmark::State& state)
{
  PanelEditor editor;
  if (!editor.graphics->GetWindow())
  {
    state.SkipWithError("no EGL context");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(editor.graphics->Tick());
}
BENCHMARK(BM_EditorIdleFrame)->Unit(benchmark::kMicrosecond);

} // namespace
