// The instrument's own editor through a host: the built module's view attached on the headless
// platform, looked at by its pixels and worked with the mouse, while the host renders.
#include "tests/host/BrimvaleEditorSpots.h"
#include "tests/host/EditorRoadFixture.h"
#include "tests/host/TestSignal.h"
#include "tests/host/TestTempPath.h"
#include "tests/support/SignalMeasures.h"
#include "tools/host/BrimvaleState.h"
#include "tools/host/Render.h"
#include "tools/wav/WavFile.h"

#include "igraphics/IRECT.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>

namespace testhost
{
namespace
{

using iplug::igraphics::IRECT;
using signaltest::ToneAmplitude;

constexpr double kRate = 48000.0;
constexpr double kToneA = 440.0, kToneB = 1000.0;
constexpr size_t kWindow = 4800; // 44 cycles of A's tone, 100 of B's

const IRECT kInit(1208, 12, 1254, 36);
const IRECT kSpeedModeA(150, 66, 214, 94);
const IRECT kSpeedSlotA(169, 208, 213, 286);
const IRECT kFilterDisplay(602, 208, 926, 284);
const IRECT kScopeA(1102, 168, 1190, 200);
const IRECT kScopeB(1102, 262, 1190, 294);
const IRECT kMeter(1446, 118, 1460, 286);
const IRECT kEditor(0, 0, 1480, 360);
const IRECT kBlendPreview(462, 226, 562, 280);

// Every knob, the Rate and Semi knobs of a layer sharing their slot.
const IRECT kKnobs[] = {
  {25, 208, 69, 286},     {73, 208, 117, 286},    {121, 208, 165, 286},   {169, 208, 213, 286},
  {243, 208, 287, 286},   {291, 208, 335, 286},   {339, 208, 383, 286},   {387, 208, 431, 286},
  {466, 118, 510, 200},   {518, 118, 562, 200},   {602, 118, 654, 200},   {666, 118, 718, 200},
  {730, 118, 782, 200},   {794, 118, 846, 200},   {858, 118, 910, 200},   {970, 118, 1022, 200},
  {1030, 118, 1082, 200}, {970, 212, 1022, 294},  {1030, 212, 1082, 294}, {1230, 118, 1282, 200},
  {1298, 118, 1350, 200}, {1230, 212, 1282, 294}, {1298, 212, 1350, 294}, {1392, 118, 1444, 202},
};

// The other controls that show a parameter: the speed-mode buttons, the toggles, the menus.
const IRECT kSwitchesAndMenus[] = {
  {150, 66, 214, 94},     {368, 66, 432, 94},     {26, 154, 104, 182},    {120, 154, 170, 182},
  {244, 154, 322, 182},   {338, 154, 388, 182},   {822, 70, 926, 92},     {1102, 118, 1190, 140},
  {1102, 144, 1190, 166}, {1102, 212, 1190, 234}, {1102, 238, 1190, 260},
};

std::string Str(const IRECT& r)
{
  return std::to_string(static_cast<int>(r.L)) + "," + std::to_string(static_cast<int>(r.T)) + "," +
         std::to_string(static_cast<int>(r.R)) + "," + std::to_string(static_cast<int>(r.B));
}

struct RGBA
{
  int r, g, b;
};

class Picture
{
public:
  Picture(std::vector<unsigned char> px, int w, int h) : mPx(std::move(px)), mW(w), mH(h) {}

  RGBA At(int x, int y) const
  {
    const unsigned char* p = &mPx[(static_cast<size_t>(y) * mW + x) * 4];
    return {p[0], p[1], p[2]};
  }

  /** Pixels of r that pass the test. */
  int Count(const IRECT& r, const std::function<bool(const RGBA&)>& test) const
  {
    int n = 0;
    for (int y = static_cast<int>(r.T); y < static_cast<int>(r.B); ++y)
      for (int x = static_cast<int>(r.L); x < static_cast<int>(r.R); ++x)
        n += test(At(x, y));
    return n;
  }

  /** The pixels of r, row by row. */
  std::vector<unsigned char> Cut(const IRECT& r) const
  {
    std::vector<unsigned char> cut;
    for (int y = static_cast<int>(r.T); y < static_cast<int>(r.B); ++y)
      for (int x = static_cast<int>(r.L); x < static_cast<int>(r.R); ++x)
        for (int c = 0; c < 4; ++c)
          cut.push_back(mPx[(static_cast<size_t>(y) * mW + x) * 4 + c]);
    return cut;
  }

