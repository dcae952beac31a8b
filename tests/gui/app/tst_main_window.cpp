#include "core/base/clock.h"
#include "core/base/sjis.h"
#include "core/base/text_file.h"
#include "core/games/game_registry.h"
#include "core/log/app_state.h"
#include "core/log/play_log.h"
#include "core/tables/grid.h"
#include "core/views/help_texts.h"
#include "gui/app/app_controller.h"
#include "gui/app/application.h"
#include "gui/app/help_viewer_window.h"
#include "gui/app/main_window.h"
#include "gui/panels/day_panel.h"
#include "gui/panels/log_panel.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/help_tour_dialog.h"
#include "gui/widgets/message_dialog.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/test_files.h"
#include "support/window_helpers.h"

using namespace mirute;
using mirute::test::sjisBytes;

namespace {

class FixedClock : public Clock {
public:
    explicit FixedClock(const QDateTime &now) : m_now(now) {}
    double seconds() const override { return m_now.time().msecsSinceStartOfDay() / 1000.0; }
    QDateTime now() const override { return m_now; }

private:
    QDateTime m_now;
};

const QDate kToday(2026, 12, 6);

QByteArray fileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpReadsTourFlagWithoutWriting_data();
    void startUpReadsTourFlagWithoutWriting();
    void userClickWritesFlagOnce();
    void welcomeOnlyAtFirstStartWithTourOn_data();
    void welcomeOnlyAtFirstStartWithTourOn();
    void visiblePanelButtonDoesNothing();
    void everyPanelTellsDamagedLinesOnOpening();
    void reopenedPanelsDrawTheirChartsAgain();
    void weeklyScoresFollowTheChosenGameAndLimit();
    void gameButtonReturnsToToday();
    void gameButtonWithEmptyLogKeepsDate();
    void helpOpensAndQuitClosesIt();
    void windowsOpenWhereTheyWereLeft();
    void qtTextsInJapanese();
    void valueLabelsReadTheirValues();
    void helpTourBreaksOnlyItsOwnLines_data();
    void helpTourBreaksOnlyItsOwnLines();
    void unusableDataFolderToldInAWindow();

private:
    std::unique_ptr<MainWindow> startWindow();
    QString settingsPath() const { return m_dir->filePath(kSettingsFile); }
    void addPlay(const QString &date, const QString &time, const QString &game, double seconds);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FixedClock> m_clock;
};

void TestMainWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_clock = std::make_unique<FixedClock>(QDateTime(kToday, QTime(14, 30, 0)));
    setAppClock(m_clock.get());
    MessageDialog::setAutoAnswer(true);
    MessageDialog::clearShown();
    appState() = AppState{};
    appState().firstStartDone = true; // the welcome tour has its own test
    QVERIFY(writeBytes(settingsPath(), sjisBytes(QStringLiteral("\"ヘルプツアー\",0\r\n"))));
}

void TestMainWindow::cleanup() {
    closeAllHelpWindows();
    setAppClock(nullptr);
    MessageDialog::setAutoAnswer(false);
    m_dir.reset();
}

std::unique_ptr<MainWindow> TestMainWindow::startWindow() {
    auto w = std::make_unique<MainWindow>(m_dir->path());
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->startUp();
    return w;
}

void TestMainWindow::addPlay(const QString &date, const QString &time, const QString &game, double seconds) {
    QVERIFY(appendPlayLine(m_dir->path(), gamePlayLine(date, time, game, seconds, QStringLiteral("x"))).ok());
}

void TestMainWindow::startUpReadsTourFlagWithoutWriting_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("checked");
    // Blanks the program never writes: a rewrite of the file would be seen in its bytes.
    QTest::newRow("on") << "\"ヘルプツアー\", 1 \r\n" << true;
    QTest::newRow("off") << "\"ヘルプツアー\", 0 \r\n" << false;
}

