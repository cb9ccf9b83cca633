#pragma once

#include "iplug/IPlugConstants.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{

// Versions are packed as 0xMMMMmmpp: major in the upper 16 bits, minor in bits 8-15, patch in 0-7.

void GetVersionParts(int version, int& major, int& minor, int& patch);

/** major * 10000 + minor * 100 + patch, the form older preset files store. */
int GetDecimalVersion(int version);

/** "v1.2.3" for 0x010203. */
void GetVersionStr(int version, WDL_String& str);

/** The API's name, "" for an unknown value. */
const char* GetAPIStr(int api);

const char* GetArchStr();

/** "<version> <api> (<arch>), built on <date> at <hh:mm> ". */
void GetBuildInfoStr(WDL_String& str, int version, int api, const char* date, const char* time);

/** Remembers, once per process, when the first plug-in object was made (for diagnostics). */
void StampStartTime();
const char* GetStartTimeStamp();

} // namespace iplug
