#include "core/log/play_log_fast.h"

#include "core/base/clock_texts.h"
#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/base/shared_text.h"
#include "core/base/sjis.h"
#include "core/base/text_file.h"
#include "core/log/game_names.h"

#include <QRunnable>
#include <QSemaphore>
#include <QThreadPool>

#include <atomic>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>

namespace mirute {

namespace {

constexpr int kMaxItems = 6;

// One item of a line: its bytes (inside the quotes when quoted). No member initialisers: a line's six
// items are filled by splitLine, and clearing them first for every line showed up in profiles.
struct Item {
    const char *begin;
    const char *end;
    bool quoted;
    qsizetype size() const { return end - begin; }
    QByteArrayView bytes() const { return QByteArrayView(begin, size()); }
};

// Equal bytes, for the short texts every record repeats (its date, its game's name): up to 16 bytes are
// compared as two overlapping words, without a call.
bool sameBytes(QByteArrayView a, QByteArrayView b) {
    const qsizetype n = a.size();
    if (n != b.size())
        return false;
    const auto same = [&](auto word, qsizetype at) {
        decltype(word) u, v;
        std::memcpy(&u, a.data() + at, sizeof u);
        std::memcpy(&v, b.data() + at, sizeof v);
        return u == v;
    };
    if (n >= 8 && n <= 16)
        return same(quint64(), 0) && same(quint64(), n - 8);
    if (n >= 4 && n < 8)
        return same(quint32(), 0) && same(quint32(), n - 4);
    return n == 0 || std::memcmp(a.data(), b.data(), size_t(n)) == 0;
}

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isAscii(const Item &item) {
    for (const char *p = item.begin; p < item.end; ++p)
        if (uchar(*p) >= 0x80)
            return false;
    return true;
}

bool isBlankLine(const char *p, const char *end) {
    for (; p < end; ++p)
        if (!isSpace(*p))
            return false;
    return true;
}

// The first double quote or line feed in [p, end), or end; sixteen bytes at a time with SSE2, else eight
// (a byte equal to c is the lowest zero byte of word ^ c…c, and the lowest flag of the zero-byte test is
// always exact).
const char *findQuoteOrLineEnd(const char *p, const char *end) {
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int found = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, quote), _mm_cmpeq_epi8(chunk, lf)));
        if (found)
            return p + std::countr_zero(unsigned(found));
    }
#endif
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHigh = kOnes * 0x80;
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            const quint64 q = word ^ (kOnes * '"');
            const quint64 l = word ^ (kOnes * '\n');
            const quint64 found = ((q - kOnes) & ~q & kHigh) | ((l - kOnes) & ~l & kHigh);
            if (found)
                return p + (std::countr_zero(found) >> 3);
        }
    }
    while (p < end && *p != '"' && *p != '\n')
        ++p;
    return p;
}

// Eight bytes that are all printable ASCII other than the double quote. Each test flags the high bit of
// some byte exactly when a byte of that kind is there: one below the blank, one above '~' (or not ASCII),
// one equal to the quote.
bool isPlainWord(quint64 word) {
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHigh = kOnes * 0x80;
    const quint64 control = (word - kOnes * 0x20) & ~word;
    const quint64 beyond = (word + kOnes * (0x7F - 0x7E)) | word;
    const quint64 quote = word ^ (kOnes * '"');
    const quint64 isQuote = (quote - kOnes) & ~quote;
    return ((control | beyond | isQuote) & kHigh) == 0;
}

// Printable ASCII other than the double quote: a date or time the program wrote (8 to 16 bytes, read as
// two words that may overlap).
bool isPlainAscii(const char *p, int n) {
    quint64 first, last;
    std::memcpy(&first, p, 8);
    std::memcpy(&last, p + n - 8, 8);
    return isPlainWord(first) && isPlainWord(last);
}

// A quoted text starting at *p that closes on its own line; *p moves past the closing quote.
bool takeQuoted(const char **p, const char *end, Item *item) {
    const char *text = *p + 1;
    if (*p >= end || **p != '"')
        return false;
    const char *close = findQuoteOrLineEnd(text, end);
    if (close == end || *close != '"')
        return false;
    *item = {text, close, true};
    *p = close + 1;
    return true;
}

