#include "core/base/memory_reuse.h"

#include <algorithm>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mirute {

namespace {

bool g_freedMemoryKept = false;

constexpr qint64 kMemoryPerLogByte = 8;
// The largest log's panels need about this much; it stays below the size from which the heap maps a block
// of its own, which it would hand back to the system when freed.
constexpr qint64 kMostMemoryPrepared = 24 * 1024 * 1024;
// A slice is a few milliseconds of page faults: the window answers a click between two slices.
constexpr qint64 kSlice = 2 * 1024 * 1024;
constexpr qint64 kPage = 4096;

} // namespace

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Lists and log buffers up to 32 MB come from the heap rather than from mappings of their own, and up
    // to 128 MB of freed heap stays with the program: the largest log's lists need far less.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
    g_freedMemoryKept = true;
#endif
}

MemoryPreparer::MemoryPreparer(QObject *parent) : QObject(parent) {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &MemoryPreparer::prepareNextSlice);
}

MemoryPreparer::~MemoryPreparer() {
    finish();
}

void MemoryPreparer::start(qint64 logBytes) {
    finish();
    const qint64 size = std::min(logBytes * kMemoryPerLogByte, kMostMemoryPrepared);
    if (!g_freedMemoryKept || size < kSlice)
        return;
    // One block, so that it is one free block again when handed back, large enough for a whole log's records.
    m_block = static_cast<char *>(std::malloc(size_t(size)));
    if (!m_block)
        return;
    m_size = size;
    m_prepared = 0;
    m_timer.start();
}

void MemoryPreparer::prepareNextSlice() {
    const qint64 end = std::min(m_prepared + kSlice, m_size);
    volatile char *block = m_block;
    for (qint64 at = m_prepared; at < end; at += kPage)
        block[at] = 0;
    m_prepared = end;
    if (m_prepared == m_size)
        finish();
}

void MemoryPreparer::finish() {
    m_timer.stop();
    std::free(m_block);
    m_block = nullptr;
    m_size = m_prepared = 0;
}

} // namespace mirute
