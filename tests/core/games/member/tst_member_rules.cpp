#include "core/games/common/game_engine.h"
#include "core/games/member/member_game.h"
#include "core/games/member/member_rules.h"
#include "support/fake_clock.h"
#include "support/test_files.h"

#include <QFile>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mirute;

namespace {

const QString kMonkeys = QStringLiteral("<三猿>\r\nみざる,きかざる,いわざる\r\n");

struct Play {
    QTemporaryDir dir;
    test::FakeClock clock;
    ScriptedRandom random;
    std::unique_ptr<GameEngine> engine;
    QString openError;

    explicit Play(const QString &dictionary = kMonkeys, QList<double> draws = {}) : random(std::move(draws)) {
        if (!dictionary.isNull())
            test::writeSjis(dir.path(), QStringLiteral("抜仲間辞書.TXT"), dictionary);
        engine =
            std::make_unique<GameEngine>(MemberGame::definition(), MemberGame::makeRules(), dir.path(), clock, random);
        engine->setFeedbackPauses(false);
        openError = engine->open();
    }
    MemberRules &rules() { return engine->rulesAs<MemberRules>(); }
    Grid &grid() { return rules().questionGrid(); }
    QStringList gridRows() {
        QStringList out;
        for (int r = 1; r < grid().rows(); ++r)
            out << grid().textMatrix(r, 0);
        return out;
    }
    void toGreen() {
        engine->start();
        for (int i = 0; i < 3; ++i) {
            clock.advance(1);
            engine->tickStart();
        }
    }
};

double draw0(int i, int n) {
    return ScriptedRandom::forIndex0(i, n);
}

} // namespace

class TestMemberRules : public QObject {
    Q_OBJECT
private slots:
    void groupsAreRead_data();
    void groupsAreRead();
    void unusableDictionaryRefusesToOpen_data();
    void unusableDictionaryRefusesToOpen();
    void unreadableLineIsNamed();
    void inOrderQuestionLeavesOneMemberOut_data();
    void inOrderQuestionLeavesOneMemberOut();
    void randomOrderQuestionShowsPicksInTurn();
    void oneMemberGroupShowsOnlyItsName();
    void enterJudgesTheCommittedText_data();
    void enterJudgesTheCommittedText();
    void escapeRevealsTheAnswer();
    void escapeWhileIdleFocusesStart();
    void typedCharsArePerSecondCount();
    void gridFlashesAndReturnsToWhite();
    void answerListScrollsBeyondElevenRows();
    void shippedDictionaryHoldsGroups();
};

void TestMemberRules::groupsAreRead_data() {
    QTest::addColumn<QString>("dictionary");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<QStringList>("noticeParts");

    QString twentyOne = QStringLiteral("<数>\r\n");
    for (int i = 1; i <= 21; ++i)
        twentyOne += QStringLiteral("m%1\r\n").arg(i);
    QTest::newRow("both brackets, items on lines and after commas")
        << QString("<三猿>\r\nみざる,きかざる\r\nいわざる\r\n＜四季＞,春,夏,秋,冬\r\n") << QStringList{"三猿", "四季"}
        << QList<int>{3, 4} << QStringList();
    QTest::newRow("members before the first group")
        << QString("はる\r\nなつ\r\n<方角>\r\n東,西\r\n") << QStringList{"方角"} << QList<int>{2}
        << QStringList{"抜仲間辞書.TXT", "1, 2 行目", "最初のグループ"};
    QTest::newRow("twenty members kept, the rest skipped")
        << twentyOne << QStringList{"数"} << QList<int>{20} << QStringList{"22 行目", "21 番目以降"};
    QTest::newRow("groups without members")
        << QString("<空>\r\n<三猿>\r\nみざる,いわざる\r\n<最後>\r\n") << QStringList{"三猿"} << QList<int>{2}
        << QStringList{"1, 4 行目", "メンバーのないグループ"};
    QTest::newRow("quoted items") << QString("\"<色>\",\"赤,い\",\"青\"\r\n") << QStringList{"色"} << QList<int>{2}
                                  << QStringList();
}

