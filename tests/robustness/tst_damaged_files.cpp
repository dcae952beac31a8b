// Every reader of the data folder against the damage a file can suffer: each case must end in a sound
// default or in the damaged lines skipped and named, never in a crash, a hang or a guessed number.
#include "core/base/day_time.h"
#include "core/base/sjis.h"
#include "core/base/text_file.h"
#include "core/games/common/answers_file.h"
#include "core/games/common/dictionary.h"
#include "core/games/common/game_settings.h"
#include "core/games/common/history_file.h"
#include "core/games/common/weak_items.h"
#include "core/games/kana/kana_game.h"
#include "core/log/app_state.h"
#include "core/log/daily_goal.h"
#include "core/log/memo.h"
#include "core/log/play_log.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

enum Reader { PlayLog, History, Settings, HelpFlag, Name, Memo, Dict, Goal, Answers, WeakChoices };

const QString kDictionaryName = QStringLiteral("抜かな辞書.TXT");

QString fileOf(Reader r) {
    switch (r) {
    case PlayLog: return kPlayLogFile;
    case History: return KanaGame::definition().historyFile();
    case Settings: return KanaGame::definition().settingsFile();
    case HelpFlag: return kSettingsFile;
    case Name: return kNameFile;
    case Memo: return kMemoFile;
    case Dict: return kDictionaryName;
    case Goal: return kGoalFile;
    case Answers: return gameAnswersFile(QStringLiteral("抜かな"));
    case WeakChoices: return gameWeakSettingsFile(QStringLiteral("抜かな"));
    }
    return {};
}

// What the program goes on with after reading, in a few words the rows can state.
struct Outcome {
    QString values;
    QList<int> reported; // damaged lines named to the user
    bool notice = false; // the user is told something is wrong
    QString message;     // every reason and message, for checking what the user is told
};

Outcome readWith(Reader reader, const QString &dir) {
    Outcome o;
    switch (reader) {
    case PlayLog: {
        const PlayLogData log = readPlayLog(dir);
        qint64 total = 0;
        for (const PlayRecord &r : log.records)
            total = addRoundedSeconds(total, r.seconds);
        o.values = QStringLiteral("%1件 %2秒").arg(log.records.size()).arg(total);
        if (!log.records.isEmpty())
            o.values += QStringLiteral(" 日記%1字").arg(log.records.last().diary.size());
        for (const LineProblem &p : log.problems) {
            o.reported << p.line;
            o.message += p.reason + u'\n';
        }
        o.notice = !log.complete();
        o.message += problemsMessage(kPlayLogFile, log.problems) + log.error;
        break;
    }
    case History: {
        const HistoryData h = readHistory(dir, fileOf(History));
        int ok = 0;
        for (const HistoryRecord &r : h.records)
            ok += r.ok;
        o.values = QStringLiteral("%1件 OK%2").arg(h.records.size()).arg(ok);
        if (!h.records.isEmpty())
            o.values += u' ' + h.records.last().seconds.left(10);
        for (const LineProblem &p : h.problems) {
            o.reported << p.line;
            o.message += p.reason + u'\n';
        }
        o.notice = !h.problems.isEmpty() || !h.error.isEmpty();
        break;
    }
    case Settings: {
        const GameDefinition def = KanaGame::definition();
        const SettingsReadResult r = readGameSettings(dir, def);
        o.values = settingsLine(r.settings, def) + (r.rewriteNeeded ? QStringLiteral(" 書き直し") : QString());
        o.notice = !r.notice.isEmpty();
        o.message = r.notice;
        break;
    }
    case HelpFlag: {
        const FlagRead r = readHelpTourFlag(dir);
        o.values = QStringLiteral("flag=%1").arg(r.flag);
        o.notice = !r.error.isEmpty();
        o.message = r.error;
        break;
    }
    case Name: {
        const NameRead r = readName(dir);
        o.values = QStringLiteral("%1 (%2字)").arg(r.name.left(10)).arg(r.name.size());
        o.notice = !r.error.isEmpty();
        o.message = r.error;
        break;
    }
    case Memo: {
        const MemoRead r = readMemoFile(dir);
        o.values = QStringLiteral("%1字 %2行").arg(r.text.size()).arg(r.text.isEmpty() ? 0 : r.text.count(u'\n') + 1);
        o.notice = !r.error.isEmpty();
        o.message = r.error;
        break;
    }
    case Goal: {
        const GoalRead r = readDailyGoal(dir);
        o.values = QStringLiteral("%1 休み%2").arg(goalText(r.goal)).arg(r.goal.restDays);
        o.notice = !r.error.isEmpty();
        o.message = r.error;
        break;
    }
    case Answers: {
        const AnswersData a = readAnswers(dir, fileOf(Answers));
        o.values = QStringLiteral("%1件 %2回").arg(a.records.size()).arg(countPlays(a.records));
        if (!a.records.isEmpty())
            o.values += u' ' + a.records.last().item;
        for (const LineProblem &p : a.problems) {
            o.reported << p.line;
            o.message += p.reason + u'\n';
        }
        o.notice = !a.problems.isEmpty() || !a.error.isEmpty();
        break;
    }
    case WeakChoices: {
        const WeakSettings w = readWeakSettings(dir, QStringLiteral("抜かな"));
        o.values = QStringLiteral("練習%1 直近%2").arg(w.practice).arg(w.plays);
        break;
    }
    case Dict: {
        const Dictionary d = readDictionary(dir, kDictionaryName);
        if (!d.exists) {
            o.values = QStringLiteral("ファイルなし");
        } else {
            o.values = QStringLiteral("%1項目").arg(d.items.size());
            if (!d.items.isEmpty())
                o.values += QStringLiteral(" %1…%2").arg(d.items.first().text.left(5), d.items.last().text.left(5));
        }
        for (const LineProblem &p : d.problems) {
            o.reported << p.line;
            o.message += p.reason + u'\n';
        }
        o.notice = !d.problems.isEmpty() || !d.error.isEmpty();
        break;
    }
    }
    return o;
}

