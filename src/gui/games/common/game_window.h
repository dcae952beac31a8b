#pragma once

#include "core/games/common/game_engine.h"

#include <QWidget>
#include <memory>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mirute {

class ChartWidget;
class GridWidget;
class TrafficLightWidget;

// The window every game plays in: the engine's controls, the scoreboard, the answer list and the history
// panel, with the game's own question area placed in it. It renders the engine and forwards events.
class GameWindow : public QWidget {
    Q_OBJECT
public:
    explicit GameWindow(std::unique_ptr<GameEngine> engine, QWidget *parent = nullptr);
    ~GameWindow() override;

    GameEngine &engine() { return *m_engine; }
    // The game's question area and its own controls (set once, before Form_Load).
    void setQuestionView(QWidget *view);
    // A question taller than the controls beside it takes the height of the history panel too.
    void placeQuestionBesideHistory();
    // txtKaitou, or nullptr in the click games.
    QLineEdit *answerBox() const { return m_txtKaitou; }
    // The frame "ゲーム設定" where a game puts its own settings (chkHint, cboMode, …).
    QBoxLayout *gameSettingsLayout() const { return m_gameSettings; }
    QWidget *gameSettingsFrame() const;
    // Opens the window (Form_Load); returns an error text when the game cannot open.
    QString Form_Load();

    // Twips at this window's DPI, for the games' own geometry.
    int tw(int twips) const;

signals:
    void backRequested(); // "戻り"

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildHistoryPanel();
    void buildLayout();
    void fitListsToTheirRows();
    void sizeToScreen();
    QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent);
    QLabel *makeValueLabel(const QString &name);
    void renderScoreboard();
    void renderControls();
    void renderHistoryState();
    void renderCountdown(int step);
    void renderBar(double fraction);
    void showHistoryLayout();
    void setTabChain();
    void focusTarget(GameEngine::Focus target);
    void cmdClear_Click();
    void cmdHozon_Click();
    void cmdEnd_Click();
    void reportError(const QString &text);

    std::unique_ptr<GameEngine> m_engine;
    bool m_rendering = false;
    QGridLayout *m_body = nullptr;
    QBoxLayout *m_questionColumn = nullptr;
    QBoxLayout *m_controlColumn = nullptr;
    QBoxLayout *m_gameSettings = nullptr;
    QGroupBox *m_settingsFrame = nullptr;
    QRadioButton *m_optMode[2] = {};
    QComboBox *m_cboJikan = nullptr, *m_cboKaisu = nullptr;
    QCheckBox *m_chkAs = nullptr;
    QPushButton *m_cmdStart = nullptr, *m_cmdHozon = nullptr, *m_cmdClear = nullptr, *m_cmdEnd = nullptr;
    TrafficLightWidget *m_imgStart[4] = {};
    QLabel *m_lblJikan = nullptr, *m_lblMojiT = nullptr, *m_lblOk = nullptr, *m_lblNg = nullptr;
    QLabel *m_lblRitu = nullptr, *m_lblByou = nullptr, *m_lblKiroku = nullptr;
    QLabel *m_lblBest = nullptr;
    QFrame *m_shpJikanB = nullptr, *m_shpJikanK = nullptr;
    QLineEdit *m_txtKaitou = nullptr;
    GridWidget *m_msgKaitou = nullptr;
    QFrame *m_fraRireki = nullptr;
    GridWidget *m_msgRireki = nullptr;
    ChartWidget *m_mcrRireki = nullptr, *m_mcrRireki2 = nullptr;
    QWidget *m_chartArea = nullptr;
    QPushButton *m_chartButtons[GameHistory::ButtonCount] = {};
    QComboBox *m_cboJikan2 = nullptr, *m_cboKaisu2 = nullptr;
    QPushButton *m_cmdAllDsp = nullptr;
    QWidget *m_bottom = nullptr;
    QWidget *m_questionView = nullptr;
};

} // namespace mirute