  /** The mean colour of r. */
  RGBA Mean(const IRECT& r) const
  {
    long sum[3] = {0, 0, 0};
    long n = 0;
    for (int y = static_cast<int>(r.T); y < static_cast<int>(r.B); ++y)
      for (int x = static_cast<int>(r.L); x < static_cast<int>(r.R); ++x, ++n)
      {
        const RGBA c = At(x, y);
        sum[0] += c.r;
        sum[1] += c.g;
        sum[2] += c.b;
      }
    n = std::max(n, 1L);
    return {static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n), static_cast<int>(sum[2] / n)};
  }

  /** The pixels that differ from other's and lie in none of the given rectangles; -1 when the
   * sizes differ. */
  int DifferingOutside(const Picture& other, const std::vector<IRECT>& allowed) const
  {
    if (other.mW != mW || other.mH != mH)
      return -1;
    int n = 0;
    for (int y = 0; y < mH; ++y)
      for (int x = 0; x < mW; ++x)
      {
        bool inside = false;
        for (const IRECT& r : allowed)
          inside = inside || r.Contains(static_cast<float>(x), static_cast<float>(y));
        const size_t i = (static_cast<size_t>(y) * mW + x) * 4;
        n += !inside && std::memcmp(&mPx[i], &other.mPx[i], 4) != 0;
      }
    return n;
  }

  int Width() const { return mW; }
  int Height() const { return mH; }

private:
  std::vector<unsigned char> mPx;
  int mW, mH;
};

bool Near(const RGBA& c, int r, int g, int b, int tolerance = 4)
{
  return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance;
}

bool IsCyan(const RGBA& c)
{
  return c.g > 150 && c.b > 160 && c.r < 60;
}

bool IsText(const RGBA& c)
{
  return c.r > 150 && c.g > 160 && c.b > 170;
}

bool IsAmberish(const RGBA& c)
{
  return c.r > 120 && c.g > 80 && c.b < 60;
}

class BrimvaleEditorRoad : public EditorRoadFixture
{
protected:
  BrimvaleEditorRoad() : EditorRoadFixture(BRIMVALE_BUNDLE_PATH) {}

  std::string TempPath(const std::string& name) const { return TestTempPath("brimvale-editor-road", name); }

  std::string WriteTone(const std::string& name, double hz)
  {
    const std::vector<float> tone = MakeTone(hz, kWindow + 1, 0.3f, kRate);
    const std::string path = TempPath(name);
    EXPECT_TRUE(wavwriter::WriteWav(path, {tone, tone}, static_cast<int>(kRate), wavwriter::EWavFormat::kPcm16));
    return path;
  }

  BrimvaleState State()
  {
    std::vector<char> bytes;
    EXPECT_TRUE(instance->GetState(bytes));
    auto state = BrimvaleState::Parse(bytes);
    EXPECT_TRUE(state);
    return state ? *state : BrimvaleState{};
  }

  void Restore(const std::string& pathA, const std::string& pathB)
  {
    BrimvaleState state = State();
    state.pathA = pathA;
    state.pathB = pathB;
    ASSERT_EQ(instance->SetState(state.Bytes()), Steinberg::kResultOk);
  }

  /** Half a second of audio from a reset engine (no reverb tail of an earlier render); the levels
   * of A's and B's tones on the left side at its end. */
  std::pair<double, double> Levels()
  {
    instance->Stop();
    EXPECT_TRUE(instance->Start(kRate, 480));
    Channels out;
    EXPECT_TRUE(Render(*instance, 6 * kWindow, 480, {}, out));
    if (out.empty())
      return {0.0, 0.0};
    return {ToneAmplitude(out[0], 5 * kWindow, kWindow, kToneA, kRate),
            ToneAmplitude(out[0], 5 * kWindow, kWindow, kToneB, kRate)};
  }

  /** A state of this instance with every parameter away from its default and the given paths. */
  BrimvaleState AwayFromDefaults(const std::string& pathA, const std::string& pathB)
  {
    BrimvaleState state = State();
    state.pathA = pathA;
    state.pathB = pathB;
    auto& controller = instance->Controller();
    for (size_t i = 0; i < state.params.size(); ++i)
    {
      Steinberg::Vst::ParameterInfo info{};
      EXPECT_EQ(controller.getParameterInfo(static_cast<Steinberg::int32>(i), info), Steinberg::kResultOk);
      EXPECT_EQ(info.id, i);
      const double away = info.defaultNormalizedValue < 0.5 ? 0.8 : 0.2;
      state.params[i] = controller.normalizedParamToPlain(info.id, away);
    }
    return state;
  }