QByteArray sj(const QString &text) {
    QByteArray out;
    const bool ok = sjis::encode(text, &out);
    Q_ASSERT(ok);
    return out;
}

QByteArray lines(const QList<QByteArray> &ls, const QByteArray &end = "\r\n") {
    QByteArray out;
    for (const QByteArray &l : ls)
        out += l + end;
    return out;
}

QByteArray repeated(const QByteArray &line, int count) {
    QByteArray out;
    out.reserve(line.size() * count);
    for (int i = 0; i < count; ++i)
        out += line;
    return out;
}

const QByteArray kMissing = QByteArrayLiteral("<missing>");
const QByteArray kMegabyte(1 << 20, 'a');

// Good lines of each file.
const QString kLog1 =
    QStringLiteral("\"2026/12/06\",\"18:30:05\",\"抜かな\",60,\"秒数 : 60   答数 : 25  反応時間  0.85秒\",");
const QString kLog2 = QStringLiteral("\"2026/12/07\",\"09:00:00\",\"座標\",23.4,\"日記, コンマ入り\",\"\"");
const QString kHist1 = QStringLiteral("\"2026/12/06\",\"18:30:05\",25,20,5,0.85,\"80.0%\",\"0.42/秒\",\"60秒\"");
const QString kHist2 = QStringLiteral("\"2026/12/07\",\"09:00:00\",10,7,3,1.2,\"70.0%\",\"0.43/秒\",\"23.4秒\"");
const QString kSet = QStringLiteral("20,120,\"答数\",0,1");
const QString kFlag = QStringLiteral("\"ヘルプツアー\",0");
const QString kName = QStringLiteral("\"氏名\",\"山田\"");
const QString kMemo1 = QStringLiteral("一行目");
const QString kMemo2 = QStringLiteral("二行目");
const QString kDict1 = QStringLiteral("\"あいうえお\",\"かきくけこ\"");
const QString kDict2 = QStringLiteral("\"さしすせそ\"");

const QString kAns1 = QStringLiteral("\"2026/12/06\",\"18:30:05\",\"え\",\"お\",\"不正解\",0.85");
const QString kAns2 = QStringLiteral("\"2026/12/07\",\"09:00:00\",\"5行7列\",\"57\",\"正解\",1.2");

const QString kDefaultSettings = QStringLiteral("10,60,\"秒数\",1,0 書き直し");

} // namespace

