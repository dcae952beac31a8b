#include "gui/app/help_viewer_window.h"

#include "core/base/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kHelpWindowName = QStringLiteral("helpWindow");
const QString kBackButtonName = QStringLiteral("helpBack");
const QString kForwardButtonName = QStringLiteral("helpForward");
const QString kHomeButtonName = QStringLiteral("helpHome");
const QString kBrowserName = QStringLiteral("helpBrowser");

const QString kWindowTitle = QStringLiteral("ミルテ５ ヘルプ");

QList<QPointer<QWidget>> &helpWindows() {
    static QList<QPointer<QWidget>> windows;
    return windows;
}

// The help document beside the data files first; an installed copy next; none when neither exists.
QString findHelpFile(const QString &dataDir) {
    const QString inWorkingFolder = resolveFile(dataDir, kHelpFile);
    if (QFileInfo(inWorkingFolder).isFile())
        return QFileInfo(inWorkingFolder).absoluteFilePath();
    const QDir appDir(QCoreApplication::applicationDirPath());
    for (const QString &rel : {QStringLiteral("../share/mirute"), QStringLiteral("data")}) {
        const QString installed = resolveFile(appDir.filePath(rel), kHelpFile);
        if (QFileInfo(installed).isFile())
            return QFileInfo(installed).absoluteFilePath();
    }
    return {};
}

// Shown when the help document cannot be found, so that the basic use is always at hand.
QString builtInHelp() {
    return QStringLiteral(
               "<html><head><title>ミルテ５ ヘルプ</title></head><body>"
               "<h1>ミルテ５ ヘルプ</h1>"
               "<p><b>ヘルプファイル「%1」が作業フォルダに見つかりません。</b>"
               "ここでは基本的な使い方だけを表示しています。</p>"
               "<h2>使い方</h2><ol>"
               "<li>「ゲーム」ボタンを押すと７つのゲームのボタンが表示されます。遊びたいゲームを選びます。</li>"
               "<li>ゲームの画面で「秒数」（制限時間内にできるだけ多く答える）か「答数」（決まった数をできるだけ速く"
               "答える）を選び、「スタート」を押します。赤・黄・緑の信号が緑になったら開始です。</li>"
               "<li>終わると正解数・不正解数・正解率・１秒あたりの数・最速の反応時間が表示され、記録されます"
               "（手動保存モードのときは「保存」を押します）。</li>"
               "<li>「戻り」でメイン画面に戻ると、その日のプレイ一覧・合計時間・グラフに反映されます。</li>"
               "</ol>"
               "<h2>メイン画面</h2>"
               "<p>左上の顔とランプは、選んだ日に遊んだゲームの種類数を表します。１種類で「ムスッ」、２種類で"
               "「ニコ」、３種類以上で「笑い」。カレンダーの日付をクリックすると、その日の記録が表示されます。</p>"
               "<p>「全グラフ」「範囲指定」「並び替え」「集計表示」「カレンダー」「一言日記」「編集」の各ボタンで、"
               "記録をいろいろな形で見たり、日記を書いたり、データを整理したりできます。</p>"
               "<p>記録はすべて作業フォルダのテキストファイル（データ.txt など）に保存されます。</p>"
               "</body></html>")
        .arg(kHelpFile.toHtmlEscaped());
}

// The help document's own browser: it opens pages and loads pictures from the help document's folder only.
// A link or picture that leads elsewhere (another folder, "../", a link to a file outside, http: and every
// other scheme) is not followed, and only regular files are read, as the data files are (at most
// kMaxReadBytes, opened without waiting), so that a FIFO or a device named by a page cannot stall the program.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QWidget *parent) : QTextBrowser(parent) {}
    // The folder the help may read from; none (the built-in page) reads nothing.
    void setHelpFolder(const QString &folder) { m_folder = QFileInfo(folder).canonicalFilePath(); }

    // Every page, picture and style sheet comes through here. What may not be read is answered with no bytes
    // rather than left unanswered: the document would then open the file itself, wherever it lies.
    QVariant loadResource(int, const QUrl &name) override {
        const QUrl url = resolved(name);
        QByteArray bytes;
        if (insideHelp(url)) {
            const QFileInfo file(url.toLocalFile());
            TextLines meta;
            if (!readRawText(file.absolutePath(), file.fileName(), &meta, &bytes))
                bytes.clear();
        }
        return bytes;
    }

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override {
        if (insideHelp(resolved(name)))
            QTextBrowser::doSetSource(name, type);
    }

private:
    QUrl resolved(const QUrl &name) const {
        return name.isRelative() && source().isValid() ? source().resolved(name) : name;
    }
    bool insideHelp(const QUrl &url) const {
        if (m_folder.isEmpty() || !url.isLocalFile())
            return false;
        const QFileInfo file(QFileInfo(url.toLocalFile()).canonicalFilePath());
        return file.isFile() && file.absoluteFilePath().startsWith(m_folder + u'/');
    }

    QString m_folder;
};

QPushButton *navigationButton(QWidget *parent, const QString &name, const QString &caption, const QString &tip,
                              const QKeySequence &key) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText)));
    b->setShortcut(key);
    b->setAutoDefault(false);
    return b;
}

void showDocumentTitle(QWidget *window, QTextBrowser *browser) {
    const QString title = browser->documentTitle();
    window->setWindowTitle(
        title.isEmpty() || title == kWindowTitle ? kWindowTitle : QStringLiteral("%1 - %2").arg(title, kWindowTitle));
}

} // namespace

void openHelpViewer(QWidget *owner, const QString &dataDir) {
    auto *window = new QWidget(owner, Qt::Window);
    window->setObjectName(kHelpWindowName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(kWindowTitle);
    auto *layout = new QVBoxLayout(window);

    auto *bar = new QHBoxLayout;
    QPushButton *back = navigationButton(window, kBackButtonName, QStringLiteral("戻る"),
                                         QStringLiteral("前のページに戻ります"), QKeySequence(Qt::ALT | Qt::Key_Left));
    QPushButton *forward =
        navigationButton(window, kForwardButtonName, QStringLiteral("進む"), QStringLiteral("次のページに進みます"),
                         QKeySequence(Qt::ALT | Qt::Key_Right));
    QPushButton *home =
        navigationButton(window, kHomeButtonName, QStringLiteral("目次"), QStringLiteral("目次のページを表示します"),
                         QKeySequence(Qt::ALT | Qt::Key_Home));
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(home);
    bar->addStretch();
    layout->addLayout(bar);

    auto *browser = new HelpBrowser(window);
    browser->setObjectName(kBrowserName);
    browser->setAccessibleName(kWindowTitle);
    browser->setOpenLinks(true);
    browser->setOpenExternalLinks(false);
    layout->addWidget(browser, 1);
    back->setEnabled(false);
    forward->setEnabled(false);
    QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    QObject::connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    QObject::connect(home, &QPushButton::clicked, browser, &QTextBrowser::home);
    QObject::connect(browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    QObject::connect(browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    QObject::connect(browser, &QTextBrowser::sourceChanged, window,
                     [window, browser] { showDocumentTitle(window, browser); });

    const QString path = findHelpFile(dataDir);
    if (!path.isEmpty()) {
        browser->setHelpFolder(QFileInfo(path).absolutePath());
        browser->setSearchPaths({QFileInfo(path).absolutePath()});
        browser->setSource(QUrl::fromLocalFile(path));
    } else {
        browser->setHtml(builtInHelp());
        home->setEnabled(false);
    }
    showDocumentTitle(window, browser);
    window->resize(760, 600);
    window->show();
    browser->setFocus();
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
