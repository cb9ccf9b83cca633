// The editor view with a small plug-in whose editor only records what the view asks of it.
#include "iplug/vst3/IPlugVST3.h"
#include "iplug/vst3/IPlugVST3View.h"
#include "tools/host/HostContext.h"
#include "tools/host/HostedView.h"

#include "pluginterfaces/base/keycodes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace iplug;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

#if defined(_WIN32)
const char* const kOurType = kPlatformTypeHWND;
#elif defined(BRIMVALE_MACOS)
const char* const kOurType = kPlatformTypeNSView;
#else
const char* const kOurType = kPlatformTypeHeadless;
#endif

Config ViewConfig(bool hasUI, bool hostResize)
{
  Config c;
  c.nParams = 1;
  c.channelIOStr = "0-2";
  c.pluginName = "View Test";
  c.plugType = kInstrument;
  c.plugHasUI = hasUI;
  c.plugWidth = 400;
  c.plugHeight = 300;
  c.plugMinWidth = 200;
  c.plugMaxWidth = 800;
  c.plugMinHeight = 150;
  c.plugMaxHeight = 600;
  c.plugHostResize = hostResize;
  return c;
}

class EditorPlug : public IPlugVST3<IEditorDelegate>
{
public:
  explicit EditorPlug(bool hasUI = true, bool hostResize = true)
  : IPlugVST3(InstanceInfo(), ViewConfig(hasUI, hostResize))
  {
    GetParam(0)->InitDouble("Gain", 0.5, 0.0, 1.0, 0.01);
  }

  void* OpenWindow(void* parent) override
  {
    calls += "open ";
    openedIn = parent;
    return window;
  }
  void CloseWindow() override { calls += "close "; }
  void OnParentWindowResize(int w, int h) override { parentResizes.push_back({w, h}); }
  bool OnKeyDown(const IKeyPress& key) override { return Key(key, "down"); }
  bool OnKeyUp(const IKeyPress& key) override { return Key(key, "up"); }
  bool ConstrainEditorResize(int& w, int& h) const override
  {
    constrained.push_back({w, h});
    return IPlugVST3::ConstrainEditorResize(w, h);
  }

  void* window = &windowObject; // null: the editor fails to make its window
  bool handlesKeys = true;
  std::string calls;
  void* openedIn = nullptr;
  std::vector<std::pair<int, int>> parentResizes;
  mutable std::vector<std::pair<int, int>> constrained;
  std::vector<std::pair<std::string, IKeyPress>> keys;

private:
  bool Key(const IKeyPress& key, const char* direction)
  {
    keys.push_back({direction, key});
    return handlesKeys;
  }
  int windowObject = 0;
};

class MenuTarget : public FObject, public IContextMenuTarget
{
public:
  tresult PLUGIN_API executeMenuItem(int32 tag) override
  {
    executed.push_back(tag);
    return kResultOk;
  }
  std::vector<int32> executed;

  OBJ_METHODS(MenuTarget, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(IContextMenuTarget)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)
};

struct Release
{
  template <class T>
  void operator()(T* p) const
  {
    p->release();
  }
};
using ViewPtr = std::unique_ptr<IPlugView, Release>;

class IPlugVST3ViewTest : public ::testing::Test
{
protected:
  // A fresh plug-in in place of the current one.
  void Make(bool hasUI = true, bool hostResize = true, const char* hostName = "Brimvale Test Host")
  {
    Terminate();
    host = std::make_unique<testhost::NamedHostApplication>(hostName);
    plug.reset(new EditorPlug(hasUI, hostResize));
    ASSERT_EQ(plug->initialize(host.get()), kResultOk);
  }
  void SetUp() override { Make(); }
  void TearDown() override { Terminate(); }
  void Terminate()
  {
    if (!plug)
      return;
    plug->setComponentHandler(nullptr);
    plug->terminate();
    plug.reset();
  }
  ViewPtr MakeView() { return ViewPtr(plug->createView(ViewType::kEditor)); }

  std::unique_ptr<testhost::NamedHostApplication> host; // the SDK's host object is not reference counted
  std::unique_ptr<EditorPlug, Release> plug;
  int parentObject = 0;
  void* const parent = &parentObject;
};

} // namespace