class TestDamagedFiles : public QObject {
    Q_OBJECT
private slots:
    void damagedInput_data();
    void damagedInput();
    void utf8Recognised_data();
    void utf8Recognised();
    void damagedLineNumbersInMessage();
    void lossyDecodeOfLongBadRun();

private:
    static void row(const char *name, Reader reader, const QByteArray &bytes, const QString &values,
                    const QList<int> &reported, bool notice, const QString &said = {});
};

void TestDamagedFiles::row(const char *name, Reader reader, const QByteArray &bytes, const QString &values,
                           const QList<int> &reported, bool notice, const QString &said) {
    QTest::newRow(name) << int(reader) << bytes << values << reported << notice << said;
}

void TestDamagedFiles::damagedInput_data() {
    QTest::addColumn<int>("reader");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("values");
    QTest::addColumn<QList<int>>("reported");
    QTest::addColumn<bool>("notice");
    QTest::addColumn<QString>("said"); // a text the user is told, when the row names one

    const QString utf8 = QStringLiteral("UTF-8");
    const QByteArray bom("\xEF\xBB\xBF");

    // --- play log: damaged lines skipped and named; an empty or missing log is an empty log
    const QByteArray log1 = sj(kLog1), log2 = sj(kLog2);
    row("log: missing", PlayLog, kMissing, "0件 0秒", {}, false);
    row("log: empty", PlayLog, "", "0件 0秒", {}, false);
    row("log: good", PlayLog, lines({log1, log2}), "2件 83秒 日記9字", {}, false);
    row("log: no final CR LF", PlayLog, lines({log1}) + log2, "2件 83秒 日記9字", {}, false);
    row("log: LF only", PlayLog, lines({log1, log2}, "\n"), "2件 83秒 日記9字", {}, false);
    row("log: too few items", PlayLog, lines({log1, sj("\"2026/12/06\",\"18:31:00\",\"抜かな\",60"), log2}),
        "2件 83秒 日記9字", {2}, true, QStringLiteral("項目の数が 4"));
    row("log: too many items", PlayLog, lines({log1, log1 + ",\"x\"", log2}), "2件 83秒 日記9字", {2}, true,
        QStringLiteral("項目の数が 7"));
    row("log: seconds as text", PlayLog, lines({log1, sj("\"2026/12/06\",\"18:31:00\",\"抜かな\",abc,\"d\","), log2}),
        "2件 83秒 日記9字", {2}, true, QStringLiteral("秒数「\u2068abc\u2069」が数値ではありません"));
    row("log: seconds quoted", PlayLog, lines({log1, sj("\"2026/12/06\",\"18:31:00\",\"抜かな\",\"60\",\"d\",")}),
        "1件 60秒 日記30字", {2}, true);
    row("log: seconds empty", PlayLog, lines({sj("\"2026/12/06\",\"18:31:00\",\"抜かな\",,\"d\","), log1}),
        "1件 60秒 日記30字", {1}, true);
    row("log: seconds beyond any play", PlayLog,
        lines({log1, sj("\"2026/12/06\",\"18:31:00\",\"抜かな\",1e30,\"d\",")}), "1件 60秒 日記30字", {2}, true,
        QStringLiteral("大きすぎます"));
    row("log: unterminated quote", PlayLog, lines({log1, sj("\"2026/12/06\",\"18:31:00\",\"抜かな\",60,\"d")}),
        "1件 60秒 日記30字", {2}, true, QStringLiteral("引用符が閉じていません"));
    row("log: invalid Shift_JIS", PlayLog, lines({log1, "\"2026/12/06\",\"18:31:00\",\"\x82\xFF\",60,\"d\",", log2}),
        "2件 83秒 日記9字", {2}, true, QStringLiteral("Shift_JIS"));
    row("log: UTF-8", PlayLog, lines({kLog1.toUtf8(), kLog2.toUtf8()}), "0件 0秒", {1, 2}, true, utf8);
    row("log: UTF-8 with BOM", PlayLog, bom + lines({kLog1.toUtf8()}), "0件 0秒", {1}, true, utf8);
    row("log: NUL byte", PlayLog,
        lines({log1, QByteArray("\"2026/12/06\",\"18:31:00\",\"a\",60,\"d") + '\0' + "\",", log2}), "2件 83秒 日記9字",
        {2}, true);
    row("log: 1 MB diary", PlayLog,
        lines({log1, "\"2026/12/08\",\"10:00:00\",\"x\",60," + ('"' + kMegabyte + '"') + ","}),
        "2件 120秒 日記1048576字", {}, false);
    row("log: 1 MB without commas", PlayLog, lines({log1, kMegabyte, log2}), "2件 83秒 日記9字", {2}, true);
    row("log: 100,000 lines", PlayLog, repeated(log1 + "\r\n", 100000), "100000件 6000000秒 日記30字", {}, false);

    // --- history file: the same
    const QByteArray h1 = sj(kHist1), h2 = sj(kHist2);
    row("history: missing", History, kMissing, "0件 OK0", {}, false);
    row("history: empty", History, "", "0件 OK0", {}, false);
    row("history: no final CR LF", History, lines({h1}) + h2, "2件 OK27 23.4秒", {}, false);
    row("history: LF only", History, lines({h1, h2}, "\n"), "2件 OK27 23.4秒", {}, false);
    row("history: too few items", History, lines({h1, sj("\"2026/12/06\",\"18:31:00\",25,20,5"), h2}),
        "2件 OK27 23.4秒", {2}, true, QStringLiteral("項目の数が 5"));
    row("history: too many items", History, lines({h1, h2 + ",1"}), "1件 OK20 60秒", {2}, true,
        QStringLiteral("項目の数が 10"));
    row("history: OK as text", History,
        lines({h1, sj("\"2026/12/06\",\"18:31:00\",25,abc,5,0.85,\"80.0%\",\"0.42/秒\",\"60秒\""), h2}),
        "2件 OK27 23.4秒", {2}, true, QStringLiteral("数値ではありません"));
    row("history: NG beyond int", History,
        lines({h1, sj("\"2026/12/06\",\"18:31:00\",25,20,99999999999,0.85,\"80.0%\",\"0.42/秒\",\"60秒\"")}),
        "1件 OK20 60秒", {2}, true, QStringLiteral("範囲外"));
    row("history: negative OK", History,
        lines({sj("\"2026/12/06\",\"18:31:00\",25,-3,5,0.85,\"80.0%\",\"0.42/秒\",\"60秒\""), h2}), "1件 OK7 23.4秒",
        {1}, true);
    // Answers and reaction are read as text where they are not numbers: the list shows them as stored.
    row("history: text in text-tolerant fields", History,
        lines({sj("\"2026/12/06\",\"18:31:00\",\"x\",20,5,...,\"80.0%\",\"0.42/秒\",\"60秒\"")}), "1件 OK20 60秒", {},
        false);
    row("history: unterminated quote", History, lines({h1, sj("\"2026/12/06\",\"18:31:00\",25,20,5,0.85,\"80.0%")}),
        "1件 OK20 60秒", {2}, true, QStringLiteral("引用符"));
    row("history: invalid Shift_JIS", History, lines({"\"\x81\x7F\"", h2}), "1件 OK7 23.4秒", {1}, true);
    row("history: UTF-8", History, lines({kHist1.toUtf8(), kHist2.toUtf8()}), "0件 OK0", {1, 2}, true, utf8);
    row("history: NUL byte", History, lines({h1, QByteArray("\0", 1), h2}), "2件 OK27 23.4秒", {2}, true);
    row("history: 1 MB line", History, lines({h1, kMegabyte}), "1件 OK20 60秒", {2}, true);
    row("history: 100,000 lines", History, repeated(h1 + "\r\n", 100000), "100000件 OK2000000 60秒", {}, false);

    // --- game settings: a damaged field gets its default or the nearest allowed value, and the user is told
    const QByteArray set = sj(kSet);
    row("settings: missing", Settings, kMissing, kDefaultSettings, {}, false);
    row("settings: empty", Settings, "", kDefaultSettings, {}, true);
    row("settings: good", Settings, lines({set}), kSet, {}, false);
    row("settings: no final CR LF", Settings, set, kSet, {}, false);
    row("settings: LF only", Settings, lines({set}, "\n"), kSet, {}, false);
    row("settings: too few items", Settings, lines({sj("20,120,\"答数\",0")}), "20,120,\"答数\",0,0 書き直し", {},
        true);
    row("settings: too many items", Settings, lines({set + ",9"}), kSet + " 書き直し", {}, true,
        QStringLiteral("余分な項目"));
    row("settings: count as text", Settings, lines({sj("abc,120,\"答数\",0,1")}), "10,120,\"答数\",0,1 書き直し", {},
        true, QStringLiteral("（答数）"));
    // Each field is named by the caption of its control, as the user knows it.
    row("settings: values out of range", Settings, lines({sj("99,125,\"答数\",7,9")}), "30,130,\"答数\",1,0 書き直し",
        {}, true, QStringLiteral("（答数、秒数、手動保存モード、順番通り表示）"));
    row("settings: unterminated quote", Settings, lines({sj("20,120,\"答数,0,1")}), "20,120,\"秒数\",1,0 書き直し", {},
        true, QStringLiteral("モード"));
    row("settings: invalid Shift_JIS", Settings, lines({"20,120,\"\x82\xFF\",0,1"}), kDefaultSettings, {}, true);
    row("settings: UTF-8", Settings, lines({kSet.toUtf8()}), kDefaultSettings, {}, true);
    row("settings: NUL byte", Settings, lines({QByteArray("20,120,\0,0,1", 12)}), kDefaultSettings, {}, true);
    row("settings: 1 MB line", Settings, lines({kMegabyte}), kDefaultSettings, {}, true);
    row("settings: second line", Settings, lines({set, set}), kSet + " 書き直し", {}, true,
        QStringLiteral("2 行目以降"));
    row("settings: 100,000 lines", Settings, repeated(set + "\r\n", 100000), kSet + " 書き直し", {}, true);

    // --- main settings: the help tour stays on unless the file clearly says 0
    const QByteArray flag = sj(kFlag);
    row("flag: missing", HelpFlag, kMissing, "flag=1", {}, false);
    row("flag: empty", HelpFlag, "", "flag=1", {}, true);
    row("flag: good", HelpFlag, lines({flag}), "flag=0", {}, false);
    row("flag: no final CR LF", HelpFlag, flag, "flag=0", {}, false);
    row("flag: LF only", HelpFlag, lines({flag}, "\n"), "flag=0", {}, false);
    row("flag: too few items", HelpFlag, lines({sj("\"ヘルプツアー\"")}), "flag=1", {}, true);
    row("flag: too many items", HelpFlag, lines({flag + ",5"}), "flag=0", {}, false);
    row("flag: flag as text", HelpFlag, lines({sj("\"ヘルプツアー\",abc")}), "flag=1", {}, true,
        QStringLiteral("設定.txt"));
    row("flag: flag out of range", HelpFlag, lines({sj("\"ヘルプツアー\",2")}), "flag=1", {}, true);
    row("flag: unterminated quote", HelpFlag, lines({sj("\"ヘルプツアー,0")}), "flag=1", {}, true);
    row("flag: invalid Shift_JIS", HelpFlag, lines({"\"\x83\xFF\",0"}), "flag=1", {}, true);
    row("flag: UTF-8", HelpFlag, lines({kFlag.toUtf8()}), "flag=1", {}, true, utf8);
    row("flag: NUL byte", HelpFlag, lines({QByteArray("\"a\",\0", 5)}), "flag=1", {}, true);
    row("flag: 1 MB line", HelpFlag, lines({kMegabyte}), "flag=1", {}, true);
    row("flag: 100,000 lines", HelpFlag, repeated(flag + "\r\n", 100000), "flag=0", {}, false);

    // --- name file: no name rather than a wrong one; the file is left as it is
    const QByteArray name = sj(kName);
    row("name: missing", Name, kMissing, " (0字)", {}, false);
    row("name: empty", Name, "", " (0字)", {}, false);
    row("name: good", Name, lines({name}), "山田 (2字)", {}, false);
    row("name: no final CR LF", Name, name, "山田 (2字)", {}, false);
    row("name: LF only", Name, lines({name}, "\n"), "山田 (2字)", {}, false);
    row("name: too few items", Name, lines({sj("\"氏名\"")}), " (0字)", {}, true, QStringLiteral("プライベート.txt"));
    row("name: too many items", Name, lines({name + ",\"x\""}), "山田 (2字)", {}, false);
    row("name: digits as the name", Name, lines({sj("\"氏名\",123")}), "123 (3字)", {}, false);
    row("name: unterminated quote", Name, lines({sj("\"氏名\",\"山田")}), "山田 (2字)", {}, false);
    row("name: invalid Shift_JIS", Name, lines({"\"\x8E\x81\x96\",\"x\""}), " (0字)", {}, true);
    row("name: UTF-8", Name, lines({kName.toUtf8()}), " (0字)", {}, true, utf8);
    row("name: NUL byte", Name, lines({QByteArray("\"a\",\"\0\"", 7)}), " (0字)", {}, true);
    row("name: 1 MB name", Name, lines({sj("\"氏名\",\"") + kMegabyte + '"'}), "aaaaaaaaaa (1048576字)", {}, false);
    row("name: 100,000 lines", Name, repeated(name + "\r\n", 100000), "山田 (2字)", {}, false);

    // --- daily goal: no goal and no rest days unless the whole line is sound; the file is left as it is
    const QByteArray goal = sj(QStringLiteral("\"目標\",\"分\",15,\"週の休み\",1"));
    const QString noGoal = QStringLiteral("なし 休み0");
    row("goal: missing", Goal, kMissing, noGoal, {}, false);
    row("goal: empty", Goal, "", noGoal, {}, true, kGoalFile);
    row("goal: good", Goal, lines({goal}), "15分 休み1", {}, false);
    row("goal: no final CR LF", Goal, goal, "15分 休み1", {}, false);
    row("goal: LF only", Goal, lines({goal}, "\n"), "15分 休み1", {}, false);
    row("goal: cut last line", Goal, goal.left(goal.size() - 8), noGoal, {}, true);
    row("goal: unknown unit", Goal, lines({sj("\"目標\",\"時\",1,\"週の休み\",1")}), noGoal, {}, true,
        QStringLiteral("単位「時」"));
    row("goal: target out of range", Goal, lines({sj("\"目標\",\"種類\",8,\"週の休み\",0")}), noGoal, {}, true,
        QStringLiteral("1～7"));
    row("goal: rest days out of range", Goal, lines({sj("\"目標\",\"回\",5,\"週の休み\",4")}), noGoal, {}, true,
        QStringLiteral("週の休み「4」"));
    row("goal: invalid Shift_JIS", Goal, lines({"\"\x96\xFF\",\"\x95\xAA\",15,\"x\",1"}), noGoal, {}, true);
    row("goal: UTF-8", Goal, lines({QStringLiteral("\"目標\",\"分\",15,\"週の休み\",1").toUtf8()}), noGoal, {}, true,
        utf8);
    row("goal: second line", Goal, lines({goal, goal}), noGoal, {}, true, QStringLiteral("2 行目"));
    row("goal: 1 MB line", Goal, lines({kMegabyte}), noGoal, {}, true);

    // --- memo: free text; lines that cannot be read are said, the rest is shown
    const QByteArray m1 = sj(kMemo1), m2 = sj(kMemo2);
    row("memo: missing", Memo, kMissing, "0字 0行", {}, false);
    row("memo: empty", Memo, "", "0字 0行", {}, false);
    row("memo: good", Memo, lines({m1, m2}), "7字 2行", {}, false);
    row("memo: no final CR LF", Memo, lines({m1}) + m2, "7字 2行", {}, false);
    row("memo: LF only", Memo, lines({m1, m2}, "\n"), "7字 2行", {}, false);
    row("memo: quotes and commas are text", Memo, lines({"\"a,b", "1,2,3"}), "10字 2行", {}, false);
    row("memo: invalid Shift_JIS", Memo, lines({m1, "\x82\xFF"}), "4字 2行", {}, true);
    row("memo: UTF-8", Memo, lines({kMemo1.toUtf8(), "abc"}), "4字 2行", {}, true);
    row("memo: NUL byte", Memo, lines({m1, QByteArray("a\0b", 3)}), "4字 2行", {}, true);
    row("memo: 1 MB line", Memo, lines({kMegabyte}), "1048576字 1行", {}, false);
    row("memo: 100,000 lines", Memo, repeated("x\r\n", 100000), "199999字 100000行", {}, false);

    // --- dictionary: items of damaged lines unused and the lines named
    const QByteArray d1 = sj(kDict1), d2 = sj(kDict2);
    row("dictionary: missing", Dict, kMissing, "ファイルなし", {}, false);
    row("dictionary: empty", Dict, "", "0項目", {}, false);
    row("dictionary: good", Dict, lines({d1, d2}), "3項目 あいうえお…さしすせそ", {}, false);
    row("dictionary: no final CR LF", Dict, lines({d1}) + d2, "3項目 あいうえお…さしすせそ", {}, false);
    row("dictionary: LF only", Dict, lines({d1, d2}, "\n"), "3項目 あいうえお…さしすせそ", {}, false);
    row("dictionary: any number of items a line", Dict, lines({d1 + "," + d2}), "3項目 あいうえお…さしすせそ", {},
        false);
    row("dictionary: unterminated quote", Dict, lines({d1, sj("\"たちつてと,なにぬねの"), d2}),
        "3項目 あいうえお…さしすせそ", {2}, true, QStringLiteral("引用符が閉じていません"));
    row("dictionary: invalid Shift_JIS", Dict, lines({d1, "\"\x82\xFF\"", d2}), "3項目 あいうえお…さしすせそ", {2},
        true);
    row("dictionary: UTF-8", Dict, lines({kDict1.toUtf8(), kDict2.toUtf8()}), "0項目", {1, 2}, true, utf8);
    row("dictionary: NUL byte", Dict, lines({d1, QByteArray("\"\0\"", 3)}), "2項目 あいうえお…かきくけこ", {2}, true);
    row("dictionary: 1 MB item", Dict, lines({d1, kMegabyte}), "3項目 あいうえお…aaaaa", {}, false);
    row("dictionary: 100,000 lines", Dict, repeated(d2 + "\r\n", 100000), "100000項目 さしすせそ…さしすせそ", {},
        false);

    // --- answers file: damaged lines skipped and named; the plays told apart by their date and time
    const QByteArray a1 = sj(kAns1), a2 = sj(kAns2);
    row("answers: missing", Answers, kMissing, "0件 0回", {}, false);
    row("answers: empty", Answers, "", "0件 0回", {}, false);
    row("answers: no final CR LF", Answers, lines({a1}) + a2, "2件 2回 5行7列", {}, false);
    row("answers: last line cut", Answers, lines({a1}) + a2.left(39), "1件 1回 え", {2}, true,
        QStringLiteral("引用符が閉じていません"));
    row("answers: LF only", Answers, lines({a1, a2}, "\n"), "2件 2回 5行7列", {}, false);
    row("answers: too few items", Answers, lines({a1, sj("\"2026/12/07\",\"09:00:00\",\"あ\""), a2}), "2件 2回 5行7列",
        {2}, true, QStringLiteral("項目の数が 3"));
    row("answers: no such date", Answers, lines({sj(QString(kAns1).replace("12/06", "13/06")), a2}), "1件 1回 5行7列",
        {1}, true, QStringLiteral("日付"));
    row("answers: neither right nor wrong", Answers, lines({a1, sj(QString(kAns2).replace("\"正解\"", "\"○\""))}),
        "1件 1回 え", {2}, true, QStringLiteral("正解・不正解"));
    row("answers: reaction as text", Answers, lines({a1, sj(QString(kAns2).replace("1.2", "abc"))}), "1件 1回 え", {2},
        true, QStringLiteral("反応秒"));
    row("answers: invalid Shift_JIS", Answers, lines({a1, "\"\x82\xFF\"", a2}), "2件 2回 5行7列", {2}, true);
    row("answers: UTF-8", Answers, lines({kAns1.toUtf8(), kAns2.toUtf8()}), "0件 0回", {1, 2}, true, utf8);
    row("answers: NUL byte", Answers, lines({a1, QByteArray("\0", 1), a2}), "2件 2回 5行7列", {2}, true);
    // --- 苦手 choices: a damaged field is its default, practice off and 50 plays; nobody is bothered
    row("weak choices: missing", WeakChoices, kMissing, "練習0 直近50", {}, false);
    row("weak choices: good, no final CR LF", WeakChoices, "1,200", "練習1 直近200", {}, false);
    row("weak choices: values out of range", WeakChoices, lines({"2,30"}), "練習0 直近50", {}, false);
    row("weak choices: text and a cut line", WeakChoices, lines({"\"x\",1"}) + "1,", "練習0 直近50", {}, false);
    row("weak choices: invalid Shift_JIS", WeakChoices, lines({"1,\x82\xFF"}), "練習0 直近50", {}, false);
    row("answers: 100,000 lines", Answers, repeated(a1 + "\r\n", 100000), "100000件 1回 え", {}, false);
}

