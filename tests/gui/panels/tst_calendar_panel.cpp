#include "core/log/app_state.h"
#include "core/log/daily_goal.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "gui/app/main_window.h"
#include "gui/panels/calendar_panel.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/fake_clock.h"
#include "support/window_helpers.h"
#include <QToolTip>

using namespace mirute;

namespace {

QModelIndex cellIndex(const GridWidget *g, int row, int col) {
    return g->model()->index(row - 1, col);
}

QString cell(const GridWidget *g, int row, int col) {
    return cellIndex(g, row, col).data().toString();
}

// What hovering over a cell shows, the way the window system asks for it.
QString hoverText(GridWidget *g, int row, int col) {
    // A tip fades out on Qt's own short timer; the next hover starts from none.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("<previous tip still shown>");
    g->scrollTo(cellIndex(g, row, col));
    const QPoint pos = g->visualRect(cellIndex(g, row, col)).center();
    QHelpEvent event(QEvent::ToolTip, pos, g->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(g->viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TestCalendarPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensWithGridsLegendChartsAndHelpTour();
    void hoverShowsDayPlaysAndTime();
    void emptyLogShowsDesignLegend();
    void reopeningRereadsTheFile();
    void outOfOrderLogOpensWithNotice();
    void keyboardReachesTheGrids();
    void longestRunMarkedAndStreaksShown();

private:
    std::unique_ptr<MainWindow> openPanel();
    void addPlay(const QString &date, double seconds);
    template <class T> T *child(const QString &name) { return test::namedChild<T>(m_window, name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    MainWindow *m_window = nullptr;
};

void TestCalendarPanel::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    test::resetForWindowTest();
}

void TestCalendarPanel::cleanup() {
    QToolTip::hideText();
    MessageDialog::setAutoAnswer(false);
    m_window = nullptr;
    m_dir.reset();
}

void TestCalendarPanel::addPlay(const QString &date, double seconds) {
    QVERIFY(appendPlayLine(m_dir->path(), gamePlayLine(date, "10:00:00", "宝探し", seconds, QString())).ok());
}

std::unique_ptr<MainWindow> TestCalendarPanel::openPanel() {
    auto w = test::openMainWindow(m_dir->path());
    m_window = w.get();
    MessageDialog::clearShown();
    QTest::mouseClick(w->button(QStringLiteral("cmdCale")), Qt::LeftButton);
    return w;
}

void TestCalendarPanel::opensWithGridsLegendChartsAndHelpTour() {
    // Wednesday 10 January 2024 three times, Sunday 3 March eleven times.
    for (int i = 0; i < 3; ++i)
        addPlay("2024/01/10", 20);
    for (int i = 0; i < 11; ++i)
        addPlay("2024/03/03", 30);
    auto w = openPanel();
    QVERIFY(qobject_cast<CalendarPanel *>(w->panel(QStringLiteral("fraCale"))));
    QCOMPARE(w->visiblePanel(), w->panel(QStringLiteral("fraCale")));
    QCOMPARE(test::countShown(QStringLiteral("ヘルプツアー"), helptexts::calendar()), 1);

    auto *month = child<GridWidget>("msgCale");
    QCOMPARE(month->model()->rowCount(), 3);
    QCOMPARE(cell(month, 1, 0), QStringLiteral("2024年01月"));
    QCOMPARE(cell(month, 1, 10), QStringLiteral("3"));
    QCOMPARE(cellIndex(month, 1, 10).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 224, 192));
    QCOMPARE(cell(month, 3, 3), QStringLiteral("11"));
    QCOMPARE(cellIndex(month, 3, 3).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(192, 192, 255));

    auto *week = child<GridWidget>("msgCale_w");
    QCOMPARE(cell(week, 1, 0), QStringLiteral("24年01月07日"));
    QCOMPARE(cell(week, 1, 4), QStringLiteral("3"));
    QCOMPARE(week->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("日"));

    // 10 January to 3 March 2024: 54 days, two of them played.
    QCOMPARE(child<QLabel>("lblHan_0")->text(), QStringLiteral("0回：52日"));
    QCOMPARE(child<QLabel>("lblHan_2")->text(), QStringLiteral("3-4回：1日"));
    QCOMPARE(child<QLabel>("lblHan_6")->text(), QStringLiteral("10超：1日"));
    QCOMPARE(child<QLabel>("lblHan_1")->text(), QStringLiteral("1-2回：0日"));

    QCOMPARE(child<ChartWidget>("mcrKensu")->data().columnValues(1), (QList<double>{11, 0, 0, 3, 0, 0, 0}));
    QCOMPARE(child<ChartWidget>("mcrKingaku")->data().columnValues(1), (QList<double>{330, 0, 0, 60, 0, 0, 0}));
}

void TestCalendarPanel::hoverShowsDayPlaysAndTime() {
    addPlay("2024/01/10", 100);
    addPlay("2024/01/10", 125);
    addPlay("2024/01/12", 3725);
    auto w = openPanel();
    auto *month = child<GridWidget>("msgCale");
    auto *week = child<GridWidget>("msgCale_w");
    QCOMPARE(hoverText(month, 1, 10), QStringLiteral("2024/01/10(水) 2回 0:03:45"));
    QCOMPARE(hoverText(month, 1, 11), QStringLiteral("2024/01/11(木) 0回 0:00:00"));
    QCOMPARE(hoverText(month, 1, 0), QString());
    QCOMPARE(hoverText(week, 1, 6), QStringLiteral("2024/01/12(金) 1回 1:02:05"));
    QCOMPARE(hoverText(week, 1, 1), QString()); // 7 January, before the first play
}

void TestCalendarPanel::emptyLogShowsDesignLegend() {
    auto w = openPanel();
    QCOMPARE(child<GridWidget>("msgCale")->model()->rowCount(), 0);
    QCOMPARE(child<GridWidget>("msgCale_w")->model()->rowCount(), 0);
    const QStringList design{"0回：0日",   "1-2回：0日",  "3-4回：0日", "5-6回：0日",
                             "7-8回：0日", "9-10回：0日", "10超：0日"};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(child<QLabel>(QStringLiteral("lblHan_%1").arg(i))->text(), design[i]);
    QCOMPARE(child<ChartWidget>("mcrKensu")->data().columnValues(1), QList<double>(7, 0));
    QCOMPARE(child<ChartWidget>("mcrKingaku")->data().rowLabel(7), QStringLiteral("土"));
    QCOMPARE(test::countShown(QStringLiteral("カレンダー")), 0);
}

void TestCalendarPanel::reopeningRereadsTheFile() {
    addPlay("2024/01/10", 10);
    auto w = openPanel();
    QCOMPARE(child<QLabel>("lblHan_1")->text(), QStringLiteral("1-2回：1日"));
    addPlay("2024/02/01", 10);
    QTest::mouseClick(w->button(QStringLiteral("cmdMain")), Qt::LeftButton);
    QTest::mouseClick(w->button(QStringLiteral("cmdCale")), Qt::LeftButton);
    QCOMPARE(child<GridWidget>("msgCale")->model()->rowCount(), 2);
    QCOMPARE(child<QLabel>("lblHan_1")->text(), QStringLiteral("1-2回：2日"));
    QCOMPARE(child<QLabel>("lblHan_0")->text(), QStringLiteral("0回：21日"));
}

void TestCalendarPanel::outOfOrderLogOpensWithNotice() {
    // 25 December was saved out of order, 9999/12/31 under a clock set years ahead.
    addPlay("2024/01/10", 10);
    addPlay("2023/12/25", 10);
    addPlay("9999/12/31", 10);
    addPlay("2024/01/20", 10);
    auto w = openPanel();
    QCOMPARE(w->visiblePanel(), w->panel(QStringLiteral("fraCale")));
    QCOMPARE(test::countShown(QStringLiteral("カレンダー")), 1);
    QVERIFY(std::any_of(MessageDialog::shown().cbegin(), MessageDialog::shown().cend(), [](const auto &box) {
        return box.title == QStringLiteral("カレンダー") && box.text.contains(QStringLiteral("9999/12/31"));
    }));
    auto *month = child<GridWidget>("msgCale");
    QCOMPARE(month->model()->rowCount(), 2);
    QCOMPARE(month->model()->headerData(25, Qt::Horizontal).toString(), QStringLiteral("25"));
    QCOMPARE(cell(month, 1, 25), QStringLiteral("1"));
    QCOMPARE(cell(month, 2, 10), QStringLiteral("1"));
    QCOMPARE(cell(month, 2, 20), QStringLiteral("1"));
}

void TestCalendarPanel::keyboardReachesTheGrids() {
    addPlay("2024/01/10", 10);
    auto w = openPanel();
    auto *month = child<GridWidget>("msgCale");
    auto *week = child<GridWidget>("msgCale_w");
    QVERIFY(month->focusPolicy() & Qt::TabFocus);
    QVERIFY(week->focusPolicy() & Qt::TabFocus);
    // The panel hands the month grid the focus when it opens.
    QCOMPARE(w->panel(QStringLiteral("fraCale"))->firstFocus(), month);
}

void TestCalendarPanel::longestRunMarkedAndStreaksShown() {
    test::FakeClock clock(QDateTime(QDate(2024, 1, 13), QTime(12, 0)));
    setAppClock(&clock);
    const auto restoreClock = qScopeGuard([] { setAppClock(nullptr); });
    for (const char *date : {"2024/01/02", "2024/01/03", "2024/01/04", "2024/01/05", "2024/01/11", "2024/01/12"})
        addPlay(QString::fromLatin1(date), 20);
    auto w = openPanel();
    QCOMPARE(child<QLabel>("lblCaleStreak")->text(), QStringLiteral("連続 2 日"));
    QCOMPARE(child<QLabel>("lblCaleLongestStreak")->text(), QStringLiteral("最長 4 日"));
    QCOMPARE(child<QLabel>("lblCaleLongestStreak")->accessibleName(), QStringLiteral("最長 4 日"));
    auto *month = child<GridWidget>("msgCale");
    QCOMPARE(hoverText(month, 1, 2), QStringLiteral("2024/01/02(火) 1回 0:00:20\n最長連続"));
    QCOMPARE(hoverText(month, 1, 5), QStringLiteral("2024/01/05(金) 1回 0:00:20\n最長連続"));
    QCOMPARE(hoverText(month, 1, 11), QStringLiteral("2024/01/11(木) 1回 0:00:20"));
    QCOMPARE(hoverText(child<GridWidget>("msgCale_w"), 1, 4), QStringLiteral("2024/01/03(水) 1回 0:00:20\n最長連続"));
    QVERIFY(!child<QLabel>("lblMokuhyouHan")->isVisible());

    // A goal of two plays: only 12 January met it, and its cell is framed in green over its colour.
    addPlay("2024/01/12", 20);
    QVERIFY(writeDailyGoal(m_dir->path(), {GoalMeasure::Plays, 2, kMaxRestDays}).ok());
    QTest::mouseClick(w->button(QStringLiteral("cmdMemo")), Qt::LeftButton);
    QTest::mouseClick(w->button(QStringLiteral("cmdCale")), Qt::LeftButton);
    QCOMPARE(child<QLabel>("lblCaleStreak")->text(), QStringLiteral("連続 1 日"));
    QCOMPARE(hoverText(month, 1, 12), QStringLiteral("2024/01/12(金) 2回 0:00:40\n目標達成"));
    QCOMPARE(hoverText(month, 1, 5), QStringLiteral("2024/01/05(金) 1回 0:00:20"));
    QCOMPARE(child<QLabel>("lblMokuhyouHan")->text(), QStringLiteral("目標達成：1日"));
    QVERIFY(child<QLabel>("lblMokuhyouHan")->isVisible());
    const QImage shown = month->viewport()->grab().toImage();
    const auto frameOf = [&](int day) {
        const QRect cell = month->visualRect(cellIndex(month, 1, day));
        return shown.pixelColor(cell.left() + 1, cell.center().y());
    };
    QCOMPARE(frameOf(12), QColor(0, 128, 0));
    QCOMPARE(frameOf(11), QColor(255, 192, 192));
}

QTEST_MAIN(TestCalendarPanel)
#include "tst_calendar_panel.moc"
