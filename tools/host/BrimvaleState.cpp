#include "tools/host/BrimvaleState.h"

#include <cstring>

namespace testhost
{

namespace
{

template <typename T>
void Put(std::vector<char>& b, T v)
{
  char raw[sizeof(T)];
  std::memcpy(raw, &v, sizeof(T));
  b.insert(b.end(), raw, raw + sizeof(T));
}

template <typename T>
bool Get(const std::vector<char>& b, size_t& pos, T& v)
{
  if (b.size() < pos || b.size() - pos < sizeof(T))
    return false;
  std::memcpy(&v, b.data() + pos, sizeof(T));
  pos += sizeof(T);
  return true;
}

bool GetPath(const std::vector<char>& b, size_t& pos, std::string& path)
{
  uint32_t len = 0;
  if (!Get(b, pos, len) || b.size() - pos < len)
    return false;
  path.assign(b.data() + pos, len);
  pos += len;
  return true;
}

} // namespace

std::vector<char> BrimvaleState::Bytes() const
{
  std::vector<char> b;
  Put(b, magic);
  Put(b, version);
  Put(b, static_cast<uint32_t>(pathA.size()));
  b.insert(b.end(), pathA.begin(), pathA.end());
  Put(b, static_cast<uint32_t>(pathB.size()));
  b.insert(b.end(), pathB.begin(), pathB.end());
  for (double v : params)
    Put(b, v);
  Put(b, bypass);
  return b;
}

std::optional<BrimvaleState> BrimvaleState::Parse(const std::vector<char>& bytes)
{
  BrimvaleState s;
  size_t pos = 0;
  if (!Get(bytes, pos, s.magic) || !Get(bytes, pos, s.version) || !GetPath(bytes, pos, s.pathA) ||
      !GetPath(bytes, pos, s.pathB))
    return std::nullopt;
  const size_t valueBytes = bytes.size() - pos;
  if (valueBytes < sizeof(int32_t) || (valueBytes - sizeof(int32_t)) % sizeof(double) != 0)
    return std::nullopt;
  s.params.resize((valueBytes - sizeof(int32_t)) / sizeof(double));
  for (double& v : s.params)
    Get(bytes, pos, v);
  Get(bytes, pos, s.bypass);
  return s;
}

} // namespace testhost
