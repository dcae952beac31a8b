#include "core/base/clock.h"
#include "core/log/app_state.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "core/views/range_view.h"
#include "gui/app/main_window.h"
#include "gui/panels/log_panel.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"
#include "support/window_helpers.h"

#include <QComboBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

Q_DECLARE_METATYPE(mirute::Rgb)

namespace {

// 1 March of a leap year; 2024/02/29 is a Thursday.
const QDateTime kNow(QDate(2024, 3, 1), QTime(20, 0, 0));

QString logText() {
    const QStringList lines = {
        gamePlayLine("2024/02/27", "10:00:00", "抜かな", 60, "a"),
        gamePlayLine("2024/02/28", "11:00:00", "座標", 45.5, "b"),
        gamePlayLine("2024/02/29", "09:00:00", "抜数字", 30, "c"),
        gamePlayLine("2024/02/29", "21:00:00", "抜かな", 20, "d"),
        gamePlayLine("2024/03/01", "08:00:00", "ランプ", 90, "e"),
    };
    return test::crlfLines(lines);
}

// The colour the button's face shows beside its caption, averaged over a few pixels.
QColor shownFace(QPushButton *button) {
    const QImage image = button->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    int r = 0, g = 0, b = 0, n = 0;
    for (int x = 4; x <= 7; ++x) {
        for (int y = button->height() / 2 - 2; y <= button->height() / 2 + 2; ++y) {
            const QColor c = image.pixelColor(int(x * dpr), int(y * dpr));
            r += c.red();
            g += c.green();
            b += c.blue();
            ++n;
        }
    }
    return QColor(r / n, g / n, b / n);
}

} // namespace

class TestRangePanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openingShowsEveryPlay();
    void periodButtons();
    void keyBoxAndGameList();
    void weekdayAndSearch();
    void typedPeriod();
    void chartButtons();
    void reopeningKeepsStateWithoutRepeatingDates();
    void pressedButtonShowsItsColourWithFocus_data();
    void pressedButtonShowsItsColourWithFocus();

private:
    void start();
    template <class T> T *find(const QString &name) { return test::namedChild<T>(m_window.get(), name); }
    void click(const QString &name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    GridWidget *list() { return find<GridWidget>("msgBunseki"); }

    QTemporaryDir m_dir;
    test::FakeClock m_clock{kNow};
    std::unique_ptr<MainWindow> m_window;
};

void TestRangePanel::init() {
    QVERIFY(m_dir.isValid());
    test::writeSjis(m_dir.path(), kPlayLogFile, logText());
    setAppClock(&m_clock);
    test::resetForWindowTest();
    start();
}

void TestRangePanel::cleanup() {
    m_window.reset();
    setAppClock(nullptr);
    MessageDialog::setAutoAnswer(false);
}

void TestRangePanel::start() {
    m_window = test::openMainWindow(m_dir.path());
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    click("cmdTaijyu");
}

void TestRangePanel::openingShowsEveryPlay() {
    QCOMPARE(m_window->visiblePanel()->objectName(), QStringLiteral("fraTaijyu"));
    QCOMPARE(test::shownColumn(list(), 0), (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(test::shownColumn(list(), 3), (QStringList{"火", "水", "木", "木", "金"}));
    QCOMPARE(test::shownColumn(list(), 5), (QStringList{"60", "45.5", "30", "20", "90"}));
    GridWidget *totals = find<GridWidget>("msgBunseki2");
    QCOMPARE(test::shownColumn(totals, 0), gameNames());
    QCOMPARE(test::shownColumn(totals, 1), (QStringList{"80", "30", "0", "0", "90", "0", "46"}));
    QCOMPARE(test::shownColumn(totals, 2).first(), QStringLiteral("0:01:20"));
    auto *from = find<QComboBox>("cboStdate");
    auto *to = find<QComboBox>("cboEddate");
    QCOMPARE(from->count(), 4);
    QCOMPARE(from->currentText(), QStringLiteral("2024/02/27"));
    QCOMPARE(to->currentText(), QStringLiteral("2024/03/01"));
    auto *games = find<QListWidget>("lstAct2");
    QCOMPARE(games->count(), kGameCount);
    QCOMPARE(games->item(5)->text(), QStringLiteral("順番クリック"));
    for (const char *name : {"cmdAllDay", "cmdAllWeek", "cmdAllact"})
        QCOMPARE(buttonColor(find<QPushButton>(name)), kRangeFilterHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdDay3")), kRangeChartHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdKikan1")), kButtonFace);
    // The help tour is on in a new folder: the view's explanation is shown once.
    int tours = 0;
    for (const MessageDialog::Shown &s : MessageDialog::shown())
        tours += s.title == QStringLiteral("ヘルプツアー") && s.text == helptexts::range();
    QCOMPARE(tours, 1);
}

