// The sample layer's load field: prompt, drops, the label message and the short file label.
#include "plugin/editor/BVSampleLoadControl.h"

#include "plugin/editor/BVPalette.h"
#include "plugin/BrimvaleMessages.h"

#include "igraphics/IGraphics.h"
#include "iplug/wdl/WdlString.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace iplug::igraphics;
using iplug::WDL_String;

namespace brimvale::editor
{
namespace
{

constexpr const char* kNoSampleLabel = "Load audio";
constexpr size_t kMaxLabelChars = 24;
constexpr size_t kHeadChars = 10;
constexpr size_t kTailChars = 11;

/** Bytes in the UTF-8 sequence at s (n bytes left), or 1 for a byte that starts no well-formed
 * sequence, so that broken names still shorten without reading past their end. */
size_t Utf8SequenceLength(const unsigned char* s, size_t n)
{
  const unsigned char c = s[0];
  size_t len = 0;
  unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
  if (c < 0x80)
    return 1;
  if (c >= 0xC2 && c <= 0xDF)
    len = 2;
  else if (c >= 0xE0 && c <= 0xEF)
  {
    len = 3;
    lo = c == 0xE0 ? 0xA0 : lo; // no overlong forms
    hi = c == 0xED ? 0x9F : hi; // no surrogates
  }
  else if (c >= 0xF0 && c <= 0xF4)
  {
    len = 4;
    lo = c == 0xF0 ? 0x90 : lo;
    hi = c == 0xF4 ? 0x8F : hi; // nothing above U+10FFFF
  }
  else
    return 1;
  if (n < len || s[1] < lo || s[1] > hi)
    return 1;
  for (size_t i = 2; i < len; ++i)
    if ((s[i] & 0xC0) != 0x80)
      return 1;
  return len;
}

/** Byte offsets where each character of text starts. */
std::vector<size_t> CharacterStarts(const std::string& text)
{
  std::vector<size_t> starts;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t i = 0; i < text.size(); i += Utf8SequenceLength(bytes + i, text.size() - i))
    starts.push_back(i);
  return starts;
}

} // namespace

BVSampleLoadControl::BVSampleLoadControl(const IRECT& bounds, const char* label, LoadFunc loadFunc)
: IControl(bounds)
, mLabel(label ? label : "")
, mLoadFunc(std::move(loadFunc))
{
  SetTooltip("Load audio");
}

void BVSampleLoadControl::OnMouseDown(float, float, const IMouseMod&)
{
  WDL_String fileName, path;
  GetUI()->PromptForFile(
    fileName, path, EFileAction::Open, "wav",
    GetLifetime().Guard([this](const WDL_String& chosen, const WDL_String& folder) { OnFileChosen(chosen, folder); }));
}

void BVSampleLoadControl::OnFileChosen(const WDL_String& fileName, const WDL_String& path)
{
  const char* name = fileName.Get();
  if (!name || !*name)
    return; // the prompt was cancelled

  const char* folder = path.Get();
  const bool complete = std::strncmp(name, "file://", 7) == 0 || name[0] == '/' || std::strchr(name, ':');
  std::string full;
  if (!complete && folder && *folder)
  {
    full = folder;
    if (full.back() != '/' && full.back() != '\\')
      full += '/';
  }
  full += name;
  TryLoad(full.c_str());
}

void BVSampleLoadControl::OnDrop(const char* path)
{
  if (path && *path)
    TryLoad(path);
}

void BVSampleLoadControl::OnDropMultiple(const std::vector<const char*>& paths)
{
  if (!paths.empty())
    OnDrop(paths.front());
}

void BVSampleLoadControl::OnMsgFromDelegate(int msgTag, int dataSize, const void* pData)
{
  if (msgTag != kMsgTagSampleLabel || dataSize < 1 || !pData)
    return;
  // The sender's terminator is not trusted: the label ends at the data's end at the latest.
  const char* text = static_cast<const char*>(pData);
  mLabel.assign(text, std::find(text, text + dataSize, '\0'));
  SetDirty(false);
}

void BVSampleLoadControl::Draw(IGraphics& g)
{
  const IRECT& r = GetRECT();
  g.FillRect(COLOR_BV_PANEL_DARK, r);
  if (GetMouseIsOver())
    g.FillRect(WithAlpha(COLOR_BV_CYAN_DIM, 56), r);
  g.DrawRect(COLOR_BV_FRAME, r, nullptr, 1.f);
  g.DrawText(PanelText(13.f, COLOR_BV_TEXT), mLabel.c_str(), r.GetPadded(-6.f));
}

void BVSampleLoadControl::TryLoad(const char* path)
{
  // The load function stores the path on success; a failed load leaves everything but the label.
  if (!mLoadFunc)
    return;
  mLabel = mLoadFunc(path) ? ShortFileLabel(path) : "Unsupported WAV";
  SetDirty(false);
}

std::string ShortFileLabel(const char* path)
{
  if (!path || !*path)
    return kNoSampleLabel;
  const char* lastSeparator = nullptr;
  for (const char* p = path; *p; ++p)
    if (*p == '/' || *p == '\\')
      lastSeparator = p;
  const std::string name = lastSeparator ? lastSeparator + 1 : path;
  if (name.empty())
    return kNoSampleLabel;

  const std::vector<size_t> starts = CharacterStarts(name);
  if (starts.size() <= kMaxLabelChars)
    return name;
  return name.substr(0, starts[kHeadChars]) + "..." + name.substr(starts[starts.size() - kTailChars]);
}

} // namespace brimvale::editor
