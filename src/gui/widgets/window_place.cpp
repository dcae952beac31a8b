#include "gui/widgets/window_place.h"

#include "core/log/window_places.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace mirute {

void restoreWindowPlace(QWidget *window, const QString &dataDir) {
    const std::optional<WindowPlace> kept = findWindowPlace(readWindowPlaces(dataDir), window->objectName());
    if (!kept)
        return;
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    window->setGeometry(placeOnScreens(kept->normal, screens, titleBar));
    if (kept->maximised)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void rememberWindowPlace(const QWidget *window, const QString &dataDir) {
    const bool maximised = window->isMaximized();
    const QRect normal = maximised ? window->normalGeometry() : window->geometry();
    if (normal.isEmpty())
        return;
    writeWindowPlace(dataDir, {window->objectName(), normal, maximised});
}

} // namespace mirute
