// The data folder under real faults, each made real rather than imitated: a disk too full for the rewrite
// (a file-size limit on a child process, so that writes fail with EFBIG exactly as with ENOSPC), and a
// named pipe, a folder, a link to /dev/zero or a huge file where a data file should be. Every action runs
// in a child process with a deadline, so that a hang fails the test instead of stopping it.
#include "core/games/common/dictionary.h"
#include "core/games/common/history_file.h"
#include "core/games/kana/kana_game.h"
#include "core/games/kana/kana_rules.h"
#include "core/log/app_state.h"
#include "core/log/memo.h"
#include "core/log/play_log.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace mirute;
using mirute::test::sjisBytes;

namespace {

using Files = QMap<QString, QByteArray>;

const QString kFull = QStringLiteral("ディスクの空き容量が足りません");
const QString kGameSettingsFile = QStringLiteral("抜かな設定.txt");
const QString kHistoryFile = QStringLiteral("抜かな履歴.txt");
const QString kAnswersFile = QStringLiteral("抜かな解答.txt");

// Thirty plays as a game writes them: a rewrite adds the empty quoted spare item to each, so that even
// the log less one play is longer than the log, while a backup copy of it is exactly as long.
QByteArray gameLog() {
    QString text;
    for (int day = 1; day <= 30; ++day)
        text += QStringLiteral("\"2026/11/%1\",\"09:00:00\",\"抜かな\",60,\"\",\r\n").arg(day, 2, 10, QChar(u'0'));
    return sjisBytes(text);
}
const QByteArray kGameLog = gameLog();

QByteArray historyLines(int n) {
    return sjisBytes(
        QStringLiteral("\"2026/11/01\",\"09:00:00\",25,20,5,0.85,\"80.0%\",\"0.42/秒\",\"60秒\"\r\n").repeated(n));
}

// Copies of the log and of a history too long for the disk, taken by one action, with nineteen later copies
// of the log, so that one more would thin the chosen one out; the files hold other versions.
QMap<QString, QByteArray> restoreFiles() {
    QMap<QString, QByteArray> files{{kPlayLogFile, kGameLog},
                                    {kHistoryFile, historyLines(40)},
                                    {QStringLiteral("バックアップ/データ_20261101_090000.txt"), kGameLog.left(700)},
                                    {QStringLiteral("バックアップ/抜かな履歴_20261101_090000.txt"), historyLines(45)}};
    for (int i = 0; i < kKeepNewest - 1; ++i)
        files.insert(QStringLiteral("バックアップ/データ_20261205_08%1").arg(i, 2, 10, QChar(u'0')) + "00.txt",
                     "x\r\n");
    return files;
}

struct ChildRun {
    bool finished = false;
    int exitCode = -1;
    QString said;
};

// Runs the helper (or another program) and waits at most `seconds`; a child still running is killed.
ChildRun runChild(const QString &program, const QStringList &args, int seconds = 10) {
    QProcess child;
    // No reader may exhaust the machine's memory: a runaway read ends in an allocation failure.
    // (Not under AddressSanitizer, whose shadow memory alone takes terabytes of address space.)
#ifndef __SANITIZE_ADDRESS__
    child.setChildProcessModifier([] {
        const rlim_t threeGigabytes = rlim_t(3) << 30;
        struct rlimit limit {
            threeGigabytes, threeGigabytes
        };
        setrlimit(RLIMIT_AS, &limit);
    });
#endif
    child.start(program, args);
    ChildRun run;
    if (!child.waitForStarted(10000))
        return run;
    run.finished = child.waitForFinished(seconds * 1000);
    if (!run.finished) {
        child.kill();
        child.waitForFinished(10000);
        return run;
    }
    run.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.said = QString::fromUtf8(child.readAllStandardOutput() + child.readAllStandardError());
    return run;
}

void writeFiles(const QString &dir, const Files &files) {
    for (auto it = files.begin(); it != files.end(); ++it) {
        QVERIFY(QDir(dir).mkpath(QFileInfo(QDir(dir).filePath(it.key())).path()));
        QFile f(QDir(dir).filePath(it.key()));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(it.value()), it.value().size());
    }
}

