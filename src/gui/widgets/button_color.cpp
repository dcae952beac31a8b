#include "gui/widgets/button_color.h"

#include <QColor>
#include <QWidget>

namespace mirute {

void setButtonColor(QWidget *button, const Rgb &color) {
    if (color == kButtonFace) {
        button->setStyleSheet(QString());
        button->setAccessibleDescription(QString());
    } else {
        // A button that has the focus is the default button, which the style tints and frames with the
        // selection colour: the button's own colour keeps the highlight true, and the frame still shows.
        const QString face = QColor(color.r, color.g, color.b).name();
        button->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; selection-background-color: %1; }").arg(face));
        button->setAccessibleDescription(QStringLiteral("表示中"));
    }
    button->setProperty("buttonColor", QVariantList{color.r, color.g, color.b});
}

Rgb buttonColor(const QWidget *button) {
    const QVariantList v = button->property("buttonColor").toList();
    if (v.size() != 3)
        return kButtonFace;
    return {v[0].toInt(), v[1].toInt(), v[2].toInt()};
}

} // namespace mirute
