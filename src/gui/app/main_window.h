#pragma once

#include "core/views/main_state.h"

#include <QMap>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QFrame;
class QPushButton;

namespace mirute {

class DayPanel;
class DiaryPanel;
class LogPanel;

// The home screen. Built anew on every return from a game, so its start-up runs each time.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const QString &dataDir, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; returns after the window is shown and the welcome tour (first start) is done.
    void startUp();

    MainState &state() { return m_state; }
    QPushButton *button(const QString &objectName) const;
    LogPanel *panel(const QString &objectName) const;
    DayPanel *dayPanel() const { return m_dayPanel; }
    QFrame *gameLauncher() const { return m_gameLauncher; }
    // The panel shown now (exactly one is visible).
    LogPanel *visiblePanel() const;

signals:
    void gameRequested(int gameNo); // a game button: the game window replaces this window
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void buildButtons();
    void buildPanels();
    void buildLauncher();
    QPushButton *addButton(const QString &name, const QString &caption, const QString &tip);
    void hideAllPanels();
    void loadUserName();
    void switchPanel(LogPanel *panel);
    void onMainClicked();
    void openGameLauncher();
    void closeGameLauncher();
    void openHelp();
    void quit();
    void onHelpTourToggled();
    void launchGame(int gameNo);
    void setUserName(const QString &name);
    void reportError(const QString &text);
    void closeHelpWindows();
    void offerKeptPlays();

    MainState m_state;
    QMap<QString, QPushButton *> m_buttons;
    QList<LogPanel *> m_hideOrder; // the order in which panels are hidden
    QMap<QString, LogPanel *> m_panels;
    DayPanel *m_dayPanel = nullptr;
    DiaryPanel *m_diaryPanel = nullptr;
    QFrame *m_gameLauncher = nullptr;
    QCheckBox *m_helpTourBox = nullptr;
    QWidget *m_panelArea = nullptr;
    bool m_closingForGame = false;
};

} // namespace mirute
