#include "core/base/number_format.h"
#include "core/export/export_tool.h"
#include "core/log/app_state.h"
#include "core/log/daily_goal.h"
#include "core/log/play_log.h"
#include "gui/app/main_window.h"
#include "gui/games/common/game_window.h"
#include "gui/games/game_launcher_window.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace mirute;

namespace {

struct Printed {
    int status = 0;
    QString out, err;
};

Printed runTool(const QStringList &args) {
    Printed p;
    QTextStream out(&p.out), err(&p.err);
    p.status = runExport(args, out, err);
    return p;
}

QString csvOf(const QList<QStringList> &rows) {
    QString text;
    for (const QStringList &r : rows)
        text += csvLine(r) + u'\n';
    return text;
}

// A small log: three plays over two days, one diary with a comma and a quote-free Japanese text.
void writeSmallLog(const QString &dir) {
    appendPlayLine(dir,
                   gamePlayLine("2026/12/05", "09:59:59", "抜かな", 60, "秒数 : 60   答数 : 25  反応時間  0.85秒"));
    appendPlayLine(dir, gamePlayLine("2026/12/06", "18:30:05", "座標", 23.4, "よくできた, また明日"));
    appendPlayLine(dir, gamePlayLine("2026/12/06", "20:00:00", "ランプ", 180.28, "x"));
    appendLine(dir, "抜かな履歴.txt", R"("2026/12/05","09:59:59",25,20,5,0.85,"80.0%","0.42/秒","60秒")");
    appendLine(dir, "抜かな履歴.txt", R"("2026/12/06","10:00:00",10,10,0,0.5,"100.0%","0.43/秒","23.4秒")");
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void csvQuoting_data();
    void csvQuoting();
    void historyMatchesTheGameWindow_data();
    void historyMatchesTheGameWindow();
    void weakMatchesTheGameWindow();
    void diaryMatchesThePanel();
    void panelGridsMatch_data();
    void panelGridsMatch();
    void chartsMatch_data();
    void chartsMatch();
    void dayMatchesTheMainPanel();
    void legendMatchesTheCalendar();
    void streaksMatchTheMainPanel();
    void rangeMatchesThePanel_data();
    void rangeMatchesThePanel();
    void listAndTotalsMatchThePanels_data();
    void listAndTotalsMatchThePanels();
    void errors_data();
    void errors();
    void helpNamesEveryView();
    void folderNameNotUtf8();
    void realProgramPrintsUtf8();

private:
    QTemporaryDir m_dir;
    test::FakeClock m_clock{QDateTime(QDate(2026, 12, 6), QTime(21, 0))};
};

void TestExport::init() {
    QDir(m_dir.path()).removeRecursively();
    QDir().mkpath(m_dir.path());
    writeSmallLog(m_dir.path());
    setAppClock(&m_clock);
    MessageDialog::setAutoAnswer(true);
    appState() = AppState{};
    appState().firstStartDone = true;
}

void TestExport::csvQuoting_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << QStringList{"a", "", "1.5"} << "a,,1.5";
    QTest::newRow("comma") << QStringList{"よく, できた"} << "\"よく, できた\"";
    QTest::newRow("quote") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"";
    QTest::newRow("line break") << QStringList{"a\nb"} << "\"a\nb\"";
    QTest::newRow("formula") << QStringList{"=1+2", "-3"} << "'=1+2,-3";
}

void TestExport::csvQuoting() {
    QFETCH(QStringList, cells);
    QFETCH(QString, line);
    QCOMPARE(csvLine(cells), line);
    QCOMPARE(csvLine(cells, true), QString(line).remove(u'\'')); // --raw: no apostrophe before a formula
}

void TestExport::historyMatchesTheGameWindow_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("rows");
    QTest::newRow("all") << QStringList{} << QString() << QString() << 3;
    QTest::newRow("60 seconds") << QStringList{"--seconds", "60"} << "cboJikan2"
                                << "60" << 2;
    QTest::newRow("10 answers") << QStringList{"--answers", "10"} << "cboKaisu2"
                                << "10" << 2;
}

