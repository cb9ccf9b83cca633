// The editor side of the test host: a view of a hosted instance, attached and removed as a host
// does it, and a plug frame that records the resizes the plug-in asks for.
#pragma once

#include "tools/host/ModuleHost.h"

#include "pluginterfaces/gui/iplugview.h"

#include <memory>
#include <optional>
#include <vector>

namespace testhost
{

class HostedView
{
public:
  /** The instance's view of that name; null when the instance makes none. */
  static std::unique_ptr<HostedView> Create(HostedInstance& instance, const char* name = "editor");
  /** Removes the view when attached, takes its frame away and releases it. */
  ~HostedView();
  HostedView(const HostedView&) = delete;
  HostedView& operator=(const HostedView&) = delete;

  Steinberg::IPlugView& View() { return *mView; }
  Steinberg::tresult Attach(void* parent, const char* type);
  /** removed(), whether or not the view is attached. */
  Steinberg::tresult Remove();
  bool Attached() const { return mAttached; }
  /** The view's size as getSize reports it; nothing when it reports none. */
  std::optional<Steinberg::ViewRect> Size();

private:
  explicit HostedView(Steinberg::IPtr<Steinberg::IPlugView> view) : mView(std::move(view)) {}

  Steinberg::IPtr<Steinberg::IPlugView> mView;
  bool mAttached = false;
};

/** Agrees to every resize and remembers each. */
class RecordingPlugFrame : public Steinberg::IPlugFrame
{
public:
  struct Resize
  {
    Steinberg::IPlugView* view;
    Steinberg::ViewRect rect;
  };

  RecordingPlugFrame();
  virtual ~RecordingPlugFrame() = default;

  Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;
  const std::vector<Resize>& Resizes() const { return mResizes; }

  DECLARE_FUNKNOWN_METHODS

private:
  std::vector<Resize> mResizes;
};

} // namespace testhost
