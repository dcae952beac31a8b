#include "core/base/number_format.h"
#include "core/base/number_texts.h"
#include "core/base/write_list.h"

#include <QTest>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <random>
#include <span>

using namespace mirute;

class TestWriteList : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void faults_data();
    void faults();
    void buildLine_data();
    void buildLine();
    void storableText();
    void numbers_data();
    void numbers();
    void singlesAsSevenDigits();
    void fixedRounding_data();
    void fixedRounding();
    void parsing_data();
    void parsing();
    void plainDecimalsAreExact();
    void keptNumberTexts();
    void leading_data();
    void leading();
};

void TestWriteList::split_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<bool>>("quoted");
    QTest::newRow("game line ends in a comma") << QStringLiteral(R"("2026/12/06","18:30:06","抜かな",60,"秒数 : 60",)")
                                               << QStringList{"2026/12/06", "18:30:06", "抜かな", "60", "秒数 : 60", ""}
                                               << QList<bool>{true, true, true, false, true, false};
    QTest::newRow("rewrite line ends in empty quotes")
        << QStringLiteral(R"("2026/12/06","18:30:06","座標",180.28,"x","")")
        << QStringList{"2026/12/06", "18:30:06", "座標", "180.28", "x", ""}
        << QList<bool>{true, true, true, false, true, true};
    QTest::newRow("comma inside quotes") << QStringLiteral(R"("a,b",.85)") << QStringList{"a,b", ".85"}
                                         << QList<bool>{true, false};
    QTest::newRow("empty items") << QStringLiteral(",,") << QStringList{"", "", ""} << QList<bool>{false, false, false};
    QTest::newRow("blanks around unquoted")
        << QStringLiteral(" 10 , \"x\" ") << QStringList{"10", "x"} << QList<bool>{false, true};
    QTest::newRow("empty line") << QString() << QStringList{""} << QList<bool>{false};
}

void TestWriteList::split() {
    QFETCH(QString, line);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, quoted);
    ListFault fault = ListFault::Unterminated;
    const auto items = splitWriteList(line, &fault);
    QCOMPARE(fault, ListFault::None);
    QCOMPARE(items.size(), texts.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i].text, texts[i]);
        QCOMPARE(items[i].quoted, quoted[i]);
    }
}

void TestWriteList::faults_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("texts");
    const int none = int(ListFault::None), open = int(ListFault::Unterminated), after = int(ListFault::TextAfterQuote);
    QTest::newRow("unterminated") << QStringLiteral(R"("a","b,c)") << open << QStringList{"a", "b,c"};
    // A double quote cannot be stored inside a quoted text, so a doubled one is not an escape: the line is
    // damaged, not a text to be cut at its second quote.
    QTest::newRow("doubled quotes") << QStringLiteral(R"("彼は""はい""と言った",1)") << after
                                    << QStringList{"彼は", "1"};
    QTest::newRow("text after the quote") << QStringLiteral(R"("one"junk,"two")") << after << QStringList{"one", "two"};
    QTest::newRow("text after the last quote")
        << QStringLiteral(R"("one","two"x)") << after << QStringList{"one", "two"};
    QTest::newRow("blanks after the quote")
        << QStringLiteral("\"one\" \t,\"two\"  ") << none << QStringList{"one", "two"};
    QTest::newRow("CR after the quote") << QStringLiteral("\"one\"\r") << after << QStringList{"one"};
}

void TestWriteList::faults() {
    QFETCH(QString, line);
    QFETCH(int, fault);
    QFETCH(QStringList, texts);
    ListFault found = ListFault::None;
    const auto items = splitWriteList(line, &found);
    QCOMPARE(int(found), fault);
    QStringList got;
    for (const ListItem &item : items)
        got << item.text;
    QCOMPARE(got, texts);
    // The views over the line agree.
    ListItemView views[4];
    ListFault viewFault = ListFault::None;
    QCOMPARE(splitWriteListViews(line, views, 4, &viewFault), items.size());
    QCOMPARE(viewFault, found);
    QCOMPARE(listFaultReason(found).isEmpty(), found == ListFault::None);
}

