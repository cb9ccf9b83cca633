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
    function and lays it out through the other. */
class IGEditorDelegate : public IEditorDelegate
{
public:
  using MakeGraphicsFunc = std::function<IGraphics*()>;
  using LayoutFunc = std::function<void(IGraphics*)>;

  explicit IGEditorDelegate(int nParams);
  ~IGEditorDelegate() override;

  IGEditorDelegate(const IGEditorDelegate&) = delete;
  IGEditorDelegate& operator=(const IGEditorDelegate&) = delete;

  /** What the registered make function returns, or null when none is registered. */
  virtual IGraphics* CreateGraphics();
  virtual void LayoutUI(IGraphics* pGraphics);

  void SetMakeGraphicsFunc(MakeGraphicsFunc func) { mMakeGraphicsFunc = std::move(func); }
  void SetLayoutFunc(LayoutFunc func) { mLayoutFunc = std::move(func); }

  /** The open surface, or null. */
  IGraphics* GetUI() const { return mGraphics.get(); }

protected:
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
