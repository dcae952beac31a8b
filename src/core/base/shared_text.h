#pragma once

#include <QString>

namespace mirute {

// Many short texts written one after another into large blocks, each handed out as an ordinary QString
// that shares its block instead of owning a buffer of its own. Reading the whole play log this way costs
// one allocation per block rather than two per record. A handed-out text behaves like any QString: it is
// implicitly shared, ends in a NUL, and is copied on its first change while anything else shares the
// block; the block lives as long as any of its texts.
class SharedTextBuffer {
public:
    SharedTextBuffer() = default;
    SharedTextBuffer(const SharedTextBuffer &) = delete;
    SharedTextBuffer &operator=(const SharedTextBuffer &) = delete;
    ~SharedTextBuffer() { releaseUnusedReferences(); }

    // Room to write a text of up to maxLength characters; valid until the next call.
    char16_t *room(qsizetype maxLength);
    // The first `length` characters written into the last room, as a QString.
    QString take(qsizetype length);

private:
    void releaseUnusedReferences();

    static constexpr qsizetype kBlockChars = 32 * 1024;
    QString m_block;
    char16_t *m_data = nullptr; // m_block's characters; written through this only, never m_block.data()
    qsizetype m_used = 0;
    qsizetype m_size = 0;
    // References to the block taken in advance, one for each text it could still hold, so that handing
    // out a text needs no atomic operation; the ones left are given back when the block is done with.
    int m_spareReferences = 0;
};

// Inline: the log reader calls it twice for every record.
inline QString SharedTextBuffer::take(qsizetype length) {
    if (length == 0)
        return QStringLiteral("");
    char16_t *text = m_data + m_used;
    text[length] = u'\0'; // as every QString's characters end
    m_used += length + 1;
    // The new text holds one of the spare references. Its characters lie inside the block, after the
    // block's first character, which QString supports as free space at its front.
    --m_spareReferences;
    return QString(QString::DataPointer(m_block.data_ptr().d_ptr(), text, length));
}

// A text kept after the records it came from are gone, with characters of its own: one handed out by a
// SharedTextBuffer keeps its whole block alive, and a log's dates kept that way would keep all of its text.
inline QString ownedText(const QString &text) {
    return QString(text.constData(), text.size());
}

// Whether two texts are equal, known at once when they share their characters, as a day's records share
// their date: comparing equal texts otherwise reads every character of both.
inline bool sameText(const QString &a, const QString &b) {
    return a.size() == b.size() && (a.constData() == b.constData() || a == b);
}

} // namespace mirute