void TestMemberRules::groupsAreRead() {
    QFETCH(QString, dictionary);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, sizes);
    QFETCH(QStringList, noticeParts);
    Play p(dictionary);
    QCOMPARE(p.openError, QString());
    QStringList readNames;
    QList<int> readSizes;
    for (const MemberGroup &g : p.rules().groups()) {
        readNames << g.name;
        readSizes << int(g.members.size());
    }
    QCOMPARE(readNames, names);
    QCOMPARE(readSizes, sizes);
    const QString notice = p.engine->openNotice();
    QCOMPARE(notice.isEmpty(), noticeParts.isEmpty());
    for (const QString &part : noticeParts)
        QVERIFY2(notice.contains(part), qPrintable(notice));
}

void TestMemberRules::unusableDictionaryRefusesToOpen_data() {
    QTest::addColumn<QString>("dictionary");
    QTest::newRow("missing") << QString();
    QTest::newRow("empty") << QString("");
    QTest::newRow("blank lines") << QString("\r\n\r\n");
    QTest::newRow("no group line") << QString("みざる,きかざる\r\n");
    QTest::newRow("groups without members") << QString("<三猿>\r\n<四季>\r\n");
}

void TestMemberRules::unusableDictionaryRefusesToOpen() {
    QFETCH(QString, dictionary);
    Play p(dictionary);
    QVERIFY2(p.openError.contains(QStringLiteral("抜仲間辞書.TXT")), qPrintable(p.openError));
}

