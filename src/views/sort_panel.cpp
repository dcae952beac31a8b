#include "views/sort_panel.h"

#include "app/help_texts.h"
#include "log/play_log.h"
#include "ui/button_color_widget.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"
#include "views/sort_view.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {

SortPanel::SortPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraBunseki"), parent) {
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
    INIT_ICHIRAN_GRID(m_grid);
    m_msgIchiran = new GridWidget(&m_grid, this);
    m_msgIchiran->setObjectName(QStringLiteral("msgIchiran"));
    root->addWidget(m_msgIchiran, 1);
}

void SortPanel::fill() {
    const PlayLogData log = readPlayLog(mainState().dataDir);
    INIT_ICHIRAN_GRID(m_grid);
    SHOW_ICHIRAN(m_grid, log.records);
    if (!log.error.isEmpty())
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), log.error);
    else if (const QString text = problemsMessage(kPlayLogFile, log.problems); !text.isEmpty())
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), text);
}

QString SortPanel::helpTourText() const {
    return helptexts::sort();
}

QWidget *SortPanel::firstFocus() {
    return m_msgIchiran;
}

} // namespace mirute
