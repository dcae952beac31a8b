#pragma once

#include <QWidget>

namespace mirute {

// The start signal: a traffic light with one lamp lit (1 red, 2 yellow, 3 green), drawn so that it scales.
class TrafficLightWidget : public QWidget {
    Q_OBJECT
public:
    TrafficLightWidget(int lit, QWidget *parent = nullptr);
    QSize sizeHint() const override { return {84, 30}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_lit;
};

} // namespace mirute
