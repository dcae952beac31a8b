#include "support/layout_check.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QBarCategoryAxis>
#include <QCalendarWidget>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTextDocument>

namespace mirute::test {

namespace {

// Rounding of fractional scales and anti-aliased borders: a pixel of touching is not an overlap.
constexpr int kTolerance = 1;

QString describe(const QWidget *w) {
    QString name = w->objectName();
    if (name.isEmpty()) {
        if (auto *b = qobject_cast<const QAbstractButton *>(w))
            name = QStringLiteral("\"%1\"").arg(b->text());
        else if (auto *l = qobject_cast<const QLabel *>(w))
            name = QStringLiteral("\"%1\"").arg(l->text().left(20));
    }
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()), name);
}

QRect rectIn(const QWidget *w, const QWidget *window) {
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// Grids, charts, calendars, combo and spin boxes are one control each: their insides are Qt's business.
bool isCompound(const QWidget *w) {
    return qobject_cast<const QAbstractScrollArea *>(w) || qobject_cast<const QCalendarWidget *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w);
}

bool ignored(const QWidget *w) {
    return w->property("layoutCheckIgnore").toBool();
}

void collectControls(QWidget *parent, QWidget *window, QList<QWidget *> *out) {
    for (QObject *o : parent->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w->isWindow() || !w->isVisibleTo(window) || ignored(w) || w->size().isEmpty())
            continue;
        bool hasVisibleChild = false;
        for (QObject *c : w->children()) {
            auto *cw = qobject_cast<QWidget *>(c);
            hasVisibleChild |= cw && !cw->isWindow() && cw->isVisibleTo(window) && !ignored(cw);
        }
        if (isCompound(w) || !hasVisibleChild)
            out->append(w);
        else
            collectControls(w, window, out);
    }
}

// A control must lie inside every widget it sits in, up to the window: what sticks out is cut off.
void checkInside(QWidget *w, QWidget *window, QStringList *problems) {
    const QRect r = rectIn(w, window).adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance);
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (!rectIn(p, window).contains(r)) {
            problems->append(QStringLiteral("%1 at %2,%3 %4×%5 is cut off by %6")
                                 .arg(describe(w))
                                 .arg(r.x())
                                 .arg(r.y())
                                 .arg(r.width())
                                 .arg(r.height())
                                 .arg(p == window ? QStringLiteral("the window") : describe(p)));
            return;
        }
        if (p == window)
            return;
    }
}

void checkOverlaps(const QList<QWidget *> &controls, QWidget *window, QStringList *problems) {
    QList<QRect> rects;
    for (QWidget *w : controls)
        rects.append(rectIn(w, window));
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect common = rects[i] & rects[j];
            if (common.width() > kTolerance && common.height() > kTolerance)
                problems->append(QStringLiteral("%1 and %2 overlap by %3×%4 px")
                                     .arg(describe(controls[i]), describe(controls[j]))
                                     .arg(common.width())
                                     .arg(common.height()));
        }
    }
}

// Width and height a text of several lines needs in a font.
QSize textSize(const QFontMetrics &fm, const QString &text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString &line : lines)
        width = qMax(width, fm.horizontalAdvance(line));
    return QSize(width, fm.lineSpacing() * int(lines.size() - 1) + fm.height());
}

void checkFits(const QWidget *w, const QSize &needed, const QRect &room, QStringList *problems) {
    if (needed.width() > room.width() + kTolerance || needed.height() > room.height() + kTolerance)
        problems->append(QStringLiteral("%1 needs %2×%3 px for its text but has %4×%5")
                             .arg(describe(w))
                             .arg(needed.width())
                             .arg(needed.height())
                             .arg(room.width())
                             .arg(room.height()));
}

void checkLabel(const QLabel *label, QStringList *problems) {
    const QString text = label->text();
    if (text.isEmpty())
        return;
    const int margins = 2 * label->margin() + qMax(0, label->indent());
    const QRect room = label->contentsRect().adjusted(0, 0, -margins, 0);
    const bool rich =
        label->textFormat() == Qt::RichText || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich || label->wordWrap()) {
        // Laid out as the label lays it out: wrapped at its width, only the height can run short.
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        if (rich)
            doc.setHtml(text);
        else
            doc.setPlainText(text);
        doc.setTextWidth(label->wordWrap() ? room.width() : -1);
        checkFits(label, doc.size().toSize(), room, problems);
        return;
    }
    checkFits(label, textSize(label->fontMetrics(), text), room, problems);
}

QString withoutMnemonic(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

void checkButton(QAbstractButton *button, QStringList *problems) {
    const QString text = withoutMnemonic(button->text());
    if (text.isEmpty())
        return;
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = text;
    opt.icon = button->icon();
    opt.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox *>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton *>(button))
        contents = QStyle::SE_RadioButtonContents;
    else if (!qobject_cast<QPushButton *>(button))
        return;
    const QRect room = button->style()->subElementRect(contents, &opt, button);
    QSize needed = textSize(button->fontMetrics(), text);
    if (!button->icon().isNull())
        needed.rwidth() += button->iconSize().width() + 4;
    checkFits(button, needed, room, problems);
}

