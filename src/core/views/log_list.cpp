#include "core/views/log_list.h"

#include "core/base/number_format.h"
#include "core/base/number_texts.h"
#include "core/base/user_text.h"

namespace mirute {
namespace {

// The lists scroll to their newest row beyond these many rows, header included.
constexpr int kDiaryRowsShown = 16;
constexpr int kEditRowsShown = 24;

void fillLogList(Grid &g, const QList<PlayRecord> &records, int scrollBeyondRows) {
    {
        GridBatch batch(g);
        g.setRows(int(records.size()) + 1);
        int n = 1;
        SecondsTexts seconds;
        for (const PlayRecord &r : records) {
            g.setTextMatrix(n, 0, numberText(n));
            g.setTextMatrix(n, 1, r.date);
            g.setTextMatrix(n, 2, r.time);
            g.setTextMatrix(n, 3, r.game);
            g.setTextMatrix(n, 4, seconds.text(r.seconds));
            g.setTextMatrix(n, kDiaryColumn, r.diary);
            ++n;
        }
    }
    if (g.rows() > scrollBeyondRows)
        g.setTopRow(g.rows() - 1);
}

PlayRecord recordOfRow(const Grid &g, int row, bool *ok) {
    PlayRecord r;
    r.date = g.textMatrix(row, 1);
    r.time = g.textMatrix(row, 2);
    r.game = g.textMatrix(row, 3);
    const auto seconds = parseNumber(g.textMatrix(row, 4));
    *ok = seconds.has_value();
    r.seconds = seconds ? float(*seconds) : 0.0f;
    r.diary = g.textMatrix(row, kDiaryColumn);
    return r;
}

} // namespace

void resetDiaryGrid(Grid &g) {
    setUpGrid(g, 9,
              {{QStringLiteral("回数"), 570, Grid::Right},
               {QStringLiteral("日付"), 1140, Grid::Center},
               {QStringLiteral("時間"), 870, Grid::Center},
               {QStringLiteral("項目"), 1850, Grid::Left},
               {QStringLiteral("秒数"), 650, Grid::Right},
               {QStringLiteral("一言日記"), 6000, Grid::Left}});
}

void resetEditGrid(Grid &g) {
    setUpGrid(g, 11,
              {{QStringLiteral("回数"), 800, Grid::Right},
               {QStringLiteral("日付"), 1400, Grid::Center},
               {QStringLiteral("時間"), 1000, Grid::Center},
               {QStringLiteral("項目"), 1750, Grid::Left},
               {QStringLiteral("秒数"), 850, Grid::Right},
               {QStringLiteral("一言日記"), 5230, Grid::Left}});
}

void fillDiaryList(Grid &g, const QList<PlayRecord> &records) {
    fillLogList(g, records, kDiaryRowsShown);
}

void fillEditList(Grid &g, const QList<PlayRecord> &records) {
    fillLogList(g, records, kEditRowsShown);
}

QList<PlayRecord> recordsFromGrid(const Grid &g, QString *error) {
    QList<PlayRecord> records;
    records.reserve(g.rows());
    error->clear();
    for (int row = 1; row < g.rows(); ++row) {
        bool ok = false;
        records.append(recordOfRow(g, row, &ok));
        if (!ok) {
            *error = QStringLiteral("%1 番目の記録の秒数「%2」が数値ではありません。")
                         .arg(row)
                         .arg(shownUserText(g.textMatrix(row, 4)));
            return {};
        }
    }
    return records;
}

DiaryChange replaceDiary(const QString &dir, Grid &g, int row, const QString &text, const QString &backupStamp) {
    QString error;
    QList<PlayRecord> records = recordsFromGrid(g, &error);
    if (!error.isEmpty())
        return {{error}, {}};
    DiaryChange change = rewriteWithDiary(dir, std::move(records), row - 1, text, backupStamp);
    if (change.result.ok()) {
        g.setRow(row);
        g.setCol(kDiaryColumn);
        g.setText(change.stored);
    }
    return change;
}

QString playOfRow(const Grid &g, int row) {
    // The date and time were checked as the log was read; the game's name is any text of the file.
    return g.textMatrix(row, 1) + u' ' + g.textMatrix(row, 2) + u' ' + shownUserText(g.textMatrix(row, 3));
}

QString deleteQuestion(const Grid &g, int row) {
    return playOfRow(g, row) + QStringLiteral(" を削除します。よろしいですか？");
}

WriteResult deleteLogRow(const QString &dir, Grid &g, int row, const QString &backupStamp) {
    QString error;
    QList<PlayRecord> records = recordsFromGrid(g, &error);
    if (!error.isEmpty())
        return {error};
    const WriteResult written = rewriteWithoutPlay(dir, std::move(records), row - 1, backupStamp);
    if (written.ok())
        g.removeItem(row);
    return written;
}

} // namespace mirute
