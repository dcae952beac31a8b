#include "core/base/shared_text.h"

#include <algorithm>

namespace mirute {

char16_t *SharedTextBuffer::room(qsizetype maxLength) {
    if (m_size - m_used < maxLength + 1) {
        releaseUnusedReferences();
        // A fresh block; the texts of the old one keep it alive for as long as they need it.
        m_block = QString(std::max(kBlockChars, maxLength + 1), Qt::Uninitialized);
        m_data = reinterpret_cast<char16_t *>(m_block.data());
        m_used = 0;
        m_size = m_block.size();
        // Every text takes at least two characters (one and its NUL), so half the block bounds their number.
        m_spareReferences = int(m_size / 2 + 1);
        m_block.data_ptr().d_ptr()->ref_.fetchAndAddRelaxed(m_spareReferences);
    }
    return m_data + m_used;
}

void SharedTextBuffer::releaseUnusedReferences() {
    // m_block still holds its own reference, so this never frees the block under its texts.
    if (m_spareReferences > 0)
        m_block.data_ptr().d_ptr()->ref_.fetchAndSubRelaxed(m_spareReferences);
    m_spareReferences = 0;
}

} // namespace mirute
