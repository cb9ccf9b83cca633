// The editor view a VST3 host asks for and embeds in its own window. Attaching and removing open
// and close the plug-in's editor; size and key traffic goes to the plug-in's editor delegate.
#pragma once

#include "iplug/IPlugStructs.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/common/pluginview.h"

namespace iplug
{

class IEditorDelegate;
class IPlugVST3Core;

/** The headless editor's window type. Only the Linux build accepts it, and no real host type
 *  there, so tests attach the view with it and a Linux host keeps its generic editor. */
inline constexpr const char* kPlatformTypeHeadless = "BrimvaleHeadless";

/** A host key event as the editor sees it: ASCII text (empty for anything else), the Windows
 *  virtual key and the shift, control (command) and alt flags. */
IKeyPress TranslateKeyMessage(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers);

/** The Windows virtual key of a VST3 key code; ch decides it for key codes 0 and KEY_EQUALS.
 *  0 for key codes without one. */
int VSTKeyCodeToVK(int keyCode, char ch);

class IPlugVST3View : public Steinberg::CPluginView, public Steinberg::IPlugViewContentScaleSupport
{
public:
  /** Keeps a reference to plug until destroyed; editor is plug's editor delegate. */
  IPlugVST3View(IPlugVST3Core& plug, IEditorDelegate& editor);
  /** Closes the editor when still attached, then lets go of the plug-in. */
  ~IPlugVST3View() override;

  IPlugVST3View(const IPlugVST3View&) = delete;
  IPlugVST3View& operator=(const IPlugVST3View&) = delete;

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  /** Succeeds only when the editor opened a window in parent. */
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API removed() override;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;
  Steinberg::tresult PLUGIN_API canResize() override;
  Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) override;
  Steinberg::tresult PLUGIN_API onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                                          Steinberg::int16 modifiers) override;
  Steinberg::tresult PLUGIN_API onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                                        Steinberg::int16 modifiers) override;

  // IPlugViewContentScaleSupport: the editor takes its scale from the platform instead.
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;

  /** Asks the host's plug frame, when it gave one, to resize the view to w x h. */
  void RequestHostResize(int w, int h);

  OBJ_METHODS(IPlugVST3View, CPluginView)
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::IPlugViewContentScaleSupport)
  END_DEFINE_INTERFACES(CPluginView)
  REFCOUNT_METHODS(CPluginView)

private:
  Steinberg::tresult SendKey(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers, bool up);

  IPlugVST3Core& mPlug;
  IEditorDelegate& mEditor;
};

} // namespace iplug
