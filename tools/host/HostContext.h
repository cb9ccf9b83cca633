// What the test host gives a plug-in: an application object with a chosen name and a component
// handler that records every edit the plug-in reports and every context menu it asks for.
#pragma once

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <optional>
#include <string>
#include <vector>

namespace testhost
{

class NamedHostApplication : public Steinberg::Vst::HostApplication
{
public:
  explicit NamedHostApplication(std::string name = "Brimvale Test Host");
  Steinberg::tresult PLUGIN_API getName(Steinberg::Vst::String128 name) override;

private:
  std::string mName;
};

class RecordingComponentHandler : public Steinberg::Vst::IComponentHandler, public Steinberg::Vst::IComponentHandler3
{
public:
  enum class EKind
  {
    kBegin,
    kPerform,
    kEnd,
    kRestart,
    kContextMenu,
    kPopup
  };
  struct Call
  {
    EKind kind;
    Steinberg::Vst::ParamID id; // the restart flags for kRestart; kNoParamId for a menu of no parameter
    double value;
    bool withView = false;   // kContextMenu: whether the plug-in named its view
    Steinberg::UCoord x = 0; // kPopup: where the menu popped up
    Steinberg::UCoord y = 0;
  };
  struct MenuItem
  {
    Steinberg::int32 tag;
    std::string name; // UTF-8
    Steinberg::int32 flags;
    const Steinberg::Vst::IContextMenuTarget* target; // identity only: the menu holds the reference
  };

  RecordingComponentHandler();
  virtual ~RecordingComponentHandler() = default;

  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;
  /** A menu that records what the plug-in adds to it and pops up without a user. */
  Steinberg::Vst::IContextMenu* PLUGIN_API createContextMenu(Steinberg::IPlugView* plugView,
                                                             const Steinberg::Vst::ParamID* paramID) override;

  const std::vector<Call>& Calls() const { return mCalls; }
  /** The items added to the menu made last, in order. */
  const std::vector<MenuItem>& MenuItems() const { return mMenuItems; }
  /** From now on, a menu that pops up executes the first of its items with this tag that has a
   *  target, as if the user chose it; std::nullopt makes the user dismiss menus again. */
  void ChooseOnPopup(std::optional<Steinberg::int32> tag) { mChoice = tag; }

  DECLARE_FUNKNOWN_METHODS

private:
  class Menu;

  std::vector<Call> mCalls;
  std::vector<MenuItem> mMenuItems;
  std::optional<Steinberg::int32> mChoice;
};

} // namespace testhost
