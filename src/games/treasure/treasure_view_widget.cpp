#include "games/treasure/treasure_view_widget.h"

#include "games/common/game_window.h"
#include "games/treasure/treasure_rules.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace mirute {

namespace {

// The field lblKanjiP 1..40: flat, focusable cells so that the field can be played from the keyboard too.
class TreasureField : public QWidget {
public:
    TreasureField(GameWindow &window) : QWidget(&window), m_engine(window.engine()) {
        setObjectName(QStringLiteral("fraKanjiP"));
        auto *grid = new QGridLayout(this);
        grid->setHorizontalSpacing(window.tw(900 - 870));
        grid->setVerticalSpacing(window.tw(825 - 800));
        grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QFont font(QStringLiteral("ＭＳ ゴシック"));
        font.setPointSize(36);
        for (int i = 1; i <= TreasureRules::kCells; ++i) {
            auto *cell = new QPushButton(this);
            cell->setObjectName(QStringLiteral("lblKanjiP_%1").arg(i));
            cell->setAccessibleName(QStringLiteral("コマ %1").arg(i));
            cell->setFont(font);
            cell->setFixedSize(window.tw(870), window.tw(800));
            cell->setFocusPolicy(Qt::StrongFocus);
            grid->addWidget(cell, (i - 1) / TreasureRules::kColumns, (i - 1) % TreasureRules::kColumns);
            connect(cell, &QPushButton::clicked, this, [this, i] { rules().lblKanjiP_Click(i); });
            m_cells.append(cell);
            m_colors.append(Rgb{-1, -1, -1});
        }
        connect(&m_engine, &GameEngine::questionChanged, this, &TreasureField::render);
        connect(&m_engine, &GameEngine::feedback, this, &TreasureField::renderColors);
        connect(&m_engine, &GameEngine::feedbackEnded, this, &TreasureField::renderColors);
    }

    void render() {
        for (int i = 1; i <= TreasureRules::kCells; ++i) {
            QPushButton *cell = m_cells[i - 1];
            cell->setText(rules().cellText(i));
            cell->setVisible(rules().cellVisible(i));
        }
        renderColors();
    }

private:
    TreasureRules &rules() { return m_engine.rulesAs<TreasureRules>(); }

    void renderColors() {
        for (int i = 1; i <= TreasureRules::kCells; ++i) {
            const Rgb c = rules().cellColor(i);
            if (c == m_colors[i - 1])
                continue;
            m_colors[i - 1] = c;
            QPushButton *cell = m_cells[i - 1];
            cell->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(%1, %2, %3); color: black;"
                                               " border: 1px solid rgb(128, 128, 128); }"
                                               " QPushButton:focus { border: 2px solid rgb(0, 0, 255); }")
                                    .arg(c.r)
                                    .arg(c.g)
                                    .arg(c.b));
            const bool right = c == Rgb{0, 255, 0}, wrong = c == Rgb{255, 0, 0};
            cell->setAccessibleDescription(right ? QStringLiteral("正解") : wrong ? QStringLiteral("不正解") : QString());
        }
    }

    GameEngine &m_engine;
    QList<QPushButton *> m_cells;
    QList<Rgb> m_colors;
};

// cboMode "コマ数" in the ゲーム設定 frame.
void addCellCountBox(GameWindow &window) {
    auto *caption = new QLabel(QStringLiteral("コマ数"), &window);
    auto *box = new QComboBox(&window);
    box->setObjectName(QStringLiteral("cboMode"));
    box->setAccessibleName(QStringLiteral("コマ数"));
    caption->setBuddy(box);
    for (int n = TreasureRules::kColumns; n <= TreasureRules::kCells; n += TreasureRules::kColumns)
        box->addItem(QString::number(n));
    window.gameSettingsLayout()->addWidget(caption);
    window.gameSettingsLayout()->addWidget(box);
    GameEngine &engine = window.engine();
    auto sync = [box, &engine] {
        box->setCurrentText(QString::number(engine.rulesAs<TreasureRules>().cellCount()));
        // The size of the field is part of a play: it stays as started until the play ends.
        box->setEnabled(!engine.limitsLocked());
    };
    QObject::connect(&engine, &GameEngine::controlsChanged, box, sync);
    QObject::connect(box, &QComboBox::activated, &engine,
                     [box, &engine](int i) { engine.setExtra(0, box->itemText(i)); });
}

} // namespace

QWidget *makeTreasureView(GameWindow &window) {
    auto *field = new TreasureField(window);
    addCellCountBox(window);
    return field;
}

} // namespace mirute
