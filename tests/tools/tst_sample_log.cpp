#include "sample_log/sample_log.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/games/common/history_file.h"
#include "support/test_files.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

const QDate kLastDay(2024, 3, 15);

sample::SampleOptions options(int records, quint32 seed = 7, int historyPlays = -1) {
    sample::SampleOptions s;
    s.records = records;
    s.seed = seed;
    s.historyPlays = historyPlays;
    s.lastDay = kLastDay;
    return s;
}

QString writeFolder(const QTemporaryDir &tmp, const sample::SampleOptions &s, const QString &name = "w") {
    const QString dir = tmp.filePath(name);
    const QString error =
        sample::writeSampleFolder(dir, sample::generateSample(s), QStringLiteral(MIRUTE_DEFAULT_DATA));
    if (!error.isEmpty())
        qWarning() << error;
    return dir;
}

} // namespace

class TestSampleLog : public QObject {
    Q_OBJECT
private slots:
    void logShape_data();
    void logShape();
    void historyFiles_data();
    void historyFiles();
    void sameSeedSameFiles();
    void diariesAreSummariesWithSomeComments();
    void defaultFilesCopiedNotOverwritten();
};

void TestSampleLog::logShape_data() {
    QTest::addColumn<int>("records");
    QTest::newRow("empty") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("seven") << 7;
    QTest::newRow("two thousand") << 2000;
    QTest::newRow("largest log") << sample::kMaxLogRecords;
}

void TestSampleLog::logShape() {
    QFETCH(int, records);
    QTemporaryDir tmp;
    const QString dir = writeFolder(tmp, options(records));

    const PlayLogData log = readPlayLog(dir);
    QVERIFY(log.exists);
    QVERIFY2(log.complete(), qPrintable(problemsMessage("データ.txt", log.problems) + log.error));
    QCOMPARE(log.records.size(), records);
    if (records == 0)
        return;

    // Date and time never go backwards: the file is in the order the plays were saved.
    QSet<QString> games;
    for (qsizetype i = 0; i < log.records.size(); ++i) {
        const PlayRecord &r = log.records[i];
        QVERIFY2(parseDateText(r.date).isValid(), qPrintable(r.date));
        QVERIFY2(QTime::fromString(r.time, "HH:mm:ss").isValid(), qPrintable(r.time));
        QVERIFY(r.seconds > 0);
        games.insert(r.game);
        if (i > 0) {
            const PlayRecord &p = log.records[i - 1];
            QVERIFY2(p.date + p.time <= r.date + r.time,
                     qPrintable(QString("line %1: %2 %3 after %4 %5").arg(i + 1).arg(r.date, r.time, p.date, p.time)));
        }
    }
    QCOMPARE(log.records.last().date, dateText(kLastDay));
    QCOMPARE(games.size(), qMin(records, kGameCount));
    for (const QString &g : std::as_const(games))
        QVERIFY2(gameNoOf(g) > 0, qPrintable(g));
    if (records >= 2000) {
        // About three years of playing, started within the first weeks of the span.
        const QDate first = parseDateText(log.records.first().date);
        QVERIFY(first >= kLastDay.addYears(-3));
        QVERIFY(first <= kLastDay.addYears(-3).addDays(60));
        QCOMPARE(games.size(), kGameCount);
    }

    // Shift_JIS with CR LF after every line, nothing else.
    const QByteArray bytes = test::readBytes(dir, "データ.txt");
    QCOMPARE(bytes.count("\r\n"), records);
    QCOMPARE(bytes.count('\n'), records);
    QVERIFY(bytes.endsWith("\r\n"));
}

void TestSampleLog::historyFiles_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("historyPlays");
    QTest::newRow("as in the log") << 3000 << -1;
    QTest::newRow("fewer than the log") << 3000 << 50;
    QTest::newRow("more than the log") << 300 << 5000;
    QTest::newRow("none") << 300 << 0;
}

void TestSampleLog::historyFiles() {
    QFETCH(int, records);
    QFETCH(int, historyPlays);
    QTemporaryDir tmp;
    const QString dir = writeFolder(tmp, options(records, 11, historyPlays));
    const PlayLogData log = readPlayLog(dir);
    QVERIFY(log.complete());

    for (int g = 1; g <= kGameCount; ++g) {
        const QString name = gameNames()[g - 1];
        QList<PlayRecord> logged;
        for (const PlayRecord &r : log.records)
            if (r.game == name)
                logged.append(r);
        const HistoryData h = readHistory(dir, name + "履歴.txt");
        QVERIFY2(h.exists, qPrintable(name));
        QVERIFY2(h.problems.isEmpty(), qPrintable(problemsMessage(name, h.problems)));
        const qsizetype expected = historyPlays < 0 ? logged.size() : historyPlays;
        QCOMPARE(h.records.size(), expected);
        for (qsizetype i = 1; i < h.records.size(); ++i)
            QVERIFY(h.records[i - 1].date + h.records[i - 1].time <= h.records[i].date + h.records[i].time);
        for (const HistoryRecord &r : h.records) {
            QVERIFY(r.rate.endsWith('%'));
            QVERIFY(r.perSecond.endsWith(QStringLiteral("/秒")));
            QVERIFY(r.seconds.endsWith(QStringLiteral("秒")));
            if (g != 6)
                QCOMPARE(r.answers.toInt(), r.ok + r.ng);
        }
        // The newest history line is the game's last play in the log.
        if (expected > 0 && !logged.isEmpty()) {
            const HistoryRecord &last = h.records.last();
            QCOMPARE(last.date, logged.last().date);
            QCOMPARE(last.time, logged.last().time);
            QCOMPARE(float(leadingNumber(last.seconds)), logged.last().seconds);
        }
        // The answers of the last plays: each play's OK right and NG wrong answers, dated as its line.
        if (keepsAnswers(g)) {
            const AnswersData a = readAnswers(dir, gameAnswersFile(name));
            QVERIFY(a.problems.isEmpty());
            qsizetype i = 0;
            for (const HistoryRecord &r : h.records.mid(qMax<qsizetype>(0, h.records.size() - kAnswerPlaysKept))) {
                int ok = 0, ng = 0;
                for (; i < a.records.size() && a.records[i].date == r.date && a.records[i].time == r.time; ++i)
                    ++(a.records[i].correct ? ok : ng);
                QCOMPARE(ok, r.ok);
                QCOMPARE(ng, r.ng);
            }
            QCOMPARE(i, a.records.size());
        }
        // Every line has the nine fields, written as the games write them.
        const TextLines lines = readTextLines(dir, name + "履歴.txt");
        QVERIFY(lines.badLines.isEmpty());
        for (const QString &line : lines.lines)
            QVERIFY2(line.startsWith('"') && line.endsWith(QStringLiteral("秒\"")), qPrintable(line));
    }
}

