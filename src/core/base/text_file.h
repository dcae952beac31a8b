#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

namespace mirute {

// The file `name` in folder `dir`, matched without regard to the case of ASCII letters ("データ.txt" and
// "データ.TXT" are one file). Returns the existing file's path, or dir/name when there is none yet.
QString resolveFile(const QString &dir, const QString &name);

// A Shift_JIS text file read as lines. Lines end in CR LF or in LF alone; the last line may lack one.
struct TextLines {
    QString path; // resolved path
    bool exists = false;
    QString error;       // the file exists but could not be read: a whole Japanese message naming it
    QStringList lines;   // decoded lines; an undecodable line is an empty string here
    QList<int> badLines; // 1-based numbers of lines whose bytes are not valid Shift_JIS (or hold NUL)
    qsizetype bytes = 0;
    // The file was saved as UTF-8 by another editor: its lines with non-ASCII bytes are in badLines, since
    // read as Shift_JIS they would be nonsense that merely happens to decode.
    bool utf8 = false;
    // The file starts with a UTF-16 byte-order mark: every line is in badLines.
    bool utf16 = false;
};
TextLines readTextLines(const QString &dir, const QString &name);
// Decodes raw file contents into lines (the part of readTextLines after the read), for parsers and fuzzing.
void splitDecodedLines(const QByteArray &data, TextLines *out);
// The lines of decoded text as splitDecodedLines cuts them (at LF, a CR before it dropped, no empty line
// after a final line end): f(lineNo, line) with 1-based numbers and views into `text`.
template <class F> void forEachLine(QStringView text, F &&f) {
    const qsizetype n = text.size();
    qsizetype s = 0;
    int lineNo = 0;
    while (s < n) {
        qsizetype e = text.indexOf(u'\n', s);
        const qsizetype next = e < 0 ? n : e + 1;
        if (e < 0)
            e = n;
        qsizetype len = e - s;
        if (len > 0 && text[s + len - 1] == u'\r')
            --len;
        f(++lineNo, text.mid(s, len));
        s = next;
    }
}
// The file's bytes, undecoded, for readers with a faster way through a sound file: path, exists and
// error are set as readTextLines sets them, lines stay empty. False when there is nothing to read.
// Only a regular file is read, and at most kMaxReadBytes of it: a folder, a named pipe or a device in the
// file's place is an error (never a wait or an endless read); error is a whole Japanese message.
bool readRawText(const QString &dir, const QString &name, TextLines *meta, QByteArray *data);
// Why the lines in badLines could not be read, for the readers' problem lists.
QString badLineReason(const TextLines &lines);
// "UTF-8 で保存されています。…" when the whole file is in another encoding than Shift_JIS, else "".
QString foreignEncodingText(const TextLines &lines);
// A UTF-8 byte-order mark, or valid UTF-8 throughout with at least one character of three bytes or more
// (every Japanese character is): Shift_JIS text practically never looks like that.
bool looksLikeUtf8(QByteArrayView data);

// Result of a write: empty error means success.
struct WriteResult {
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Adds one line with CR LF at the end of the file, creating it when missing. A last line without its line
// end gets it first, so that the new line never joins it. The line is encoded first and written in one
// piece, and the file's new size is checked; a failed write is cut back to the old length (a file that did
// not exist is removed), so the file stays byte for byte as it was.
WriteResult appendLine(const QString &dir, const QString &name, const QString &line);
// The same with several lines in one piece: all of them are added, or none.
WriteResult appendLines(const QString &dir, const QString &name, const QStringList &lines);
// Replaces the whole file with `lines`, each ended by CR LF, atomically: a temporary file in the same folder
// is written, every byte of it checked to have reached the disk, and renamed over the old one, so a full
// disk or an interruption leaves the old file whole. A file that already holds exactly these bytes is not
// written at all.
WriteResult rewriteLines(const QString &dir, const QString &name, const QStringList &lines);
// Same with raw bytes (already encoded).
WriteResult rewriteBytes(const QString &dir, const QString &name, const QByteArray &bytes);
// Same for a file named by its exact path (an export the user names), without the data folder's matching.
WriteResult writeWholeFile(const QString &path, const QByteArray &bytes);
// Writes a new file `name` in `folder` that nothing else may already hold: the bytes go to a temporary file
// created exclusively (never through a link) with at most the permission bits `mode`, are checked to have
// reached the disk whole, and the file then takes its name by a hard link, which fails when any file, folder
// or link already has that name. The new file is therefore whole or absent, and nothing outside the folder is
// ever written. Fails with a Japanese message naming the file.
WriteResult createNewFile(const QString &folder, const QString &name, const QByteArray &bytes, unsigned mode);
// The file's length in bytes, or -1 when there is no such file: the mark an append can be undone to.
qint64 fileLength(const QString &dir, const QString &name);
// Undoes appends: the file cut back to `length` bytes, or removed when length is -1 (it did not exist).
WriteResult cutBackTo(const QString &dir, const QString &name, qint64 length);
// True when the file exists and holds exactly `bytes`.
bool fileHolds(const QString &dir, const QString &name, const QByteArray &bytes);
// Encodes lines as Shift_JIS with CR LF; on a character with no Shift_JIS form sets *error.
QByteArray encodeLines(const QStringList &lines, QString *error);

// How every write below puts its bytes on the device: the program's writer writes them all; the tests put
// one in place that stops short as a full disk does. False when not every byte was written, errno telling why.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    virtual bool writeAll(QIODevice &device, const QByteArray &bytes);
};
// The writer every file write goes through from now on; nullptr puts the program's own back.
void setFileWriter(FileWriter *writer);

} // namespace mirute
