#include "igraphics/IGraphicsEditorDelegate.h"

#include "igraphics/IGraphics.h"

namespace iplug
{
namespace igraphics
{

IGEditorDelegate::IGEditorDelegate(int nParams) : IEditorDelegate(nParams)
{}

IGEditorDelegate::~IGEditorDelegate() = default;

IGraphics* IGEditorDelegate::CreateGraphics()
{
  return mMakeGraphicsFunc ? mMakeGraphicsFunc() : nullptr;
}

void IGEditorDelegate::LayoutUI(IGraphics* pGraphics)
{
  if (mLayoutFunc)
    mLayoutFunc(pGraphics);
}

} // namespace igraphics
} // namespace iplug
