#include "iplug/vst3/IPlugVST3View.h"

#include "iplug/vst3/IPlugVST3Core.h"

#include "pluginterfaces/base/keycodes.h"

#include <cstring>

namespace iplug
{

using namespace Steinberg;

namespace
{

const char* EditorPlatformType()
{
#if defined(BRIMVALE_MACOS)
  return kPlatformTypeNSView;
#elif defined(_WIN32)
  return kPlatformTypeHWND;
#elif defined(__linux__)
  return kPlatformTypeHeadless;
#else
#error "no editor platform type for this system"
#endif
}

// Windows virtual keys of the VST3 key codes 1 .. KEY_ALT; key code 0 and KEY_EQUALS depend on the
// character instead.
constexpr int kFirstTableKeyCode = KEY_BACK;
constexpr int kVirtualKeys[] = {
  8,   // KEY_BACK
  9,   // KEY_TAB
  12,  // KEY_CLEAR
  13,  // KEY_RETURN
  19,  // KEY_PAUSE
  27,  // KEY_ESCAPE
  32,  // KEY_SPACE
  34,  // KEY_NEXT
  35,  // KEY_END
  36,  // KEY_HOME
  37,  // KEY_LEFT
  38,  // KEY_UP
  39,  // KEY_RIGHT
  40,  // KEY_DOWN
  33,  // KEY_PAGEUP
  34,  // KEY_PAGEDOWN
  41,  // KEY_SELECT
  42,  // KEY_PRINT
  13,  // KEY_ENTER
  44,  // KEY_SNAPSHOT
  45,  // KEY_INSERT
  46,  // KEY_DELETE
  47,  // KEY_HELP
  96,  // KEY_NUMPAD0
  97,  // KEY_NUMPAD1
  98,  // KEY_NUMPAD2
  99,  // KEY_NUMPAD3
  100, // KEY_NUMPAD4
  101, // KEY_NUMPAD5
  102, // KEY_NUMPAD6
  103, // KEY_NUMPAD7
  104, // KEY_NUMPAD8
  105, // KEY_NUMPAD9
  106, // KEY_MULTIPLY
  107, // KEY_ADD
  108, // KEY_SEPARATOR
  109, // KEY_SUBTRACT
  110, // KEY_DECIMAL
  111, // KEY_DIVIDE
  112, // KEY_F1
  113, // KEY_F2
  114, // KEY_F3
  115, // KEY_F4
  116, // KEY_F5
  117, // KEY_F6
  118, // KEY_F7
  119, // KEY_F8
  120, // KEY_F9
  121, // KEY_F10
  122, // KEY_F11
  123, // KEY_F12
  144, // KEY_NUMLOCK
  145, // KEY_SCROLL
  16,  // KEY_SHIFT
  17,  // KEY_CONTROL
  18,  // KEY_ALT
};
static_assert(kFirstTableKeyCode + static_cast<int>(sizeof(kVirtualKeys) / sizeof(kVirtualKeys[0])) == KEY_EQUALS);

// The offset between a VST3 ASCII key code and its character (KEY_0 is '0' + 80).
constexpr int kASCIIKeyCodeOffset = VKEY_FIRST_ASCII - '0';

char16 CharOfKeyCode(int16 keyCode)
{
  if (keyCode == KEY_SPACE)
    return ' ';
  const int lowByte = keyCode & 0xFF;
  return lowByte >= VKEY_FIRST_ASCII ? static_cast<char16>(lowByte - kASCIIKeyCodeOffset) : 0;
}

} // namespace

int VSTKeyCodeToVK(int keyCode, char ch)
{
  if (keyCode == 0 || keyCode == KEY_EQUALS)
  {
    if ((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))
      return ch;
    return ch >= 'a' && ch <= 'z' ? ch - ('a' - 'A') : 0;
  }
  if (keyCode >= VKEY_FIRST_ASCII)
    return keyCode - kASCIIKeyCodeOffset;
  if (keyCode >= kFirstTableKeyCode && keyCode < KEY_EQUALS)
    return kVirtualKeys[keyCode - kFirstTableKeyCode];
  return 0;
}

IKeyPress TranslateKeyMessage(char16 key, int16 keyCode, int16 modifiers)
{
  const char16 c = key ? key : CharOfKeyCode(keyCode);
  // Only a character whose UTF-8 form is a single byte becomes text.
  const char text[2] = {c < 0x80 ? static_cast<char>(c) : '\0', '\0'};
  return IKeyPress(text, VSTKeyCodeToVK(keyCode, text[0]), (modifiers & kShiftKey) != 0, (modifiers & kCommandKey) != 0,
                   (modifiers & kAlternateKey) != 0);
}

IPlugVST3View::IPlugVST3View(IPlugVST3Core& plug, IEditorDelegate& editor) : mPlug(plug), mEditor(editor)
{
  mPlug.addRef();
}

IPlugVST3View::~IPlugVST3View()
{
  // A host may release the view without removing it first; the editor must not outlive it.
  if (isAttached())
    removed();
  if (mPlug.GetView() == this)
    mPlug.SetView(nullptr);
  mPlug.release(); // last: it may delete the plug-in
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type)
{
  return mPlug.HasUI() && type && std::strcmp(type, EditorPlatformType()) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type)
{
  // A second attach would open a second window over the first; a null parent has nowhere to open.
  if (isAttached() || !parent || isPlatformTypeSupported(type) != kResultTrue)
    return kResultFalse;
  // Without a window the view stays unattached, so that removing it closes nothing.
  if (!mEditor.OpenWindow(parent))
    return kResultFalse;
  return CPluginView::attached(parent, type);
}

tresult PLUGIN_API IPlugVST3View::removed()
{
  // Only an attached view has a window to close (attaching needs an editor).
  if (!isAttached())
    return kResultFalse;
  mEditor.CloseWindow();
  return CPluginView::removed();
}

tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size)
{
  if (!size)
    return kInvalidArgument;
  if (!mPlug.HasUI())
    return kResultFalse;
  *size = ViewRect(0, 0, mEditor.GetEditorWidth(), mEditor.GetEditorHeight());
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize)
{
  if (!newSize || !mPlug.GetHostResizeEnabled())
    return kResultFalse;
  CPluginView::onSize(newSize);
  mEditor.OnParentWindowResize(newSize->getWidth(), newSize->getHeight());
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::canResize()
{
  return mPlug.HasUI() && mPlug.GetHostResizeEnabled() ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::checkSizeConstraint(ViewRect* rect)
{
  if (!rect)
    return kInvalidArgument;
  int w = rect->getWidth();
  int h = rect->getHeight();
  // The host measures in its window's pixels, which on a scaled display are not editor units.
  if (!mEditor.ConstrainParentWindowSize(w, h))
  {
    rect->right = rect->left + w;
    rect->bottom = rect->top + h;
  }
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::onKeyDown(char16 key, int16 keyCode, int16 modifiers)
{
  return SendKey(key, keyCode, modifiers, false);
}

tresult PLUGIN_API IPlugVST3View::onKeyUp(char16 key, int16 keyCode, int16 modifiers)
{
  return SendKey(key, keyCode, modifiers, true);
}

tresult PLUGIN_API IPlugVST3View::setContentScaleFactor(ScaleFactor)
{
  return kResultTrue;
}

void IPlugVST3View::RequestHostResize(int w, int h)
{
  if (!plugFrame)
    return;
  ViewRect rect(0, 0, w, h);
  plugFrame->resizeView(this, &rect); // the host answers with onSize, or not at all
}

tresult IPlugVST3View::SendKey(char16 key, int16 keyCode, int16 modifiers, bool up)
{
  // REAPER keeps every key for itself but the space bar, whatever character it reports with it.
  if (mPlug.GetHost() == kHostReaper)
  {
    if (keyCode != KEY_SPACE)
      return kResultFalse;
    key = 0;
  }
  const IKeyPress press = TranslateKeyMessage(key, keyCode, modifiers);
  const bool handled = up ? mEditor.OnKeyUp(press) : mEditor.OnKeyDown(press);
  return handled ? kResultTrue : kResultFalse;
}

} // namespace iplug
