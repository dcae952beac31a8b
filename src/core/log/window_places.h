#pragma once

#include "core/base/text_file.h"

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

namespace mirute {

// Where a window was left: its area on the screen (without the window frame) as it is when not maximised,
// and whether it was maximised. "ウィンドウ.txt" keeps one Write-list line per window:
// "frmMain",x,y,width,height,maximised (1 or 0).
struct WindowPlace {
    QString window; // the window's name: frmMain, frmG1 … frmG7
    QRect normal;
    bool maximised = false;
    bool operator==(const WindowPlace &) const = default;
};

// The places kept. The file is the program's own memory of the screen: a line that is not a whole place is
// passed over, and a window without its line opens at its own size.
QList<WindowPlace> readWindowPlaces(const QString &dir);
std::optional<WindowPlace> findWindowPlace(const QList<WindowPlace> &places, const QString &window);
// Keeps `place` in the file (atomically), in the line of its window.
WriteResult writeWindowPlace(const QString &dir, const WindowPlace &place);

// An area that lies whole on one of `screens` (with `titleBar` pixels above it for the frame's caption)
// stays as it is; any other is moved onto the screen it overlaps most (the first when none), shrunk to
// fit it if need be: a screen that was unplugged or made smaller never hides a window.
QRect placeOnScreens(const QRect &area, const QList<QRect> &screens, int titleBar);

} // namespace mirute
