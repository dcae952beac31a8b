// Opens every panel and every game window on a sample folder (or the folder given) and writes a picture of each, so that a
// person can look at every screen: scripts/screenshots.sh runs it under Xvfb.
#include "core/base/day_time.h"
#include "core/games/common/game_history.h"
#include "core/games/common/history_file.h"
#include "core/log/app_state.h"
#include "core/log/daily_goal.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "gui/app/app_controller.h"
#include "gui/app/main_window.h"
#include "gui/games/common/game_window.h"
#include "gui/panels/backup_restore_dialog.h"
#include "gui/panels/goal_dialog.h"
#include "gui/widgets/message_dialog.h"
#include "sample_log/sample_log.h"
#include "support/fake_clock.h"
#include "support/game_play.h"
#include "support/layout_check.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <random>

using namespace mirute;

namespace {

// Six weeks of practice: a few plays of different games on most days, with diaries.
void writeSampleFolder(const QString &dir, const QDate &today) {
    std::mt19937 rng(7);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    for (const QString &name : QDir(QStringLiteral(MIRUTE_DEFAULT_DATA)).entryList(QDir::Files))
        QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/") + name, QDir(dir).filePath(name));
    QDir(dir).mkpath(QStringLiteral("help"));
    for (const QString &name : QDir(QStringLiteral(MIRUTE_DEFAULT_DATA "/help")).entryList(QDir::Files))
        QFile::copy(QStringLiteral(MIRUTE_DEFAULT_DATA "/help/") + name, QDir(dir).filePath("help/" + name));
    const QStringList comments = {QStringLiteral("調子が良かった"), QStringLiteral("眠い, でも頑張った"),
                                  QStringLiteral("新記録！")};
    for (QDate d = today.addDays(-41); d <= today; d = d.addDays(1)) {
        if (pick(5) == 0)
            continue;
        const int plays = 1 + pick(5);
        for (int p = 0; p < plays; ++p) {
            const int game = pick(7);
            const QTime t(7 + pick(14), pick(60), pick(60));
            const double seconds = pick(2) ? 60 : 20 + pick(400) / 10.0;
            const int ok = 10 + pick(20), ng = pick(5);
            const QString diary = pick(4) == 0 ? comments[pick(3)]
                                               : QStringLiteral("秒数 : %1   答数 : %2  反応時間  0.%3秒")
                                                     .arg(seconds)
                                                     .arg(ok + ng)
                                                     .arg(50 + pick(49));
            appendPlayLine(dir, gamePlayLine(dateText(d), timeText(t), gameNames()[game], seconds, diary));
            HistoryRecord h{dateText(d),
                            timeText(t),
                            QString::number(ok + ng),
                            ok,
                            ng,
                            QStringLiteral("0.%1").arg(50 + pick(49)),
                            QStringLiteral("%1.0%").arg(100 * ok / (ok + ng)),
                            QStringLiteral("0.%1/秒").arg(30 + pick(60)),
                            QStringLiteral("%1秒").arg(seconds)};
            appendLine(dir, gameNames()[game] + QStringLiteral("履歴.txt"), historyLine(h));
        }
    }
    // A goal of three plays a day, one rest day a week: the main panel shows today's progress, the calendar
    // frames the days that met it.
    writeDailyGoal(dir, {GoalMeasure::Plays, 3, 1});
    // The answers of every play of the games that keep them, for their 苦手 views.
    for (int game = 1; game <= kGameCount; ++game)
        if (keepsAnswers(game))
            appendAnswers(dir, gameAnswersFile(gameNames()[game - 1]),
                          sample::sampleAnswers(game, readHistory(dir, gameHistoryFile(gameNames()[game - 1])).records,
                                                unsigned(game)));
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents();
    }
}

// On the standard error, what the layout check finds wrong in a window.
void report(QWidget *w, const QString &name) {
    settle();
    for (const QString &problem : test::layoutProblems(w))
        fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(problem));
}

