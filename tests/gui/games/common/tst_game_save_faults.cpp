// A finished play is never lost to a file fault: the user is told, the play stays on screen, and "保存"
// saves it whole once the cause is gone, with its history line written exactly once.
#include "core/games/kana/kana_rules.h"
#include "core/log/app_state.h"
#include "core/log/play_log.h"
#include "gui/app/app_controller.h"
#include "gui/app/main_window.h"
#include "gui/games/common/game_window.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/test_files.h"
#include "support/window_helpers.h"

#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace mirute;

namespace {

const QString kHistoryFile = QStringLiteral("抜かな履歴.txt");

// Writes past `bytes` in any file fail with EFBIG while it lives, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        struct rlimit limited = m_old;
        limited.rlim_cur = rlim_t(bytes);
        m_set = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool isSet() const { return m_set; }

private:
    struct rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_set = false;
};

int lineCount(const QByteArray &bytes) {
    return int(bytes.count('\n'));
}

} // namespace

class TestGameSaveFaults : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fullDiskKeepsPlayForSave();
    void leavingAnUnsavedPlayAsksFirst();
    void unreadableHistoryToldAtOpening();
    void endSignalKeepsTheFinishedPlay_data();
    void endSignalKeepsTheFinishedPlay();
    void answersFailureKeepsThePlay();

private:
    GameWindow *openKana();
    // One answer-count play of one question, answered right; with automatic saving it is saved at its end.
    void playOneAnswer(GameWindow *w);
    QPushButton *saveButton(GameWindow *w) { return w->findChild<QPushButton *>(QStringLiteral("cmdHozon")); }
    QString dir() const { return m_dir->path(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppController> m_app;
    test::FakeClock m_clock;
    ScriptedRandom m_random;
};

void TestGameSaveFaults::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/抜かな辞書.TXT"), m_dir->filePath(kKanaDictionary));
    test::writeSjis(dir(), QStringLiteral("抜かな設定.txt"), QStringLiteral("1,60,\"答数\",1,0\r\n"));
    m_clock = test::FakeClock();
    m_random = ScriptedRandom();
    setAppClock(&m_clock);
    setAppRandom(&m_random);
    MessageDialog::setAutoAnswer(true);
    MessageDialog::clearShown();
    appState() = AppState{};
}

void TestGameSaveFaults::cleanup() {
    m_app.reset();
    setAppClock(nullptr);
    setAppRandom(nullptr);
    MessageDialog::setAutoAnswer(false);
    m_dir.reset();
}

GameWindow *TestGameSaveFaults::openKana() {
    m_app = std::make_unique<AppController>(dir());
    m_app->showMain();
    QTest::mouseClick(m_app->mainWindow()->button("cmdGame"), Qt::LeftButton);
    QTest::mouseClick(m_app->mainWindow()->button("cmdG1"), Qt::LeftButton);
    auto *w = qobject_cast<GameWindow *>(m_app->gameWindow());
    if (w) {
        w->engine().setTimersRunning(false);
        w->engine().setFeedbackPauses(false);
    }
    return w;
}

void TestGameSaveFaults::playOneAnswer(GameWindow *w) {
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdStart")), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w->engine().tickStart();
    m_clock.advance(1.5);
    QInputMethodEvent commit;
    commit.setCommitString(w->engine().session().answer);
    QApplication::sendEvent(w->answerBox(), &commit);
    QTest::keyClick(w->answerBox(), Qt::Key_Return);
}

