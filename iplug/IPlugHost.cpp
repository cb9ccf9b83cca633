#include "iplug/IPlugHost.h"

#include <cctype>
#include <string>

namespace iplug
{

namespace
{
struct HostWord
{
  const char* word;
  EHost host;
};

// Longer names come before the names they contain ("wavelab elements" before "wavelab"), and the
// most general words last.
const HostWord kHostWords[] = {
  {"reaper", kHostReaper},
  {"protools", kHostProTools},
  {"cubase", kHostCubase},
  {"nuendo", kHostNuendo},
  {"cakewalk", kHostSonar},
  {"vegas", kHostVegas},
  {"fruity", kHostFL},
  {"samplitude", kHostSamplitude},
  {"live", kHostAbletonLive},
  {"tracktion", kHostTracktion},
  {"ntracks", kHostNTracks},
  {"melodyne", kHostMelodyneStudio},
  {"vstmanlib", kHostVSTScanner},
  {"aulab", kHostAULab},
  {"forte", kHostForte},
  {"chainer", kHostChainer},
  {"audition", kHostAudition},
  {"orion", kHostOrion},
  {"bias", kHostBias},
  {"sawstudio", kHostSAWStudio},
  {"logic", kHostLogic},
  {"garageband", kHostGarageBand},
  {"digital", kHostDigitalPerformer},
  {"audiomulch", kHostAudioMulch},
  {"presonus", kHostStudioOne},
  {"vst3plugintesthost", kHostVST3TestHost},
  {"ardour", kHostArdour},
  {"renoise", kHostRenoise},
  {"openmpt", kHostOpenMPT},
  {"wavelab elements", kHostWaveLabElements},
  {"wavelab", kHostWaveLab},
  {"twistedwave", kHostTwistedWave},
  {"bitwig studio", kHostBitwig},
  {"reason", kHostReason},
  {"gwvst", kHostGoldWave5x},
  {"waveform", kHostWaveform},
  {"audacity", kHostAudacity},
  {"acoustica", kHostAcoustica},
  {"plugindoctor", kHostPluginDoctor},
  {"izotope rx", kHostiZotopeRX},
  {"savihost", kHostSAVIHost},
  {"blue cat's vst host", kHostBlueCat},
  {"mixbus", kHostMixbus},
  {"standalone", kHostStandalone},
  {"www", kHostWWW},
};
} // namespace

EHost LookUpHost(const char* hostName)
{
  std::string name(hostName ? hostName : "");
  for (char& c : name)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));

  for (const HostWord& entry : kHostWords)
    if (name.find(entry.word) != std::string::npos)
      return entry.host;
  return kHostUnknown;
}

} // namespace iplug
