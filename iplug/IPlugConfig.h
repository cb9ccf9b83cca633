#pragma once

#include <cstdint>

namespace iplug
{

/** Everything a plug-in class states about itself when it is constructed. */
struct Config
{
  int nParams = 0;
  int nPresets = 0;
  const char* channelIOStr = "";
  const char* pluginName = "";
  const char* productName = "";
  const char* mfrName = "";
  int vendorVersion = 0; // 0xMMMMmmpp
  int uniqueID = 0;      // four characters
  int mfrID = 0;         // four characters
  int latency = 0;
  bool plugDoesMidiIn = false;
  bool plugDoesMidiOut = false;
  bool plugDoesMPE = false;
  bool plugDoesChunks = false;
  int plugType = 0; // 0 effect, 1 instrument, 2 MIDI effect, 3 generator
  bool plugHasUI = false;
  int plugWidth = 0;
  int plugHeight = 0;
  int plugMinWidth = 0;
  int plugMaxWidth = 0;
  int plugMinHeight = 0;
  int plugMaxHeight = 0;
  bool plugHostResize = false;
  const char* bundleID = "";
  const char* appGroupID = "";
};

} // namespace iplug
