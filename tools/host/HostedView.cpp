#include "tools/host/HostedView.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace testhost
{

using namespace Steinberg;

std::unique_ptr<HostedView> HostedView::Create(HostedInstance& instance, const char* name)
{
  IPtr<IPlugView> view = owned(instance.Controller().createView(name));
  if (!view)
    return nullptr;
  return std::unique_ptr<HostedView>(new HostedView(std::move(view)));
}

HostedView::~HostedView()
{
  if (mAttached)
    Remove();
  mView->setFrame(nullptr);
}

tresult HostedView::Attach(void* parent, const char* type)
{
  const tresult result = mView->attached(parent, type);
  mAttached = mAttached || result == kResultOk;
  return result;
}

tresult HostedView::Remove()
{
  mAttached = false;
  return mView->removed();
}

std::optional<ViewRect> HostedView::Size()
{
  ViewRect rect;
  if (mView->getSize(&rect) != kResultOk)
    return std::nullopt;
  return rect;
}

IMPLEMENT_FUNKNOWN_METHODS(RecordingPlugFrame, IPlugFrame, IPlugFrame::iid)

RecordingPlugFrame::RecordingPlugFrame(){FUNKNOWN_CTOR}

tresult PLUGIN_API RecordingPlugFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
  if (!newSize)
    return kInvalidArgument;
  mResizes.push_back({view, *newSize});
  return kResultTrue;
}

} // namespace testhost
