#include "views/range_panel.h"

#include "app/help_texts.h"
#include "games/common/clock.h"
#include "log/game_names.h"
#include "ui/button_color_widget.h"
#include "ui/chart_widget.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mirute {

namespace {

QLabel *groupLabel(const QString &name, const QString &text, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QComboBox *dateCombo(const QString &name, QWidget *parent) {
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumContentsLength(10);
    c->setAccessibleName(name == QLatin1String("cboStdate") ? QStringLiteral("開始日") : QStringLiteral("終了日"));
    return c;
}

} // namespace

RangePanel::RangePanel(MainState &state, QWidget *parent)
    : LogPanel(state, QStringLiteral("fraTaijyu"), parent),
      m_view([this] { return readPlayLog(mainState().dataDir); }, gameNames()) {
    auto *root = new QVBoxLayout(this);
    root->addLayout(buildPeriodRow());
    root->addLayout(buildWeekdayRow());
    root->addLayout(buildItemRow());

    m_msgBunseki = new GridWidget(&m_view.list(), this);
    m_msgBunseki->setObjectName(QStringLiteral("msgBunseki"));
    m_msgBunseki2 = new GridWidget(&m_view.totals(), this);
    m_msgBunseki2->setObjectName(QStringLiteral("msgBunseki2"));
    m_mcrBunseki = new ChartWidget(&m_view.recordChart(), this);
    m_mcrBunseki->setObjectName(QStringLiteral("mcrBunseki"));
    m_mcrBunseki->setAccessibleName(QStringLiteral("時系列グラフ"));
    m_mcrBunseki->setSeriesColors({QColor(255, 140, 140)});
    m_mcrBunseki->setSeriesNames({QStringLiteral("秒")});
    m_mcrBunseki2 = new ChartWidget(&m_view.groupChart(), this);
    m_mcrBunseki2->setObjectName(QStringLiteral("mcrBunseki2"));
    m_mcrBunseki2->setAccessibleName(QStringLiteral("項目別・時間別グラフ"));
    m_mcrBunseki2->setSeriesColors({QColor(120, 170, 255)});
    m_mcrBunseki2->setSeriesNames({QStringLiteral("秒")});

    auto *body = new QHBoxLayout;
    body->addWidget(m_msgBunseki, 3);
    auto *middle = new QVBoxLayout;
    middle->addWidget(m_lstAct2, 1);
    middle->addWidget(m_msgBunseki2, 1);
    body->addLayout(middle, 2);
    auto *right = new QVBoxLayout;
    right->addLayout(buildChartButtons());
    auto *charts = new QGridLayout;
    charts->addWidget(m_mcrBunseki, 0, 0);
    charts->addWidget(m_mcrBunseki2, 0, 0);
    right->addLayout(charts, 1);
    body->addLayout(right, 4);
    root->addLayout(body, 1);
    showState();
}

QPushButton *RangePanel::addButton(const QString &name, const QString &caption) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(true);
    m_buttons.insert(name, b);
    return b;
}

QLayout *RangePanel::buildPeriodRow() {
    auto *row = new QHBoxLayout;
    row->addWidget(groupLabel(QStringLiteral("lblKikan"), QStringLiteral("期間指定"), this));
    connect(addButton(QStringLiteral("cmdAllDay"), QStringLiteral("全部")), &QPushButton::clicked, this, [this] {
        run([this] {
            const QString first = mainState().emptyLog ? QString() : mainState().firstPlayDate;
            m_view.cmdAllDay_Click(first, appClock().now().date());
        });
    });
    row->addWidget(m_buttons.value(QStringLiteral("cmdAllDay")));
    for (const RangePeriodButton &p : RangeView::periodButtons()) {
        QPushButton *b = addButton(p.name, p.caption);
        connect(b, &QPushButton::clicked, this,
                [this, name = p.name] { run([this, name] { m_view.cmdKikan_Click(name, appClock().now().date()); }); });
        row->addWidget(b);
    }
    QPushButton *f = addButton(QStringLiteral("cmdKikanF"), QStringLiteral("任意"));
    connect(f, &QPushButton::clicked, this, [this] { run([this] { m_view.cmdKikanF_Click(); }); });
    row->addWidget(f);
    m_cboStdate = dateCombo(QStringLiteral("cboStdate"), this);
    m_cboEddate = dateCombo(QStringLiteral("cboEddate"), this);
    row->addSpacing(8);
    row->addWidget(m_cboStdate);
    row->addWidget(groupLabel(QStringLiteral("lblKara"), QStringLiteral("～"), this));
    row->addWidget(m_cboEddate);
    row->addStretch();
    return row;
}

QLayout *RangePanel::buildWeekdayRow() {
    auto *row = new QHBoxLayout;
    row->addWidget(groupLabel(QStringLiteral("lblWeek"), QStringLiteral("曜日指定"), this));
    QPushButton *all = addButton(QStringLiteral("cmdAllWeek"), QStringLiteral("全部"));
    connect(all, &QPushButton::clicked, this, [this] { run([this] { m_view.cmdAllWeek_Click(); }); });
    row->addWidget(all);
    for (int i = 0; i < 7; ++i) {
        QPushButton *b = addButton(RangeView::weekdayButtonName(i), RangeView::weekdayCaption(i));
        connect(b, &QPushButton::clicked, this, [this, i] { run([this, i] { m_view.cmdWeek_Click(i); }); });
        row->addWidget(b);
    }
    row->addStretch();
    return row;
}

