#include "gui/games/game_views.h"

#include "core/games/treasure/treasure_rules.h"
#include "gui/games/common/field_keyboard.h"
#include "gui/games/common/game_window.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kTreasureFieldName = QStringLiteral("fraKanjiP");
const QString kTreasureCellName = QStringLiteral("lblKanjiP_%1");
const QString kCellCountBoxName = QStringLiteral("cboMode");

// The field of cells 1..40, played with the mouse or the keyboard.
class TreasureField : public QWidget {
public:
    TreasureField(GameWindow &window) : QWidget(&window), m_engine(window.engine()) {
        setObjectName(kTreasureFieldName);
        // Cells 870 x 800 twips, columns 900 and rows 825 apart.
        auto *grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(window.tw(900 - 870));
        grid->setVerticalSpacing(window.tw(825 - 800));
        grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QFont font(QStringLiteral("ＭＳ ゴシック"));
        font.setPointSize(36);
        for (int i = 1; i <= TreasureRules::kCells; ++i) {
            auto *cell = new QPushButton(this);
            cell->setObjectName(kTreasureCellName.arg(i));
            cell->setFont(font);
            cell->setFixedSize(window.tw(870), window.tw(800));
            // A smaller field keeps its place: the window does not change its shape with the number of cells.
            QSizePolicy policy = cell->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            cell->setSizePolicy(policy);
            grid->addWidget(cell, (i - 1) / TreasureRules::kColumns, (i - 1) % TreasureRules::kColumns);
            connect(cell, &QPushButton::clicked, this, [this, i] { rules().clickCell(i); });
            m_cells.append(cell);
            m_colors.append(Rgb{-1, -1, -1});
        }
        new FieldKeyboard(window, this, {m_cells.begin(), m_cells.end()}, TreasureRules::kColumns);
        connect(&m_engine, &GameEngine::questionChanged, this, &TreasureField::render);
        connect(&m_engine, &GameEngine::feedback, this, &TreasureField::renderColors);
        connect(&m_engine, &GameEngine::feedbackEnded, this, &TreasureField::renderColors);
    }

    void render() {
        for (int i = 1; i <= TreasureRules::kCells; ++i) {
            QPushButton *cell = m_cells[i - 1];
            // A dictionary's "&" is shown as itself, not taken for the mark of a keyboard shortcut.
            cell->setText(rules().cellText(i).replace(u'&', QStringLiteral("&&")));
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
                                               " border: 1px solid rgb(128, 128, 128); padding: 0px; }")
                                    .arg(c.r)
                                    .arg(c.g)
                                    .arg(c.b));
            // The kanji is the cell's name (its text); its place and the flash are its description.
            const bool right = c == kRightColor, wrong = c == kWrongColor;
            const QString place = QStringLiteral("コマ %1").arg(i);
            cell->setAccessibleDescription(right   ? place + QStringLiteral(" 正解")
                                           : wrong ? place + QStringLiteral(" 不正解")
                                                   : place);
        }
    }

    GameEngine &m_engine;
    QList<QPushButton *> m_cells;
    QList<Rgb> m_colors;
};

// The box "コマ数" (cells shown) in the ゲーム設定 frame.
void addCellCountBox(GameWindow &window) {
    const QString text = window.engine().definition().extraFields.value(TreasureRules::kCellCountField).caption;
    auto *caption = new QLabel(text, &window);
    auto *box = new QComboBox(&window);
    box->setObjectName(kCellCountBoxName);
    box->setAccessibleName(text);
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
                     [box, &engine](int i) { engine.setExtra(TreasureRules::kCellCountField, box->itemText(i)); });
}

} // namespace

template <> QWidget *makeGameView<TreasureGame>(GameWindow &window) {
    auto *field = new TreasureField(window);
    addCellCountBox(window);
    return field;
}

} // namespace mirute