  void Close() { ASSERT_EQ(view->Remove(), Steinberg::kResultOk); }

  void Reopen()
  {
    view = HostedView::Create(*instance);
    ASSERT_TRUE(view);
    ASSERT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), Steinberg::kResultOk);
  }

  /** What each redraw drew, as the window's hook reported it. */
  static std::vector<std::vector<IRECT>>& Drawn()
  {
    static std::vector<std::vector<IRECT>> drawn;
    return drawn;
  }
  static void RecordDrawn(void*, const float* ltrb, int nRects)
  {
    std::vector<IRECT> rects;
    for (int i = 0; i < nRects; ++i)
      rects.emplace_back(ltrb[4 * i], ltrb[4 * i + 1], ltrb[4 * i + 2], ltrb[4 * i + 3]);
    Drawn().push_back(rects);
  }

  /** Lets the plug-in's idle timer run for ms, then redraws what changed. */
  void Idle(float ms)
  {
    HeadlessEvent idle{};
    idle.type = kHeadlessIdle;
    idle.delta = ms;
    window.send(window.editor, &idle);
    Send(kHeadlessTick, 0.f, 0.f);
  }

  Picture Snapshot(const char* name)
  {
    Send(kHeadlessTick, 0.f, 0.f);
    int w = 0, h = 0;
    const int size = window.readPixels(window.editor, nullptr, 0, &w, &h);
    std::vector<unsigned char> px(static_cast<size_t>(size));
    window.readPixels(window.editor, px.data(), size, &w, &h);
    EXPECT_EQ(window.writePNG(window.editor, (std::string(SNAPSHOT_DIR) + "/" + name).c_str()), 1);
    return Picture(std::move(px), w, h);
  }
};

} // namespace

TEST_F(BrimvaleEditorRoad, TheEditorShowsItsSectionsKnobsLabelsCurveScopesAndMeter)
{
  const Picture empty = Snapshot("brimvale-editor-empty.png");
  ASSERT_EQ(empty.Width(), 1480);
  ASSERT_EQ(empty.Height(), 360);
  // Both load controls say "Load audio": the same text in same-sized fields draws the same pixels.
  EXPECT_GT(empty.Count(kLoadA, IsText), 80);
  EXPECT_EQ(empty.Cut(kLoadA), empty.Cut(kLoadB));

  Restore(WriteTone("pad tone.wav", kToneA), WriteTone("a rather long texture name.wav", kToneB));
  ASSERT_TRUE(instance->Start(kRate, 480));
  Channels out;
  ASSERT_TRUE(Render(*instance, 4800, 480, {}, out));
  Idle(100.f); // the meter takes the rendered levels, the scopes move
  const Picture full = Snapshot("brimvale-editor.png");

  for (const PanelSpot& s : kPanelSpots)
  {
    const RGBA c = full.At(s.x, s.y);
    EXPECT_TRUE(Near(c, s.r, s.g, s.b)) << s.what << ": " << c.r << "," << c.g << "," << c.b;
  }

  // Every knob: its label across the top, its arc and handle in the middle.
  for (const IRECT& k : kKnobs)
  {
    const std::string where = std::to_string(k.L) + "," + std::to_string(k.T);
    EXPECT_GT(full.Count(IRECT(k.L, k.T, k.R, k.T + 14), IsText), 5) << "label of the knob at " << where;
    EXPECT_GT(full.Count(IRECT(k.L, k.T + 20, k.R, k.B - 20), [](const RGBA& c) { return !Near(c, 16, 22, 30, 2); }),
              40)
      << "widget of the knob at " << where;
  }

  // The sample labels now name the files, each its own.
  EXPECT_NE(full.Cut(kLoadA), empty.Cut(kLoadA));
  EXPECT_NE(full.Cut(kLoadB), empty.Cut(kLoadB));
  EXPECT_NE(full.Cut(kLoadA), full.Cut(kLoadB));

  EXPECT_GT(full.Count(kFilterDisplay, IsCyan), 200) << "the filter curve";
  EXPECT_GT(full.Count(kScopeA, IsCyan), 60) << "Motion scope A";
  EXPECT_GT(full.Count(kScopeB, IsCyan), 60) << "Motion scope B";
  EXPECT_GT(full.Count(kMeter, IsAmberish), 20) << "the meter after a rendered block";
  EXPECT_EQ(empty.Count(kMeter, IsAmberish), 0) << "the meter before any";
}

