#include "log/text_file.h"

#include "log/sjis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace mirute {
namespace {

qint64 g_failAfter = -1;

// Writes through the test hook: the armed failure cuts the write short like a full disk.
bool writeAll(QIODevice &dev, const QByteArray &bytes) {
    if (g_failAfter >= 0) {
        const qint64 part = qMin<qint64>(g_failAfter, bytes.size());
        g_failAfter = -1;
        dev.write(bytes.constData(), part);
        return false;
    }
    return dev.write(bytes) == bytes.size();
}

bool asciiCaseEqual(const QString &a, const QString &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += 32;
        if (y >= u'A' && y <= u'Z')
            y += 32;
        if (x != y)
            return false;
    }
    return true;
}

QString lossyText(const QString &message, const QString &path) {
    return message + QStringLiteral("（") + QDir::toNativeSeparators(path) + QStringLiteral("）");
}

} // namespace

QString resolveFile(const QString &dir, const QString &name) {
    const QDir d(dir);
    const QString exact = d.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &e : entries)
        if (asciiCaseEqual(e, name))
            return d.filePath(e);
    return exact;
}

bool looksLikeUtf8(QByteArrayView data) {
    const auto *p = reinterpret_cast<const unsigned char *>(data.data());
    const qsizetype n = data.size();
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        return true;
    bool wide = false;
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int len = 0;
        unsigned char lo = 0x80, hi = 0xBF;   // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0)
                lo = 0xA0;                    // no overlong forms
            else if (b == 0xED)
                hi = 0x9F;                    // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F;                    // nothing beyond U+10FFFF
        } else {
            return false;
        }
        if (i + len > n || p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 2; k < len; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return false;
        wide = wide || len >= 3;
        i += len;
    }
    return wide;
}

QString badLineReason(const TextLines &lines) {
    return lines.utf8 ? QStringLiteral("UTF-8 で保存されています（Shift_JIS で保存してください）")
                      : QStringLiteral("Shift_JIS として読めない文字があります");
}

namespace {

// The fast case: the whole file decodes at once and holds no NUL.
bool decodeClean(const QByteArray &data, TextLines *out, QString *whole) {
    out->bytes = data.size();
    out->utf8 = looksLikeUtf8(data);
    return !out->utf8 && !data.contains('\0') && sjis::decode(data, whole);
}

// Line by line, so that one damaged line costs only itself.
void splitLineByLine(const QByteArray &data, TextLines *out) {
    qsizetype start = 0;
    const qsizetype n = data.size();
    int lineNo = 0;
    while (start < n) {
        qsizetype e = data.indexOf('\n', start);
        const qsizetype next = e < 0 ? n : e + 1;
        if (e < 0)
            e = n;
        qsizetype len = e - start;
        if (len > 0 && data.at(start + len - 1) == '\r')
            --len;
        ++lineNo;
        const QByteArrayView raw(data.constData() + start, len);
        QString text;
        const bool foreign = out->utf8 && std::any_of(raw.begin(), raw.end(), [](char c) { return uchar(c) >= 0x80; });
        if (!foreign && !raw.contains('\0') && sjis::decode(raw, &text)) {
            out->lines.append(text);
        } else {
            out->lines.append(QString());
            out->badLines.append(lineNo);
        }
        start = next;
    }
}

// Opens and reads the file; false (with exists and error set) when there is nothing to decode.
bool readFileBytes(const QString &dir, const QString &name, TextLines *result, QByteArray *data) {
    result->path = resolveFile(dir, name);
    QFile f(result->path);
    if (!f.exists())
        return false;
    result->exists = true;
    if (!f.open(QIODevice::ReadOnly)) {
        result->error = lossyText(f.errorString(), result->path);
        return false;
    }
    *data = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        result->error = lossyText(f.errorString(), result->path);
        return false;
    }
    return true;
}

} // namespace

void splitDecodedLines(const QByteArray &data, TextLines *out) {
    QString whole;
    if (decodeClean(data, out, &whole)) {
        forEachLine(whole, [out](int, QStringView line) { out->lines.append(line.toString()); });
        return;
    }
    splitLineByLine(data, out);
}

TextLines readTextLines(const QString &dir, const QString &name) {
    TextLines result;
    QByteArray data;
    if (readFileBytes(dir, name, &result, &data))
        splitDecodedLines(data, &result);
    return result;
}

bool readRawText(const QString &dir, const QString &name, TextLines *meta, QByteArray *data) {
    if (!readFileBytes(dir, name, meta, data))
        return false;
    meta->bytes = data->size();
    return true;
}

QByteArray encodeLines(const QStringList &lines, QString *error) {
    QByteArray out;
    QByteArray encoded;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QChar bad;
        if (!sjis::encode(lines[i], &encoded, &bad)) {
            if (error)
                *error = QStringLiteral("文字「%1」(U+%2) はShift_JISで保存できません。")
                             .arg(bad)
                             .arg(QString::number(bad.unicode(), 16).toUpper().rightJustified(4, u'0'));
            return {};
        }
        out += encoded;
        out += "\r\n";
    }
    if (error)
        error->clear();
    return out;
}

WriteResult appendLine(const QString &dir, const QString &name, const QString &line) {
    QString error;
    const QByteArray bytes = encodeLines({line}, &error);
    const QString path = resolveFile(dir, name);
    if (!error.isEmpty())
        return {lossyText(error, path)};
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return {lossyText(f.errorString(), path)};
    const qint64 before = f.size();
    if (!writeAll(f, bytes) || !f.flush()) {
        const QString why = f.errorString().isEmpty() || f.error() == QFileDevice::NoError
                                ? QStringLiteral("書き込みに失敗しました")
                                : f.errorString();
        f.close();
        // Leave no half line behind: the file goes back to its old length.
        QFile::resize(path, before);
        return {lossyText(why, path)};
    }
    f.close();
    return {};
}

WriteResult rewriteBytes(const QString &dir, const QString &name, const QByteArray &bytes) {
    const QString path = resolveFile(dir, name);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {lossyText(f.errorString(), path)};
    if (!writeAll(f, bytes)) {
        f.cancelWriting();
        return {lossyText(QStringLiteral("書き込みに失敗しました"), path)};
    }
    if (!f.commit())
        return {lossyText(f.errorString(), path)};
    return {};
}

WriteResult rewriteLines(const QString &dir, const QString &name, const QStringList &lines) {
    QString error;
    const QByteArray bytes = encodeLines(lines, &error);
    if (!error.isEmpty())
        return {lossyText(error, resolveFile(dir, name))};
    return rewriteBytes(dir, name, bytes);
}

WriteResult backupFile(const QString &dir, const QString &name, const QString &stamp) {
    const QString path = resolveFile(dir, name);
    QFileInfo info(path);
    if (!info.exists() || info.size() == 0)
        return {};
    QDir d(dir);
    const QString folder = QStringLiteral("バックアップ");
    if (!d.exists(folder) && !d.mkdir(folder))
        return {lossyText(QStringLiteral("バックアップフォルダを作れません"), d.filePath(folder))};
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix();
    QString target = d.filePath(folder + u'/' + base + u'_' + stamp + u'.' + suffix);
    for (int i = 2; QFileInfo::exists(target); ++i)
        target = d.filePath(folder + u'/' + base + u'_' + stamp + u'_' + QString::number(i) + u'.' + suffix);
    if (!QFile::copy(path, target))
        return {lossyText(QStringLiteral("バックアップを作れません"), target)};
    return {};
}

namespace testing {
void failNextWriteAfter(qint64 bytes) { g_failAfter = bytes; }
} // namespace testing

} // namespace mirute
