#include "core/log/backups.h"

#include "core/base/clock.h"
#include "core/base/data_files.h"
#include "core/base/file_errors.h"
#include "core/base/write_list.h"
#include "core/log/game_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace mirute {
namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd_HHmmss");
const QString kCatalogueBase = QStringLiteral("目録");
const QString kJournalFile = QStringLiteral("復元中.txt");
const QString kActionKey = QStringLiteral("操作");

QString backupFolderOf(const QString &dir) {
    return QDir(dir).filePath(kBackupFolder);
}

// Hidden, so that the folder shows the user the copies alone.
QString catalogueName(const QString &id) {
    return u'.' + kCatalogueBase + u'_' + id + QStringLiteral(".txt");
}

// A catalogue's name without its dot, which taggedName() then reads like a copy's.
bool isCatalogue(QString *file) {
    if (!file->startsWith(u'.' + kCatalogueBase + u'_'))
        return false;
    file->remove(0, 1);
    return true;
}

// Any copy or catalogue: <base>_<stamp>[_<n>].<suffix>.
const QRegularExpression &taggedName() {
    static const QRegularExpression re(QStringLiteral("^([^.].*)_(\\d{8}_\\d{6})(?:_(\\d+))?\\.([^.]+)$"));
    return re;
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

int sequenceOf(const QString &captured) {
    return captured.isEmpty() ? 1 : captured.toInt();
}

// "<stamp>[_<n>]" of a name matched by taggedName().
QString idOf(const QRegularExpressionMatch &m) {
    return m.captured(3).isEmpty() ? m.captured(2) : m.captured(2) + u'_' + m.captured(3);
}

// The tag of a new set: the stamp alone when nothing in the folder bears it yet, else the stamp and one more
// than the highest counter that does. Every entry counts, a dangling link or a leftover temporary file too,
// so that the new names are free and sort after every earlier set of that second.
QString nextSetId(const QString &folder, const QString &stamp) {
    const QRegularExpression tag(QStringLiteral("_%1(?:_(\\d+))?\\.").arg(stamp));
    int highest = 0;
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &entry : QDir(folder).entryList(all)) {
        const QRegularExpressionMatch m = tag.match(entry);
        if (m.hasMatch())
            highest = std::max(highest, sequenceOf(m.captured(1)));
    }
    return highest == 0 ? stamp : stamp + u'_' + QString::number(highest + 1);
}

// The backup folder, made when missing. A link to a folder is followed (the copies may live on another
// disk), but a link to nothing or a file in the folder's place is named as such.
QString ensureBackupFolder(const QString &dir) {
    const QString folder = backupFolderOf(dir);
    const QByteArray native = QFile::encodeName(folder);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        if (errno != ENOENT || ::mkdir(native.constData(), 0777) != 0)
            return writeFailureText(folder, errno);
        return {};
    }
    if (S_ISLNK(st.st_mode) && ::stat(native.constData(), &st) != 0) {
        return QStringLiteral("「%1」はリンクですが、リンク先の「%2」がありません。\r\n"
                              "リンクを削除するか、リンク先にフォルダを作ってから、もう一度試してください。")
            .arg(QDir::toNativeSeparators(folder), QFileInfo(folder).symLinkTarget());
    }
    return S_ISDIR(st.st_mode) ? QString() : writeFailureText(folder, ENOTDIR);
}

// Removes the copies the keeping rule drops, except those in `spare`. A copy that cannot be removed simply
// stays: thinning out is housekeeping, never a reason to fail.
void dropOldCopies(const QString &dir, const QString &name, const QDate &today, const QStringList &spare) {
    QDir folder(backupFolderOf(dir));
    for (const BackupCopy &c : backupsToDrop(backupsOf(dir, name), today))
        if (!spare.contains(c.fileName))
            folder.remove(c.fileName);
}

// A catalogue whose copies have all been thinned out goes with them.
void dropEmptyCatalogues(const QString &dir) {
    QDir folder(backupFolderOf(dir));
    QSet<QString> withCopies;
    QStringList catalogues;
    for (QString file : folder.entryList(QDir::Files | QDir::Hidden)) {
        const bool catalogue = isCatalogue(&file);
        const QRegularExpressionMatch m = taggedName().match(file);
        if (!m.hasMatch())
            continue;
        if (catalogue)
            catalogues << idOf(m);
        else
            withCopies.insert(idOf(m));
    }
    for (const QString &id : catalogues)
        if (!withCopies.contains(id))
            folder.remove(catalogueName(id));
}

