#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "core/base/end_signals.h"
#include "gui/app/main_window.h"

class QWidget;

namespace mirute {

// Switches between the main window and one game window: only one of them exists at a time. Opening a
// game unloads the main window; leaving the game builds the main window anew, which runs its start-up.
class AppController : public QObject {
    Q_OBJECT
public:
    explicit AppController(QString dataDir, QObject *parent = nullptr);
    ~AppController() override;

    void showMain();
    void openGame(int gameNo);
    MainWindow *mainWindow() const { return m_main; }
    QWidget *gameWindow() const { return m_game; }
    // Logout, shutdown or Ctrl+C (SIGTERM, SIGHUP, SIGINT): the program ends as closing its windows ends
    // it, but asks nothing, since no one may be there to answer; a finished play not saved yet is kept for
    // the next start.
    void endBySignal();

signals:
    void quitRequested();

private:
    void backFromGame();
    QString m_dir;
    QPointer<MainWindow> m_main;
    QPointer<QWidget> m_game;
    EndSignals m_endSignals;
};

} // namespace mirute