QStringList filesIn(const QString &dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT
private slots:
    void fullDiskKeepsEveryFile_data();
    void fullDiskKeepsEveryFile();
    void specialFileRefusedAtOnce_data();
    void specialFileRefusedAtOnce();
    void exportRefusesSpecialLog_data();
    void exportRefusesSpecialLog();
    void foreignTextsNamed_data();
    void foreignTextsNamed();
};

void TestFileFaults::fullDiskKeepsEveryFile_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("file"); // the file the action writes; the limit is its present size
    QTest::addColumn<Files>("files");
    const QByteArray dictionary = sjisBytes(QStringLiteral("\"あいうえお\"\r\n"));
    QTest::newRow("一言日記保存") << "diary" << kPlayLogFile << Files{{kPlayLogFile, kGameLog}};
    QTest::newRow("個別削除") << "delete" << kPlayLogFile << Files{{kPlayLogFile, kGameLog}};
    QTest::newRow("メモ保存") << "memo" << kMemoFile << Files{{kMemoFile, sjisBytes(QStringLiteral("古いメモ\r\n"))}};
    QTest::newRow("名前変更") << "name" << kNameFile
                              << Files{{kNameFile, sjisBytes(QStringLiteral("\"氏名\",\"山田\"\r\n"))}};
    // Opening a game whose settings line lacks a field repairs it: a longer line than the old one.
    QTest::newRow("game opening, settings repaired")
        << "settings" << kGameSettingsFile
        << Files{{kGameSettingsFile, sjisBytes(QStringLiteral("20,120,\"答数\",0\r\n"))},
                 {kKanaDictionary, dictionary}};
    QTest::newRow("history append") << "history" << kHistoryFile
                                    << Files{{kHistoryFile, sjisBytes(historyLine(HistoryRecord{}) + "\r\n")}};
    QTest::newRow("log append") << "log" << kPlayLogFile << Files{{kPlayLogFile, kGameLog}};
    QTest::newRow("苦手 choices") << "weak" << QStringLiteral("抜かな苦手設定.txt")
                                  << Files{{QStringLiteral("抜かな苦手設定.txt"), QByteArray("0,50\r\n")}};
    QTest::newRow("answers append")
        << "answers" << kAnswersFile
        << Files{{kAnswersFile, sjisBytes(QStringLiteral("\"2026/12/06\",\"14:00:00\",\"あ\",\"あ\",\"正解\",1\r\n"))}};
    // The log is restored first, then the history fails: the log is put back, and the set read stays whole.
    QTest::newRow("復元") << "restore" << kHistoryFile << restoreFiles();
}

void TestFileFaults::fullDiskKeepsEveryFile() {
    QFETCH(QString, action);
    QFETCH(QString, file);
    QFETCH(Files, files);
    QTemporaryDir dir;
    writeFiles(dir.path(), files);
    const QStringList before = filesIn(dir.path());
    const ChildRun run = runChild(QStringLiteral(MIRUTE_FILE_FAULT_CHILD),
                                  {"write", action, dir.path(), QString::number(files.value(file).size())});
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.said));
    // Told in Japanese, naming the file and the cause.
    QVERIFY2(run.said.contains(file) && run.said.contains(kFull), qPrintable(run.said));
    // Byte for byte as before, and no temporary file left beside them.
    for (auto it = files.begin(); it != files.end(); ++it)
        QCOMPARE(test::readBytes(dir.path(), it.key()), it.value());
    QCOMPARE(filesIn(dir.path()), before);
}

void TestFileFaults::specialFileRefusedAtOnce_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("special");
    QTest::addColumn<QString>("reason");
    const QList<QPair<QString, QString>> readers = {
        {"log", kPlayLogFile},           {"history", kHistoryFile}, {"answers", kAnswersFile},
        {"settings", kGameSettingsFile}, {"memo", kMemoFile},       {"name", kNameFile},
        {"dictionary", kKanaDictionary}};
    const QList<QPair<QString, QString>> specials = {
        {"named pipe", QStringLiteral("通常のファイルではありません")},
        {"link to /dev/zero", QStringLiteral("通常のファイルではありません")},
        {"folder", QStringLiteral("同じ名前のフォルダがあります")},
        {"600 MB file", QStringLiteral("大きすぎます")}};
    for (const auto &[kind, file] : readers)
        for (const auto &[special, reason] : specials)
            QTest::addRow("%s, %s", qPrintable(kind), qPrintable(special)) << kind << file << special << reason;
}

