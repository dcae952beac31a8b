#pragma once

#include "core/tables/grid.h"

#include <QWidget>

namespace mirute {

// A filled round shape whose colour can be set; a screen reader hears whether it is lit.
class LampShapeWidget : public QWidget {
    Q_OBJECT
public:
    LampShapeWidget(int index, QWidget *parent = nullptr);
    void setFillColor(const Rgb &color, bool lit);
    Rgb fillColor() const { return m_color; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Rgb m_color = kWhite;
    bool m_lit = false;
};

} // namespace mirute
