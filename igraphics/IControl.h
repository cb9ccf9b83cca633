#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

#include "igraphics/IGraphicsConstants.h"
#include "igraphics/IGraphicsStructs.h"
#include "igraphics/ILifetime.h"
#include "iplug/IPlugConstants.h"

namespace iplug
{

class IParam;
struct IMidiMsg;

namespace igraphics
{

class IContainerBase;
class IControl;
class IGEditorDelegate;
class IGraphics;
class IPopupMenu;

/** No particular value index: the operation covers all of a control's values. */
inline constexpr int kNoValIdx = -1;

using IActionFunction = std::function<void(IControl*)>;
using IAnimationFunction = std::function<void(IControl*)>;
using IGestureFunc = std::function<void(IControl*, const IGestureInfo&)>;

/** One value of a control and the parameter it is linked to (kNoParameter when none). */
struct ParamTuple
{
  int idx = kNoParameter;
  double value = 0.0;
};

/** The base of every element drawn on the editor surface. It is also the host's target for the
    items a control adds to a parameter's context menu. */
class IControl : public Steinberg::Vst::IContextMenuTarget, public Steinberg::FObject
{
public:
  IControl(const IRECT& bounds, int paramIdx = kNoParameter, IActionFunction actionFunc = nullptr);
  IControl(const IRECT& bounds, std::initializer_list<int> params, IActionFunction actionFunc = nullptr);
  IControl(const IRECT& bounds, IActionFunction actionFunc);

  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return FObject::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return FObject::release(); }
  Steinberg::tresult PLUGIN_API executeMenuItem(Steinberg::int32 tag) override;

  virtual ~IControl() = default;

  virtual void OnMouseDown(float x, float y, const IMouseMod& mod);
  virtual void OnMouseUp(float /*x*/, float /*y*/, const IMouseMod& /*mod*/) {}
  virtual void OnMouseDrag(float /*x*/, float /*y*/, float /*dX*/, float /*dY*/, const IMouseMod& /*mod*/) {}
  virtual void OnMouseDblClick(float x, float y, const IMouseMod& mod);
  virtual void OnMouseWheel(float /*x*/, float /*y*/, const IMouseMod& /*mod*/, float /*d*/) {}
  virtual bool OnKeyDown(float /*x*/, float /*y*/, const IKeyPress& /*key*/) { return false; }
  virtual bool OnKeyUp(float /*x*/, float /*y*/, const IKeyPress& /*key*/) { return false; }
  virtual void OnMouseOver(float x, float y, const IMouseMod& mod);
  virtual void OnMouseOut();
  virtual void OnTouchCancelled(float /*x*/, float /*y*/, const IMouseMod& /*mod*/) {}
  virtual void OnDrop(const char* /*str*/) {}
  virtual void OnDropMultiple(const std::vector<const char*>& paths);
  virtual void OnRescale() {}
  virtual void OnResize() {}
  virtual void OnInit() {}
  virtual void OnAttached() {}
  virtual void OnMsgFromDelegate(int /*msgTag*/, int /*dataSize*/, const void* /*pData*/) {}
  virtual void OnMidi(const IMidiMsg& /*msg*/) {}
  virtual bool OnGesture(const IGestureInfo& info);
  virtual void CreateContextMenu(IPopupMenu& /*contextMenu*/) {}
  virtual void OnPopupMenuSelection(IPopupMenu* pSelectedMenu, int valIdx);
  virtual void OnDeleteFromPopupMenu(IPopupMenu* /*pMenu*/, int /*itemIdx*/) {}
  virtual void OnTextEntryCompletion(const char* /*str*/, int /*valIdx*/) {}
  virtual void OnContextSelection(int /*itemSelected*/) {}
  virtual void Draw(IGraphics& g) = 0;
  virtual void DrawPTHighlight(IGraphics& g);
  virtual void SetParamIdx(int paramIdx, int valIdx = 0);
  virtual int GetValIdxForPos(float /*x*/, float /*y*/) const { return NVals() == 1 ? 0 : kNoValIdx; }
  virtual void SetValueFromDelegate(double value, int valIdx = 0);
  virtual void SetValueFromUserInput(double value, int valIdx = 0);
  virtual void SetValueToDefault(int valIdx = kNoValIdx);
  /** Stores the value only: no clamping, no redraw. */
  virtual void SetValue(double value, int valIdx = 0) { mVals[valIdx].value = value; }
  virtual void SetText(const IText& txt) { mText = txt; }
  virtual void SetPosition(float x, float y);
  virtual void SetSize(float w, float h);
  virtual void Hide(bool hide);
  virtual void SetDisabled(bool disable);
  virtual void SetIgnoreMouse(bool ignore) { mIgnoreMouse = ignore; }
  virtual bool IsHit(float x, float y) const { return mTargetRect.Contains(x, y); }
  virtual void SetDirty(bool triggerAction = true, int valIdx = kNoValIdx);
  virtual void SetClean() { mDirty = false; }
  virtual bool IsDirty();
  virtual void OnGUIIdle() {}
  virtual bool GetWantsGestures() const { return !mGestureFuncs.empty() && !mAnimationFunc; }
  virtual void SnapToMouse(float x, float y, EDirection direction, const IRECT& bounds, int valIdx = kNoValIdx,
                           double minClip = 0., double maxClip = 1.);
  virtual void OnEndAnimation();

