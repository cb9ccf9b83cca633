#pragma once

#include "iplug/IPlugPluginBaseCore.h"

namespace iplug
{

/** A plug-in object's editor delegate joined to the framework core that holds its identity,
 *  parameters and presets (IPluginBaseCore, where all of that is implemented).
 *
 *  EditorDelegate is the editor side: IEditorDelegate itself, or a class derived from it such as a
 *  drawn editor's delegate. Taking it as a parameter keeps the framework free of any editor toolkit
 *  while letting a plug-in class stack both in one chain. Core is IPluginBaseCore or a core that
 *  builds on it for one plug-in API (IPlugAPIBaseCore, IPlugVST3Core). */
template <class EditorDelegate, class Core = IPluginBaseCore>
class IPluginBase : public EditorDelegate, public Core
{
public:
  IPluginBase(const Config& config, EAPI plugAPI)
  : EditorDelegate(config.nParams)
  , Core(static_cast<IEditorDelegate&>(*this), config, plugAPI)
  {}
};

} // namespace iplug