TEST_F(BrimvaleEditorRoad, ADragOnTheBlendKnobIsOneHostGestureAndIsHeard)
{
  Restore(WriteTone("a.wav", kToneA), WriteTone("b.wav", kToneB));
  const auto [aBefore, bBefore] = Levels();
  EXPECT_GT(aBefore, 0.05);
  EXPECT_GT(bBefore, 0.05);
  Taken();

  DragUp(kBlendKnob, 40);
  const Calls calls = Taken();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.front(), "begin 16");
  EXPECT_EQ(calls.back(), "end 16");
  for (size_t i = 1; i + 1 < calls.size(); ++i)
    EXPECT_EQ(calls[i].rfind("perform 16 ", 0), 0u) << calls[i];
  EXPECT_DOUBLE_EQ(Normalized(16), 1.0);

  // At the B end only B's tone is heard.
  const auto [aAfter, bAfter] = Levels();
  EXPECT_LT(aAfter, bAfter * 1e-2) << aAfter << " " << bAfter;
  EXPECT_GT(bAfter, 0.05);
}

// While Motion moves the blend knob, the knob shows the moving blend; a touch edits the parameter
// from where the parameter is, never from the picture of the animation.
TEST_F(BrimvaleEditorRoad, ADragOrWheelOnTheAnimatedBlendKnobStartsFromTheParametersOwnValue)
{
  BrimvaleState state = State();
  state.params[17] = 1.0; // Blend LFO
  state.params[24] = 1.0; // Motion A Rate
  state.params[25] = 1.0; // Motion A Depth
  state.params[26] = 4.0; // Motion A Shape: Random, always 0.65 away from the middle
  state.params[27] = 0.0; // Motion A Destination: Blend
  ASSERT_EQ(instance->SetState(state.Bytes()), Steinberg::kResultOk);

  const struct
  {
    const char* what;
    std::function<void()> touch;
  } touches[] = {
    {"fine drag", [this] { DragUp(kBlendKnob, 1, kHeadlessLeft | kHeadlessShift); }},
    {"wheel",
     [this] {
       HeadlessEvent notch = headless::PointerEvent(kHeadlessWheel, kBlendKnob.MW(), kBlendKnob.MH(), 0);
       notch.delta = 1.f;
       window.send(window.editor, &notch);
     }},
  };
  for (const auto& t : touches)
  {
    SCOPED_TRACE(t.what);
    Idle(40.f); // the knob now shows the blend 0.325 away from the parameter
    const double before = Normalized(16);
    const size_t first = handler->Calls().size();
    t.touch();
    ASSERT_GT(handler->Calls().size(), first + 1);
    const auto& edit = handler->Calls()[first + 1];
    ASSERT_EQ(edit.kind, Kind::kPerform);
    EXPECT_NEAR(edit.value, before, 0.05);
  }
}

TEST_F(BrimvaleEditorRoad, ADroppedWavPlaysUnderItsNameAndABadFileChangesNothing)
{
  const Picture before = Snapshot("drop-before.png");
  const std::string tone = WriteTone("Nordlicht über Tromsø – Klang.wav", kToneA);
  HeadlessEvent drop{};
  drop.type = kHeadlessDrop;
  drop.x = kLoadA.MW();
  drop.y = kLoadA.MH();
  drop.text = tone.c_str();
  window.send(window.editor, &drop);
  EXPECT_EQ(State().pathA, tone);
  const Picture loaded = Snapshot("drop-loaded.png");
  EXPECT_NE(loaded.Cut(kLoadA), before.Cut(kLoadA));
  EXPECT_GT(Levels().first, 0.05) << "layer A plays the dropped file";

  const std::string bad = TempPath("broken.wav");
  std::ofstream(bad) << "RIFF, but nothing after it";
  drop.text = bad.c_str();
  window.send(window.editor, &drop);
  EXPECT_EQ(State().pathA, tone) << "the stored path stays";
  const Picture refused = Snapshot("drop-refused.png");
  EXPECT_NE(refused.Cut(kLoadA), loaded.Cut(kLoadA)) << "the label says the file is unsupported";
  EXPECT_GT(Levels().first, 0.05) << "the loaded sample still plays";
  EXPECT_TRUE(Taken().empty()) << "loading a sample edits no parameter";
}

