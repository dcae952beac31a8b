#include "core/log/backups.h"

#include "core/base/clock.h"
#include "core/base/file_errors.h"
#include "core/log/play_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>

namespace mirute {
namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd_HHmmss");

QString backupFolderOf(const QString &dir) {
    return QDir(dir).filePath(kBackupFolder);
}

// <base>_<stamp>[_<n>].<suffix> for the file `name` as it is found in the folder.
QRegularExpression copyPattern(const QString &dir, const QString &name) {
    const QFileInfo info(resolveFile(dir, name));
    return QRegularExpression(
        QStringLiteral("^%1_(\\d{8}_\\d{6})(?:_(\\d+))?\\.%2$")
            .arg(QRegularExpression::escape(info.completeBaseName()), QRegularExpression::escape(info.suffix())),
        QRegularExpression::CaseInsensitiveOption);
}

bool newerFirst(const BackupCopy &a, const BackupCopy &b) {
    return a.when != b.when ? a.when > b.when : a.sequence > b.sequence;
}

void dropOldCopies(const QString &dir, const QString &name, const QString &stamp) {
    const QDateTime now = QDateTime::fromString(stamp, kStampFormat);
    if (!now.isValid())
        return;
    QDir folder(backupFolderOf(dir));
    // A copy that cannot be removed simply stays: thinning out is housekeeping, never a reason to fail.
    for (const BackupCopy &c : backupsToDrop(backupsOf(dir, name), now.date()))
        folder.remove(c.fileName);
}

} // namespace

QString backupStampOf(const QDateTime &when) {
    return when.toString(kStampFormat);
}

QString backupStampNow() {
    return backupStampOf(appClock().now());
}

WriteResult backupFile(const QString &dir, const QString &name, const QString &stamp) {
    const QString path = resolveFile(dir, name);
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return {};
    const QString refused =
        QStringLiteral("「%1」のバックアップを作れなかったため、何も変更していません。\r\n").arg(info.fileName());
    TextLines meta;
    QByteArray bytes;
    if (!readRawText(dir, info.fileName(), &meta, &bytes))
        return {refused + meta.error};
    QDir d(dir);
    if (!d.exists(kBackupFolder) && !d.mkdir(kBackupFolder))
        return {refused + writeFailureText(d.filePath(kBackupFolder), QFileInfo(dir).isWritable() ? 0 : EACCES)};
    const QString folder = backupFolderOf(dir);
    const QString base = info.completeBaseName() + u'_' + stamp;
    const QString suffix = u'.' + info.suffix();
    QString target = base + suffix;
    for (int i = 2; QFileInfo::exists(QDir(folder).filePath(target)); ++i)
        target = base + u'_' + QString::number(i) + suffix;
    if (WriteResult w = rewriteBytes(folder, target, bytes); !w.ok())
        return {refused + w.error};
    dropOldCopies(dir, name, stamp);
    return {};
}

QList<BackupCopy> backupsOf(const QString &dir, const QString &name) {
    const QRegularExpression pattern = copyPattern(dir, name);
    QList<BackupCopy> copies;
    for (const QString &file : QDir(backupFolderOf(dir)).entryList(QDir::Files)) {
        const QRegularExpressionMatch m = pattern.match(file);
        if (!m.hasMatch())
            continue;
        const QDateTime when = QDateTime::fromString(m.captured(1), kStampFormat);
        if (!when.isValid())
            continue;
        copies.append({file, when, m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()});
    }
    std::sort(copies.begin(), copies.end(), newerFirst);
    return copies;
}

QList<BackupCopy> backupsToDrop(const QList<BackupCopy> &newestFirst, const QDate &today) {
    const QDate firstKeptDay = today.addDays(-(kKeepDays - 1));
    QSet<QDate> daysKept;
    QList<BackupCopy> drop;
    for (qsizetype i = 0; i < newestFirst.size(); ++i) {
        const BackupCopy &c = newestFirst[i];
        const QDate day = c.when.date();
        const bool newestOfRecentDay = day >= firstKeptDay && day <= today && !daysKept.contains(day);
        if (newestOfRecentDay)
            daysKept.insert(day);
        if (i >= kKeepNewest && !newestOfRecentDay)
            drop.append(c);
    }
    return drop;
}

QList<LogBackup> listLogBackups(const QString &dir) {
    QList<LogBackup> list;
    const QString folder = backupFolderOf(dir);
    for (const BackupCopy &c : backupsOf(dir, kPlayLogFile)) {
        TextLines meta;
        QByteArray bytes;
        LogBackup b{c.fileName, c.when, 0, false};
        if (readRawText(folder, c.fileName, &meta, &bytes)) {
            const PlayLogData log = parsePlayLogBytes(bytes, std::move(meta));
            b.plays = int(log.records.size());
            b.complete = log.complete();
        }
        list.append(b);
    }
    return list;
}

WriteResult restoreLogBackup(const QString &dir, const QString &fileName, const QString &stamp) {
    TextLines meta;
    QByteArray bytes;
    // The copy is read before anything is written: thinning out after the new backup may remove it.
    if (!readRawText(backupFolderOf(dir), fileName, &meta, &bytes)) {
        if (!meta.error.isEmpty())
            return {meta.error};
        return {QStringLiteral("バックアップ「%1」が見つかりません。もう一度選び直してください。").arg(fileName)};
    }
    if (fileHolds(dir, kPlayLogFile, bytes))
        return {};
    if (WriteResult b = backupFile(dir, kPlayLogFile, stamp); !b.ok())
        return b;
    return rewriteBytes(dir, kPlayLogFile, bytes);
}

} // namespace mirute
