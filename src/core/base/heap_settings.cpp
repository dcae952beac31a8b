#include "core/base/heap_settings.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mirute {

void useCompactHeap() {
#if defined(__GLIBC__)
    // A fixed threshold: the C library would otherwise raise it to the size of each large block freed.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_ARENA_MAX, 1);
#endif
}

} // namespace mirute
