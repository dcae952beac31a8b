#include "core/views/backup_list.h"

#include "core/games/common/history_file.h"
#include "core/log/play_log.h"

#include <QStringList>

#include <algorithm>

namespace mirute {
namespace {

// Counts the plays of a copy and the span of their dates (dates as stored compare in date order).
template <class Records> void describe(const Records &records, bool complete, RestoreFile *f) {
    f->plays = int(records.size());
    f->complete = complete;
    for (const auto &r : records) {
        if (f->first.isEmpty() || r.date < f->first)
            f->first = r.date;
        if (r.date > f->last)
            f->last = r.date;
    }
}

RestoreFile describeCopy(const QString &dir, const SetCopy &c) {
    RestoreFile f;
    f.file = c.file;
    QByteArray bytes;
    if (!c.present) {
        f.state = RestoreFile::State::Missing;
        return f;
    }
    if (!readSetCopy(dir, c, &bytes, &f.problem)) {
        f.state = RestoreFile::State::Damaged;
        return f;
    }
    TextLines meta;
    if (restoreOrder(c.file) == 0) {
        const PlayLogData log = parsePlayLogBytes(bytes, meta);
        describe(log.records, log.complete(), &f);
    } else {
        splitDecodedLines(bytes, &meta);
        const HistoryData history = parseHistory(meta);
        describe(history.records, history.problems.isEmpty(), &f);
    }
    return f;
}

QString fileCaption(const QString &file) {
    return file.section(u'.', 0, 0);
}

} // namespace

const RestoreFile &RestoreEntry::summary() const {
    for (const RestoreFile &f : files)
        if (f.state != RestoreFile::State::Missing)
            return f;
    return files.first();
}

QList<RestoreEntry> listRestoreEntries(const QString &dir) {
    QList<RestoreEntry> entries;
    for (const BackupSetInfo &set : backupSets(dir)) {
        RestoreEntry e{set.id, set.when, set.action, {}};
        QList<SetCopy> copies = set.copies;
        std::stable_sort(copies.begin(), copies.end(), [](const SetCopy &a, const SetCopy &b) {
            return restoreOrder(a.file) < restoreOrder(b.file);
        });
        bool anyPresent = false;
        for (const SetCopy &c : copies) {
            if (restoreOrder(c.file) < 0)
                continue;
            anyPresent = anyPresent || c.present;
            e.files << describeCopy(dir, c);
        }
        if (anyPresent)
            entries << e;
    }
    return entries;
}

QString restoreContentsText(const RestoreEntry &e) {
    QStringList parts;
    int histories = 0;
    bool missing = false, damaged = false;
    for (const RestoreFile &f : e.files) {
        missing = missing || f.state == RestoreFile::State::Missing;
        damaged = damaged || f.state == RestoreFile::State::Damaged;
        if (restoreOrder(f.file) == 0)
            parts << fileCaption(f.file);
        else
            ++histories;
    }
    if (histories == 1)
        parts << fileCaption(e.files.last().file);
    else if (histories > 1)
        parts << QStringLiteral("履歴 %1 ゲーム").arg(histories);
    QString text = parts.join(u'＋');
    if (damaged)
        text += QStringLiteral("（壊れています）");
    else if (missing)
        text += QStringLiteral("（一部なし）");
    return text;
}

QString playsText(const RestoreFile &f) {
    switch (f.state) {
    case RestoreFile::State::Missing: return QStringLiteral("残っていません");
    case RestoreFile::State::Damaged: return QStringLiteral("壊れています");
    case RestoreFile::State::Sound: break;
    }
    return f.complete ? QStringLiteral("%1 件").arg(f.plays) : QStringLiteral("%1 件（読めない行あり）").arg(f.plays);
}

QString dateSpanText(const RestoreFile &f) {
    if (f.first.isEmpty())
        return {};
    return f.first == f.last ? f.first : f.first + u'〜' + f.last;
}

QString restoreQuestion(const RestoreEntry &e) {
    QStringList replaced, kept;
    for (const RestoreFile &f : e.files) {
        if (f.state == RestoreFile::State::Missing) {
            kept << f.file;
            continue;
        }
        const QString span = dateSpanText(f);
        replaced << QStringLiteral("　%1（%2%3）").arg(f.file, playsText(f), span.isEmpty() ? QString() : u'、' + span);
    }
    QString text = QStringLiteral("%1 の「%2」のバックアップで、次のファイルを置き換えます。\r\n%3\r\n")
                       .arg(e.when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")), backupActionText(e.action),
                            replaced.join(QStringLiteral("\r\n")));
    if (!kept.isEmpty())
        text += QStringLiteral("%1 はバックアップが残っていないため、今のままです。\r\n").arg(kept.join(u'、'));
    return text + QStringLiteral("今のファイルはバックアップしてから置き換えます。よろしいですか？");
}

} // namespace mirute
