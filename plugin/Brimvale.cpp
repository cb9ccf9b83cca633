#include "plugin/Brimvale.h"

#include "plugin/editor/BrimvaleEditorSizes.h"
#include "plugin/editor/BrimvaleLayout.h"
#include "plugin/BrimvaleParams.h"
#include "plugin/BrimvaleVersion.h"

namespace
{

iplug::Config MakeConfig()
{
  iplug::Config c;
  c.nParams = kNumParams;
  c.nPresets = 1;
  c.channelIOStr = "0-2";
  c.pluginName = brimvale::kProductName;
  c.productName = brimvale::kProductName;
  c.mfrName = brimvale::kMakerName;
  c.vendorVersion = brimvale::kPackedVersion;
  c.uniqueID = brimvale::kUniqueID;
  c.mfrID = brimvale::kMakerID;
  c.latency = 0;
  c.plugDoesMidiIn = true;
  c.plugDoesMidiOut = false;
  c.plugDoesMPE = false;
  c.plugDoesChunks = true;
  c.plugType = iplug::kInstrument;
  c.plugHasUI = true;
  c.plugWidth = brimvale::editor::kDesignWidth;
  c.plugHeight = brimvale::editor::kDesignHeight;
  c.plugMinWidth = brimvale::editor::kMinWidth;
  c.plugMinHeight = brimvale::editor::kMinHeight;
  c.plugMaxWidth = brimvale::editor::kMaxWidth;
  c.plugMaxHeight = brimvale::editor::kMaxHeight;
  c.plugHostResize = true;
  c.bundleID = brimvale::kBundleID;
  c.appGroupID = brimvale::kAppGroupID;
  return c;
}

} // namespace

Brimvale::Brimvale(const iplug::InstanceInfo& info) : IPlugVST3(info, MakeConfig())
{
  mMeterSender.Reset(48000.0);
  InitBrimvaleParams(*this);
  SetMakeGraphicsFunc([this] { return brimvale::editor::MakeBrimvaleGraphics(*this, *this); });
  SetLayoutFunc(
    [this](iplug::igraphics::IGraphics* pGraphics) { brimvale::editor::LayoutBrimvaleEditor(*this, pGraphics); });
}

Brimvale::~Brimvale() = default;
