#pragma once

#include "core/log/app_state.h"
#include "gui/app/main_window.h"
#include "gui/widgets/message_dialog.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QStringList>
#include <memory>

namespace mirute::test {

// Lines of a data file: each ended by CR LF.
inline QString crlfLines(const QStringList &lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// The texts a view shows in one column, data rows only.
inline QStringList shownColumn(const QAbstractItemView *view, int col) {
    QStringList out;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        out.append(view->model()->index(r, col).data().toString());
    return out;
}

// How many message boxes with this title (and text, when given) were asked for.
inline int countShown(const QString &title, const QString &text = QString()) {
    int n = 0;
    for (const MessageDialog::Shown &s : MessageDialog::shown())
        n += s.title == title && (text.isNull() || s.text == text);
    return n;
}

// Japanese arrives through the input method as a committed string (QTest::keyClicks cannot type it).
inline void typeCommitted(QWidget *w, const QString &text) {
    QInputMethodEvent e;
    e.setCommitString(text);
    QCoreApplication::sendEvent(w, &e);
}

// Every message box answered OK without being shown, a fresh run whose welcome tour is already done.
inline void resetForWindowTest() {
    MessageDialog::setAutoAnswer(true);
    MessageDialog::clearShown();
    appState() = AppState{};
    appState().firstStartDone = true;
}

// The child widget of that object name; a test that names a control the window lacks stops at once.
template <class T> T *namedChild(const QObject *parent, const QString &name) {
    T *w = parent->findChild<T *>(name);
    if (!w)
        qFatal("no %s", qPrintable(name));
    return w;
}

// The main window on a folder, after its start-up; the test owns it.
inline std::unique_ptr<MainWindow> openMainWindow(const QString &dir) {
    auto w = std::make_unique<MainWindow>(dir);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->startUp();
    return w;
}

} // namespace mirute::test
