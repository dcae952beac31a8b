// The backup folder: a save that changes nothing takes no copy, the copies of each file are thinned out
// to the newest 20 and one per day of the last 30 days, and the log can be restored from a copy.
#include "core/base/clock.h"
#include "core/games/common/game_settings.h"
#include "core/games/kana/kana_game.h"
#include "core/log/app_state.h"
#include "core/log/memo.h"
#include "core/log/play_log.h"
#include "core/views/backup_list.h"
#include "core/views/log_list.h"
#include "gui/app/main_window.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"
#include "support/window_helpers.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <sys/stat.h>

using namespace mirute;
using mirute::test::readBytes;
using mirute::test::sjisBytes;

namespace {

const QString kFolder = QStringLiteral("バックアップ");

QStringList copiesIn(const QString &dir) {
    return QDir(QDir(dir).filePath(kFolder)).entryList(QDir::Files, QDir::Name);
}

QString logLine(int day) {
    return QStringLiteral("\"2026/11/%1\",\"09:00:00\",\"抜かな\",60,\"d\",\"\"\r\n").arg(day, 2, 10, QChar(u'0'));
}

QByteArray logOf(int plays) {
    QString text;
    for (int i = 1; i <= plays; ++i)
        text += logLine(i);
    return sjisBytes(text);
}

const QString kHistory = KanaGame::definition().historyFile();

QByteArray historyOf(int plays) {
    return sjisBytes(
        QStringLiteral("\"2026/11/01\",\"09:00:00\",25,20,5,0.85,\"80.0%\",\"0.42/秒\",\"60秒\"\r\n").repeated(plays));
}

// A new start on 12/01 took the log of two plays and a history; a diary save on 12/03 the log of five. The
// log now holds one play and the history is empty.
void makeTwoSets(const QString &dir) {
    QVERIFY(rewriteBytes(dir, kPlayLogFile, logOf(2)).ok() && rewriteBytes(dir, kHistory, historyOf(2)).ok());
    BackupSet start(dir, BackupAction::NewStart, QStringLiteral("20261201_080000"));
    QVERIFY(start.add(kPlayLogFile).ok() && start.add(kHistory).ok() && start.close().ok());
    QVERIFY(rewriteBytes(dir, kPlayLogFile, logOf(5)).ok());
    QVERIFY(backupFile(dir, kPlayLogFile, BackupAction::Diary, QStringLiteral("20261203_213000")).ok());
    QVERIFY(rewriteBytes(dir, kPlayLogFile, logOf(1)).ok() && rewriteBytes(dir, kHistory, {}).ok());
}

void setOldTime(const QString &path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    void unchangedSaveWritesNothing_data();
    void unchangedSaveWritesNothing();
    void copiesThinnedOut_data();
    void copiesThinnedOut();
    void copiesDatedByTheClock();
    void copyMadeSafely_data();
    void copyMadeSafely();
    void restoreFromEditPanel();
    void restoreOfBrokenSet_data();
    void restoreOfBrokenSet();
};

void TestBackups::unchangedSaveWritesNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes"); // already as the save would write them
    QTest::newRow("diary saved unchanged") << kPlayLogFile << logOf(3);
    QTest::newRow("memo saved unchanged") << kMemoFile << sjisBytes(QStringLiteral("メモ\r\n二行目\r\n"));
    QTest::newRow("name saved unchanged") << kNameFile << sjisBytes(QStringLiteral("\"氏名\",\"山田\"\r\n"));
    QTest::newRow("settings unchanged") << KanaGame::definition().settingsFile()
                                        << sjisBytes(QStringLiteral("5,120,\"答数\",0,1\r\n"));
}

