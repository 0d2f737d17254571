#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

// Byte buffers of tens of megabytes (a 4K picture's scanlines or pixels), fresh on every
// call. On huge pages they cost a fraction of the page faults small pages would.
namespace LargeBuffer {

inline constexpr std::size_t hugePageSize = std::size_t { 2 } << 20;

struct FreeDeleter {
    void operator()(std::uint8_t* bytes) const { std::free(bytes); }
};
using Bytes = std::unique_ptr<std::uint8_t[], FreeDeleter>;

// Null when memory runs out. The bytes are released with std::free.
[[nodiscard]] inline Bytes allocate(std::size_t size)
{
    if (size < hugePageSize)
        return Bytes(static_cast<std::uint8_t*>(std::malloc(size)));
    const std::size_t rounded = (size / hugePageSize + 1) * hugePageSize;
    auto* bytes = static_cast<std::uint8_t*>(std::aligned_alloc(hugePageSize, rounded));
    if (bytes)
        madvise(bytes, rounded, MADV_HUGEPAGE); // only a hint: failure just means small pages
    return Bytes(bytes);
}

} // namespace LargeBuffer