void TestDamagedFiles::damagedInput() {
    QFETCH(int, reader);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, values);
    QFETCH(QList<int>, reported);
    QFETCH(bool, notice);
    QFETCH(QString, said);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(fileOf(Reader(reader)));
    if (bytes != kMissing) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    QElapsedTimer timer;
    timer.start();
    const Outcome o = readWith(Reader(reader), dir.path());
    // Linear work even for a megabyte line or 100,000 lines: seconds at most, also under the sanitizers.
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));

    QCOMPARE(o.values, values);
    QCOMPARE(o.reported, reported);
    QCOMPARE(o.notice, notice);
    if (!said.isEmpty())
        QVERIFY2(o.message.contains(said), qPrintable(o.message));
    // Reading never changes a file, damaged or not.
    if (bytes == kMissing) {
        QVERIFY(!QFile::exists(path));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.size(), bytes.size());
    }
}

void TestDamagedFiles::utf8Recognised_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("Japanese in UTF-8") << QStringLiteral("抜かな").toUtf8() << true;
    QTest::newRow("BOM before ASCII") << QByteArray("\xEF\xBB\xBF"
                                                    "abc")
                                      << true;
    QTest::newRow("plain ASCII") << QByteArray("\"a\",1\r\n") << false;
    QTest::newRow("Japanese in Shift_JIS") << sj(QStringLiteral("抜かな,秒数 : 60   答数 : 25")) << false;
    // Two half-width kana can form a valid two-byte UTF-8 sequence; only three-byte ones decide.
    QTest::newRow("half-width kana pair") << sj(QStringLiteral("ﾃｱ")) << false;
    QTest::newRow("accented Latin only") << QStringLiteral("café").toUtf8() << false;
    QTest::newRow("overlong form") << QByteArray("\xE0\x80\xAF") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("cut short") << (QStringLiteral("抜").toUtf8().left(2)) << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    QTest::newRow("four-byte character") << QStringLiteral("😀").toUtf8() << true;
}

