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
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mirute {

class FieldKeyboard;
class GridWidget;
class HistoryPanelWidget;
class ScoreboardWidget;
class TrafficLightWidget;

// The window every game plays in: the engine's controls, the scoreboard, the answer list and the history
// panel, with the game's own question area placed in it. It renders the engine and forwards events.
class GameWindow : public QWidget {
    Q_OBJECT
public:
    // The name of the caption "解答" over the answer box, which a game's view may hide.
    static inline const QString kAnswerCaptionName = QStringLiteral("lblKaitouCaption");

    explicit GameWindow(std::unique_ptr<GameEngine> engine, QWidget *parent = nullptr);
    ~GameWindow() override;

    GameEngine &engine() { return *m_engine; }
    // The game's question area and its own controls (set once, before open()).
    void setQuestionView(QWidget *view);
    // A question taller than the controls beside it takes the height of the history panel too.
    void placeQuestionBesideHistory();
    // The answer box of the typing games, or nullptr in the click games.
    QLineEdit *answerBox() const { return m_answerBox; }
    // An answer box for digits only: the input method stays off while it has the focus, so that a digit key is
    // judged at once whatever input mode was left on in another game.
    void takeDigitsOnly();
    // The field of a click game, which takes the focus for a play as the answer box does in a typing game.
    void setFieldKeyboard(FieldKeyboard *keys) { m_fieldKeys = keys; }
    // The frame "ゲーム設定" where a game puts its own settings.
    QBoxLayout *gameSettingsLayout() const { return m_gameSettings; }
    // Opens the window and shows it; returns an error text when the game cannot open.
    QString open();

    // Twips at this window's DPI, for the games' own geometry.
    int tw(int twips) const;

signals:
    void backRequested(); // "戻り"

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildAnswerColumn();
    void buildControlColumn();
    QWidget *buildModeBox();
    void buildSettingsFrame();
    QLayout *buildStartRow();
    void buildTimeBar();
    void buildWeakControls();
    void connectControls();
    void buildLayout();
    void fitListsToTheirRows();
    void sizeToScreen();
    QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent);
    void renderScoreboard();
    void renderControls();
    void renderCountdown(CountdownLight light);
    void renderBar(double fraction);
    void setTabChain();
    void focusTarget(GameEngine::Focus target);
    void onStartClicked();
    void onClearClicked();
    void onSaveClicked();
    void onBackClicked();
    bool leaveConfirmed();
    bool unsavedPlayDropConfirmed(const QString &title, const QString &question);
    void reportError(const QString &text);

    std::unique_ptr<GameEngine> m_engine;
    QGridLayout *m_body = nullptr;
    QBoxLayout *m_questionColumn = nullptr;
    QBoxLayout *m_controlColumn = nullptr;
    QBoxLayout *m_gameSettings = nullptr;
    QGroupBox *m_settingsFrame = nullptr;
    QRadioButton *m_timeModeOption = nullptr, *m_countModeOption = nullptr;
    QComboBox *m_timeLimitBox = nullptr, *m_countLimitBox = nullptr;
    QCheckBox *m_autoSaveBox = nullptr;
    QCheckBox *m_practiceBox = nullptr; // 苦手練習, in the games that keep their answers
    QPushButton *m_startButton = nullptr, *m_saveButton = nullptr, *m_clearButton = nullptr, *m_backButton = nullptr;
    TrafficLightWidget *m_lights[4] = {}; // by CountdownLight, red to green
    ScoreboardWidget *m_scoreboard = nullptr;
    QFrame *m_timeBarBack = nullptr, *m_timeBar = nullptr;
    QLineEdit *m_answerBox = nullptr;
    GridWidget *m_answerList = nullptr;
    HistoryPanelWidget *m_historyPanel = nullptr;
    QWidget *m_questionView = nullptr;
    FieldKeyboard *m_fieldKeys = nullptr;
};

} // namespace mirute