// The picture, and what the layout check finds wrong in it.
void save(QWidget *w, const QString &out, const QString &name) {
    settle();
    w->grab().save(QDir(out).filePath(name + QStringLiteral(".png")));
    report(w, name);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    for (const QString &family : {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")}) {
        if (QFontDatabase::families().contains(family)) {
            QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), family);
            QFont f(family);
            f.setPointSize(10);
            QApplication::setFont(f);
            break;
        }
    }
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);
    QTemporaryDir dir;
    test::FakeClock clock(QDateTime(QDate(2026, 12, 6), QTime(21, 0)));
    setAppClock(&clock);
    // A folder given after the output folder (e.g. one written by mirute-sample) is used as it is.
    QString folder = dir.path();
    if (argc > 2)
        folder = QString::fromLocal8Bit(argv[2]);
    else
        writeSampleFolder(dir.path(), clock.now().date());
    MessageDialog::setAutoAnswer(true);
    appState().firstStartDone = true;

    AppController controller(folder);
    controller.showMain();
    MainWindow *main = controller.mainWindow();
    save(main, out, QStringLiteral("01_main"));
    {
        GoalDialog goal(folder, readDailyGoal(folder).goal, main);
        goal.show();
        save(&goal, out, QStringLiteral("01d_main_goal"));
    }
    // Each panel as it opens, then its other views (a panel button of the panel shown does nothing).
    const QList<std::tuple<QString, QString, QString>> views = {{"cmdMain", "cmdTotal", "01b_main_per_game"},
                                                                {"cmdMain", "cmdJikan", "01c_main_per_hour"},
                                                                {"cmdRentai", "", "02_all_graphs"},
                                                                {"cmdRentai", "cmdJikan2", "02b_all_graphs_hours"},
                                                                {"cmdRentai", "cmdHigoto2", "02c_all_graphs_days"},
                                                                {"cmdTaijyu", "", "03_range"},
                                                                {"cmdTaijyu", "cmdJikan3", "03b_range_hours"},
                                                                {"cmdTaijyu", "cmdKikan2", "03c_range_week"},
                                                                {"cmdBunseki", "", "04_sort"},
                                                                {"cmdSyuukei", "", "05_totals"},
                                                                {"cmdSyuukei", "optList2_2", "05b_totals_both"},
                                                                {"cmdCale", "", "06_calendar"},
                                                                {"cmdSyuu", "", "06b_weekly_scores"},
                                                                {"cmdMemo", "", "07_diary"},
                                                                {"cmdSettei", "", "08_edit"}};
    for (const auto &[panel, view, name] : views) {
        main->button(panel)->click();
        if (!view.isEmpty())
            main->findChild<QAbstractButton *>(view)->click();
        save(main, out, name);
    }
    {
        // The list of 編集's 「バックアップから復元」, as a month of edits leaves it: diary saves and deletes, a
        // history cleared, a new start of the log and every history, a restore.
        auto file = [](const QString &name, int plays, const QString &last) {
            return RestoreFile{name, RestoreFile::State::Sound, {}, plays, true, "2025/01/04", last};
        };
        const QList<BackupAction> actions = {BackupAction::Diary,        BackupAction::Delete,  BackupAction::Diary,
                                             BackupAction::HistoryClear, BackupAction::Restore, BackupAction::NewStart,
                                             BackupAction::Diary,        BackupAction::Unknown};
        QList<RestoreEntry> entries;
        for (int i = 0; i < actions.size(); ++i) {
            RestoreEntry e{QString(), clock.now().addSecs(-i * 97000), actions[i], {}};
            if (actions[i] != BackupAction::HistoryClear)
                e.files << file(kPlayLogFile, 1200 - i * 3, "2026/12/0" + QString::number(6 - i / 2));
            for (int g = 0; g < kGameCount; ++g)
                if (actions[i] == BackupAction::NewStart || (actions[i] == BackupAction::HistoryClear && g == 5))
                    e.files << file(gameHistoryFile(gameNames()[g]), 150 + g * 11, "2026/11/28");
            entries << e;
        }
        entries[6].files[0].complete = false;
        BackupRestoreDialog restore(entries, main);
        restore.findChild<QTreeWidget *>(QStringLiteral("lstBackup"))->topLevelItem(5)->setExpanded(true);
        restore.show();
        save(&restore, out, QStringLiteral("08_edit_restore"));
    }
    main->button("cmdMain")->click();
    main->button("cmdGame")->click();
    save(main, out, QStringLiteral("09_launcher"));

    for (int game = 1; game <= 7; ++game) {
        controller.openGame(game);
        auto *w = qobject_cast<GameWindow *>(controller.gameWindow());
        if (!w)
            continue;
        GameEngine &engine = w->engine();
        engine.setTimersRunning(false);
        engine.setFeedbackPauses(false);
        const QString base = QStringLiteral("1%1_game%2").arg(game).arg(game);
        save(w, out, base + QStringLiteral("_idle"));
        // A play under way: the green light and a few answers.
        engine.start();
        for (int i = 0; i < 3; ++i)
            engine.tickStart();
        for (int i = 0; i < 3; ++i) {
            clock.advance(1.3);
            test::answerRightly(w);
        }
        save(w, out, base);
        // Its end: the time is up, or the last answer is given.
        for (int i = 0; i < 200 && engine.session().playing; ++i) {
            clock.advance(1.0);
            if (engine.gameMode() == GameMode::TimeLimit)
                engine.tickClock();
            else
                test::answerRightly(w);
        }
        save(w, out, base + QStringLiteral("_end"));
        // Every chart is checked; two of them are pictured (one series, and ＯＫ and ＮＧ).
        for (const char *name : {"cmdByou", "cmdMoji", "cmdRitu", "cmdPByou", "cmdKaitou"}) {
            auto *button = w->findChild<QPushButton *>(QString::fromLatin1(name));
            test::clickWhereShown(w, button);
            const QString picture = base + QStringLiteral("_chart_") + QString::fromLatin1(name).mid(3);
            if (qstrcmp(name, "cmdByou") == 0 || qstrcmp(name, "cmdKaitou") == 0)
                save(w, out, picture);
            else
                report(w, picture);
        }
        test::clickWhereShown(w, w->findChild<QPushButton *>("cmdAllDsp"));
        save(w, out, base + QStringLiteral("_all"));
        // The 苦手 view in both orders, with 苦手練習 ticked.
        if (engine.keepsAnswers()) {
            w->findChild<QAbstractButton *>("chkNigate")->click();
            test::clickWhereShown(w, w->findChild<QPushButton *>("cmdNigateGotou"));
            save(w, out, base + QStringLiteral("_weak"));
            test::clickWhereShown(w, w->findChild<QPushButton *>("cmdNigateOsoi"));
            save(w, out, base + QStringLiteral("_weak_slow"));
        }
        test::clickWhereShown(w, w->findChild<QPushButton *>("cmdEnd"));
        settle();
        main = controller.mainWindow();
    }
    setAppClock(nullptr);
    return 0;
}