  OBJ_METHODS(IControl, FObject)

  int GetParamIdx(int valIdx = 0) const { return mVals[valIdx].idx; }
  /** The first value index linked to the parameter, or kNoValIdx. */
  int LinkedToParam(int paramIdx) const;
  /** Null when the value is unlinked or its parameter is outside the delegate's list. */
  IParam* GetParam(int valIdx = 0) const;
  double GetValue(int valIdx = 0) const { return mVals[valIdx].value; }
  int NVals() const { return static_cast<int>(mVals.size()); }

  /** The steady clock, in milliseconds, that animations are timed by; a test may stand in its own. */
  using AnimationClockFunc = double (*)();
  static AnimationClockFunc sAnimationClock;

  /** 0 without an animation; above 1 once the time is up. */
  double GetAnimationProgress() const;
  void StartAnimation(int durationMs);
  void SetAnimation(IAnimationFunction func) { mAnimationFunc = std::move(func); }
  void SetAnimationEndActionFunction(IActionFunction func) { mAnimationEndActionFunc = std::move(func); }
  void SetActionFunction(IActionFunction func) { mActionFunc = std::move(func); }
  const IActionFunction& GetActionFunction() const { return mActionFunc; }
  const IAnimationFunction& GetAnimationFunction() const { return mAnimationFunc; }
  void Animate();

  IControl* AttachGestureRecognizer(EGestureType type, IGestureFunc func);
  EGestureType GetLastGesture() const { return mLastGesture; }

  void PromptUserInput(int valIdx);
  void PromptUserInput(const IRECT& bounds, int valIdx);

  void SetPTParameterHighlight(bool isHighlighted, int colorIdx);
  bool GetPTParameterHighlighted() const { return mPTisHighlighted; }
  const IColor& GetPTHighlightColor() const { return mPTHighlightColor; }

  const IRECT& GetRECT() const { return mRect; }
  void SetRECT(const IRECT& bounds) { mRect = bounds; }
  const IRECT& GetTargetRECT() const { return mTargetRect; }
  /** Also forgets the hover state, which belongs to the old target. */
  void SetTargetRECT(const IRECT& bounds)
  {
    mTargetRect = bounds;
    mMouseIsOver = false;
  }
  void SetTargetAndDrawRECTs(const IRECT& bounds)
  {
    mRect = bounds;
    SetTargetRECT(bounds);
  }

  const char* GetGroup() const { return mGroup.c_str(); }
  void SetGroup(const char* groupName) { mGroup = groupName ? groupName : ""; }
  const char* GetTooltip() const { return mTooltip.c_str(); }
  void SetTooltip(const char* str) { mTooltip = str ? str : ""; }
  const IText& GetText() const { return mText; }
  const IBlend& GetBlend() const { return mBlend; }
  void SetBlend(const IBlend& blend) { mBlend = blend; }
  int GetTextEntryLength() const { return mTextEntryLength; }
  void SetTextEntryLength(int len) { mTextEntryLength = len; }

