#include "core/base/sjis.h"

#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>

#include <array>
#include <iconv.h>
#include <vector>

namespace mirute::sjis {
namespace {

constexpr char16_t kNone = 0xFFFF;

struct Tables {
    // single[b]: the character of a one-byte code, kNone when b is a lead byte or invalid
    std::array<char16_t, 256> single{};
    std::array<bool, 256> lead{};
    // twoByte[(lead << 8) | trail]
    std::vector<char16_t> twoByte = std::vector<char16_t>(65536, kNone);
    // encodeTable[u]: the code for BMP character u, 0 when it has none (NUL is handled apart)
    std::vector<quint16> encodeTable = std::vector<quint16>(65536, 0);
};

char16_t convertWithIconv(iconv_t cd, const char *in, size_t len) {
    char16_t outBuf[4] = {};
    char *inPtr = const_cast<char *>(in);
    size_t inLeft = len;
    char *outPtr = reinterpret_cast<char *>(outBuf);
    size_t outLeft = sizeof(outBuf);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0)
        return kNone;
    if (sizeof(outBuf) - outLeft != 2)
        return kNone;
    return outBuf[0];
}

quint16 encodeWithIconv(iconv_t cd, char16_t ch) {
    char16_t in[1] = {ch};
    unsigned char out[4] = {};
    char *inPtr = reinterpret_cast<char *>(in);
    size_t inLeft = sizeof(in);
    char *outPtr = reinterpret_cast<char *>(out);
    size_t outLeft = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return 0;
    const size_t n = sizeof(out) - outLeft;
    if (n == 1)
        return out[0];
    if (n == 2)
        return quint16((out[0] << 8) | out[1]);
    return 0;
}

void buildTables(Tables &t) {
    iconv_t dec = iconv_open("UTF-16LE", "CP932");
    iconv_t enc = iconv_open("CP932", "UTF-16LE");
    for (int b = 0; b < 256; ++b) {
        t.lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        t.single[b] = kNone;
        if (b < 0x80)
            t.single[b] = char16_t(b);
        else if (b >= 0xA1 && b <= 0xDF)
            t.single[b] = char16_t(0xFF61 + (b - 0xA1));
    }
    std::vector<char16_t> decoded;
    if (dec != iconv_t(-1)) {
        for (int l = 0; l < 256; ++l) {
            if (!t.lead[l])
                continue;
            for (int tr = 0x40; tr <= 0xFC; ++tr) {
                if (tr == 0x7F)
                    continue;
                const char in[2] = {char(l), char(tr)};
                const char16_t c = convertWithIconv(dec, in, 2);
                t.twoByte[(l << 8) | tr] = c;
                if (c != kNone)
                    decoded.push_back(c);
            }
        }
        iconv_close(dec);
    }
    for (int b = 1; b < 256; ++b)
        if (t.single[b] != kNone)
            t.encodeTable[t.single[b]] = quint16(b);
    // Where several codes decode to one character, the converter knows which one Windows writes.
    for (char16_t c : decoded) {
        if (t.encodeTable[c] != 0)
            continue;
        quint16 code = enc != iconv_t(-1) ? encodeWithIconv(enc, c) : 0;
        t.encodeTable[c] = code;
    }
    if (enc != iconv_t(-1))
        iconv_close(enc);
}

const Tables &tables() {
    // Built on first use; after that a call costs one check of the guard, as every decoding call makes one.
    static const Tables *const t = [] {
        static Tables built;
        buildTables(built);
        return &built;
    }();
    return *t;
}

char16_t cp932Form(char16_t c) {
    switch (c) {
    case 0x301C: return 0xFF5E; // WAVE DASH → FULLWIDTH TILDE
    case 0x2014: return 0x2015; // EM DASH → HORIZONTAL BAR
    case 0x2212: return 0xFF0D; // MINUS SIGN → FULLWIDTH HYPHEN-MINUS
    case 0x2016: return 0x2225; // DOUBLE VERTICAL LINE → PARALLEL TO
    case 0x00A2: return 0xFFE0; // ¢
    case 0x00A3: return 0xFFE1; // £
    case 0x00AC: return 0xFFE2; // ¬
    default: return c;
    }
}

} // namespace

