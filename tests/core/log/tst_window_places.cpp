#include "core/base/data_files.h"
#include "core/log/window_places.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

class TestWindowPlaces : public QObject {
    Q_OBJECT
private slots:
    void placeOnScreens_data();
    void placeOnScreens();
};

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
    QTemporaryDir dir;
    test::writeSjis(dir.path(), kWindowPlacesFile, "\"frmG2\",x,0,10,10,0\r\n\"frmG3\",0,0,-5,10,0\r\nnoise\r\n");
    QVERIFY(writeWindowPlace(dir.path(), {"frmMain", area, true}).ok());
    QCOMPARE(readWindowPlaces(dir.path()), QList<WindowPlace>({{"frmMain", area, true}}));
    QCOMPARE(mirute::placeOnScreens(area, {QRect(0, 0, 1366, 768), QRect(1366, 0, 1920, 1080)}, 30), placed);
}

QTEST_GUILESS_MAIN(TestWindowPlaces)
#include "tst_window_places.moc"