void TestExport::historyMatchesTheGameWindow() {
    QFETCH(QStringList, options);
    QFETCH(QString, combo);
    QFETCH(QString, value);
    QFETCH(int, rows);
    test::writeSjis(m_dir.path(), "抜かな辞書.TXT", "あいうえお\r\n");
    QString error;
    std::unique_ptr<QWidget> window(createGameWindow(1, m_dir.path(), &error, [] {}));
    QVERIFY2(window, qPrintable(error));
    auto *list = window->findChild<GridWidget *>("msgRireki");
    if (!combo.isEmpty()) {
        auto *box = window->findChild<QComboBox *>(combo);
        box->setFocus();
        box->setCurrentIndex(box->findText(value) - 1);
        QTest::keyClick(box, Qt::Key_Down);
    }
    QCOMPARE(list->grid().rows(), rows);
    const Printed p = runTool(QStringList{"--dir", m_dir.path(), "history", "抜かな"} + options);
    QCOMPARE(p.status, 0);
    QCOMPARE(p.out, csvOf(list->grid().allRows()));
}

// The 苦手 view through its real buttons, in place of the history list, and the same table printed.
void TestExport::weakMatchesTheGameWindow() {
    test::writeSjis(m_dir.path(), "抜かな辞書.TXT", "あいうえお\r\n");
    test::writeSjis(m_dir.path(), "抜かな解答.txt",
                    "\"2026/12/05\",\"09:59:59\",\"い\",\"う\",\"不正解\",1.2\r\n"
                    "\"2026/12/06\",\"10:00:00\",\"あ\",\"あ\",\"正解\",0.5\r\n"
                    "\"2026/12/06\",\"10:00:00\",\"い\",\"い\",\"正解\",0.9\r\n");
    QString error;
    std::unique_ptr<QWidget> window(createGameWindow(1, m_dir.path(), &error, [] {}));
    QVERIFY2(window, qPrintable(error));
    auto *weak = window->findChild<GridWidget *>("msgNigate");
    auto *plays = window->findChild<QComboBox *>("cboNigateKaisu");
    QTest::mouseClick(window->findChild<QPushButton *>("cmdNigateGotou"), Qt::LeftButton);
    auto shown = [&window](QWidget *w) { return w->isVisibleTo(window.get()); };
    QVERIFY(!shown(window->findChild<GridWidget *>("msgRireki")) && shown(weak));
    plays->setFocus();
    plays->setCurrentIndex(plays->findText("10回") - 1);
    QTest::keyClick(plays, Qt::Key_Down);
    QCOMPARE(weak->grid().rowTexts(1), (QStringList{"1", "い", "2", "1", "50.0%", "1.05"}));
    QCOMPARE(weak->grid().rows(), 3);
    const Printed p = runTool({"--dir", m_dir.path(), "weak", "抜かな", "--plays", "10"});
    QCOMPARE(p.status, 0);
    QCOMPARE(p.out, csvOf(weak->grid().allRows()));
    QCOMPARE(runTool({"--dir", m_dir.path(), "weak", "抜かな", "--plays", "1"}).out.count(u'\n'), 3);
    // 苦手練習 and the plays are kept beside the answers; a chart button brings the history back.
    window->findChild<QCheckBox *>("chkNigate")->click();
    QCOMPARE(test::readSjis(m_dir.path(), "抜かな苦手設定.txt"), QStringLiteral("1,10\r\n"));
    QTest::mouseClick(window->findChild<QPushButton *>("cmdByou"), Qt::LeftButton);
    QVERIFY(!shown(weak) && shown(window->findChild<GridWidget *>("msgRireki")));
}