namespace {

void makeSpecial(const QString &path, const QString &special) {
    const QByteArray native = QFile::encodeName(path);
    if (special == QLatin1String("named pipe")) {
        QCOMPARE(mkfifo(native.constData(), 0600), 0);
    } else if (special == QLatin1String("link to /dev/zero")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (special == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else {
        // Sparse: it takes no room on the disk, but says it holds 600 MB.
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(qint64(600) << 20));
    }
}

} // namespace

void TestFileFaults::specialFileRefusedAtOnce() {
    QFETCH(QString, kind);
    QFETCH(QString, file);
    QFETCH(QString, special);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    makeSpecial(dir.filePath(file), special);
    const ChildRun run = runChild(QStringLiteral(MIRUTE_FILE_FAULT_CHILD), {"read", kind, dir.path()});
    QVERIFY2(run.finished, "the read did not come back");
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.said.contains(file) && run.said.contains(reason), qPrintable(run.said));
}

void TestFileFaults::exportRefusesSpecialLog_data() {
    QTest::addColumn<QString>("special");
    QTest::newRow("named pipe") << "named pipe";
    QTest::newRow("link to /dev/zero") << "link to /dev/zero";
}

void TestFileFaults::exportRefusesSpecialLog() {
    QFETCH(QString, special);
    QTemporaryDir dir;
    makeSpecial(dir.filePath(kPlayLogFile), special);
    const ChildRun run = runChild(QStringLiteral(MIRUTE_EXPORT_BIN), {"--dir", dir.path(), "plays"});
    QVERIFY2(run.finished, "mirute-export did not come back");
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.said.contains(kPlayLogFile) && run.said.contains(QStringLiteral("通常のファイルではありません")),
             qPrintable(run.said));
}

void TestFileFaults::foreignTextsNamed_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("notSaid");
    const QString memo = QStringLiteral("一行目\r\n二行目\r\n");
    const QString dictionary = QStringLiteral("\"あいうえお\"\r\n\"かきくけこ\"\r\n");
    const QString utf8 = QStringLiteral("UTF-8 で保存されています");
    const QString utf16 = QStringLiteral("UTF-16 で保存されています");
    auto utf16Bytes = [](const QString &text) {
        return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    };
    QTest::newRow("memo in UTF-8") << "memo" << memo.toUtf8() << utf8 << QStringLiteral("Shift_JIS として読めない");
    QTest::newRow("memo in UTF-16") << "memo" << utf16Bytes(memo) << utf16
                                    << QStringLiteral("Shift_JIS として読めない");
    QTest::newRow("dictionary in UTF-8") << "dictionary" << dictionary.toUtf8() << utf8
                                         << QStringLiteral("使える項目がありません");
    QTest::newRow("dictionary in UTF-16")
        << "dictionary" << utf16Bytes(dictionary) << utf16 << QStringLiteral("使える項目がありません");
    // 59 damaged lines: twenty numbers, then how many more, in one sentence.
    QByteArray broken;
    for (int i = 0; i < 59; ++i)
        broken += "\"\x82\xFF\"\r\n";
    QTest::newRow("59 bad log lines") << "log" << broken << QStringLiteral("20 行目ほか 39 行を読めませんでした")
                                      << QStringLiteral("行 行目");
    QTest::newRow("59 bad dictionary lines")
        << "dictionary" << broken + sjisBytes(dictionary) << QStringLiteral("20 行目ほか 39 行の項目を使いませんでした")
        << QStringLiteral("件 行目");
}

void TestFileFaults::foreignTextsNamed() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    QFETCH(QString, notSaid);
    QTemporaryDir dir;
    const QString file = kind == QLatin1String("memo")  ? kMemoFile
                         : kind == QLatin1String("log") ? kPlayLogFile
                                                        : kKanaDictionary;
    writeFiles(dir.path(), {{file, bytes}});
    QString message;
    if (kind == QLatin1String("memo")) {
        message = readMemoFile(dir.path()).error;
    } else if (kind == QLatin1String("log")) {
        message = problemsMessage(kPlayLogFile, readPlayLog(dir.path()).problems);
    } else {
        QStringList items;
        QString notice;
        message = readUsableItems(
            dir.path(), kKanaDictionary, [](const QString &) { return true; }, {}, &items, &notice);
        message += notice;
    }
    QVERIFY2(message.contains(file) && message.contains(said) && !message.contains(notSaid), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
