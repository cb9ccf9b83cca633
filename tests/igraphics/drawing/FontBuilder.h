#pragma once

// Builds small sfnt files in memory: just the tables the font reader looks at.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fontbuilder
{

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v)
{
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}

inline void Put32(Bytes& b, uint32_t v)
{
  Put16(b, v >> 16);
  Put16(b, v & 0xFFFF);
}

inline void Set16(Bytes& b, size_t at, uint32_t v)
{
  b[at] = uint8_t(v >> 8);
  b[at + 1] = uint8_t(v);
}

struct NameRecord
{
  uint16_t platform, encoding, language, nameID;
  Bytes text; // already encoded
};

inline Bytes UTF16BE(const std::u16string& s)
{
  Bytes b;
  for (char16_t c : s)
    Put16(b, c);
  return b;
}

inline Bytes Raw(const std::string& s)
{
  return Bytes(s.begin(), s.end());
}

inline NameRecord WinName(uint16_t id, const std::u16string& s)
{
  return {3, 1, 0x409, id, UTF16BE(s)};
}
inline NameRecord MacName(uint16_t id, const std::string& s)
{
  return {1, 0, 0, id, Raw(s)};
}

inline Bytes NameTable(const std::vector<NameRecord>& records)
{
  Bytes t;
  Put16(t, 0);
  Put16(t, uint32_t(records.size()));
  Put16(t, uint32_t(6 + 12 * records.size()));
  Bytes storage;
  for (const auto& r : records)
  {
    Put16(t, r.platform);
    Put16(t, r.encoding);
    Put16(t, r.language);
    Put16(t, r.nameID);
    Put16(t, uint32_t(r.text.size()));
    Put16(t, uint32_t(storage.size()));
    storage.insert(storage.end(), r.text.begin(), r.text.end());
  }
  t.insert(t.end(), storage.begin(), storage.end());
  return t;
}

inline Bytes HeadTable(uint16_t unitsPerEm, uint16_t macStyle)
{
  Bytes t(54, 0);
  Set16(t, 18, unitsPerEm);
  Set16(t, 44, macStyle);
  return t;
}

inline Bytes HheaTable(int16_t ascender, int16_t descender, int16_t lineGap)
{
  Bytes t(36, 0);
  Set16(t, 4, uint16_t(ascender));
  Set16(t, 6, uint16_t(descender));
  Set16(t, 8, uint16_t(lineGap));
  return t;
}

struct Face
{
  std::vector<std::pair<std::string, Bytes>> tables;
};

inline Face SimpleFace(const std::vector<NameRecord>& names, uint16_t macStyle = 0)
{
  return {{{"head", HeadTable(1000, macStyle)}, {"hhea", HheaTable(900, -250, 40)}, {"name", NameTable(names)}}};
}

// Lays the faces out one after another; table offsets count from the start of the file.
inline Bytes Build(const std::vector<Face>& faces, bool collection)
{
  Bytes file;
  std::vector<size_t> faceStarts;
  if (collection)
  {
    file = Raw("ttcf");
    Put32(file, 0x00010000);
    Put32(file, uint32_t(faces.size()));
    for (size_t i = 0; i < faces.size(); ++i)
      Put32(file, 0); // patched below
  }
  for (const auto& face : faces)
  {
    faceStarts.push_back(file.size());
    Put32(file, 0x00010000);
    Put16(file, uint32_t(face.tables.size()));
    Put16(file, 0);
    Put16(file, 0);
    Put16(file, 0);
    const size_t records = file.size();
    file.resize(file.size() + 16 * face.tables.size());
    for (size_t t = 0; t < face.tables.size(); ++t)
    {
      const auto& [tag, data] = face.tables[t];
      const size_t rec = records + 16 * t;
      for (int k = 0; k < 4; ++k)
        file[rec + k] = uint8_t(tag[k]);
      const uint32_t offset = uint32_t(file.size());
      Set16(file, rec + 8, offset >> 16);
      Set16(file, rec + 10, offset & 0xFFFF);
      Set16(file, rec + 12, uint32_t(data.size()) >> 16);
      Set16(file, rec + 14, uint32_t(data.size()) & 0xFFFF);
      file.insert(file.end(), data.begin(), data.end());
    }
  }
  if (collection)
    for (size_t i = 0; i < faceStarts.size(); ++i)
    {
      Set16(file, 12 + 4 * i, uint32_t(faceStarts[i]) >> 16);
      Set16(file, 14 + 4 * i, uint32_t(faceStarts[i]) & 0xFFFF);
    }
  return file;
}

} // namespace fontbuilder
