#pragma once

#include "core/games/common/game_rules.h"
#include "core/tables/grid.h"

#include <QList>
#include <QStringList>
#include <utility>

namespace mirute {

inline const QString kTreasureDictionary = QStringLiteral("宝探し辞書.TXT");

// 宝探し: a field of one kanji hides a single look-alike; the user clicks it. Cells are numbered 1 to 40,
// row by row from the top left, eight to a row.
class TreasureRules : public GameRules {
public:
    static constexpr int kCells = 40;
    static constexpr int kColumns = 8;
    static constexpr int kCellCountField = 0; // "コマ数": the game's own settings field

    QString prepare(const QString &dataDir) override; // reads the dictionary
    QString openNotice() const override { return m_notice; }
    void makeQuestion() override;
    void onStart() override;
    void onExtraChanged(int index) override; // a new number of cells shows at once
    void onFeedbackEnded() override;         // the clicked cell turns white again
    bool hasAnswerBox() const override { return false; }

    // 8, 16, 24, 32 or 40: whole rows of the field.
    int cellCount() const;
    QString cellText(int index) const { return m_texts.value(index - 1); }
    bool cellVisible(int index) const { return index >= 1 && index <= m_visible; }
    Rgb cellColor(int index) const;
    QString commonKanji() const { return m_common; }
    // The look-alike pair of a dictionary item, its first and last kanji ("萩荻"): the item of the question.
    static QString pairOf(const QString &item);
    QStringList dictionary() const { return m_items; }
    void setDictionary(const QStringList &items) { m_items = items; }

    // A click on cell `index`: judged against the field on screen; ignored while idle.
    void clickCell(int index);

private:
    QStringList m_items;
    QString m_notice;
    QString m_common;
    QString m_pair;
    QStringList m_texts = QStringList(kCells, QString());
    int m_visible = 0;
    QList<std::pair<int, Rgb>> m_flashes; // the flashing cells and their colours, the latest click last
};

} // namespace mirute
