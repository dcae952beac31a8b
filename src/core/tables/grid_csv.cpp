#include "core/tables/grid_csv.h"

#include "core/base/text_file.h"
#include "core/tables/grid.h"

namespace mirute {

QString csvField(const QString &text) {
    const bool needsQuotes = text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!needsQuotes)
        return text;
    QString quoted = text;
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
