#include "core/base/sjis.h"
#include "core/games/lamp/lamp_rules.h"
#include "gui/games/common/game_window.h"
#include "gui/games/game_views.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;
using mirute::test::sjisBytes;

namespace {

QList<double> field(const QList<int> &tallies) {
    QList<double> draws;
    for (int s = 0; s < tallies.size(); ++s)
        for (int i = 0; i < tallies[s]; ++i)
            draws << (s + 0.5) / double(tallies.size());
    return draws;
}

} // namespace

class TestLampWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { MessageDialog::setAutoAnswer(true); }
    void shippedImagesAreLampsInTheSlotColours_data();
    void shippedImagesAreLampsInTheSlotColours();
    void answerCountPlayThroughTheWindow();
    void missingImageRefusesToOpen();
};

void TestLampWindow::shippedImagesAreLampsInTheSlotColours_data() {
    QTest::addColumn<int>("slot");
    for (int slot = 1; slot <= 5; ++slot)
        QTest::newRow(qPrintable(LampRules::imageFile(slot))) << slot;
}

void TestLampWindow::shippedImagesAreLampsInTheSlotColours() {
    QFETCH(int, slot);
    QVERIFY(QImageReader::supportedImageFormats().contains("gif"));
    QImageReader reader(QStringLiteral(MIRUTE_DEFAULT_DATA "/") + LampRules::imageFile(slot));
    QCOMPARE(reader.format(), QByteArray("gif"));
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(56, 59));
    const Rgb c = LampRules::slotColor(slot);
    QCOMPARE(QColor(image.pixel(30, 28)), QColor(c.r, c.g, c.b));
}

void TestLampWindow::answerCountPlayThroughTheWindow() {
    QTemporaryDir dir;
    for (int slot = 1; slot <= 5; ++slot)
        QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/") + LampRules::imageFile(slot),
                    dir.filePath(LampRules::imageFile(slot)));
    test::writeSjis(dir.path(), QStringLiteral("ランプ設定.txt"), QStringLiteral("2,60,\"答数\",1,2,1\r\n"));
    test::FakeClock clock;
    ScriptedRandom random(field({15, 13}) + field({15, 13}) + field({15, 13}) + field({15, 13}));
    GameWindow window(
        std::make_unique<GameEngine>(LampGame::definition(), LampGame::makeRules(), dir.path(), clock, random));
    window.setQuestionView(makeGameView<LampGame>(window));
    QVERIFY(window.open().isEmpty());
    GameEngine &engine = window.engine();
    engine.setTimersRunning(false);
    engine.setFeedbackPauses(false);

    QCOMPARE(window.objectName(), QStringLiteral("frmG5"));
    QCOMPARE(window.windowTitle(), QStringLiteral("ランプ"));
    QVERIFY(!window.answerBox());
    QCOMPARE(window.findChild<QComboBox *>("cboMode")->currentText(), QStringLiteral("2"));
    QCOMPARE(window.findChild<QLabel *>("lblByouCaption")->text(), QStringLiteral("クリック数／秒"));
    auto lamp = [&](int k) { return window.findChild<QPushButton *>(QStringLiteral("imgMondai_%1").arg(k)); };
    QCOMPARE(lamp(3)->accessibleName(), QStringLiteral("ランプ 3（黄）"));
    QCOMPARE(lamp(20)->accessibleName(), QStringLiteral("ランプ 20（緑）"));
    QVERIFY(!lamp(3)->icon().isNull());
    QCOMPARE(lamp(3)->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    QVERIFY(window.findChild<QFrame *>("shpLanp_1")->isVisible());
    QVERIFY(window.findChild<QFrame *>("shpLanp_2")->isVisible());
    QVERIFY(!window.findChild<QFrame *>("shpLanp_3")->isVisible());
    QCOMPARE(window.findChild<QLabel *>("lblLsu_1")->text(), QStringLiteral("15"));
    QCOMPARE(window.findChild<QLabel *>("lblLsu_2")->text(), QStringLiteral("13"));

    // The legend's counts hide with their check box, and the choice is stored.
    auto *hide = window.findChild<QCheckBox *>("chkHide");
    QVERIFY(hide->isChecked());
    QTest::mouseClick(hide, Qt::LeftButton, {}, QPoint(4, hide->height() / 2));
    QVERIFY(!window.findChild<QFrame *>("shpLanp_1")->isVisible());
    QVERIFY(hide->isVisible());
    QCOMPARE(test::readSjis(dir.path(), QStringLiteral("ランプ設定.txt")), QStringLiteral("2,60,\"答数\",1,2,0\r\n"));

    QTest::mouseClick(lamp(1), Qt::LeftButton); // idle: nothing
    QCOMPARE(window.findChild<QLabel *>("lblMoji_T")->text(), QString());
    QTest::mouseClick(window.findChild<QPushButton *>("cmdStart"), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        engine.tickStart();
    clock.advance(0.5);
    QTest::mouseClick(lamp(1), Qt::LeftButton); // right
    QCOMPARE(window.findChild<QLabel *>("lblKiroku")->text(), QStringLiteral("0.50"));
    clock.advance(0.7);
    engine.tickElapsed();
    QTest::mouseClick(lamp(28), Qt::LeftButton); // wrong
    QVERIFY(window.findChild<QPushButton *>("cmdStart")->isEnabled());
    QCOMPARE(window.findChild<QLabel *>("lblMoji_T")->text(), QStringLiteral("2"));
    QCOMPARE(window.findChild<QLabel *>("lblByou")->text(), QStringLiteral("1.67/秒"));
    QCOMPARE(window.findChild<QLabel *>("lblRitu")->text(), QStringLiteral("50.0%"));

    QCOMPARE(test::readBytes(dir.path(), QStringLiteral("ランプ履歴.txt")),
             sjisBytes(QStringLiteral("\"2026/12/06\",\"18:30:01\",2,1,1,0.5,\"50.0%\",\"1.67/秒\",\"1.2秒\"\r\n")));
    QCOMPARE(test::readBytes(dir.path(), QStringLiteral("データ.txt")),
             sjisBytes(QStringLiteral("\"2026/12/06\",\"18:30:01\",\"ランプ\",1.2,"
                                      "\"秒数 : 1.2   答数 : 2  反応時間  0.5秒\",\r\n")));
}

void TestLampWindow::missingImageRefusesToOpen() {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    GameWindow window(
        std::make_unique<GameEngine>(LampGame::definition(), LampGame::makeRules(), dir.path(), clock, random));
    window.setQuestionView(makeGameView<LampGame>(window));
    QCOMPARE(window.open(), QStringLiteral("ランプの画像「1.gif」がありません。\r\nゲームを開けません。"));
}

QTEST_MAIN(TestLampWindow)
#include "tst_lamp_window.moc"
