#include "gui/widgets/face_widget.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace mirute {

namespace {

const QColor kSkin(255, 221, 120);
const QColor kOutline(120, 80, 20);
const QColor kFeature(70, 45, 20);
const QColor kCheek(255, 160, 150);

// Everything is drawn on a 100 × 100 canvas and scaled to the widget.
void drawHead(QPainter &p) {
    p.setPen(QPen(kOutline, 3));
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(5, 5, 90, 90));
}

void drawCheeks(QPainter &p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kCheek);
    p.drawEllipse(QRectF(16, 56, 14, 9));
    p.drawEllipse(QRectF(70, 56, 14, 9));
}

void drawSulky(QPainter &p) {
    drawHead(p);
    p.setPen(QPen(kFeature, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    // Brows pulled down towards the nose, half-closed eyes and a pout.
    p.drawLine(QPointF(24, 30), QPointF(42, 37));
    p.drawLine(QPointF(76, 30), QPointF(58, 37));
    p.drawLine(QPointF(27, 46), QPointF(41, 46));
    p.drawLine(QPointF(59, 46), QPointF(73, 46));
    QPainterPath mouth;
    mouth.moveTo(36, 75);
    mouth.quadTo(50, 64, 64, 75);
    p.drawPath(mouth);
}

void drawSmiling(QPainter &p) {
    drawHead(p);
    drawCheeks(p);
    p.setPen(Qt::NoPen);
    p.setBrush(kFeature);
    p.drawEllipse(QRectF(30, 34, 9, 12));
    p.drawEllipse(QRectF(61, 34, 9, 12));
    p.setPen(QPen(kFeature, 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath mouth;
    mouth.moveTo(32, 62);
    mouth.quadTo(50, 80, 68, 62);
    p.drawPath(mouth);
}

void drawLaughing(QPainter &p) {
    drawHead(p);
    drawCheeks(p);
    p.setPen(QPen(kFeature, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // Eyes closed with joy: upward arcs.
    QPainterPath eyes;
    eyes.moveTo(26, 44);
    eyes.quadTo(34, 32, 42, 44);
    eyes.moveTo(58, 44);
    eyes.quadTo(66, 32, 74, 44);
    p.drawPath(eyes);
    // A wide open mouth with the tongue showing.
    QPainterPath mouth;
    mouth.moveTo(28, 57);
    mouth.lineTo(72, 57);
    mouth.quadTo(70, 86, 50, 86);
    mouth.quadTo(30, 86, 28, 57);
    mouth.closeSubpath();
    p.setBrush(QColor(150, 40, 40));
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 110, 110));
    p.drawEllipse(QRectF(40, 72, 20, 12));
}

void drawNone(QPainter &p) {
    // An empty place for the face: nothing was played on this day.
    p.setPen(QPen(QColor(170, 170, 170), 3, Qt::DashLine));
    p.setBrush(QColor(245, 245, 245));
    p.drawEllipse(QRectF(5, 5, 90, 90));
}

} // namespace

FaceWidget::FaceWidget(DayFace face, QWidget *parent) : QWidget(parent), m_face(face) {
    setAccessibleName(faceName(face));
    setToolTip(faceName(face));
    setMinimumSize(32, 32);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString FaceWidget::faceName(DayFace face) {
    switch (face) {
    case DayFace::Sulky: return QStringLiteral("ムスッ");
    case DayFace::Smiling: return QStringLiteral("ニコ");
    case DayFace::Laughing: return QStringLiteral("笑い");
    case DayFace::None: break;
    }
    return QStringLiteral("なし");
}

QSize FaceWidget::sizeHint() const {
    return {72, 72};
}

void FaceWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height());
    p.translate((width() - side) / 2, (height() - side) / 2);
    p.scale(side / 100.0, side / 100.0);
    switch (m_face) {
    case DayFace::Sulky: drawSulky(p); break;
    case DayFace::Smiling: drawSmiling(p); break;
    case DayFace::Laughing: drawLaughing(p); break;
    case DayFace::None: drawNone(p); break;
    }
}

} // namespace mirute
