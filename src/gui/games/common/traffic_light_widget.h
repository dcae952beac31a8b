#pragma once

#include "core/games/common/game_engine.h"

#include <QWidget>

namespace mirute {

// The start signal: a traffic light with one lamp lit, drawn so that it scales.
class TrafficLightWidget : public QWidget {
    Q_OBJECT
public:
    TrafficLightWidget(CountdownLight lit, QWidget *parent = nullptr);
    QSize sizeHint() const override { return {84, 30}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    CountdownLight m_lit;
};

} // namespace mirute
