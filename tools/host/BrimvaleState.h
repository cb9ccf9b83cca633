// The bytes of a Brimvale instance's saved state as a host stores them: the plug-in chunk (magic,
// version, the two sample paths, every parameter value) followed by the 32-bit bypass flag.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testhost
{

struct BrimvaleState
{
  static constexpr uint32_t kMagic = 0x42565331;
  static constexpr uint32_t kVersion = 1;

  uint32_t magic = kMagic;
  uint32_t version = kVersion;
  std::string pathA;
  std::string pathB;
  std::vector<double> params;
  int32_t bypass = 0;

  std::vector<char> Bytes() const;
  // Nothing when the bytes are not a complete state of this layout; the number of parameter
  // values is what lies between the paths and the bypass flag.
  static std::optional<BrimvaleState> Parse(const std::vector<char>& bytes);
};

} // namespace testhost
