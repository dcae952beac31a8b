#include "gui/panels/weekly_scores_panel.h"

#include "core/base/clock.h"
#include "core/games/game_registry.h"
#include "core/log/game_names.h"
#include "core/views/help_texts.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kWeeklyPanelName = QStringLiteral("fraSyuu");
const QString kGameBoxName = QStringLiteral("cboSyuuGame");
const QString kLimitBoxName = QStringLiteral("cboSyuuMode");
const QString kWeeklyListName = QStringLiteral("msgSyuu");
const QString kWeeklyChartName = QStringLiteral("mcrSyuu");

const QString kWeeklyTitle = QStringLiteral("週別スコア");
} // namespace

WeeklyScoresPanel::WeeklyScoresPanel(MainState &state, QWidget *parent) : LogPanel(state, kWeeklyPanelName, parent) {
    auto *root = new QVBoxLayout(this);
    auto *choices = new QHBoxLayout;
    m_gameBox = new QComboBox(this);
    m_gameBox->setObjectName(kGameBoxName);
    m_gameBox->addItems(gameNames());
    m_limitBox = new QComboBox(this);
    m_limitBox->setObjectName(kLimitBoxName);
    // As wide as its longest caption ("答数 30（1234回）") whatever the game chosen, so that nothing moves.
    m_limitBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_limitBox->setMinimumContentsLength(16);
    m_limitBox->setToolTip(QStringLiteral("同じモードと秒数（答数）のプレイだけを比べます"));
    for (const auto &[caption, box] :
         {std::pair{QStringLiteral("ゲーム"), m_gameBox}, std::pair{QStringLiteral("モード"), m_limitBox}}) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(box);
        box->setAccessibleName(caption);
        choices->addWidget(label);
        choices->addWidget(box);
    }
    choices->addStretch();
    root->addLayout(choices);

    auto *body = new QHBoxLayout;
    m_grid = new GridWidget(&m_view.grid(), this);
    m_grid->setObjectName(kWeeklyListName);
    m_grid->setAccessibleName(kWeeklyTitle);
    body->addWidget(m_grid, 2);
    m_chart = new ChartWidget(&m_view.chart(), this);
    m_chart->setObjectName(kWeeklyChartName);
    m_chart->setAccessibleName(kWeeklyTitle);
    m_chart->setSeriesColors({QColor(64, 160, 96)});
    m_chart->setSeriesNames({QStringLiteral("スコア")});
    m_chart->setMinimumSize(360, 240);
    body->addWidget(m_chart, 3);
    root->addLayout(body, 1);

    connect(m_gameBox, &QComboBox::currentIndexChanged, this, &WeeklyScoresPanel::chooseGame);
    connect(m_limitBox, &QComboBox::currentIndexChanged, this, &WeeklyScoresPanel::chooseLimit);
}

void WeeklyScoresPanel::fill() {
    showGame(true);
}

void WeeklyScoresPanel::showGame(bool warn) {
    const GameDefinition def = gameDefinition(m_gameNo);
    const HistoryData history =
        warn ? readHistoryAndWarn(def.historyFile()) : readHistory(mainState().dataDir, def.historyFile());
    const QString notice = m_view.show(def, history.records, appClock().now().date(), m_limit);
    m_limit = m_view.limit();
    {
        const QSignalBlocker block(m_limitBox);
        m_limitBox->clear();
        for (const ScoreLimit &l : m_view.limits())
            m_limitBox->addItem(scoreLimitCaption(def, l));
        for (int i = 0; i < m_view.limits().size(); ++i)
            if (m_view.limits()[i].limit == m_limit)
                m_limitBox->setCurrentIndex(i);
    }
    if (warn && !notice.isEmpty())
        MessageDialog::information(this, kWeeklyTitle, notice);
}

void WeeklyScoresPanel::chooseGame(int index) {
    m_gameNo = index + 1;
    m_limit = {};
    showGame(true);
}

void WeeklyScoresPanel::chooseLimit(int index) {
    if (index < 0 || index >= m_view.limits().size())
        return;
    m_limit = m_view.limits()[index].limit;
    showGame(false);
}

QString WeeklyScoresPanel::helpTourText() const {
    return helptexts::weeklyScores();
}

QWidget *WeeklyScoresPanel::firstFocus() {
    return m_gameBox;
}

} // namespace mirute
