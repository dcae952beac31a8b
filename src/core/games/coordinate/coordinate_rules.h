#pragma once

#include "core/games/common/game_rules.h"
#include "core/tables/grid.h"

#include <QList>
#include <array>

namespace mirute {

// 座標: one cell of a grid of nine columns is marked; its row and column digits are typed. The
// answer-count mode counts grid rows, typed characters are the per-second count, and a play can end early.
class CoordinateRules : public GameRules {
public:
    static constexpr int kColumns = 9;
    static constexpr int kMaxRows = 9;
    static constexpr int kFlashMs = 150;
    enum class Fill { White, Asked, Right, Wrong, Flash };

    QString prepare(const QString &dataDir) override;
    void makeQuestion() override; // marks the next cell
    void onStart() override;      // a white grid, no typed characters
    void onGreenLight() override; // a new order of the cells
    void onModeChanged() override { resetGrid(); }
    void onCountLimitChanged() override { resetGrid(); }
    void onFeedbackEnded() override; // the flashed cell gets its fill back, the asked cell turns pink
    bool questionAtOpen() const override { return false; }
    bool disablesClearDuringPlay() const override { return false; }
    int unitsDone() const override { return m_cellPos - 1; }
    int unitsTarget(int rows) const override { return kColumns * rows; }
    double perSecondCount() const override { return m_typedCount; }
    QString historyReaction() const override { return QString::number(m_typedCount); }
    QString diaryText(const QString &seconds, int answers, const QString &reaction) const override;

    // Every change of the answer box: judged when the box holds exactly two characters.
    void judgeTyped(const QString &text);
    // Esc in the answer box or a click on "解答": the play ends at once.
    void giveUp();

    void resetGrid();
    void shuffleCells();
    int rows() const; // visible rows, the count setting
    bool cellVisible(int code) const;
    Fill fill(int code) const;
    static Rgb fillColor(Fill f);
    int cellPos() const { return m_cellPos; }
    // The cells of the pass in the order they are asked (weak cells first with 苦手練習).
    const QList<int> &cellOrder() const { return m_cellOrder; }
    int typedCount() const { return m_typedCount; }
    int askedCount() const { return m_askedCount; }
    // The code of one of the 81 cells (row digit then column digit, 1..9 each), or 0.
    static int cellCode(const QString &text);
    // The item of the cell in the answers file and the 苦手 view: "5行7列".
    static QString cellItem(int code);

private:
    std::array<Fill, 100> m_fill{}; // by code 11..99
    QList<int> m_cellOrder;
    int m_cellPos = 1;
    int m_typedCount = 0;
    int m_askedCount = 0;    // cells marked during the play, for the play record
    bool m_counting = false; // between the green light and the end of the play
    int m_flashCode = 0;     // the cell named by a wrong answer, flashing
    Fill m_flashPrev = Fill::White;
    int m_pinkPending = 0; // the asked cell of a wrong answer, pink once the flash is over
    bool m_connected = false;
};

} // namespace mirute
