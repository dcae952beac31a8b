#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace mirute {

// Shift_JIS as the Windows code page 932, the encoding of every data file.
// Decoding and encoding are table driven; the tables are built once from the C library's "CP932"
// converter, so files written by Windows programs read as they were meant (0x8160 is ～, 0x8740 is ①).
namespace sjis {

// Decodes bytes; on an invalid or truncated sequence returns false and sets *badOffset to its first byte.
bool decode(QByteArrayView bytes, QString *out, qsizetype *badOffset = nullptr);
// Decodes into out, which has room for bytes.size() characters; returns the characters written, or -1 on
// an invalid or truncated sequence. For readers that keep many texts in one buffer.
qsizetype decodeTo(QByteArrayView bytes, char16_t *out);
// Decodes, replacing every invalid byte with U+FFFD; for messages about damaged lines.
QString decodeLossy(QByteArrayView bytes);

// Encodes text; characters that CP932 writes under another code point (〜 as ～, — as ―, − as －)
// are mapped first. Returns false and sets *badChar when a character has no CP932 form.
bool encode(QStringView text, QByteArray *out, QChar *badChar = nullptr);
// The CP932 form of characters that other encoders map differently (U+301C → U+FF5E, ...).
QString toCp932Forms(QStringView text);

} // namespace sjis
} // namespace mirute