BackupAction actionOf(const QString &text) {
    for (BackupAction a : {BackupAction::Diary, BackupAction::Delete, BackupAction::NewStart, BackupAction::Restore,
                           BackupAction::HistoryClear, BackupAction::Memo, BackupAction::SettingsRepair})
        if (backupActionText(a) == text)
            return a;
    return BackupAction::Unknown;
}

void readCatalogue(const QString &folder, BackupSetInfo *set) {
    const TextLines lines = readTextLines(folder, catalogueName(set->id));
    for (const QString &line : lines.lines) {
        const QList<ListItem> items = splitWriteList(line);
        if (items.size() == 2 && items[0].text == kActionKey) {
            set->action = actionOf(items[1].text);
            continue;
        }
        if (items.size() != 3)
            continue;
        bool ok = false;
        const qint64 size = items[2].text.toLongLong(&ok);
        auto it = std::find_if(set->copies.begin(), set->copies.end(),
                               [&](const SetCopy &c) { return c.copy == items[1].text; });
        if (it == set->copies.end())
            it = set->copies.insert(set->copies.end(), SetCopy{items[0].text, items[1].text, -1, false});
        it->file = items[0].text;
        it->size = ok ? size : -1;
    }
}

void removeJournal(const QString &dir) {
    QFile::remove(QDir(backupFolderOf(dir)).filePath(kJournalFile));
}

} // namespace

QString backupActionText(BackupAction action) {
    switch (action) {
    case BackupAction::Diary: return QStringLiteral("一言日記");
    case BackupAction::Delete: return QStringLiteral("個別削除");
    case BackupAction::NewStart: return QStringLiteral("新規スタート");
    case BackupAction::Restore: return QStringLiteral("復元");
    case BackupAction::HistoryClear: return QStringLiteral("クリア");
    case BackupAction::Memo: return QStringLiteral("メモ保存");
    case BackupAction::SettingsRepair: return QStringLiteral("設定の修復");
    case BackupAction::Unknown: break;
    }
    return QStringLiteral("不明");
}

QString backupStampOf(const QDateTime &when) {
    return when.toString(kStampFormat);
}

QString backupStampNow() {
    return backupStampOf(appClock().now());
}

BackupSet::BackupSet(const QString &dir, BackupAction action, const QString &stamp)
    : m_dir(dir), m_action(action), m_stamp(stamp) {}

WriteResult BackupSet::add(const QString &name) {
    const QString path = resolveFile(m_dir, name);
    const QFileInfo info(path);
    if (!info.exists() || (info.isFile() && info.size() == 0))
        return {};
    const QString refused =
        QStringLiteral("「%1」のバックアップを作れなかったため、何も変更していません。\r\n").arg(info.fileName());
    TextLines meta;
    QByteArray bytes;
    if (!readRawText(m_dir, info.fileName(), &meta, &bytes))
        return {refused + meta.error};
    if (const QString error = ensureBackupFolder(m_dir); !error.isEmpty())
        return {refused + error};
    const QString folder = backupFolderOf(m_dir);
    if (m_id.isEmpty())
        m_id = nextSetId(folder, m_stamp);
    const QString copy = info.completeBaseName() + u'_' + m_id + u'.' + info.suffix();
    // A copy is readable by no one who could not read the file itself.
    struct stat st {};
    const unsigned mode = ::stat(QFile::encodeName(path).constData(), &st) == 0 ? unsigned(st.st_mode) : 0600u;
    if (WriteResult w = createNewFile(folder, copy, bytes, mode); !w.ok())
        return {refused + w.error};
    m_files << info.fileName();
    m_copies << copy;
    m_lines << WriteListLine().text(info.fileName()).text(copy).integer(bytes.size()).line();
    return {};
}

WriteResult BackupSet::close(const QStringList &spare) {
    if (m_copies.isEmpty())
        return {};
    QString error;
    const QByteArray catalogue = encodeLines(
        QStringList{WriteListLine().text(kActionKey).text(backupActionText(m_action)).line()} + m_lines, &error);
    if (WriteResult w = createNewFile(backupFolderOf(m_dir), catalogueName(m_id), catalogue, 0666); !w.ok())
        return {QStringLiteral("「%1」のバックアップの目録を作れなかったため、何も変更していません。\r\n")
                    .arg(m_files.join(QStringLiteral("」「"))) +
                w.error};
    const QDate today = QDateTime::fromString(m_stamp, kStampFormat).date();
    if (today.isValid()) {
        for (const QString &file : m_files)
            dropOldCopies(m_dir, file, today, spare + m_copies);
        dropEmptyCatalogues(m_dir);
    }
    return {};
}

