#include "gui/widgets/message_dialog.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kBoxName = QStringLiteral("messageBox");
const QString kQtTextLabelName = QStringLiteral("qt_msgbox_label");

// Room a message box leaves its text on a screen of this width: Qt lets a box grow to the screen's width
// less 480 (all of it on a screen up to 1024 wide), at most 1000; the icon and margins take the rest.
int textRoom(int screenWidth) {
    const int box = screenWidth <= 1024 ? screenWidth : qMin(screenWidth - 480, 1000);
    return box - 120;
}

// A box as wide as its longest line, so that a text breaks only at its own line breaks (the help tour's
// lines run to 46 characters; wrapped by Qt they broke inside words such as 「Ｅｎｔｅｒ」).
void fitLongestLine(QMessageBox &box, const QString &text) {
    auto *label = box.findChild<QLabel *>(kQtTextLabelName);
    if (!label)
        return;
    int widest = 0;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))))
        widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    if (screen && widest <= textRoom(screen->availableGeometry().width()))
        label->setMinimumWidth(widest);
}

QList<MessageDialog::Answer> g_answers;
bool g_auto = false;
QList<MessageDialog::Shown> g_shown;
} // namespace

void MessageDialog::setNextAnswer(Answer answer) {
    g_answers.append(answer);
}
void MessageDialog::setAutoAnswer(bool on) {
    g_auto = on;
}
QList<MessageDialog::Shown> &MessageDialog::shown() {
    return g_shown;
}
void MessageDialog::clearShown() {
    g_shown.clear();
}

int MessageDialog::ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text, bool cancel,
                       Answer defaultAnswer) {
    g_shown.append({title, text, icon, cancel && defaultAnswer == Cancel});
    if (!g_answers.isEmpty())
        return g_answers.takeFirst();
    if (g_auto)
        return Ok;
    QMessageBox box(icon, title, text, cancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(kBoxName);
    fitLongestLine(box, text);
    if (cancel) {
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        // A question before an erase must not be answered OK by a stray Enter: only a deliberate OK erases.
        box.setDefaultButton(defaultAnswer == Ok ? QMessageBox::Ok : QMessageBox::Cancel);
    }
    return box.exec() == QMessageBox::Ok ? Ok : Cancel;
}

void MessageDialog::information(QWidget *parent, const QString &title, const QString &text) {
    ask(parent, QMessageBox::Information, title, text, false);
}

void MessageDialog::warning(QWidget *parent, const QString &title, const QString &text) {
    ask(parent, QMessageBox::Warning, title, text, false);
}

MessageDialog::Answer MessageDialog::askToSave(QWidget *parent, const QString &title, const QString &text) {
    g_shown.append({title, text, QMessageBox::Warning, false});
    if (!g_answers.isEmpty())
        return g_answers.takeFirst();
    if (g_auto)
        return Ok;
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(kBoxName);
    fitLongestLine(box, text);
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("破棄"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const QAbstractButton *chosen = box.clickedButton();
    if (chosen == box.button(QMessageBox::Save))
        return Ok;
    return chosen == box.button(QMessageBox::Discard) ? Discard : Cancel;
}

bool MessageDialog::confirm(QWidget *parent, const QString &title, const QString &text, Answer defaultAnswer) {
    return ask(parent, QMessageBox::Warning, title, text, true, defaultAnswer) == Ok;
}

} // namespace mirute
