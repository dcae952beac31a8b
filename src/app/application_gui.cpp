#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLocale>

namespace mirute {

int runApplication(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QLabel placeholder(QStringLiteral(" ミルテ５"));
    placeholder.show();
    return app.exec();
}

} // namespace mirute
