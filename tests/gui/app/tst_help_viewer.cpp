#include "core/log/game_names.h"
#include "gui/app/help_viewer_window.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <sys/stat.h>

using namespace mirute;

namespace {

const QString kData = QStringLiteral(MIRUTE_DEFAULT_DATA);

QString readUtf8(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList helpPages() {
    QStringList pages{QDir(kData).filePath(kHelpFile)};
    QDirIterator it(QDir(kData).filePath(QStringLiteral("help")), {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext())
        pages << it.next();
    pages.sort();
    return pages;
}

QStringList links(const QString &html) {
    QStringList out;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
    for (auto m = href.globalMatch(html); m.hasNext();)
        out << m.next().captured(1);
    return out;
}

bool copyTree(const QString &from, const QString &to) {
    QDir().mkpath(to);
    const QDir src(from);
    for (const QFileInfo &fi : src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(fi.fileName());
        if (fi.isDir() ? !copyTree(fi.filePath(), target) : !QFile::copy(fi.filePath(), target))
            return false;
    }
    return true;
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllHelpWindows(); }
    void everyLinkLeadsToAPage_data();
    void everyLinkLeadsToAPage();
    void contentsReachEveryPage();
    void dataFilesAndGamesExplained();
    void browsesTheDocument();
    void builtInPageWhenTheFileIsMissing();
    void closeAllClosesEveryWindow();
    void readsNothingOutsideTheHelpFolder_data();
    void readsNothingOutsideTheHelpFolder();
};

void TestHelpViewer::everyLinkLeadsToAPage_data() {
    QTest::addColumn<QString>("page");
    for (const QString &p : helpPages())
        QTest::newRow(qPrintable(QFileInfo(p).fileName())) << p;
}

void TestHelpViewer::everyLinkLeadsToAPage() {
    QFETCH(QString, page);
    const QString html = readUtf8(page);
    QVERIFY(!html.isEmpty());
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(QRegularExpression(QStringLiteral("<title>[^<]+</title>")).match(html).hasMatch());
    const QStringList targets = links(html);
    for (const QString &target : targets) {
        const QString resolved = QFileInfo(page).dir().filePath(target);
        QVERIFY2(QFileInfo(resolved).isFile(), qPrintable(target));
    }
    // Every page but the contents leads back to the contents.
    if (QFileInfo(page).fileName() != kHelpFile)
        QVERIFY(targets.contains(QStringLiteral("../") + kHelpFile));
}

void TestHelpViewer::contentsReachEveryPage() {
    const QStringList fromIndex = links(readUtf8(QDir(kData).filePath(kHelpFile)));
    const QStringList pages = helpPages();
    QVERIFY(pages.size() >= 18);
    for (const QString &p : pages) {
        if (QFileInfo(p).fileName() == kHelpFile)
            continue;
        QVERIFY2(fromIndex.contains(QStringLiteral("help/") + QFileInfo(p).fileName()), qPrintable(p));
    }
}

void TestHelpViewer::dataFilesAndGamesExplained() {
    const QString files = readUtf8(QDir(kData).filePath(QStringLiteral("help/files.html")));
    for (const char *name : {"データ.txt", "メモ.TXT", "設定.txt", "プライベート.txt", "抜かな辞書.TXT",
                             "抜仲間辞書.TXT", "宝探し辞書.TXT", "1.gif", "バックアップ"})
        QVERIFY2(files.contains(QString::fromUtf8(name)), name);
    QVERIFY(files.contains(QStringLiteral("抜かな履歴.txt")));
    for (const QString &game : gameNames())
        QVERIFY2(files.contains(game + QStringLiteral("設定.txt")), qPrintable(game));
    const QString index = readUtf8(QDir(kData).filePath(kHelpFile));
    for (const QString &game : gameNames())
        QVERIFY2(index.contains(QStringLiteral(">%1</a>").arg(game)), qPrintable(game));
}

void TestHelpViewer::browsesTheDocument() {
    QTemporaryDir dir;
    QVERIFY(copyTree(kData, dir.path()));
    QWidget owner;
    openHelpViewer(&owner, dir.path());
    QCOMPARE(openHelpWindowCount(), 1);
    auto *window = owner.findChild<QWidget *>(QStringLiteral("helpWindow"));
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    auto *back = window->findChild<QPushButton *>(QStringLiteral("helpBack"));
    auto *forward = window->findChild<QPushButton *>(QStringLiteral("helpForward"));
    auto *home = window->findChild<QPushButton *>(QStringLiteral("helpHome"));
    QVERIFY(browser && back && forward && home);
    const QUrl index = QUrl::fromLocalFile(QDir(dir.path()).filePath(kHelpFile));
    QCOMPARE(browser->source(), index);
    QCOMPARE(window->windowTitle(), QStringLiteral("ミルテ５ ヘルプ"));
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());

    browser->setSource(QUrl(QStringLiteral("help/main.html")));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("種類の脳刺激")));
    QVERIFY(window->windowTitle().startsWith(QStringLiteral("メイン画面")));
    QVERIFY(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(browser->source(), index);
    QVERIFY(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    QVERIFY(browser->source().toString().endsWith(QStringLiteral("help/main.html")));
    QTest::mouseClick(home, Qt::LeftButton);
    QCOMPARE(browser->source(), index);
}

void TestHelpViewer::builtInPageWhenTheFileIsMissing() {
    QTemporaryDir dir;
    QWidget owner;
    openHelpViewer(&owner, dir.path());
    auto *window = owner.findChild<QWidget *>(QStringLiteral("helpWindow"));
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    const QString text = browser->toPlainText();
    QVERIFY(text.contains(kHelpFile));
    QVERIFY(text.contains(QStringLiteral("見つかりません")));
    QVERIFY(text.contains(QStringLiteral("「ゲーム」ボタン")));
    QVERIFY(!window->findChild<QPushButton *>(QStringLiteral("helpHome"))->isEnabled());
}

void TestHelpViewer::closeAllClosesEveryWindow() {
    QTemporaryDir dir;
    QWidget owner;
    openHelpViewer(&owner, dir.path());
    openHelpViewer(&owner, dir.path());
    QCOMPARE(openHelpWindowCount(), 2);
    // A window the user closed is no longer counted.
    owner.findChildren<QWidget *>(QStringLiteral("helpWindow")).first()->close();
    QCOMPARE(openHelpWindowCount(), 1);
    closeAllHelpWindows();
    QCOMPARE(openHelpWindowCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(owner.findChildren<QWidget *>(QStringLiteral("helpWindow")).isEmpty());
}

void TestHelpViewer::readsNothingOutsideTheHelpFolder_data() {
    QTest::addColumn<QString>("target"); // relative to the help folder's parent; "url:" for a URL as written
    QTest::addColumn<bool>("read");
    QTest::newRow("a page of the help") << "help/help/files.html" << true;
    QTest::newRow("picture outside") << "outside/picture.png" << false;
    QTest::newRow("page outside") << "outside/page.html" << false;
    QTest::newRow("up and out") << "url:../outside/page.html" << false;
    QTest::newRow("link inside leading out") << "help/link.html" << false;
    QTest::newRow("FIFO inside") << "help/fifo.png" << false;
    QTest::newRow("web page") << "url:https://example.com/" << false;
    QTest::newRow("other scheme") << "url:ftp://example.com/a.png" << false;
}

// A page may name any file or address; the help reads and opens only the regular files of its folder.
void TestHelpViewer::readsNothingOutsideTheHelpFolder() {
    QFETCH(QString, target);
    QFETCH(bool, read);
    QTemporaryDir root;
    const QString help = root.filePath(QStringLiteral("help"));
    QVERIFY(copyTree(kData, help));
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("outside")));
    for (const char *name : {"outside/picture.png", "outside/page.html"}) {
        QFile f(root.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><body>outside</body></html>");
    }
    QVERIFY(QFile::link(root.filePath(QStringLiteral("outside/page.html")), QDir(help).filePath("link.html")));
    QCOMPARE(::mkfifo(QFile::encodeName(QDir(help).filePath("fifo.png")).constData(), 0600), 0);

    QWidget owner;
    openHelpViewer(&owner, help);
    auto *browser = owner.findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    QVERIFY(browser);
    const QUrl index = browser->source();
    const QUrl url =
        target.startsWith(QStringLiteral("url:")) ? QUrl(target.mid(4)) : QUrl::fromLocalFile(root.filePath(target));
    // Pictures and style sheets of a page are loaded by the document, which reads what the browser leaves
    // unanswered itself.
    for (int type : {int(QTextDocument::ImageResource), int(QTextDocument::StyleSheetResource)})
        QCOMPARE(!browser->document()->resource(type, url).toByteArray().isEmpty(), read);
    // A link followed opens the page only when it may be read.
    browser->setSource(url);
    QCOMPARE(browser->source() == url, read);
    if (!read)
        QCOMPARE(browser->source(), index);
}

QTEST_MAIN(TestHelpViewer)
#include "tst_help_viewer.moc"
