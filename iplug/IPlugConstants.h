#pragma once

// Constants shared across the plug-in framework.

namespace iplug
{

// Where a parameter change came from; passed with every change notification.
enum EParamSource
{
  kReset = 0,        // reset or initialisation
  kHost = 1,         // host automation or a controller-side set
  kPresetRecall = 2, // preset or state recall
  kUI = 3,           // the editor
  kDelegate = 4,     // the editor delegate's default parameter update
};

// The plug-in API a build targets.
enum EAPI
{
  kAPIVST2 = 0,
  kAPIVST3 = 1,
  kAPIAU = 2,
  kAPIAUv3 = 3,
  kAPIAAX = 4,
  kAPIAPP = 5,
  kAPIWAM = 6,
  kAPIWEB = 7,
  kAPICLAP = 8,
};

// Direction of a bus or channel.
enum ERoute
{
  kInput = 0,
  kOutput = 1,
};

// What kind of plug-in a configuration describes.
enum EIPlugPluginType
{
  kEffect = 0,
  kInstrument = 1,
  kMIDIEffect = 2,
  kGenerator = 3,
};

constexpr int kNoParameter = -1;
constexpr int kNoTag = -1;

// Fixed text fields, each including its NUL terminator.
constexpr int MAX_PARAM_NAME_LEN = 32;
constexpr int MAX_PARAM_LABEL_LEN = 32;
constexpr int MAX_PARAM_GROUP_LEN = 32;
constexpr int MAX_PARAM_DISPLAY_LEN = 32;
constexpr int MAX_PLUGIN_NAME_LEN = 128;
constexpr int MAX_PRESET_NAME_LEN = 256;

// Each formatted piece of a parameter's JSON description is at most this long.
constexpr int MAX_PARAM_JSON_PIECE_LEN = 8192;

// A bus's channel count of -MAX_BUS_CHANS stands for "any number" (written "*").
constexpr int MAX_BUS_CHANS = 64;

// Period of the framework's main-thread timer.
constexpr int IDLE_TIMER_RATE_MS = 20;

} // namespace iplug
