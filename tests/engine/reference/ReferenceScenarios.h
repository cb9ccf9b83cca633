// The renders that compare the engine with its reference build: a few ten-second performances
// that reach every fast function of the audio path, one of them also at other host rates and in
// blocks of uneven lengths, each rendered by a fresh engine in a fixed order so that two programs
// render them alike.
#pragma once

#include <string>
#include <vector>

namespace referencerender
{

constexpr int kSeconds = 10;

// The names of the scenarios, in the order they are rendered.
const std::vector<std::string>& ScenarioNames();

// The host rate the scenario renders at; 0 for an unknown name.
int ScenarioRate(const std::string& name);

// The scenario's left and right output, interleaved; empty for an unknown name.
std::vector<double> RenderScenario(const std::string& name);

// The file a reference render of the scenario is kept in.
std::string RenderFile(const std::string& folder, const std::string& name);

} // namespace referencerender
