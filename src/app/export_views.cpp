#include "app/export_tool.h"

#include "games/common/game_history.h"
#include "games/game_catalog.h"
#include "log/game_names.h"
#include "log/log_list.h"
#include "log/play_log.h"

namespace mirute {

namespace {

// A file that could not be read completely stops the export with its name and lines.
bool checkComplete(const QString &fileName, const QString &error, const QList<LineProblem> &problems,
                   ExportError *out) {
    if (!error.isEmpty()) {
        *out = {1, error};
        return false;
    }
    if (!problems.isEmpty()) {
        *out = {1, problemsMessage(fileName, problems).split(QStringLiteral("\r\n")).first()};
        return false;
    }
    return true;
}

bool historyView(const ExportRequest &r, Table *table, ExportError *error) {
    const int gameNo = gameNoOf(r.arguments.value(0));
    if (gameNo == 0) {
        *error = {2, QStringLiteral("ゲーム名を指定してください（%1）").arg(gameNames().join(QStringLiteral(", ")))};
        return false;
    }
    const GameDefinition def = gameDefinition(gameNo);
    GameHistory history(def, r.dir);
    if (r.options.contains("seconds"))
        history.filterSeconds(r.options.value("seconds"));
    else if (r.options.contains("answers"))
        history.filterAnswers(r.options.value("answers"));
    else
        history.showAll();
    if (!checkComplete(def.historyFile(), {}, history.lastProblems(), error))
        return false;
    *table = gridTable(history.list());
    return true;
}

// The play log, read completely, or the export stops naming its damaged lines.
bool readLog(const ExportRequest &r, PlayLogData *log, ExportError *error) {
    *log = readPlayLog(r.dir);
    return checkComplete(kPlayLogFile, log->error, log->problems, error);
}

bool diaryView(const ExportRequest &r, Table *table, ExportError *error) {
    PlayLogData log;
    if (!readLog(r, &log, error))
        return false;
    Grid grid;
    INIT_MEMO_GRID(grid);
    fillLogList(grid, log, 16);
    *table = gridTable(grid);
    return true;
}

} // namespace

void registerBuiltInExportViews() {
    if (!exportViews().isEmpty())
        return;
    registerExportView(QStringLiteral("history"), historyView);
    registerExportView(QStringLiteral("diary"), diaryView);
}

} // namespace mirute