TEST_F(IPlugVST3ViewTest, OnlyTheEditorNameMakesAViewAndTheControllerKnowsIt)
{
  for (const char* name : {"Editor", "editor ", "", "parameters"})
    EXPECT_EQ(plug->createView(name), nullptr) << name;
  EXPECT_EQ(plug->createView(nullptr), nullptr);
  EXPECT_EQ(plug->GetView(), nullptr);

  ViewPtr first = MakeView();
  ASSERT_TRUE(first);
  EXPECT_EQ(static_cast<IPlugView*>(plug->GetView()), first.get());
  ViewPtr second = MakeView();
  first.reset();
  EXPECT_EQ(static_cast<IPlugView*>(plug->GetView()), second.get()) << "an older view forgets only itself";
  second.reset();
  EXPECT_EQ(plug->GetView(), nullptr);
}

TEST_F(IPlugVST3ViewTest, APluginWithoutAnEditorHasNoViewAndIgnoresResizes)
{
  Make(false);
  EXPECT_EQ(plug->createView(ViewType::kEditor), nullptr);
  EXPECT_TRUE(plug->EditorResizeFromUI(500, 350, true));
  EXPECT_EQ(plug->GetEditorWidth(), 400);
  EXPECT_EQ(plug->GetEditorHeight(), 300);
}

TEST_F(IPlugVST3ViewTest, OnlyThisPlatformsWindowTypeIsSupported)
{
  ViewPtr view = MakeView();
  EXPECT_EQ(view->isPlatformTypeSupported(kOurType), kResultTrue);
  for (FIDString type : {kPlatformTypeHWND, kPlatformTypeNSView, kPlatformTypeHIView, kPlatformTypeX11EmbedWindowID,
                         kPlatformTypeUIView, "BrimvaleHeadless"})
  {
    if (std::string(type) != kOurType)
    {
      EXPECT_EQ(view->isPlatformTypeSupported(type), kResultFalse) << type;
    }
  }
  EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
}

TEST_F(IPlugVST3ViewTest, AttachingOpensTheEditorInTheParentAndRemovingClosesIt)
{
  ViewPtr view = MakeView();
  const char* otherType = std::string(kOurType) == kPlatformTypeHWND ? kPlatformTypeNSView : kPlatformTypeHWND;
  EXPECT_EQ(view->attached(parent, otherType), kResultFalse);
  EXPECT_EQ(view->attached(nullptr, kOurType), kResultFalse);
  EXPECT_EQ(plug->calls, "") << "a refused attach opens nothing";

  ASSERT_EQ(view->attached(parent, kOurType), kResultOk);
  EXPECT_EQ(plug->openedIn, parent);
  EXPECT_EQ(view->attached(parent, kOurType), kResultFalse) << "one window at a time";
  EXPECT_EQ(view->removed(), kResultOk);
  EXPECT_EQ(view->removed(), kResultFalse) << "nothing left to close";
  EXPECT_EQ(plug->calls, "open close ");
}

// The editor may fail to make its window; the host must hear so, and the view must not close a
// window that never opened.
TEST_F(IPlugVST3ViewTest, AnEditorThatMadeNoWindowLeavesTheViewUnattached)
{
  ViewPtr view = MakeView();
  plug->window = nullptr;
  EXPECT_EQ(view->attached(parent, kOurType), kResultFalse);
  EXPECT_EQ(view->removed(), kResultFalse);
  EXPECT_EQ(plug->calls, "open ");

  plug->calls.clear();
  plug->window = parent;
  ASSERT_EQ(view->attached(parent, kOurType), kResultOk) << "a later attach is not refused";
  view.reset();
  EXPECT_EQ(plug->calls, "open close ");
}

TEST_F(IPlugVST3ViewTest, GetSizeGivesTheEditorSize)
{
  ViewPtr view = MakeView();
  ViewRect rect(5, 5, 6, 6);
  ASSERT_EQ(view->getSize(&rect), kResultOk);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 400);
  EXPECT_EQ(rect.bottom, 300);
  EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
}

TEST_F(IPlugVST3ViewTest, HostResizesReachTheEditorOnlyWhenTheHostMayResize)
{
  for (bool hostResize : {true, false})
  {
    Make(true, hostResize);
    ViewPtr view = MakeView();
    ViewRect rect(10, 20, 510, 420);
    EXPECT_EQ(view->canResize(), hostResize ? kResultTrue : kResultFalse);
    EXPECT_EQ(view->onSize(&rect), hostResize ? kResultOk : kResultFalse);
    EXPECT_EQ(view->onSize(nullptr), kResultFalse);
    using Sizes = std::vector<std::pair<int, int>>;
    EXPECT_EQ(plug->parentResizes, (hostResize ? Sizes{{500, 400}} : Sizes{})) << hostResize;
    EXPECT_EQ(static_cast<IPlugVST3View*>(view.get())->getRect().left, hostResize ? 10 : 0);
  }
}