void TestMainWindow::startUpReadsTourFlagWithoutWriting() {
    QFETCH(QString, line);
    QFETCH(bool, checked);
    const QByteArray before = sjisBytes(line);
    QVERIFY(writeBytes(settingsPath(), before));
    auto w = startWindow();
    auto *helpTourBox = w->findChild<QCheckBox *>(QStringLiteral("chkHelp"));
    QVERIFY(helpTourBox);
    QCOMPARE(helpTourBox->isChecked(), checked);
    QCOMPARE(appState().helpTourFlag, checked ? 1 : 0);
    QCOMPARE(fileBytes(settingsPath()), before);
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアーＯＮ")), 0);
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアーＯＦＦ")), 0);
    QVERIFY(!w->state().loading);
}

void TestMainWindow::userClickWritesFlagOnce() {
    auto w = startWindow();
    auto *helpTourBox = w->findChild<QCheckBox *>(QStringLiteral("chkHelp"));
    QVERIFY(!helpTourBox->isChecked());
    QTest::mouseClick(helpTourBox, Qt::LeftButton);
    QCOMPARE(MessageDialog::shown().size(), 1);
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアーＯＮ"), QStringLiteral("ヘルプツアー機能をオンにします。")),
             1);
    QCOMPARE(MessageDialog::shown().first().icon, QMessageBox::Information);
    QCOMPARE(fileBytes(resolveFile(m_dir->path(), kSettingsFile)), sjisBytes("\"ヘルプツアー\",1\r\n"));
    QCOMPARE(appState().helpTourFlag, 1);
    QTest::mouseClick(helpTourBox, Qt::LeftButton);
    QCOMPARE(MessageDialog::shown().size(), 2);
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアーＯＦＦ"), QStringLiteral("ヘルプツアー機能をオフにします。")),
             1);
    QCOMPARE(fileBytes(resolveFile(m_dir->path(), kSettingsFile)), sjisBytes("\"ヘルプツアー\",0\r\n"));
    QCOMPARE(appState().helpTourFlag, 0);
}

void TestMainWindow::welcomeOnlyAtFirstStartWithTourOn_data() {
    QTest::addColumn<bool>("firstStartDone");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("welcome");
    QTest::newRow("first start, tour on") << false << 1 << true;
    QTest::newRow("first start, tour off") << false << 0 << false;
    QTest::newRow("back from a game, tour on") << true << 1 << false;
}

void TestMainWindow::welcomeOnlyAtFirstStartWithTourOn() {
    QFETCH(bool, firstStartDone);
    QFETCH(int, flag);
    QFETCH(bool, welcome);
    QVERIFY(writeBytes(settingsPath(), sjisBytes(QStringLiteral("\"ヘルプツアー\",%1\r\n").arg(flag))));
    appState().firstStartDone = firstStartDone;
    auto w = startWindow();
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアー"), helptexts::welcome()), welcome ? 1 : 0);
    QCOMPARE(MessageDialog::shown().size(), welcome ? 1 : 0);
    QVERIFY(appState().firstStartDone);
    // A second start-up in the same run (a return from a game) never welcomes again.
    MessageDialog::clearShown();
    w.reset();
    auto again = startWindow();
    QCOMPARE(MessageDialog::shown().size(), 0);
    QCOMPARE(again->visiblePanel(), static_cast<LogPanel *>(again->dayPanel()));
}

void TestMainWindow::visiblePanelButtonDoesNothing() {
    QVERIFY(writeBytes(settingsPath(), sjisBytes("\"ヘルプツアー\",1\r\n")));
    addPlay("2026/12/06", "09:00:00", "抜かな", 60);
    auto w = startWindow();
    QCOMPARE(w->visiblePanel(), static_cast<LogPanel *>(w->dayPanel()));
    auto *dayList = w->dayPanel()->findChild<GridWidget *>(QStringLiteral("msgDayList"));
    QCOMPARE(dayList->grid().rows(), 2);

    QTest::mouseClick(w->button(QStringLiteral("cmdMemo")), Qt::LeftButton);
    QCOMPARE(w->visiblePanel(), w->panel(QStringLiteral("fraMemo")));
    const int tours = test::countShown(QStringLiteral("ヘルプツアー"));
    QCOMPARE(tours, 1);
    QTest::mouseClick(w->button(QStringLiteral("cmdMemo")), Qt::LeftButton);
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアー")), tours);
    QCOMPARE(w->visiblePanel(), w->panel(QStringLiteral("fraMemo")));

    // "メイン" only shows the main panel: a play added meanwhile appears at its next rebuild, not now.
    addPlay("2026/12/06", "10:00:00", "抜数字", 30);
    QTest::mouseClick(w->button(QStringLiteral("cmdMain")), Qt::LeftButton);
    QCOMPARE(w->visiblePanel(), static_cast<LogPanel *>(w->dayPanel()));
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアー")), tours);
    QCOMPARE(dayList->grid().rows(), 2);
    QTest::mouseClick(w->button(QStringLiteral("cmdMain")), Qt::LeftButton);
    QCOMPARE(dayList->grid().rows(), 2);
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアー")), tours);
}