void TestBackups::unchangedSaveWritesNothing() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(rewriteBytes(dir.path(), file, bytes).ok());
    setOldTime(dir.filePath(file));
    const QString stamp = QStringLiteral("20261206_143000");
    WriteResult w;
    if (file == kPlayLogFile) {
        w = rewritePlayLog(dir.path(), readPlayLog(dir.path()).records, stamp, BackupAction::Diary);
    } else if (file == kMemoFile) {
        w = saveMemo(dir.path(), readMemoFile(dir.path()).text, stamp);
    } else if (file == kNameFile) {
        w = saveName(dir.path(), readName(dir.path()).name);
    } else {
        const SettingsReadResult read = readGameSettings(dir.path(), KanaGame::definition());
        w = writeGameSettings(dir.path(), KanaGame::definition(), read.settings);
    }
    QVERIFY2(w.ok(), qPrintable(w.error));
    QCOMPARE(readBytes(dir.path(), file), bytes);
    QCOMPARE(QFileInfo(dir.filePath(file)).lastModified().date(), QDate(2000, 1, 1)); // not written
    QVERIFY(copiesIn(dir.path()).isEmpty());
}

void TestBackups::copiesThinnedOut_data() {
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("savesPerDay");
    QTest::addColumn<int>("minutesApart");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("oldestKept");
    // One busy day: only the newest 20 of its copies.
    QTest::newRow("25 saves in one day") << 1 << 25 << 1 << 20 << "データ_20261206_100500.txt";
    // All in one second: the counter goes on after the first copies of that second are thinned out.
    QTest::newRow("25 saves in one second") << 1 << 25 << 0 << 20 << "データ_20261206_100000_6.txt";
    // One save a day for 40 days: the last 30 days.
    QTest::newRow("40 days, one save a day") << 40 << 1 << 1 << 30 << "データ_20261107_100000.txt";
    // Three a day for 40 days: the newest 20 (six whole days and two of the seventh), then the newest of
    // each of the 23 days before them within the 30 days.
    QTest::newRow("40 days, three saves a day") << 40 << 3 << 1 << 43 << "データ_20261107_100200.txt";
}

void TestBackups::copiesThinnedOut() {
    QFETCH(int, days);
    QFETCH(int, savesPerDay);
    QFETCH(int, minutesApart);
    QFETCH(int, kept);
    QFETCH(QString, oldestKept);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(kFolder));
    // Copies of other files, and a file of the user's own, are none of the log's business.
    QVERIFY(rewriteBytes(dir.filePath(kFolder), QStringLiteral("メモ_20200101_000000.TXT"), "m\r\n").ok());
    QVERIFY(rewriteBytes(dir.filePath(kFolder), QStringLiteral("データ_控え.txt"), "x\r\n").ok());
    const QDate today(2026, 12, 6);
    for (int d = days - 1; d >= 0; --d) {
        for (int s = 0; s < savesPerDay; ++s) {
            QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, logOf(d * savesPerDay + s + 1)).ok());
            const QDateTime when(today.addDays(-d), QTime(10, s * minutesApart, 0));
            QVERIFY(backupFile(dir.path(), kPlayLogFile, BackupAction::Diary, backupStampOf(when)).ok());
        }
    }
    const QList<BackupCopy> logCopies = backupsOf(dir.path(), kPlayLogFile);
    QCOMPARE(logCopies.size(), kept);
    QCOMPARE(logCopies.last().fileName, oldestKept);
    QCOMPARE(readBytes(dir.filePath(kFolder), logCopies.first().fileName), logOf(savesPerDay)); // the last save
    QVERIFY(copiesIn(dir.path()).contains(QStringLiteral("メモ_20200101_000000.TXT")));
    QVERIFY(copiesIn(dir.path()).contains(QStringLiteral("データ_控え.txt")));
}

// The program's clock names the copies, and its date decides which of them are kept: after one save a day for
// 40 days of the clock, the newest 20 copies and one a day back to 30 days before the clock's date stay,
// whatever the date of the machine running the test.
void TestBackups::copiesDatedByTheClock() {
    QTemporaryDir dir;
    test::FakeClock clock(QDateTime(QDate(2026, 10, 28), QTime(23, 59, 59)));
    setAppClock(&clock);
    for (int day = 0; day < 40; ++day) {
        QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, logOf(day + 1)).ok());
        QVERIFY(backupFile(dir.path(), kPlayLogFile, BackupAction::Diary, backupStampNow()).ok());
        clock.advance(24 * 60 * 60);
    }
    // A second change within the same second of the clock, and one a second later on the next day.
    clock.advance(-24 * 60 * 60);
    QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, logOf(41)).ok());
    QVERIFY(backupFile(dir.path(), kPlayLogFile, BackupAction::Diary, backupStampNow()).ok());
    clock.advance(1);
    QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, logOf(42)).ok());
    QVERIFY(backupFile(dir.path(), kPlayLogFile, BackupAction::Diary, backupStampNow()).ok());
    setAppClock(nullptr);
    const QStringList copies = copiesIn(dir.path());
    QCOMPARE(copies.size(), 31);
    QCOMPARE(copies.first(), QStringLiteral("データ_20261108_235959.txt"));
    QCOMPARE(copies.mid(29), (QStringList{"データ_20261206_235959_2.txt", "データ_20261207_000000.txt"}));
    QCOMPARE(readBytes(dir.filePath(kFolder), copies.last()), logOf(42));
}

