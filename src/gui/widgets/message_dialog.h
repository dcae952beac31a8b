#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

namespace mirute {

// Every message box of the program goes through here: one place for titles, icons and buttons, and the
// seam through which tests answer a box without showing it. Texts are always shown as plain text.
class MessageDialog {
public:
    enum Answer { Ok, Cancel, Discard };
    struct Shown {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        bool cancelIsDefault = false; // Enter answers Cancel
    };

    static void information(QWidget *parent, const QString &title, const QString &text);
    static void warning(QWidget *parent, const QString &title, const QString &text);
    // OK and Cancel with the exclamation icon; true on OK. Cancel is the default button, so that a hasty
    // Enter before an erase changes nothing.
    static bool confirm(QWidget *parent, const QString &title, const QString &text, Answer defaultAnswer = Cancel);
    // "保存" (Ok), "破棄" (Discard) and "キャンセル" (Cancel) about unsaved text, with the exclamation icon.
    // 保存 is the default button: a hasty Enter keeps what was typed.
    static Answer askToSave(QWidget *parent, const QString &title, const QString &text);

    // Tests: the next boxes are answered with these, in order, without being shown.
    static void setNextAnswer(Answer answer);
    // Tests: every box is answered OK without being shown while this is on.
    static void setAutoAnswer(bool on);
    static QList<Shown> &shown(); // every box asked for since the last clear
    static void clearShown();

private:
    static int ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text, bool cancel,
                   Answer defaultAnswer = Ok);
};

} // namespace mirute
