#include "gui/widgets/icons.h"

#include <QPainter>
#include <QPixmap>

namespace mirute {

QIcon helpTourIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(255, 224, 128));
        p.setPen(QPen(QColor(160, 110, 0), size / 16.0));
        p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(int(size * 0.75));
        p.setFont(f);
        p.setPen(QColor(90, 60, 0));
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace mirute
