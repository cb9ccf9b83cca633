#pragma once

// A stand-in for the containers' heap: it passes every call to the system heap until a test
// makes growth fail for the lifetime of a ScopedHeapFailure.
namespace wdl_test
{
enum class HeapFailure
{
  kReallocOnly, // realloc fails, the malloc-and-copy fallback still works
  kAll,         // realloc and malloc both fail
};

class ScopedHeapFailure
{
public:
  explicit ScopedHeapFailure(HeapFailure what);
  ~ScopedHeapFailure();
  ScopedHeapFailure(const ScopedHeapFailure&) = delete;
  ScopedHeapFailure& operator=(const ScopedHeapFailure&) = delete;
};
} // namespace wdl_test
