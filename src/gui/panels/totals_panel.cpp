#include "gui/panels/totals_panel.h"

#include "core/base/clock.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kTotalsPanelName = QStringLiteral("fraSyuukei");
const QString kMeasureOptionName = QStringLiteral("optList2_%1");
const QString kMonthsListName = QStringLiteral("msgKakei1");
const QString kDaysListName = QStringLiteral("msgKakei2");
} // namespace

TotalsPanel::TotalsPanel(MainState &state, QWidget *parent) : LogPanel(state, kTotalsPanelName, parent) {
    auto *root = new QVBoxLayout(this);
    auto *options = new QHBoxLayout;
    m_measureButtons = new QButtonGroup(this);
    for (int i = 0; i < totalsMeasureCaptions().size(); ++i) {
        auto *o = new QRadioButton(totalsMeasureCaptions()[i], this);
        o->setObjectName(kMeasureOptionName.arg(i));
        m_measureButtons->addButton(o, i);
        options->addWidget(o);
    }
    options->addStretch();
    root->addLayout(options);
    connect(m_measureButtons, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            chooseMeasure(id);
    });
    auto *months = new GridWidget(&m_months, this);
    months->setObjectName(kMonthsListName);
    months->setFileTitle(QStringLiteral("集計表示_月別"));
    auto *days = new GridWidget(&m_days, this);
    days->setObjectName(kDaysListName);
    days->setFileTitle(QStringLiteral("集計表示_日別"));
    root->addWidget(months, 2);
    root->addWidget(days, 3);
}

void TotalsPanel::fill() {
    // Every opening starts again from the playing-time measure.
    {
        const QSignalBlocker block(m_measureButtons);
        m_measureButtons->setExclusive(false);
        for (QAbstractButton *b : m_measureButtons->buttons())
            b->setChecked(false);
        m_measureButtons->setExclusive(true);
    }
    m_opening = true;
    m_measureButtons->button(0)->setChecked(true);
    m_opening = false;
}

void TotalsPanel::chooseMeasure(int index) {
    // Damaged lines and records outside the days are told once per opening, not on every change of measure.
    const PlayLogData log = readLogAndWarn(m_opening ? LogWarning::EveryRead : LogWarning::WhenNew);
    const QString notice = buildTotals(log.records, gameNames(), playSpan(log.records, appClock().now().date()),
                                       TotalsMeasure(index), m_days, m_months);
    if (m_opening && !notice.isEmpty())
        MessageDialog::information(this, QStringLiteral("集計表示"), notice);
}

QString TotalsPanel::helpTourText() const {
    return helptexts::totals();
}

QWidget *TotalsPanel::firstFocus() {
    return m_measureButtons->button(0);
}

} // namespace mirute
