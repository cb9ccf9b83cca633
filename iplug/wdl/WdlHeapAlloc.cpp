#include "iplug/wdl/WdlHeapAlloc.h"

#include <cstdlib>

namespace iplug::wdl_heap
{
void* Realloc(void* block, std::size_t bytes)
{
  return std::realloc(block, bytes);
}
void* Malloc(std::size_t bytes)
{
  return std::malloc(bytes);
}
void Free(void* block)
{
  std::free(block);
}
} // namespace iplug::wdl_heap