TEST_F(IPlugVST3ViewTest, CheckSizeConstraintWidensATooSmallRectangleFromItsCorner)
{
  ViewPtr view = MakeView();
  const struct
  {
    ViewRect in;
    ViewRect out;
  } cases[] = {
    {{10, 20, 110, 320}, {10, 20, 210, 320}}, // too narrow
    {{-5, 7, 895, 107}, {-5, 7, 795, 157}},   // too wide and too low
    {{10, 20, 510, 420}, {10, 20, 510, 420}}, // within bounds
  };
  for (const auto& c : cases)
  {
    ViewRect rect = c.in;
    EXPECT_EQ(view->checkSizeConstraint(&rect), kResultOk);
    EXPECT_EQ(rect.left, c.out.left);
    EXPECT_EQ(rect.top, c.out.top);
    EXPECT_EQ(rect.right, c.out.right) << c.in.left << "," << c.in.top;
    EXPECT_EQ(rect.bottom, c.out.bottom) << c.in.left << "," << c.in.top;
  }
  using Sizes = std::vector<std::pair<int, int>>;
  EXPECT_EQ(plug->constrained, (Sizes{{100, 300}, {900, 100}, {500, 400}}));
  EXPECT_EQ(view->checkSizeConstraint(nullptr), kInvalidArgument);
}

TEST(IPlugVST3ViewKeys, VST3KeyCodesBecomeWindowsVirtualKeys)
{
  const struct
  {
    int keyCode;
    char ch;
    int vk;
  } cases[] = {
    {0, 'a', 65},
    {0, 'A', 65},
    {0, 'z', 90},
    {0, '7', 55},
    {0, '=', 0},
    {0, 0, 0},
    {KEY_EQUALS, '=', 0},
    {KEY_EQUALS, 'q', 81},
    {KEY_BACK, 0, 8},
    {KEY_TAB, 0, 9},
    {KEY_CLEAR, 0, 12},
    {KEY_RETURN, 0, 13},
    {KEY_ENTER, 0, 13},
    {KEY_PAUSE, 0, 19},
    {KEY_ESCAPE, 0, 27},
    {KEY_SPACE, 0, 32},
    {KEY_NEXT, 0, 34},
    {KEY_PAGEDOWN, 0, 34},
    {KEY_PAGEUP, 0, 33},
    {KEY_END, 0, 35},
    {KEY_HOME, 0, 36},
    {KEY_LEFT, 0, 37},
    {KEY_DOWN, 0, 40},
    {KEY_SELECT, 0, 41},
    {KEY_PRINT, 0, 42},
    {KEY_SNAPSHOT, 0, 44},
    {KEY_HELP, 0, 47},
    {KEY_NUMPAD0, 0, 96},
    {KEY_NUMPAD9, 0, 105},
    {KEY_MULTIPLY, 0, 106},
    {KEY_DIVIDE, 0, 111},
    {KEY_F1, 0, 112},
    {KEY_F12, 0, 123},
    {KEY_NUMLOCK, 0, 144},
    {KEY_SCROLL, 0, 145},
    {KEY_SHIFT, 0, 16},
    {KEY_CONTROL, 0, 17},
    {KEY_ALT, 0, 18},
    {KEY_CONTEXTMENU, 0, 0},
    {KEY_SUPER, 0, 0},
    {127, 0, 0},
    {-3, 0, 0},
    {128, 0, 48},
    {128 + 'A' - '0', 0, 65},
    {300, 'x', 220},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VSTKeyCodeToVK(c.keyCode, c.ch), c.vk) << "key code " << c.keyCode << " char " << int(c.ch);
}

