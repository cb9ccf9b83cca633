#pragma once

#include <functional>
#include <memory>

#include "iplug/IPlugEditorDelegate.h"

namespace iplug
{
namespace igraphics
{

class IGraphics;

/** The editor side of a plug-in with a drawn editor: it makes the surface through the registered
    function when the host opens the editor, destroys it when the editor closes, keeps the editor's
    size and scale across closings, and routes the plug-in's values and messages to the controls. */
class IGEditorDelegate : public IEditorDelegate
{
public:
  using MakeGraphicsFunc = std::function<IGraphics*()>;
  using LayoutFunc = std::function<void(IGraphics*)>;

  explicit IGEditorDelegate(int nParams);
  ~IGEditorDelegate() override;

  IGEditorDelegate(const IGEditorDelegate&) = delete;
  IGEditorDelegate& operator=(const IGEditorDelegate&) = delete;

  /** Makes the surface when none is open, gives it the size kept from the last opening, and opens
      the platform view; null when no surface or no view could be made. */
  void* OpenWindow(void* pParent) override;
  void CloseWindow() override;
  void OnParentWindowResize(int width, int height) override;
  /** The open surface's platform window scale (the display's on Windows); 1 when closed. */
  float GetPlatformWindowScale() const override;
  void SetScreenScale(float scale) override;
  /** Handled by the control under the mouse or the editor's key handler. */
  bool OnKeyDown(const IKeyPress& key) override;
  bool OnKeyUp(const IKeyPress& key) override;

  void SendControlValueFromDelegate(int ctrlTag, double normalizedValue) override;
  void SendControlMsgFromDelegate(int ctrlTag, int msgTag, int dataSize = 0, const void* pData = nullptr) override;
  void SendParameterValueFromDelegate(int paramIdx, double value, bool normalized) override;
  void SendMidiMsgFromDelegate(const IMidiMsg& msg) override;

  /** Appends the 12-byte record: width, height (int32) and draw scale (float32). */
  bool SerializeEditorState(IByteChunk& chunk) const override;
  /** Reads the record at startPos; the position after it, or -1 when the chunk is too short or
      the record has a negative size or a scale that is negative, infinite or not a number. A
      record refused changes nothing. */
  int UnserializeEditorState(const IByteChunk& chunk, int startPos) override;
  bool SerializeEditorSize(IByteChunk& chunk) const { return SerializeEditorState(chunk); }
  int UnserializeEditorSize(const IByteChunk& chunk, int startPos) { return UnserializeEditorState(chunk, startPos); }

  /** What the registered make function returns, or null when none is registered. */
  virtual IGraphics* CreateGraphics();
  virtual void LayoutUI(IGraphics* pGraphics);

  void SetMakeGraphicsFunc(MakeGraphicsFunc func) { mMakeGraphicsFunc = std::move(func); }
  void SetLayoutFunc(LayoutFunc func) { mLayoutFunc = std::move(func); }

  /** The open surface, or null. */
  IGraphics* GetUI() const { return mGraphics.get(); }

protected:
  bool SendKeyToUI(const IKeyPress& key, bool isUp);

  MakeGraphicsFunc mMakeGraphicsFunc;
  LayoutFunc mLayoutFunc;
  std::unique_ptr<IGraphics> mGraphics;
  int mLastWidth = 0;
  int mLastHeight = 0;
  float mLastScale = 0.f;
  bool mClosing = false;
};

} // namespace igraphics
} // namespace iplug
