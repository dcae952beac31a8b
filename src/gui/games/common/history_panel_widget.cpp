#include "gui/games/common/history_panel_widget.h"

#include "core/games/common/weak_items.h"
#include "gui/games/common/grid_fit_widget.h"
#include "gui/games/common/weak_panel_widget.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"

#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kHistoryPanelName = QStringLiteral("fraRireki");
const QString kListName = QStringLiteral("msgRireki");
const QString kChartName = QStringLiteral("mcrRireki");
const QString kOkNgChartName = QStringLiteral("mcrRireki2");
const QString kSecondsFilterName = QStringLiteral("cboJikan2");
const QString kCountFilterName = QStringLiteral("cboKaisu2");
const QString kShowAllName = QStringLiteral("cmdAllDsp");

// The chart shows at least this height (twips) under the list.
constexpr int kChartHeight = 2700;
} // namespace

HistoryPanelWidget::HistoryPanelWidget(GameHistory &history, const GameDefinition &def, QWidget *window)
    : QFrame(window), m_history(history), m_gameName(def.name) {
    setObjectName(kHistoryPanelName);
    setFrameShape(QFrame::StyledPanel);
    auto *panel = new QVBoxLayout(this);
    panel->setContentsMargins(2, 2, 2, 2);
    m_list = new GridWidget(&history.list(), this);
    m_list->setObjectName(kListName);
    m_list->setAccessibleName(QStringLiteral("履歴一覧"));
    m_list->setFileTitle(def.name + QStringLiteral("_履歴"));
    panel->addWidget(m_list, 2);
    m_chartArea = new QWidget(this);
    auto *charts = new QVBoxLayout(m_chartArea);
    charts->setContentsMargins(0, 0, 0, 0);
    m_chart = new ChartWidget(&history.chart(), m_chartArea);
    m_chart->setObjectName(kChartName);
    m_chart->setAccessibleName(QStringLiteral("履歴グラフ"));
    m_okNgChart = new ChartWidget(&history.okNgChart(), m_chartArea);
    m_okNgChart->setObjectName(kOkNgChartName);
    m_okNgChart->setAccessibleName(QStringLiteral("ＯＫ・ＮＧグラフ"));
    m_okNgChart->setSeriesNames({QStringLiteral("ＯＫ"), QStringLiteral("ＮＧ")});
    for (ChartWidget *chart : {m_chart, m_okNgChart}) {
        // The chart shares the panel with the list: its bars get the room, not its frame.
        chart->chart()->setMargins(QMargins(4, 4, 4, 0));
        chart->chart()->setBackgroundRoundness(0);
        charts->addWidget(chart);
    }
    m_chartArea->setMinimumHeight(GridWidget::twipsToPixels(kChartHeight, this));
    m_chartArea->hide();
    panel->addWidget(m_chartArea, 3);
    buildChoicesBar(def, window);
}

QPushButton *HistoryPanelWidget::makeButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}

