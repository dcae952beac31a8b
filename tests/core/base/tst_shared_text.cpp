// Texts handed out from one shared block, and the times of day kept for the program's life: they must
// behave as ordinary, independent QStrings whatever their holders do with them.
#include "core/base/clock_texts.h"
#include "core/base/day_time.h"
#include "core/base/shared_text.h"

#include <QTest>

#include <cstring>

using namespace mirute;

namespace {

QString put(SharedTextBuffer &buffer, const QString &text) {
    char16_t *room = buffer.room(text.size());
    std::memcpy(room, text.utf16(), size_t(text.size()) * sizeof(char16_t));
    return buffer.take(text.size());
}

} // namespace

class TestSharedText : public QObject {
    Q_OBJECT
private slots:
    void textsOutliveTheBuffer();
    void changingOneTextLeavesTheOthers();
    void soleSurvivorMayGrowInPlace();
    void longTextsAndManyBlocks();
    void clockTexts();
    void clockTextsRefuseOtherTimes_data();
    void clockTextsRefuseOtherTimes();
};

void TestSharedText::textsOutliveTheBuffer() {
    QString a, b, empty;
    {
        SharedTextBuffer buffer;
        a = put(buffer, QStringLiteral("秒数 : 60"));
        b = put(buffer, QStringLiteral("09:30:05"));
        empty = put(buffer, QString());
    }
    QCOMPARE(a, QStringLiteral("秒数 : 60"));
    QCOMPARE(b, QStringLiteral("09:30:05"));
    QVERIFY(empty.isEmpty() && !empty.isNull());
    // Every QString's characters end in a NUL, which C-style readers of utf16() rely on.
    QCOMPARE(a.utf16()[a.size()], u'\0');
    QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t *>(b.utf16())), b);
}

void TestSharedText::changingOneTextLeavesTheOthers() {
    SharedTextBuffer buffer;
    QString first = put(buffer, QStringLiteral("abc"));
    const QString second = put(buffer, QStringLiteral("def"));
    const QString copy = first;
    first.append(QStringLiteral("XYZ")); // would run over "def" were the block written in place
    first[0] = u'A';
    QCOMPARE(first, QStringLiteral("AbcXYZ"));
    QCOMPARE(second, QStringLiteral("def"));
    QCOMPARE(copy, QStringLiteral("abc"));
    QString third = put(buffer, QStringLiteral("ghi"));
    QCOMPARE(third, QStringLiteral("ghi"));
    QCOMPARE(second, QStringLiteral("def"));
}

void TestSharedText::soleSurvivorMayGrowInPlace() {
    QString survivor;
    {
        SharedTextBuffer buffer;
        put(buffer, QStringLiteral("before"));
        survivor = put(buffer, QStringLiteral("kept"));
        put(buffer, QStringLiteral("after"));
    }
    survivor.append(QStringLiteral(" and more"));
    survivor.prepend(QStringLiteral("now "));
    QCOMPARE(survivor, QStringLiteral("now kept and more"));
    survivor.squeeze();
    QCOMPARE(survivor, QStringLiteral("now kept and more"));
}

void TestSharedText::longTextsAndManyBlocks() {
    QList<QString> texts;
    QList<QString> expected;
    {
        SharedTextBuffer buffer;
        for (int i = 0; i < 20000; ++i) {
            const QString text =
                i % 5000 == 0 ? QString(70000, QChar(u'あ' + i % 50)) : QStringLiteral("日記 %1").arg(i);
            expected.append(text);
            texts.append(put(buffer, text));
        }
    }
    QCOMPARE(texts, expected);
    texts.erase(texts.begin() + 100, texts.end()); // most blocks go; the rest stay readable
    QCOMPARE(texts.last(), expected[99]);
}

void TestSharedText::clockTexts() {
    int checked = 0;
    for (int s = 0; s < 24 * 3600; s += 7) {
        const QString expected = QTime(0, 0).addSecs(s).toString(QStringLiteral("HH:mm:ss"));
        const QString text = sharedClockText(expected.toLatin1());
        QCOMPARE(text, expected);
        // Placed by address: the hour charts count by it without reading the text.
        QCOMPARE(sharedClockSecond(text), s);
        QCOMPARE(hourOfTime(text), s / 3600);
        ++checked;
    }
    QCOMPARE(sharedClockText("23:59:59"), QStringLiteral("23:59:59"));
    QCOMPARE(sharedClockText("00:00:00"), QStringLiteral("00:00:00"));
    QVERIFY(checked > 12000);
    // A change is the holder's own: the kept text stays as it was.
    QString changed = sharedClockText("12:34:56");
    changed[0] = u'X';
    QCOMPARE(sharedClockText("12:34:56"), QStringLiteral("12:34:56"));
    QCOMPARE(sharedClockSecond(changed), -1);
    QCOMPARE(hourOfTime(changed), -1);
    // Texts of other buffers, and parts of a shared one, are read as text.
    QCOMPARE(sharedClockSecond(QStringLiteral("12:34:56")), -1);
    QCOMPARE(sharedClockSecond(sharedClockText("12:34:56").mid(1)), -1);
    QCOMPARE(hourOfTime(QStringLiteral("07:00:00")), 7);
}

void TestSharedText::clockTextsRefuseOtherTimes_data() {
    QTest::addColumn<QByteArray>("bytes");
    for (const char *t :
         {"9:05:00", "24:00:00", "12:60:00", "12:00:60", "12-00-00", "1a:00:00", "12:00:00 ", "", "120000000"})
        QTest::newRow(t) << QByteArray(t);
}

void TestSharedText::clockTextsRefuseOtherTimes() {
    QFETCH(QByteArray, bytes);
    QVERIFY(sharedClockText(bytes).isNull());
}

QTEST_GUILESS_MAIN(TestSharedText)
#include "tst_shared_text.moc"
