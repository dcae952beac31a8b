#include "core/base/clock.h"
#include "core/log/app_state.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "core/views/sort_view.h"
#include "gui/app/main_window.h"
#include "gui/panels/log_panel.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"
#include "support/window_helpers.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

QString logText() {
    const QStringList lines = {
        gamePlayLine("2024/05/01", "09:00:00", "座標", 60, "秒数 : 60   答数 : 25  反応時間  0.85秒"),
        gamePlayLine("2024/05/01", "10:00:00", "抜かな", 9.5, "よくできた"),
        gamePlayLine("2024/05/02", "08:00:00", "ランプ", 120, "眠い, でも速い"),
        gamePlayLine("2024/05/03", "21:00:00", "抜数字", 60, "Abc"),
        gamePlayLine("2024/05/04", "07:00:00", "抜かな", 180.28, "abc"),
    };
    return test::crlfLines(lines);
}

} // namespace

class TestSortPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsEveryPlayInFileOrder();
    void sortButtonsTurnDirection();
    void directionsOutliveTheMainWindow();
    void emptyLog();
    void damagedLineIsToldAndSkipped();

private:
    void start();
    QPushButton *button(const QString &name) { return m_window->findChild<QPushButton *>(name); }
    void click(const QString &name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    GridWidget *grid() { return m_window->findChild<GridWidget *>(QStringLiteral("msgIchiran")); }

    QTemporaryDir m_dir;
    test::FakeClock m_clock;
    std::unique_ptr<MainWindow> m_window;
};

void TestSortPanel::init() {
    QVERIFY(m_dir.isValid());
    test::writeSjis(m_dir.path(), kPlayLogFile, logText());
    setAppClock(&m_clock);
    test::resetForWindowTest();
    resetSortDirectionFlags();
    start();
}

void TestSortPanel::cleanup() {
    m_window.reset();
    setAppClock(nullptr);
    MessageDialog::setAutoAnswer(false);
    resetSortDirectionFlags();
}

void TestSortPanel::start() {
    m_window = test::openMainWindow(m_dir.path());
    click("cmdBunseki");
}

void TestSortPanel::listsEveryPlayInFileOrder() {
    QCOMPARE(m_window->visiblePanel()->objectName(), QStringLiteral("fraBunseki"));
    QCOMPARE(grid()->model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("一言日記"));
    QCOMPARE(test::shownColumn(grid(), 0), (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(test::shownColumn(grid(), 4), (QStringList{"60", "9.5", "120", "60", "180.28"}));
    QCOMPARE(test::shownColumn(grid(), 5)[2], QStringLiteral("眠い, でも速い"));
    QCOMPARE(button("cmdSort1")->text(), QStringLiteral("回 （日付）"));
    int tours = 0;
    for (const MessageDialog::Shown &s : MessageDialog::shown())
        tours += s.title == QStringLiteral("ヘルプツアー") && s.text == helptexts::sort();
    QCOMPARE(tours, 1);
}

void TestSortPanel::sortButtonsTurnDirection() {
    click("cmdSort3");
    QCOMPARE(test::shownColumn(grid(), 4), (QStringList{"9.5", "60", "60", "120", "180.28"}));
    QCOMPARE(test::shownColumn(grid(), 0), (QStringList{"2", "1", "4", "3", "5"}));
    click("cmdSort3");
    QCOMPARE(test::shownColumn(grid(), 4), (QStringList{"180.28", "120", "60", "60", "9.5"}));
    click("cmdSort2");
    QCOMPARE(test::shownColumn(grid(), 3), (QStringList{"ランプ", "座標", "抜かな", "抜かな", "抜数字"}));
    click("cmdSort1");
    QCOMPARE(test::shownColumn(grid(), 0), (QStringList{"1", "2", "3", "4", "5"}));
    click("cmdSort1");
    QCOMPARE(test::shownColumn(grid(), 0), (QStringList{"5", "4", "3", "2", "1"}));
    click("cmdSort4");
    QCOMPARE(test::shownColumn(grid(), 5).mid(0, 2), (QStringList{"Abc", "abc"}));
    // The buttons keep their own colours; none marks the last press.
    QCOMPARE(buttonColor(button("cmdSort1")), (Rgb{255, 192, 192}));
    QCOMPARE(buttonColor(button("cmdSort2")), (Rgb{255, 224, 192}));
    QCOMPARE(buttonColor(button("cmdSort3")), (Rgb{255, 255, 192}));
    QCOMPARE(buttonColor(button("cmdSort4")), (Rgb{192, 255, 192}));
}

void TestSortPanel::directionsOutliveTheMainWindow() {
    click("cmdSort3");
    // Reopening the view refills in file order but the next "秒数" press sorts descending.
    click("cmdMain");
    click("cmdBunseki");
    QCOMPARE(test::shownColumn(grid(), 0), (QStringList{"1", "2", "3", "4", "5"}));
    click("cmdSort3");
    QCOMPARE(test::shownColumn(grid(), 4).first(), QStringLiteral("180.28"));
    click("cmdSort3");
    // The main window is rebuilt after a game; the directions belong to the whole run.
    m_window.reset();
    start();
    click("cmdSort3");
    QCOMPARE(test::shownColumn(grid(), 4).first(), QStringLiteral("180.28"));
}

void TestSortPanel::emptyLog() {
    m_window.reset();
    test::writeSjis(m_dir.path(), kPlayLogFile, QString());
    start();
    QCOMPARE(grid()->model()->rowCount(), 0);
    click("cmdSort2");
    QCOMPARE(grid()->model()->rowCount(), 0);
    QCOMPARE(sortDirectionFlags()[1], true);
}

void TestSortPanel::damagedLineIsToldAndSkipped() {
    m_window.reset();
    test::writeSjis(m_dir.path(), kPlayLogFile,
                    logText() + QStringLiteral("\"2024/05/05\",\"09:00:00\",\"座標\",速い,\"x\",\r\n"));
    m_window = test::openMainWindow(m_dir.path());
    MessageDialog::clearShown();
    click("cmdBunseki");
    QCOMPARE(grid()->model()->rowCount(), 5);
    int warnings = 0;
    for (const MessageDialog::Shown &s : MessageDialog::shown())
        warnings += s.icon == QMessageBox::Warning &&
                    s.text.startsWith(QStringLiteral("「データ.txt」の 6 行目を読めませんでした"));
    QCOMPARE(warnings, 1);
}

QTEST_MAIN(TestSortPanel)
#include "tst_sort_panel.moc"