// The shape of every line the games and the log's rewrite write,
//   "yyyy/mm/dd","HH:MM:SS","game",seconds,"diary",""   (or with nothing after the last comma)
// matched at fixed places, with one search per quoted text and none for the line end. Such a line cuts
// into exactly the items splitLine would give it; false sends any other line there. *next is the start
// of the following line.
bool splitStandardLine(const char *p, const char *end, Item *items, const char **next) {
    if (end - p < 30 || p[0] != '"' || p[11] != '"' || p[12] != ',' || p[13] != '"' || p[22] != '"' || p[23] != ',' ||
        !isPlainAscii(p + 1, 10) || !isPlainAscii(p + 14, 8))
        return false;
    items[0] = {p + 1, p + 11, true};
    items[1] = {p + 14, p + 22, true};
    const char *q = p + 24;
    if (!takeQuoted(&q, end, &items[2]) || q == end || *q != ',')
        return false;
    const char *number = ++q;
    while (q < end && ((*q >= '0' && *q <= '9') || *q == '.'))
        ++q;
    if (q == number || q == end || *q != ',')
        return false;
    items[3] = {number, q, false};
    ++q;
    if (!takeQuoted(&q, end, &items[4]) || q == end || *q != ',')
        return false;
    ++q;
    if (end - q >= 2 && q[0] == '"' && q[1] == '"') {
        items[5] = {q + 1, q + 1, true};
        q += 2;
    } else {
        items[5] = {q, q, false};
    }
    if (q == end)
        *next = end;
    else if (*q == '\n')
        *next = q + 1;
    else if (*q == '\r' && end - q >= 2 && q[1] == '\n')
        *next = q + 2;
    else
        return false;
    return true;
}

// Cuts a line into items as the Write-list reader does, in one pass over its bytes. The separators are
// ASCII and Shift_JIS never uses an ASCII byte as the second byte of a character, so the bytes can be cut
// before they are decoded. False for what only the line-by-line reader handles: more than six items, an
// unterminated quote, text after a closing quote, and non-ASCII bytes outside the quotes.
bool splitLine(const char *p, const char *end, Item *items, int *count) {
    int n = 0;
    while (true) {
        while (p < end && (*p == ' ' || *p == '\t'))
            ++p;
        if (n == kMaxItems)
            return false;
        Item &item = items[n++];
        uchar high = 0;
        if (p < end && *p == '"') {
            const char *text = ++p;
            p = findQuoteOrLineEnd(p, end); // no line feed inside a line
            if (p == end)
                return false;
            item = {text, p, true};
            // Only blanks may follow a closing quote; the line reader names anything else as damage.
            for (++p; p < end && (*p == ' ' || *p == '\t'); ++p) {
            }
            if (p < end && *p != ',')
                return false;
        } else {
            const char *text = p;
            for (; p < end && *p != ','; ++p)
                high |= uchar(*p);
            const char *last = p;
            while (last > text && isSpace(last[-1]))
                --last;
            while (text < last && isSpace(*text))
                ++text;
            item = {text, last, false};
        }
        if (high & 0x80)
            return false;
        if (p == end) {
            *count = n;
            return true;
        }
        ++p;
    }
}

// Records in a log of this size, or a few more: lines are about 80 bytes.
qsizetype recordEstimate(qsizetype bytes) {
    return bytes / 64 + 16;
}
// Records made ready at a time: about 50 KB, which stays in the cache until they are filled.
constexpr qsizetype kRecordBlock = 512;

class FastLogReader {
public:
    explicit FastLogReader(PlayLogData *data) : m_data(data) {
        for (qsizetype i = 0; i < gameNames().size(); ++i) {
            QByteArray bytes;
            sjis::encode(gameNames()[i], &bytes);
            m_gameBytes.append(bytes);
        }
    }

    bool read(QByteArrayView bytes) {
        // Records are written into a list with room for the usual line of about 80 bytes, made longer a
        // block at a time just ahead of the records written into it, and cut to size at the end: no call
        // per record, as appending one would cost, and each block is still in the cache when it is filled,
        // where setting up the whole list at once would walk megabytes of memory twice.
        m_data->records.reserve(m_data->records.size() + recordEstimate(bytes.size()));
        const char *p = bytes.constData();
        const char *const end = p + bytes.size();
        while (p < end) {
            Item items[kMaxItems]; // filled up to count
            int count = kMaxItems;
            const char *next;
            if (!splitStandardLine(p, end, items, &next)) {
                const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
                const char *lineEnd = nl ? nl : end;
                next = nl ? nl + 1 : end;
                if (lineEnd > p && lineEnd[-1] == '\r')
                    --lineEnd;
                if (isBlankLine(p, lineEnd)) {
                    p = next;
                    continue;
                }
                if (!splitLine(p, lineEnd, items, &count))
                    return false;
            }
            if (!record(items, count))
                return false;
            p = next;
        }
        m_data->records.resize(m_count);
        return true;
    }

private:
    // The text of an item decoded into the shared buffer; false for bytes that are not Shift_JIS.
    bool decode(const Item &item, QString *out) {
        char16_t *room = m_texts.room(item.size());
        const qsizetype length = sjis::decodeTo(item.bytes(), room);
        if (length < 0)
            return false;
        *out = m_texts.take(length);
        return true;
    }

