#include "engine/SampleFiles.h"

#include "engine/EngineMath.h"
#include "engine/FileByteSource.h"
#include "engine/WavReader.h"

#include <cmath>
#include <cstring>
#include <new>

namespace
{
int HexDigit(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

bool StartsWith(const std::string& text, const char* prefix)
{
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// A NaN read from a file would poison the filters and the reverb for good: it plays as silence.
double LimitSample(double value)
{
  return std::isnan(value) ? 0.0 : EngineMath::Clamp(value, -1.0, 1.0);
}
} // namespace

std::string NormalizeAudioFilePath(const char* path)
{
  if (path == nullptr || *path == '\0')
    return std::string();

  std::string text(path);
  if (StartsWith(text, "file://"))
  {
    text.erase(0, 7);
    if (StartsWith(text, "localhost/"))
      text.erase(0, 10);
    if (!text.empty() && text[0] != '/')
      text.insert(text.begin(), '/');
  }

  std::string decoded;
  decoded.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
  {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0)
    {
      decoded.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
      i += 2;
    }
    else
    {
      decoded.push_back(text[i]);
    }
  }
  return decoded;
}

std::string FileNameFromPath(const char* path)
{
  if (path == nullptr)
    return std::string();
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p)
    if (*p == '/' || *p == '\\')
      name = p + 1;
  return std::string(name);
}

double DecodeWavSample(const unsigned char* bytes, uint16_t formatTag, uint16_t bitsPerSample)
{
  double value = 0.0;
  if (formatTag == 3 && bitsPerSample == 32)
  {
    const uint32_t raw = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    float f;
    std::memcpy(&f, &raw, sizeof(f));
    value = f;
  }
  else if (formatTag == 1 && bitsPerSample == 16)
  {
    const int16_t v = static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
    value = v * (1.0 / 32768.0);
  }
  else if (formatTag == 1 && bitsPerSample == 24)
  {
    int32_t v = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
    if (v & 0x800000)
      v -= 0x1000000;
    value = v * (1.0 / 8388608.0);
  }
  else if (formatTag == 1 && bitsPerSample == 32)
  {
    const uint32_t raw = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    value = static_cast<int32_t>(raw) * (1.0 / 2147483648.0);
  }
  return LimitSample(value);
}

bool LoadWavFile(const char* path, BrimvaleEngine::SampleBuffer& out, const char* fallbackName)
{
  const std::string p = NormalizeAudioFilePath(path);
  // A decoded "%00" would open a shorter path than the one named.
  if (p.empty() || p.find('\0') != std::string::npos)
    return false;

  try
  {
    bool decoded = false;
    {
      FileByteSource source(p.c_str());
      if (!source.IsOpen())
        return false;
      decoded = ReadWavSamples(source, out);
    }
    if (!decoded)
    {
#if defined(__APPLE__)
      return LoadAudioFileWithCoreAudio(p, out, fallbackName);
#else
      return false;
#endif
    }

    const std::string name = FileNameFromPath(p.c_str());
    out.name = name.empty() ? std::string(fallbackName ? fallbackName : "") : name;
    return true;
  }
  catch (const std::bad_alloc&)
  {
    return false;
  }
}