WriteResult backupFile(const QString &dir, const QString &name, BackupAction action, const QString &stamp) {
    BackupSet set(dir, action, stamp);
    if (WriteResult w = set.add(name); !w.ok())
        return w;
    return set.close();
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
        copies.append({file, when, sequenceOf(m.captured(2))});
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

QList<BackupSetInfo> backupSets(const QString &dir) {
    const QString folder = backupFolderOf(dir);
    QHash<QString, BackupSetInfo> sets;
    QStringList catalogued;
    for (QString file : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        const bool catalogue = isCatalogue(&file);
        const QRegularExpressionMatch m = taggedName().match(file);
        const QDateTime when = QDateTime::fromString(m.captured(2), kStampFormat);
        if (!m.hasMatch() || !when.isValid())
            continue;
        const QString id = idOf(m);
        BackupSetInfo &set = sets[id];
        set.id = id;
        set.when = when;
        set.sequence = sequenceOf(m.captured(3));
        if (catalogue)
            catalogued << id;
        else
            set.copies.append({m.captured(1) + u'.' + m.captured(4), file, -1, true});
    }
    for (const QString &id : catalogued)
        readCatalogue(folder, &sets[id]);
    QList<BackupSetInfo> list = sets.values();
    std::sort(list.begin(), list.end(), [](const BackupSetInfo &a, const BackupSetInfo &b) {
        return a.when != b.when ? a.when > b.when : a.sequence > b.sequence;
    });
    return list;
}

bool readSetCopy(const QString &dir, const SetCopy &c, QByteArray *bytes, QString *problem) {
    const QString folder = backupFolderOf(dir);
    TextLines meta;
    if (!c.present || !readRawText(folder, c.copy, &meta, bytes)) {
        *problem =
            meta.error.isEmpty() ? QStringLiteral("バックアップ「%1」が見つかりません。").arg(c.copy) : meta.error;
        return false;
    }
    if (c.size >= 0 && bytes->size() != c.size) {
        *problem = QStringLiteral("バックアップ「%1」の大きさが、控えを取ったときの %2 バイトではなく %3 バイトです。"
                                  "途中で切れたか、あとから書き換えられています。")
                       .arg(c.copy)
                       .arg(c.size)
                       .arg(bytes->size());
        return false;
    }
    return true;
}

int restoreOrder(const QString &file) {
    auto same = [&](const QString &name) { return file.compare(name, Qt::CaseInsensitive) == 0; };
    if (same(kPlayLogFile))
        return 0;
    for (int i = 0; i < kGameCount; ++i)
        if (same(gameHistoryFile(gameNames()[i])))
            return i + 1;
    return -1;
}

namespace {

// What a restore writes: a file, the copy's bytes, and what the file held before.
struct RestoreStep {
    QString file;
    QByteArray restored;
    QByteArray before;
    bool existed = false;
};

// The set's copies of the log and the histories, in the order they are written; the others are passed over.
QList<SetCopy> restorableCopies(const BackupSetInfo &set) {
    QList<SetCopy> copies;
    for (const SetCopy &c : set.copies)
        if (restoreOrder(c.file) >= 0)
            copies << c;
    std::stable_sort(copies.begin(), copies.end(),
                     [](const SetCopy &a, const SetCopy &b) { return restoreOrder(a.file) < restoreOrder(b.file); });
    return copies;
}

const BackupSetInfo *findSet(const QList<BackupSetInfo> &sets, const QString &id) {
    for (const BackupSetInfo &s : sets)
        if (s.id == id)
            return &s;
    return nullptr;
}

QString journalId(const QString &dir) {
    const TextLines journal = readTextLines(backupFolderOf(dir), kJournalFile);
    const QList<ListItem> items = splitWriteList(journal.lines.value(0));
    return items.isEmpty() ? QString() : items[0].text;
}

bool journalExists(const QString &dir) {
    struct stat st {};
    return ::lstat(QFile::encodeName(QDir(backupFolderOf(dir)).filePath(kJournalFile)).constData(), &st) == 0;
}

} // namespace

WriteResult restoreBackupSet(const QString &dir, const QString &id, const QString &stamp) {
    if (journalExists(dir))
        return {QStringLiteral("前回の復元が途中で終わったままです。ミルテ５を起動し直すと、その続きを行います。")};
    const QList<BackupSetInfo> sets = backupSets(dir);
    const BackupSetInfo *set = findSet(sets, id);
    if (!set)
        return {QStringLiteral("バックアップ「%1」が見つかりません。もう一度選び直してください。").arg(id)};
    const QString unchanged = QStringLiteral("\r\n何も変更していません。");
    // Every copy is read and checked before anything is written.
    QList<RestoreStep> steps;
    QStringList spare;
    bool anyCopy = false;
    for (const SetCopy &c : restorableCopies(*set)) {
        spare << c.copy;
        if (!c.present)
            continue;
        anyCopy = true;
        RestoreStep step{c.file, {}, {}, false};
        QString problem;
        if (!readSetCopy(dir, c, &step.restored, &problem))
            return {problem + unchanged};
        TextLines meta;
        step.existed = readRawText(dir, step.file, &meta, &step.before);
        if (!meta.error.isEmpty())
            return {meta.error + unchanged};
        if (!step.existed || step.before != step.restored)
            steps << step;
    }
    if (!anyCopy)
        return {QStringLiteral("このバックアップには、復元できるファイルが残っていません。")};
    if (steps.isEmpty())
        return {};
    BackupSet before(dir, BackupAction::Restore, stamp);
    for (const RestoreStep &s : steps)
        if (WriteResult w = before.add(s.file); !w.ok())
            return w;
    if (WriteResult w = before.close(spare); !w.ok())
        return w;
    QString encodeError;
    const QByteArray journal = encodeLines({WriteListLine().text(id).line()}, &encodeError);
    if (WriteResult w = createNewFile(backupFolderOf(dir), kJournalFile, journal, 0666); !w.ok())
        return {w.error + unchanged};
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const WriteResult w = rewriteBytes(dir, steps[i].file, steps[i].restored);
        if (w.ok())
            continue;
        // The files already written are put back, so that no mix of the copy and the current files stays.
        QStringList putBack, notPutBack;
        for (qsizetype j = 0; j < i; ++j) {
            const RestoreStep &s = steps[j];
            const WriteResult undo = s.existed ? rewriteBytes(dir, s.file, s.before) : cutBackTo(dir, s.file, -1);
            (undo.ok() ? putBack : notPutBack) << QStringLiteral("「%1」").arg(s.file);
        }
        if (notPutBack.isEmpty()) {
            removeJournal(dir);
            if (putBack.isEmpty())
                return w;
            return {w.error + QStringLiteral("\r\n先に復元した %1 も元に戻しました。").arg(putBack.join(u'、'))};
        }
        return {w.error +
                QStringLiteral("\r\n%1 は復元した内容のままです。次にミルテ５を起動したとき、復元の続きを行います。")
                    .arg(notPutBack.join(u'、'))};
    }
    removeJournal(dir);
    return {};
}

