#include "app/help_viewer_window.h"

#include "log/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace mirute {

namespace {

QList<QPointer<QWidget>> &helpWindows() {
    static QList<QPointer<QWidget>> windows;
    return windows;
}

QString builtInHelp() {
    return QStringLiteral("<html><body><h1>ミルテ５ ヘルプ</h1>"
                          "<p>ヘルプファイル「%1」が作業フォルダにありません。</p></body></html>")
        .arg(kHelpFile);
}

} // namespace

void openHelpViewer(QWidget *owner, const QString &dataDir) {
    auto *window = new QWidget(owner, Qt::Window);
    window->setObjectName(QStringLiteral("helpWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("ミルテ５ ヘルプ"));
    auto *layout = new QVBoxLayout(window);
    auto *browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenLinks(true);
    layout->addWidget(browser);
    const QString path = resolveFile(dataDir, kHelpFile);
    if (QFileInfo::exists(path)) {
        browser->setSearchPaths({QFileInfo(path).absolutePath()});
        browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    } else {
        browser->setHtml(builtInHelp());
    }
    window->resize(720, 560);
    window->show();
    helpWindows().append(window);
}

void closeAllHelpWindows() {
    for (const QPointer<QWidget> &w : helpWindows())
        if (w)
            w->close();
    helpWindows().clear();
}

int openHelpWindowCount() {
    int n = 0;
    for (const QPointer<QWidget> &w : helpWindows())
        n += w && w->isVisible();
    return n;
}

} // namespace mirute
