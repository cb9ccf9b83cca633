// The field of a sample layer that shows the loaded file's short name, asks for a "wav" file when
// clicked and takes files dropped on it. It loads nothing itself: the layout's load function does,
// and the field shows how it went.
#pragma once

#include "igraphics/IControl.h"

#include <functional>
#include <string>
#include <vector>

namespace iplug
{
class WDL_String;
}

namespace brimvale::editor
{

class BVSampleLoadControl : public iplug::igraphics::IControl
{
public:
  /** Loads the path (NUL-terminated) into the layer; true when it loaded. */
  using LoadFunc = std::function<bool(const char* path)>;

  BVSampleLoadControl(const iplug::igraphics::IRECT& bounds, const char* label, LoadFunc loadFunc);

  const std::string& GetLabel() const { return mLabel; }

  /** Any click asks for a "wav" file. */
  void OnMouseDown(float x, float y, const iplug::igraphics::IMouseMod& mod) override;
  void OnDrop(const char* path) override;
  /** Only the first path of the list is loaded. */
  void OnDropMultiple(const std::vector<const char*>& paths) override;
  /** Takes a new label (the sample-label message); ignores anything else. */
  void OnMsgFromDelegate(int msgTag, int dataSize, const void* pData) override;
  void Draw(iplug::igraphics::IGraphics& g) override;

  /** The completion of the file prompt: the chosen file name and its folder, as the prompt gives them. */
  void OnFileChosen(const iplug::WDL_String& fileName, const iplug::WDL_String& path);

private:
  void TryLoad(const char* path);

  std::string mLabel;
  LoadFunc mLoadFunc;
};

/** The label of a stored sample path: its file name, shortened to 24 characters with "..." in the
 * middle when longer, or "Load audio" when there is none. */
std::string ShortFileLabel(const char* path);

} // namespace brimvale::editor
