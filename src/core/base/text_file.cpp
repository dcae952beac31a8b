#include "core/base/text_file.h"

#include "core/base/file_errors.h"
#include "core/base/sjis.h"
#include "core/base/user_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirute {
namespace {

FileWriter g_programWriter;
FileWriter *g_writer = &g_programWriter;

bool writeAll(QIODevice &dev, const QByteArray &bytes) {
    return g_writer->writeAll(dev, bytes);
}

// The system's reason for the failure just seen; Qt keeps errno from the failed call, and a failure that
// left none (a short count) is taken for a full disk, the one way a regular file takes fewer bytes.
int lastError(int fallback) {
    return errno != 0 ? errno : fallback;
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

QString nativePathText(const QString &message, const QString &path) {
    return message + QStringLiteral("（") + shownUserText(QDir::toNativeSeparators(path)) + QStringLiteral("）");
}

// Something other than a regular file stands at path: a write must not replace it nor wait on it.
int unwritableTarget(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists())
        return 0;
    if (info.isDir())
        return EISDIR;
    return info.isFile() ? 0 : kNotRegularFile;
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
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0)
                lo = 0xA0; // no overlong forms
            else if (b == 0xED)
                hi = 0x9F; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F; // nothing beyond U+10FFFF
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

QString foreignEncodingText(const TextLines &lines) {
    if (lines.utf16)
        return QStringLiteral("UTF-16 で保存されています。Shift_JIS で保存し直してください");
    if (lines.utf8)
        return QStringLiteral("UTF-8 で保存されています。Shift_JIS で保存し直してください");
    return {};
}

QString badLineReason(const TextLines &lines) {
    const QString foreign = foreignEncodingText(lines);
    return foreign.isEmpty() ? QStringLiteral("Shift_JIS として読めない文字があります") : foreign;
}

namespace {

bool hasUtf16Mark(QByteArrayView data) {
    return data.size() >= 2 &&
           ((uchar(data[0]) == 0xFF && uchar(data[1]) == 0xFE) || (uchar(data[0]) == 0xFE && uchar(data[1]) == 0xFF));
}

// The fast case: the whole file decodes at once and holds no NUL.
bool decodeClean(const QByteArray &data, TextLines *out, QString *whole) {
    out->bytes = data.size();
    out->utf8 = looksLikeUtf8(data);
    return !out->utf8 && !data.contains('\0') && sjis::decode(data, whole);
}

// A UTF-16 file has its own line ends: its lines are counted in its own encoding, and none is usable.
void markUtf16Lines(const QByteArray &data, TextLines *out) {
    out->utf16 = true;
    out->bytes = data.size();
    QStringDecoder decoder(QStringDecoder::Utf16);
    const QString text = decoder(data);
    forEachLine(text, [out](int lineNo, QStringView) {
        out->lines.append(QString());
        out->badLines.append(lineNo);
    });
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

// Reads a whole regular file of at most kMaxReadBytes; false with *error set (an errno or one of the
// program's own causes) otherwise. The file is opened without waiting, so a named pipe put in its place
// returns at once, and it is checked on the open descriptor, so nothing can be swapped in between.
bool readRegularFile(const QString &path, QByteArray *data, int *error) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    struct stat st {};
    bool ok = false;
    if (::fstat(fd, &st) != 0)
        *error = errno;
    else if (!S_ISREG(st.st_mode))
        *error = S_ISDIR(st.st_mode) ? EISDIR : kNotRegularFile;
    else if (st.st_size > kMaxReadBytes)
        *error = kFileTooLarge;
    else
        ok = true;
    if (ok) {
        // The size is a hint: a file that grows while it is read is read to its end, up to the cap. The byte
        // beyond the size takes the read that finds the end, so a whole log is read without growing its buffer.
        data->resize(qsizetype(st.st_size) + 1);
        qsizetype done = 0;
        for (;;) {
            if (done == data->size()) {
                if (data->size() > kMaxReadBytes) {
                    *error = kFileTooLarge;
                    ok = false;
                    break;
                }
                data->resize(done + 64 * 1024);
            }
            const ssize_t got = ::read(fd, data->data() + done, size_t(data->size() - done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                *error = errno;
                ok = false;
                break;
            }
            if (got == 0)
                break;
            done += got;
        }
        data->resize(ok ? done : 0);
    }
    ::close(fd);
    return ok;
}

// Opens and reads the file; false (with exists and error set) when there is nothing to decode.
bool readFileBytes(const QString &dir, const QString &name, TextLines *result, QByteArray *data) {
    result->path = resolveFile(dir, name);
    struct stat st {};
    if (::stat(QFile::encodeName(result->path).constData(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR))
        return false; // no such file (a dangling link or a folder path through a file count as none)
    result->exists = true;
    int error = 0;
    if (!readRegularFile(result->path, data, &error)) {
        result->error = readFailureText(result->path, error);
        return false;
    }
    return true;
}

} // namespace

void splitDecodedLines(const QByteArray &data, TextLines *out) {
    if (hasUtf16Mark(data)) {
        markUtf16Lines(data, out);
        return;
    }
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
                             .arg(shownUserText(QString(bad)))
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

qint64 fileLength(const QString &dir, const QString &name) {
    const QFileInfo info(resolveFile(dir, name));
    return info.exists() ? info.size() : -1;
}

WriteResult cutBackTo(const QString &dir, const QString &name, qint64 length) {
    const QString path = resolveFile(dir, name);
    errno = 0;
    const bool done = length < 0 ? QFile::remove(path) : QFile::resize(path, length);
    if (!done)
        return {writeFailureText(path, lastError(0))};
    return {};
}

bool fileHolds(const QString &dir, const QString &name, const QByteArray &bytes) {
    const QString path = resolveFile(dir, name);
    if (!QFileInfo(path).exists() || QFileInfo(path).size() != bytes.size())
        return false;
    QByteArray now;
    int error = 0;
    return readRegularFile(path, &now, &error) && now == bytes;
}

namespace {

// What must come before an appended line so that it starts a line of its own: nothing after a line end,
// LF after a lone CR, CR LF after a last line that has none.
QByteArray missingLineEnd(const QString &path, qint64 size) {
    if (size <= 0)
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(size - 1))
        return {};
    char last = '\n';
    f.getChar(&last);
    if (last == '\n')
        return {};
    return last == '\r' ? QByteArray("\n") : QByteArray("\r\n");
}

} // namespace

WriteResult appendLine(const QString &dir, const QString &name, const QString &line) {
    return appendLines(dir, name, {line});
}

WriteResult appendLines(const QString &dir, const QString &name, const QStringList &lines) {
    QString error;
    const QByteArray encoded = encodeLines(lines, &error);
    const QString path = resolveFile(dir, name);
    if (!error.isEmpty())
        return {nativePathText(error, path)};
    if (const int target = unwritableTarget(path))
        return {writeFailureText(path, target)};
    const qint64 before = fileLength(dir, name);
    const QByteArray bytes = missingLineEnd(path, before) + encoded;
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return {writeFailureText(path, lastError(EACCES))};
    errno = 0;
    // Every byte must be in the file: the write, the flush of Qt's buffer and the file's new size.
    const bool written = writeAll(f, bytes) && f.flush() && f.size() == qMax<qint64>(before, 0) + bytes.size();
    const int why = lastError(kShortWrite);
    f.close();
    if (!written) {
        // Leave no half line behind: the file goes back to its old length, or away when it was new.
        cutBackTo(dir, name, before);
        return {writeFailureText(path, why)};
    }
    return {};
}

WriteResult rewriteBytes(const QString &dir, const QString &name, const QByteArray &bytes) {
    return writeWholeFile(resolveFile(dir, name), bytes);
}

WriteResult writeWholeFile(const QString &path, const QByteArray &bytes) {
    if (const int target = unwritableTarget(path))
        return {writeFailureText(path, target)};
    if (QFileInfo(path).size() == bytes.size()) {
        QByteArray now;
        int error = 0;
        if (readRegularFile(path, &now, &error) && now == bytes)
            return {};
    }
    QSaveFile f(path);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly))
        return {writeFailureText(path, lastError(EACCES))};
    errno = 0;
    // A small file sits in Qt's buffer until the flush: the flush's failure is the disk's refusal, and
    // commit() alone would rename the short temporary file over the good one.
    if (!writeAll(f, bytes) || !f.flush() || f.error() != QFileDevice::NoError || f.size() != bytes.size()) {
        const int why = lastError(kShortWrite);
        f.cancelWriting();
        return {writeFailureText(path, why)};
    }
    errno = 0;
    if (!f.commit())
        return {writeFailureText(path, lastError(0))};
    return {};
}

WriteResult createNewFile(const QString &folder, const QString &name, const QByteArray &bytes, unsigned mode) {
    const QString path = QDir(folder).filePath(name);
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = QFile::encodeName(QDir(folder).filePath(u'.' + name + QStringLiteral(".part")));
    ::unlink(temporary.constData()); // left by a write cut short; only one program runs per folder
    errno = 0;
    const int fd =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode_t(mode & 0777));
    if (fd < 0)
        return {writeFailureText(path, lastError(EACCES))};
    bool written = false;
    int why = 0;
    {
        QFile f;
        errno = 0;
        written = f.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) && writeAll(f, bytes) && f.flush();
        why = written ? 0 : lastError(kShortWrite);
    }
    if (written && ::fsync(fd) != 0) {
        written = false;
        why = errno;
    }
    ::close(fd);
    if (written) {
        why = ::link(temporary.constData(), target.constData()) == 0 ? 0 : errno;
        if (why != 0 && why != EEXIST) {
            // A file system without hard links: the name is taken by a rename, and only while nothing has it.
            struct stat st {};
            if (::lstat(target.constData(), &st) == 0)
                why = EEXIST;
            else if (errno == ENOENT)
                why = ::rename(temporary.constData(), target.constData()) == 0 ? 0 : errno;
        }
    }
    ::unlink(temporary.constData());
    if (why != 0)
        return {writeFailureText(path, why)};
    return {};
}

WriteResult rewriteLines(const QString &dir, const QString &name, const QStringList &lines) {
    QString error;
    const QByteArray bytes = encodeLines(lines, &error);
    if (!error.isEmpty())
        return {nativePathText(error, resolveFile(dir, name))};
    return rewriteBytes(dir, name, bytes);
}

bool FileWriter::writeAll(QIODevice &device, const QByteArray &bytes) {
    return device.write(bytes) == bytes.size();
}

void setFileWriter(FileWriter *writer) {
    g_writer = writer ? writer : &g_programWriter;
}

} // namespace mirute
