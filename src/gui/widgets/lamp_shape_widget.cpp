#include "gui/widgets/lamp_shape_widget.h"

#include <QPainter>

#include <algorithm>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kLampShapeName = QStringLiteral("shpLed_%1");
} // namespace

LampShapeWidget::LampShapeWidget(int index, QWidget *parent) : QWidget(parent) {
    setObjectName(kLampShapeName.arg(index));
    setAccessibleName(QStringLiteral("ランプ%1").arg(index));
    setAccessibleDescription(QStringLiteral("消灯"));
    setMinimumSize(14, 14);
}

void LampShapeWidget::setFillColor(const Rgb &color, bool lit) {
    if (color == m_color && lit == m_lit)
        return;
    m_color = color;
    m_lit = lit;
    setAccessibleDescription(lit ? QStringLiteral("点灯") : QStringLiteral("消灯"));
    update();
}

QSize LampShapeWidget::sizeHint() const {
    return {24, 24};
}

void LampShapeWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height()) - 2;
    const QRectF r((width() - side) / 2, (height() - side) / 2, side, side);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(QColor(m_color.r, m_color.g, m_color.b));
    p.drawEllipse(r);
}

} // namespace mirute
