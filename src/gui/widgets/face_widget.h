#pragma once

#include "core/views/day_summary.h"

#include <QWidget>

namespace mirute {

// One of the four face pictures of the main panel, drawn to any size.
class FaceWidget : public QWidget {
    Q_OBJECT
public:
    FaceWidget(DayFace face, QWidget *parent = nullptr);
    DayFace face() const { return m_face; }
    // "ムスッ", "ニコ", "笑い", "なし": also the name a screen reader announces.
    static QString faceName(DayFace face);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    DayFace m_face;
};

} // namespace mirute