void TestExport::diaryMatchesThePanel() {
    MainWindow main(m_dir.path());
    main.startUp();
    QTest::mouseClick(main.button("cmdMemo"), Qt::LeftButton);
    auto *grid = main.findChild<GridWidget *>("msgMemoList");
    QVERIFY(grid);
    QCOMPARE(grid->grid().rows(), 4);
    const Printed p = runTool({"--dir", m_dir.path(), "diary"});
    QCOMPARE(p.status, 0);
    QCOMPARE(p.out, csvOf(grid->grid().allRows()));
    QVERIFY(p.out.contains(QStringLiteral("\"よくできた, また明日\"")));
    QCOMPARE(runTool({"--dir", m_dir.path(), "--raw", "diary"}).out, p.out);
}

void TestExport::panelGridsMatch_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("grid");
    QTest::newRow("plays") << "plays"
                           << "cmdRentai"
                           << "msgDayList2";
    QTest::newRow("games") << "games"
                           << "cmdRentai"
                           << "msgDayTotal2";
    QTest::newRow("days") << "days"
                          << "cmdRentai"
                          << "msgDayList3";
    QTest::newRow("calendar-month") << "calendar-month"
                                    << "cmdCale"
                                    << "msgCale";
    QTest::newRow("calendar-week") << "calendar-week"
                                   << "cmdCale"
                                   << "msgCale_w";
    QTest::newRow("weekly") << "weekly 抜かな"
                            << "cmdSyuu"
                            << "msgSyuu";
}

void TestExport::panelGridsMatch() {
    QFETCH(QString, view);
    QFETCH(QString, button);
    QFETCH(QString, grid);
    MainWindow main(m_dir.path());
    main.startUp();
    QTest::mouseClick(main.button(button), Qt::LeftButton);
    auto *shown = main.findChild<GridWidget *>(grid);
    QVERIFY(shown);
    QVERIFY(shown->grid().rows() > 1);
    const Printed p = runTool(QStringList{"--dir", m_dir.path()} + view.split(u' '));
    QCOMPARE(p.status, 0);
    QCOMPARE(p.out, csvOf(shown->grid().allRows()));
}

void TestExport::chartsMatch_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("chart2");
    QTest::newRow("hours") << "hours"
                           << "cmdJikan2"
                           << "mcrMain2"
                           << "mcrMain3";
    QTest::newRow("weekdays") << "weekdays"
                              << "cmdCale"
                              << "mcrKensu"
                              << "mcrKingaku";
}

void TestExport::chartsMatch() {
    QFETCH(QString, view);
    QFETCH(QString, button);
    QFETCH(QString, chart);
    QFETCH(QString, chart2);
    MainWindow main(m_dir.path());
    main.startUp();
    QTest::mouseClick(main.button(view == "hours" ? "cmdRentai" : "cmdCale"), Qt::LeftButton);
    if (view == "hours")
        QTest::mouseClick(main.findChild<QPushButton *>(button), Qt::LeftButton);
    auto *first = main.findChild<ChartWidget *>(chart);
    auto *second = main.findChild<ChartWidget *>(chart2);
    QVERIFY(first && second);
    const ChartData &data = view == "hours" && !first->isVisibleTo(&main) ? second->data() : first->data();
    QStringList expected;
    for (int row = 1; row <= data.rowCount(); ++row) {
        QStringList cells{data.rowLabel(row), formatNumber(data.value(row))};
        if (view == "weekdays")
            cells << formatNumber(second->data().value(row));
        expected << csvLine(cells);
    }
    const Printed p = runTool({"--dir", m_dir.path(), view});
    QCOMPARE(p.status, 0);
    QStringList lines = p.out.split(u'\n', Qt::SkipEmptyParts);
    lines.removeFirst();
    QCOMPARE(lines, expected);
    QCOMPARE(lines.size(), view == "hours" ? 24 : 7);
    if (view == "hours") // the play at 09:59:59 counts in hour 9
        QCOMPARE(lines[9], QStringLiteral(" 9,60"));
}

