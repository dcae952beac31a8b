#include "core/games/coordinate/coordinate_rules.h"

#include "core/games/common/game_engine.h"

namespace mirute {

QString CoordinateRules::prepare(const QString &dataDir) {
    Q_UNUSED(dataDir);
    if (!m_connected) {
        m_connected = true;
        QObject::connect(&engine(), &GameEngine::playEnded, &engine(), [this] { m_counting = false; });
    }
    resetGrid();
    return {};
}

int CoordinateRules::rows() const {
    return qBound(1, settings().countLimit, kMaxRows);
}

int CoordinateRules::cellCode(const QString &text) {
    if (text.size() != 2)
        return 0;
    const QChar r = text[0], c = text[1];
    if (r < u'1' || r > u'9' || c < u'1' || c > u'9')
        return 0;
    return (r.unicode() - u'0') * 10 + (c.unicode() - u'0');
}

QString CoordinateRules::cellItem(int code) {
    return QStringLiteral("%1行%2列").arg(code / 10).arg(code % 10);
}

bool CoordinateRules::cellVisible(int code) const {
    const int r = code / 10, c = code % 10;
    return r >= 1 && r <= rows() && c >= 1 && c <= kColumns;
}

CoordinateRules::Fill CoordinateRules::fill(int code) const {
    return code >= 11 && code <= 99 ? m_fill[code] : Fill::White;
}

Rgb CoordinateRules::fillColor(Fill f) {
    switch (f) {
    case Fill::Asked: return {128, 0, 0};
    case Fill::Right: return {192, 255, 192};
    case Fill::Wrong: return {255, 192, 192};
    case Fill::Flash: return {255, 0, 0};
    case Fill::White: break;
    }
    return {255, 255, 255};
}

void CoordinateRules::resetGrid() {
    m_fill.fill(Fill::White);
    m_flashCode = 0;
    m_pinkPending = 0;
}

void CoordinateRules::shuffleCells() {
    QList<int> work;
    for (int r = 1; r <= rows(); ++r)
        for (int c = 1; c <= kColumns; ++c)
            work.append(10 * r + c);
    m_cellOrder.clear();
    while (!work.isEmpty()) {
        if (!practising()) {
            m_cellOrder.append(work.takeAt(random().index0(int(work.size()))));
            continue;
        }
        // 苦手練習: the weak cells come early in the order, so that a time-limit play asks them first.
        QStringList items;
        for (int code : std::as_const(work))
            items.append(cellItem(code));
        m_cellOrder.append(work.takeAt(drawWeighted(items)));
    }
    m_cellPos = 1;
}

void CoordinateRules::onStart() {
    resetGrid();
    m_typedCount = 0;
    m_askedCount = 0;
    m_counting = false;
}

void CoordinateRules::onGreenLight() {
    shuffleCells();
    m_askedCount = 0;
    m_counting = true;
}

void CoordinateRules::makeQuestion() {
    if (m_cellPos > m_cellOrder.size()) {
        // A play that ended during the flash of its pass's last answer keeps its grid as it was.
        if (!session().playing)
            return;
        // Every cell has been asked before the time is up: a fresh pass over a white grid.
        resetGrid();
        shuffleCells();
    }
    const int code = m_cellOrder[m_cellPos - 1];
    setAnswer(QString::number(code));
    m_fill[code] = Fill::Asked;
    if (m_counting)
        ++m_askedCount;
    // The scoreboard shows no reaction in this game; the answers file keeps the time to the second key.
    questionShown();
}

void CoordinateRules::judgeTyped(const QString &text) {
    if (text.size() != 2)
        return;
    if (session().startPending) {
        // No cell is asked before the green light: there is nothing to answer yet.
        clearAnswerBox();
        return;
    }
    if (!acceptAnswer(text))
        return;
    const QString asked = session().answer;
    const int askedCode = cellCode(asked);
    Judgement j;
    j.correct = text == asked;
    j.updatesBest = false;
    j.cells = {asked};
    j.reaction = clock().seconds() - session().shownAt;
    j.item = askedCode ? cellItem(askedCode) : asked;
    j.given = text;
    j.pauseMs = 0;
    if (j.correct) {
        if (askedCode)
            m_fill[askedCode] = Fill::Right;
    } else if (const int named = cellCode(text)) {
        m_flashCode = named;
        m_flashPrev = m_fill[named];
        m_fill[named] = Fill::Flash;
        m_pinkPending = askedCode;
        j.pauseMs = kFlashMs;
    } else if (askedCode) {
        m_fill[askedCode] = Fill::Wrong;
    }
    ++m_cellPos;
    m_typedCount += int(text.size());
    judge(j);
}

void CoordinateRules::onFeedbackEnded() {
    if (m_flashCode) {
        m_fill[m_flashCode] = m_flashPrev;
        m_flashCode = 0;
    }
    if (m_pinkPending) {
        m_fill[m_pinkPending] = Fill::Wrong;
        m_pinkPending = 0;
    }
}

void CoordinateRules::giveUp() {
    endEarly(m_typedCount > 0);
}

QString CoordinateRules::diaryText(const QString &seconds, int answers, const QString &reaction) const {
    Q_UNUSED(reaction);
    return QStringLiteral("秒数 : ") + seconds + QStringLiteral("   答数 : ") + QString::number(answers) +
           QStringLiteral("   マス数 : ") + QString::number(m_askedCount);
}

} // namespace mirute