void TestMainWindow::everyPanelTellsDamagedLinesOnOpening() {
    addPlay("2026/12/06", "09:00:00", "抜かな", 60);
    QFile log(resolveFile(m_dir->path(), kPlayLogFile));
    QVERIFY(log.open(QIODevice::Append));
    log.write(sjisBytes(QStringLiteral("\"2026/12/06\",\"10:00:00\",\"ランプ\",oops,\"x\",\r\n")));
    log.close();
    addPlay("2026/12/06", "11:00:00", "座標", 20);
    const auto warnings = [] {
        return int(std::count_if(MessageDialog::shown().cbegin(), MessageDialog::shown().cend(), [](const auto &s) {
            return s.icon == QMessageBox::Warning && s.text.startsWith(QStringLiteral("「データ.txt」の 2 行目"));
        }));
    };
    auto w = startWindow();
    QCOMPARE(warnings(), 1);
    int told = 1;
    for (const char *button :
         {"cmdRentai", "cmdTaijyu", "cmdBunseki", "cmdSyuukei", "cmdCale", "cmdMemo", "cmdSettei"}) {
        QTest::mouseClick(w->button(QString::fromLatin1(button)), Qt::LeftButton);
        QVERIFY2(warnings() == ++told, button);
    }
    // The two sound plays are shown all the same.
    QCOMPARE(w->dayPanel()->findChild<GridWidget *>(QStringLiteral("msgDayList"))->grid().rows(), 3);
}

// A panel put away gives back the memory of its lists and charts; opened again, it shows what it showed.
void TestMainWindow::reopenedPanelsDrawTheirChartsAgain() {
    addPlay("2026/12/01", "09:00:00", "抜かな", 60);
    addPlay("2026/12/05", "10:00:00", "座標", 20);
    addPlay("2026/12/06", "11:00:00", "ランプ", 45);
    auto w = startWindow();
    const auto shownCharts = [&w] {
        QList<QList<double>> values;
        for (ChartWidget *chart : w->visiblePanel()->findChildren<ChartWidget *>())
            if (chart->isVisible())
                values.append(chart->data().columnValues(1));
        return values;
    };
    for (const char *button : {"cmdRentai", "cmdTaijyu", "cmdCale"}) {
        QTest::mouseClick(w->button(QString::fromLatin1(button)), Qt::LeftButton);
        const QList<QList<double>> first = shownCharts();
        QVERIFY2(!first.isEmpty() && first.constFirst().size() > 1, button);
        QTest::mouseClick(w->button(QStringLiteral("cmdMain")), Qt::LeftButton);
        QTest::mouseClick(w->button(QString::fromLatin1(button)), Qt::LeftButton);
        QVERIFY2(shownCharts() == first, button);
    }
}

