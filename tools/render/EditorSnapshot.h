// The editor of a hosted instance as a picture: its view attached on the headless platform (on
// Windows, in a real window of the host's own), the plug-in's idle timer run for a moment (the meter
// and the Motion scopes take their values), then drawn and written as a PNG.
#pragma once

#include "tools/host/ModuleHost.h"

#include <string>

namespace testhost
{

/** False, with the reason in error, when the view cannot be made or attached, nothing was drawn in
 * the window (Windows) or the file cannot be written. */
bool WriteEditorSnapshot(HostedInstance& instance, const std::string& pngPath, std::string& error);

} // namespace testhost