TEST_F(BrimvaleEditorRoad, SpeedModeIsAHostEditAndSwapsTheKnobAtOnce)
{
  const Picture rate = Snapshot("speed-rate.png");
  Click(kSpeedModeA.MW(), kSpeedModeA.MH());
  EXPECT_EQ(Taken(), (Calls{"begin 5", Perform(5, 1.0), "end 5"}));
  const Picture semi = Snapshot("speed-semi.png");
  EXPECT_NE(semi.Cut(kSpeedSlotA), rate.Cut(kSpeedSlotA)) << "the Semi knob took the Rate knob's place";
  EXPECT_NE(semi.Cut(kSpeedModeA), rate.Cut(kSpeedModeA)) << "the button says SEMI";

  Click(kSpeedModeA.MW(), kSpeedModeA.MH());
  EXPECT_EQ(Taken(), (Calls{"begin 5", Perform(5, 0.0), "end 5"}));
  const Picture back = Snapshot("speed-rate-again.png");
  EXPECT_EQ(back.Cut(kSpeedSlotA), rate.Cut(kSpeedSlotA));
  EXPECT_EQ(back.Cut(kSpeedModeA), rate.Cut(kSpeedModeA));
}

TEST_F(BrimvaleEditorRoad, InitClearsSamplesAndParametersWithoutTellingTheHost)
{
  Restore(WriteTone("a.wav", kToneA), WriteTone("b.wav", kToneB));
  DragUp(kBlendKnob, 10);
  const Picture loaded = Snapshot("init-before.png");
  Taken();

  Click(kInit.MW(), kInit.MH());
  EXPECT_TRUE(Taken().empty());
  const BrimvaleState state = State();
  EXPECT_EQ(state.pathA, "");
  EXPECT_EQ(state.pathB, "");
  // Every value back at its default: the state of a fresh instance.
  std::string error;
  auto fresh = HostedInstance::Create(module, module->AudioClasses().front().ID(), &host, error);
  ASSERT_TRUE(fresh);
  std::vector<char> freshBytes;
  ASSERT_TRUE(fresh->GetState(freshBytes));
  EXPECT_EQ(state.params, BrimvaleState::Parse(freshBytes)->params);

  const Picture cleared = Snapshot("init-after.png");
  EXPECT_EQ(cleared.Cut(kLoadA), cleared.Cut(kLoadB)) << "both say \"Load audio\"";
  EXPECT_NE(cleared.Cut(kLoadA), loaded.Cut(kLoadA));
  const auto [a, b] = Levels();
  EXPECT_LT(std::max(a, b), 1e-3) << "no sample plays";
}

TEST_F(BrimvaleEditorRoad, ClosingAndReopeningRebuildsTheLabelsFromThePlugInsState)
{
  Restore(WriteTone("kept.wav", kToneA), "");
  const Picture open = Snapshot("reopen-before.png");
  ASSERT_NE(open.Cut(kLoadA), open.Cut(kLoadB)) << "layer A shows its file, layer B \"Load audio\"";
  ASSERT_EQ(view->Remove(), Steinberg::kResultOk);
  view = HostedView::Create(*instance);
  ASSERT_TRUE(view);
  ASSERT_EQ(view->Attach(&window, iplug::kPlatformTypeHeadless), Steinberg::kResultOk);
  const Picture reopened = Snapshot("reopen-after.png");
  EXPECT_EQ(reopened.Cut(kLoadA), open.Cut(kLoadA));
  EXPECT_EQ(reopened.Cut(kLoadB), open.Cut(kLoadB));
}

