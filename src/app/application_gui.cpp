#include "app/application.h"

#include "app/main_window.h"
#include "games/game_launcher_window.h"
#include "ui/message_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLocale>
#include <QLockFile>
#include <QPointer>

namespace mirute {

namespace {

// A Japanese gothic face of the system stands in for "ＭＳ ゴシック" wherever it is named.
void setJapaneseFont() {
    const QStringList families = QFontDatabase::families();
    const QStringList preferred = {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic"),
                                   QStringLiteral("TakaoGothic")};
    for (const QString &family : preferred) {
        if (!families.contains(family))
            continue;
        QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), family);
        QFont::insertSubstitution(QStringLiteral("MS Gothic"), family);
        QFont f(family);
        f.setPointSize(10);
        QApplication::setFont(f);
        return;
    }
}

// Switches between the main window and one game window: only one of them exists at a time.
class AppController : public QObject {
public:
    explicit AppController(QString dir) : m_dir(std::move(dir)) {}

    void showMain() {
        auto *w = new MainWindow(m_dir);
        m_main = w;
        connect(w, &MainWindow::gameRequested, this, &AppController::openGame);
        connect(w, &MainWindow::quitRequested, qApp, &QApplication::quit, Qt::QueuedConnection);
        w->Form_Load();
    }

    void openGame(int gameNo) {
        QString error;
        QWidget *game = createGameWindow(gameNo, m_dir, &error, [this] { QMetaObject::invokeMethod(this, [this] { backFromGame(); }, Qt::QueuedConnection); });
        if (!game) {
            MessageDialog::warning(m_main, QStringLiteral("ミルテ５"), error);
            return;
        }
        m_game = game;
        if (m_main) {
            m_main->hide();
            m_main->deleteLater();
        }
    }

    void backFromGame() {
        showMain();
        if (m_game) {
            m_game->hide();
            m_game->deleteLater();
        }
    }

private:
    QString m_dir;
    QPointer<MainWindow> m_main;
    QPointer<QWidget> m_game;
};

} // namespace

int runApplication(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirute"));
    QApplication::setApplicationDisplayName(QStringLiteral("ミルテ５"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    setJapaneseFont();
    QApplication::setQuitOnLastWindowClosed(false);

    const QString dir = QDir::currentPath();
    // Two instances on one folder would interleave their writes to the same files.
    QLockFile lock(QDir(dir).filePath(QStringLiteral(".mirute.lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(100)) {
        MessageDialog::warning(nullptr, QStringLiteral("ミルテ５"),
                               QStringLiteral("このフォルダではミルテ５がすでに起動しています。\r\n%1")
                                   .arg(QDir::toNativeSeparators(dir)));
        return 1;
    }
    AppController controller(dir);
    controller.showMain();
    return app.exec();
}

} // namespace mirute
