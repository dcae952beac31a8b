#include "app/export_tool.h"

#include "log/day_time.h"
#include "ui/grid.h"

#include <QDir>
#include <QFileInfo>

namespace mirute {

QMap<QString, ExportFunction> &exportViews() {
    static QMap<QString, ExportFunction> views;
    return views;
}

void registerExportView(const QString &name, ExportFunction f) { exportViews().insert(name, std::move(f)); }

Table gridTable(const Grid &grid) { return grid.allRows(); }

QString csvLine(const QStringList &cells) {
    QStringList fields;
    fields.reserve(cells.size());
    for (const QString &c : cells) {
        if (c.contains(u',') || c.contains(u'"') || c.contains(u'\n') || c.contains(u'\r')) {
            QString quoted = c;
            quoted.replace(u'"', QStringLiteral("\"\""));
            fields << u'"' + quoted + u'"';
        } else {
            fields << c;
        }
    }
    return fields.join(u',');
}

bool exportDateOption(const ExportRequest &r, const QString &name, QDate *date, ExportError *error) {
    const QString text = r.options.value(name);
    *date = parseDateText(text);
    if (text.isEmpty() || !date->isValid()) {
        *error = {2, QStringLiteral("--%1 には yyyy/mm/dd の日付が必要です: %2").arg(name, text)};
        return false;
    }
    return true;
}

namespace {

const QStringList kValueOptions = {"dir",     "date",    "from",    "to",      "weekday",
                                   "key",     "measure", "seconds", "answers", "today"};

bool parseArguments(const QStringList &args, ExportRequest *r, ExportError *error) {
    r->dir = QDir::currentPath();
    r->today = QDate::currentDate();
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a.startsWith(QStringLiteral("--"))) {
            const QString name = a.mid(2);
            if (!kValueOptions.contains(name)) {
                *error = {2, QStringLiteral("知らないオプションです: %1").arg(a)};
                return false;
            }
            if (i + 1 >= args.size()) {
                *error = {2, QStringLiteral("%1 の値がありません").arg(a)};
                return false;
            }
            r->options.insert(name, args[++i]);
        } else if (r->view.isEmpty()) {
            r->view = a;
        } else {
            r->arguments << a;
        }
    }
    if (r->options.contains("dir"))
        r->dir = r->options.value("dir");
    if (r->options.contains("today")) {
        r->today = parseDateText(r->options.value("today"));
        if (!r->today.isValid()) {
            *error = {2, QStringLiteral("--today には yyyy/mm/dd の日付が必要です")};
            return false;
        }
    }
    if (r->view.isEmpty()) {
        *error = {2, QStringLiteral("使い方: mirute-export [--dir DIR] VIEW [OPTIONS]（VIEW: %1）")
                         .arg(exportViews().keys().join(QStringLiteral(", ")))};
        return false;
    }
    if (!exportViews().contains(r->view)) {
        *error = {2, QStringLiteral("知らない表です: %1（%2）")
                         .arg(r->view, exportViews().keys().join(QStringLiteral(", ")))};
        return false;
    }
    if (!QFileInfo(r->dir).isDir()) {
        *error = {2, QStringLiteral("フォルダがありません: %1").arg(r->dir)};
        return false;
    }
    return true;
}

} // namespace

void registerBuiltInExportViews();

int runExport(const QStringList &args, QTextStream &out, QTextStream &err) {
    registerBuiltInExportViews();
    ExportRequest request;
    ExportError error;
    Table table;
    if (!parseArguments(args, &request, &error) || !exportViews().value(request.view)(request, &table, &error)) {
        err << "mirute-export: " << error.message << "\n";
        return error.status == 0 ? 1 : error.status;
    }
    for (const QStringList &row : table)
        out << csvLine(row) << "\n";
    return 0;
}

} // namespace mirute
