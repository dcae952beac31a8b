#pragma once

#include "core/base/sjis.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace mirute::test {

// The text in Shift_JIS; a test text without a Shift_JIS form stops the test at once.
inline QByteArray sjisBytes(const QString &text) {
    QByteArray out;
    if (!sjis::encode(text, &out))
        qFatal("test text has no Shift_JIS form");
    return out;
}

inline QByteArray readBytes(const QString &dir, const QString &name) {
    QFile f(QDir(dir).filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file decoded from Shift_JIS ("" when missing or not decodable).
inline QString readSjis(const QString &dir, const QString &name) {
    QString text;
    sjis::decode(readBytes(dir, name), &text);
    return text;
}

inline void writeSjis(const QString &dir, const QString &name, const QString &text) {
    QByteArray bytes;
    sjis::encode(text, &bytes);
    QFile f(QDir(dir).filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

} // namespace mirute::test
