#include "app/application.h"

#include "app/app_controller_window.h"
#include "app/instance_lock.h"
#include "ui/message_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QLocale>

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

int runApplication(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mirute"));
    QApplication::setApplicationDisplayName(QStringLiteral("ミルテ５"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    useJapaneseFont();
    QApplication::setQuitOnLastWindowClosed(false);

    const QString dir = QDir::currentPath();
    InstanceLock lock(dir);
    if (!lock.tryLock(100)) {
        MessageDialog::warning(nullptr, QStringLiteral("ミルテ５"),
                               QStringLiteral("このフォルダではミルテ５がすでに起動しています。\r\n%1")
                                   .arg(QDir::toNativeSeparators(dir)));
        return 1;
    }
    AppController controller(dir);
    QObject::connect(&controller, &AppController::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    controller.showMain();
    return app.exec();
}

} // namespace mirute