void TestExport::dayMatchesTheMainPanel() {
    MainWindow main(m_dir.path());
    main.startUp();
    auto *list = main.findChild<GridWidget *>("msgDayList");
    auto *totals = main.findChild<GridWidget *>("msgDayTotal");
    QCOMPARE(list->grid().rows(), 3);
    Printed p = runTool({"--dir", m_dir.path(), "day", "--date", "2026/12/06"});
    QCOMPARE(p.out, csvOf(list->grid().allRows()));
    p = runTool({"--dir", m_dir.path(), "day-totals", "--date", "2026/12/06"});
    const QString last = csvLine({QStringLiteral("合計"), main.findChild<QLabel *>("lblDayTotal")->text(),
                                  main.findChild<QLabel *>("lblMHyouka")->text()});
    QCOMPARE(p.out, csvOf(totals->grid().allRows()) + last + u'\n');
    QVERIFY(last.endsWith(QStringLiteral("2 種類の脳刺激")));
    // An empty log reads 0:00:00.
    QTemporaryDir empty;
    p = runTool({"--dir", empty.path(), "day-totals", "--date", "2026/12/06"});
    QVERIFY(p.out.endsWith(QStringLiteral("合計,0:00:00,今日の脳も健康元気\n")));
}

void TestExport::legendMatchesTheCalendar() {
    MainWindow main(m_dir.path());
    main.startUp();
    QTest::mouseClick(main.button("cmdCale"), Qt::LeftButton);
    QString expected = QStringLiteral("凡例\n");
    for (int i = 0; i <= 6; ++i) {
        auto *label = main.findChild<QLabel *>(QStringLiteral("lblHan_%1").arg(i));
        QVERIFY(label);
        expected += csvLine({label->text()}) + u'\n';
    }
    const Printed p = runTool({"--dir", m_dir.path(), "calendar-legend"});
    QCOMPARE(p.out, expected);
}

void TestExport::streaksMatchTheMainPanel() {
    // Plays on 5 and 6 December 2026 (one, then two), today (the clock) 6 December.
    MainWindow main(m_dir.path());
    main.startUp();
    const QString current = main.findChild<QLabel *>("lblStreak")->text();
    const QString longest = main.findChild<QLabel *>("lblLongestStreak")->text();
    QCOMPARE(current, QStringLiteral("連続 2 日"));
    const QString header = QStringLiteral("current,longest,longest_from,longest_to,goal,rest_days\n");
    Printed p = runTool({"--dir", m_dir.path(), "streaks", "--today", "2026/12/06"});
    QCOMPARE(p.status, 0);
    QCOMPARE(p.out, header + QStringLiteral("%1,%2,2026/12/05,2026/12/06,なし,0\n")
                                 .arg(current.section(u' ', 1, 1), longest.section(u' ', 1, 1)));
    p = runTool({"--dir", m_dir.path(), "streaks", "--today", "2026/12/08"});
    QCOMPARE(p.out, header + QStringLiteral("0,2,2026/12/05,2026/12/06,なし,0\n"));
    QTemporaryDir empty;
    p = runTool({"--dir", empty.path(), "streaks", "--today", "2026/12/06"});
    QCOMPARE(p.out, header + QStringLiteral("0,0,,,なし,0\n"));

    // The goal of "目標.txt" counts only 6 December; the options stand in for the file.
    QVERIFY(writeDailyGoal(m_dir.path(), {GoalMeasure::Plays, 2, 1}).ok());
    MainWindow withGoal(m_dir.path());
    withGoal.startUp();
    QCOMPARE(withGoal.findChild<QLabel *>("lblStreak")->text(), QStringLiteral("連続 1 日"));
    p = runTool({"--dir", m_dir.path(), "streaks", "--today", "2026/12/07"});
    QCOMPARE(p.out, header + QStringLiteral("1,1,2026/12/06,2026/12/06,2回,1\n"));
    p = runTool({"--dir", m_dir.path(), "goal-days", "--today", "2026/12/06", "--goal", "3分"});
    QCOMPARE(p.out, QStringLiteral("date,seconds,plays,games,goal_met\n2026/12/05,60,1,1,0\n2026/12/06,203,2,2,1\n"));
    test::writeSjis(m_dir.path(), kGoalFile, "\"目標\",\"分\",0,\"週の休み\",1\r\n");
    p = runTool({"--dir", m_dir.path(), "streaks", "--today", "2026/12/06", "--rest", "0"});
    QCOMPARE(p.status, 1);
    QVERIFY2(p.err.contains(kGoalFile), qPrintable(p.err));
    p = runTool({"--dir", m_dir.path(), "streaks", "--today", "2026/12/06", "--rest", "0", "--goal", "なし"});
    QCOMPARE(p.out, header + QStringLiteral("2,2,2026/12/05,2026/12/06,なし,0\n"));
}

