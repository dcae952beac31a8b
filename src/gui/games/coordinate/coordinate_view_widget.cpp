#include "gui/games/game_views.h"

#include "core/games/coordinate/coordinate_rules.h"
#include "gui/games/common/game_window.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kGiveUpLabelName = QStringLiteral("lblGiveup");
const QString kCoordinateViewName = QStringLiteral("fraZahyou");
const QString kColumnNumberName = QStringLiteral("lblRetsu_%1");
const QString kRowNumberName = QStringLiteral("lblGyou_%1");
const QString kCellName = QStringLiteral("lblKanjiP_%1");

QString fillName(CoordinateRules::Fill f) {
    switch (f) {
    case CoordinateRules::Fill::Asked: return QStringLiteral("出題中");
    case CoordinateRules::Fill::Right: return QStringLiteral("正解");
    case CoordinateRules::Fill::Wrong: return QStringLiteral("不正解");
    case CoordinateRules::Fill::Flash: return QStringLiteral("誤答の位置");
    case CoordinateRules::Fill::White: break;
    }
    return QStringLiteral("未出題");
}

void paint(QLabel *label, const Rgb &background, const QColor &text = Qt::black) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, QColor(background.r, background.g, background.b));
    p.setColor(QPalette::WindowText, text);
    label->setPalette(p);
}

// Rows not in play are hidden but keep their place, so the grid does not move with the number of rows.
void keepPlaceWhenHidden(QWidget *w) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

QLabel *edgeLabel(QWidget *parent, const QString &name, const QString &text, const Rgb &background) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setAutoFillBackground(true);
    paint(l, background, Qt::white);
    return l;
}

// The label "解答" over the answer box: a click ends the play early, as Esc does.
class GiveUpLabel : public QLabel {
public:
    GiveUpLabel(CoordinateRules &rules, QWidget *parent) : QLabel(QStringLiteral("解答"), parent), m_rules(rules) {
        setObjectName(kGiveUpLabelName);
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
        paint(this, {192, 64, 64}, Qt::white);
        setToolTip(QStringLiteral("クリックするかEscキーでプレイを終えます"));
    }

protected:
    void mousePressEvent(QMouseEvent *e) override {
        QLabel::mousePressEvent(e);
        m_rules.giveUp();
    }

private:
    CoordinateRules &m_rules;
};

// Esc in the answer box ends the play early; the key is consumed.
class EscapeFilter : public QObject {
public:
    EscapeFilter(CoordinateRules &rules, QObject *parent) : QObject(parent), m_rules(rules) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape)
            return false;
        m_rules.giveUp();
        return true;
    }

private:
    CoordinateRules &m_rules;
};

// The grid of cells (named by their codes) with the column and row numbers along its edges.
class CoordinateView : public QWidget {
public:
    explicit CoordinateView(GameWindow &window) : QWidget(&window), m_engine(window.engine()) {
        setObjectName(kCoordinateViewName);
        // The grid keeps its size, so that the answer box stays right under it.
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        auto *column = new QVBoxLayout(this);
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(window.tw(60));
        grid->setVerticalSpacing(window.tw(60));
        for (int c = 1; c <= CoordinateRules::kColumns; ++c) {
            auto *l = edgeLabel(this, kColumnNumberName.arg(c), QString::number(c), {192, 0, 0});
            l->setMinimumSize(window.tw(450), window.tw(345));
            l->setMaximumSize(window.tw(690), window.tw(345));
            grid->addWidget(l, 0, c);
        }
        for (int r = 1; r <= CoordinateRules::kMaxRows; ++r) {
            auto *l = edgeLabel(this, kRowNumberName.arg(r), QString::number(r), {0, 192, 0});
            l->setFixedSize(window.tw(390), window.tw(345));
            keepPlaceWhenHidden(l);
            grid->addWidget(l, r, 0);
            m_rowLabels[r] = l;
            for (int c = 1; c <= CoordinateRules::kColumns; ++c) {
                const int code = 10 * r + c;
                auto *cell = new QLabel(this);
                cell->setObjectName(kCellName.arg(code));
                cell->setAccessibleName(QString::number(code));
                cell->setAutoFillBackground(true);
                cell->setFrameShape(QFrame::Box);
                // 690 x 345 twips when there is room; narrower rather than cut off when there is not.
                cell->setMinimumSize(window.tw(450), window.tw(345));
                cell->setMaximumSize(window.tw(690), window.tw(345));
                keepPlaceWhenHidden(cell);
                grid->addWidget(cell, r, c);
                m_cells[code] = cell;
            }
        }
        column->addLayout(grid);
        auto *giveUp = new GiveUpLabel(rules(), this);
        giveUp->setFixedHeight(window.tw(345));
        giveUp->setBuddy(window.answerBox());
        column->addWidget(giveUp);

        connect(&m_engine, &GameEngine::questionChanged, this, &CoordinateView::render);
        connect(&m_engine, &GameEngine::controlsChanged, this, &CoordinateView::render);
        connect(&m_engine, &GameEngine::feedback, this, &CoordinateView::render);
        render();
    }

private:
    CoordinateRules &rules() { return m_engine.rulesAs<CoordinateRules>(); }

    void render() {
        for (int code = 11; code <= 99; ++code) {
            QLabel *cell = m_cells[code];
            if (!cell)
                continue;
            const CoordinateRules::Fill f = rules().fill(code);
            paint(cell, CoordinateRules::fillColor(f));
            cell->setAccessibleDescription(fillName(f));
            cell->setVisible(rules().cellVisible(code));
        }
        for (int r = 1; r <= CoordinateRules::kMaxRows; ++r)
            m_rowLabels[r]->setVisible(r <= rules().rows());
    }

    GameEngine &m_engine;
    QLabel *m_cells[100] = {};
    QLabel *m_rowLabels[CoordinateRules::kMaxRows + 1] = {};
};

} // namespace

template <> QWidget *makeGameView<CoordinateGame>(GameWindow &window) {
    auto &rules = window.engine().rulesAs<CoordinateRules>();
    QLineEdit *box = window.answerBox();
    window.takeDigitsOnly();
    // "解答" over the answer box is the view's own give-up label, which also ends a play.
    if (auto *caption = window.findChild<QLabel *>(GameWindow::kAnswerCaptionName))
        caption->hide();
    box->installEventFilter(new EscapeFilter(rules, box));
    QObject::connect(box, &QLineEdit::textChanged, box, [&rules](const QString &text) { rules.judgeTyped(text); });
    // The grid of nine rows is taller than the controls beside it.
    window.placeQuestionBesideHistory();
    return new CoordinateView(window);
}

} // namespace mirute