void TestSampleLog::sameSeedSameFiles() {
    QTemporaryDir tmp;
    const QString a = writeFolder(tmp, options(1500, 42, 100), "a");
    const QString b = writeFolder(tmp, options(1500, 42, 100), "b");
    const QString c = writeFolder(tmp, options(1500, 43, 100), "c");
    QStringList files = {"データ.txt"};
    for (const QString &g : gameNames())
        files << g + "履歴.txt" << (keepsAnswers(gameNoOf(g)) ? gameAnswersFile(g) : g + "履歴.txt");
    for (const QString &f : std::as_const(files)) {
        QVERIFY(!test::readBytes(a, f).isEmpty());
        QCOMPARE(test::readBytes(a, f), test::readBytes(b, f));
    }
    QVERIFY(test::readBytes(a, "データ.txt") != test::readBytes(c, "データ.txt"));
}

void TestSampleLog::diariesAreSummariesWithSomeComments() {
    QTemporaryDir tmp;
    const QString dir = writeFolder(tmp, options(5000, 3));
    const PlayLogData log = readPlayLog(dir);
    QCOMPARE(log.records.size(), 5000);
    const QRegularExpression summary(
        QStringLiteral("^秒数 : \\d+(\\.\\d)?   答数 : \\d+  反応時間  \\d+(\\.\\d+)?秒$"));
    const QRegularExpression cells(QStringLiteral("^秒数 : \\d+(\\.\\d)?   答数 : \\d+   マス数 : \\d+$"));
    int summaries = 0, comments = 0, withComma = 0;
    for (const PlayRecord &r : log.records) {
        const bool isSummary =
            r.game == QStringLiteral("座標") ? cells.match(r.diary).hasMatch() : summary.match(r.diary).hasMatch();
        if (isSummary) {
            ++summaries;
            // The summary's seconds are the record's seconds.
            QCOMPARE(float(leadingNumber(r.diary.mid(5))), r.seconds);
        } else {
            QVERIFY2(!r.diary.startsWith(QStringLiteral("秒数")), qPrintable(r.diary));
            ++comments;
            if (r.diary.contains(',') || r.diary.contains(QStringLiteral("、")))
                ++withComma;
        }
    }
    QVERIFY2(summaries > 4500, qPrintable(QString::number(summaries)));
    QVERIFY(comments > 20);
    QVERIFY(withComma > 5);

    // Lines before the last typed diary are in the rewritten form, the later ones as the games append them.
    const TextLines lines = readTextLines(dir, "データ.txt");
    int rewritten = 0, appended = 0;
    for (const QString &line : lines.lines) {
        if (line.endsWith(QStringLiteral(",\"\"")))
            ++rewritten;
        else if (line.endsWith(','))
            ++appended;
    }
    QCOMPARE(rewritten + appended, 5000);
    QVERIFY(rewritten > 0);
    QVERIFY(appended > 0);
    QVERIFY(lines.lines.first().endsWith(QStringLiteral(",\"\"")));
    QVERIFY(lines.lines.last().endsWith(','));
}

void TestSampleLog::defaultFilesCopiedNotOverwritten() {
    QTemporaryDir tmp;
    const QString dir = tmp.filePath("w");
    QDir().mkpath(dir);
    test::writeSjis(dir, "抜かな辞書.TXT", "mine");
    QCOMPARE(sample::writeSampleFolder(dir, sample::generateSample(options(20)), QStringLiteral(MIRUTE_DEFAULT_DATA)),
             QString());
    QCOMPARE(test::readSjis(dir, "抜かな辞書.TXT"), QStringLiteral("mine"));
    const QString defaults = QStringLiteral(MIRUTE_DEFAULT_DATA);
    QDirIterator it(defaults, QDir::Files, QDirIterator::Subdirectories);
    int copied = 0;
    while (it.hasNext()) {
        const QString rel = QDir(defaults).relativeFilePath(it.next());
        if (rel == QStringLiteral("抜かな辞書.TXT"))
            continue;
        QVERIFY2(QFileInfo::exists(QDir(dir).filePath(rel)), qPrintable(rel));
        QCOMPARE(test::readBytes(dir, rel), test::readBytes(defaults, rel));
        ++copied;
    }
    QVERIFY(copied > 0);

    QCOMPARE(sample::writeSampleFolder(tmp.filePath("x"), sample::generateSample(options(5)), tmp.filePath("missing"))
                 .isEmpty(),
             false);
}

QTEST_GUILESS_MAIN(TestSampleLog)
#include "tst_sample_log.moc"
