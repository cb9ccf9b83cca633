#include "tests/support/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
std::atomic<long long> gAllocations{0};
std::atomic<long long> gBytes{0};

void* Count(std::size_t size)
{
  ++gAllocations;
  gBytes += static_cast<long long>(size);
  return std::malloc(size ? size : 1);
}
} // namespace

long long testsupport::AllocationCount()
{
  return gAllocations.load();
}

long long testsupport::AllocatedBytes()
{
  return gBytes.load();
}

void* operator new(std::size_t size)
{
  if (void* p = Count(size))
    return p;
  throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  return Count(size);
}

void* operator new[](std::size_t size)
{
  return operator new(size);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
  return operator new(size, tag);
}

void operator delete(void* p) noexcept
{
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}

void operator delete[](void* p) noexcept
{
  std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
  std::free(p);
}