// 週別スコア: a game chosen shows its most played mode and limit, another limit chosen its own weeks; a damaged line
// of the history is told once, when the game is chosen.
void TestMainWindow::weeklyScoresFollowTheChosenGameAndLimit() {
    appendLine(m_dir->path(), "抜かな履歴.txt", R"("2026/12/01","10:00:00",25,20,5,0.85,"80.0%","0.42/秒","60秒")");
    appendLine(m_dir->path(), "座標履歴.txt", R"("2026/11/20","10:00:00",27,27,0,54,"100.0%","2.00/秒","13.5秒")");
    appendLine(m_dir->path(), "座標履歴.txt", R"("2026/12/01","10:00:00",63,62,1,126,"98.4%","2.10/秒","30秒")");
    appendLine(m_dir->path(), "座標履歴.txt", "damaged");
    auto w = startWindow();
    QTest::mouseClick(w->button(QStringLiteral("cmdSyuu")), Qt::LeftButton);
    auto *limits = w->findChild<QComboBox *>(QStringLiteral("cboSyuuMode"));
    const Grid &weeks = w->findChild<GridWidget *>(QStringLiteral("msgSyuu"))->grid();
    const auto lastWeek = [&weeks] { return weeks.rowTexts(weeks.rows() - 1).mid(1).join(u' '); };
    QCOMPARE(lastWeek(), QStringLiteral("2026/11/30 1 0.34 0.34"));
    const qsizetype told = MessageDialog::shown().size();
    QTest::keyClick(w->findChild<QComboBox *>(QStringLiteral("cboSyuuGame")), Qt::Key_End);
    QCOMPARE(limits->itemText(0) + limits->itemText(1), QStringLiteral("秒数 30（1回）行数 3（1回）"));
    QCOMPARE(lastWeek(), QStringLiteral("2026/11/30 1 2.07 2.07"));
    QTest::keyClick(limits, Qt::Key_End);
    QCOMPARE(lastWeek(), QStringLiteral("2026/11/16 1 2.00 2.00"));
    QCOMPARE(MessageDialog::shown().size(), told + 1);
}

void TestMainWindow::gameButtonReturnsToToday() {
    addPlay("2026/12/01", "09:00:00", "宝探し", 60);
    addPlay("2026/12/06", "10:00:00", "抜かな", 60);
    addPlay("2026/12/06", "11:00:00", "座標", 20);
    auto w = startWindow();
    DayPanel *day = w->dayPanel();
    auto *dayList = day->findChild<GridWidget *>(QStringLiteral("msgDayList"));
    auto *calendar = day->findChild<QCalendarWidget *>(QStringLiteral("mtvmain"));
    QCOMPARE(dayList->grid().rows(), 3);
    // Another day picked from the keyboard: Enter on the calendar.
    calendar->setSelectedDate(QDate(2026, 12, 1));
    calendar->setFocus();
    QTest::keyClick(calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview")), Qt::Key_Return);
    QCOMPARE(w->state().selectedDate, QDate(2026, 12, 1));
    QCOMPARE(dayList->grid().rows(), 2);
    QCOMPARE(dayList->grid().textMatrix(1, 2), QStringLiteral("宝探し"));

    QTest::mouseClick(w->button(QStringLiteral("cmdGame")), Qt::LeftButton);
    QCOMPARE(w->state().selectedDate, kToday);
    QCOMPARE(calendar->selectedDate(), kToday);
    QCOMPARE(dayList->grid().rows(), 3);
    QCOMPARE(dayList->grid().textMatrix(2, 2), QStringLiteral("座標"));
    QVERIFY(w->gameLauncher()->isVisibleTo(w.get()));
    QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->button(QStringLiteral("cmdG1"))));
    // Esc puts the launcher away, the focus back on ゲーム.
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w->focusWidget(), Qt::Key_Escape);
    QVERIFY(!w->gameLauncher()->isVisibleTo(w.get()));
    QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->button(QStringLiteral("cmdGame"))));
}

