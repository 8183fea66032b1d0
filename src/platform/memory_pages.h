#pragma once

#include <cstddef>

namespace tessaril {

// Memory for arrays of many megabytes, straight from the system, with huge pages asked for.

// `bytes` zeroed bytes (a multiple of `alignment`, itself a power of two), aligned to `alignment`
// where the system allows; nullptr when there is not enough memory.
void* MapZeroedPages(std::size_t bytes, std::size_t alignment);
// Gives back the pages of a mapping beyond its first `kept` bytes (both multiples of the
// alignment); the mapping keeps its start.
void ReleasePageTail(void* pages, std::size_t kept, std::size_t bytes);
// Frees a mapping of MapZeroedPages; `bytes` is what remains of it after ReleasePageTail.
void UnmapPages(void* pages, std::size_t bytes);

}  // namespace tessaril
