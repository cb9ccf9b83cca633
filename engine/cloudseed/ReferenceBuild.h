#pragma once

// The switches of the reverb's reference build. BRIMVALE_PLAIN_LOOPS runs every sample one after
// another, without the side-by-side paths, and BRIMVALE_STANDARD_MATH takes the modulation sine
// from the standard library. The tests render the whole engine both ways and compare.
namespace Cloudseed
{
#if defined(BRIMVALE_PLAIN_LOOPS)
constexpr bool kSideBySide = false;
#else
constexpr bool kSideBySide = true;
#endif
} // namespace Cloudseed
