#include "engine/SampleFiles.h"

#include "engine/FileByteSource.h"
#include "engine/WavReader.h"

#include <cstring>
#include <new>

namespace brimvale::engine
{

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

bool LoadWavFile(const char* path, SampleBuffer& out, const char* fallbackName)
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
#if defined(BRIMVALE_MACOS)
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

} // namespace brimvale::engine
