#pragma once

#include <QObject>

class QSocketNotifier;

namespace mirute {

// SIGTERM (logout, shutdown), SIGHUP (its terminal closed) and SIGINT (Ctrl+C) delivered on the event loop as
// received(), instead of ending the program on the spot, so that it can end as closing its windows does. The
// handler only writes the signal's number into a socket the event loop watches. A second signal of the same
// kind ends the program at once, as it always did: a program stuck on its way out can still be stopped.
// One at a time; the default actions are back when it is destroyed.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void received(int signalNumber);

private:
    void readSignals();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace mirute
