#include "ui/button_color_widget.h"

#include <QWidget>

namespace mirute {

void setButtonColor(QWidget *button, const Rgb &color) {
    if (color == kButtonFace) {
        button->setStyleSheet(QString());
        button->setAccessibleDescription(QString());
    } else {
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(%1, %2, %3); }")
                                  .arg(color.r)
                                  .arg(color.g)
                                  .arg(color.b));
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
