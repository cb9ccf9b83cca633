// The instrument's own editor through a host: the built module's view attached on the headless
// platform, looked at by its pixels and worked with the mouse, while the host renders.
#include "tests/host/EditorRoadFixture.h"
#include "tests/host/TestSignal.h"
#include "tests/host/TestTempPath.h"
#include "tests/support/SignalMeasures.h"
#include "tools/host/BrimvaleState.h"
#include "tools/host/Render.h"
#include "tools/wav/WavFile.h"

#include "igraphics/IRECT.h"

#include <cmath>
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

const IRECT kLoadA(26, 104, 208, 138);
const IRECT kLoadB(244, 104, 426, 138);
const IRECT kBlendKnob(466, 118, 510, 200);
const IRECT kInit(1208, 12, 1254, 36);
const IRECT kSpeedModeA(150, 66, 214, 94);
const IRECT kSpeedSlotA(169, 208, 213, 286);
const IRECT kFilterDisplay(602, 208, 926, 284);
const IRECT kScopeA(1102, 168, 1190, 200);
const IRECT kScopeB(1102, 262, 1190, 294);
const IRECT kMeter(1446, 118, 1460, 286);

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

  // Each section's panel, the background between them and the meter's well.
  const struct
  {
    const char* what;
    int x, y;
    int r, g, b;
  } spots[] = {
    {"background", 226, 200, 7, 10, 15}, {"Sample A", 100, 190, 16, 22, 30}, {"Sample B", 330, 190, 16, 22, 30},
    {"Blend", 470, 300, 16, 22, 30},     {"Filter", 760, 300, 16, 22, 30},   {"Motion", 1000, 310, 16, 22, 30},
    {"Space", 1300, 310, 16, 22, 30},    {"Output", 1400, 300, 16, 22, 30},
  };
  for (const auto& s : spots)
  {
    const RGBA c = full.At(s.x, s.y);
    EXPECT_TRUE(Near(c, s.r, s.g, s.b)) << s.what << ": " << c.r << "," << c.g << "," << c.b;
  }

  // Every knob: its label across the top, its arc and handle in the middle.
  const IRECT knobs[] = {
    {25, 208, 69, 286},     {73, 208, 117, 286},    {121, 208, 165, 286},   {169, 208, 213, 286},
    {243, 208, 287, 286},   {291, 208, 335, 286},   {339, 208, 383, 286},   {387, 208, 431, 286},
    {466, 118, 510, 200},   {518, 118, 562, 200},   {602, 118, 654, 200},   {666, 118, 718, 200},
    {730, 118, 782, 200},   {794, 118, 846, 200},   {858, 118, 910, 200},   {970, 118, 1022, 200},
    {1030, 118, 1082, 200}, {970, 212, 1022, 294},  {1030, 212, 1082, 294}, {1230, 118, 1282, 200},
    {1298, 118, 1350, 200}, {1230, 212, 1282, 294}, {1298, 212, 1350, 294}, {1392, 118, 1444, 202},
  };
  for (const IRECT& k : knobs)
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

} // namespace testhost