void TestExport::rangeMatchesThePanel_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("weekday");
    QTest::newRow("a week") << "cmdKikan2" << QString() << -1;
    QTest::newRow("saturdays") << "cmdWeek_6" << QString() << 6;
    QTest::newRow("key") << QString() << QStringLiteral("ラン") << -1;
}

void TestExport::rangeMatchesThePanel() {
    QFETCH(QString, button);
    QFETCH(QString, key);
    QFETCH(int, weekday);
    MainWindow main(m_dir.path());
    main.startUp();
    QTest::mouseClick(main.button("cmdTaijyu"), Qt::LeftButton);
    if (!button.isEmpty()) {
        auto *b = main.findChild<QPushButton *>(button);
        QVERIFY2(b, qPrintable(button));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    if (!key.isEmpty()) {
        auto *box = main.findChild<QLineEdit *>("txtKey");
        box->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(key);
        QApplication::sendEvent(box, &commit);
        QTest::keyClick(box, Qt::Key_Return);
    }
    QStringList conditions{"--from", main.findChild<QComboBox *>("cboStdate")->currentText(), "--to",
                           main.findChild<QComboBox *>("cboEddate")->currentText()};
    if (!key.isEmpty())
        conditions << "--key" << key;
    if (weekday >= 0)
        conditions << "--weekday" << QString::number(weekday);
    Printed p = runTool(QStringList{"--dir", m_dir.path(), "range"} + conditions);
    QCOMPARE(p.status, 0);
    QCOMPARE(p.out, csvOf(main.findChild<GridWidget *>("msgBunseki")->grid().allRows()));
    QVERIFY(main.findChild<GridWidget *>("msgBunseki")->grid().rows() > 1);
    p = runTool(QStringList{"--dir", m_dir.path(), "range-totals"} + conditions);
    QCOMPARE(p.out, csvOf(main.findChild<GridWidget *>("msgBunseki2")->grid().allRows()));
}

void TestExport::listAndTotalsMatchThePanels_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("grid");
    QTest::newRow("list") << "cmdBunseki" << QString() << QStringList{"list"} << "msgIchiran";
    QTest::newRow("months in time") << "cmdSyuukei"
                                    << "optList2_0" << QStringList{"totals-month", "--measure", "time"} << "msgKakei1";
    QTest::newRow("days in counts") << "cmdSyuukei"
                                    << "optList2_1" << QStringList{"totals-day", "--measure", "count"} << "msgKakei2";
    QTest::newRow("days in both") << "cmdSyuukei"
                                  << "optList2_2" << QStringList{"totals-day", "--measure", "both"} << "msgKakei2";
}

