// Helper of the file-fault tests: does one real action of the program on the folder it is given, in a
// process of its own, and prints what the user would be told (UTF-8).
//   file_fault_child write ACTION FOLDER LIMIT   the action with every file limited to LIMIT bytes
//                                               (RLIMIT_FSIZE, SIGXFSZ ignored): writes past it fail with
//                                               EFBIG, as on a full disk, without root or a small disk
//   file_fault_child read KIND FOLDER            one reader; a test kills it when it does not come back
#include "core/games/common/answers_file.h"
#include "core/games/common/dictionary.h"
#include "core/games/common/game_engine.h"
#include "core/games/common/game_settings.h"
#include "core/games/common/history_file.h"
#include "core/games/common/weak_items.h"
#include "core/games/kana/kana_game.h"
#include "core/games/kana/kana_rules.h"
#include "core/log/app_state.h"
#include "core/log/memo.h"
#include "core/log/play_log.h"
#include "core/views/log_list.h"
#include "support/fake_clock.h"

#include <QCoreApplication>
#include <QString>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace mirute;

namespace {

const QString kStamp = QStringLiteral("20261206_143000");

HistoryRecord sampleHistory() {
    HistoryRecord r;
    r.date = QStringLiteral("2026/12/06");
    r.time = QStringLiteral("14:30:00");
    r.answers = QStringLiteral("25");
    r.ok = 20;
    r.ng = 5;
    r.reaction = QStringLiteral("0.85");
    r.rate = QStringLiteral("80.0%");
    r.perSecond = QStringLiteral("0.42/秒");
    r.seconds = QStringLiteral("60秒");
    return r;
}

// The core functions the windows call for each action; what the user would be told, "" for success.
QString write(const QString &action, const QString &dir) {
    if (action == QLatin1String("diary")) {
        Grid g;
        resetDiaryGrid(g);
        fillDiaryList(g, readPlayLog(dir).records);
        return replaceDiary(dir, g, 1, QStringLiteral("ずっと長くなった一言日記です。"), kStamp).result.error;
    }
    if (action == QLatin1String("delete")) {
        Grid g;
        resetEditGrid(g);
        fillEditList(g, readPlayLog(dir).records);
        return deleteLogRow(dir, g, 1, kStamp).error;
    }
    if (action == QLatin1String("memo"))
        return saveMemo(dir, QStringLiteral("古いメモに書き足した、ずっと長いメモです。\n二行目"), kStamp).error;
    if (action == QLatin1String("name"))
        return saveName(dir, QStringLiteral("ずっと長い名前の山田太郎")).error;
    if (action == QLatin1String("settings")) {
        // Opening a game repairs its damaged settings line: the repair is the rewrite.
        test::FakeClock clock;
        ScriptedRandom random;
        GameEngine engine(KanaGame::definition(), KanaGame::makeRules(), dir, clock, random);
        const QString error = engine.open();
        return error.isEmpty() ? engine.openNotice() : error;
    }
    if (action == QLatin1String("history"))
        return appendLine(dir, KanaGame::definition().historyFile(), historyLine(sampleHistory())).error;
    if (action == QLatin1String("answers"))
        return appendAnswers(dir, gameAnswersFile(QStringLiteral("抜かな")),
                             {{"2026/12/06", "14:30:00", QStringLiteral("え"), QStringLiteral("お"), false, 0.85}})
            .error;
    if (action == QLatin1String("weak"))
        return writeWeakSettings(dir, QStringLiteral("抜かな"), {true, 200}).error;
    if (action == QLatin1String("restore"))
        return restoreBackupSet(dir, QStringLiteral("20261101_090000"), kStamp).error;
    if (action == QLatin1String("log"))
        return appendPlayLine(dir, gamePlayLine("2026/12/06", "14:30:00", QStringLiteral("抜かな"), 60, "d")).error;
    return QStringLiteral("unknown action");
}

QString read(const QString &kind, const QString &dir) {
    if (kind == QLatin1String("log"))
        return readPlayLog(dir).error;
    if (kind == QLatin1String("history"))
        return readHistory(dir, KanaGame::definition().historyFile()).error;
    if (kind == QLatin1String("answers"))
        return readAnswers(dir, gameAnswersFile(QStringLiteral("抜かな"))).error;
    if (kind == QLatin1String("settings"))
        return readGameSettings(dir, KanaGame::definition()).notice;
    if (kind == QLatin1String("memo"))
        return readMemoFile(dir).error;
    if (kind == QLatin1String("name"))
        return readName(dir).error;
    if (kind == QLatin1String("dictionary")) {
        QStringList items;
        QString notice;
        return readUsableItems(
            dir, kKanaDictionary, [](const QString &) { return true; }, {}, &items, &notice);
    }
    return QStringLiteral("unknown kind");
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString said;
    if (args.size() == 5 && args[1] == QLatin1String("write")) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(args[4].toLongLong());
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            std::perror("setrlimit");
            return 2;
        }
        said = write(args[2], args[3]);
    } else if (args.size() == 4 && args[1] == QLatin1String("read")) {
        said = read(args[2], args[3]);
    } else {
        std::fprintf(stderr, "usage: file_fault_child write ACTION FOLDER LIMIT | read KIND FOLDER\n");
        return 2;
    }
    std::fputs(said.toUtf8().constData(), stdout);
    return 0;
}
