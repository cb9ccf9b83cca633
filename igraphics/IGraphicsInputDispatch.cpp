// Which control receives each mouse, key, drop and gesture event, the captures and hover that
// carry a gesture from press to release, the host's edit gestures around them, and the computer
// keyboard played as a MIDI keyboard.
#include "igraphics/IGraphics.h"

#include <algorithm>

#include "igraphics/ICornerResizerControl.h"
#include "igraphics/IFPSDisplayControl.h"
#include "igraphics/IGraphicsEditorDelegate.h"
#include "igraphics/controls/IPopupMenuControl.h"
#include "igraphics/controls/ITextEntryControl.h"
#include "utility/UTF8.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"

namespace iplug
{
namespace igraphics
{

namespace
{

// Shared by every editor of the process, as one computer keyboard is.
struct QwertyMidiState
{
  int base = 48;
  bool held[128] = {};
};

QwertyMidiState& QwertyMidi()
{
  static QwertyMidiState state;
  return state;
}

// The note each letter plays above the base note; -1 for letters without one.
int QwertyNoteOffset(int vk)
{
  switch (vk)
  {
  case 'A': return 0;
  case 'W': return 1;
  case 'S': return 2;
  case 'E': return 3;
  case 'D': return 4;
  case 'F': return 5;
  case 'T': return 6;
  case 'G': return 7;
  case 'Y': return 8;
  case 'H': return 9;
  case 'U': return 10;
  case 'J': return 11;
  case 'K': return 12;
  case 'O': return 13;
  case 'L': return 14;
  default: return -1;
  }
}

constexpr int kQwertyLowestBase = 24;
constexpr int kQwertyHighestBase = 96;
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;

int ParamIdxAt(const IControl& control, float x, float y)
{
  const int valIdx = std::max(control.GetValIdxForPos(x, y), 0);
  return valIdx < control.NVals() ? control.GetParamIdx(valIdx) : kNoParameter;
}

void AppendToHostMenu(Steinberg::Vst::IContextMenu& hostMenu, const IPopupMenu& menu,
                      Steinberg::Vst::IContextMenuTarget* pTarget, int& nextTag)
{
  using Item = Steinberg::Vst::IContextMenuItem;
  for (int i = 0; i < menu.NItems(); ++i)
  {
    const IPopupMenu::Item* pItem = menu.GetItem(i);
    Item entry{};
    brimvale::utility::UTF8ToUTF16Fixed(entry.name, 128, pItem->GetText());
    entry.tag = nextTag++;
    if (pItem->GetIsSeparator())
      entry.flags = Item::kIsSeparator;
    else if (pItem->GetSubmenu())
      entry.flags = Item::kIsGroupStart;
    else if (pItem->GetChecked())
      entry.flags = Item::kIsChecked | (pItem->GetEnabled() ? 0 : Item::kIsDisabled);
    else if (!pItem->GetEnabled())
      entry.flags = Item::kIsDisabled;
    hostMenu.addItem(entry, pTarget);

    if (entry.flags == Item::kIsGroupStart)
    {
      AppendToHostMenu(hostMenu, *pItem->GetSubmenu(), pTarget, nextTag);
      Item end{};
      brimvale::utility::UTF8ToUTF16Fixed(end.name, 128, pItem->GetText());
      end.tag = nextTag++;
      end.flags = Item::kIsGroupEnd;
      hostMenu.addItem(end, pTarget);
    }
  }
}

} // namespace

int IGraphics::GetMouseControlIdx(float x, float y, bool mouseOver)
{
  if (mouseOver && !mEnableMouseOver)
    return -1;

  // The background at index 0 never takes hover.
  const int lowest = mouseOver ? 1 : 0;
  for (int i = NControls() - 1; i >= lowest; --i)
  {
    const IControl* pControl = GetControl(i);
    if (pControl->IsHidden() || pControl->GetIgnoreMouse())
      continue;
    if (pControl->IsDisabled() &&
        !(mouseOver ? pControl->GetMouseOverWhenDisabled() : pControl->GetMouseEventsWhenDisabled()))
      continue;
    if (pControl->IsHit(x, y))
      return i;
  }
  return -1;
}

IControl* IGraphics::GetMouseControl(float x, float y, bool capture, bool mouseOver, uint64_t touchID)
{
  auto captured = mCapturedMap.find(touchID);
  if (captured != mCapturedMap.end())
    return captured->second;

  IControl* pControl = nullptr;
  int idx = -1;
  // An open drawn menu or text entry takes every event, so a click outside can close it. While the
  // menu fades in or out, clicks reach the controls below; a submenu fading in beside a menu that
  // is already open must not let a click through that menu.
  auto* pPopupMenu = static_cast<IPopupMenuControl*>(mPopupControl.get());
  auto* pTextEntry = static_cast<ITextEntryControl*>(mTextEntryControl.get());
  if (pPopupMenu && (pPopupMenu->GetExpanded() || pPopupMenu->GetState() == IPopupMenuControl::kSubmenuAppearing))
    pControl = pPopupMenu;
  else if (pTextEntry && pTextEntry->IsEditing())
    pControl = pTextEntry;
  else if (mCornerResizer && mCornerResizer->GetRECT().Contains(x, y))
    pControl = mCornerResizer.get();
  else if (mPerfDisplay && mPerfDisplay->GetRECT().Contains(x, y))
    pControl = mPerfDisplay.get();
  else
  {
    idx = GetMouseControlIdx(x, y, mouseOver);
    pControl = idx >= 0 ? GetControl(idx) : nullptr;
  }

  if (capture && pControl)
  {
    if (mEnableMultiTouch && !pControl->GetWantsMultiTouch() && ControlIsCaptured(pControl))
      return nullptr;
    mCapturedMap.emplace(touchID, pControl);
  }

  if (mouseOver)
    mMouseOverIdx = idx;
  return pControl;
}

void IGraphics::OnMouseDown(const std::vector<IMouseInfo>& points)
{
  if (points.size() == 1)
  {
    mMouseDownX = points.front().x;
    mMouseDownY = points.front().y;
  }

  for (const IMouseInfo& point : points)
  {
    IControl* pControl = GetMouseControl(point.x, point.y, true, false, point.ms.touchID);
    if (!pControl)
      continue;

    const int paramIdx = ParamIdxAt(*pControl, point.x, point.y);
    if (point.ms.R && paramIdx > kNoParameter)
    {
      // The host's menu takes the right click of a parameter control: no edit begins. A drag it
      // interrupts ends here, as its button-up will find no capture to end it.
      EndCapturedGestures();
      PopupHostContextMenuForParam(pControl, paramIdx, point.x, point.y);
      return;
    }

    BeginHostGestures(*pControl);
    pControl->OnMouseDown(point.x, point.y, point.ms);
  }
}

void IGraphics::OnMouseUp(const std::vector<IMouseInfo>& points)
{
  ReleaseTouches(points,
                 [](IControl& control, const IMouseInfo& point) { control.OnMouseUp(point.x, point.y, point.ms); });

  if (mResizingInProcess)
    EndDragResize();

  if (points.size() == 1 && points.front().ms.touchID == 0)
    OnMouseOver(points.front().x, points.front().y, points.front().ms);
}

void IGraphics::OnMouseDrag(const std::vector<IMouseInfo>& points)
{
  if (mResizingInProcess && points.size() == 1)
  {
    OnDragResize(points.front().x, points.front().y);
    return;
  }
  if (mCapturedMap.empty())
    return;
  // A platform text field is up: the editor below it holds still.
  if (mInTextEntry && !mTextEntryControl)
    return;

  for (const IMouseInfo& point : points)
  {
    auto captured = mCapturedMap.find(point.ms.touchID);
    if (captured == mCapturedMap.end())
      continue;
    IControl* pControl = captured->second;
    if (mInTextEntry && pControl != mTextEntryControl.get())
      continue;
    if (point.dX == 0.f && point.dY == 0.f)
      continue;
    pControl->OnMouseDrag(point.x, point.y, point.dX, point.dY, point.ms);
  }
}

void IGraphics::OnTouchCancelled(const std::vector<IMouseInfo>& points)
{
  // A cancelled touch still closes the host's gesture, or its automation would stay latched.
  ReleaseTouches(
    points, [](IControl& control, const IMouseInfo& point) { control.OnTouchCancelled(point.x, point.y, point.ms); });
}

void IGraphics::ReleaseTouches(const std::vector<IMouseInfo>& points,
                               const std::function<void(IControl&, const IMouseInfo&)>& notify)
{
  for (const IMouseInfo& point : points)
  {
    auto captured = mCapturedMap.find(point.ms.touchID);
    if (captured == mCapturedMap.end())
      continue;
    IControl* pControl = captured->second;
    // Read before the control runs: it may remove itself, and its gesture must end all the same.
    const std::vector<int> params = LinkedParams(*pControl);
    notify(*pControl, point);
    for (int paramIdx : params)
      EndHostGesture(paramIdx);
    mCapturedMap.erase(point.ms.touchID);
  }
}

bool IGraphics::OnMouseDblClick(float x, float y, const IMouseMod& mod)
{
  IControl* pControl = GetMouseControl(x, y, true, false, mod.touchID);
  if (!pControl)
    return false;

  if (pControl->GetDblAsSingleClick())
  {
    IMouseInfo click;
    click.x = x;
    click.y = y;
    click.ms = mod;
    OnMouseDown({click});
  }
  else
  {
    // Back to the default is an edit of its own, as a turn of the wheel is.
    EditInOwnGestures([&] { pControl->OnMouseDblClick(x, y, mod); });
    EndCapturedGestures();
  }
  return true;
}

bool IGraphics::OnMouseOver(float x, float y, const IMouseMod& mod)
{
  IControl* pControl = GetMouseControl(x, y, false, true, mod.touchID);
  if (pControl != mMouseOver)
  {
    if (mMouseOver)
      mMouseOver->OnMouseOut();
    mMouseOver = pControl;
  }
  if (mMouseOver)
    mMouseOver->OnMouseOver(x, y, mod);
  return pControl != nullptr;
}

void IGraphics::OnMouseOut()
{
  // Kept so that re-entering the view shows the cursor that was showing when the mouse left.
  mCursorType = SetMouseCursor(ECursor::ARROW);
  ForAllControls(&IControl::OnMouseOut);
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
}

bool IGraphics::OnMouseWheel(float x, float y, const IMouseMod& mod, float delta)
{
  IControl* pControl = GetMouseControl(x, y, false, false, mod.touchID);
  if (!pControl)
    return false;

  // A turn of the wheel is an edit of its own, unless it comes during a press on the control.
  EditInOwnGestures([&] { pControl->OnMouseWheel(x, y, mod, delta); });
  return true;
}

bool IGraphics::OnKeyDown(float x, float y, const IKeyPress& key)
{
  IControl* pControl = GetMouseControl(x, y, false);
  if (pControl && pControl != GetControl(0) && pControl->OnKeyDown(x, y, key))
    return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, false) : false;
}

bool IGraphics::OnKeyUp(float x, float y, const IKeyPress& key)
{
  IControl* pControl = GetMouseControl(x, y, false);
  if (pControl && pControl != GetControl(0) && pControl->OnKeyUp(x, y, key))
    return true;
  return mKeyHandlerFunc ? mKeyHandlerFunc(key, true) : false;
}

void IGraphics::OnDrop(const char* str, float x, float y)
{
  if (IControl* pControl = GetMouseControl(x, y, false))
    pControl->OnDrop(str);
}

void IGraphics::OnDropMultiple(const std::vector<const char*>& paths, float x, float y)
{
  if (IControl* pControl = GetMouseControl(x, y, false))
    pControl->OnDropMultiple(paths);
}

void IGraphics::OnDragResize(float x, float y)
{
  if (mGUISizeMode == EUIResizerMode::Scale)
  {
    // The drag began on the resizer, inside the editor; a press outside it has no scale to take.
    if (mMouseDownX <= 0.f || mMouseDownY <= 0.f)
      return;
    const float scale = std::min(x * mDrawScale / mMouseDownX, y * mDrawScale / mMouseDownY);
    Resize(mWidth, mHeight, scale);
  }
  else
  {
    Resize(static_cast<int>(x), static_cast<int>(y), mDrawScale);
  }
}

void IGraphics::EndDragResize()
{
  mResizingInProcess = false;
  if (mGUISizeMode == EUIResizerMode::Scale)
  {
    ForAllControls(&IControl::OnRescale);
    SetAllControlsDirty();
  }
  else if (mCornerResizer)
  {
    mCornerResizer->SetDirty(false);
  }
}

void IGraphics::OnGUIIdle()
{
  ForAllControls(&IControl::OnGUIIdle);
}

void IGraphics::OnAppearanceChanged(EUIAppearance appearance)
{
  if (mAppearanceChangedFunc)
    mAppearanceChangedFunc(appearance);
}

void IGraphics::SetQwertyMidiKeyHandlerFunc(std::function<void(const IMidiMsg& msg)> func)
{
  mQwertyMidiFunc = std::move(func);
  mKeyHandlerFunc = [this](const IKeyPress& key, bool isUp) {
    QwertyMidiState& state = QwertyMidi();
    const int offset = QwertyNoteOffset(key.VK);
    if (offset >= 0)
    {
      const int pitch = state.base + offset;
      if (!isUp && !state.held[pitch])
      {
        state.held[pitch] = true;
        SendQwertyNote(kNoteOn, pitch, 127);
      }
      else if (isUp && state.held[pitch])
      {
        state.held[pitch] = false;
        SendQwertyNote(kNoteOff, pitch, 0);
      }
    }
    else if (!isUp && (key.VK == 'Z' || key.VK == 'X'))
    {
      state.base = std::clamp(state.base + (key.VK == 'Z' ? -12 : 12), kQwertyLowestBase, kQwertyHighestBase);
      // The sounding notes are stopped and forgotten, so their keys play again in any octave.
      for (int pitch = 0; pitch < 128; ++pitch)
        if (state.held[pitch])
        {
          state.held[pitch] = false;
          SendQwertyNote(kNoteOff, pitch, 0);
        }
    }
    return true;
  };
}

void IGraphics::SendQwertyNote(uint8_t status, int pitch, uint8_t velocity)
{
  mQwertyNotesOn[pitch] = status == kNoteOn;
  const IMidiMsg msg(0, status, static_cast<uint8_t>(pitch), velocity);
  mDelegate->SendMidiMsgFromUI(msg);
  if (mQwertyMidiFunc)
    mQwertyMidiFunc(msg);
}

void IGraphics::ReleaseQwertyMidiNotes()
{
  // A key still down when the editor goes will send its key-up nowhere; its note stops here, and
  // its mark is cleared so that the key plays again in the next editor.
  QwertyMidiState& state = QwertyMidi();
  for (int pitch = 0; pitch < 128; ++pitch)
    if (mQwertyNotesOn[pitch])
    {
      state.held[pitch] = false;
      SendQwertyNote(kNoteOff, pitch, 0);
    }
}

bool IGraphics::RespondsToGesture(float x, float y)
{
  IControl* pControl = GetMouseControl(x, y, false);
  if (pControl && pControl->GetWantsGestures())
    return true;
  for (int i = 0; i < mGestureRegions.Size(); ++i)
    if (mGestureRegions.Get(i).Contains(x, y))
      return true;
  return false;
}

void IGraphics::OnGestureRecognized(const IGestureInfo& info)
{
  IControl* pControl = GetMouseControl(info.x, info.y, false);
  if (pControl && pControl->GetWantsGestures())
  {
    pControl->OnGesture(info);
    return;
  }
  for (int i = 0; i < mGestureRegions.Size(); ++i)
  {
    if (!mGestureRegions.Get(i).Contains(info.x, info.y))
      continue;
    auto func = mGestureRegionFuncs.find(i);
    if (func != mGestureRegionFuncs.end() && func->second)
      func->second(nullptr, info);
    return;
  }
}

void IGraphics::AttachGestureRecognizerToRegion(const IRECT& bounds, EGestureType type, IGestureFunc func)
{
  if (!mGestureRegions.Add(bounds))
    return;
  AttachGestureRecognizer(type);
  mGestureRegionFuncs.emplace(mGestureRegions.Size() - 1, std::move(func));
}

void IGraphics::ClearGestureRegions()
{
  mGestureRegions.Clear();
  mGestureRegionFuncs.clear();
}

void IGraphics::PopupHostContextMenuForParam(IControl* pControl, int paramIdx, float x, float y)
{
  mPromptPopupMenu.Clear();
  if (pControl)
    pControl->CreateContextMenu(mPromptPopupMenu);

  Steinberg::IPtr<Steinberg::Vst::IContextMenu> hostMenu = Steinberg::owned(
    mDelegate->CreateHostContextMenuForParam(paramIdx));
  if (!hostMenu)
    return;

  int nextTag = 0;
  AppendToHostMenu(*hostMenu, mPromptPopupMenu, pControl, nextTag);
  hostMenu->popup(static_cast<Steinberg::UCoord>(x * mDrawScale), static_cast<Steinberg::UCoord>(y * mDrawScale));
}

void IGraphics::PopupHostContextMenuForParam(int controlIdx, int paramIdx, float x, float y)
{
  PopupHostContextMenuForParam(GetControl(controlIdx), paramIdx, x, y);
}

int IGraphics::GetParamIdxForPTAutomation(float x, float y)
{
  const int idx = GetMouseControlIdx(x, y);
  mLastClickedParam = idx >= 0 ? GetControl(idx)->GetParamIdx(0) : kNoParameter;
  return mLastClickedParam;
}

int IGraphics::GetLastClickedParamForPTAutomation()
{
  const int paramIdx = mLastClickedParam;
  mLastClickedParam = kNoParameter;
  return paramIdx;
}

void IGraphics::SetPTParameterHighlight(int paramIdx, bool isHighlighted, int color)
{
  ForMatchingControls(&IControl::SetPTParameterHighlight, paramIdx, isHighlighted, color);
}

void IGraphics::BeginHostGesture(int paramIdx)
{
  if (paramIdx < 0 || HostGestureIsOpen(paramIdx))
    return;
  mOpenGestures.push_back(paramIdx);
  mDelegate->BeginInformHostOfParamChangeFromUI(paramIdx);
}

void IGraphics::EndHostGesture(int paramIdx)
{
  auto open = std::find(mOpenGestures.begin(), mOpenGestures.end(), paramIdx);
  if (open == mOpenGestures.end())
    return;
  mOpenGestures.erase(open);
  mDelegate->EndInformHostOfParamChangeFromUI(paramIdx);
}

void IGraphics::EndHostGestures()
{
  while (!mOpenGestures.empty())
    EndHostGesture(mOpenGestures.front());
}

void IGraphics::BeforeParamEditFromUI(int paramIdx)
{
  if (!mOwnGestures || HostGestureIsOpen(paramIdx))
    return;
  BeginHostGesture(paramIdx);
  mOwnGestures->push_back(paramIdx);
}

void IGraphics::EditInOwnGestures(const std::function<void()>& edit)
{
  std::vector<int> begun;
  mOwnGestures = &begun;
  edit();
  mOwnGestures = nullptr;
  for (int paramIdx : begun)
    EndHostGesture(paramIdx);
}

bool IGraphics::HostGestureIsOpen(int paramIdx) const
{
  return std::find(mOpenGestures.begin(), mOpenGestures.end(), paramIdx) != mOpenGestures.end();
}

std::vector<int> IGraphics::LinkedParams(const IControl& control)
{
  std::vector<int> params;
  for (int v = 0; v < control.NVals(); ++v)
    if (control.GetParamIdx(v) > kNoParameter)
      params.push_back(control.GetParamIdx(v));
  return params;
}

void IGraphics::BeginHostGestures(const IControl& control)
{
  for (int paramIdx : LinkedParams(control))
    BeginHostGesture(paramIdx);
}

void IGraphics::EndHostGestures(const IControl& control)
{
  for (int paramIdx : LinkedParams(control))
    EndHostGesture(paramIdx);
}

} // namespace igraphics
} // namespace iplug