TEST_F(BrimvaleEditorRoad, AStateSetWhileOpenRefreshesTheFaceAndWhileClosedWaitsForTheNextOpening)
{
  const Picture fresh = Snapshot("restore-fresh.png");
  const BrimvaleState defaults = State();
  const BrimvaleState away = AwayFromDefaults(WriteTone("restored tone.wav", kToneA), "");
  // What layer A's label shows for a file that does not load, to tell it from the file's name.
  const std::string bad = TempPath("restored-broken.wav");
  std::ofstream(bad) << "RIFF, but nothing after it";
  Restore(bad, "");
  const Picture unsupported = Snapshot("restore-unsupported.png");
  ASSERT_EQ(instance->SetState(defaults.Bytes()), Steinberg::kResultOk);
  Taken();

  ASSERT_EQ(instance->SetState(away.Bytes()), Steinberg::kResultOk);
  const Picture restored = Snapshot("restore-while-open.png");
  EXPECT_TRUE(Taken().empty()) << "a restore is no edit of the host's";
  EXPECT_TRUE(restored.Cut(kLoadA) != fresh.Cut(kLoadA)) << "layer A's label no longer says \"Load audio\"";
  EXPECT_TRUE(restored.Cut(kLoadA) != unsupported.Cut(kLoadA)) << "layer A's label names its file";
  EXPECT_TRUE(restored.Cut(kLoadB) == fresh.Cut(kLoadB)) << "layer B still says \"Load audio\"";
  for (const IRECT& r : kKnobs)
    EXPECT_TRUE(restored.Cut(r) != fresh.Cut(r)) << "the knob at " << Str(r);
  for (const IRECT& r : kSwitchesAndMenus)
    EXPECT_TRUE(restored.Cut(r) != fresh.Cut(r)) << "the control at " << Str(r);

  // What the open editor shows is what an editor opened on that state shows.
  Close();
  Reopen();
  EXPECT_EQ(Snapshot("restore-reopened.png").DifferingOutside(restored, {}), 0) << "pixels differ";

  // Restored while closed: nothing reaches the host, and the next editor shows the state.
  const struct
  {
    const char* what;
    const BrimvaleState& state;
    const Picture& shown;
    const char* snapshot;
  } closedRestores[] = {{"defaults", defaults, fresh, "restore-closed-defaults.png"},
                        {"away from defaults", away, restored, "restore-closed-away.png"}};
  for (const auto& c : closedRestores)
  {
    Close();
    ASSERT_EQ(instance->SetState(c.state.Bytes()), Steinberg::kResultOk) << c.what;
    EXPECT_TRUE(Taken().empty()) << c.what;
    Reopen();
    EXPECT_EQ(Snapshot(c.snapshot).DifferingOutside(c.shown, {}), 0) << c.what << ": pixels differ";
  }
}

TEST_F(BrimvaleEditorRoad, EachTimerTickRepaintsThePanelWhoseScopesAndCurveMoveAndNothingElseChanges)
{
  // Motion A a quarter cycle per tick at full depth, on the filter's cutoff and the blend preview.
  BrimvaleState state = State();
  state.params[24] = 5.0; // Motion A Rate
  state.params[25] = 1.0; // Motion A Depth
  state.params[27] = 1.0; // Motion A Destination: Filter
  state.params[21] = 1.0; // Filter LFO A
  state.params[17] = 1.0; // Blend LFO: the blend preview follows Motion A too
  ASSERT_EQ(instance->SetState(state.Bytes()), Steinberg::kResultOk);
  Picture before = Snapshot("idle-before.png");
  window.drew = &RecordDrawn;
  Drawn().clear();

  Send(kHeadlessTick, 0.f, 0.f);
  Idle(10.f);
  EXPECT_TRUE(Drawn().empty()) << "nothing is due before the timer's period has passed";

  for (int tick = 0; tick < 3; ++tick)
  {
    SCOPED_TRACE("tick " + std::to_string(tick));
    Drawn().clear();
    Idle(tick == 0 ? 10.f : 20.f);
    // The panel's scope message repaints the panel's rectangle, which holds the filter display.
    ASSERT_EQ(Drawn().size(), 1u);
    ASSERT_EQ(Drawn()[0].size(), 1u);
    const IRECT& drawn = Drawn()[0][0];
    EXPECT_TRUE(drawn.Contains(kEditor) && kEditor.GetPadded(1.f).Contains(drawn)) << Str(drawn);

    Picture after = Snapshot(("idle-tick-" + std::to_string(tick) + ".png").c_str());
    EXPECT_TRUE(after.Cut(kScopeA) != before.Cut(kScopeA)) << "Motion scope A";
    EXPECT_TRUE(after.Cut(kFilterDisplay) != before.Cut(kFilterDisplay)) << "the filter curve";
    EXPECT_TRUE(after.Cut(kBlendPreview) != before.Cut(kBlendPreview)) << "the blend preview";
    const std::vector<IRECT> moving = {kScopeA.GetPadded(2.f), kScopeB.GetPadded(2.f), kBlendPreview.GetPadded(2.f),
                                       kFilterDisplay.GetPadded(2.f)};
    EXPECT_EQ(after.DifferingOutside(before, moving), 0);
    before = std::move(after);
  }
  window.drew = nullptr;
}

