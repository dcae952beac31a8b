#include "gui/games/common/scoreboard_widget.h"

#include "core/games/common/game_engine.h"
#include "gui/widgets/grid_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QMap>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kTimeName = QStringLiteral("lblJikan");
const QString kAnswersName = QStringLiteral("lblMoji_T");
const QString kOkName = QStringLiteral("lblOk");
const QString kNgName = QStringLiteral("lblNg");
const QString kRateName = QStringLiteral("lblRitu");
const QString kPerSecondName = QStringLiteral("lblByou");
const QString kPerSecondCaptionName = QStringLiteral("lblByouCaption");
const QString kBestReactionName = QStringLiteral("lblKiroku");
const QString kBestNoticeName = QStringLiteral("lblBest");
// The change of a figure is named after it: lblRituSa, lblByouSa, lblKirokuSa.
const QString kChangeSuffix = QStringLiteral("Sa");

const QString kBestNoticeText = QStringLiteral("自己ベスト更新！");
} // namespace

ScoreboardWidget::ScoreboardWidget(const GameDefinition &def, QWidget *parent) : QWidget(parent) {
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_time = addFigure(QStringLiteral("時間"), kTimeName, 0, 0);
    m_answers = addFigure(QStringLiteral("解答数"), kAnswersName, 0, 1);
    m_ok = addFigure(QStringLiteral("正解"), kOkName, 0, 2);
    m_ng = addFigure(QStringLiteral("不正解"), kNgName, 0, 3);
    m_rate = addFigure(QStringLiteral("正解率"), kRateName, 2, 0);
    m_perSecond = addFigure(def.perSecondCaption, kPerSecondName, 2, 1);
    m_grid->itemAtPosition(2, 1)->widget()->setObjectName(kPerSecondCaptionName);
    if (def.showsBestTime) {
        m_bestReaction = addFigure(QStringLiteral("最高反応"), kBestReactionName, 2, 2);
        addCaption(QStringLiteral("秒"), 3, 3)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    m_rateChange = addChange(kRateName, 0);
    m_perSecondChange = addChange(kPerSecondName, 1);
    if (m_bestReaction)
        m_reactionChange = addChange(kBestReactionName, 2);
    // Empty until a play beats every earlier play of its mode and limit; as wide as its text from the start,
    // so that the scoreboard does not shift when it appears.
    m_bestNotice = addCaption(QString(), 2, 3);
    m_bestNotice->setObjectName(kBestNoticeName);
    QFont bold = m_bestNotice->font();
    bold.setBold(true);
    m_bestNotice->setFont(bold);
    m_bestNotice->setStyleSheet(QStringLiteral("QLabel { color: rgb(192, 0, 0); }"));
    m_bestNotice->setMinimumWidth(m_bestNotice->fontMetrics().horizontalAdvance(kBestNoticeText));
}

QLabel *ScoreboardWidget::addCaption(const QString &text, int row, int col) {
    auto *l = new QLabel(text, this);
    l->setAlignment(Qt::AlignCenter);
    m_grid->addWidget(l, row, col);
    return l;
}

// A figure: its caption above, its value in a sunken white box below.
QLabel *ScoreboardWidget::addFigure(const QString &caption, const QString &name, int row, int col) {
    addCaption(caption, row, col);
    auto *l = new QLabel(this);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(GridWidget::twipsToPixels(900, this));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
    l->setAccessibleDescription(caption); // the value itself is the label's name
    m_grid->addWidget(l, row + 1, col);
    return l;
}

// Under a figure, its change since the last comparable play; as high as its text from the start, so that the
// window does not move when a play ends.
QLabel *ScoreboardWidget::addChange(const QString &figureName, int col) {
    auto *l = new QLabel(this);
    l->setObjectName(figureName + kChangeSuffix);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumHeight(l->fontMetrics().height());
    l->setAccessibleDescription(QStringLiteral("前回との差"));
    m_grid->addWidget(l, 4, col);
    return l;
}

void ScoreboardWidget::showChange(QLabel *label, const FigureChange &change) {
    if (!label)
        return;
    // Better green, worse red, unchanged grey; the sign says the same to a reader who does not see colour.
    static const QMap<Change, QColor> colours = {
        {Change::Better, QColor(0, 128, 0)}, {Change::Same, QColor(96, 96, 96)}, {Change::Worse, QColor(192, 0, 0)}};
    label->setText(change.text);
    label->setAccessibleName(change.text);
    QPalette p = palette(); // the scoreboard's own text colour while there is no change
    if (colours.contains(change.change))
        p.setColor(QPalette::WindowText, colours.value(change.change));
    label->setPalette(p);
}

void ScoreboardWidget::render(const Scoreboard &board) {
    m_time->setText(board.time);
    m_answers->setText(board.answers);
    m_ok->setText(board.ok);
    m_ng->setText(board.ng);
    m_rate->setText(board.rate);
    m_perSecond->setText(board.perSecond);
    if (m_bestReaction)
        m_bestReaction->setText(board.best);
    m_bestNotice->setText(board.bestNotice);
    m_bestNotice->setAccessibleName(board.bestNotice);
    showChange(m_rateChange, board.changes.rate);
    showChange(m_perSecondChange, board.changes.perSecond);
    showChange(m_reactionChange, board.changes.reaction);
}

} // namespace mirute