void TestWriteList::buildLine_data() {
    QTest::addColumn<QString>("built");
    QTest::addColumn<QString>("expected");
    QTest::newRow("settings line") << WriteListLine().integer(10).number(60).text("秒数").integer(0).integer(1).line()
                                   << QStringLiteral(R"(10,60,"秒数",0,1)");
    QTest::newRow("history line") << WriteListLine()
                                         .text("2026/12/06")
                                         .text("18:30:05")
                                         .integer(25)
                                         .integer(20)
                                         .integer(5)
                                         .number(0.85)
                                         .text("80.0%")
                                         .text("0.42/秒")
                                         .text("60秒")
                                         .line()
                                  << QStringLiteral(R"("2026/12/06","18:30:05",25,20,5,0.85,"80.0%","0.42/秒","60秒")");
    QTest::newRow("empty spare") << WriteListLine().text("a").number(23.4).empty().line()
                                 << QStringLiteral(R"("a",23.4,)");
    QTest::newRow("single precision") << WriteListLine().single(180.28f).single(1.0f / 3).line()
                                      << QStringLiteral("180.28,0.3333333");
}

void TestWriteList::buildLine() {
    QFETCH(QString, built);
    QFETCH(QString, expected);
    QCOMPARE(built, expected);
}

void TestWriteList::storableText() {
    const QString line = WriteListLine().text(QStringLiteral("He said \"hi\"\r\nbye, ok")).number(1).line();
    const auto items = splitWriteList(line);
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0].text, QStringLiteral("He said ”hi” bye, ok"));
    QCOMPARE(items[1].text, QStringLiteral("1"));
}

void TestWriteList::numbers_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("single");
    QTest::newRow("60") << 60.0 << "60"
                        << "60";
    QTest::newRow("23.4") << 23.4 << "23.4"
                          << "23.4";
    QTest::newRow("0.85") << 0.85 << "0.85"
                          << "0.85";
    QTest::newRow("180.28") << 180.28 << "180.28"
                            << "180.28";
    QTest::newRow("third") << 1.0 / 3 << "0.3333333333333333"
                           << "0.3333333";
    QTest::newRow("zero") << 0.0 << "0"
                          << "0";
    QTest::newRow("large") << 12345678.0 << "12345678"
                           << "12345680";
    QTest::newRow("small") << 0.00001 << "0.00001"
                           << "0.00001";
}

void TestWriteList::numbers() {
    QFETCH(double, value);
    QFETCH(QString, plain);
    QFETCH(QString, single);
    QCOMPARE(formatNumber(value), plain);
    QCOMPARE(formatSingle(float(value)), single);
}

// Every play time of two places below 10,000 s, some up to 200,000 s, and the floats on either side of
// some, written as "%.7g" writes them without trailing zeros.
void TestWriteList::singlesAsSevenDigits() {
    const auto sevenDigits = [](float v) {
        char buf[64];
        std::snprintf(buf, sizeof(buf), "%.7g", double(v));
        QString s = QString::fromLatin1(buf);
        if (s.contains(u'.') && !s.contains(u'e')) {
            while (s.endsWith(u'0'))
                s.chop(1);
            if (s.endsWith(u'.'))
                s.chop(1);
        }
        return s;
    };
    int compared = 0;
    for (int hundredths = 1; hundredths < 20000000; hundredths += hundredths < 1000000 ? 1 : 997) {
        const float v = float(hundredths / 100.0);
        const float neighbours[] = {v, std::nextafter(v, 0.0f), std::nextafter(v, 1e9f)};
        for (const float w : hundredths % 97 == 0 ? std::span(neighbours) : std::span(neighbours, 1)) {
            if (const QString text = formatSingle(w); text != sevenDigits(w))
                QFAIL(qPrintable(QStringLiteral("%1: %2").arg(double(w), 0, 'g', 17).arg(text)));
            ++compared;
        }
    }
    QVERIFY(compared > 1000000);
}

void TestWriteList::fixedRounding_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.25") << 1.25 << 1 << "1.3";
    QTest::newRow("2.35") << 2.35 << 1 << "2.4";
    QTest::newRow("0.125") << 0.125 << 2 << "0.13";
    QTest::newRow("0.005") << 0.005 << 2 << "0.01";
    QTest::newRow("9.995") << 9.995 << 2 << "10.00";
    QTest::newRow("0") << 0.0 << 1 << "0.0";
    QTest::newRow("pad") << 12.0 << 1 << "12.0";
    QTest::newRow("negative") << -1.25 << 1 << "-1.3";
    QTest::newRow("negative to zero") << -0.01 << 1 << "0.0";
    QTest::newRow("whole") << 2.5 << 0 << "3";
    QTest::newRow("carry past the point") << 99.96 << 1 << "100.0";
    QTest::newRow("long") << 123456789.125 << 2 << "123456789.13";
}