namespace {

// Decodes into dst (room for bytes.size() characters) until the first invalid sequence, setting *bad to its
// offset, or to the end putting U+FFFD for every invalid byte when `lossy`; one pass either way, so a long
// run of bad bytes costs no more than good ones. Returns the characters written.
qsizetype decodeRaw(QByteArrayView bytes, char16_t *dst, bool lossy, qsizetype *bad) {
    const Tables &t = tables();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype o = 0;
    qsizetype i = 0;
    while (i < n) {
#if defined(__SSE2__)
        if (n - i >= 16) {
            // The ASCII run sixteen bytes at a time: most of a saved line is digits, blanks and punctuation.
            // All sixteen are widened and the ASCII ones kept: dst has room, since it never runs ahead of
            // the bytes read.
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
            const int ascii = std::countr_zero(unsigned(_mm_movemask_epi8(chunk)) | 0x10000u);
            if (ascii > 0) {
                const __m128i zero = _mm_setzero_si128();
                _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + o), _mm_unpacklo_epi8(chunk, zero));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + o + 8), _mm_unpackhi_epi8(chunk, zero));
                o += ascii;
                i += ascii;
                if (ascii == 16)
                    continue;
            }
        } else
#endif
            if (n - i >= 8 && std::endian::native == std::endian::little) {
            // The ASCII run up to eight bytes at a time: most of a saved line is digits, blanks and
            // punctuation. All eight are widened and the ASCII ones kept: dst has room, since it never
            // runs ahead of the bytes read.
            quint64 word;
            std::memcpy(&word, p + i, 8);
            const int ascii = std::countr_zero(word & 0x8080808080808080ULL) >> 3;
            if (ascii > 0) {
                for (int k = 0; k < 8; ++k)
                    dst[o + k] = p[i + k];
                o += ascii;
                i += ascii;
                if (ascii == 8)
                    continue;
            }
        } else if (p[i] < 0x80) {
            dst[o++] = p[i++];
            continue;
        }
        // p[i] is not ASCII: a two-byte character (only lead bytes have any), else a one-byte one.
        const unsigned char b = p[i];
        if (i + 1 < n) {
            const char16_t c = t.twoByte[(b << 8) | p[i + 1]];
            if (c != kNone) {
                dst[o++] = c;
                i += 2;
                continue;
            }
        }
        if (!t.lead[b] && t.single[b] != kNone) {
            dst[o++] = t.single[b];
            ++i;
            continue;
        }
        if (!lossy) {
            *bad = i;
            return o;
        }
        dst[o++] = QChar::ReplacementCharacter;
        ++i;
    }
    *bad = -1;
    return o;
}

qsizetype decodeInto(QByteArrayView bytes, QString *out, bool lossy) {
    out->resize(bytes.size());
    qsizetype bad = -1;
    out->truncate(decodeRaw(bytes, reinterpret_cast<char16_t *>(out->data()), lossy, &bad));
    return bad;
}

} // namespace

bool decode(QByteArrayView bytes, QString *out, qsizetype *badOffset) {
    const qsizetype bad = decodeInto(bytes, out, false);
    if (bad >= 0 && badOffset)
        *badOffset = bad;
    return bad < 0;
}

qsizetype decodeTo(QByteArrayView bytes, char16_t *out) {
    qsizetype bad = -1;
    const qsizetype written = decodeRaw(bytes, out, false, &bad);
    return bad < 0 ? written : -1;
}

QString decodeLossy(QByteArrayView bytes) {
    QString result;
    decodeInto(bytes, &result, true);
    return result;
}

QString toCp932Forms(QStringView text) {
    QString s = text.toString();
    for (QChar &c : s)
        c = QChar(cp932Form(c.unicode()));
    return s;
}

bool encode(QStringView text, QByteArray *out, QChar *badChar) {
    const Tables &t = tables();
    out->clear();
    out->reserve(text.size() * 2);
    for (QChar qc : text) {
        const char16_t c = cp932Form(qc.unicode());
        if (c == 0) {
            out->append('\0');
            continue;
        }
        const quint16 code = t.encodeTable[c];
        if (code == 0) {
            if (badChar)
                *badChar = qc;
            return false;
        }
        if (code > 0xFF)
            out->append(char(code >> 8));
        out->append(char(code & 0xFF));
    }
    return true;
}

} // namespace mirute::sjis
