#include "gui/panels/sort_panel.h"

#include "core/log/play_log.h"
#include "core/views/help_texts.h"
#include "core/views/sort_view.h"
#include "gui/widgets/button_color.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kSortPanelName = QStringLiteral("fraBunseki");
const QString kSortListName = QStringLiteral("msgIchiran");
} // namespace

SortPanel::SortPanel(MainState &state, QWidget *parent) : LogPanel(state, kSortPanelName, parent) {
    auto *root = new QVBoxLayout(this);
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < kSortButtonCount; ++i) {
        const SortButton &s = sortButtons()[size_t(i)];
        auto *b = new QPushButton(s.caption, this);
        b->setObjectName(s.name);
        b->setAutoDefault(true);
        setButtonColor(b, s.color);
        connect(b, &QPushButton::clicked, this, [this, i] { pressSortButton(m_grid, i); });
        buttons->addWidget(b);
    }
    buttons->addStretch();
    root->addLayout(buttons);
    resetSortGrid(m_grid);
    m_sortList = new GridWidget(&m_grid, this);
    m_sortList->setObjectName(kSortListName);
    m_sortList->setFileTitle(QStringLiteral("並び替え"));
    root->addWidget(m_sortList, 1);
}

void SortPanel::fill() {
    const PlayLogData log = readLogAndWarn();
    resetSortGrid(m_grid);
    fillSortGrid(m_grid, log.records);
}

QString SortPanel::helpTourText() const {
    return helptexts::sort();
}

QWidget *SortPanel::firstFocus() {
    return m_sortList;
}

} // namespace mirute
