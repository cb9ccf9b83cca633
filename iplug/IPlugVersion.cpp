#include "iplug/IPlugVersion.h"

#include <cstdio>
#include <ctime>
#include <mutex>

namespace iplug
{

void GetVersionParts(int version, int& major, int& minor, int& patch)
{
  major = (version >> 16) & 0xFFFF;
  minor = (version >> 8) & 0xFF;
  patch = version & 0xFF;
}

int GetDecimalVersion(int version)
{
  int major, minor, patch;
  GetVersionParts(version, major, minor, patch);
  return major * 10000 + minor * 100 + patch;
}

void GetVersionStr(int version, WDL_String& str)
{
  int major, minor, patch;
  GetVersionParts(version, major, minor, patch);
  str.SetFormatted(64, "v%d.%d.%d", major, minor, patch);
}

const char* GetAPIStr(int api)
{
  static const char* const kNames[] = {"VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", "CLAP"};
  return (api >= 0 && api < static_cast<int>(sizeof(kNames) / sizeof(kNames[0]))) ? kNames[api] : "";
}

const char* GetArchStr()
{
  return "x86-64";
}

void GetBuildInfoStr(WDL_String& str, int version, int api, const char* date, const char* time)
{
  WDL_String versionStr;
  GetVersionStr(version, versionStr);
  str.SetFormatted(256, "%s %s (%s), built on %s at %.5s ", versionStr.Get(), GetAPIStr(api), GetArchStr(),
                   date ? date : "", time ? time : "");
}

namespace
{
std::once_flag gStartTimeOnce;
char gStartTime[64] = "";

void FormatStartTime()
{
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  std::tm utc{};
#if defined(_WIN32)
  localtime_s(&local, &now);
  gmtime_s(&utc, &now);
#else
  localtime_r(&now, &local);
  gmtime_r(&now, &utc);
#endif
  utc.tm_isdst = local.tm_isdst;
  const long offsetMinutes = static_cast<long>(std::difftime(std::mktime(&local), std::mktime(&utc)) / 60.0);
  const long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;

  char stamp[32] = "";
  std::strftime(stamp, sizeof(stamp), "%Y%m%d %H:%M ", &local);
  std::snprintf(gStartTime, sizeof(gStartTime), "%s%c%02ld%02ld", stamp, offsetMinutes < 0 ? '-' : '+', magnitude / 60,
                magnitude % 60);
}
} // namespace

void StampStartTime()
{
  std::call_once(gStartTimeOnce, FormatStartTime);
}

const char* GetStartTimeStamp()
{
  return gStartTime;
}

} // namespace iplug