void TestDamagedFiles::utf8Recognised() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    QCOMPARE(looksLikeUtf8(bytes), utf8);
    TextLines t;
    splitDecodedLines(bytes, &t);
    QCOMPARE(t.utf8, utf8);
    // The text "抜かな" in UTF-8 would decode as Shift_JIS: it must not come through as that nonsense.
    if (utf8)
        QCOMPARE(t.badLines, QList<int>{1});
}

void TestDamagedFiles::damagedLineNumbersInMessage() {
    QTemporaryDir dir;
    QList<QByteArray> ls;
    for (int i = 1; i <= 30; ++i)
        ls << (i % 3 == 0 ? QByteArray("broken") : sj(kLog1));
    QFile f(dir.filePath(kPlayLogFile));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lines(ls));
    f.close();
    const PlayLogData log = readPlayLog(dir.path());
    QCOMPARE(log.records.size(), 20);
    QCOMPARE(log.problems.size(), 10);
    const QString msg = problemsMessage(kPlayLogFile, log.problems);
    QVERIFY2(msg.contains(QStringLiteral("3, 6, 9, 12, 15, 18, 21, 24, 27, 30 行目")), qPrintable(msg));
}

void TestDamagedFiles::lossyDecodeOfLongBadRun() {
    // A megabyte of bytes that are not Shift_JIS: one replacement each, in linear time.
    const QByteArray bad(1 << 20, '\xFF');
    QElapsedTimer timer;
    timer.start();
    const QString text = sjis::decodeLossy(bad + "ok");
    QVERIFY(timer.elapsed() < 20000);
    QCOMPARE(text.size(), (1 << 20) + 2);
    QCOMPARE(text.back(), QChar(u'k'));
    QCOMPARE(text.front(), QChar(QChar::ReplacementCharacter));
    QCOMPARE(sjis::decodeLossy("\x82\xA0\x82"), QStringLiteral("あ") + QChar(QChar::ReplacementCharacter));
}

QTEST_GUILESS_MAIN(TestDamagedFiles)
#include "tst_damaged_files.moc"