void TestRangePanel::periodButtons() {
    click("cmdKikan1");
    QCOMPARE(test::shownColumn(list(), 1), (QStringList{"2024/02/29", "2024/02/29", "2024/03/01"}));
    QCOMPARE(find<QComboBox>("cboStdate")->currentText(), QStringLiteral("2024/02/29"));
    QCOMPARE(buttonColor(find<QPushButton>("cmdKikan1")), kRangeFilterHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdAllDay")), kButtonFace);
    click("cmdKikan8");
    QCOMPARE(test::shownColumn(list(), 1).first(), QStringLiteral("2024/02/28"));
    QCOMPARE(buttonColor(find<QPushButton>("cmdKikan1")), kButtonFace);
    click("cmdAllDay");
    QCOMPARE(list()->model()->rowCount(), 5);
    QCOMPARE(find<QComboBox>("cboStdate")->currentText(), QStringLiteral("2024/02/27"));
    QCOMPARE(find<QComboBox>("cboEddate")->currentText(), QStringLiteral("2024/03/01"));
}

void TestRangePanel::keyBoxAndGameList() {
    auto *key = find<QLineEdit>("txtKey");
    QTest::mouseClick(key, Qt::LeftButton);
    QVERIFY(key->hasFocus());
    test::typeCommitted(key, QStringLiteral("抜"));
    QCOMPARE(key->text(), QStringLiteral("抜"));
    QCOMPARE(list()->model()->rowCount(), 5); // typing alone filters nothing
    QTest::keyClick(key, Qt::Key_Return);
    QCOMPARE(test::shownColumn(list(), 4), (QStringList{"抜かな", "抜数字", "抜かな"}));
    QCOMPARE(buttonColor(find<QPushButton>("cmdAllact")), kButtonFace);

    key->selectAll();
    test::typeCommitted(key, QStringLiteral("テニス"));
    QTest::keyClick(key, Qt::Key_Return);
    QCOMPARE(list()->model()->rowCount(), 0);
    QCOMPARE(list()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("日付"));

    auto *games = find<QListWidget>("lstAct2");
    QListWidgetItem *lamp = games->item(4);
    QTest::mouseClick(games->viewport(), Qt::LeftButton, {}, games->visualItemRect(lamp).center());
    QCOMPARE(key->text(), QStringLiteral("ランプ"));
    QCOMPARE(test::shownColumn(list(), 4), QStringList{"ランプ"});

    // Entering the box empties it, but the list keeps the old filter until the next refresh.
    QTest::mouseClick(key, Qt::LeftButton);
    QCOMPARE(key->text(), QString());
    QCOMPARE(test::shownColumn(list(), 4), QStringList{"ランプ"});

    // Enter on the list picks its current entry.
    games->setFocus();
    games->setCurrentRow(6);
    QTest::keyClick(games, Qt::Key_Return);
    QCOMPARE(key->text(), QStringLiteral("座標"));
    QCOMPARE(test::shownColumn(list(), 4), QStringList{"座標"});

    click("cmdAllact");
    QCOMPARE(key->text(), QString());
    QCOMPARE(list()->model()->rowCount(), 5);
    QCOMPARE(buttonColor(find<QPushButton>("cmdAllact")), kRangeFilterHighlight);
}

void TestRangePanel::weekdayAndSearch() {
    click("cmdWeek_4");
    QCOMPARE(test::shownColumn(list(), 1), (QStringList{"2024/02/29", "2024/02/29"}));
    QCOMPARE(buttonColor(find<QPushButton>("cmdWeek_4")), kRangeFilterHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdAllWeek")), kButtonFace);
    auto *key = find<QLineEdit>("txtKey");
    QTest::mouseClick(key, Qt::LeftButton);
    test::typeCommitted(key, QStringLiteral("抜かな"));
    click("cmdKensaku");
    QCOMPARE(test::shownColumn(list(), 1), (QStringList{"2024/02/27", "2024/02/29"}));
    QCOMPARE(buttonColor(find<QPushButton>("cmdWeek_4")), kRangeFilterHighlight);
    QTest::keyClick(key, Qt::Key_Return);
    QCOMPARE(test::shownColumn(list(), 1), QStringList{"2024/02/29"});
    click("cmdAllWeek");
    QCOMPARE(test::shownColumn(list(), 1), (QStringList{"2024/02/27", "2024/02/29"}));
    QCOMPARE(buttonColor(find<QPushButton>("cmdWeek_4")), kButtonFace);
}

void TestRangePanel::typedPeriod() {
    auto *from = find<QComboBox>("cboStdate");
    from->lineEdit()->clear();
    QTest::keyClicks(from->lineEdit(), "2024/02/28");
    auto *to = find<QComboBox>("cboEddate");
    to->setCurrentIndex(2); // picked from the list
    QCOMPARE(to->currentText(), QStringLiteral("2024/02/29"));
    click("cmdKikanF");
    QCOMPARE(test::shownColumn(list(), 1), (QStringList{"2024/02/28", "2024/02/29", "2024/02/29"}));
    QCOMPARE(buttonColor(find<QPushButton>("cmdKikanF")), kRangeFilterHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdAllDay")), kButtonFace);
    // The typed texts stay as typed.
    QCOMPARE(from->currentText(), QStringLiteral("2024/02/28"));
}

void TestRangePanel::chartButtons() {
    auto *records = find<ChartWidget>("mcrBunseki");
    auto *groups = find<ChartWidget>("mcrBunseki2");
    QVERIFY(records->isVisible());
    QVERIFY(!groups->isVisible());
    QCOMPARE(records->data().rowCount(), 5);
    click("cmdTotal3");
    QVERIFY(!records->isVisible());
    QVERIFY(groups->isVisible());
    QCOMPARE(groups->data().rowLabel(1), QStringLiteral("抜か"));
    QCOMPARE(groups->data().value(5), 90.0);
    QCOMPARE(buttonColor(find<QPushButton>("cmdTotal3")), kRangeChartHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdDay3")), kButtonFace);
    click("cmdJikan3");
    QCOMPARE(groups->data().rowCount(), 24);
    QCOMPARE(groups->data().value(22), 20.0);
    // A period press redraws the hour chart.
    click("cmdKikan1");
    QCOMPARE(groups->data().value(10), 30.0);
    QCOMPARE(groups->data().value(12), 0.0);
    click("cmdDay3");
    QVERIFY(records->isVisible());
    QCOMPARE(records->data().columnValues(1), (QList<double>{30, 20, 90}));
}

void TestRangePanel::reopeningKeepsStateWithoutRepeatingDates() {
    click("cmdKikan2");
    click("cmdWeek_4");
    click("cmdJikan3");
    auto *games = find<QListWidget>("lstAct2");
    QTest::mouseClick(games->viewport(), Qt::LeftButton, {}, games->visualItemRect(games->item(0)).center());
    QCOMPARE(list()->model()->rowCount(), 1);
    click("cmdSyuukei");
    QVERIFY(!find<GridWidget>("msgBunseki")->isVisible());
    click("cmdTaijyu");
    QCOMPARE(m_window->visiblePanel()->objectName(), QStringLiteral("fraTaijyu"));
    auto *from = find<QComboBox>("cboStdate");
    QCOMPARE(from->count(), 4);
    QCOMPARE(find<QComboBox>("cboEddate")->count(), 4);
    QCOMPARE(from->itemText(3), QStringLiteral("2024/03/01"));
    // Every play again; the key box keeps its text, the lit buttons stay lit, the chart stays.
    QCOMPARE(list()->model()->rowCount(), 5);
    QCOMPARE(find<QLineEdit>("txtKey")->text(), QStringLiteral("抜かな"));
    QCOMPARE(buttonColor(find<QPushButton>("cmdKikan2")), kRangeFilterHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdWeek_4")), kRangeFilterHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdAllWeek")), kRangeFilterHighlight);
    QCOMPARE(buttonColor(find<QPushButton>("cmdJikan3")), kRangeChartHighlight);
    QVERIFY(find<ChartWidget>("mcrBunseki2")->isVisible());
    // With the weekday back to all, Enter applies only the key.
    QTest::keyClick(find<QLineEdit>("txtKey"), Qt::Key_Return);
    QCOMPARE(list()->model()->rowCount(), 2);
}

void TestRangePanel::pressedButtonShowsItsColourWithFocus_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Rgb>("colour");
    QTest::newRow("１週間") << "cmdKikan2" << kRangeFilterHighlight;
    QTest::newRow("木") << RangeView::weekdayButtonName(4) << kRangeFilterHighlight;
    QTest::newRow("時間別") << "cmdJikan3" << kRangeChartHighlight;
}

// Pressed from the keyboard, the button keeps the focus and with it the style's mark of the default button,
// which must not tint the highlight away (a pressed 1週間 looked grey-green until the focus moved on).
void TestRangePanel::pressedButtonShowsItsColourWithFocus() {
    QFETCH(QString, button);
    QFETCH(Rgb, colour);
    auto *b = find<QPushButton>(button);
    b->setFocus(Qt::TabFocusReason);
    QTest::keyClick(b, Qt::Key_Space);
    QCOMPARE(buttonColor(b), colour);
    QVERIFY(b->hasFocus());
    const QColor focused = shownFace(b);
    find<QPushButton>("cmdKensaku")->setFocus(Qt::TabFocusReason);
    const QColor unfocused = shownFace(b);
    const auto off = [](const QColor &a, const QColor &c) {
        return qMax(qMax(qAbs(a.red() - c.red()), qAbs(a.green() - c.green())), qAbs(a.blue() - c.blue()));
    };
    QVERIFY2(off(focused, unfocused) <= 4, qPrintable(focused.name() + " / " + unfocused.name()));
    // And it is the highlight that shows, not the plain button face.
    QVERIFY(off(focused, shownFace(find<QPushButton>("cmdKikan8"))) >= 16);
}

QTEST_MAIN(TestRangePanel)
#include "tst_range_panel.moc"