void TestMainWindow::gameButtonWithEmptyLogKeepsDate() {
    auto w = startWindow();
    QVERIFY(w->state().emptyLog);
    auto *calendar = w->dayPanel()->findChild<QCalendarWidget *>(QStringLiteral("mtvmain"));
    calendar->setSelectedDate(QDate(2026, 12, 2));
    QTest::keyClick(calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview")), Qt::Key_Return);
    QCOMPARE(w->state().selectedDate, QDate(2026, 12, 2));
    QTest::mouseClick(w->button(QStringLiteral("cmdGame")), Qt::LeftButton);
    QCOMPARE(w->state().selectedDate, QDate(2026, 12, 2));
    QVERIFY(w->gameLauncher()->isVisibleTo(w.get()));
}

void TestMainWindow::helpOpensAndQuitClosesIt() {
    auto w = startWindow();
    QSignalSpy quit(w.get(), &MainWindow::quitRequested);
    QCOMPARE(openHelpWindowCount(), 0);
    QTest::mouseClick(w->button(QStringLiteral("cmdHelp")), Qt::LeftButton);
    QCOMPARE(openHelpWindowCount(), 1);
    QWidget *help = w->findChild<QWidget *>(QStringLiteral("helpWindow"));
    QVERIFY(help);
    QCOMPARE(help->parentWidget(), static_cast<QWidget *>(w.get()));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F1);
    QCOMPARE(openHelpWindowCount(), 2);
    QTest::mouseClick(w->button(QStringLiteral("cmdOwari")), Qt::LeftButton);
    QCOMPARE(openHelpWindowCount(), 0);
    QCOMPARE(quit.count(), 1);
}

// Each window opens where it was left, after a game and in a new run, maximised or not, and on a screen; F1
// opens the help in a game window too.
void TestMainWindow::windowsOpenWhereTheyWereLeft() {
    QVERIFY(QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/抜かな辞書.TXT"), m_dir->filePath("抜かな辞書.TXT")));
    auto openGame = [](AppController &c) {
        QTest::mouseClick(c.mainWindow()->button(QStringLiteral("cmdGame")), Qt::LeftButton);
        QTest::mouseClick(c.mainWindow()->button(QStringLiteral("cmdG1")), Qt::LeftButton);
        return c.gameWindow();
    };
    auto back = [](AppController &c) {
        QTest::mouseClick(c.gameWindow()->findChild<QPushButton *>(QStringLiteral("cmdEnd")), Qt::LeftButton);
        QTRY_VERIFY(c.mainWindow());
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    AppController c(m_dir->path());
    c.showMain();
    // Left on a screen that is gone by the next opening.
    c.mainWindow()->move(screen.bottomRight() + QPoint(500, 500));
    QWidget *game = openGame(c);
    QVERIFY(QTest::qWaitForWindowActive(game));
    QTest::keyClick(game, Qt::Key_F1);
    QCOMPARE(openHelpWindowCount(), 1);
    game->move(game->pos() + QPoint(7, 40)); // room for a caption above it
    const QRect gamePlace = game->geometry();
    game->setWindowState(Qt::WindowMaximized);
    back(c);
    QVERIFY(screen.contains(c.mainWindow()->geometry().topLeft()));
    game = openGame(c);
    QVERIFY(game->isMaximized());
    QCOMPARE(game->normalGeometry(), gamePlace);
    back(c);
    const QRect mainPlace = c.mainWindow()->geometry();
    c.mainWindow()->setWindowState(Qt::WindowMaximized);
    QTest::mouseClick(c.mainWindow()->button(QStringLiteral("cmdOwari")), Qt::LeftButton);
    auto w = startWindow();
    QVERIFY(w->isMaximized());
    QCOMPARE(w->normalGeometry(), mainPlace);
}

// The standard buttons of a message box and the menu of a text box speak Japanese like the rest.
void TestMainWindow::qtTextsInJapanese() {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QDir(dir).exists(QStringLiteral("qtbase_ja.qm")))
        QSKIP("Qt's Japanese translations are not installed (qt6-translations-l10n)");
    QVERIFY(installQtTranslations());
    QMessageBox box(QMessageBox::Warning, QStringLiteral("クリア確認"), QStringLiteral("よろしいですか？"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList actions;
    for (const QAction *a : menu->actions())
        if (!a->isSeparator())
            actions << a->text();
    QVERIFY2(actions.first().contains(QStringLiteral("元に戻す")), qPrintable(actions.join(u' ')));
    for (const QString &text : actions)
        QVERIFY2(!text.contains(QStringLiteral("Undo")) && !text.contains(QStringLiteral("Paste")), qPrintable(text));
}

// A screen reader announces what a label shows: a label whose accessible name hides its value ("合計時間"
// for 0:02:30) is found on every panel.
void TestMainWindow::valueLabelsReadTheirValues() {
    addPlay("2026/12/06", "09:00:00", "抜かな", 90);
    addPlay("2026/12/06", "10:00:00", "座標", 60);
    auto w = startWindow();
    for (const char *panel : {"cmdMain", "cmdRentai", "cmdTaijyu", "cmdSyuukei", "cmdCale", "cmdMemo", "cmdSettei"}) {
        QTest::mouseClick(w->button(QString::fromLatin1(panel)), Qt::LeftButton);
        for (QLabel *label : w->visiblePanel()->findChildren<QLabel *>()) {
            if (!label->isVisibleTo(w.get()) || label->text().isEmpty())
                continue;
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(label);
            QVERIFY(a);
            QVERIFY2(a->text(QAccessible::Name).contains(label->text()),
                     qPrintable(QStringLiteral("%1 shows \"%2\" but is announced as \"%3\"")
                                    .arg(label->objectName(), label->text(), a->text(QAccessible::Name))));
        }
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(w->findChild<QLabel *>(QStringLiteral("lblDayTotal")))
                 ->text(QAccessible::Name),
             QStringLiteral("0:02:30"));
}

void TestMainWindow::helpTourBreaksOnlyItsOwnLines_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("welcome") << helptexts::welcome();
    QTest::newRow("全グラフ") << helptexts::allGraphs();
    QTest::newRow("範囲指定") << helptexts::range();
    QTest::newRow("並び替え") << helptexts::sort();
    QTest::newRow("編集") << helptexts::edit();
    QTest::newRow("週別スコア") << helptexts::weeklyScores();
    for (int game = 1; game <= 7; ++game)
        QTest::addRow("game %d", game) << gameDefinition(game).helpText;
}

// The real box of the help tour: its text has room for the longest of its own lines.
void TestMainWindow::helpTourBreaksOnlyItsOwnLines() {
    QFETCH(QString, text);
    MessageDialog::setAutoAnswer(false);
    appState().helpTourFlag = 1;
    int room = -1;
    QTimer::singleShot(0, this, [&room] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
                room = label->contentsRect().width();
            box->close();
        }
    });
    showHelpTour(nullptr, text);
    const QFontMetrics fm(QApplication::font());
    for (const QString &line : text.split(QStringLiteral("\r\n")))
        QVERIFY2(fm.horizontalAdvance(line) <= room, qPrintable(QStringLiteral("%1 px: %2").arg(room).arg(line)));
}