QLayout *RangePanel::buildItemRow() {
    auto *row = new QHBoxLayout;
    row->addWidget(groupLabel(QStringLiteral("lblAct"), QStringLiteral("項目指定"), this));
    QPushButton *all = addButton(QStringLiteral("cmdAllact"), QStringLiteral("全部"));
    connect(all, &QPushButton::clicked, this, [this] { run([this] { m_view.cmdAllact_Click(); }); });
    row->addWidget(all);
    m_txtKey = new QLineEdit(this);
    m_txtKey->setObjectName(QStringLiteral("txtKey"));
    m_txtKey->setAccessibleName(QStringLiteral("状況"));
    m_txtKey->installEventFilter(this);
    m_txtKey->setMaximumWidth(240);
    connect(m_txtKey, &QLineEdit::returnPressed, this, [this] { run([this] { m_view.txtKey_Enter(); }); });
    row->addWidget(m_txtKey);
    QPushButton *search = addButton(QStringLiteral("cmdKensaku"), QStringLiteral("検索"));
    connect(search, &QPushButton::clicked, this, [this] { run([this] { m_view.cmdKensaku_Click(); }); });
    row->addWidget(search);
    row->addStretch();

    m_lstAct2 = new QListWidget(this);
    m_lstAct2->setObjectName(QStringLiteral("lstAct2"));
    m_lstAct2->setAccessibleName(QStringLiteral("項目"));
    m_lstAct2->addItems(m_view.games());
    connect(m_lstAct2, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { pickGame(item); });
    m_lstAct2->installEventFilter(this);
    return row;
}

QLayout *RangePanel::buildChartButtons() {
    auto *row = new QHBoxLayout;
    QPushButton *day = addButton(QStringLiteral("cmdDay3"), QStringLiteral("時系列"));
    QPushButton *total = addButton(QStringLiteral("cmdTotal3"), QStringLiteral("項目別"));
    QPushButton *hour = addButton(QStringLiteral("cmdJikan3"), QStringLiteral("時間別"));
    connect(day, &QPushButton::clicked, this, [this] { run([this] { m_view.cmdDay3_Click(); }); });
    connect(total, &QPushButton::clicked, this, [this] { run([this] { m_view.cmdTotal3_Click(); }); });
    connect(hour, &QPushButton::clicked, this, [this] { run([this] { m_view.cmdJikan3_Click(); }); });
    row->addWidget(day);
    row->addWidget(total);
    row->addWidget(hour);
    row->addStretch();
    return row;
}

void RangePanel::fill() {
    run([this] { m_view.open(); });
    reportReadFailure();
}

QString RangePanel::helpTourText() const {
    return helptexts::range();
}

// The key box empties itself when focused, so the panel starts on the first period button instead.
QWidget *RangePanel::firstFocus() {
    return m_buttons.value(QStringLiteral("cmdAllDay"));
}

void RangePanel::pickGame(QListWidgetItem *item) {
    if (item)
        run([this, game = item->text()] { m_view.lstAct2_Click(game); });
}

bool RangePanel::eventFilter(QObject *watched, QEvent *event) {
    // Enter on the game list picks its current entry, as a click does.
    if (watched == m_lstAct2 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pickGame(m_lstAct2->currentItem());
            return true;
        }
    }
    if (watched == m_txtKey && event->type() == QEvent::FocusIn) {
        // Coming back from another window or a popup menu is not the user entering the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            m_view.txtKey_GotFocus();
            m_txtKey->clear();
        }
    }
    return LogPanel::eventFilter(watched, event);
}

void RangePanel::run(const std::function<void()> &handler) {
    readControls();
    handler();
    showState();
}

void RangePanel::readControls() {
    m_view.filter().from = m_cboStdate->currentText();
    m_view.filter().to = m_cboEddate->currentText();
    m_view.filter().key = m_txtKey->text();
}

void RangePanel::showState() {
    if (m_shownDates != m_view.comboDates()) {
        const QSignalBlocker b1(m_cboStdate), b2(m_cboEddate);
        m_cboStdate->clear();
        m_cboEddate->clear();
        m_cboStdate->addItems(m_view.comboDates());
        m_cboEddate->addItems(m_view.comboDates());
        m_shownDates = m_view.comboDates();
    }
    if (m_cboStdate->currentText() != m_view.filter().from)
        m_cboStdate->setEditText(m_view.filter().from);
    if (m_cboEddate->currentText() != m_view.filter().to)
        m_cboEddate->setEditText(m_view.filter().to);
    if (m_txtKey->text() != m_view.filter().key)
        m_txtKey->setText(m_view.filter().key);
    for (const QString &name : RangeView::buttonNames())
        setButtonColor(m_buttons.value(name), m_view.buttonColor(name));
}

void RangePanel::reportReadFailure() {
    if (!m_view.lastReadError().isEmpty())
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), m_view.lastReadError());
    else if (const QString text = problemsMessage(kPlayLogFile, m_view.lastReadProblems()); !text.isEmpty())
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), text);
}

} // namespace mirute
