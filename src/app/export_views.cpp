#include "app/export_tool.h"

#include "games/common/game_history.h"
#include "games/game_catalog.h"
#include "log/game_names.h"
#include "log/log_list.h"
#include "views/all_graphs.h"
#include "views/calendar.h"
#include "views/day_view.h"
#include "views/range_view.h"
#include "views/sort_view.h"
#include "views/totals.h"
#include "log/day_time.h"
#include "log/number_format.h"
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
    if (!checkComplete(def.historyFile(), history.lastError(), history.lastProblems(), error))
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

// Points of a chart as two columns: the label and the value as the chart is given it.
Table chartTable(const ChartData &chart, const QStringList &header, int column = 1) {
    Table t{header};
    for (int row = 1; row <= chart.rowCount(); ++row)
        t.append({chart.rowLabel(row), formatNumber(chart.value(row, column))});
    return t;
}

// The tables of 全グラフ: plays, games, days and the hour chart.
ExportFunction allGraphsView(const QString &which) {
    return [which](const ExportRequest &r, Table *table, ExportError *error) {
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        AllGraphs view;
        view.SHOW_RENTAI(log);
        if (which == QStringLiteral("plays"))
            *table = gridTable(view.msgDayList2());
        else if (which == QStringLiteral("games"))
            *table = gridTable(view.msgDayTotal2());
        else if (which == QStringLiteral("days"))
            *table = gridTable(view.msgDayList3());
        else {
            view.press(AllGraphsChart::Hours);
            const bool onMain3 = view.mcrMain3().isVisible() && !view.mcrMain2().isVisible();
            *table = chartTable(onMain3 ? view.mcrMain3() : view.mcrMain2(), {QStringLiteral("時"), QStringLiteral("秒")});
        }
        return true;
    };
}

// The tables of the calendar: month grid, week grid, legend and the weekday charts.
ExportFunction calendarView(const QString &which) {
    return [which](const ExportRequest &r, Table *table, ExportError *error) {
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        Calendar view;
        view.fill(log);
        if (which == QStringLiteral("calendar-month")) {
            *table = gridTable(view.msgCale());
        } else if (which == QStringLiteral("calendar-week")) {
            *table = gridTable(view.msgCale_w());
        } else if (which == QStringLiteral("calendar-legend")) {
            *table = {{QStringLiteral("凡例")}};
            for (int i = 0; i <= 6; ++i)
                table->append({view.lblHan(i)});
        } else {
            *table = {{QStringLiteral("曜"), QStringLiteral("回数"), QStringLiteral("秒")}};
            for (int row = 1; row <= view.mcrKensu().rowCount(); ++row)
                table->append({view.mcrKensu().rowLabel(row), formatNumber(view.mcrKensu().value(row)),
                               formatNumber(view.mcrKingaku().value(row))});
        }
        return true;
    };
}

// The main panel for --date: its day list, or its totals followed by the line 合計, time, rating.
ExportFunction dayView(bool totals) {
    return [totals](const ExportRequest &r, Table *table, ExportError *error) {
        QDate date;
        if (!exportDateOption(r, QStringLiteral("date"), &date, error))
            return false;
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        DayView view;
        view.INIT_DAY_GRIDS();
        const DaySummary &summary = view.show(log, date);
        if (!totals) {
            *table = gridTable(view.dayList());
            return true;
        }
        *table = gridTable(view.dayTotal());
        table->append({QStringLiteral("合計"), summary.emptyLog ? QStringLiteral("0:00:00") : summary.dayTotalText(),
                       summary.rating.caption});
        return true;
    };
}

// The range view for --from, --to, --weekday and --key, refreshed as its buttons would.
ExportFunction rangeView(bool totals) {
    return [totals](const ExportRequest &r, Table *table, ExportError *error) {
        QDate from, to;
        if (!exportDateOption(r, QStringLiteral("from"), &from, error) ||
            !exportDateOption(r, QStringLiteral("to"), &to, error))
            return false;
        int weekday = kAllWeekdays;
        if (r.options.contains("weekday")) {
            const auto w = parseInteger(r.options.value("weekday"));
            if (!w || *w < 0 || *w > 6) {
                *error = {2, QStringLiteral("--weekday は 0（日）から 6（土）です: %1").arg(r.options.value("weekday"))};
                return false;
            }
            weekday = int(*w);
        }
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        RangeView view([&log] { return log; }, gameNames());
        view.open();
        view.filter().from = dateText(from);
        view.filter().to = dateText(to);
        view.filter().key = r.options.value("key");
        view.filter().weekday = weekday;
        view.REFRESH_TAIJYU();
        *table = gridTable(totals ? view.totals() : view.list());
        return true;
    };
}

bool listView(const ExportRequest &r, Table *table, ExportError *error) {
    PlayLogData log;
    if (!readLog(r, &log, error))
        return false;
    Grid grid;
    INIT_ICHIRAN_GRID(grid);
    SHOW_ICHIRAN(grid, log.records);
    *table = gridTable(grid);
    return true;
}

ExportFunction totalsView(bool months) {
    return [months](const ExportRequest &r, Table *table, ExportError *error) {
        static const QMap<QString, TotalsMeasure> measures = {
            {QStringLiteral("time"), TotalsMeasure::Time},
            {QStringLiteral("count"), TotalsMeasure::Count},
            {QStringLiteral("both"), TotalsMeasure::Both}};
        const QString measure = r.options.value("measure", QStringLiteral("time"));
        if (!measures.contains(measure)) {
            *error = {2, QStringLiteral("--measure は time, count, both のどれかです: %1").arg(measure)};
            return false;
        }
        PlayLogData log;
        if (!readLog(r, &log, error))
            return false;
        Grid days, monthGrid;
        const QString first = log.records.isEmpty() ? QString() : log.records.first().date;
        const QString last = log.records.isEmpty() ? QString() : log.records.last().date;
        buildTotals(log.records, gameNames(), first, last, measures.value(measure), days, monthGrid);
        *table = gridTable(months ? monthGrid : days);
        return true;
    };
}

} // namespace

void registerBuiltInExportViews() {
    if (!exportViews().isEmpty())
        return;
    registerExportView(QStringLiteral("history"), historyView);
    registerExportView(QStringLiteral("diary"), diaryView);
    registerExportView(QStringLiteral("day"), dayView(false));
    registerExportView(QStringLiteral("day-totals"), dayView(true));
    registerExportView(QStringLiteral("range"), rangeView(false));
    registerExportView(QStringLiteral("range-totals"), rangeView(true));
    registerExportView(QStringLiteral("list"), listView);
    registerExportView(QStringLiteral("totals-month"), totalsView(true));
    registerExportView(QStringLiteral("totals-day"), totalsView(false));
    for (const char *name : {"plays", "games", "days", "hours"})
        registerExportView(QString::fromLatin1(name), allGraphsView(QString::fromLatin1(name)));
    for (const char *name : {"calendar-month", "calendar-week", "calendar-legend", "weekdays"})
        registerExportView(QString::fromLatin1(name), calendarView(QString::fromLatin1(name)));
}

} // namespace mirute
