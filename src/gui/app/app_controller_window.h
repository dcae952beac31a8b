#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

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

signals:
    void quitRequested();

private:
    void backFromGame();
    QString m_dir;
    QPointer<MainWindow> m_main;
    QPointer<QWidget> m_game;
};

} // namespace mirute
