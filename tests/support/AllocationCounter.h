#pragma once

// The program's global allocation functions, replaced to count: linking AllocationCounter.cpp into a
// test program lets it tell whether a stretch of code allocated (the audio path must not).
namespace testsupport
{

/** Calls of operator new (any form) so far in this process. */
long long AllocationCount();
/** Bytes asked of operator new so far in this process. */
long long AllocatedBytes();

} // namespace testsupport
