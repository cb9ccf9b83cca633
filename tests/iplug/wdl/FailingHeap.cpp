#include "FailingHeap.h"

#include <cstdlib>

#include "iplug/wdl/WdlHeapAlloc.h"

namespace
{
bool gFailRealloc = false;
bool gFailMalloc = false;
} // namespace

namespace wdl_test
{
ScopedHeapFailure::ScopedHeapFailure(HeapFailure what)
{
  gFailRealloc = true;
  gFailMalloc = what == HeapFailure::kAll;
}

ScopedHeapFailure::~ScopedHeapFailure()
{
  gFailRealloc = false;
  gFailMalloc = false;
}
} // namespace wdl_test

namespace iplug::wdl_heap
{
void* Realloc(void* block, std::size_t bytes)
{
  return gFailRealloc ? nullptr : std::realloc(block, bytes);
}
void* Malloc(std::size_t bytes)
{
  return gFailMalloc ? nullptr : std::malloc(bytes);
}
void Free(void* block)
{
  std::free(block);
}
} // namespace iplug::wdl_heap
