#include "gui/games/game_views.h"

#include "core/games/order/order_rules.h"
#include "gui/games/common/field_keyboard.h"
#include "gui/games/common/game_window.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kFieldName = QStringLiteral("fraMondai");
const QString kNumberButtonName = QStringLiteral("lblMondai_%1");
const QString kDigitsBoxName = QStringLiteral("cboMode");
const QString kOrderBoxName = QStringLiteral("cboMode2");

QString markName(OrderRules::Mark m) {
    switch (m) {
    case OrderRules::Mark::Green: return QStringLiteral("緑");
    case OrderRules::Mark::Red: return QStringLiteral("赤");
    case OrderRules::Mark::Black: break;
    }
    return QStringLiteral("黒");
}

// The block of nine numbers 1..9; a number is clicked (or chosen with the keyboard) in its turn.
class OrderView : public QFrame {
public:
    explicit OrderView(GameWindow &window) : QFrame(&window), m_engine(window.engine()) {
        setObjectName(kFieldName);
        setAccessibleName(QStringLiteral("問題"));
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
        auto *grid = new QGridLayout(this);
        grid->setVerticalSpacing(0);
        QFont f(QStringLiteral("ＭＳ ゴシック"));
        f.setPointSizeF(65.25);
        for (int k = 1; k <= OrderRules::kNumbers; ++k) {
            auto *b = new QPushButton(this);
            b->setObjectName(kNumberButtonName.arg(k));
            b->setFlat(true);
            b->setFont(f);
            // Labels 2265 x 1440 twips at the least, rows touching.
            b->setMinimumSize(window.tw(2265), window.tw(1440));
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            grid->addWidget(b, (k - 1) / kColumns, (k - 1) % kColumns);
            connect(b, &QPushButton::clicked, this, [this, k] {
                rules().click(k);
                render();
            });
            m_labels.append(b);
        }
        new FieldKeyboard(window, this, {m_labels.begin(), m_labels.end()}, kColumns);
        connect(&m_engine, &GameEngine::questionChanged, this, [this] { render(); });
        render();
    }

protected:
    void resizeEvent(QResizeEvent *e) override {
        QFrame::resizeEvent(e);
        fitFont();
    }

private:
    static constexpr int kColumns = 3;

    OrderRules &rules() { return m_engine.rulesAs<OrderRules>(); }

    // 65.25-point numbers, smaller only where a three-digit number would not fit its label.
    void fitFont() {
        const int room = m_labels.first()->width() * 9 / 10;
        QFont f = m_labels.first()->font();
        double points = 65.25;
        f.setPointSizeF(points);
        while (points > 12 && QFontMetricsF(f).horizontalAdvance(QStringLiteral("888")) > room) {
            points -= 1;
            f.setPointSizeF(points);
        }
        for (QPushButton *b : m_labels)
            b->setFont(f);
    }

    void render() {
        for (int k = 1; k <= m_labels.size(); ++k) {
            QPushButton *b = m_labels[k - 1];
            const QString text = rules().texts().value(k - 1);
            const Rgb c = rules().textColor(k);
            b->setText(text);
            b->setStyleSheet(
                QStringLiteral("QPushButton { color: rgb(%1, %2, %3); border: none; }").arg(c.r).arg(c.g).arg(c.b));
            b->setAccessibleName(QStringLiteral("数字 %1").arg(text));
            b->setAccessibleDescription(markName(rules().mark(k)));
        }
    }

    GameEngine &m_engine;
    QList<QPushButton *> m_labels;
};

QComboBox *addSettingCombo(GameWindow &window, const QString &name, const QStringList &items, int field) {
    const QString caption = window.engine().definition().extraFields.value(field).caption;
    auto *label = new QLabel(caption, &window);
    auto *box = new QComboBox(&window);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->addItems(items);
    label->setBuddy(box);
    window.gameSettingsLayout()->addWidget(label);
    window.gameSettingsLayout()->addWidget(box);
    GameEngine &engine = window.engine();
    auto sync = [box, &engine, field] { box->setCurrentText(engine.settings().extraText(field)); };
    QObject::connect(&engine, &GameEngine::controlsChanged, box, sync);
    QObject::connect(box, &QComboBox::activated, &engine,
                     [box, &engine, field](int i) { engine.setExtra(field, box->itemText(i)); });
    return box;
}

} // namespace

template <> QWidget *makeGameView<OrderGame>(GameWindow &window) {
    addSettingCombo(window, kDigitsBoxName, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
                    OrderRules::kDigitCountField);
    addSettingCombo(window, kOrderBoxName, {QStringLiteral("小"), QStringLiteral("大")}, OrderRules::kOrderField);
    return new OrderView(window);
}

} // namespace mirute
