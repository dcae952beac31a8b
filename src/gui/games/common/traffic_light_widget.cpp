#include "gui/games/common/traffic_light_widget.h"

#include <QPainter>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kLightName = QStringLiteral("imgStart_%1");
} // namespace

TrafficLightWidget::TrafficLightWidget(CountdownLight lit, QWidget *parent) : QWidget(parent), m_lit(lit) {
    static const char *names[] = {"", "赤", "黄", "青"}; // by light
    const int index = int(lit);
    setObjectName(kLightName.arg(index));
    setAccessibleName(QStringLiteral("スタート信号 %1").arg(QString::fromUtf8(names[index])));
    setAccessibleDescription(QStringLiteral("スタートまでの信号（%1が点灯）").arg(QString::fromUtf8(names[index])));
}

void TrafficLightWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(70, 70, 70));
    p.drawRoundedRect(box, box.height() / 3, box.height() / 3);
    const QColor on[] = {QColor(), QColor(255, 40, 40), QColor(255, 210, 0), QColor(0, 200, 90)};
    const double d = qMin(box.height() * 0.72, box.width() / 3.6);
    for (int i = 1; i <= 3; ++i) {
        const QPointF c(box.left() + box.width() * (2 * i - 1) / 6.0, box.center().y());
        p.setPen(Qt::NoPen);
        p.setBrush(CountdownLight(i) == m_lit ? on[i] : on[i].darker(320));
        p.drawEllipse(c, d / 2, d / 2);
    }
}

} // namespace mirute