void TestMemberRules::unreadableLineIsNamed() {
    Play p(QString(), {});
    QFile f(p.dir.filePath(QStringLiteral("抜仲間辞書.TXT")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray bytes;
    sjis::encode(QStringLiteral("<三猿>\r\nみざる,いわざる\r\n"), &bytes);
    f.write(bytes + QByteArray("\x82\r\n"));
    f.close();
    QCOMPARE(p.engine->open(), QString());
    QVERIFY2(p.engine->openNotice().contains(QStringLiteral("3 行目")), qPrintable(p.engine->openNotice()));
    QCOMPARE(p.rules().groups().size(), 1);
}

void TestMemberRules::inOrderQuestionLeavesOneMemberOut_data() {
    QTest::addColumn<int>("h");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("answer");
    QTest::newRow("いわざる drawn") << 2 << QStringList{"みざる", "きかざる"} << "いわざる";
    QTest::newRow("みざる drawn") << 0 << QStringList{"きかざる", "いわざる"} << "みざる";
    QTest::newRow("きかざる drawn") << 1 << QStringList{"みざる", "いわざる"} << "きかざる";
}

void TestMemberRules::inOrderQuestionLeavesOneMemberOut() {
    QFETCH(int, h);
    QFETCH(QStringList, rows);
    QFETCH(QString, answer);
    Play p(kMonkeys + QStringLiteral("<四季>\r\n春,夏,秋,冬\r\n"), {0, 0, 0});
    p.engine->setExtra(0, QStringLiteral("1"));
    p.random.push(draw0(0, 2));
    p.random.push(draw0(h, 3));
    p.clock.advance(3.5);
    p.engine->makeQuestion();
    QCOMPARE(p.grid().textMatrix(0, 0), QStringLiteral("三猿"));
    QCOMPARE(p.gridRows(), rows);
    QCOMPARE(p.engine->session().answer, answer);
    QCOMPARE(p.engine->session().shownAt, p.clock.seconds());
    QCOMPARE(p.engine->session().reaction, 0.0);
    QCOMPARE(p.grid().cols(), 1);
    QCOMPARE(p.grid().colWidth(0), 4300);
    QCOMPARE(p.grid().fontSize(), 24);
    QCOMPARE(p.grid().rowHeight(), 580);
    QCOMPARE(p.grid().fixedAlignment(0), int(Grid::Center));
}

void TestMemberRules::randomOrderQuestionShowsPicksInTurn() {
    // 四季: picks at positions 3 (冬), 0 (春), 1 (秋) leave 夏.
    Play p(kMonkeys + QStringLiteral("<四季>\r\n春,夏,秋,冬\r\n"),
           {draw0(1, 2), draw0(3, 4), draw0(0, 3), draw0(1, 2)});
    QVERIFY(!p.rules().inOrder());
    QCOMPARE(p.grid().textMatrix(0, 0), QStringLiteral("四季"));
    QCOMPARE(p.gridRows(), (QStringList{"冬", "春", "秋"}));
    QCOMPARE(p.engine->session().answer, QStringLiteral("夏"));
    QCOMPARE(p.random.used(), 4);
}

void TestMemberRules::oneMemberGroupShowsOnlyItsName() {
    // The four-member group first, then the one-member group: no row of the first may stay.
    Play p(QStringLiteral("<四季>\r\n春,夏,秋,冬\r\n<一人>\r\nひとり\r\n"), {0, 0, 0, 0, 0.75});
    QCOMPARE(p.gridRows().size(), 3);
    p.engine->makeQuestion();
    QCOMPARE(p.grid().textMatrix(0, 0), QStringLiteral("一人"));
    QCOMPARE(p.grid().rows(), 1);
    QCOMPARE(p.engine->session().answer, QStringLiteral("ひとり"));
}

void TestMemberRules::enterJudgesTheCommittedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QString>("listed");
    QTest::newRow("exact") << "いわざる" << true << "いわざる";
    QTest::newRow("katakana") << "イワザル" << false << "いわざる (イワザル)";
    QTest::newRow("trailing space") << "いわざる " << false << "いわざる (いわざる )";
    QTest::newRow("revealed form") << "_いわざる" << false << "いわざる (_いわざる)";
}

void TestMemberRules::enterJudgesTheCommittedText() {
    QFETCH(QString, typed);
    QFETCH(bool, correct);
    QFETCH(QString, listed);
    Play p(kMonkeys, {0, 0, 0, 0, draw0(2, 3)});
    p.engine->setExtra(0, QStringLiteral("1"));
    p.toGreen();
    p.clock.advance(0.25);
    p.engine->answerKeyDown(); // the first key; Enter replaces the reaction
    p.clock.advance(1.5);
    p.rules().onAnswerEntered(typed);
    QCOMPARE(p.engine->session().okCount, correct ? 1 : 0);
    QCOMPARE(p.engine->session().ngCount, correct ? 0 : 1);
    QCOMPARE(p.engine->answerList().rowTexts(1), (QStringList{"1", listed, "1.75"}));
    QCOMPARE(p.rules().typedChars(), int(typed.size()));
}

void TestMemberRules::escapeRevealsTheAnswer() {
    Play p(kMonkeys, {0, 0, 0, 0, draw0(2, 3)});
    p.engine->setExtra(0, QStringLiteral("1"));
    p.toGreen();
    QCOMPARE(p.rules().onEscapePressed(), QStringLiteral("_いわざる"));
    // Deleting the underscore makes it an ordinary right answer.
    p.rules().onAnswerEntered(QStringLiteral("いわざる"));
    QCOMPARE(p.engine->session().okCount, 1);
}

void TestMemberRules::escapeWhileIdleFocusesStart() {
    Play p;
    QSignalSpy cleared(p.engine.get(), &GameEngine::answerBoxCleared);
    QSignalSpy focus(p.engine.get(), &GameEngine::focusRequested);
    QVERIFY(p.rules().onEscapePressed().isNull());
    QCOMPARE(cleared.size(), 1);
    QCOMPARE(focus.size(), 1);
    QCOMPARE(focus.first().first().value<GameEngine::Focus>(), GameEngine::Focus::Start);
    QCOMPARE(p.engine->session().ngCount, 0);
}

void TestMemberRules::typedCharsArePerSecondCount() {
    Play p;
    p.engine->setTimeLimit(10);
    p.toGreen();
    for (const QString &typed : {QStringLiteral("いわざる"), QStringLiteral("みざる"), QStringLiteral("_みざる_")}) {
        p.clock.advance(1);
        p.rules().onAnswerEntered(typed);
    }
    QCOMPARE(p.rules().typedChars(), 12);
    p.engine->setFeedbackPauses(true);
    p.clock.advance(7);
    p.rules().onAnswerEntered(QStringLiteral("きかざる")); // counted after its pause, which the end interrupts
    p.engine->tickClock();
    QVERIFY(!p.engine->session().playing);
    QCOMPARE(p.engine->scoreboard().perSecond, QStringLiteral("1.20/秒"));
    p.engine->finishFeedbackNow();
    QCOMPARE(p.rules().typedChars(), 16);
    QVERIFY(test::readSjis(p.dir.path(), QStringLiteral("抜仲間履歴.txt"))
                .contains(QStringLiteral(",\"1.20/秒\",\"10秒\"\r\n")));
    p.engine->start();
    QCOMPARE(p.rules().typedChars(), 0);
    QCOMPARE(p.grid().rows(), 1);
    QCOMPARE(p.grid().textMatrix(0, 0), QString());
}

void TestMemberRules::gridFlashesAndReturnsToWhite() {
    Play p(kMonkeys, {0, 0, 0, 0, draw0(2, 3), 0, draw0(2, 3)});
    p.engine->setExtra(0, QStringLiteral("1"));
    p.engine->setFeedbackPauses(true);
    p.toGreen();
    p.rules().onAnswerEntered(QStringLiteral("いわざる"));
    QCOMPARE(p.grid().backColor(), (Rgb{0, 255, 0}));
    p.engine->finishFeedbackNow();
    QCOMPARE(p.grid().backColor(), kWhite);
    p.rules().onAnswerEntered(QStringLiteral("みざる"));
    QCOMPARE(p.grid().backColor(), (Rgb{255, 0, 0}));
    p.engine->finishFeedbackNow();
    QCOMPARE(p.grid().backColor(), kWhite);
}

void TestMemberRules::answerListScrollsBeyondElevenRows() {
    Play p;
    p.toGreen();
    QList<int> tops;
    for (int i = 1; i <= 12; ++i) {
        p.rules().onAnswerEntered(QStringLiteral("x"));
        tops << p.engine->answerList().topRow();
    }
    QCOMPARE(tops, (QList<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 11, 12}));
}

void TestMemberRules::shippedDictionaryHoldsGroups() {
    const QByteArray bytes = test::readBytes(QStringLiteral(MIRUTE_DEFAULT_DATA), QStringLiteral("抜仲間辞書.TXT"));
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    Play p{QString()};
    QVERIFY(QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/抜仲間辞書.TXT"), p.dir.filePath("抜仲間辞書.TXT")));
    QCOMPARE(p.engine->open(), QString());
    QCOMPARE(p.engine->openNotice(), QString());
    const QList<MemberGroup> &groups = p.rules().groups();
    QVERIFY2(groups.size() >= 30, qPrintable(QString::number(groups.size())));
    bool monkeys = false;
    for (const MemberGroup &g : groups) {
        QVERIFY2(!g.name.isEmpty(), "a group without a name");
        QVERIFY2(g.members.size() >= 2 && g.members.size() <= 20, qPrintable(g.name));
        QCOMPARE(QSet<QString>(g.members.begin(), g.members.end()).size(), g.members.size());
        monkeys = monkeys || g.members.contains(QStringLiteral("いわざる"));
    }
    QVERIFY(monkeys);
}

QTEST_GUILESS_MAIN(TestMemberRules)
#include "tst_member_rules.moc"