void TestGameSaveFaults::fullDiskKeepsPlayForSave() {
    // A log longer than one history line: the history line fits under the limit, the play record does not.
    const QByteArray log = test::sjisBytes(
        QStringLiteral("\"2026/12/01\",\"09:00:00\",\"抜かな\",60,\"秒数 : 60   答数 : 25  反応時間  0.85秒\",\r\n"
                       "\"2026/12/02\",\"10:15:30\",\"抜数字\",180.28,\"first, second\",\r\n"));
    QVERIFY(rewriteBytes(dir(), kPlayLogFile, log).ok());
    GameWindow *w = openKana();
    QVERIFY(w);
    QVERIFY(!saveButton(w)->isEnabled()); // automatic saving
    MessageDialog::clearShown();
    {
        const FileSizeLimit full(log.size());
        QVERIFY(full.isSet());
        playOneAnswer(w);
    }
    QCOMPARE(MessageDialog::shown().size(), 1);
    const QString said = MessageDialog::shown().first().text;
    QVERIFY2(said.contains(kPlayLogFile) && said.contains(QStringLiteral("ディスクの空き容量が足りません")),
             qPrintable(said));
    // Nothing of the play is stored, not even its history line; the play stays on screen for "保存".
    QCOMPARE(test::readBytes(dir(), kPlayLogFile), log);
    QCOMPARE(lineCount(test::readBytes(dir(), kHistoryFile)), 0);
    QCOMPARE(w->findChild<GridWidget *>(QStringLiteral("msgRireki"))->grid().rows(), 1);
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblOk"))->text(), QStringLiteral("1"));
    QVERIFY(saveButton(w)->isEnabled());

    // Room again: "保存" writes the whole play once.
    QTest::mouseClick(saveButton(w), Qt::LeftButton);
    QCOMPARE(lineCount(test::readBytes(dir(), kHistoryFile)), 1);
    QCOMPARE(lineCount(test::readBytes(dir(), kPlayLogFile)), 3);
    QVERIFY(test::readBytes(dir(), kPlayLogFile).startsWith(log));
    QCOMPARE(w->findChild<GridWidget *>(QStringLiteral("msgRireki"))->grid().rows(), 2);
    QVERIFY(!saveButton(w)->isEnabled());
    QCOMPARE(MessageDialog::shown().size(), 1);
}

// After a failed save the play waits for "保存"; "戻り" and "スタート" ask before it is lost, and Cancel keeps it.
void TestGameSaveFaults::leavingAnUnsavedPlayAsksFirst() {
    GameWindow *w = openKana();
    QVERIFY(w);
    {
        const FileSizeLimit full(0);
        QVERIFY(full.isSet());
        playOneAnswer(w);
    }
    QVERIFY(saveButton(w)->isEnabled());
    auto *back = w->findChild<QPushButton *>(QStringLiteral("cmdEnd"));
    MessageDialog::clearShown();
    MessageDialog::setNextAnswer(MessageDialog::Cancel);
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(test::countShown(QStringLiteral("戻り確認")), 1);
    QApplication::processEvents();
    QCOMPARE(m_app->gameWindow(), w);
    QVERIFY(!m_app->mainWindow());
    // "スタート" asks as well before the play is dropped.
    MessageDialog::setNextAnswer(MessageDialog::Cancel);
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdStart")), Qt::LeftButton);
    QCOMPARE(test::countShown(QStringLiteral("スタート確認")), 1);
    QVERIFY(w->engine().startEnabled() && saveButton(w)->isEnabled());

    // Saved now: "戻り" leaves without a question.
    QTest::mouseClick(saveButton(w), Qt::LeftButton);
    QCOMPARE(lineCount(test::readBytes(dir(), kPlayLogFile)), 1);
    MessageDialog::clearShown();
    QTest::mouseClick(back, Qt::LeftButton);
    QApplication::processEvents();
    QCOMPARE(MessageDialog::shown().size(), 0);
    QVERIFY(!m_app->gameWindow());
    QVERIFY(m_app->mainWindow());
}

void TestGameSaveFaults::unreadableHistoryToldAtOpening() {
    // A folder in the history file's place: unreadable and unwritable even for root.
    QVERIFY(QDir(dir()).mkdir(kHistoryFile));
    GameWindow *w = openKana();
    QVERIFY(w);
    auto toldAbout = [](const QString &file, const QString &cause) {
        for (const MessageDialog::Shown &s : MessageDialog::shown())
            if (s.text.contains(file) && s.text.contains(cause))
                return true;
        return false;
    };
    QVERIFY(toldAbout(kHistoryFile, QStringLiteral("同じ名前のフォルダがあります")));
    MessageDialog::clearShown();
    playOneAnswer(w);
    QVERIFY(toldAbout(kHistoryFile, QStringLiteral("同じ名前のフォルダがあります")));
    QVERIFY(test::readBytes(dir(), kPlayLogFile).isEmpty());
    QVERIFY(saveButton(w)->isEnabled());

    // The user moves the folder away and saves the play that stayed on screen.
    QVERIFY(QDir(dir()).rmdir(kHistoryFile));
    QTest::mouseClick(saveButton(w), Qt::LeftButton);
    QCOMPARE(lineCount(test::readBytes(dir(), kHistoryFile)), 1);
    QCOMPARE(lineCount(test::readBytes(dir(), kPlayLogFile)), 1);
}

