// The backup folder: a save that changes nothing takes no copy, the copies of each file are thinned out
// to the newest 20 and one per day of the last 30 days, and the log can be restored from a copy.
#include "core/base/clock.h"
#include "core/games/common/game_settings.h"
#include "core/games/kana/kana_game.h"
#include "core/log/app_state.h"
#include "core/log/memo.h"
#include "core/log/play_log.h"
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
    void restoreFromEditPanel();
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
        w = rewritePlayLog(dir.path(), readPlayLog(dir.path()).records, stamp);
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
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("oldestKept");
    // One busy day: only the newest 20 of its copies.
    QTest::newRow("25 saves in one day") << 1 << 25 << 20 << "データ_20261206_100500.txt";
    // One save a day for 40 days: the last 30 days.
    QTest::newRow("40 days, one save a day") << 40 << 1 << 30 << "データ_20261107_100000.txt";
    // Three a day for 40 days: the newest 20 (six whole days and two of the seventh), then the newest of
    // each of the 23 days before them within the 30 days.
    QTest::newRow("40 days, three saves a day") << 40 << 3 << 43 << "データ_20261107_100200.txt";
}

void TestBackups::copiesThinnedOut() {
    QFETCH(int, days);
    QFETCH(int, savesPerDay);
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
            const QDateTime when(today.addDays(-d), QTime(10, s, 0));
            QVERIFY(backupFile(dir.path(), kPlayLogFile, backupStampOf(when)).ok());
        }
    }
    QStringList logCopies = copiesIn(dir.path()).filter(QRegularExpression(QStringLiteral("^データ_\\d")));
    QCOMPARE(logCopies.size(), kept);
    QCOMPARE(logCopies.first(), oldestKept);
    QCOMPARE(logCopies.last(),
             QStringLiteral("データ_20261206_10%1%2.txt").arg(savesPerDay - 1, 2, 10, QChar(u'0')).arg("00"));
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
        QVERIFY(backupFile(dir.path(), kPlayLogFile, backupStampNow()).ok());
        clock.advance(24 * 60 * 60);
    }
    // A second change within the same second of the clock, and one a second later on the next day.
    clock.advance(-24 * 60 * 60);
    QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, logOf(41)).ok());
    QVERIFY(backupFile(dir.path(), kPlayLogFile, backupStampNow()).ok());
    clock.advance(1);
    QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, logOf(42)).ok());
    QVERIFY(backupFile(dir.path(), kPlayLogFile, backupStampNow()).ok());
    setAppClock(nullptr);
    const QStringList copies = copiesIn(dir.path());
    QCOMPARE(copies.size(), 31);
    QCOMPARE(copies.first(), QStringLiteral("データ_20261108_235959.txt"));
    QCOMPARE(copies.mid(29), (QStringList{"データ_20261206_235959_2.txt", "データ_20261207_000000.txt"}));
    QCOMPARE(readBytes(dir.filePath(kFolder), copies.last()), logOf(42));
}

void TestBackups::restoreFromEditPanel() {
    QTemporaryDir dir;
    test::FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(14, 30, 0)));
    setAppClock(&clock);
    test::resetForWindowTest();
    test::writeSjis(dir.path(), kSettingsFile, QStringLiteral("\"ヘルプツアー\",0\r\n"));
    QVERIFY(QDir(dir.path()).mkpath(kFolder));
    const QByteArray older = logOf(2), newer = logOf(5), current = logOf(1);
    QVERIFY(rewriteBytes(dir.filePath(kFolder), QStringLiteral("データ_20261201_080000.txt"), older).ok());
    QVERIFY(rewriteBytes(dir.filePath(kFolder), QStringLiteral("データ_20261203_213000.txt"), newer).ok());
    QVERIFY(rewriteBytes(dir.path(), kPlayLogFile, current).ok());
    auto window = test::openMainWindow(dir.path());
    QTest::mouseClick(window->button(QStringLiteral("cmdSettei")), Qt::LeftButton);
    auto *restore = test::namedChild<QPushButton>(window.get(), QStringLiteral("cmdRestore"));

    // The list, newest first, with date, time and plays; the older copy is picked and restored.
    QStringList listed;
    auto pickSecond = [&] {
        auto *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog && dialog->objectName() == QStringLiteral("dlgRestore"));
        auto *list = test::namedChild<QTreeWidget>(dialog, QStringLiteral("lstBackup"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list->topLevelItem(i);
            listed << item->text(0) + u' ' + item->text(1) + u' ' + item->text(2);
        }
        list->setCurrentItem(list->topLevelItem(1));
        QTest::mouseClick(test::namedChild<QPushButton>(dialog, QStringLiteral("cmdRestoreOk")), Qt::LeftButton);
    };
    // First answered キャンセル at the question: nothing changes.
    QTimer::singleShot(0, this, pickSecond);
    MessageDialog::setNextAnswer(MessageDialog::Cancel);
    QTest::mouseClick(restore, Qt::LeftButton);
    QCOMPARE(listed, (QStringList{"2026/12/03 21:30:00 5 件", "2026/12/01 08:00:00 2 件"}));
    QCOMPARE(readBytes(dir.path(), kPlayLogFile), current);
    QCOMPARE(copiesIn(dir.path()).size(), 2);
    const MessageDialog::Shown asked = MessageDialog::shown().last();
    QVERIFY2(asked.text.contains(QStringLiteral("2026/12/01 08:00:00")) && asked.text.contains(QStringLiteral("2 件")),
             qPrintable(asked.text));
    QVERIFY(asked.cancelIsDefault);

    // Then OK: the current log is kept as a copy first, and the list shows the restored plays.
    QTimer::singleShot(0, this, pickSecond);
    QTest::mouseClick(restore, Qt::LeftButton);
    QCOMPARE(readBytes(dir.path(), kPlayLogFile), older);
    QCOMPARE(readBytes(dir.path(), kFolder + QStringLiteral("/データ_20261206_143000.txt")), current);
    QCOMPARE(test::namedChild<GridWidget>(window.get(), QStringLiteral("msgHenList"))->grid().rows(), 3);
    window.reset();
    setAppClock(nullptr);
}

QTEST_MAIN(TestBackups)
#include "tst_backups.moc"
