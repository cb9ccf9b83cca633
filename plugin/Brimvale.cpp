#include "plugin/Brimvale.h"

#include "plugin/BrimvaleLayout.h"
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
  c.uniqueID = 0x42566d31; // 'BVm1'
  c.mfrID = 0x44757a69;    // 'Duzi'
  c.latency = 0;
  c.plugDoesMidiIn = true;
  c.plugDoesMidiOut = false;
  c.plugDoesMPE = false;
  c.plugDoesChunks = true;
  c.plugType = iplug::kInstrument;
  c.plugHasUI = true;
  c.plugWidth = 1480;
  c.plugHeight = 360;
#ifdef _WIN32
  c.plugMinWidth = 888;
  c.plugMinHeight = 216;
#else
  c.plugMinWidth = 1369;
  c.plugMinHeight = 333;
#endif
  c.plugMaxWidth = 2368;
  c.plugMaxHeight = 576;
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
  SetMakeGraphicsFunc([this] { return MakeBrimvaleGraphics(*this); });
  SetLayoutFunc([this](iplug::igraphics::IGraphics* pGraphics) { LayoutBrimvaleEditor(*this, pGraphics); });
}

Brimvale::~Brimvale() = default;
