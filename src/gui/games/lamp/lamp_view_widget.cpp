#include "gui/games/game_views.h"

#include "core/games/lamp/lamp_rules.h"
#include "gui/games/common/field_keyboard.h"
#include "gui/games/common/game_window.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kViewName = QStringLiteral("fraLamp");
const QString kLampName = QStringLiteral("imgMondai_%1");
const QString kSwatchName = QStringLiteral("shpLanp_%1");
const QString kCountName = QStringLiteral("lblLsu_%1");
const QString kShowCountsBoxName = QStringLiteral("chkHide");
const QString kColourCountBoxName = QStringLiteral("cboMode");

// The lamp field 1..28 (flat buttons with the lamp images) and the legend of colours 1..5 with their counts,
// and the check box that shows the counts beside it.
class LampView : public QWidget {
public:
    explicit LampView(GameWindow &window) : QWidget(&window), m_window(window), m_engine(window.engine()) {
        setObjectName(kViewName);
        auto *row = new QHBoxLayout(this);
        auto *field = new QGridLayout;
        // Images 840 x 885 twips, columns 1000 and rows 975 apart.
        field->setHorizontalSpacing(window.tw(1000 - 840));
        field->setVerticalSpacing(window.tw(975 - 885));
        for (int k = 1; k <= LampRules::kLamps; ++k) {
            auto *b = new QPushButton(this);
            b->setObjectName(kLampName.arg(k));
            b->setFlat(true);
            b->setIconSize(QSize(window.tw(840), window.tw(885)));
            b->setFixedSize(window.tw(840), window.tw(885));
            field->addWidget(b, (k - 1) / kColumns, (k - 1) % kColumns);
            connect(b, &QPushButton::clicked, this, [this, k] { rules().click(k); });
            m_lamps.append(b);
        }
        new FieldKeyboard(window, this, {m_lamps.begin(), m_lamps.end()}, kColumns);
        auto *fieldColumn = new QVBoxLayout;
        fieldColumn->addLayout(field);
        fieldColumn->addStretch(1);
        row->addLayout(fieldColumn);
        row->addLayout(buildLegend(), 0);
        row->addStretch(1);
        rules().setLampShown([this](int lamp) {
            if (lamp == 0)
                renderLegend();
            else
                renderLamp(lamp);
        });
        connect(&m_engine, &GameEngine::questionChanged, this, &LampView::render);
        connect(&m_engine, &GameEngine::controlsChanged, this, &LampView::renderLegend);
    }

private:
    static constexpr int kColumns = 7;

    LampRules &rules() { return m_engine.rulesAs<LampRules>(); }

    QLayout *buildLegend() {
        auto *legend = new QGridLayout;
        legend->setAlignment(Qt::AlignTop);
        for (int slot = 1; slot <= LampRules::kSlots; ++slot) {
            auto *swatch = new QFrame(this);
            swatch->setObjectName(kSwatchName.arg(slot));
            swatch->setFixedSize(m_window.tw(465), m_window.tw(315));
            const Rgb c = LampRules::slotColor(slot);
            swatch->setStyleSheet(QStringLiteral("QFrame#%1 { background-color: rgb(%2, %3, %4); }")
                                      .arg(swatch->objectName())
                                      .arg(c.r)
                                      .arg(c.g)
                                      .arg(c.b));
            auto *count = new QLabel(swatch);
            count->setObjectName(kCountName.arg(slot));
            count->setAlignment(Qt::AlignCenter);
            count->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
            count->setAccessibleDescription(LampRules::slotName(slot) + QStringLiteral("の数"));
            auto *inner = new QHBoxLayout(swatch);
            inner->setContentsMargins(0, 0, 0, 0);
            inner->addWidget(count);
            // A hidden legend keeps its place, so that the field does not move when it is shown.
            QSizePolicy policy = swatch->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            swatch->setSizePolicy(policy);
            legend->addWidget(swatch, (slot - 1) / 3, (slot - 1) % 3);
            m_swatches.append(swatch);
            m_counts.append(count);
        }
        m_showCountsBox = new QCheckBox(this);
        m_showCountsBox->setObjectName(kShowCountsBoxName);
        m_showCountsBox->setAccessibleName(
            m_engine.definition().extraFields.value(LampRules::kShowCountsField).caption);
        legend->addWidget(m_showCountsBox, 1, 2);
        connect(m_showCountsBox, &QCheckBox::clicked, this,
                [this](bool on) { m_engine.setExtraFlag(LampRules::kShowCountsField, on); });
        return legend;
    }

    const QPixmap &pixmap(int slot) {
        QPixmap &p = m_pixmaps[slot];
        if (p.isNull())
            p.load(rules().imagePath(slot));
        return p;
    }

    void renderLamp(int k) {
        const int slot = rules().lampColors().value(k - 1);
        if (slot < 1)
            return; // not yet drawn: the lamp of the previous field stays until it is drawn over
        QPushButton *b = m_lamps[k - 1];
        const QPixmap &p = pixmap(slot);
        b->setIcon(p.isNull() ? QIcon() : QIcon(p));
        b->setText(p.isNull() ? LampRules::slotName(slot) : QString());
        b->setAccessibleName(QStringLiteral("ランプ %1（%2）").arg(k).arg(LampRules::slotName(slot)));
        b->setAccessibleDescription(LampRules::slotName(slot));
    }

    void renderLegend() {
        for (int slot = 1; slot <= LampRules::kSlots; ++slot) {
            m_swatches[slot - 1]->setVisible(rules().legendVisible(slot));
            m_counts[slot - 1]->setText(QString::number(rules().tally(slot)));
            m_swatches[slot - 1]->setAccessibleName(
                QStringLiteral("%1の数 %2").arg(LampRules::slotName(slot)).arg(rules().tally(slot)));
        }
        m_showCountsBox->setChecked(rules().showCounts());
    }

    void render() {
        for (int k = 1; k <= LampRules::kLamps; ++k)
            renderLamp(k);
        renderLegend();
    }

    GameWindow &m_window;
    GameEngine &m_engine;
    QList<QPushButton *> m_lamps;
    QList<QFrame *> m_swatches;
    QList<QLabel *> m_counts;
    QCheckBox *m_showCountsBox = nullptr;
    QPixmap m_pixmaps[LampRules::kSlots + 1];
};

} // namespace

template <> QWidget *makeGameView<LampGame>(GameWindow &window) {
    const QString caption = window.engine().definition().extraFields.value(LampRules::kColorCountField).caption;
    auto *label = new QLabel(caption, &window);
    auto *box = new QComboBox(&window);
    box->setObjectName(kColourCountBoxName);
    box->setAccessibleName(caption);
    box->addItems({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")});
    label->setBuddy(box);
    window.gameSettingsLayout()->addWidget(label);
    window.gameSettingsLayout()->addWidget(box);
    GameEngine &engine = window.engine();
    QObject::connect(&engine, &GameEngine::controlsChanged, box,
                     [box, &engine] { box->setCurrentText(engine.settings().extraText(LampRules::kColorCountField)); });
    QObject::connect(box, &QComboBox::activated, &engine,
                     [box, &engine](int i) { engine.setExtra(LampRules::kColorCountField, box->itemText(i)); });
    return new LampView(window);
}

} // namespace mirute
