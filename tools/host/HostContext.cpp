#include "tools/host/HostContext.h"

#include "pluginterfaces/base/smartpointer.h"
#include "public.sdk/source/vst/utility/stringconvert.h"

namespace testhost
{

using namespace Steinberg;

NamedHostApplication::NamedHostApplication(std::string name) : mName(std::move(name))
{}

tresult PLUGIN_API NamedHostApplication::getName(Vst::String128 name)
{
  return VST3::StringConvert::convert(mName, name) ? kResultTrue : kInternalError;
}

// The menu a plug-in fills and pops up. It keeps its handler alive, so the plug-in may hold it
// for as long as it likes.
class RecordingComponentHandler::Menu : public Vst::IContextMenu
{
public:
  explicit Menu(RecordingComponentHandler& handler) : mHandler(&handler) { FUNKNOWN_CTOR }
  virtual ~Menu() = default;

  int32 PLUGIN_API getItemCount() override { return static_cast<int32>(mItems.size()); }

  // The target comes with a reference, as interfaces handed out do.
  tresult PLUGIN_API getItem(int32 index, Item& item, Vst::IContextMenuTarget** target) override
  {
    if (index < 0 || index >= getItemCount())
      return kInvalidArgument;
    item = mItems[static_cast<size_t>(index)].item;
    if (target)
    {
      *target = mItems[static_cast<size_t>(index)].target;
      if (*target)
        (*target)->addRef();
    }
    return kResultOk;
  }

  tresult PLUGIN_API addItem(const Item& item, Vst::IContextMenuTarget* target) override
  {
    mItems.push_back({item, target});
    mHandler->mMenuItems.push_back({item.tag, VST3::StringConvert::convert(item.name, 128), item.flags, target});
    return kResultOk;
  }

  tresult PLUGIN_API removeItem(const Item& item, Vst::IContextMenuTarget* target) override
  {
    for (auto it = mItems.begin(); it != mItems.end(); ++it)
    {
      if (it->item.tag == item.tag && it->target == target)
      {
        mItems.erase(it);
        return kResultOk;
      }
    }
    return kResultFalse;
  }

  // Synchronous, like the Windows menus: the chosen item is executed before popup returns.
  tresult PLUGIN_API popup(UCoord x, UCoord y) override
  {
    mHandler->mCalls.push_back({EKind::kPopup, Vst::kNoParamId, 0.0, false, x, y});
    if (!mHandler->mChoice)
      return kResultOk;
    for (const auto& entry : mItems)
    {
      if (entry.item.tag == *mHandler->mChoice && entry.target)
      {
        // The target may change this menu while it executes.
        IPtr<Vst::IContextMenuTarget> target = entry.target;
        return target->executeMenuItem(*mHandler->mChoice);
      }
    }
    return kResultOk;
  }

  DECLARE_FUNKNOWN_METHODS

private:
  struct Entry
  {
    Item item;
    IPtr<Vst::IContextMenuTarget> target;
  };
  IPtr<RecordingComponentHandler> mHandler;
  std::vector<Entry> mItems;
};

IMPLEMENT_FUNKNOWN_METHODS(RecordingComponentHandler::Menu, Vst::IContextMenu, Vst::IContextMenu::iid)

IMPLEMENT_REFCOUNT(RecordingComponentHandler)

tresult PLUGIN_API RecordingComponentHandler::queryInterface(const TUID iid, void** obj)
{
  QUERY_INTERFACE(iid, obj, FUnknown::iid, Vst::IComponentHandler)
  QUERY_INTERFACE(iid, obj, Vst::IComponentHandler::iid, Vst::IComponentHandler)
  QUERY_INTERFACE(iid, obj, Vst::IComponentHandler3::iid, Vst::IComponentHandler3)
  *obj = nullptr;
  return kNoInterface;
}

RecordingComponentHandler::RecordingComponentHandler(){FUNKNOWN_CTOR}

tresult PLUGIN_API RecordingComponentHandler::beginEdit(Vst::ParamID id)
{
  mCalls.push_back({EKind::kBegin, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value)
{
  mCalls.push_back({EKind::kPerform, id, value});
  return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::endEdit(Vst::ParamID id)
{
  mCalls.push_back({EKind::kEnd, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::restartComponent(int32 flags)
{
  mCalls.push_back({EKind::kRestart, static_cast<Vst::ParamID>(flags), 0.0});
  return kResultOk;
}

Vst::IContextMenu* PLUGIN_API RecordingComponentHandler::createContextMenu(IPlugView* plugView,
                                                                           const Vst::ParamID* paramID)
{
  mCalls.push_back({EKind::kContextMenu, paramID ? *paramID : Vst::kNoParamId, 0.0, plugView != nullptr});
  mMenuItems.clear();
  return new Menu(*this);
}

} // namespace testhost