  bool IsHidden() const { return mHide; }
  bool IsDisabled() const { return mDisabled; }
  bool GetIgnoreMouse() const { return mIgnoreMouse; }
  bool GetMouseIsOver() const { return mMouseIsOver; }
  /** For a layout that moves the control away from under the mouse; no redraw is asked for. */
  void SetMouseIsOver(bool over) { mMouseIsOver = over; }
  bool GetPromptDisabled() const { return mDisablePrompt; }
  void DisablePrompt(bool disable) { mDisablePrompt = disable; }
  bool GetDblAsSingleClick() const { return mDblAsSingleClick; }
  void SetDblAsSingleClick(bool single) { mDblAsSingleClick = single; }
  bool GetMouseOverWhenDisabled() const { return mMouseOverWhenDisabled; }
  void SetMouseOverWhenDisabled(bool allow) { mMouseOverWhenDisabled = allow; }
  bool GetMouseEventsWhenDisabled() const { return mMouseEventsWhenDisabled; }
  void SetMouseEventsWhenDisabled(bool allow) { mMouseEventsWhenDisabled = allow; }
  bool GetWantsMidi() const { return mWantsMidi; }
  void SetWantsMidi(bool enable) { mWantsMidi = enable; }
  bool GetWantsMultiTouch() const { return mWantsMultiTouch; }
  void SetWantsMultiTouch(bool enable) { mWantsMultiTouch = enable; }
  bool GetPromptShowsParamLabel() const { return mPromptShowsParamLabel; }
  void SetPromptShowsParamLabel(bool enable) { mPromptShowsParamLabel = enable; }

  IContainerBase* GetParent() const { return mParent; }
  void SetParent(IContainerBase* pParent) { mParent = pParent; }
  IGEditorDelegate* GetDelegate() const { return mDelegate; }
  void SetDelegate(IGEditorDelegate& dlg) { mDelegate = &dlg; }
  IGraphics* GetUI() const { return mGraphics; }
  void SetGraphics(IGraphics* pGraphics) { mGraphics = pGraphics; }
  /** Ends when the control is deleted or its editor closes: a prompt's completion that touches the
      control is guarded by it, since the user may answer after the control or the editor is gone. */
  const ILifetime& GetLifetime() const { return mLifetime; }
  void EndLifetime() { mLifetime.End(); }

protected:
  /** The value indices an operation covers: valIdx alone, or every value for kNoValIdx. An index
      the control does not have covers nothing. */
  template <typename Func>
  void ForValIdx(int valIdx, Func func)
  {
    if (valIdx > kNoValIdx)
    {
      if (valIdx < NVals())
        func(valIdx);
    }
    else
      for (int v = 0; v < NVals(); ++v)
        func(v);
  }

  IRECT mRect;
  IRECT mTargetRect;
  std::string mGroup;
  IText mText = DEFAULT_TEXT;
  IBlend mBlend;
  int mTextEntryLength = 7;
  bool mDirty = true;
  bool mHide = false;
  bool mDisabled = false;
  bool mDisablePrompt = true;
  bool mDblAsSingleClick = false;
  bool mMouseOverWhenDisabled = false;
  bool mMouseEventsWhenDisabled = false;
  bool mIgnoreMouse = false;
  bool mWantsMidi = false;
  bool mWantsMultiTouch = false;
  bool mPromptShowsParamLabel = false;
  bool mMouseIsOver = false;
  std::string mTooltip;
  IColor mPTHighlightColor = COLOR_RED;
  bool mPTisHighlighted = false;
  IContainerBase* mParent = nullptr;
  IGEditorDelegate* mDelegate = nullptr;
  IGraphics* mGraphics = nullptr;
  IActionFunction mActionFunc;
  IActionFunction mAnimationEndActionFunc;
  IAnimationFunction mAnimationFunc;
  double mAnimationStartTime = 0.;
  double mAnimationDuration = 0.;
  std::vector<ParamTuple> mVals;
  std::unordered_map<EGestureType, IGestureFunc> mGestureFuncs;
  EGestureType mLastGesture = EGestureType::Unknown;
  ILifetime mLifetime;
};

} // namespace igraphics
} // namespace iplug
