#include "ui/message_dialog.h"

#include <QPushButton>

namespace mirute {

namespace {
QList<MessageDialog::Answer> g_answers;
bool g_auto = false;
QList<MessageDialog::Shown> g_shown;
} // namespace

void MessageDialog::setNextAnswer(Answer answer) { g_answers.append(answer); }
void MessageDialog::setAutoAnswer(bool on) { g_auto = on; }
QList<MessageDialog::Shown> &MessageDialog::shown() { return g_shown; }
void MessageDialog::clearShown() { g_shown.clear(); }

int MessageDialog::ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                       bool cancel, Answer defaultAnswer) {
    g_shown.append({title, text, icon, cancel && defaultAnswer == Cancel});
    if (!g_answers.isEmpty())
        return g_answers.takeFirst();
    if (g_auto)
        return Ok;
    QMessageBox box(icon, title, text, cancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("messageBox"));
    if (cancel) {
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        box.setDefaultButton(defaultAnswer == Cancel ? QMessageBox::Cancel : QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? Ok : Cancel;
}

void MessageDialog::information(QWidget *parent, const QString &title, const QString &text) {
    ask(parent, QMessageBox::Information, title, text, false);
}

void MessageDialog::warning(QWidget *parent, const QString &title, const QString &text) {
    ask(parent, QMessageBox::Warning, title, text, false);
}

bool MessageDialog::confirm(QWidget *parent, const QString &title, const QString &text, Answer defaultAnswer) {
    return ask(parent, QMessageBox::Warning, title, text, true, defaultAnswer) == Ok;
}

} // namespace mirute
