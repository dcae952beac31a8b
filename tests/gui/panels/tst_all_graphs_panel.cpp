#include "core/log/app_state.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "gui/app/main_window.h"
#include "gui/panels/all_graphs_panel.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/window_helpers.h"

using namespace mirute;

namespace {

const QString kTourTitle = QStringLiteral("ヘルプツアー");

QString cell(const GridWidget *g, int row, int col) {
    return g->model()->index(row - 1, col).data().toString();
}

} // namespace

class TestAllGraphsPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensWithRecordChartAndHelpTour();
    void chartButtonsSwitchCharts_data();
    void chartButtonsSwitchCharts();
    void keyboardPressesChartButton();
    void reopeningRereadsTheFile();
    void outOfOrderNoticeShownOnce();
    void emptyLogShowsHeadersOnly();

private:
    std::unique_ptr<MainWindow> openPanel();
    void addPlay(const QString &date, const QString &time, const QString &game, double seconds);
    template <class T> T *child(const QString &name) { return test::namedChild<T>(m_window, name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    MainWindow *m_window = nullptr;
};

void TestAllGraphsPanel::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    test::resetForWindowTest();
}

void TestAllGraphsPanel::cleanup() {
    MessageDialog::setAutoAnswer(false);
    m_window = nullptr;
    m_dir.reset();
}

void TestAllGraphsPanel::addPlay(const QString &date, const QString &time, const QString &game, double seconds) {
    QVERIFY(appendPlayLine(m_dir->path(), gamePlayLine(date, time, game, seconds, QString())).ok());
}

std::unique_ptr<MainWindow> TestAllGraphsPanel::openPanel() {
    auto w = test::openMainWindow(m_dir->path());
    m_window = w.get();
    MessageDialog::clearShown();
    QTest::mouseClick(w->button(QStringLiteral("cmdRentai")), Qt::LeftButton);
    return w;
}

void TestAllGraphsPanel::opensWithRecordChartAndHelpTour() {
    addPlay("2024/03/01", "09:00:00", "抜かな", 12.34);
    addPlay("2024/03/03", "21:15:00", "ランプ", 40);
    auto w = openPanel();
    auto *panel = w->panel(QStringLiteral("fraRenTai"));
    QVERIFY(qobject_cast<AllGraphsPanel *>(panel));
    QCOMPARE(w->visiblePanel(), panel);
    QCOMPARE(test::countShown(kTourTitle, helptexts::allGraphs()), 1);

    auto *list = child<GridWidget>("msgDayList2");
    auto *days = child<GridWidget>("msgDayList3");
    auto *totals = child<GridWidget>("msgDayTotal2");
    QVERIFY(list->isVisible());
    QVERIFY(!days->isVisible());
    QVERIFY(totals->isVisible());
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(cell(list, 1, 3), QStringLiteral("抜かな"));
    QCOMPARE(cell(list, 1, 4), QStringLiteral("12.34"));
    QCOMPARE(cell(totals, 1, 6), QStringLiteral("12.0"));
    QCOMPARE(cell(totals, 2, 1), QStringLiteral("ランプ"));
    QCOMPARE(days->model()->rowCount(), 3);
    QCOMPARE(cell(days, 2, 5), QStringLiteral("0.0"));

    auto *timelineChart = child<ChartWidget>("mcrMain3");
    QVERIFY(timelineChart->isVisible());
    QVERIFY(!child<ChartWidget>("mcrMain2")->isVisible());
    QCOMPARE(timelineChart->data().columnValues(1), (QList<double>{12.34, 40}));
    QCOMPARE(buttonColor(child<QPushButton>("cmdDay2")), (Rgb{255, 224, 192}));
    QCOMPARE(buttonColor(child<QPushButton>("cmdHigoto")), kButtonFace);
    QCOMPARE(child<QPushButton>("cmdHigoto3")->text(), QStringLiteral("日別推移 （平均秒数）"));
}

void TestAllGraphsPanel::chartButtonsSwitchCharts_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Rgb>("highlight");
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QList<double>>("values");
    const Rgb list{255, 224, 192}, day{255, 255, 192};
    // Pressed after 日別推移 （回数）, so the game and hour charts keep the day list.
    QTest::newRow("cmdDay2") << "cmdDay2" << list << "mcrMain3"
                             << "msgDayList2" << QList<double>{10, 20.5, 30};
    QTest::newRow("cmdTotal2") << "cmdTotal2" << list << "mcrMain2"
                               << "msgDayList3" << QList<double>{40, 20};
    QList<double> hours(24, 0);
    hours[9] = 10;
    hours[13] = 50;
    QTest::newRow("cmdJikan2") << "cmdJikan2" << list << "mcrMain2"
                               << "msgDayList3" << hours;
    QTest::newRow("cmdHigoto") << "cmdHigoto" << day << "mcrMain3"
                               << "msgDayList3" << QList<double>{1, 0, 2};
    QTest::newRow("cmdHigoto2") << "cmdHigoto2" << day << "mcrMain3"
                                << "msgDayList3" << QList<double>{10, 0, 50};
    QTest::newRow("cmdHigoto3") << "cmdHigoto3" << day << "mcrMain3"
                                << "msgDayList3" << QList<double>{10, 0, 25};
}

