#include "core/base/memory_reuse.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mirute {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Lists and log buffers up to 32 MB come from the heap rather than from mappings of their own, and up
    // to 128 MB of freed heap stays with the program: the largest log's lists need far less.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}

} // namespace mirute
