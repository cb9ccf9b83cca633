// Renders every reference scenario with the engine this program is linked with and keeps each in
// a file of the given folder, for the test that compares the engine's own renders with them.
#include "tests/engine/reference/ReferenceScenarios.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  for (const std::string& name : referencerender::ScenarioNames())
  {
    const std::vector<double> render = referencerender::RenderScenario(name);
    const std::string path = referencerender::RenderFile(argv[1], name);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(render.data()),
               static_cast<std::streamsize>(render.size() * sizeof(double)));
    file.close();
    if (render.empty() || !file)
    {
      std::fprintf(stderr, "could not render %s into %s\n", name.c_str(), path.c_str());
      return 1;
    }
  }
  return 0;
}