void TestGameSaveFaults::endSignalKeepsTheFinishedPlay_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("saveFailed"); // else manual saving, "保存" not pressed
    QTest::addColumn<bool>("savedAtNextStart");
    QTest::newRow("logout, manual saving") << SIGTERM << false << true;
    QTest::newRow("terminal closed, failed save") << SIGHUP << true << true;
    QTest::newRow("Ctrl+C, the play not wanted") << SIGINT << false << false;
}

// Logout, shutdown or Ctrl+C end a real program through its event loop: the finished play that was not saved
// is kept, and the next start asks whether to save it.
void TestGameSaveFaults::endSignalKeepsTheFinishedPlay() {
    QFETCH(int, signalNumber);
    QFETCH(bool, saveFailed);
    QFETCH(bool, savedAtNextStart);
    // A folder in the history file's place makes the automatic save fail.
    test::writeSjis(dir(), QStringLiteral("抜かな設定.txt"),
                    QStringLiteral("1,60,\"答数\",%1,0\r\n").arg(int(saveFailed)));
    QVERIFY(!saveFailed || QDir(dir()).mkdir(kHistoryFile));
    QProcess child;
    child.start(QStringLiteral(MIRUTE_END_SIGNAL_CHILD), {dir()});
    QVERIFY(child.waitForReadyRead(60000));
    QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("ready"));
    QCOMPARE(::kill(pid_t(child.processId()), signalNumber), 0);
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY(test::readBytes(dir(), kPlayLogFile).isEmpty());
    QCOMPARE(lineCount(test::readBytes(dir(), kKeptPlaysFile)), 2);
    QVERIFY(!saveFailed || QDir(dir()).rmdir(kHistoryFile));

    MessageDialog::setNextAnswer(savedAtNextStart ? MessageDialog::Ok : MessageDialog::Cancel);
    m_app = std::make_unique<AppController>(dir());
    m_app->showMain();
    QCOMPARE(test::countShown(QStringLiteral("未保存のプレイ")), 1);
    QVERIFY(!QFileInfo::exists(QDir(dir()).filePath(kKeptPlaysFile)));
    QCOMPARE(lineCount(test::readBytes(dir(), kPlayLogFile)), savedAtNextStart ? 1 : 0);
    QCOMPARE(lineCount(test::readBytes(dir(), kHistoryFile)), savedAtNextStart ? 1 : 0);
}

// The answers go after the history line and the play record: a full disk for them costs the play nothing.
void TestGameSaveFaults::answersFailureKeepsThePlay() {
    const QString answersFile = QStringLiteral("抜かな解答.txt");
    const QByteArray answers =
        test::sjisBytes(QStringLiteral("\"2026/12/01\",\"09:00:00\",\"え\",\"え\",\"正解\",0.85\r\n").repeated(40));
    QVERIFY(rewriteBytes(dir(), answersFile, answers).ok());
    GameWindow *w = openKana();
    QVERIFY(w);
    MessageDialog::clearShown();
    {
        const FileSizeLimit full(answers.size() / 2);
        QVERIFY(full.isSet());
        playOneAnswer(w);
    }
    QCOMPARE(MessageDialog::shown().size(), 1);
    const QString said = MessageDialog::shown().first().text;
    QVERIFY2(said.contains(answersFile) && said.contains(QStringLiteral("プレイの結果は保存しました")),
             qPrintable(said));
    QCOMPARE(lineCount(test::readBytes(dir(), kHistoryFile)), 1);
    QCOMPARE(lineCount(test::readBytes(dir(), kPlayLogFile)), 1);
    QCOMPARE(test::readBytes(dir(), answersFile), answers);
    QVERIFY(!saveButton(w)->isEnabled()); // saved: nothing waits for "保存"
}

QTEST_MAIN(TestGameSaveFaults)
#include "tst_game_save_faults.moc"
