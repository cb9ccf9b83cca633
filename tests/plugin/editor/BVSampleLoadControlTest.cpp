// The sample layer's load field: the label rule, how prompt answers and drops become loads, the
// label message, and the field drawn for real on the headless editor.
#include "plugin/editor/BVSampleLoadControl.h"
#include "plugin/editor/BVPalette.h"

#include "tests/igraphics/platforms/HeadlessEditor.h"
#include "iplug/wdl/WdlString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace headless;
using namespace iplug::igraphics;
using brimvale::editor::BVSampleLoadControl;
using brimvale::editor::COLOR_BV_PANEL_DARK;
using brimvale::editor::ShortFileLabel;
using iplug::WDL_String;

namespace
{

const IRECT kFieldRect(20, 10, 220, 40);

/** A field on an open editor whose load function records every path it is given. A test that
 * scripts the prompts passes its window: the editor reopens on it before the field is attached. */
struct LoadField
{
  explicit LoadField(bool withLoadFunc = true, HeadlessWindow* window = nullptr) : editor(240, 50)
  {
    if (window)
      editor.graphics->OpenWindow(window);
    BVSampleLoadControl::LoadFunc load;
    if (withLoadFunc)
      load = [this](const char* path) {
        loaded.push_back(path);
        return loadSucceeds;
      };
    editor.Add(IRECT(0, 0, 240, 50), [](IGraphics&, DrawFuncControl&) {}); // the background never takes hover
    field = static_cast<BVSampleLoadControl*>(
      editor.graphics->AttachControl(new BVSampleLoadControl(kFieldRect, "Load audio", std::move(load))));
    editor.graphics->Tick();
  }

  Editor editor;
  BVSampleLoadControl* field = nullptr;
  std::vector<std::string> loaded;
  bool loadSucceeds = true;
};

} // namespace

