#pragma once

#include <cstddef>

// The system heap as the WDL containers use it. Kept behind these three functions so that a test
// program can link its own definitions and make growth fail on demand.
namespace iplug::wdl_heap
{
void* Realloc(void* block, std::size_t bytes);
void* Malloc(std::size_t bytes);
void Free(void* block);
} // namespace iplug::wdl_heap