TEST_F(BrimvaleEditorRoad, ACornerDragToScaleOnePointTwoDrawsEveryControlAtItsScaledDesignRectangle)
{
  const Picture design = Snapshot("scale-1.png");
  const float x = 1475.f, y = 355.f;
  Send(kHeadlessMouseDown, x, y);
  Send(kHeadlessMouseDrag, x * 1.2f, y * 1.2f, x * 0.2f, y * 0.2f);
  Send(kHeadlessMouseUp, x * 1.2f, y * 1.2f);
  // Away from the resizer, whose corner lights up under the mouse.
  Send(kHeadlessMouseOver, 10.f, 10.f, 0.f, 0.f, 0);
  const Picture scaled = Snapshot("scale-1.2.png");
  ASSERT_EQ(scaled.Width(), 1776);
  ASSERT_EQ(scaled.Height(), 432);

  std::vector<IRECT> rects = {kLoadA, kLoadB, kInit, IRECT(1262, 12, 1366, 36), kFilterDisplay, kMeter};
  rects.insert(rects.end(), std::begin(kKnobs), std::end(kKnobs));
  rects.insert(rects.end(), std::begin(kSwitchesAndMenus), std::end(kSwitchesAndMenus));
  for (const IRECT& r : rects)
  {
    const IRECT at(r.L * 1.2f, r.T * 1.2f, r.R * 1.2f, r.B * 1.2f);
    const RGBA want = design.Mean(r), got = scaled.Mean(at);
    EXPECT_TRUE(Near(got, want.r, want.g, want.b, 6))
      << Str(r) << ": " << got.r << "," << got.g << "," << got.b << " for " << want.r << "," << want.g << "," << want.b;
  }
}

// The file prompt of a load control answers after the press returned: as a sheet on macOS, which
// the host's window keeps when the editor closes, or from a dialog whose modal loop let the host
// close the editor. Only an open editor takes the answer; after the close it goes nowhere.
TEST_F(BrimvaleEditorRoad, AFileChosenAfterTheEditorClosedGoesNowhere)
{
  const std::string tone = WriteTone("chosen-late.wav", kToneA);
  window.filePromptsAnswerLater = 1;
  Send(kHeadlessMouseDown, kLoadA.MW(), kLoadA.MH());
  Send(kHeadlessMouseUp, kLoadA.MW(), kLoadA.MH());
  ASSERT_NE(window.pendingFilePrompt, nullptr);
  window.answerPendingFilePrompt(&window, tone.c_str());
  EXPECT_EQ(State().pathA, tone) << "answered while open, the file loads";

  Restore("", "");
  Send(kHeadlessMouseDown, kLoadA.MW(), kLoadA.MH());
  Send(kHeadlessMouseUp, kLoadA.MW(), kLoadA.MH());
  ASSERT_NE(window.pendingFilePrompt, nullptr);
  Close();
  window.answerPendingFilePrompt(&window, tone.c_str());
  EXPECT_EQ(window.pendingFilePrompt, nullptr);
  EXPECT_EQ(State().pathA, "") << "the sheet ended after the editor closed";

  window.filePromptsAnswerLater = 0;
  script.chosenFile = tone.c_str();
  script.whilePromptIsUp = [this] { Close(); };
  Reopen();
  Send(kHeadlessMouseDown, kLoadA.MW(), kLoadA.MH());
  EXPECT_EQ(window.send, nullptr) << "the host closed the editor while the dialog was up";
  EXPECT_EQ(State().pathA, "") << "the dialog was answered after the editor closed";
  script.whilePromptIsUp = nullptr;
  Reopen();
  Send(kHeadlessMouseDown, kLoadA.MW(), kLoadA.MH());
  EXPECT_EQ(State().pathA, tone) << "the reopened editor loads";
  EXPECT_TRUE(Taken().empty());
}

} // namespace testhost
