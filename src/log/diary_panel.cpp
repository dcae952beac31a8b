#include "log/diary_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

DiaryPanel::DiaryPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraMemo"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("一言日記"), this));
}

void DiaryPanel::fill() {}

QString DiaryPanel::helpTourText() const { return {}; }

} // namespace mirute
namespace mirute { void DiaryPanel::readMemo() {} }