    // The seconds, checked exactly as the line-by-line reader checks them.
    static bool seconds(const Item &item, float *out) {
        if (item.quoted)
            return false;
        double value;
        if (!parsePlainDecimal(item.begin, item.size(), &value)) {
            const auto general = parseAsciiNumber(item.bytes());
            if (!general)
                return false;
            value = *general;
        }
        if (!isPlaySeconds(value))
            return false;
        *out = float(value);
        return true;
    }

    // A day's records repeat its date, and every record names one of the seven games: both are kept once.
    // A date is checked once for its run of records, a time by the table of the day's seconds.
    bool date(const Item &item, QString *out) {
        // Before the first date is read, an empty one must not pass for the same.
        if (m_date.isNull() || !sameBytes(item.bytes(), m_dateBytes)) {
            if (!isStoredDate(item.begin, item.size()) || !decode(item, &m_date))
                return false;
            m_dateBytes = item.bytes();
        }
        *out = QString(m_date); // built and moved in: both inline, unlike a copy assignment
        return true;
    }
    static bool time(const Item &item, QString *out) {
        *out = sharedClockText(item.bytes());
        return !out->isNull();
    }
    bool game(const Item &item, QString *out) {
        for (qsizetype i = 0; i < m_gameBytes.size(); ++i)
            if (sameBytes(item.bytes(), m_gameBytes[i])) {
                *out = QString(gameNames()[i]); // built and moved in: both inline, unlike a copy assignment
                return true;
            }
        return decode(item, out);
    }

    bool record(const Item *items, int count) {
        if (count < 5 || (count == 6 && !isAscii(items[5])))
            return false;
        float secs;
        if (!seconds(items[3], &secs))
            return false;
        // Built in place; a line given up on ends the whole fast read, so a half-filled record never stays.
        if (m_count == m_data->records.size())
            m_data->records.resize(m_count + kRecordBlock);
        PlayRecord &r = m_data->records.data()[m_count++];
        r.seconds = secs;
        return date(items[0], &r.date) && time(items[1], &r.time) && game(items[2], &r.game) &&
               decode(items[4], &r.diary);
    }

    PlayLogData *m_data;
    qsizetype m_count = 0; // records read
    QList<QByteArray> m_gameBytes;
    SharedTextBuffer m_texts;
    QByteArrayView m_dateBytes;
    QString m_date;
};

} // namespace

namespace {

std::atomic<int> g_finishedReads{0};
std::atomic<int> g_twoPartReads{0};

// Below this a log is read in one piece: the second thread would cost more than it saves.
constexpr qsizetype kTwoPartBytes = 512 * 1024;

// A large log is read in two parts at once, cut at the line end nearest its middle (lines never span a
// line end in a sound file), and its records joined in order: the machines it runs on have two cores, and
// every panel reads the whole log when it opens. Either part giving up gives up the whole.
// The second part, read on a thread of the application's pool.
class SecondPart : public QRunnable {
public:
    explicit SecondPart(QByteArrayView bytes) : m_bytes(bytes) { setAutoDelete(false); }
    void run() override {
        m_read = FastLogReader(&m_data).read(m_bytes);
        m_done.release();
    }
    // Waits for the part; read here when no pool thread has taken it up yet.
    bool wait(QThreadPool *pool) {
        if (pool->tryTake(this))
            run();
        m_done.acquire();
        return m_read;
    }
    PlayLogData &data() { return m_data; }

private:
    QByteArrayView m_bytes;
    PlayLogData m_data;
    bool m_read = false;
    QSemaphore m_done;
};

bool readInTwoParts(QByteArrayView bytes, qsizetype cut, PlayLogData *data) {
    // Room for every record in the first list and for its part in the second, made here: the parts then
    // join without moving the first, and the other thread allocates no large list of its own.
    data->records.reserve(recordEstimate(bytes.size()));
    SecondPart second(bytes.sliced(cut));
    second.data().records.reserve(recordEstimate(bytes.size() - cut));
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->start(&second);
    const bool firstRead = FastLogReader(data).read(bytes.first(cut));
    const bool secondRead = second.wait(pool);
    if (!firstRead || !secondRead)
        return false;
    data->records.append(std::move(second.data().records));
    ++g_twoPartReads;
    return true;
}

} // namespace

bool readSoundPlayLog(const QByteArray &bytes, PlayLogData *data) {
    if (bytes.contains('\0') || looksLikeUtf8(bytes))
        return false;
    const qsizetype middle = bytes.size() / 2;
    const void *lineEnd = bytes.size() < kTwoPartBytes
                              ? nullptr
                              : std::memchr(bytes.constData() + middle, '\n', size_t(bytes.size() - middle));
    const bool read = lineEnd ? readInTwoParts(bytes, static_cast<const char *>(lineEnd) + 1 - bytes.constData(), data)
                              : FastLogReader(data).read(bytes);
    if (read)
        ++g_finishedReads;
    return read;
}

FastReadCounts fastReadCounts() {
    return {g_finishedReads.load(), g_twoPartReads.load()};
}

} // namespace mirute