void TestAllGraphsPanel::chartButtonsSwitchCharts() {
    QFETCH(QString, button);
    QFETCH(Rgb, highlight);
    QFETCH(QString, chart);
    QFETCH(QString, list);
    QFETCH(QList<double>, values);
    addPlay("2024/03/01", "09:00:00", "抜かな", 10);
    addPlay("2024/03/03", "13:00:00", "抜数字", 20.5);
    addPlay("2024/03/03", "13:30:00", "抜かな", 30);
    auto w = openPanel();
    QTest::mouseClick(child<QPushButton>("cmdHigoto"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);

    for (const AllGraphsButton &b : allGraphsButtons())
        QCOMPARE(buttonColor(child<QPushButton>(b.name)), b.name == button ? highlight : kButtonFace);
    const QString other = chart == "mcrMain2" ? "mcrMain3" : "mcrMain2";
    QVERIFY(child<ChartWidget>(chart)->isVisible());
    QVERIFY(!child<ChartWidget>(other)->isVisible());
    QCOMPARE(child<ChartWidget>(chart)->data().columnValues(1), values);
    const QString otherList = list == "msgDayList2" ? "msgDayList3" : "msgDayList2";
    QVERIFY(child<GridWidget>(list)->isVisible());
    QVERIFY(!child<GridWidget>(otherList)->isVisible());

    // The current chart survives closing and reopening the panel.
    QTest::mouseClick(w->button(QStringLiteral("cmdMain")), Qt::LeftButton);
    QTest::mouseClick(w->button(QStringLiteral("cmdRentai")), Qt::LeftButton);
    QCOMPARE(buttonColor(child<QPushButton>(button)), highlight);
    QVERIFY(child<ChartWidget>(chart)->isVisible());
    QCOMPARE(child<ChartWidget>(chart)->data().columnValues(1), values);
}

void TestAllGraphsPanel::keyboardPressesChartButton() {
    addPlay("2024/03/01", "09:00:00", "抜かな", 10);
    auto w = openPanel();
    auto *button = child<QPushButton>("cmdJikan2");
    QVERIFY(button->focusPolicy() & Qt::TabFocus);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(buttonColor(button), (Rgb{255, 224, 192}));
    QCOMPARE(child<ChartWidget>("mcrMain2")->data().rowCount(), 24);
}

void TestAllGraphsPanel::reopeningRereadsTheFile() {
    addPlay("2024/03/01", "09:00:00", "抜かな", 10);
    auto w = openPanel();
    QCOMPARE(child<GridWidget>("msgDayList2")->model()->rowCount(), 1);
    addPlay("2024/03/02", "09:00:00", "座標", 15);
    QTest::mouseClick(w->button(QStringLiteral("cmdMain")), Qt::LeftButton);
    QTest::mouseClick(w->button(QStringLiteral("cmdRentai")), Qt::LeftButton);
    QCOMPARE(child<GridWidget>("msgDayList2")->model()->rowCount(), 2);
    QCOMPARE(child<GridWidget>("msgDayTotal2")->model()->rowCount(), 2);
    QCOMPARE(child<GridWidget>("msgDayList3")->model()->rowCount(), 2);
    QCOMPARE(child<ChartWidget>("mcrMain3")->data().rowCount(), 2);
}

void TestAllGraphsPanel::outOfOrderNoticeShownOnce() {
    // Two plays saved out of order land on their days; the two dated after today are told once.
    addPlay("2024/03/05", "09:00:00", "抜かな", 10);
    addPlay("2024/03/01", "09:00:00", "抜かな", 10);
    addPlay("2024/02/01", "09:00:00", "抜かな", 10);
    addPlay("9999/12/31", "09:00:00", "抜かな", 10);
    addPlay("9999/12/31", "09:10:00", "抜かな", 10);
    addPlay("2024/03/06", "09:00:00", "抜かな", 10);
    auto w = openPanel();
    QCOMPARE(w->visiblePanel(), w->panel(QStringLiteral("fraRenTai")));
    QCOMPARE(test::countShown(QStringLiteral("全グラフ")), 1);
    QVERIFY(MessageDialog::shown().constFirst().text.contains(QStringLiteral(" 2 件")));
    QCOMPARE(child<GridWidget>("msgDayList2")->model()->rowCount(), 6);
    QCOMPARE(child<GridWidget>("msgDayList3")->model()->rowCount(), 35);
    QCOMPARE(cell(child<GridWidget>("msgDayList3"), 1, 2), QStringLiteral("1"));
}

void TestAllGraphsPanel::emptyLogShowsHeadersOnly() {
    auto w = openPanel();
    QCOMPARE(w->visiblePanel(), w->panel(QStringLiteral("fraRenTai")));
    QCOMPARE(test::countShown(kTourTitle, helptexts::allGraphs()), 1);
    QCOMPARE(test::countShown(QStringLiteral("全グラフ")), 0);
    for (const char *name : {"msgDayList2", "msgDayTotal2", "msgDayList3"})
        QCOMPARE(child<GridWidget>(name)->model()->rowCount(), 0);
    QCOMPARE(child<GridWidget>("msgDayTotal2")->model()->headerData(2, Qt::Horizontal).toString(),
             QStringLiteral("回数"));
    QTest::mouseClick(child<QPushButton>("cmdJikan2"), Qt::LeftButton);
    QCOMPARE(child<ChartWidget>("mcrMain2")->data().columnValues(1), QList<double>(24, 0));
}

QTEST_MAIN(TestAllGraphsPanel)
#include "tst_all_graphs_panel.moc"