void HistoryPanelWidget::buildChoicesBar(const GameDefinition &def, QWidget *window) {
    m_choicesBar = new QWidget(window);
    auto *bar = new QHBoxLayout(m_choicesBar);
    bar->setContentsMargins(0, 0, 0, 0);
    auto *chartBox = new QGroupBox(QStringLiteral("グラフ指定"), m_choicesBar);
    auto *chartRow = new QHBoxLayout(chartBox);
    chartRow->setContentsMargins(4, 2, 4, 2);
    const QList<std::tuple<GameHistory::Button, QString, QString>> buttons = {
        {GameHistory::PerSecond, QStringLiteral("cmdByou"), QStringLiteral("秒当たり")},
        {GameHistory::Reaction, QStringLiteral("cmdMoji"), def.reactionButton},
        {GameHistory::Rate, QStringLiteral("cmdRitu"), QStringLiteral("正解率")},
        {GameHistory::Seconds, QStringLiteral("cmdPByou"), QStringLiteral("秒数")},
        {GameHistory::OkNg, QStringLiteral("cmdKaitou"), def.answersButton},
        {GameHistory::Spare, QStringLiteral("cmdJisyo"), QStringLiteral("予備")}};
    for (const auto &[id, name, text] : buttons) {
        auto *b = makeButton(name, text, chartBox);
        m_chartButtons[id] = b;
        chartRow->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, id = id] {
            hideWeak();
            m_history.drawChart(id);
        });
    }
    bar->addWidget(chartBox);
    auto *filterBox = new QGroupBox(QStringLiteral("履歴指定"), m_choicesBar);
    auto *filterRow = new QHBoxLayout(filterBox);
    filterRow->setContentsMargins(4, 2, 4, 2);
    filterRow->addWidget(new QLabel(QStringLiteral("秒数"), filterBox));
    m_secondsFilter = new QComboBox(filterBox);
    m_secondsFilter->setObjectName(kSecondsFilterName);
    m_secondsFilter->setAccessibleName(QStringLiteral("秒数で絞り込み"));
    filterRow->addWidget(m_secondsFilter);
    filterRow->addWidget(new QLabel(def.countCaption, filterBox));
    m_countFilter = new QComboBox(filterBox);
    m_countFilter->setObjectName(kCountFilterName);
    m_countFilter->setAccessibleName(def.countCaption + QStringLiteral("で絞り込み"));
    filterRow->addWidget(m_countFilter);
    for (int s = 10; s <= 180; s += 10)
        m_secondsFilter->addItem(QString::number(s));
    for (int n = 1; n <= def.countMax; ++n)
        m_countFilter->addItem(QString::number(n));
    m_showAllButton = makeButton(kShowAllName, QStringLiteral("全部表示"), filterBox);
    filterRow->addWidget(m_showAllButton);
    bar->addWidget(filterBox);
    bar->addStretch(1);
    connect(m_secondsFilter, &QComboBox::activated, this, [this](int i) {
        hideWeak();
        m_history.filterSeconds(m_secondsFilter->itemText(i));
    });
    connect(m_countFilter, &QComboBox::activated, this, [this](int i) {
        hideWeak();
        m_history.filterAnswers(m_countFilter->itemText(i));
    });
    connect(m_showAllButton, &QPushButton::clicked, this, [this] {
        hideWeak();
        m_history.showAll();
    });
}

void HistoryPanelWidget::addWeakPanel(WeakPanelWidget *weak, WeakView &view) {
    m_weakPanel = weak;
    m_weakView = &view;
    weak->setParent(this);
    static_cast<QBoxLayout *>(layout())->addWidget(weak, 5);
    static_cast<QBoxLayout *>(m_choicesBar->layout())->insertWidget(1, weak->choicesBox());
    connect(&view, &WeakView::stateChanged, this, &HistoryPanelWidget::render);
}

GridWidget *HistoryPanelWidget::shownList() const {
    return m_weakView && m_weakView->isShown() ? m_weakPanel->list() : m_list;
}

void HistoryPanelWidget::hideWeak() {
    if (m_weakView)
        m_weakView->setShown(false);
}

void HistoryPanelWidget::fitToRows(int listRows) {
    m_list->setMinimumSize(gridWidthForColumns(m_list), gridHeightForRows(m_list, listRows));
    const QMargins m = layout()->contentsMargins();
    setMinimumHeight(m_list->minimumHeight() + m_chartArea->minimumHeight() + layout()->spacing() + m.top() +
                     m.bottom() + 2 * frameWidth());
}

QList<QWidget *> HistoryPanelWidget::tabChain() const {
    QList<QWidget *> chain{m_list};
    for (QPushButton *b : m_chartButtons)
        chain << b;
    if (m_weakPanel)
        chain << m_weakPanel->tabChain();
    chain << m_secondsFilter << m_countFilter << m_showAllButton;
    return chain;
}

void HistoryPanelWidget::render() {
    static const Rgb cyan{192, 255, 255}, yellow{255, 255, 192};
    const bool weak = m_weakView && m_weakView->isShown();
    for (int b = 0; b < GameHistory::ButtonCount; ++b) {
        const bool highlighted = !weak && m_history.isHighlighted(GameHistory::Button(b));
        setButtonColor(m_chartButtons[b], highlighted ? cyan : kButtonFace);
        if (highlighted)
            for (ChartWidget *chart : {m_chart, m_okNgChart})
                chart->setFileTitle(m_gameName + u'_' + m_chartButtons[b]->text());
    }
    setButtonColor(m_showAllButton, m_history.allShown() ? yellow : kButtonFace);
    m_secondsFilter->setCurrentIndex(m_secondsFilter->findText(m_history.secondsFilter()));
    m_countFilter->setCurrentIndex(m_countFilter->findText(m_history.answersFilter()));
    m_list->setVisible(!weak);
    m_chartArea->setVisible(!weak && m_history.layout() == GameHistory::GraphLayout);
    if (m_weakPanel)
        m_weakPanel->render();
}

} // namespace mirute
