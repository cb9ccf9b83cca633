// Cost of a frame of the instrument's whole editor (1480 x 360, every control) on the software
// renderer: everything redrawn, and an idle tick with nothing dirty.
#include "plugin/Brimvale.h"

#include "igraphics/platforms/IGraphicsHeadless.h"

#include <benchmark/benchmark.h>
#include <glad/gl.h>

#include <memory>

namespace
{

using namespace iplug::igraphics;

struct ReleasePlug
{
  void operator()(Brimvale* plug) const { plug->release(); }
};

struct OpenEditor
{
  OpenEditor()
  {
    plug->OpenWindow(nullptr);
    graphics = static_cast<IGraphicsHeadless*>(plug->GetUI());
    if (!graphics)
      return; // no EGL context: GL cannot be called, the benchmarks report the error
    graphics->Tick();
    glFinish();
  }
  ~OpenEditor() { plug->CloseWindow(); }

  std::unique_ptr<Brimvale, ReleasePlug> plug{new Brimvale(iplug::InstanceInfo())};
  IGraphicsHeadless* graphics = nullptr;
};

void BM_EditorFullFrame(benchmark::State& state)
{
  OpenEditor editor;
  if (!editor.graphics)
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
  OpenEditor editor;
  if (!editor.graphics)
  {
    state.SkipWithError("no EGL context");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(editor.graphics->Tick());
}
BENCHMARK(BM_EditorIdleFrame)->Unit(benchmark::kMicrosecond);

} // namespace
