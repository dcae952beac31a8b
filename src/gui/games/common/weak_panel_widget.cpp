#include "gui/games/common/weak_panel_widget.h"

#include "core/games/common/game_engine.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/chart_widget.h"
#include "gui/widgets/grid_widget.h"

#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kWeakListName = QStringLiteral("msgNigate");
const QString kWeakChartName = QStringLiteral("mcrNigate");
const QString kCaptionName = QStringLiteral("lblNigate");
const QString kMissesName = QStringLiteral("cmdNigateGotou");
const QString kSlowName = QStringLiteral("cmdNigateOsoi");
const QString kPlaysName = QStringLiteral("cboNigateKaisu");

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}
} // namespace

WeakPanelWidget::WeakPanelWidget(GameEngine &engine, QWidget *window) : QWidget(window), m_engine(engine) {
    WeakView &view = engine.weakView();
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_caption = new QLabel(this);
    m_caption->setObjectName(kCaptionName);
    column->addWidget(m_caption);
    // As the history's chart layout: the list above, the chart of its weakest items under it.
    m_list = new GridWidget(&view.list(), this);
    m_list->setObjectName(kWeakListName);
    m_list->setAccessibleName(QStringLiteral("苦手一覧"));
    column->addWidget(m_list, 2);
    m_chart = new ChartWidget(&view.chart(), this);
    m_chart->setObjectName(kWeakChartName);
    m_chart->setAccessibleName(QStringLiteral("苦手グラフ"));
    m_chart->chart()->setMargins(QMargins(4, 4, 4, 0));
    m_chart->chart()->setBackgroundRoundness(0);
    column->addWidget(m_chart, 3);
    hide();

    m_choices = new QGroupBox(QStringLiteral("苦手"), window);
    auto *choices = new QHBoxLayout(m_choices);
    choices->setContentsMargins(4, 2, 4, 2);
    m_missesButton = makeButton(kMissesName, QStringLiteral("誤答順"), m_choices);
    m_missesButton->setToolTip(QStringLiteral("間違えた割合の高い項目から並べます"));
    m_slowButton = makeButton(kSlowName, QStringLiteral("遅い順"), m_choices);
    m_slowButton->setToolTip(QStringLiteral("平均の反応が遅い項目から並べます"));
    choices->addWidget(m_missesButton);
    choices->addWidget(m_slowButton);
    auto *playsLabel = new QLabel(QStringLiteral("直近"), m_choices);
    choices->addWidget(playsLabel);
    m_playsBox = new QComboBox(m_choices);
    m_playsBox->setObjectName(kPlaysName);
    m_playsBox->setAccessibleName(QStringLiteral("苦手を数える直近のプレイ数"));
    playsLabel->setBuddy(m_playsBox);
    for (int plays : kWeakPlayChoices)
        m_playsBox->addItem(QStringLiteral("%1回").arg(plays), plays);
    choices->addWidget(m_playsBox);
    connect(m_missesButton, &QPushButton::clicked, this, [this] { m_engine.showWeak(WeakOrder::Misses); });
    connect(m_slowButton, &QPushButton::clicked, this, [this] { m_engine.showWeak(WeakOrder::Slowness); });
    connect(m_playsBox, &QComboBox::activated, this,
            [this](int i) { m_engine.setWeakPlays(m_playsBox->itemData(i).toInt()); });
    connect(&view, &WeakView::stateChanged, this, &WeakPanelWidget::render);
    connect(&engine, &GameEngine::controlsChanged, this, &WeakPanelWidget::render);
}

QList<QWidget *> WeakPanelWidget::tabChain() const {
    return {m_missesButton, m_slowButton, m_playsBox, m_list};
}

void WeakPanelWidget::render() {
    static const Rgb cyan{192, 255, 255};
    const WeakView &view = m_engine.weakView();
    const bool misses = view.order() == WeakOrder::Misses;
    setButtonColor(m_missesButton, view.isShown() && misses ? cyan : kButtonFace);
    setButtonColor(m_slowButton, view.isShown() && !misses ? cyan : kButtonFace);
    m_playsBox->setCurrentIndex(m_playsBox->findData(m_engine.weakSettings().plays));
    m_caption->setText(view.caption());
    setVisible(view.isShown());
}

} // namespace mirute
