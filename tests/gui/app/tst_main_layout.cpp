// The main window as a player sees it, on a folder with a full log of three years: every panel and every view
// of it at the window's first size and at its smallest, with nothing overlapping, cut off or cut short. The
// lists of every play are checked on the log's last month, and one of them on the whole log: checking each
// of 32,766 rows' texts in every list took most of the suite's time.
// Run once at scale 1 and once with QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt).
#include "core/base/clock.h"
#include "core/base/data_files.h"
#include "gui/app/application.h"
#include "gui/app/main_window.h"
#include "gui/panels/log_panel.h"
#include "sample_log/sample_log.h"
#include "support/fake_clock.h"
#include "support/layout_check.h"
#include "support/window_helpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

const QDate kLastDay(2026, 12, 6);

// A 1366×768 screen, less a taskbar and the window's frame and title.
const QSize kSmallScreen(1366, 768 - 64);

void settle() {
    // Charts draw, and thin their axis labels, through queued events that may queue more.
    for (int i = 0; i < 6; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

} // namespace

class TestMainLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyViewFits_data();
    void everyViewFits();
    void sizeKeptAcrossPanels();

private:
    QStringList problemsAt(const QSize &size);
    bool useLog(const QString &source);

    QTemporaryDir m_dir;
    QTemporaryDir m_logs; // the whole log and its last month, swapped into m_dir
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainLayout::initTestCase() {
    QVERIFY(m_dir.isValid() && m_logs.isValid());
    useJapaneseFont();
    sample::SampleOptions options;
    options.lastDay = kLastDay;
    sample::SampleData data = sample::generateSample(options);
    const QString error = sample::writeSampleFolder(m_dir.path(), data, QStringLiteral(MIRUTE_DEFAULT_DATA));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(QFile::copy(m_dir.filePath(kPlayLogFile), m_logs.filePath(QStringLiteral("whole"))));
    const QString monthStart = kLastDay.addMonths(-1).toString(QStringLiteral("yyyy/MM/dd"));
    qsizetype first = 0;
    while (first < data.plays.size() && data.plays[first].record.date < monthStart)
        ++first;
    data.plays.remove(0, first);
    data.rewrittenLines = int(qMax<qsizetype>(0, data.rewrittenLines - first));
    QVERIFY(sample::writeSampleFolder(m_logs.filePath(QStringLiteral("month")), data, {}).isEmpty());
    m_clock = std::make_unique<test::FakeClock>(QDateTime(kLastDay, QTime(21, 0)));
    setAppClock(m_clock.get());
    test::resetForWindowTest();
    m_window = test::openMainWindow(m_dir.path());
    settle();
}

// Panels read the log afresh at each opening: the next opening shows this log.
bool TestMainLayout::useLog(const QString &source) {
    const QString log = m_dir.filePath(kPlayLogFile);
    return QFile::remove(log) && QFile::copy(source, log);
}

void TestMainLayout::cleanupTestCase() {
    m_window.reset();
    setAppClock(nullptr);
}

QStringList TestMainLayout::problemsAt(const QSize &size) {
    m_window->resize(size);
    settle();
    QStringList problems;
    for (const QString &p : test::layoutProblems(m_window.get()))
        problems << QStringLiteral("%1×%2: %3").arg(m_window->width()).arg(m_window->height()).arg(p);
    return problems;
}

void TestMainLayout::everyViewFits_data() {
    QTest::addColumn<QString>("panelButton");
    QTest::addColumn<QString>("viewButton"); // "" for a panel without views
    QTest::addColumn<bool>("lastMonth");     // the log's last month only: the view lists every play
    const QList<std::tuple<QString, QStringList, bool>> views = {
        {"cmdMain", {"cmdDay", "cmdTotal", "cmdJikan"}, false},
        {"cmdRentai", {"cmdDay2", "cmdTotal2", "cmdJikan2", "cmdHigoto", "cmdHigoto2", "cmdHigoto3"}, true},
        {"cmdTaijyu", {"cmdDay3", "cmdTotal3", "cmdJikan3"}, true},
        {"cmdBunseki", {""}, true},
        {"cmdSyuukei", {"optList2_0", "optList2_1", "optList2_2"}, false},
        {"cmdCale", {""}, false},
        {"cmdSyuu", {""}, false},
        {"cmdMemo", {""}, true},
        {"cmdSettei", {""}, true},
        {"cmdGame", {""}, false}};
    for (const auto &[panel, buttons, lastMonth] : views)
        for (const QString &view : buttons)
            QTest::addRow("%s %s", qPrintable(panel), qPrintable(view)) << panel << view << lastMonth;
    // Every column of every play, with the widest numbers the largest log holds.
    QTest::addRow("cmdBunseki whole log") << QStringLiteral("cmdBunseki") << QString() << false;
}

void TestMainLayout::everyViewFits() {
    QFETCH(QString, panelButton);
    QFETCH(QString, viewButton);
    QFETCH(bool, lastMonth);
    m_window->gameLauncher()->hide();
    const QSize firstSize = m_window->size();
    QVERIFY(useLog(m_logs.filePath(lastMonth ? QStringLiteral("month/") + kPlayLogFile : QStringLiteral("whole"))));
    QTest::mouseClick(m_window->button(panelButton), Qt::LeftButton);
    if (!viewButton.isEmpty())
        QTest::mouseClick(test::namedChild<QAbstractButton>(m_window.get(), viewButton), Qt::LeftButton);
    QStringList problems = problemsAt(firstSize);
    problems << problemsAt(m_window->minimumSize());
    // The launcher lies over the panel by design: its own buttons are checked within it.
    if (m_window->gameLauncher()->isVisible())
        problems << test::layoutProblems(m_window->gameLauncher());
    m_window->resize(firstSize);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestMainLayout::sizeKeptAcrossPanels() {
    // The smallest window that shows every panel whole fits a small screen, and opening a panel never
    // makes the window grow (範囲指定 once left it wider for good).
    const QSize minimum = m_window->minimumSize();
    QVERIFY2(minimum.width() <= kSmallScreen.width() && minimum.height() <= kSmallScreen.height(),
             qPrintable(QStringLiteral("%1×%2").arg(minimum.width()).arg(minimum.height())));
    const QSize first = m_window->size();
    for (const char *panel : {"cmdTaijyu", "cmdRentai", "cmdCale", "cmdSyuukei", "cmdMain"}) {
        QTest::mouseClick(m_window->button(QString::fromLatin1(panel)), Qt::LeftButton);
        settle();
        QCOMPARE(m_window->size(), first);
        QCOMPARE(m_window->minimumSize(), minimum);
    }
}

QTEST_MAIN(TestMainLayout)
#include "tst_main_layout.moc"