// Started from the desktop's menu nobody reads the launcher's terminal: without a home folder, and with a file
// where the data folder should be made, the launcher starts the program all the same, and the program names
// the folder in a window and says what to do.
void TestMainWindow::unusableDataFolderToldInAWindow() {
    const QDir root(m_dir->path());
    QVERIFY(root.mkdir(QStringLiteral("bin")) && writeBytes(root.filePath(QStringLiteral("file")), "a file"));
    const QString launcher = root.filePath(QStringLiteral("bin/mirute-launch"));
    QVERIFY(QFile::copy(QStringLiteral(MIRUTE_LAUNCHER), launcher));
    QVERIFY(QFile::link(QStringLiteral(MIRUTE_PROGRAM), root.filePath(QStringLiteral("bin/mirute"))));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("file")));
    env.remove(QStringLiteral("HOME"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setReadChannel(QProcess::StandardError);
    program.start(QStringLiteral("/bin/sh"), {launcher});
    QString said;
    while (!said.contains(QStringLiteral("HOME")) && program.waitForReadyRead(60000))
        said += QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(program.state() == QProcess::Running, qPrintable(said)); // on the window, for the user
    program.terminate();
    program.waitForFinished(60000);
    QVERIFY2(said.contains(QStringLiteral("「\u2068%1/mirute\u2069」").arg(root.filePath(QStringLiteral("file")))),
             qPrintable(said));
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
