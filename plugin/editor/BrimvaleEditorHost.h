// What the editor's face asks of the instrument it belongs to. The plug-in class implements it, so
// the editor is built without the plug-in class and the plug-in links the editor one way only.
#pragma once

#include <string>

namespace brimvale::editor
{

class EditorHost
{
public:
  /** Loads a layer's sample; the path is kept only when it loaded. */
  virtual bool LoadSampleA(const char* path) = 0;
  virtual bool LoadSampleB(const char* path) = 0;
  virtual const std::string& GetSampleAPath() const = 0;
  virtual const std::string& GetSampleBPath() const = 0;
  /** Shows a layer's Rate knob in speed-factor mode and its Semi knob in semitone mode. */
  virtual void UpdateSampleSpeedModeControls() = 0;
  /** Both samples cleared and every parameter at its default, without telling the host. */
  virtual void ResetToInitState() = 0;

protected:
  ~EditorHost() = default;
};

} // namespace brimvale::editor
