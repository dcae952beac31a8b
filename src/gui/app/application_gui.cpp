#include "gui/app/application.h"

#include "core/log/app_state.h"
#include "core/log/instance_lock.h"
#include "gui/app/app_controller.h"
#include "gui/widgets/message_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace mirute {

void useJapaneseFont() {
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

bool installQtTranslations() {
    auto *translator = new QTranslator(QCoreApplication::instance());
    // Japanese whatever the system's language: the whole program speaks Japanese.
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

// The folder of the data files: the one the launcher names with --data-folder, else the working folder.
QString dataFolder(const QStringList &arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--data-folder"));
    // Whole, since the program then works in it: a relative name would be taken from there a second time.
    return at > 0 && at + 1 < arguments.size() ? QDir(arguments[at + 1]).absolutePath() : QDir::currentPath();
}

// A start that cannot go on is told in a window, where a user who started from the desktop's menu sees it,
// and on the terminal.
int refuseStart(const QString &message) {
    std::fprintf(stderr, "mirute: %s\n", qPrintable(message));
    MessageDialog::warning(nullptr, QStringLiteral("ミルテ５"), message);
    return 1;
}

} // namespace

int runApplication(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirute"));
    QApplication::setApplicationDisplayName(QStringLiteral("ミルテ５"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    installQtTranslations();
    useJapaneseFont();
    QApplication::setQuitOnLastWindowClosed(false);

    const QString dir = dataFolder(QApplication::arguments());
    if (const QString problem = makeDataFolder(dir); !problem.isEmpty())
        return refuseStart(problem);
    QDir::setCurrent(dir);
    InstanceLock lock(dir);
    if (const InstanceLock::Result result = lock.tryLock(100); result != InstanceLock::Locked)
        return refuseStart(InstanceLock::refusal(result, dir));
    AppController controller(dir);
    QObject::connect(&controller, &AppController::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    // Started from inside the event loop, so that a signal during the start-up's questions (the welcome tour)
    // ends the program as it does later.
    QMetaObject::invokeMethod(&controller, &AppController::showMain, Qt::QueuedConnection);
    return app.exec();
}

} // namespace mirute