TEST(ShortFileLabel, KeepsTheFileNameAndShortensItByWholeCharacters)
{
  struct Case
  {
    const char* path;
    const char* label;
  };
  const Case cases[] = {
    {nullptr, "Load audio"},
    {"", "Load audio"},
    {"/Users/me/Samples/", "Load audio"},
    {"C:\\Samples\\", "Load audio"},
    {"Pad.wav", "Pad.wav"},
    {"/Users/me/Samples/Pad.wav", "Pad.wav"},
    {"C:\\Users\\me\\Samples\\Pad.wav", "Pad.wav"},
    {"/mixed\\dir/sub\\Pad.wav", "Pad.wav"},
    {"/s/abcdefghijklmnopqrst.wav", "abcdefghijklmnopqrst.wav"},           // 24: whole
    {"/s/abcdefghijklmnopqrstu.wav", "abcdefghij...opqrstu.wav"},          // 25: shortened to 24
    {"/s/Atmospheric_Pad_Long_Take_0001.wav", "Atmospheri...ke_0001.wav"}, // 34
    {"/s/Café_Crème_Brûlée_01.wav", "Café_Crème_Brûlée_01.wav"},           // 24 characters, 28 bytes
    {"/s/Café_Crème_Brûlée_001.wav", "Café_Crème...lée_001.wav"},          // 25 characters
    {"/s/あいうえおかきくけこさしすせそたちつてとなにぬねのは.wav", "あいうえおかきくけこ...となにぬねのは.wav"}, // 30
    // Bytes that are no UTF-8 count one each.
    {"/s/\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff",
     "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff...\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"},
    // A sequence cut short at the end: its two bytes are two characters.
    {"/s/abcdefghijklmnopqrstuvw\xe3\x81", "abcdefghij...opqrstuvw\xe3\x81"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShortFileLabel(c.path), c.label) << (c.path ? c.path : "(null)");
}

TEST(BVSampleLoadControl, PromptAnswerIsJoinedIntoTheLoadedPath)
{
  struct Case
  {
    const char* fileName;
    const char* folder;
    const char* loaded; // null: nothing is loaded
  };
  const Case cases[] = {
    {"Pad.wav", "/Users/me/Samples", "/Users/me/Samples/Pad.wav"},
    {"Pad.wav", "/Users/me/Samples/", "/Users/me/Samples/Pad.wav"},
    {"Pad.wav", "C:\\Samples\\", "C:\\Samples\\Pad.wav"},
    {"Pad.wav", "", "Pad.wav"},
    {"/Users/me/Pad.wav", "/elsewhere", "/Users/me/Pad.wav"},
    {"C:\\Samples\\Pad.wav", "C:\\Samples", "C:\\Samples\\Pad.wav"},
    {"Pad:1.wav", "/Users/me", "Pad:1.wav"},
    {"file:///Users/me/Pad.wav", "/elsewhere", "file:///Users/me/Pad.wav"},
    {"", "/Users/me/Samples", nullptr}, // cancelled
  };
  for (const Case& c : cases)
  {
    LoadField f;
    f.field->OnFileChosen(WDL_String(c.fileName), WDL_String(c.folder));
    if (!c.loaded)
    {
      EXPECT_TRUE(f.loaded.empty()) << c.fileName;
      EXPECT_EQ(f.field->GetLabel(), "Load audio");
      EXPECT_FALSE(f.editor.graphics->Tick()) << "a cancelled prompt redraws nothing";
      continue;
    }
    EXPECT_EQ(f.loaded, std::vector<std::string>{c.loaded}) << c.fileName << " in " << c.folder;
    EXPECT_EQ(f.field->GetLabel(), ShortFileLabel(c.loaded));
    EXPECT_TRUE(f.editor.graphics->Tick());
  }
}

TEST(BVSampleLoadControl, FailedLoadShowsUnsupported)
{
  LoadField f;
  f.field->OnDrop("/s/Pad.wav");
  ASSERT_EQ(f.field->GetLabel(), "Pad.wav");
  f.editor.graphics->Tick();
  f.loadSucceeds = false;
  f.field->OnDrop("/s/Broken.wav");
  EXPECT_EQ(f.field->GetLabel(), "Unsupported WAV");
  EXPECT_EQ(f.loaded, (std::vector<std::string>{"/s/Pad.wav", "/s/Broken.wav"}));
  EXPECT_TRUE(f.editor.graphics->Tick());
}

TEST(BVSampleLoadControl, DropsLoadOnlyTheFirstUsablePath)
{
  struct Case
  {
    const char* what;
    std::vector<const char*> paths;
    bool asList;
    std::vector<std::string> loaded;
  };
  const Case cases[] = {
    {"one path", {"/s/a.wav"}, false, {"/s/a.wav"}},
    {"three paths", {"/s/a.wav", "/s/b.wav", "/s/c.wav"}, true, {"/s/a.wav"}},
    {"an empty list", {}, true, {}},
    {"a null path", {nullptr}, false, {}},
    {"an empty path", {""}, false, {}},
    {"a list of an empty path", {""}, true, {}},
  };
  for (const Case& c : cases)
  {
    LoadField f;
    if (c.asList)
      f.field->OnDropMultiple(c.paths);
    else
      f.field->OnDrop(c.paths.front());
    EXPECT_EQ(f.loaded, c.loaded) << c.what;
    EXPECT_EQ(f.field->GetLabel(), c.loaded.empty() ? "Load audio" : "a.wav") << c.what;
  }

  LoadField cannotLoad(false);
  cannotLoad.field->OnDrop("/s/a.wav");
  cannotLoad.field->OnFileChosen(WDL_String("a.wav"), WDL_String("/s"));
  EXPECT_EQ(cannotLoad.field->GetLabel(), "Load audio");
  EXPECT_FALSE(cannotLoad.editor.graphics->Tick());
}

TEST(BVSampleLoadControl, LabelMessageIsReadWithinItsSize)
{
  struct Case
  {
    const char* what;
    int tag;
    std::string bytes; // the buffer, longer than the message where the size says so
    int size;
    const char* label;
  };
  const Case cases[] = {
    {"terminated", 1003, std::string("Pad.wav\0", 8), 8, "Pad.wav"},
    {"no terminator", 1003, "Pad.wavTRAILING", 7, "Pad.wav"},
    {"embedded NUL", 1003, std::string("Pad\0.wav", 8), 8, "Pad"},
    {"one byte", 1003, "Xylophone", 1, "X"},
    {"size 0", 1003, "Pad.wav", 0, nullptr},
    {"negative size", 1003, "Pad.wav", -1, nullptr},
    {"another message", 1002, "Pad.wav", 7, nullptr},
  };
  for (const Case& c : cases)
  {
    LoadField f;
    f.field->OnMsgFromDelegate(c.tag, c.size, c.bytes.data());
    EXPECT_EQ(f.field->GetLabel(), c.label ? c.label : "Load audio") << c.what;
    EXPECT_EQ(f.editor.graphics->Tick(), c.label != nullptr) << c.what;
  }
  LoadField f;
  f.field->OnMsgFromDelegate(1003, 8, nullptr);
  EXPECT_EQ(f.field->GetLabel(), "Load audio");
}

// Any click asks for a "wav" file; the headless window's script answers the prompt.
TEST(BVSampleLoadControl, ClickPromptsForAWavAndLoadsTheAnswer)
{
  struct Script
  {
    const char* answer = nullptr;
    std::string askedExtension;
    static const char* File(void* host, const char* ext)
    {
      auto* script = static_cast<Script*>(host);
      script->askedExtension = ext ? ext : "";
      return script->answer;
    }
  } script;
  HeadlessWindow window{};
  window.host = &script;
  window.answerFilePrompt = &Script::File;

  LoadField f(true, &window);
  ASSERT_NE(window.send, nullptr);
  auto click = [&](int modifiers) { ClickAt(window, kFieldRect.MW(), kFieldRect.MH(), modifiers); };

  click(kHeadlessLeft); // cancelled
  EXPECT_EQ(script.askedExtension, "wav");
  EXPECT_TRUE(f.loaded.empty());
  EXPECT_EQ(f.field->GetLabel(), "Load audio");

  script.answer = "/Users/me/Samples/Pad.wav";
  click(kHeadlessRight | kHeadlessShift | kHeadlessAlt);
  EXPECT_EQ(f.loaded, std::vector<std::string>{"/Users/me/Samples/Pad.wav"});
  EXPECT_EQ(f.field->GetLabel(), "Pad.wav");
  EXPECT_EQ(f.editor.graphics->GetRecord().fileOrColorPrompts, 2);
  f.editor.graphics->CloseWindow();
}

TEST(BVSampleLoadControl, DrawsTheLabelCentredAndTheHoverFill)
{
  LoadField f;
  ASSERT_TRUE(f.editor.fontLoaded);
  f.field->OnMsgFromDelegate(1003, 8, "Pad.wav");
  f.editor.graphics->Tick();
  IGraphicsHeadless& g = *f.editor.graphics;
  EXPECT_TRUE(g.WritePNG((std::string(SNAPSHOT_DIR) + "/sample_load.png").c_str()));

  EXPECT_TRUE(Near(g.PixelAt(25, 14), COLOR_BV_PANEL_DARK, 2)) << Str(g.PixelAt(25, 14));
  // The 1 wide frame straddles the left edge: half frame, half panel.
  EXPECT_TRUE(Near(g.PixelAt(20, 25), IColor(255, 32, 41, 53), 3)) << Str(g.PixelAt(20, 25));

  // The text's pixels: bright, within R inset by 6, centred on R.
  const std::vector<uint8_t> px = g.ReadPixels();
  int minX = 10000, maxX = -1, minY = 10000, maxY = -1;
  for (int y = 0; y < g.WindowPixelHeight(); ++y)
    for (int x = 0; x < g.WindowPixelWidth(); ++x)
      if (px[(static_cast<size_t>(y) * g.WindowPixelWidth() + x) * 4] > 150) // only the text is this red
      {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0) << "no label drawn";
  EXPECT_NEAR((minX + maxX + 1) / 2.0, kFieldRect.MW(), 2.0);
  EXPECT_NEAR((minY + maxY + 1) / 2.0, kFieldRect.MH(), 2.5);
  EXPECT_GT(maxX - minX, 30) << "\"Pad.wav\" in size 13";
  EXPECT_LT(maxX - minX, 60);

  g.EnableMouseOver(true); // as the instrument's layout does
  HeadlessEvent over{};
  over.type = kHeadlessMouseOver;
  over.x = 30;
  over.y = 20;
  ASSERT_TRUE(g.Send(over));
  ASSERT_TRUE(g.Tick());
  // Cyan-dim at alpha 56 over the dark panel.
  EXPECT_TRUE(Near(g.PixelAt(25, 14), IColor(255, 8, 38, 47), 3)) << Str(g.PixelAt(25, 14));
  HeadlessEvent out{};
  out.type = kHeadlessMouseOut;
  g.Send(out);
  g.Tick();
  EXPECT_TRUE(Near(g.PixelAt(25, 14), COLOR_BV_PANEL_DARK, 2));
}
