#include "core/export/export_tool.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/log/daily_goal.h"
#include "core/tables/grid.h"
#include "core/tables/grid_csv.h"

#include <QDir>
#include <QFileInfo>

namespace mirute {

QMap<QString, ExportView> &exportViews() {
    static QMap<QString, ExportView> views;
    return views;
}

void registerExportView(const QString &name, const ExportView &view) {
    exportViews().insert(name, view);
}

Table gridTable(const Grid &grid) {
    return grid.allRows();
}

QString csvLine(const QStringList &cells, bool raw) {
    QStringList fields;
    fields.reserve(cells.size());
    for (const QString &c : cells)
        fields << csvField(c, raw ? CsvCells::Raw : CsvCells::Safe);
    return fields.join(u',');
}

QDate exportDate(const ExportRequest &r, const QString &name) {
    return parseDateText(r.options.value(name));
}

namespace {

// Options every view takes.
const QStringList kCommonOptions = {QStringLiteral("dir"), QStringLiteral("today")};

// Why an option's value cannot be used, or "" when it can.
QString valueProblem(const QString &name, const QString &value) {
    const QString option = QStringLiteral("--") + name;
    if (name == u"date" || name == u"from" || name == u"to" || name == u"today") {
        if (!isStoredDate(value))
            return QStringLiteral("%1 には yyyy/mm/dd の日付が必要です: %2").arg(option, value);
    } else if (name == u"weekday") {
        const auto w = parseInteger(value);
        if (!w || *w < 0 || *w > 6)
            return QStringLiteral("%1 は 0（日）から 6（土）です: %2").arg(option, value);
    } else if (name == u"measure") {
        if (value != u"time" && value != u"count" && value != u"both")
            return QStringLiteral("%1 は time, count, both のどれかです: %2").arg(option, value);
    } else if (name == u"goal") {
        DailyGoal goal;
        if (!parseGoalText(value, &goal))
            return QStringLiteral(
                       "%1 は 15分、5回、3種類 のような目標（分 1〜%2、回 1〜%3、種類 1〜%4）か なし です: %5")
                .arg(option)
                .arg(goalTargetMax(GoalMeasure::Minutes))
                .arg(goalTargetMax(GoalMeasure::Plays))
                .arg(goalTargetMax(GoalMeasure::Games))
                .arg(value);
    } else if (name == u"rest") {
        const auto n = parseInteger(value);
        if (!n || *n < 0 || *n > kMaxRestDays)
            return QStringLiteral("%1 は 0 から %2 です: %3").arg(option).arg(kMaxRestDays).arg(value);
    } else if (name == u"seconds" || name == u"answers" || name == u"plays") {
        const auto n = parseInteger(value);
        if (!n || *n <= 0 || value.trimmed() != value || value.startsWith(u'+'))
            return QStringLiteral("%1 には 1 以上の整数が必要です: %2").arg(option, value);
    }
    return {};
}

QString knownViews() {
    return exportViews().keys().join(QStringLiteral(", "));
}

// Reads the command line, checking every word; each mistake adds one line to *problems.
void parseArguments(const QStringList &args, ExportRequest *r, QStringList *problems) {
    r->dir = QDir::currentPath();
    r->today = QDate::currentDate();
    QStringList extra;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == u"--raw") {
            r->raw = true;
            continue;
        }
        if (!a.startsWith(QStringLiteral("--"))) {
            if (r->view.isEmpty())
                r->view = a;
            else
                extra << a;
            continue;
        }
        if (i + 1 >= args.size()) {
            *problems << QStringLiteral("%1 の値がありません").arg(a);
            r->options.insert(a.mid(2), QString()); // named, so not reported a second time as missing
            continue;
        }
        const QString name = a.mid(2);
        const QString value = args[++i];
        if (r->options.contains(name))
            *problems << QStringLiteral("%1 が二度あります").arg(a);
        else if (const QString p = valueProblem(name, value); !p.isEmpty())
            *problems << p;
        r->options.insert(name, value);
    }
    if (r->view.isEmpty()) {
        *problems << QStringLiteral("使い方: mirute-export [--dir DIR] VIEW [OPTIONS]（VIEW: %1、詳しくは --help）")
                         .arg(knownViews());
        return;
    }
    if (!exportViews().contains(r->view)) {
        *problems << QStringLiteral("知らない表です: %1（%2）").arg(r->view, knownViews());
        return;
    }
    const ExportView &view = exportViews()[r->view];
    for (auto it = r->options.cbegin(); it != r->options.cend(); ++it)
        if (!kCommonOptions.contains(it.key()) && !view.options.contains(it.key()))
            *problems << QStringLiteral("%1 では使えないオプションです: --%2").arg(r->view, it.key());
    for (const QString &name : view.required)
        if (!r->options.contains(name))
            *problems << QStringLiteral("%1 には --%2 が必要です").arg(r->view, name);
    if (!view.argument.isEmpty()) {
        const QString word = extra.isEmpty() ? QString() : extra.takeFirst();
        if (!view.choices.contains(word))
            *problems << QStringLiteral("%1 には%2が必要です（%3）: %4")
                             .arg(r->view, view.argument, view.choices.join(QStringLiteral(", ")), word);
        r->arguments << word;
    }
    for (const QString &word : extra)
        *problems << QStringLiteral("余分な引数です: %1").arg(word);
    if (r->options.contains(QStringLiteral("dir")))
        r->dir = r->options.value(QStringLiteral("dir"));
    if (!QFileInfo(r->dir).isDir())
        *problems << QStringLiteral("フォルダがありません: %1").arg(r->dir);
    if (r->options.contains(QStringLiteral("today")))
        r->today = exportDate(*r, QStringLiteral("today"));
}

} // namespace