QString finishInterruptedRestore(const QString &dir) {
    if (!journalExists(dir))
        return {};
    const QString id = journalId(dir);
    const QList<BackupSetInfo> sets = backupSets(dir);
    const BackupSetInfo *set = findSet(sets, id);
    const QString cutShort = QStringLiteral("前回の「バックアップから復元」が途中で終わっていました。\r\n");
    const QString before = QStringLiteral("\r\n復元の前のファイルは、「編集」の「バックアップから復元」の一覧に"
                                          "「復元」の行として残っています。");
    QStringList problems, errors;
    for (const SetCopy &c : set ? restorableCopies(*set) : QList<SetCopy>()) {
        QByteArray bytes;
        QString problem;
        if (!c.present)
            continue;
        if (!readSetCopy(dir, c, &bytes, &problem))
            problems << problem;
        else if (WriteResult w = rewriteBytes(dir, c.file, bytes); !w.ok())
            errors << w.error;
    }
    if (!set || !problems.isEmpty()) {
        removeJournal(dir);
        const QString why = set ? problems.join(QStringLiteral("\r\n"))
                                : QStringLiteral("バックアップ「%1」が見つかりません。").arg(id);
        return cutShort + why +
               QStringLiteral("\r\n続きを行えないため、ファイルの一部だけが復元されている場合があります。") + before;
    }
    if (!errors.isEmpty())
        return cutShort + errors.join(QStringLiteral("\r\n")) +
               QStringLiteral("\r\n次にミルテ５を起動したとき、もう一度続きを行います。");
    removeJournal(dir);
    return cutShort +
           QStringLiteral("%1 のバックアップからの復元の続きを済ませました。")
               .arg(set->when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))) +
           before;
}

} // namespace mirute