void TestBackups::copyMadeSafely_data() {
    QTest::addColumn<QString>("planted"); // a link to nothing where the copy would go
    QTest::addColumn<int>("mode");        // of the log
    QTest::addColumn<QString>("said");    // "" when the copy is made
    QTest::newRow("log only for its owner") << "" << 0600 << "";
    QTest::newRow("log for the group too") << "" << 0640 << "";
    QTest::newRow("link under the copy's name") << "バックアップ/データ_20261206_143000.txt" << 0644 << "";
    QTest::newRow("backup folder a link to nothing") << "バックアップ" << 0644 << "リンク先の";
}

void TestBackups::copyMadeSafely() {
    QFETCH(QString, planted);
    QFETCH(int, mode);
    QFETCH(QString, said);
    QTemporaryDir dir;
    QVERIFY(planted == kFolder || QDir(dir.path()).mkpath(kFolder));
    const QString outside = dir.filePath(QStringLiteral("外"));
    if (!planted.isEmpty())
        QVERIFY(QFile::link(outside, dir.filePath(planted)));
    QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, logOf(3)).ok());
    QCOMPARE(::chmod(QFile::encodeName(dir.filePath(kPlayLogFile)).constData(), mode_t(mode)), 0);
    const mode_t mask = ::umask(022);
    const WriteResult w = backupFile(dir.path(), kPlayLogFile, BackupAction::Diary, QStringLiteral("20261206_143000"));
    ::umask(mask);
    // Nor is a new file ever made through a link that already has its name.
    if (planted.startsWith(kFolder + u'/'))
        QVERIFY(!createNewFile(dir.filePath(kFolder), QFileInfo(planted).fileName(), "x", 0600).ok());
    QVERIFY(!QFileInfo::exists(outside));
    QVERIFY2(said.isEmpty() == w.ok() && w.error.contains(said), qPrintable(w.error));
    if (!said.isEmpty())
        return;
    const QList<BackupCopy> copies = backupsOf(dir.path(), kPlayLogFile);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(readBytes(dir.filePath(kFolder), copies[0].fileName), logOf(3));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(dir.filePath(kFolder + u'/' + copies[0].fileName)).constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 0777), mode);
}

