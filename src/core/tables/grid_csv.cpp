#include "core/tables/grid_csv.h"

#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/tables/grid.h"

namespace mirute {

namespace {

bool startsAsFormula(const QString &text) {
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case u'=':
    case u'@':
    case u'\t':
    case u'\r': return true;
    case u'+':
    case u'-': return !parseNumber(text);
    default: return false;
    }
}

} // namespace

QString csvField(const QString &text, CsvCells cells) {
    QString quoted = cells == CsvCells::Safe && startsAsFormula(text) ? u'\'' + text : text;
    const bool needsQuotes =
        quoted.contains(u',') || quoted.contains(u'"') || quoted.contains(u'\r') || quoted.contains(u'\n');
    if (!needsQuotes)
        return quoted;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray csvBytes(const QList<QStringList> &rows) {
    QString text;
    for (const QStringList &row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString &cell : row)
            fields.append(csvField(cell));
        text += fields.join(u',');
        text += QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString saveGridCsv(const Grid &grid, const QString &path) {
    if (path.isEmpty())
        return QStringLiteral("ファイル名がありません。");
    return writeWholeFile(path, csvBytes(grid.allRows())).error;
}

} // namespace mirute