void registerBuiltInExportViews();

QString exportUsage() {
    registerBuiltInExportViews();
    QString text =
        QStringLiteral("使い方: mirute-export [--dir フォルダ] [--today yyyy/mm/dd] [--raw] 表 [引数] [オプション]\n"
                       "作業フォルダのデータから、画面と同じ表を UTF-8 の CSV で出力します。\n"
                       "  --dir フォルダ     データのあるフォルダ（省略時は今のフォルダ）\n"
                       "  --today 日付       今日として扱う日（省略時はパソコンの日付）\n"
                       "  --raw              =, +, -, @ などで始まる文字もそのまま出力（省略時は表計算ソフトが\n"
                       "                     式として実行しないよう、先頭に ' を付けます）\n"
                       "表:\n");
    for (auto it = exportViews().cbegin(); it != exportViews().cend(); ++it) {
        QStringList words{it.key()};
        if (!it->argument.isEmpty())
            words << it->argument;
        for (const QString &o : it->options) {
            const QString word = QStringLiteral("--%1 値").arg(o);
            words << (it->required.contains(o) ? word : QStringLiteral("[%1]").arg(word));
        }
        text += QStringLiteral("  %1\n      %2\n").arg(words.join(u' '), it->summary);
    }
    text += QStringLiteral("終了コード: 0 成功、1 ファイルを読めない、2 引数の誤り\n");
    return text;
}

int runExport(const QStringList &args, QTextStream &out, QTextStream &err) {
    registerBuiltInExportViews();
    if (args.contains(QStringLiteral("--help"))) {
        out << exportUsage();
        return 0;
    }
    ExportRequest request;
    QStringList problems;
    parseArguments(args, &request, &problems);
    if (!problems.isEmpty()) {
        for (const QString &p : problems)
            err << "mirute-export: " << p << "\n";
        return 2;
    }
    ExportError error;
    Table table;
    if (!exportViews().value(request.view).run(request, &table, &error)) {
        err << "mirute-export: " << error.message << "\n";
        return error.status == 0 ? 1 : error.status;
    }
    for (const QStringList &row : table)
        out << csvLine(row, request.raw) << "\n";
    return 0;
}

} // namespace mirute
