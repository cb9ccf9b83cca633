#pragma once

#include "iplug/IPlugConstants.h"
#include "iplug/IPlugMidi.h"
#include "iplug/IPlugParameter.h"
#include "iplug/wdl/WdlPtrList.h"

namespace Steinberg::Vst
{
class IContextMenu;
}

namespace iplug
{

class IByteChunk;
struct IKeyPress;

/** The plug-in's side of its editor, and the editor's way back into the plug-in. Parameter values,
 *  control values and control messages go from the plug-in to the controls through it; edits and
 *  change notifications come back through it. It owns the plug-in's parameters. */
class IEditorDelegate
{
public:
  /** Creates nParams parameters, each uninitialised until the plug-in initialises it. */
  explicit IEditorDelegate(int nParams);
  virtual ~IEditorDelegate();

  IEditorDelegate(const IEditorDelegate&) = delete;
  IEditorDelegate& operator=(const IEditorDelegate&) = delete;

  IParam* GetParam(int paramIdx) { return mParams.Get(paramIdx); }
  const IParam* GetParam(int paramIdx) const { return mParams.Get(paramIdx); }
  int NParams() const { return mParams.GetSize(); }

  /** A parameter's current value as an editor or host sees it: stepped, clamped, mapped to 0..1.
   *  0 for an index without a parameter. */
  double GetParamNormalized(int paramIdx) const;

  // The editor window.
  virtual void* OpenWindow(void* pParent);
  virtual void CloseWindow();
  virtual void OnParentWindowResize(int width, int height);
  /** Sends every parameter's normalised value to the controls, in index order. */
  virtual void OnUIOpen();
  virtual void OnUIClose() {}

  // Notifications to the plug-in.
  virtual void OnParamChange(int paramIdx, EParamSource source, int sampleOffset = -1);
  virtual void OnParamChange(int paramIdx);
  virtual void OnParamChangeUI(int paramIdx, EParamSource source);
  /** Every parameter, in index order: OnParamChange, then OnParamChangeUI. */
  virtual void OnParamReset(EParamSource source);
  virtual void OnMidiMsgUI(const IMidiMsg& msg);
  virtual void OnSysexMsgUI(const ISysEx& msg);
  virtual bool OnMessage(int msgTag, int ctrlTag, int dataSize, const void* pData);
  /** After a state or preset was restored; by default refreshes the controls as on opening. */
  virtual void OnRestoreState();
  virtual bool OnKeyDown(const IKeyPress& key);
  virtual bool OnKeyUp(const IKeyPress& key);

  // From the plug-in to the editor.
  virtual void SendControlValueFromDelegate(int ctrlTag, double normalizedValue);
  virtual void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize = 0, const void* pData = nullptr);
  virtual void SendArbitraryMsgFromDelegate(int msgTag, int dataSize = 0, const void* pData = nullptr);
  virtual void SendMidiMsgFromDelegate(const IMidiMsg& msg);
  virtual void SendSysexMsgFromDelegate(const ISysEx& msg);
  virtual void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized);

  // From the editor to the plug-in and its host.
  virtual void DirtyParametersFromUI();
  virtual void BeginInformHostOfParamChangeFromUI(int paramIdx) = 0;
  /** Stores the parameter's value from a normalised editor value, then OnParamChangeUI(kUI). */
  virtual void SendParameterValueFromUI(int paramIdx, double normalizedValue);
  virtual void EndInformHostOfParamChangeFromUI(int paramIdx) = 0;
  virtual bool EditorResizeFromUI(int viewWidth, int viewHeight, bool needsPlatformResize);
  virtual void SendMidiMsgFromUI(const IMidiMsg& msg);
  virtual void SendSysexMsgFromUI(const ISysEx& msg);
  virtual void SendArbitraryMsgFromUI(int msgTag, int ctrlTag = kNoTag, int dataSize = 0, const void* pData = nullptr);
  virtual void DeferMidiMsg(const IMidiMsg& msg);
  virtual void DeferSysexMsg(const ISysEx& msg);
  /** True when w and h already lie within the size limits; otherwise clamps both into them. */
  virtual bool ConstrainEditorResize(int& w, int& h) const;
  /** What the platform multiplies the editor's window size by (the display's scale on Windows);
   *  1 while no editor is open. */
  virtual float GetPlatformWindowScale() const { return 1.f; }
  /** A size the host gives in its window's pixels, in editor units: divided by the platform
   *  window scale (at least 1) and rounded, halves away from zero. */
  void ParentWindowSizeToEditorUnits(int& w, int& h) const;
  /** ConstrainEditorResize for a size in the host's window pixels: true when w x h is already a
   *  size the editor takes; otherwise w and h become the one it takes instead, in the same pixels. */
  bool ConstrainParentWindowSize(int& w, int& h) const;
  virtual bool SerializeEditorState(IByteChunk& chunk) const;
  virtual int UnserializeEditorState(const IByteChunk& chunk, int startPos);
  virtual void SetScreenScale(float scale);
  /** The host's own context menu for a parameter, for the editor to add its items to and pop up;
   *  null when the host offers none. The caller owns the reference returned. */
  virtual Steinberg::Vst::IContextMenu* CreateHostContextMenuForParam(int paramIdx);

  // The editor's size and its limits.
  void SetEditorSize(int width, int height);
  /** Stores each pair ordered, the smaller as the minimum. */
  void SetSizeConstraints(int widthLo, int widthHi, int heightLo, int heightHi);
  int GetEditorWidth() const { return mEditorWidth; }
  int GetEditorHeight() const { return mEditorHeight; }
  int GetMinWidth() const { return mMinWidth; }
  int GetMaxWidth() const { return mMaxWidth; }
  int GetMinHeight() const { return mMinHeight; }
  int GetMaxHeight() const { return mMaxHeight; }

private:
  WDL_PtrList<IParam> mParams;
  int mEditorWidth = 0;
  int mEditorHeight = 0;
  int mMinWidth = 0;
  int mMaxWidth = 0;
  int mMinHeight = 0;
  int mMaxHeight = 0;
};

} // namespace iplug