void TestBackups::restoreFromEditPanel() {
    QTemporaryDir dir;
    test::FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(14, 30, 0)));
    setAppClock(&clock);
    test::resetForWindowTest();
    test::writeSjis(dir.path(), kSettingsFile, QStringLiteral("\"ヘルプツアー\",0\r\n"));
    makeTwoSets(dir.path());
    auto window = test::openMainWindow(dir.path());
    QTest::mouseClick(window->button(QStringLiteral("cmdSettei")), Qt::LeftButton);
    auto *restore = test::namedChild<QPushButton>(window.get(), QStringLiteral("cmdRestore"));

    // One entry per action, newest first, with its action, contents, plays and dates; the new start's is
    // picked and restored.
    QStringList listed;
    auto pickSecond = [&] {
        auto *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == QStringLiteral("dlgRestore"));
        auto *list = test::namedChild<QTreeWidget>(dialog, QStringLiteral("lstBackup"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells << list->topLevelItem(i)->text(c);
            listed << cells.join(u' ');
        }
        list->setCurrentItem(list->topLevelItem(1)->child(1)); // a file's line stands for its entry
        QTest::mouseClick(test::namedChild<QPushButton>(dialog, QStringLiteral("cmdRestoreOk")), Qt::LeftButton);
    };
    // First answered キャンセル at the question: nothing changes.
    QTimer::singleShot(0, this, pickSecond);
    MessageDialog::setNextAnswer(MessageDialog::Cancel);
    QTest::mouseClick(restore, Qt::LeftButton);
    QCOMPARE(listed, (QStringList{"2026/12/03 21:30:00 一言日記 データ 5 件 2026/11/01〜2026/11/05",
                                  "2026/12/01 08:00:00 新規スタート データ＋抜かな履歴 2 件 2026/11/01〜2026/11/02"}));
    QCOMPARE(readBytes(dir.path(), kPlayLogFile), logOf(1));
    QCOMPARE(copiesIn(dir.path()).size(), 3);
    const MessageDialog::Shown asked = MessageDialog::shown().last();
    QVERIFY2(asked.text.contains(QStringLiteral("2026/12/01 08:00:00")) &&
                 asked.text.contains(QStringLiteral("抜かな履歴.txt（2 件、2026/11/01）")),
             qPrintable(asked.text));
    QVERIFY(asked.cancelIsDefault);

    // Then OK: the log and the history come back together, the current log kept as a copy first.
    QTimer::singleShot(0, this, pickSecond);
    QTest::mouseClick(restore, Qt::LeftButton);
    QCOMPARE(readBytes(dir.path(), kPlayLogFile), logOf(2));
    QCOMPARE(readBytes(dir.path(), kHistory), historyOf(2));
    QCOMPARE(readBytes(dir.path(), kFolder + QStringLiteral("/データ_20261206_143000.txt")), logOf(1));
    QCOMPARE(test::namedChild<GridWidget>(window.get(), QStringLiteral("msgHenList"))->grid().rows(), 3);
    window.reset();
    setAppClock(nullptr);
}

void TestBackups::restoreOfBrokenSet_data() {
    QTest::addColumn<QString>("removed");    // from the new start's set
    QTest::addColumn<qint64>("cutTo");       // the log copy's new length, -1 to leave it
    QTest::addColumn<QString>("contents");   // as the list shows it
    QTest::addColumn<QString>("said");       // by the restore, "" for success
    QTest::addColumn<QByteArray>("history"); // after the restore
    QTest::newRow("history copy gone") << "抜かな履歴_20261201_080000.txt" << qint64(-1)
                                       << "データ＋抜かな履歴（一部なし）"
                                       << "" << QByteArray();
    QTest::newRow("catalogue gone") << ".目録_20261201_080000.txt" << qint64(-1) << "データ＋抜かな履歴"
                                    << "" << historyOf(2);
    QTest::newRow("log copy cut short") << "" << qint64(60) << "データ＋抜かな履歴（壊れています）"
                                        << "途中で切れたか" << QByteArray();
}

void TestBackups::restoreOfBrokenSet() {
    QFETCH(QString, removed);
    QFETCH(qint64, cutTo);
    QFETCH(QString, contents);
    QFETCH(QString, said);
    QFETCH(QByteArray, history);
    QTemporaryDir dir;
    makeTwoSets(dir.path());
    QVERIFY(removed.isEmpty() || QFile::remove(dir.filePath(kFolder + u'/' + removed)));
    QVERIFY(cutTo < 0 || QFile::resize(dir.filePath(kFolder + QStringLiteral("/データ_20261201_080000.txt")), cutTo));
    const QList<RestoreEntry> entries = listRestoreEntries(dir.path());
    QCOMPARE(entries.size(), 2);
    QCOMPARE(restoreContentsText(entries[1]), contents);
    const WriteResult w = restoreBackupSet(dir.path(), entries[1].id, QStringLiteral("20261206_143000"));
    QVERIFY2(said.isEmpty() == w.ok() && w.error.contains(said), qPrintable(w.error));
    QCOMPARE(readBytes(dir.path(), kPlayLogFile), said.isEmpty() ? logOf(2) : logOf(1));
    QCOMPARE(readBytes(dir.path(), kHistory), history);
}

QTEST_MAIN(TestBackups)
#include "tst_backups.moc"