void TestExport::listAndTotalsMatchThePanels() {
    QFETCH(QString, button);
    QFETCH(QString, option);
    QFETCH(QStringList, args);
    QFETCH(QString, grid);
    MainWindow main(m_dir.path());
    main.startUp();
    QTest::mouseClick(main.button(button), Qt::LeftButton);
    if (!option.isEmpty()) {
        auto *o = main.findChild<QRadioButton *>(option);
        QVERIFY(o);
        QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2));
        QVERIFY(o->isChecked());
    }
    const Printed p = runTool(QStringList{"--dir", m_dir.path()} + args);
    QCOMPARE(p.status, 0);
    QCOMPARE(p.out, csvOf(main.findChild<GridWidget *>(grid)->grid().allRows()));
}

void TestExport::errors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("said"); // one line for each mistake, each naming it
    QTest::newRow("no view") << QStringList{} << QStringList{"使い方"};
    QTest::newRow("unknown view") << QStringList{"nosuch"} << QStringList{"nosuch"};
    QTest::newRow("unknown option") << QStringList{"diary", "--colour", "red"} << QStringList{"--colour"};
    QTest::newRow("option of another view") << QStringList{"list", "--date", "2026/12/06"} << QStringList{"--date"};
    QTest::newRow("option twice") << QStringList{"day", "--date", "2026/12/06", "--date", "2026/12/07"}
                                  << QStringList{"--date"};
    QTest::newRow("option without its value") << QStringList{"day", "--date"} << QStringList{"--date の値がありません"};
    QTest::newRow("missing folder") << QStringList{"--dir", "/nonexistent/folder", "diary"}
                                    << QStringList{"/nonexistent/folder"};
    QTest::newRow("bad today") << QStringList{"diary", "--today", "2026/13/45"} << QStringList{"--today"};
    QTest::newRow("30 February") << QStringList{"day", "--date", "2026/02/30"} << QStringList{"2026/02/30"};
    QTest::newRow("five-digit year") << QStringList{"day", "--date", "99999/01/01"} << QStringList{"99999/01/01"};
    QTest::newRow("missing date") << QStringList{"day-totals"} << QStringList{"--date"};
    QTest::newRow("bad weekday") << QStringList{"range", "--from", "2026/01/01", "--to", "2026/12/31", "--weekday", "7"}
                                 << QStringList{"--weekday"};
    QTest::newRow("bad measure") << QStringList{"totals-day", "--measure", "money"} << QStringList{"--measure"};
    QTest::newRow("goal of no unit") << QStringList{"streaks", "--goal", "15"} << QStringList{"--goal"};
    QTest::newRow("rest beyond 3") << QStringList{"goal-days", "--rest", "4"} << QStringList{"--rest"};
    QTest::newRow("unknown game") << QStringList{"history", "テトリス"} << QStringList{"抜かな"};
    QTest::newRow("no game") << QStringList{"history"} << QStringList{"ゲーム名"};
    QTest::newRow("answers not a number")
        << QStringList{"history", "抜かな", "--answers", "abc"} << QStringList{"--answers"};
    QTest::newRow("negative answers") << QStringList{"history", "抜かな", "--answers", "-1"} << QStringList{"-1"};
    QTest::newRow("empty seconds") << QStringList{"history", "抜かな", "--seconds", ""} << QStringList{"--seconds"};
    QTest::newRow("extra arguments") << QStringList{"diary", "one", "two"} << QStringList{"one", "two"};
    QTest::newRow("extra after the game") << QStringList{"history", "抜かな", "座標"} << QStringList{"座標"};
    QTest::newRow("every mistake at once")
        << QStringList{"range", "--from", "2024/02/30", "--to", "99999/01/01", "--weekday", "x", "extra"}
        << QStringList{"2024/02/30", "99999/01/01", "--weekday", "extra"};
}