TEST(IPlugVST3ViewKeys, HostKeyEventsBecomeKeyPresses)
{
  const struct
  {
    char16 key;
    int16 keyCode;
    int16 modifiers;
    const char* text;
    int vk;
    bool s, c, a;
  } cases[] = {
    {0, KEY_SPACE, 0, " ", 32, false, false, false},
    {u'a', 0, kShiftKey, "a", 65, true, false, false},
    {u'=', KEY_EQUALS, kCommandKey, "=", 0, false, true, false},
    {0, 128 + 'Q' - '0', kAlternateKey, "Q", 81, false, false, true},
    {0, 0x100 + 128, 0, "0", 0x100 + 48, false, false, false}, // only the low byte names the character
    {0, KEY_F5, kShiftKey | kCommandKey | kAlternateKey, "", 116, true, true, true},
    {0, KEY_LEFT, kControlKey, "", 37, false, false, false}, // the Mac control key is no modifier here
    {u'\u00e9', 0, 0, "", 0, false, false, false},           // two bytes in UTF-8: no text
    {u'\u20ac', 0, 0, "", 0, false, false, false},
    {0, 255, 0, "", 175, false, false, false},
  };
  for (const auto& t : cases)
  {
    const IKeyPress press = TranslateKeyMessage(t.key, t.keyCode, t.modifiers);
    EXPECT_STREQ(press.utf8, t.text) << t.keyCode;
    EXPECT_EQ(press.VK, t.vk) << t.keyCode;
    EXPECT_EQ(press.S, t.s) << t.keyCode;
    EXPECT_EQ(press.C, t.c) << t.keyCode;
    EXPECT_EQ(press.A, t.a) << t.keyCode;
  }
}

TEST_F(IPlugVST3ViewTest, KeysGoToTheEditorWhichDecidesWhetherTheyAreHandled)
{
  ViewPtr view = MakeView();
  EXPECT_EQ(view->onKeyDown(u'a', 0, kShiftKey), kResultOk);
  plug->handlesKeys = false;
  EXPECT_EQ(view->onKeyUp(0, KEY_RETURN, 0), kResultFalse);
  ASSERT_EQ(plug->keys.size(), 2u);
  EXPECT_EQ(plug->keys[0].first, "down");
  EXPECT_STREQ(plug->keys[0].second.utf8, "a");
  EXPECT_TRUE(plug->keys[0].second.S);
  EXPECT_EQ(plug->keys[1].first, "up");
  EXPECT_EQ(plug->keys[1].second.VK, 13);
}

TEST_F(IPlugVST3ViewTest, InReaperOnlyTheSpaceBarReachesTheEditor)
{
  Make(true, true, "REAPER");
  ASSERT_EQ(plug->GetHost(), kHostReaper);
  ViewPtr view = MakeView();
  EXPECT_EQ(view->onKeyDown(u'a', 0, 0), kResultFalse);
  EXPECT_EQ(view->onKeyDown(0, KEY_RETURN, 0), kResultFalse);
  EXPECT_TRUE(plug->keys.empty());
  EXPECT_EQ(view->onKeyDown(u'x', KEY_SPACE, kShiftKey), kResultOk);
  EXPECT_EQ(view->onKeyUp(0, KEY_SPACE, 0), kResultOk);
  ASSERT_EQ(plug->keys.size(), 2u);
  EXPECT_STREQ(plug->keys[0].second.utf8, " ");
  EXPECT_EQ(plug->keys[0].second.VK, 32);
  EXPECT_TRUE(plug->keys[0].second.S);
  EXPECT_EQ(plug->keys[1].first, "up");
}

TEST_F(IPlugVST3ViewTest, ReleasingAnAttachedViewClosesTheEditorOnceAndLetsGoOfThePlugin)
{
  const uint32 refsBefore = plug->getRefCount();
  ViewPtr view = MakeView();
  EXPECT_EQ(plug->getRefCount(), refsBefore + 1);
  ASSERT_EQ(view->attached(parent, kOurType), kResultOk);
  view.reset();
  EXPECT_EQ(plug->calls, "open close ");
  EXPECT_EQ(plug->getRefCount(), refsBefore);
  EXPECT_EQ(plug->GetView(), nullptr);
}

TEST_F(IPlugVST3ViewTest, AViewCanBeAttachedAndRemovedAgainAndAgain)
{
  ViewPtr view = MakeView();
  std::string expected;
  for (int i = 0; i < 20; ++i)
  {
    ASSERT_EQ(view->attached(parent, kOurType), kResultOk) << i;
    ASSERT_EQ(view->removed(), kResultOk) << i;
    expected += "open close ";
  }
  EXPECT_EQ(plug->calls, expected);
}