void TestWriteList::fixedRounding() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(formatFixed(value, decimals), text);
}

void TestWriteList::parsing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow(".85") << ".85" << true << 0.85;
    QTest::newRow("0.85") << "0.85" << true << 0.85;
    QTest::newRow("60") << "60" << true << 60.0;
    QTest::newRow("-1.5") << "-1.5" << true << -1.5;
    QTest::newRow("5.") << "5." << true << 5.0;
    QTest::newRow("exp") << "1E2" << true << 100.0;
    QTest::newRow("blank") << " 7 " << true << 7.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("text") << "abc" << false << 0.0;
    QTest::newRow("trailing text") << "60秒" << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("full-width digit") << "６０" << false << 0.0;
}

void TestWriteList::parsing() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto v = parseNumber(text);
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, value);
}

void TestWriteList::plainDecimalsAreExact() {
    // The short way for plain decimals must give the very double of the general parser, for every
    // length of digits and every place of the point.
    std::mt19937 random(7);
    int compared = 0;
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + int(random() % 15);
        QByteArray text;
        if (random() % 4 == 0)
            text += '-';
        for (int d = 0; d < digits; ++d)
            text += char('0' + random() % 10);
        const int point = int(random() % (digits + 2)) - 1; // -1: no point
        if (point >= 0)
            text.insert(text.size() - digits + point, '.');
        double shortWay = 0;
        QVERIFY2(parsePlainDecimal(text.constData(), text.size(), &shortWay), text.constData());
        double general = 0;
        const auto res = std::from_chars(text.constData(), text.constData() + text.size(), general);
        QVERIFY(res.ec == std::errc() && res.ptr == text.constData() + text.size());
        QVERIFY2(std::memcmp(&shortWay, &general, sizeof general) == 0, text.constData());
        ++compared;
    }
    QCOMPARE(compared, 200000);
    double unused = 0;
    for (const char *other : {"1e2", "+3", " 3", "1.2.3", ".", "-", "", "1234567890123456", "3a"})
        QVERIFY2(!parsePlainDecimal(other, qsizetype(std::strlen(other)), &unused), other);
    QCOMPARE(parseAsciiNumber(" 42.8 "), std::optional<double>(42.8));
    QCOMPARE(parseAsciiNumber("1e2"), std::optional<double>(100.0));
    QVERIFY(!parseAsciiNumber("\x82\x4f").has_value());
}

void TestWriteList::keptNumberTexts() {
    for (qint64 n : {qint64(0), qint64(1), qint64(9), qint64(10), qint64(32766), qint64(65535), qint64(65536),
                     qint64(-1), qint64(1) << 40})
        QCOMPARE(numberText(n), QString::number(n));
    QCOMPARE(numberText(12), QStringLiteral("12")); // asked again, from the table
    SecondsTexts seconds;
    for (float v : {60.0f, 23.4f, 0.1f, 0.0f, -0.0f, 123456.7f, 1e-3f, 60.0f, 23.4f}) {
        QCOMPARE(seconds.text(v), formatSingle(v));
        QCOMPARE(seconds.shownValue(v), parseNumber(formatSingle(v)).value_or(-1));
    }
    QCOMPARE(seconds.shownValue(23.4f), 23.4); // the shown "23.4", not the single 23.399999…
}

void TestWriteList::leading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("per second") << "0.42/秒" << 0.42;
    QTest::newRow("seconds") << "60秒" << 60.0;
    QTest::newRow("rate") << "80.0" << 80.0;
    QTest::newRow("none") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("dots") << "..." << 0.0;
    QTest::newRow("23.4秒") << "23.4秒" << 23.4;
}

void TestWriteList::leading() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(leadingNumber(text), value);
}

QTEST_APPLESS_MAIN(TestWriteList)
#include "tst_write_list.moc"
