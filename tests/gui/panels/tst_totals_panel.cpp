#include "core/base/clock.h"
#include "core/log/app_state.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "gui/app/main_window.h"
#include "gui/panels/log_panel.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"
#include "support/window_helpers.h"

#include <QColor>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

// From 30 December to 2 January, with a day without plays and two plays of one game on the last day.
QString logText() {
    const QStringList lines = {
        gamePlayLine("2024/12/30", "09:00:00", "抜かな", 30, ""),
        gamePlayLine("2025/01/01", "10:00:00", "座標", 0.4, ""),
        gamePlayLine("2025/01/02", "08:00:00", "ランプ", 60, ""),
        gamePlayLine("2025/01/02", "08:05:00", "ランプ", 65.5, ""),
    };
    return test::crlfLines(lines);
}

} // namespace

class TestTotalsPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensInPlayingTime();
    void measuresByOption();
    void reopeningReturnsToPlayingTime();
    void emptyLogHeadersOnly();

private:
    void start();
    template <class T> T *find(const QString &name) { return m_window->findChild<T *>(name); }
    void click(const QString &name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    GridWidget *days() { return find<GridWidget>("msgKakei2"); }
    GridWidget *months() { return find<GridWidget>("msgKakei1"); }

    QTemporaryDir m_dir;
    test::FakeClock m_clock{QDateTime(QDate(2025, 1, 5), QTime(12, 0))};
    std::unique_ptr<MainWindow> m_window;
};

void TestTotalsPanel::init() {
    QVERIFY(m_dir.isValid());
    test::writeSjis(m_dir.path(), kPlayLogFile, logText());
    setAppClock(&m_clock);
    test::resetForWindowTest();
    start();
}

void TestTotalsPanel::cleanup() {
    m_window.reset();
    setAppClock(nullptr);
    MessageDialog::setAutoAnswer(false);
}

void TestTotalsPanel::start() {
    m_window = test::openMainWindow(m_dir.path());
    click("cmdSyuukei");
}

void TestTotalsPanel::opensInPlayingTime() {
    QCOMPARE(m_window->visiblePanel()->objectName(), QStringLiteral("fraSyuukei"));
    QVERIFY(find<QRadioButton>("optList2_0")->isChecked());
    QCOMPARE(find<QRadioButton>("optList2_2")->text(), QStringLiteral("時間 ＆ 回数　集計　表示"));
    QCOMPARE(test::shownColumn(days(), 1), (QStringList{"24/12/30", "24/12/31", "25/01/01", "25/01/02"}));
    QCOMPARE(test::shownColumn(days(), 2), (QStringList{"0:00:30", "0:00:00", "0:00:00", "0:02:06"}));
    QCOMPARE(test::shownColumn(days(), 7), (QStringList{"", "", "", "126"})); // ランプ
    QCOMPARE(test::shownColumn(days(), 9), (QStringList{"", "", "", ""}));    // 座標: 0.4 s adds no time
    QCOMPARE(test::shownColumn(months(), 1), (QStringList{"24/12", "25/01", "合計"}));
    QCOMPARE(test::shownColumn(months(), 2), (QStringList{"0:00:30", "0:02:06", "0:02:36"}));
    QCOMPARE(test::shownColumn(months(), 4), (QStringList{"", "", "0"})); // 抜数字, never played
    QCOMPARE(months()->model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("順番クリッ"));
    const QModelIndex total = months()->model()->index(2, 2);
    QCOMPARE(total.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    QCOMPARE(months()->model()->index(1, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 255));
    int tours = 0;
    for (const MessageDialog::Shown &s : MessageDialog::shown())
        tours += s.title == QStringLiteral("ヘルプツアー") && s.text == helptexts::totals();
    QCOMPARE(tours, 1);
}

void TestTotalsPanel::measuresByOption() {
    QTest::mouseClick(find<QRadioButton>("optList2_1"), Qt::LeftButton);
    QVERIFY(find<QRadioButton>("optList2_1")->isChecked());
    QCOMPARE(test::shownColumn(days(), 2), (QStringList{"1", "0", "1", "2"}));
    QCOMPARE(test::shownColumn(days(), 9), (QStringList{"", "", "1", ""}));
    QCOMPARE(test::shownColumn(months(), 2), (QStringList{"1", "3", "4"}));
    QTest::mouseClick(find<QRadioButton>("optList2_2"), Qt::LeftButton);
    QCOMPARE(test::shownColumn(days(), 2), (QStringList{"0:00:30 (1)", "0:00:00 (0)", "0:00:00 (1)", "0:02:06 (2)"}));
    QCOMPARE(test::shownColumn(days(), 7), (QStringList{"", "", "", "126 (2)"}));
    QCOMPARE(test::shownColumn(days(), 9), (QStringList{"", "", "", ""}));
    QCOMPARE(test::shownColumn(months(), 9), (QStringList{"", "", "0 (1)"})); // only the total row shows a 0
    QCOMPARE(test::shownColumn(months(), 4), (QStringList{"", "", "0 (0)"}));
}

void TestTotalsPanel::reopeningReturnsToPlayingTime() {
    QTest::mouseClick(find<QRadioButton>("optList2_1"), Qt::LeftButton);
    QCOMPARE(test::shownColumn(months(), 2).last(), QStringLiteral("4"));
    click("cmdMain");
    click("cmdSyuukei");
    QVERIFY(find<QRadioButton>("optList2_0")->isChecked());
    QVERIFY(!find<QRadioButton>("optList2_1")->isChecked());
    QCOMPARE(test::shownColumn(months(), 2).last(), QStringLiteral("0:02:36"));
}

void TestTotalsPanel::emptyLogHeadersOnly() {
    m_window.reset();
    test::writeSjis(m_dir.path(), kPlayLogFile, QString());
    start();
    QCOMPARE(days()->model()->rowCount(), 0);
    QCOMPARE(months()->model()->rowCount(), 0);
    QCOMPARE(months()->model()->columnCount(), 10);
}

QTEST_MAIN(TestTotalsPanel)
#include "tst_totals_panel.moc"