// Through the real program: a command line with mistakes prints nothing, exits with 2 and names each one.
void TestExport::errors() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, said);
    if (!args.contains("--dir"))
        args = QStringList{"--dir", m_dir.path()} + args;
    QProcess tool;
    tool.start(QStringLiteral(MIRUTE_EXPORT_BIN), args);
    QVERIFY(tool.waitForFinished(20000));
    QCOMPARE(tool.exitCode(), 2);
    QVERIFY(tool.readAllStandardOutput().isEmpty());
    const QStringList lines = QString::fromUtf8(tool.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), said.size());
    for (qsizetype i = 0; i < said.size(); ++i)
        QVERIFY2(lines[i].contains(said[i]), qPrintable(lines[i]));
}

void TestExport::helpNamesEveryView() {
    QProcess tool;
    tool.start(QStringLiteral(MIRUTE_EXPORT_BIN), {"--help"});
    QVERIFY(tool.waitForFinished(20000));
    QCOMPARE(tool.exitCode(), 0);
    QVERIFY(tool.readAllStandardError().isEmpty());
    const QString usage = QString::fromUtf8(tool.readAllStandardOutput());
    QVERIFY(exportViews().size() >= 17);
    for (const QString &view : exportViews().keys())
        QVERIFY2(usage.contains(QStringLiteral("\n  ") + view), qPrintable(view));
    for (const char *option : {"--dir", "--today", "--date", "--from", "--weekday", "--measure", "--seconds"})
        QVERIFY2(usage.contains(QLatin1String(option)), option);
}

// A folder named in Shift_JIS on a UTF-8 system: its name has no Unicode form, but the folder is read.
void TestExport::folderNameNotUtf8() {
    const QByteArray name("\x83\x66\x81\x5B\x83\x5E"); // データ in Shift_JIS
    const QByteArray folder = QFile::encodeName(m_dir.path()) + '/' + name;
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    const QByteArray log = QFile::encodeName(m_dir.filePath(kPlayLogFile));
    QCOMPARE(::link(log.constData(), (folder + '/' + QFile::encodeName(kPlayLogFile)).constData()), 0);
    // The bytes reach the program as they are only through a shell: Qt would pass them as Unicode.
    QProcess tool;
    tool.start(QStringLiteral("/bin/sh"),
               {QStringLiteral("-c"), QStringLiteral("exec \"$0\" --dir \"$1$(printf '\\203f\\201[\\203^')\" list"),
                QStringLiteral(MIRUTE_EXPORT_BIN), m_dir.path() + u'/'});
    QVERIFY(tool.waitForFinished(20000));
    const int status = tool.exitCode();
    // Qt cannot name the folder either, to remove it.
    ::unlink((folder + '/' + QFile::encodeName(kPlayLogFile)).constData());
    ::rmdir(folder.constData());
    QVERIFY2(status == 0, tool.readAllStandardError().constData());
    QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()).count(u'\n'), 4);
}

void TestExport::realProgramPrintsUtf8() {
    // A damaged log line stops the export with the file and the line.
    appendPlayLine(m_dir.path(), "\"2026/12/07\",\"10:00:00\",\"抜かな\",abc,\"x\",");
    QProcess tool;
    tool.start(QStringLiteral(MIRUTE_EXPORT_BIN), {"--dir", m_dir.path(), "diary"});
    QVERIFY(tool.waitForFinished(20000));
    QCOMPARE(tool.exitCode(), 1);
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("データ.txt")) && err.contains(QStringLiteral("4 行目")), qPrintable(err));

    QProcess ok;
    ok.start(QStringLiteral(MIRUTE_EXPORT_BIN), {"--dir", m_dir.path(), "history", "抜かな"});
    QVERIFY(ok.waitForFinished(20000));
    QCOMPARE(ok.exitCode(), 0);
    const QByteArray bytes = ok.readAllStandardOutput();
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF")); // no byte-order mark
    QVERIFY(!bytes.contains("\r\n"));
    QVERIFY(QString::fromUtf8(bytes).startsWith(QStringLiteral("回,日付,時間,答数")));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
