#pragma once

#include <string>

namespace iplug
{
namespace igraphics
{

/** What the open and save dialogs get for a list of space-separated extensions (UTF-8). */
struct FileDialogFilter
{
  /** Description and pattern pairs, each ended by a null, the list by a second one; the one
   * description is the pattern itself ("*.wav;*.aif"). Empty without extensions. */
  std::wstring filter;
  /** The first extension, at most 15 characters; empty without extensions. */
  std::wstring defaultExt;
};

FileDialogFilter MakeFileDialogFilter(const char* extensions);

} // namespace igraphics
} // namespace iplug
