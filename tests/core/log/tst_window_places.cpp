// Each window's place on the screen, kept in the working folder: read back as written, damaged lines passed
// over, and a place that no longer lies on a screen moved onto one.
#include "core/base/data_files.h"
#include "core/log/window_places.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

class TestWindowPlaces : public QObject {
    Q_OBJECT
private slots:
    void keptPerWindow();
    void placeOnScreens_data();
    void placeOnScreens();
};

void TestWindowPlaces::keptPerWindow() {
    QTemporaryDir dir;
    test::writeSjis(dir.path(), kWindowPlacesFile,
                    "\"frmG1\",10,20,800,600,1\r\n\"frmG2\",x,0,10,10,0\r\n\"frmG3\",0,0,-5,10,0\r\nnoise\r\n");
    QVERIFY(writeWindowPlace(dir.path(), {"frmMain", QRect(100, 50, 1000, 680), false}).ok());
    QVERIFY(writeWindowPlace(dir.path(), {"frmG1", QRect(-40, 30, 900, 700), false}).ok());
    const QList<WindowPlace> places = readWindowPlaces(dir.path());
    QCOMPARE(places, (QList<WindowPlace>{{"frmMain", QRect(100, 50, 1000, 680), false},
                                         {"frmG1", QRect(-40, 30, 900, 700), false}}));
    QCOMPARE(test::readSjis(dir.path(), kWindowPlacesFile),
             QStringLiteral("\"frmMain\",100,50,1000,680,0\r\n\"frmG1\",-40,30,900,700,0\r\n"));
    QVERIFY(!findWindowPlace(places, "frmG7"));
}

void TestWindowPlaces::placeOnScreens_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("placed");
    // Two screens side by side, 1366×768 and 1920×1080 to its right; 30 pixels for a caption.
    QTest::newRow("on the first screen") << QRect(100, 50, 1000, 680) << QRect(100, 50, 1000, 680);
    QTest::newRow("on the second screen") << QRect(1500, 200, 800, 600) << QRect(1500, 200, 800, 600);
    QTest::newRow("caption above the top") << QRect(100, 10, 1000, 680) << QRect(100, 30, 1000, 680);
    QTest::newRow("screen unplugged") << QRect(4000, 300, 800, 600) << QRect(566, 168, 800, 600);
    QTest::newRow("mostly on the first") << QRect(1000, 100, 500, 400) << QRect(866, 100, 500, 400);
    QTest::newRow("larger than any") << QRect(0, 0, 3000, 2000) << QRect(1366, 30, 1920, 1050);
}

void TestWindowPlaces::placeOnScreens() {
    QFETCH(QRect, area);
    QFETCH(QRect, placed);
    QCOMPARE(mirute::placeOnScreens(area, {QRect(0, 0, 1366, 768), QRect(1366, 0, 1920, 1080)}, 30), placed);
}

QTEST_GUILESS_MAIN(TestWindowPlaces)
#include "tst_window_places.moc"