TEST_F(IPlugVST3ViewTest, TheViewAnswersForBothOfItsInterfaces)
{
  ViewPtr view = MakeView();
  for (const FUID* iid : {&FUnknown::iid, &IPlugView::iid, &IPlugViewContentScaleSupport::iid})
  {
    void* obj = nullptr;
    ASSERT_EQ(view->queryInterface(iid->toTUID(), &obj), kResultOk);
    ASSERT_NE(obj, nullptr);
    static_cast<FUnknown*>(obj)->release();
  }
  void* obj = nullptr;
  EXPECT_EQ(view->queryInterface(IPlugFrame::iid, &obj), kNoInterface);
  auto* ours = static_cast<IPlugVST3View*>(view.get());
  EXPECT_TRUE(ours->isTypeOf(CPluginView::getFClassID()));
  EXPECT_TRUE(ours->isA(IPlugVST3View::getFClassID()));

  FUnknownPtr<IPlugViewContentScaleSupport> scale(view.get());
  ASSERT_TRUE(scale);
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), kResultOk);
  ViewRect rect;
  view->getSize(&rect);
  EXPECT_EQ(rect.getWidth(), 400) << "the scale comes from the platform";
  EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
  EXPECT_EQ(view->onFocus(true), kResultFalse);
}

TEST_F(IPlugVST3ViewTest, EditorResizesAskTheHostFrameOnlyWhenTheSizeChanges)
{
  ViewPtr view = MakeView();
  EXPECT_TRUE(plug->EditorResizeFromUI(450, 320, true)) << "no frame yet";
  EXPECT_EQ(plug->GetEditorWidth(), 450);

  auto frame = owned(new testhost::RecordingPlugFrame());
  view->setFrame(frame);
  ASSERT_EQ(view->attached(parent, kOurType), kResultOk);
  EXPECT_TRUE(plug->EditorResizeFromUI(500, 350, true));
  EXPECT_TRUE(plug->EditorResizeFromUI(500, 350, true));
  ASSERT_EQ(frame->Resizes().size(), 1u);
  EXPECT_EQ(frame->Resizes()[0].view, view.get());
  const ViewRect& asked = frame->Resizes()[0].rect;
  EXPECT_EQ(asked.left, 0);
  EXPECT_EQ(asked.top, 0);
  EXPECT_EQ(asked.right, 500);
  EXPECT_EQ(asked.bottom, 350);
  EXPECT_EQ(plug->GetEditorWidth(), 500);
  EXPECT_EQ(plug->GetEditorHeight(), 350);
  view->removed();
  view->setFrame(nullptr);

  view.reset();
  EXPECT_TRUE(plug->EditorResizeFromUI(300, 200, true)) << "no view";
  EXPECT_EQ(plug->GetEditorWidth(), 300);
  EXPECT_EQ(plug->GetEditorHeight(), 200);
}

// The editor asks the host for its context menu through the controller's component handler.
TEST_F(IPlugVST3ViewTest, TheHostsContextMenuIsReachedThroughTheComponentHandler)
{
  EXPECT_EQ(plug->GetComponentHandler(), nullptr);
  auto handler = owned(new testhost::RecordingComponentHandler());
  plug->setComponentHandler(handler);
  ASSERT_NE(plug->GetComponentHandler(), nullptr);
  FUnknownPtr<IComponentHandler3> handler3(plug->GetComponentHandler());
  ASSERT_TRUE(handler3);

  auto target = owned(new MenuTarget());
  ViewPtr view = MakeView();
  handler->ChooseOnPopup(2);
  const ParamID param = 0;
  IContextMenu* menu = handler3->createContextMenu(view.get(), &param);
  ASSERT_NE(menu, nullptr);
  IContextMenuItem item{};
  item.tag = 1;
  menu->addItem(item, target);
  item.tag = 2;
  item.flags = IContextMenuItem::kIsChecked;
  menu->addItem(item, target);
  EXPECT_EQ(menu->popup(12, 34), kResultOk);
  menu->release();

  EXPECT_EQ(target->executed, std::vector<int32>{2});
  const auto& calls = handler->Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, testhost::RecordingComponentHandler::EKind::kContextMenu);
  EXPECT_EQ(calls[0].id, param);
  EXPECT_TRUE(calls[0].withView);
  EXPECT_EQ(calls[1].kind, testhost::RecordingComponentHandler::EKind::kPopup);
  EXPECT_EQ(calls[1].x, 12);
  EXPECT_EQ(calls[1].y, 34);
  ASSERT_EQ(handler->MenuItems().size(), 2u);
  EXPECT_EQ(handler->MenuItems()[1].flags, IContextMenuItem::kIsChecked);
  EXPECT_EQ(handler->MenuItems()[1].target, target.get());
}
