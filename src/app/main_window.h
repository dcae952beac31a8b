#pragma once

#include "app/main_state.h"

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

// frmMain: the home screen. Built anew on every return from a game, so its start-up runs each time.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const QString &dataDir, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence; returns after the window is shown and the welcome tour (first start) is done.
    void Form_Load();

    MainState &state() { return m_state; }
    QPushButton *button(const QString &objectName) const;
    LogPanel *panel(const QString &objectName) const;
    DayPanel *dayPanel() const { return m_dayPanel; }
    QFrame *gameLauncher() const { return m_fraGame; }
    // The panel shown now (exactly one is visible).
    LogPanel *visiblePanel() const;

signals:
    void gameRequested(int gameNo);   // a game button: the game window replaces this window
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void buildButtons();
    void buildPanels();
    void buildLauncher();
    QPushButton *addButton(const QString &name, const QString &caption, const QString &tip);
    void HIDE_PANELS();
    void READ_NAME();
    void switchPanel(LogPanel *panel);
    void cmdMain_Click();
    void cmdGame_Click();
    void cmdHelp_Click();
    void cmdOwari_Click();
    void chkHelp_Click();
    void launchGame(int gameNo);
    void setUserName(const QString &name);
    void reportError(const QString &text);
    void closeHelpWindows();

    MainState m_state;
    QMap<QString, QPushButton *> m_buttons;
    QList<LogPanel *> m_hideOrder;   // HIDE_PANELS order
    QMap<QString, LogPanel *> m_panels;
    DayPanel *m_dayPanel = nullptr;
    DiaryPanel *m_diaryPanel = nullptr;
    QFrame *m_fraGame = nullptr;
    QCheckBox *m_chkHelp = nullptr;
    QWidget *m_panelArea = nullptr;
    bool m_closingForGame = false;
};

} // namespace mirute
