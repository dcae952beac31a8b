#include "core/log/window_places.h"

#include "core/base/data_files.h"
#include "core/base/number_format.h"
#include "core/base/write_list.h"

#include <algorithm>

namespace mirute {

QList<WindowPlace> readWindowPlaces(const QString &dir) {
    const TextLines file = readTextLines(dir, kWindowPlacesFile);
    QList<WindowPlace> places;
    for (const QString &line : file.lines) {
        const QList<ListItem> items = splitWriteList(line);
        if (items.size() != 6 || !items[0].quoted || items[0].text.isEmpty())
            continue;
        int numbers[5];
        bool whole = true;
        for (int i = 0; i < 5 && whole; ++i) {
            const std::optional<qint64> n = parseInteger(items[i + 1].text);
            whole = n && !items[i + 1].quoted && *n >= -1000000 && *n <= 1000000;
            numbers[i] = whole ? int(*n) : 0;
        }
        if (!whole || numbers[2] <= 0 || numbers[3] <= 0 || (numbers[4] != 0 && numbers[4] != 1))
            continue;
        places.append({items[0].text, QRect(numbers[0], numbers[1], numbers[2], numbers[3]), numbers[4] == 1});
    }
    return places;
}

std::optional<WindowPlace> findWindowPlace(const QList<WindowPlace> &places, const QString &window) {
    for (const WindowPlace &p : places)
        if (p.window == window)
            return p;
    return std::nullopt;
}

WriteResult writeWindowPlace(const QString &dir, const WindowPlace &place) {
    QList<WindowPlace> places = readWindowPlaces(dir);
    places.removeIf([&](const WindowPlace &p) { return p.window == place.window; });
    places.append(place);
    QStringList lines;
    for (const WindowPlace &p : places)
        lines << WriteListLine()
                     .text(p.window)
                     .integer(p.normal.x())
                     .integer(p.normal.y())
                     .integer(p.normal.width())
                     .integer(p.normal.height())
                     .integer(p.maximised ? 1 : 0)
                     .line();
    return rewriteLines(dir, kWindowPlacesFile, lines);
}

QRect placeOnScreens(const QRect &area, const QList<QRect> &screens, int titleBar) {
    if (screens.isEmpty())
        return area;
    const QRect withCaption = area.adjusted(0, -titleBar, 0, 0);
    const QRect *best = &screens.first();
    qint64 bestOverlap = -1;
    for (const QRect &screen : screens) {
        if (screen.contains(withCaption))
            return area;
        const QRect common = screen.intersected(withCaption);
        const qint64 overlap = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = &screen;
        }
    }
    const QRect room = best->adjusted(0, titleBar, 0, 0);
    QRect moved(area.topLeft(), area.size().boundedTo(room.size()));
    moved.moveLeft(std::clamp(moved.left(), room.left(), room.right() + 1 - moved.width()));
    moved.moveTop(std::clamp(moved.top(), room.top(), room.bottom() + 1 - moved.height()));
    return moved;
}

} // namespace mirute