void checkCombo(QComboBox *combo, QStringList *problems) {
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = combo->isEditable();
    const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
    checkFits(combo, textSize(combo->fontMetrics(), combo->currentText()), room, problems);
}

// Qt's item delegate keeps this much room on each side of a cell's text.
int cellTextMargin(const QWidget *view) {
    return view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
}

void checkTable(QTableView *view, QStringList *problems) {
    const QAbstractItemModel *model = view->model();
    if (!model)
        return;
    // The grid line takes a pixel of every column.
    const int margin = 2 * cellTextMargin(view) + (view->showGrid() ? 1 : 0);
    for (int col = 0; col < model->columnCount(); ++col) {
        if (view->isColumnHidden(col))
            continue;
        const int width = view->columnWidth(col);
        int widest = 0;
        QString widestText;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, col);
            const QString text = index.data(Qt::DisplayRole).toString();
            if (text.isEmpty())
                continue;
            const QVariant font = index.data(Qt::FontRole);
            const QFontMetrics fm(font.isValid() ? font.value<QFont>() : view->font());
            const int needed = fm.horizontalAdvance(text) + margin;
            if (needed > widest) {
                widest = needed;
                widestText = text;
            }
        }
        if (widest > width + kTolerance)
            problems->append(QStringLiteral("%1 column %2 is %3 px wide but \"%4\" needs %5")
                                 .arg(describe(view))
                                 .arg(col)
                                 .arg(width)
                                 .arg(widestText)
                                 .arg(widest));
        const QHeaderView *header = view->horizontalHeader();
        if (!header->isVisible())
            continue;
        const QString title = model->headerData(col, Qt::Horizontal).toString();
        const int titleWidth = header->fontMetrics().horizontalAdvance(title) + margin;
        if (!title.isEmpty() && titleWidth > width + kTolerance)
            problems->append(QStringLiteral("%1 header of column %2 is %3 px wide but \"%4\" needs %5")
                                 .arg(describe(view))
                                 .arg(col)
                                 .arg(width)
                                 .arg(title)
                                 .arg(titleWidth));
    }
}

// A label Qt Charts has drawn cut down to "..." (axis labels and titles alike), found among the chart's items.
void checkDrawnChartTexts(const QGraphicsItem *item, const QWidget *owner, QStringList *problems) {
    for (const QGraphicsItem *child : item->childItems()) {
        if (!child->isVisible())
            continue;
        if (auto *text = dynamic_cast<const QGraphicsTextItem *>(child)) {
            const QString shown = text->toPlainText();
            if (shown.endsWith(QLatin1String("...")) || shown.endsWith(QChar(0x2026))) {
                problems->append(QStringLiteral("%1 draws a label cut to \"%2\"").arg(describe(owner), shown));
                return;
            }
        }
        checkDrawnChartTexts(child, owner, problems);
    }
}

// Qt Charts cuts a category label that is wider than its category down to "…".
void checkChart(QChartView *view, QStringList *problems) {
    const QChart *chart = view->chart();
    if (!chart)
        return;
    checkDrawnChartTexts(chart, view->parentWidget() ? view->parentWidget() : view, problems);
    const QRectF plot = chart->plotArea();
    for (QAbstractAxis *axis : chart->axes()) {
        auto *categories = qobject_cast<QBarCategoryAxis *>(axis);
        if (!categories || !axis->isVisible() || !axis->labelsVisible() || categories->count() == 0)
            continue;
        const bool across = axis->orientation() == Qt::Horizontal && axis->labelsAngle() == 0;
        const qreal room = (across ? plot.width() : plot.height()) / categories->count();
        const QFontMetrics fm(axis->labelsFont());
        for (const QString &label : categories->categories()) {
            const int needed = across ? fm.horizontalAdvance(label) : fm.height();
            if (needed > room) {
                problems->append(QStringLiteral("%1 axis label \"%2\" needs %3 px but its category has %4")
                                     .arg(describe(view->parentWidget() ? view->parentWidget() : view), label)
                                     .arg(needed)
                                     .arg(int(room)));
                break;
            }
        }
    }
}

void checkText(QWidget *w, QStringList *problems) {
    if (auto *label = qobject_cast<QLabel *>(w))
        checkLabel(label, problems);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        checkButton(button, problems);
    else if (auto *combo = qobject_cast<QComboBox *>(w))
        checkCombo(combo, problems);
    else if (auto *table = qobject_cast<QTableView *>(w))
        checkTable(table, problems);
    else if (auto *chart = qobject_cast<QChartView *>(w))
        checkChart(chart, problems);
}

} // namespace

QStringList layoutProblems(QWidget *window) {
    QList<QWidget *> controls;
    collectControls(window, window, &controls);
    QStringList problems;
    checkOverlaps(controls, window, &problems);
    for (QWidget *w : controls) {
        checkInside(w, window, &problems);
        checkText(w, &problems);
    }
    return problems;
}

} // namespace mirute::test
